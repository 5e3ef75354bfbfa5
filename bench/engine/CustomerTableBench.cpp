// The engine over a customer table of 1,000,000 records with its production
// index, in the page cache: sequential scans (against a plain C loop over the
// same file), opening by a tag, nearest-key search, reindexing a tag,
// checking every tag against the records and an edit of an indexed field.
//
// The data set is the one `brimo-db sample DIR --records 1000000` writes; it
// is made once in $BRIMO_BENCH_DIR (default /tmp/brimo-bench-1m) and reused.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "data/Database.h"
#include "data/Table.h"
#include "data/catalogue/IndexBuild.h"
#include "data/dbf/FieldCodec.h"
#include "data/index/MdxIndex.h"
#include "sample/SampleDataSet.h"

namespace {

using namespace brimo;

constexpr uint32_t kRecords = 1'000'000;

const std::filesystem::path& dataDirectory() {
    static const std::filesystem::path dir = [] {
        const char* env = std::getenv("BRIMO_BENCH_DIR");
        std::filesystem::path path = env ? env : "/tmp/brimo-bench-1m";
        bool ready = false;
        if (std::filesystem::exists(path / "CUST.DBF")) {
            data::Database db(path);
            ready = db.openTable("CUST", data::OpenMode::ReadOnly)->recordCount() == kRecords;
        }
        if (!ready)
            sample::writeSampleDataSet(path, {kRecords});
        return path;
    }();
    return dir;
}

const data::FieldDef& fieldOf(const data::Table& table, const char* name) {
    return table.fields()[static_cast<size_t>(table.fieldIndex(name))];
}

// The engine's bulk read: every record through Table::scan, two numbers each.
void BM_ScanTwoNumbers(benchmark::State& state) {
    data::Database db(dataDirectory());
    auto cust = db.openTable("CUST", data::OpenMode::ReadOnly);
    const auto number = fieldOf(*cust, "CUSTNUM");
    const auto discount = fieldOf(*cust, "DISCPCT");
    for (auto _ : state) {
        double sum = 0;
        cust->scan([&](std::span<const std::byte> record) {
            sum += data::numberAt(record, number) + data::numberAt(record, discount);
        });
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}

// The cursor: first/next through the records, two numbers by field index.
void BM_CursorTwoNumbers(benchmark::State& state) {
    data::Database db(dataDirectory());
    auto cust = db.openTable("CUST", data::OpenMode::ReadOnly);
    const int number = cust->fieldIndex("CUSTNUM");
    const int discount = cust->fieldIndex("DISCPCT");
    for (auto _ : state) {
        double sum = 0;
        for (cust->first(); !cust->eof(); cust->next()) sum += cust->asNumber(number) + cust->asNumber(discount);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}

// The yardstick: read(2) in 1 MiB blocks and parse the two fields with strtod.
void BM_PlainLoopTwoNumbers(benchmark::State& state) {
    data::Database db(dataDirectory());
    auto cust = db.openTable("CUST", data::OpenMode::ReadOnly);
    const auto number = fieldOf(*cust, "CUSTNUM");
    const auto discount = fieldOf(*cust, "DISCPCT");
    const std::string path = cust->path().string();
    unsigned char header[12];
    int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0 || ::pread(fd, header, sizeof header, 0) != static_cast<ssize_t>(sizeof header)) {
        state.SkipWithError("cannot read the table");
        return;
    }
    const size_t headerLength = header[8] | (header[9] << 8);
    const size_t recordLength = header[10] | (header[11] << 8);
    const size_t perBlock = (1 << 20) / recordLength;
    std::vector<char> block(perBlock * recordLength);
    auto parse = [](const char* p, size_t n) {
        char text[32];
        std::memcpy(text, p, n);
        text[n] = 0;
        return std::strtod(text, nullptr);
    };
    for (auto _ : state) {
        double sum = 0;
        off_t offset = static_cast<off_t>(headerLength);
        for (size_t left = kRecords; left > 0;) {
            const size_t count = std::min(left, perBlock);
            if (::pread(fd, block.data(), count * recordLength, offset) != static_cast<ssize_t>(count * recordLength))
                break;
            for (size_t r = 0; r < count; ++r) {
                const char* rec = block.data() + r * recordLength;
                sum += parse(rec + number.offset, number.length) + parse(rec + discount.offset, discount.length);
            }
            offset += static_cast<off_t>(count * recordLength);
            left -= count;
        }
        benchmark::DoNotOptimize(sum);
    }
    ::close(fd);
    state.SetItemsProcessed(state.iterations() * kRecords);
}

// Opening the table (header, index file) and reading its first record by a tag.
void BM_OpenAndFirstByTag(benchmark::State& state) {
    data::Database db(dataDirectory());
    for (auto _ : state) {
        auto cust = db.openTable("CUST", data::OpenMode::ReadOnly);
        cust->setActiveTag("FULLNAME");
        cust->first();
        benchmark::DoNotOptimize(cust->asString("LASTNAME"));
    }
}

// Search as you type: the first customer at or after a name prefix.
void BM_NearestKey(benchmark::State& state) {
    data::Database db(dataDirectory());
    auto cust = db.openTable("CUST", data::OpenMode::ReadOnly);
    cust->setActiveTag("FULLNAME");
    const std::vector<std::string> keys = {"W", "WE", "WEA", "WEAV", "MEYERS", "B", "ORTIZ", "Q", "ZELLERZ"};
    size_t i = 0;
    for (auto _ : state) {
        cust->findNearest(keys[i++ % keys.size()]);
        benchmark::DoNotOptimize(cust->recordNumber());
    }
}

// Rebuilding the numeric tag CUSTNUM from the records.
void BM_ReindexNumericTag(benchmark::State& state) {
    data::Database db(dataDirectory());
    auto cust = db.openTable("CUST", data::OpenMode::ReadWrite);
    auto index = data::index::MdxIndex::open(dataDirectory() / "CUST.MDX", cust->fields(), true);
    const data::catalogue::TableRecords records(*cust);
    for (auto _ : state) index.reindexTag("CUSTNUM", records);
    state.SetItemsProcessed(state.iterations() * kRecords);
}

// Checking the production index: every tag's tree and its entries against
// the keys of all records.
void BM_CheckIndex(benchmark::State& state) {
    data::Database db(dataDirectory());
    auto cust = db.openTable("CUST", data::OpenMode::ReadOnly);
    const auto index = data::index::MdxIndex::open(dataDirectory() / "CUST.MDX", cust->fields(), false);
    const data::catalogue::TableRecords records(*cust);
    for (auto _ : state) {
        const auto problems = index.check(&records);
        if (!problems.empty()) {
            state.SkipWithError(problems.front().c_str());
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}

// An edit of LASTNAME (in the key of FULLNAME) posted with every tag kept.
void BM_EditIndexedField(benchmark::State& state) {
    data::Database db(dataDirectory());
    auto cust = db.openTable("CUST", data::OpenMode::ReadWrite);
    uint32_t recno = 1000;
    bool flip = false;
    for (auto _ : state) {
        cust->gotoRecord(recno);
        recno = (recno + 7919) % kRecords + 1;
        cust->edit();
        cust->setString("LASTNAME", flip ? "Abbott" : "Zimmer");
        cust->post();
        flip = !flip;
    }
}

}  // namespace

BENCHMARK(BM_ScanTwoNumbers)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_CursorTwoNumbers)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_PlainLoopTwoNumbers)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_OpenAndFirstByTag)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_NearestKey)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_ReindexNumericTag)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_CheckIndex)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_EditIndexedField)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
