// The list kit over a real table: the record browser with a row filter, the
// windowed grid walked from end to end, and the search field's keys.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QTest>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "ModalDriver.h"
#include "data/Database.h"
#include "data/Table.h"
#include "data/catalogue/TableCreation.h"
#include "ui/RecordBrowser.h"
#include "ui/RecordGrid.h"
#include "ui/RecordGridModel.h"
#include "ui/SearchField.h"

namespace brimo::ui {
namespace {

namespace fs = std::filesystem;

std::string codeOf(int i) {
    char text[8];
    std::snprintf(text, sizeof text, "C%04d", i);
    return text;
}

// CODE.DBF with `count` stock codes C0000, C0001, ... written in a shuffled
// physical order, so that list order is the tag's and not the file's; every
// odd one is a non-stock item.
class GridOverTable : public ::testing::Test {
  protected:
    static constexpr int count = 2500;

    void SetUp() override {
        brimo::testing::ensureTestApplication();
        std::random_device seed;
        dir = fs::temp_directory_path() / ("brimo-grid-" + std::to_string(seed()));
        fs::create_directories(dir);
        const data::Database database(dir);
        auto writer = data::catalogue::createTable(database, "CODE");
        std::vector<int> order(count);
        for (int i = 0; i < count; ++i) order[static_cast<size_t>(i)] = i;
        std::shuffle(order.begin(), order.end(), std::mt19937(3));
        for (int i : order) {
            writer->append();
            data::zeroNumericFields(*writer);
            writer->setString("STOCKCODE", codeOf(i));
            writer->setBool("NONSTOCK", i % 2 == 1);
            writer->setNumber("LIST", i / 4.0);
            writer->post();
        }
        writer.reset();
        table = database.openTable("CODE", data::OpenMode::ReadOnly);
        table->setActiveTag("CODE");
        browser = std::make_unique<RecordBrowser>(*table);
    }
    void TearDown() override {
        browser.reset();
        table.reset();
        fs::remove_all(dir);
    }

    std::string current() const { return table->asString("STOCKCODE"); }

