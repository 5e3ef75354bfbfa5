// The stock code editor on large data: opening it on a CODE.DBF of 1,000,000
// records (the data set of `brimo-db sample DIR --records 1000000`, made once
// in $BRIMO_BENCH_DIR, default /tmp/brimo-bench-1m, and shared with the
// engine's benchmarks), and the container cost roll-up after the costs of
// 1,000 components changed, under the busy cursor as the editor runs it.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "data/Database.h"
#include "data/Table.h"
#include "data/catalogue/TableCreation.h"
#include "maintenance/StockCodeInformation.h"
#include "maintenance/stockcode/ContainerCostRollUp.h"
#include "maintenance/stockcode/PickLists.h"
#include "maintenance/stockcode/StockCodePosting.h"
#include "maintenance/stockcode/TableRecord.h"
#include "sample/SampleDataSet.h"
#include "ui/BusyCursor.h"

namespace {

using namespace brimo;

constexpr uint32_t kRecords = 1'000'000;
constexpr int kComponents = 1'000;
constexpr int kContainers = 250;

const std::filesystem::path& largeDataDirectory() {
    static const std::filesystem::path dir = [] {
        const char* env = std::getenv("BRIMO_BENCH_DIR");
        std::filesystem::path path = env ? env : "/tmp/brimo-bench-1m";
        bool ready = false;
        if (std::filesystem::exists(path / "CODE.DBF")) {
            data::Database db(path);
            ready = db.openTable("CODE", data::OpenMode::ReadOnly)->recordCount() >= kRecords;
        }
        if (!ready)
            sample::writeSampleDataSet(path, {kRecords});
        return path;
    }();
    return dir;
}

void ensureApplication() {
    if (QApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "bench";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
}

// Creating the dialog (company record, tables, every control), positioning
// on a stock code in the middle of the table and showing it.
void BM_OpenEditorOnAMillionStockCodes(benchmark::State& state) {
    ensureApplication();
    const auto& dir = largeDataDirectory();
    for (auto _ : state) {
        maintenance::TStockCodeInformation dialog(dir, false);
        dialog.showStockCode("GD00500000");
        dialog.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(dialog.isVisible());
    }
}
BENCHMARK(BM_OpenEditorOnAMillionStockCodes)->Unit(benchmark::kMillisecond)->Iterations(10);

// 1,000 components, each in two of 250 containers re-priced automatically.
std::filesystem::path makeRollUpData() {
    const auto dir = std::filesystem::temp_directory_path() / "brimo-bench-rollup";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    data::Database db(dir);
    for (const char* table : {"CODE", "CODECAT", "CODESUB", "CONDEF"}) data::catalogue::createTable(db, table);
    auto code = db.openTable("CODE");
    auto condef = db.openTable("CONDEF");
    const auto add = [&](const std::string& stockCode, double cost, double container) {
        code->append();
        data::zeroNumericFields(*code);
        code->setString("STOCKCODE", stockCode);
        code->setNumber("COST", cost);
        code->setNumber("CONTAINER", container);
        code->setNumber("AUTOPRICE", container > 0 ? 2 : 0);
        code->setNumber("LISTMTHD", 1);
        code->setNumber("LISTPCT", 40);
        code->post();
    };
    for (int i = 0; i < kContainers; ++i) add("BOX" + std::to_string(10000 + i), 0, 2);
    for (int i = 0; i < kComponents; ++i) {
        const std::string component = "PART" + std::to_string(10000 + i);
        add(component, 1 + i % 7, 0);
        for (int copy = 0; copy < 2; ++copy) {
            condef->append();
            condef->setString("STOCKCODE", component);
            condef->setString("CONTAINER", "BOX" + std::to_string(10000 + (i * 2 + copy) % kContainers));
            condef->setNumber("QUANTITY", 1 + copy);
            condef->post();
        }
    }
    return dir;
}

void BM_RollUpAfterAThousandCostChanges(benchmark::State& state) {
    ensureApplication();
    const auto dir = makeRollUpData();
    data::Database db(dir);
    auto code = db.openTable("CODE");
    auto categories = db.openTable("CODECAT");
    auto subCategories = db.openTable("CODESUB");
    maintenance::StockCodePosting posting(true, 0);
    code->setBeforePost([&](data::Table& table) {
        maintenance::TableRecord record(table);
        posting.beforePost(record, false);
    });
    code->setAfterPost([&](data::Table& table) {
        maintenance::addToPickList(*categories, table.asString("CATEGORY"));
        maintenance::addToPickList(*subCategories, table.asString("SUBCAT"));
    });
    std::set<std::string> changed;
    for (int i = 0; i < kComponents; ++i) changed.insert("PART" + std::to_string(10000 + i));
    int saved = 0;
    for (auto _ : state) {
        ui::BusyCursor busy;
        saved = maintenance::rollUpContainerCosts(db, *code, changed, 2, [](const std::exception&) { std::abort(); });
    }
    state.counters["containers"] = saved;
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_RollUpAfterAThousandCostChanges)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
