// The selection exports driven as a host drives them: a table made for each
// test in a temporary data directory, the dialog worked while exec() runs,
// then the result, the buffer and the settings file checked.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <cstring>
#include <string>

#include "ModalDriver.h"
#include "SelectionTables.h"
#include "brmdll32.h"
#include "platform/IniFile.h"

namespace brimo::selection::test {
namespace {

using brimo::testing::child;
using brimo::testing::onNextModal;

constexpr BrmWindow hostWindow = 0;

QStringList column(QWidget& dialog, int index) {
    auto* grid = child<QTableView>(dialog, QStringLiteral("Grid"));
    QStringList values;
    for (int row = 0; row < grid->model()->rowCount(); ++row) {
        values << grid->model()->index(row, index).data().toString();
    }
    return values;
}

QStringList titles(QWidget& dialog) {
    auto* grid = child<QTableView>(dialog, QStringLiteral("Grid"));
    QStringList values;
    for (int i = 0; i < grid->model()->columnCount(); ++i) {
        values << grid->model()->headerData(i, Qt::Horizontal).toString();
    }
    return values;
}

QString currentCell(QWidget& dialog, int index) {
    auto* grid = child<QTableView>(dialog, QStringLiteral("Grid"));
    return grid->model()->index(grid->currentIndex().row(), index).data().toString();
}

QString text(QWidget& dialog, const char* label) {
    return child<QLabel>(dialog, QLatin1String(label))->text();
}

// Shortcuts and focus need the dialog to be the active window, which the
// offscreen platform does not arrange by itself.
void activate(QWidget& dialog) {
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
}

void click(QWidget& dialog, const char* name) {
    brimo::testing::clickButton(child<QAbstractButton>(dialog, QLatin1String(name)));
}

void typeSearch(QWidget& dialog, const char* keys) {
    auto* search = child<QLineEdit>(dialog, QStringLiteral("SearchFor"));
    search->setFocus();
    QTest::keyClicks(search, QLatin1String(keys));
}

void clearSearch(QWidget& dialog) {
    auto* search = child<QLineEdit>(dialog, QStringLiteral("SearchFor"));
    search->selectAll();
    QTest::keyClick(search, Qt::Key_Backspace);
}

struct CodeBuffer {
    explicit CodeBuffer(const char* start) {
        std::memset(bytes, '#', sizeof bytes);
        std::strcpy(bytes, start);
    }
    std::string text() const { return bytes; }
    char bytes[64];
};

class SelectionExports : public ::testing::Test {
  protected:
    void SetUp() override {
        brimo::testing::ensureTestApplication();
        SetLocations(dir.path().c_str(), "", "");
        SetIniFile(ini().c_str());
    }
    void TearDown() override { EXPECT_EQ(QApplication::activeModalWidget(), nullptr); }

    std::string ini() const { return (dir.path() / "Brimo.Ini").string(); }
    bool excludeNonStockSaved() const {
        return platform::IniFile(ini()).readBool("Indicators", "Exclude NonStock", false);
    }