    fs::path dir;
    std::unique_ptr<data::Table> table;
    std::unique_ptr<RecordBrowser> browser;
};

TEST_F(GridOverTable, RowFilterIsHonouredByEveryMove) {
    browser->setRowFilter([](const data::Table& t) { return !t.asBool("NONSTOCK"); });
    EXPECT_EQ(current(), "C0000");
    EXPECT_TRUE(browser->next());
    EXPECT_EQ(current(), "C0002");
    EXPECT_TRUE(browser->prior());
    EXPECT_FALSE(browser->prior());
    EXPECT_EQ(current(), "C0000");
    browser->last();
    EXPECT_EQ(current(), codeOf(count - 2));
    EXPECT_FALSE(browser->next());
    EXPECT_EQ(current(), codeOf(count - 2));

    struct Search {
        const char* key;
        std::string lands;
    };
    for (const Search& s :
         {Search{"C0101", "C0102"}, Search{"C01", "C0100"}, Search{"D", codeOf(count - 2)}, Search{"", "C0000"}}) {
        browser->findNearest(std::string(s.key));
        EXPECT_EQ(current(), s.lands) << s.key;
    }

    browser->setRowFilter([](const data::Table&) { return false; });
    EXPECT_TRUE(browser->isEmpty());
    EXPECT_FALSE(browser->next());
    browser->findNearest(std::string("C1"));
    EXPECT_TRUE(browser->isEmpty());
}

TEST_F(GridOverTable, WalkingTheWholeListSeesEveryRowOnceInOrderWithABoundedWindow) {
    RecordGrid grid(*browser);
    QAbstractItemModelTester tester(&grid.recordModel(), QAbstractItemModelTester::FailureReportingMode::Warning);
    grid.setColumns({{QStringLiteral("Stock Code"), 17, "STOCKCODE", {}},
                     {QStringLiteral("List"), 10, "LIST", 2},
                     {QStringLiteral("Non-Stock"), 4, "NONSTOCK", {}}});
    grid.resize(500, 300);
    grid.show();
    grid.setFocus();
    RecordGridModel& model = grid.recordModel();
    auto cell = [&](int column, int role = Qt::DisplayRole) {
        return model.index(grid.currentIndex().row(), column).data(role);
    };

    std::vector<std::string> seen{current()};
    for (int i = 1; i < count; ++i) {
        QTest::keyClick(&grid, Qt::Key_Down);
        seen.push_back(current());
        ASSERT_EQ(cell(0).toString().toStdString(), seen.back())
            << "grid and browser disagree at " << i << " row " << grid.currentIndex().row() << " rowOf "
            << model.rowOf(*browser->current()) << " count " << model.rowCount();
        ASSERT_LE(model.rowCount(), RecordGridModel::capacity);
    }
    for (int i = 0; i < count; ++i) ASSERT_EQ(seen[static_cast<size_t>(i)], codeOf(i));
    EXPECT_EQ(cell(1).toString(), QStringLiteral("624.75"));
    EXPECT_EQ(cell(2, Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_FALSE(cell(2).isValid());

    // Back up again from the end: rows load above and drop below.
    QTest::keyClick(&grid, Qt::Key_End);
    for (int i = count - 2; i >= 0; --i) {
        QTest::keyClick(&grid, Qt::Key_Up);
        ASSERT_EQ(current(), codeOf(i));
        ASSERT_EQ(cell(0).toString().toStdString(), codeOf(i));
        ASSERT_LE(model.rowCount(), RecordGridModel::capacity);
    }

    QTest::keyClick(&grid, Qt::Key_End);
    QTest::keyClick(&grid, Qt::Key_Home);
    EXPECT_EQ(current(), "C0000");
    EXPECT_EQ(grid.currentIndex().row(), 0);
    QTest::keyClick(&grid, Qt::Key_End);
    EXPECT_EQ(current(), codeOf(count - 1));
    EXPECT_EQ(grid.currentIndex().row(), model.rowCount() - 1);
    for (int i = 0; i < 40; ++i) QTest::keyClick(&grid, Qt::Key_PageUp);
    EXPECT_EQ(cell(0).toString().toStdString(), current());
    EXPECT_LE(model.rowCount(), RecordGridModel::capacity);

    browser->findNearest(std::string("C1234"));
    EXPECT_EQ(cell(0).toString(), QStringLiteral("C1234"));
}

TEST_F(GridOverTable, SearchFieldUpperCasesAndHandsMovesToTheList) {
    QWidget window;
    RecordGrid grid(*browser, &window);
    grid.setColumns({{QStringLiteral("Stock Code"), 17, "STOCKCODE", {}}});
    SearchField search(*browser, grid, &window);
    QStringList announced;
    QObject::connect(&search, &SearchField::searchChanged, [&](const QString& text) {
        announced << text;
        browser->findNearest(text.toStdString());
    });
    window.show();
    QApplication::setActiveWindow(&window);
    search.setFocus();

    QTest::keyClicks(&search, QStringLiteral("c1"));
    EXPECT_EQ(search.text(), QStringLiteral("C1"));
    EXPECT_EQ(announced, (QStringList{"C", "C1"}));
    EXPECT_EQ(current(), "C1000");

    struct Move {
        Qt::Key key;
        std::string lands;
    };
    for (const Move& m : {Move{Qt::Key_Down, "C1001"}, Move{Qt::Key_Up, "C1000"}}) {
        search.setFocus();
        QTest::keyClick(&search, m.key);
        EXPECT_EQ(current(), m.lands);
        EXPECT_TRUE(grid.hasFocus());
    }
    search.setFocus();
    QTest::keyClick(&search, Qt::Key_PageDown);
    EXPECT_GT(current(), "C1001");
    EXPECT_TRUE(grid.hasFocus());
    EXPECT_EQ(search.text(), QStringLiteral("C1"));
}

}  // namespace
}  // namespace brimo::ui
