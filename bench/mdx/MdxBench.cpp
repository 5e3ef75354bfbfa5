// Speed of the production index over a generated table of 1,000,000 records:
// bulk build of a numeric tag, nearest-key search, open and first key, and
// the maintenance of one record in every tag.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "data/index/MdxIndex.h"
#include "data/index/MemoryTable.h"

namespace {

using namespace brimo::data::index;
using test::MemoryTable;

constexpr int kRecords = 1'000'000;

MemoryTable& table() {
    static MemoryTable t = [] {
        MemoryTable m({{"CUSTNUM", 'N', 8, 0, 0}, {"LASTNAME", 'C', 30, 0, 0}, {"ADDED", 'D', 8, 0, 0}});
        std::mt19937 rng(1);
        for (int i = 0; i < kRecords; ++i) {
            int n = std::uniform_int_distribution(1, 99'999'999)(rng);
            m.append(m.make({std::to_string(n), "NAME" + std::to_string(n % 50'000), "2024" + std::string("0315")}));
        }
        return m;
    }();
    return t;
}

std::filesystem::path benchFile(const char* name) {
    return std::filesystem::temp_directory_path() / name;
}

const std::vector<TagDefinition> kAllTags = {{"CUSTNUM", "CUSTNUM", "", false, false},
                                             {"NAME", "UPPER(LASTNAME)", "", false, false},
                                             {"ADDED", "ADDED", "", false, false}};

void BM_BuildNumericTag(benchmark::State& state) {
    MemoryTable& t = table();
    std::vector<TagDefinition> tags{kAllTags[0]};
    for (auto _ : state) MdxIndex::create(benchFile("bench-build.mdx"), "BENCH", t.fields(), tags, t);
}
BENCHMARK(BM_BuildNumericTag)->Unit(benchmark::kMillisecond)->Iterations(3);

MdxIndex& fullIndex() {
    static MdxIndex mdx = [] {
        MdxIndex::create(benchFile("bench-full.mdx"), "BENCH", table().fields(), kAllTags, table());
        return MdxIndex::open(benchFile("bench-full.mdx"), table().fields(), true);
    }();
    return mdx;
}

void BM_SeekNearest(benchmark::State& state) {
    TagCursor c = fullIndex().cursor("CUSTNUM");
    std::mt19937 rng(2);
    for (auto _ : state) {
        benchmark::DoNotOptimize(c.seekNearest(numericKey(std::uniform_int_distribution(1, 99'999'999)(rng))));
    }
}
BENCHMARK(BM_SeekNearest)->Unit(benchmark::kMicrosecond);

void BM_OpenAndFirst(benchmark::State& state) {
    fullIndex();
    for (auto _ : state) {
        MdxIndex mdx = MdxIndex::open(benchFile("bench-full.mdx"), table().fields(), false);
        TagCursor c = mdx.cursor("NAME");
        benchmark::DoNotOptimize(c.first());
    }
}
BENCHMARK(BM_OpenAndFirst)->Unit(benchmark::kMicrosecond);

void BM_ReplaceOneRecordAllTags(benchmark::State& state) {
    MdxIndex& mdx = fullIndex();
    MemoryTable& t = table();
    std::mt19937 rng(3);
    for (auto _ : state) {
        uint32_t recno = std::uniform_int_distribution<uint32_t>(1, kRecords)(rng);
        std::vector<std::byte> before = t.record(recno);
        int n = std::uniform_int_distribution(1, 99'999'999)(rng);
        std::vector<std::byte> after = t.make({std::to_string(n), "NAME" + std::to_string(n % 50'000), "20240316"});
        mdx.updateRecord(recno, before, after);
        t.record(recno) = after;
    }
}
BENCHMARK(BM_ReplaceOneRecordAllTags)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
