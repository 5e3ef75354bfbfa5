// The input is a production index: it is opened, checked against a few
// records, and every tag is walked and searched with a cursor.
#include "FuzzFiles.h"
#include "data/DatabaseError.h"
#include "data/index/MdxIndex.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace brimo::data;

// Fields of the fixture tables, so that real tag expressions compile.
std::vector<FieldDef> fields() {
    return {{"TEST1", 'C', 50, 0, 1},
            {"TEST2", 'N', 10, 0, 51},
            {"CODE", 'C', 10, 0, 61},
            {"QTY", 'N', 8, 2, 71},
            {"ADDED", 'D', 8, 0, 79}};
}
constexpr size_t kRecordLength = 87;

class FewRecords : public index::RecordSource {
  public:
    FewRecords() {
        for (const char* text : {"alpha", "beta", "gamma"}) {
            std::vector<std::byte> r(kRecordLength, std::byte{' '});
            std::memcpy(r.data() + 1, text, std::strlen(text));
            std::memcpy(r.data() + 61, text, std::strlen(text));
            std::memcpy(r.data() + 79, "20240229", 8);
            records_.push_back(std::move(r));
        }
    }
    uint32_t recordCount() const override { return static_cast<uint32_t>(records_.size()); }
    void forEachRecord(const Visitor& visit) const override {
        for (size_t i = 0; i < records_.size(); ++i) visit(static_cast<uint32_t>(i + 1), records_[i]);
    }

  private:
    std::vector<std::vector<std::byte>> records_;
};

// A search key of the tag's type, as callers build them.
index::Key probeFor(index::KeyType type) {
    switch (type) {
        case index::KeyType::Numeric:
            return index::numericKey(15);
        case index::KeyType::Date:
            return index::dateKey(index::julianDay(2024, 2, 29));
        case index::KeyType::Character:
            break;
    }
    return index::characterKey("b", 1);
}

void walk(index::TagCursor& cursor, index::KeyType type) {
    int steps = 0;
    for (bool ok = cursor.first(); ok && steps < 2000; ok = cursor.next()) ++steps;
    for (bool ok = cursor.last(); ok && steps < 4000; ok = cursor.prior()) ++steps;
    const index::Key probe = probeFor(type);
    (void)cursor.seekNearest(probe);
    (void)cursor.seekExact(probe);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto path = fuzz::writeScratchFile("T.MDX", {data, size});
    try {
        auto mdx = index::MdxIndex::open(path, fields(), false);
        FewRecords records;
        (void)mdx.check(&records);
        for (const index::TagInfo& tag : mdx.tags()) {
            try {
                auto cursor = mdx.cursor(tag.name);
                walk(cursor, tag.keyType);
            } catch (const DatabaseError&) {
            }
        }
    } catch (const DatabaseError&) {
    }
    return 0;
}
