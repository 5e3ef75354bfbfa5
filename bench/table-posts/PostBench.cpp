// Cost of one post on an indexed table with a memo: edit (key moves in every
// tag), append, delete and recall.
#include "data/Database.h"
#include "data/Table.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <random>

namespace brimo::data {
namespace {

constexpr uint32_t kRecords = 20000;

class StockTable {
  public:
    StockTable() {
        std::random_device rd;
        dir_ = std::filesystem::temp_directory_path() / ("brimo-bench-" + std::to_string(rd()));
        std::filesystem::create_directories(dir_);
        db_.emplace(dir_);
        table_ = db_->createTable("stock", {{"CODE", 'C', 15, 0}, {"QTY", 'N', 10, 2}, {"NOTES", 'M', 0, 0}},
                                  {{"CODE", "CODE", false, false, ""},
                                   {"QTY", "QTY", false, true, ""},
                                   {"LIVE", "UPPER(CODE)", false, false, ".NOT. DELETED()"}});
        for (uint32_t i = 0; i < kRecords; ++i) {
            table_->append();
            table_->setString("CODE", "C" + std::to_string(rng_() % 1000000));
            table_->setNumber("QTY", rng_() % 10000);
            table_->post();
        }
    }
    ~StockTable() {
        table_.reset();
        std::filesystem::remove_all(dir_);
    }
    Table& table() { return *table_; }
    uint32_t randomRecord() { return 1 + rng_() % kRecords; }
    std::string randomCode() { return "C" + std::to_string(rng_() % 1000000); }

  private:
    std::filesystem::path dir_;
    std::optional<Database> db_;
    std::unique_ptr<Table> table_;
    std::mt19937 rng_{42};
};

void IndexedEdit(benchmark::State& state) {
    StockTable stock;
    Table& t = stock.table();
    for (auto _ : state) {
        state.PauseTiming();
        t.gotoRecord(stock.randomRecord());
        const std::string code = stock.randomCode();
        state.ResumeTiming();
        t.edit();
        t.setString("CODE", code);
        t.setNumber("QTY", 12.5);
        t.post();
    }
}
BENCHMARK(IndexedEdit)->Repetitions(5)->ReportAggregatesOnly(true);

void IndexedAppend(benchmark::State& state) {
    StockTable stock;
    Table& t = stock.table();
    for (auto _ : state) {
        t.append();
        t.setString("CODE", stock.randomCode());
        t.setNumber("QTY", 1);
        t.post();
    }
}
BENCHMARK(IndexedAppend)->Repetitions(5)->ReportAggregatesOnly(true);

void DeleteAndRecall(benchmark::State& state) {
    StockTable stock;
    Table& t = stock.table();
    t.setShowDeleted(true);
    for (auto _ : state) {
        const uint32_t r = stock.randomRecord();
        t.gotoRecord(r);
        t.deleteRecord();
        t.recall(r);
    }
}
BENCHMARK(DeleteAndRecall)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace brimo::data
