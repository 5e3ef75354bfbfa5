// The selection lists over 1,000,000 stock codes and 1,000,000 customers:
// from the export's call to the dialog on screen, one keystroke in the
// search field, jumping to the end of the list, paging through it (with the
// resident memory it leaves behind), and a search filter that has to look at
// every record.
//
// Data: the sample data set with 1,000,000 records per table, written once
// into $BRIMO_SELECTION_BENCH_DIR (default /tmp/brimo-selection-bench) and
// reused. Runs under the offscreen platform.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "brmdll32.h"
#include "sample/SampleDataSet.h"
#include "selection/CodeSelectionDlg.h"
#include "selection/CustomerSelectionDlg.h"
#include "ui/RecordGrid.h"
#include "ui/RecordGridModel.h"
#include "ui/SearchField.h"

namespace {

using namespace brimo;
using Clock = std::chrono::steady_clock;

std::filesystem::path dataDirectory() {
    const char* chosen = std::getenv("BRIMO_SELECTION_BENCH_DIR");
    std::filesystem::path directory = chosen != nullptr ? chosen : "/tmp/brimo-selection-bench";
    if (!std::filesystem::exists(directory / "CODE.DBF")) {
        std::filesystem::create_directories(directory);
        sample::SampleOptions options;
        options.records = 1'000'000;
        sample::writeSampleDataSet(directory, options);
    }
    return directory;
}

selection::SelectionContext context() {
    return {dataDirectory(), std::filesystem::temp_directory_path() / "brimo-selection-bench.ini"};
}

long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return 0;
}

// Notes when a modal dialog is shown and closes it right away.
class ShowWatcher : public QObject {
  public:
    Clock::time_point shownAt;

  protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* dialog = qobject_cast<QDialog*>(object);
        if (event->type() == QEvent::Show && dialog != nullptr && dialog->isModal()) {
            shownAt = Clock::now();
            QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
        }
        return false;
    }
};

template <class Call>
void exportUntilShown(benchmark::State& state, Call call) {
    const std::string directory = dataDirectory().string();
    SetLocations(directory.c_str(), "", "");
    SetIniFile(context().iniFile.c_str());
    ShowWatcher watcher;
    qApp->installEventFilter(&watcher);
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        call();
        state.SetIterationTime(std::chrono::duration<double>(watcher.shownAt - start).count());
    }
    qApp->removeEventFilter(&watcher);
}

void StockCodeExportUntilShown(benchmark::State& state) {
    exportUntilShown(state, [] {
        char code[32] = "AB";
        SelectStockCode(0, code, 0, 1);
    });
}
BENCHMARK(StockCodeExportUntilShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

void CustomerExportUntilShown(benchmark::State& state) {
    exportUntilShown(state, [] { SelectCustomer(0, "SMI", 1); });
}
BENCHMARK(CustomerExportUntilShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

template <class Dialog>
void keystrokes(benchmark::State& state) {
    Dialog dialog(context());
    dialog.show();
    ui::SearchField& search = dialog.searchField();
    const char letters[] = "ABCDEFGHIJKLMNOPRSTW";
    size_t next = 0;
    for (auto _ : state) {
        QTest::keyClick(&search, letters[next++ % (sizeof letters - 1)]);
        QTest::keyClick(&search, Qt::Key_Backspace);
    }
    state.SetItemsProcessed(2 * state.iterations());  // keystrokes
}

void StockCodeKeystroke(benchmark::State& state) {
    keystrokes<selection::TCodeSelectionDlg>(state);
}
BENCHMARK(StockCodeKeystroke)->Unit(benchmark::kMillisecond);

// Under the name order each keystroke also narrows the list to a range.
void CustomerKeystroke(benchmark::State& state) {
    keystrokes<selection::TCustomerSelectionDlg>(state);
}
BENCHMARK(CustomerKeystroke)->Unit(benchmark::kMillisecond);

void StockCodeEndAndHome(benchmark::State& state) {
    selection::TCodeSelectionDlg dialog(context());
    dialog.show();
    for (auto _ : state) {
        QTest::keyClick(&dialog.grid(), Qt::Key_End);
        QTest::keyClick(&dialog.grid(), Qt::Key_Home);
    }
}
BENCHMARK(StockCodeEndAndHome)->Unit(benchmark::kMillisecond);

// Pages down through the list; the resident memory grown over the whole run
// and the rows the grid holds at the end are reported.
void StockCodePageDown(benchmark::State& state) {
    selection::TCodeSelectionDlg dialog(context());
    dialog.show();
    const long before = residentKilobytes();
    for (auto _ : state) {
        QTest::keyClick(&dialog.grid(), Qt::Key_PageDown);
    }
    state.counters["rss_growth_kb"] = static_cast<double>(residentKilobytes() - before);
    state.counters["rows_held"] = dialog.grid().recordModel().rowCount();
    state.counters["row_reached"] = dialog.grid().currentIndex().row();
}
BENCHMARK(StockCodePageDown)->Unit(benchmark::kMillisecond)->Iterations(3000);

// A filter that matches nothing: every record is read once, in key order.
void StockCodeFilterWithoutMatches(benchmark::State& state) {
    selection::TCodeSelectionDlg dialog(context());
    dialog.show();
    for (auto _ : state) {
        selection::SearchCriteria criteria;
        selection::FieldCriterion nothing;
        nothing.field = "DESC";
        nothing.value = "no such words";
        criteria.set(nothing);
        dialog.applyCriteria(criteria);
        state.PauseTiming();
        dialog.applyCriteria({});
        state.ResumeTiming();
    }
}
BENCHMARK(StockCodeFilterWithoutMatches)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    dataDirectory();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