    TempDir dir;
    brimo::testing::ModalWatchdog watchdog;
};

// ---- stock codes ----

class StockCodeExport : public SelectionExports {
  protected:
    void SetUp() override {
        SelectionExports::SetUp();
        makeStockCodes(dir.path(), {{"A1", "first", 0},
                                    {"AB0", "before", 2},
                                    {"AB1X", "at or after", 1, false, 12.5, 10, 2.5, 1, "fragile"},
                                    {"AB2", "plain", 0, true},
                                    {"B1", "container", 2, true},
                                    {"C1", "assembly", 1}});
    }
};

TEST_F(StockCodeExport, StartTextPositionsAndOkCopiesTheCode) {
    CodeBuffer code("ab1");
    onNextModal([](QWidget& dialog) {
        activate(dialog);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Stock Code Selection"));
        EXPECT_EQ(child<QLineEdit>(dialog, QStringLiteral("SearchFor"))->text(), QStringLiteral("AB1"));
        EXPECT_EQ(titles(dialog), (QStringList{"Stock Code", "Manufacturer", "Model", "Description"}));
        EXPECT_EQ(currentCell(dialog, 0), QStringLiteral("AB1X"));
        EXPECT_TRUE(child<QAbstractButton>(dialog, QStringLiteral("btnNotes"))->isEnabled());
        QTest::keyClick(child<QLineEdit>(dialog, QStringLiteral("SearchFor")), Qt::Key_Down);
        EXPECT_EQ(currentCell(dialog, 0), QStringLiteral("AB2"));
        EXPECT_FALSE(child<QAbstractButton>(dialog, QStringLiteral("btnNotes"))->isEnabled());
        EXPECT_TRUE(child<QTableView>(dialog, QStringLiteral("Grid"))->hasFocus());
        click(dialog, "btnOK");
    });
    EXPECT_EQ(SelectStockCode(hostWindow, code.bytes, 0, 1), 1);
    EXPECT_EQ(code.text(), "AB2");
}

TEST_F(StockCodeExport, TypingSearchesNearestAndDoubleClickConfirms) {
    CodeBuffer code("");
    onNextModal([](QWidget& dialog) {
        typeSearch(dialog, "b");
        EXPECT_EQ(child<QLineEdit>(dialog, QStringLiteral("SearchFor"))->text(), QStringLiteral("B"));
        EXPECT_EQ(currentCell(dialog, 0), QStringLiteral("B1"));
        typeSearch(dialog, "z");  // nothing at or after BZ: the last code
        EXPECT_EQ(currentCell(dialog, 0), QStringLiteral("C1"));
        clearSearch(dialog);
        EXPECT_EQ(currentCell(dialog, 0), QStringLiteral("A1"));
        auto* grid = child<QTableView>(dialog, QStringLiteral("Grid"));
        const QRect cell = grid->visualRect(grid->model()->index(1, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    });
    EXPECT_EQ(SelectStockCode(hostWindow, code.bytes, 0, 1), 1);
    EXPECT_EQ(code.text(), "AB0");
}

TEST_F(StockCodeExport, CancelAndEscapeReturnTwoAndKeepTheBuffer) {
    for (const bool escape : {false, true}) {
        CodeBuffer code("ab");
        onNextModal([escape](QWidget& dialog) {
            if (escape) {
                QTest::keyClick(child<QLineEdit>(dialog, QStringLiteral("SearchFor")), Qt::Key_Escape);
            } else {
                click(dialog, "btnCancel");
            }
        });
        EXPECT_EQ(SelectStockCode(hostWindow, code.bytes, 0, 1), 2) << escape;
        EXPECT_EQ(code.text(), "ab");
    }
}

TEST_F(StockCodeExport, ContainersOnlyWithExcludedNonStockAndTheSavedBox) {
    platform::IniFile(ini()).writeBool("Indicators", "Exclude NonStock", true);
    CodeBuffer code("");
    onNextModal([](QWidget& dialog) {
        EXPECT_TRUE(child<QCheckBox>(dialog, QStringLiteral("cbExcludeNonStock"))->isChecked());
        EXPECT_EQ(column(dialog, 0), (QStringList{"AB0", "AB1X", "C1"}));
        click(dialog, "cbExcludeNonStock");  // the container condition stays
        EXPECT_EQ(column(dialog, 0), (QStringList{"AB0", "AB1X", "B1", "C1"}));
        click(dialog, "btnCancel");
    });
    EXPECT_EQ(SelectStockCode(hostWindow, code.bytes, 1, 1), 2);
    EXPECT_FALSE(excludeNonStockSaved());

    onNextModal([](QWidget& dialog) {
        EXPECT_EQ(column(dialog, 0).size(), 6);
        click(dialog, "cbExcludeNonStock");
        EXPECT_EQ(column(dialog, 0), (QStringList{"A1", "AB0", "AB1X", "C1"}));
        click(dialog, "btnOK");
    });
    EXPECT_EQ(SelectStockCode(hostWindow, code.bytes, 0, 1), 1);
    EXPECT_EQ(code.text(), "A1");
    EXPECT_TRUE(excludeNonStockSaved());
}

TEST_F(StockCodeExport, PanelShowsPricesAtThePricePrecision) {
    makeCompany(dir.path(), 3, false);
    CodeBuffer code("AB1");
    onNextModal([](QWidget& dialog) {
        EXPECT_EQ(text(dialog, "List"), QStringLiteral("12.500"));
        EXPECT_EQ(text(dialog, "Cost"), QStringLiteral("0.000"));
        EXPECT_EQ(text(dialog, "Available"), QStringLiteral("6.5"));
        EXPECT_EQ(text(dialog, "ContainerType"), QStringLiteral("Assembly"));
        click(dialog, "btnCancel");
    });
    SelectStockCode(hostWindow, code.bytes, 0, 1);
}

TEST_F(StockCodeExport, WithoutCompanyRecordTwoDecimalsAndEverythingShown) {
    CodeBuffer code("AB1");
    onNextModal([](QWidget& dialog) {
        EXPECT_EQ(text(dialog, "List"), QStringLiteral("12.50"));
        for (const char* value : {"List", "Price", "Discount1", "Discount2", "Discount3", "Cost"}) {
            EXPECT_FALSE(child<QLabel>(dialog, QLatin1String(value))->isHidden()) << value;
        }
        click(dialog, "btnCancel");
    });
    EXPECT_EQ(SelectStockCode(hostWindow, code.bytes, 0, 1), 2);
}

struct ShiftF12Case {
    bool hidePrices;
    int showCost;
    bool pricesAfterToggle;  // visible after one Shift+F12
    bool costAfterToggle;
};

class StockCodePriceToggle : public StockCodeExport, public ::testing::WithParamInterface<ShiftF12Case> {};

TEST_P(StockCodePriceToggle, FlipsEachValueAndNeverRevealsAForbiddenCost) {
    const ShiftF12Case c = GetParam();
    makeCompany(dir.path(), 2, c.hidePrices);
    CodeBuffer code("");
    onNextModal([c](QWidget& dialog) {
        activate(dialog);
        const char* prices[] = {"List", "Price", "Discount1", "Discount2", "Discount3"};
        auto shown = [&](const char* name) { return !child<QLabel>(dialog, QLatin1String(name))->isHidden(); };
        for (const bool toggled : {false, true, false}) {
            for (const char* name : prices) {
                EXPECT_EQ(shown(name), toggled == c.pricesAfterToggle) << name << " toggled " << toggled;
            }
            const bool costBefore = !c.hidePrices && c.showCost != 0;
            EXPECT_EQ(shown("Cost"), toggled ? c.costAfterToggle : costBefore) << "toggled " << toggled;
            QTest::keyClick(&dialog, Qt::Key_F12, Qt::ShiftModifier);
        }
        QTest::keyClick(&dialog, Qt::Key_F12, Qt::ShiftModifier | Qt::ControlModifier);  // not the toggle
        EXPECT_EQ(shown("List"), c.pricesAfterToggle);
        click(dialog, "btnCancel");
    });
    SelectStockCode(hostWindow, code.bytes, 0, c.showCost);
}

INSTANTIATE_TEST_SUITE_P(Cases, StockCodePriceToggle,
                         ::testing::Values(ShiftF12Case{true, 1, true, true}, ShiftF12Case{false, 1, false, false},
                                           ShiftF12Case{true, 0, true, false}, ShiftF12Case{false, 0, false, false}));

TEST_F(StockCodeExport, ConfirmingAnEmptyListReturnsMinusOne) {
    makeStockCodes(dir.path(), {});
    CodeBuffer code("xyz");
    onNextModal([](QWidget& dialog) { click(dialog, "btnOK"); });
    EXPECT_EQ(SelectStockCode(hostWindow, code.bytes, 0, 1), -1);
    EXPECT_EQ(code.text(), "xyz");
}

TEST_F(SelectionExports, MissingTablesFailWithoutADialog) {
    CodeBuffer code("A");
    EXPECT_EQ(SelectStockCode(hostWindow, code.bytes, 0, 1), -1);
    EXPECT_EQ(SelectCustomer(hostWindow, "A", 1), -1);
    EXPECT_EQ(SelectVendorCode(hostWindow, code.bytes), -1);
    EXPECT_EQ(code.text(), "A");
}

TEST_F(StockCodeExport, NotesOpenAViewOnlyWindow) {
    CodeBuffer code("AB1X");
    onNextModal([](QWidget& dialog) {
        onNextModal([](QWidget& notes) {
            EXPECT_EQ(notes.windowTitle(), QStringLiteral("Notes for Stock Code: AB1X"));
            auto* memo = child<QPlainTextEdit>(notes, QStringLiteral("Memo"));
            EXPECT_TRUE(memo->isReadOnly());
            EXPECT_EQ(memo->toPlainText(), QStringLiteral("fragile"));
            QTest::keyClick(&notes, Qt::Key_Escape);
        });
        click(dialog, "btnNotes");
        click(dialog, "btnCancel");
    });
    EXPECT_EQ(SelectStockCode(hostWindow, code.bytes, 0, 1), 2);
}

TEST_F(StockCodeExport, FilterNarrowsTheListAndCancelChangesNothing) {
    CodeBuffer code("");
    onNextModal([](QWidget& dialog) {
        onNextModal([](QWidget& filter) {
            EXPECT_EQ(filter.windowTitle(), QStringLiteral("Stock Code Selection Filter"));
            EXPECT_EQ(child<QListWidget>(filter, QStringLiteral("lbFields"))->currentItem()->text(),
                      QStringLiteral("DESC"));
            EXPECT_TRUE(child<QRadioButton>(filter, QStringLiteral("rbPartialAnywhere"))->isChecked());
            QTest::keyClicks(child<QLineEdit>(filter, QStringLiteral("edValue")), QStringLiteral("AIN"));
            click(filter, "btnCancel");
        });
        click(dialog, "btnFilter");
        EXPECT_EQ(column(dialog, 0).size(), 6);

        onNextModal([](QWidget& filter) {
            QTest::keyClicks(child<QLineEdit>(filter, QStringLiteral("edValue")), QStringLiteral("AIN"));
            click(filter, "btnOK");
        });
        click(dialog, "btnFilter");
        EXPECT_EQ(column(dialog, 0), (QStringList{"AB2", "B1"}));  // "plain", "container"
        click(dialog, "btnOK");
    });
    EXPECT_EQ(SelectStockCode(hostWindow, code.bytes, 0, 1), 1);
    EXPECT_EQ(code.text(), "AB2");
}

// ---- customers ----

class CustomerExport : public SelectionExports {
  protected:
    void SetUp() override {
        SelectionExports::SetUp();
        makeCustomers(dir.path(), {{1, "Smith", "John", "555-123-4567", "A10"},
                                   {2, "SMITHERS", "", "555-000-1111", "A12"},
                                   {3, "Jones", "Ann", "416-555-2222", "B20", "pays late"},
                                   {4, "Adams", "", "212-111-3333", "A13"},
                                   {5, "Smyth", "Zoe", "212-444-5555", ""}});
    }
};

TEST_F(CustomerExport, PhoneSearchFiltersWithoutTouchingTheSearchField) {
    onNextModal([](QWidget& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Customer Selection"));
        EXPECT_TRUE(child<QLineEdit>(dialog, QStringLiteral("SearchFor"))->text().isEmpty());
        EXPECT_EQ(column(dialog, 0), (QStringList{"Jones, Ann", "Smith, John", "SMITHERS", "Smyth, Zoe"}));
        click(dialog, "btnOK");
    });
    EXPECT_EQ(SelectCustomer(hostWindow, "!555", 1), 3);
}

TEST_F(CustomerExport, AccountSearchSwitchesOrderWithoutNarrowing) {
    onNextModal([](QWidget& dialog) {
        EXPECT_EQ(child<QComboBox>(dialog, QStringLiteral("IndexToUse"))->currentText(), QStringLiteral("EXTACCT"));
        EXPECT_EQ(child<QLineEdit>(dialog, QStringLiteral("SearchFor"))->text(), QStringLiteral("A12"));
        EXPECT_EQ(titles(dialog), (QStringList{"Account #", "Name/Company", "Address", "Phone"}));
        EXPECT_EQ(column(dialog, 0).size(), 5);
        EXPECT_EQ(currentCell(dialog, 0), QStringLiteral("A12"));
        click(dialog, "btnOK");
    });
    EXPECT_EQ(SelectCustomer(hostWindow, "@A12", 1), 2);
}

TEST_F(CustomerExport, NameTextNarrowsUntilTheSearchIsCleared) {
    onNextModal([](QWidget& dialog) {
        EXPECT_EQ(column(dialog, 0), (QStringList{"Smith, John", "SMITHERS"}));
        clearSearch(dialog);
        EXPECT_EQ(column(dialog, 0).size(), 5);
        typeSearch(dialog, "smy");
        EXPECT_EQ(column(dialog, 0), (QStringList{"Smyth, Zoe"}));
        // Another order lists everything and only positions.
        auto* index = child<QComboBox>(dialog, QStringLiteral("IndexToUse"));
        index->setCurrentIndex(index->findText(QStringLiteral("CUSTNUM")));
        emit index->activated(index->currentIndex());
        EXPECT_EQ(column(dialog, 0).size(), 5);
        EXPECT_EQ(titles(dialog).first(), QStringLiteral("Name/Company"));
        click(dialog, "btnOK");
    });
    EXPECT_EQ(SelectCustomer(hostWindow, "smi", 1), 1);
}

TEST_F(CustomerExport, NewButtonAndCancel) {
    onNextModal([](QWidget& dialog) {
        EXPECT_TRUE(child<QAbstractButton>(dialog, QStringLiteral("btnNew"))->isHidden());
        click(dialog, "btnCancel");
    });
    EXPECT_EQ(SelectCustomer(hostWindow, "", 0), -1);

    onNextModal([](QWidget& dialog) { click(dialog, "btnNew"); });
    EXPECT_EQ(SelectCustomer(hostWindow, "", 1), -2);
}

TEST_F(CustomerExport, NotesAndAnEmptyList) {
    onNextModal([](QWidget& dialog) {
        EXPECT_TRUE(child<QAbstractButton>(dialog, QStringLiteral("btnNotes"))->isEnabled());
        EXPECT_EQ(text(dialog, "CustNum"), QStringLiteral("3"));
        onNextModal([](QWidget& notes) {
            EXPECT_EQ(notes.windowTitle(), QStringLiteral("Notes for Customer: Jones, Ann"));
            QTest::keyClick(&notes, Qt::Key_Escape);
        });
        click(dialog, "btnNotes");
        clearSearch(dialog);
        typeSearch(dialog, "Q");  // no name begins with Q
        EXPECT_TRUE(column(dialog, 0).isEmpty());
        EXPECT_FALSE(child<QAbstractButton>(dialog, QStringLiteral("btnNotes"))->isEnabled());
        click(dialog, "btnOK");
    });
    EXPECT_EQ(SelectCustomer(hostWindow, "JON", 1), -1);
}

// ---- vendors ----

class VendorExport : public SelectionExports {
  protected:
    void SetUp() override {
        SelectionExports::SetUp();
        makeVendors(dir.path(), {{"AB1", "Zeta Supply"},
                                 {"AC1", "Acme Parts"},
                                 {"AC2", "Beta Tools"},
                                 {"AC3", "acorn goods"},
                                 {"BD1", "Acme West"}});
    }
};

TEST_F(VendorExport, StartTextRangeStaysUntilNameOrderIsTyped) {
    CodeBuffer code("ac");
    onNextModal([](QWidget& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Vendor Selection"));
        EXPECT_EQ(column(dialog, 0), (QStringList{"AC1", "AC2", "AC3"}));
        clearSearch(dialog);
        EXPECT_EQ(column(dialog, 0), (QStringList{"AC1", "AC2", "AC3"}));
        auto* index = child<QComboBox>(dialog, QStringLiteral("IndexToUse"));
        index->setCurrentIndex(index->findText(QStringLiteral("VENDORNAME")));
        emit index->activated(index->currentIndex());
        EXPECT_EQ(titles(dialog).mid(0, 2), (QStringList{"Vendor Name", "Vendor Code"}));
        EXPECT_EQ(column(dialog, 0), (QStringList{"Acme Parts", "acorn goods", "Beta Tools"}));
        typeSearch(dialog, "ac");
        EXPECT_EQ(column(dialog, 0), (QStringList{"Acme Parts", "Acme West", "acorn goods"}));
        QTest::keyClick(child<QLineEdit>(dialog, QStringLiteral("SearchFor")), Qt::Key_Down);
        click(dialog, "btnOK");
    });
    EXPECT_EQ(SelectVendorCode(hostWindow, code.bytes), 1);
    EXPECT_EQ(code.text(), "BD1");
}

TEST_F(VendorExport, CancelAndAnEmptyRangeLeaveTheBuffer) {
    CodeBuffer code("ZZ");
    onNextModal([](QWidget& dialog) {
        EXPECT_TRUE(column(dialog, 0).isEmpty());
        click(dialog, "btnOK");
    });
    EXPECT_EQ(SelectVendorCode(hostWindow, code.bytes), -1);
    EXPECT_EQ(code.text(), "ZZ");

    onNextModal([](QWidget& dialog) { click(dialog, "btnCancel"); });
    EXPECT_EQ(SelectVendorCode(hostWindow, code.bytes), -1);
    EXPECT_EQ(code.text(), "ZZ");
}

}  // namespace
}  // namespace brimo::selection::test
