// Sums two numeric fields over the records of a table (deleted ones left out) in one pass and prints
// the two sums, so that run-peers.sh can time each way of reading the same
// data as a whole process and check that all of them agree.
//
//   peer_sum engine TABLE.DBF FIELD1 FIELD2   through Table::scan
//   peer_sum plain  TABLE.DBF FIELD1 FIELD2   read(2) in 1 MiB blocks, strtod

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "data/Database.h"
#include "data/Table.h"

namespace {

using namespace brimo;

struct Sums {
    double first = 0;
    double second = 0;
};

const data::FieldDef& fieldOf(const data::Table& table, const std::string& name) {
    int index = table.fieldIndex(name);
    if (index < 0)
        throw std::runtime_error("no field " + name + " in " + table.path().string());
    return table.fields()[static_cast<size_t>(index)];
}

Sums engineSums(const data::Table& table, const data::FieldDef& a, const data::FieldDef& b) {
    Sums sums;
    table.scan([&](std::span<const std::byte> record) {
        if (record[0] == std::byte{'*'})
            return;
        sums.first += data::numberAt(record, a);
        sums.second += data::numberAt(record, b);
    });
    return sums;
}

double parseNumber(const char* at, size_t length) {
    char text[32];
    length = std::min(length, sizeof text - 1);
    std::memcpy(text, at, length);
    text[length] = 0;
    return std::strtod(text, nullptr);
}

// The yardstick: no engine at all, only the header's two lengths and the
// field offsets.
Sums plainSums(const std::string& path, uint32_t records, const data::FieldDef& a, const data::FieldDef& b) {
    int fd = ::open(path.c_str(), O_RDONLY);
    unsigned char header[12];
    if (fd < 0 || ::pread(fd, header, sizeof header, 0) != static_cast<ssize_t>(sizeof header))
        throw std::runtime_error("cannot read " + path);
    const size_t headerLength = header[8] | (header[9] << 8);
    const size_t recordLength = header[10] | (header[11] << 8);
    const size_t perBlock = (1 << 20) / recordLength;
    std::vector<char> block(perBlock * recordLength);
    Sums sums;
    off_t offset = static_cast<off_t>(headerLength);
    for (size_t left = records; left > 0;) {
        const size_t count = std::min<size_t>(left, perBlock);
        const auto bytes = static_cast<ssize_t>(count * recordLength);
        if (::pread(fd, block.data(), static_cast<size_t>(bytes), offset) != bytes)
            throw std::runtime_error("short read in " + path);
        for (size_t r = 0; r < count; ++r) {
            const char* record = block.data() + r * recordLength;
            if (record[0] == '*')
                continue;
            sums.first += parseNumber(record + a.offset, a.length);
            sums.second += parseNumber(record + b.offset, b.length);
        }
        offset += bytes;
        left -= count;
    }
    ::close(fd);
    return sums;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5 || (std::strcmp(argv[1], "engine") != 0 && std::strcmp(argv[1], "plain") != 0)) {
        std::fprintf(stderr, "usage: peer_sum engine|plain TABLE.DBF FIELD1 FIELD2\n");
        return 2;
    }
    try {
        const std::filesystem::path path = argv[2];
        data::Database db(path.parent_path().empty() ? "." : path.parent_path());
        auto table = db.openTable(path.stem().string(), data::OpenMode::ReadOnly);
        const data::FieldDef a = fieldOf(*table, argv[3]);
        const data::FieldDef b = fieldOf(*table, argv[4]);
        const Sums sums = std::strcmp(argv[1], "engine") == 0
                              ? engineSums(*table, a, b)
                              : plainSums(table->path().string(), table->recordCount(), a, b);
        std::printf("%.3f,%.3f\n", sums.first, sums.second);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "peer_sum: %s\n", e.what());
        return 1;
    }
}
