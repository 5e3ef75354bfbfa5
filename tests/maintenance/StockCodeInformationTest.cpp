// "Stock Code Information" called as the host calls it, through EditStockCode,
// with the dialog driven while it runs and the tables read back afterwards.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "ModalDriver.h"
#include "StockCodeData.h"
#include "brmdll32.h"
#include "maintenance/stockcode/ExactKey.h"

namespace brimo::maintenance {
namespace {

using brimo::testing::child;
using brimo::testing::onNextModal;

constexpr BrmWindow hostWindow = 0;

void click(QWidget& window, const char* name) {
    brimo::testing::clickButton(child<QAbstractButton>(window, name));
}

// Replaces what a box shows by typing, as a user who selects it all first.
void typeInto(QWidget& window, const char* name, const QString& text) {
    auto* edit = child<QLineEdit>(window, name);
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    edit->selectAll();
    if (text.isEmpty()) {
        QTest::keyClick(edit, Qt::Key_Delete);
    }
    QTest::keyClicks(edit, text);
}

QString shown(QWidget& window, const char* name) {
    auto* label = child<QLabel>(window, name);
    return label != nullptr ? label->text() : QString();
}

// Answers the next message box; the stock code editor under it stays open.
void answerMessageBox(std::function<void(QMessageBox&)> answer, int pollsLeft = 10000) {
    QTimer::singleShot(0, [answer = std::move(answer), pollsLeft] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            answer(*box);
            box->accept();
        } else if (pollsLeft > 0) {
            answerMessageBox(answer, pollsLeft - 1);
        } else {
            ADD_FAILURE() << "no message box appeared";
        }
    });
}

class StockCodeEditor : public ::testing::Test {
  protected:
    void SetUp() override {
        brimo::testing::ensureTestApplication();
        watchdog = std::make_unique<brimo::testing::ModalWatchdog>();
        data.setCompany(2, 0);
        SetLocations(data.directory().c_str(), "", "");
    }
    void TearDown() override { EXPECT_EQ(QApplication::activeModalWidget(), nullptr); }

    int32_t edit(const char* code, int32_t singleRecord, std::function<void(QWidget&)> drive) {
        onNextModal(std::move(drive));
        return EditStockCode(hostWindow, code, singleRecord);
    }

    test::StockCodeData data;
    std::unique_ptr<brimo::testing::ModalWatchdog> watchdog;
};

TEST_F(StockCodeEditor, OpensOnTheCodeAskedForOrTheFirstOne) {
    data.addStockCode("NUT");
    data.addStockCode("BOLT");
    data.addStockCode("AAA");
    data.addStockCode("BOLTS");
    const struct {
        const char* code;
        int32_t singleRecord;
        const char* shownCode;
        bool navigator;
    } cases[] = {
        {"NUT", 0, "NUT", true},   {"NUT", 1, "NUT", false}, {"BOLT", 0, "BOLT", true},     {"BOL", 0, "AAA", true},
        {"NOPE", 1, "AAA", false}, {"", 0, "AAA", true},     {"NUT", 0x10000, "NUT", true},  // only the low 16 bits are
                                                                                             // read
        {"NUT", -1, "NUT", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.code) + " mode " + std::to_string(c.singleRecord));
        EXPECT_EQ(
            edit(c.code, c.singleRecord,
                 [&](QWidget& dialog) {
                     EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Stock Code Information"));
                     EXPECT_EQ(shown(dialog, "StockCode"), QString::fromLatin1(c.shownCode));
                     EXPECT_EQ(child<QWidget>(dialog, "Navigator")->isVisible(), c.navigator);
                     auto* category = child<QComboBox>(dialog, "Category");
                     EXPECT_TRUE(dialog.focusWidget() == category || dialog.focusWidget() == category->lineEdit());
                     click(dialog, "btnCancel");
                 }),
            2);
    }
}

TEST_F(StockCodeEditor, FailsWithoutItsTables) {
    std::filesystem::remove(data.directory() / "CODE.DBF");
    EXPECT_EQ(EditStockCode(hostWindow, "", 0), -1);
    SetLocations("", "", "");
    EXPECT_EQ(EditStockCode(hostWindow, "", 0), -1);
}

TEST_F(StockCodeEditor, OkSavesThroughThePostingRulesAndListsTheNewCategory) {
    data.addStockCode("ITEM");
    data.add("CODECAT", {{"ENTRY", std::string("HWX")}});
    EXPECT_EQ(edit("ITEM", 1,
                   [](QWidget& dialog) {
                       auto* category = child<QComboBox>(dialog, "Category");
                       category->lineEdit()->setFocus();
                       QTest::keyClicks(category->lineEdit(), QStringLiteral(" HW "));
                       typeInto(dialog, "Minimum", QStringLiteral("5"));
                       typeInto(dialog, "Maximum", QStringLiteral("3"));
                       typeInto(dialog, "TargetQty", QStringLiteral("1"));
                       typeInto(dialog, "UnitsToOrd", QString());
                       click(dialog, "btnOK");
                   }),
              1);
    const auto saved = data.stockCode("ITEM");
    EXPECT_EQ(saved->asString("CATEGORY"), "HW");
    EXPECT_DOUBLE_EQ(saved->asNumber("MINIMUM"), 5);
    EXPECT_DOUBLE_EQ(saved->asNumber("MAXIMUM"), 5);
    EXPECT_DOUBLE_EQ(saved->asNumber("TARGETQTY"), 5);
    EXPECT_DOUBLE_EQ(saved->asNumber("UNITSTOORD"), 1);
    EXPECT_THAT(data.entries("CODECAT"), ::testing::ElementsAre("HWX", "HW"));
    EXPECT_THAT(data.entries("CODESUB"), ::testing::ElementsAre("")) << "the empty sub-category is listed too";
}

TEST_F(StockCodeEditor, CancelAndTheCloseBoxDiscardTheChanges) {
    data.addStockCode("ITEM", {{"MFR", std::string("ACME")}});
    for (bool closeBox : {false, true}) {
        EXPECT_EQ(edit("ITEM", 0,
                       [&](QWidget& dialog) {
                           typeInto(dialog, "Mfr", QStringLiteral("OTHER"));
                           closeBox ? (void)dialog.close() : click(dialog, "btnCancel");
                       }),
                  2);
        EXPECT_EQ(data.stockCode("ITEM")->asString("MFR"), "ACME");
    }
}

TEST_F(StockCodeEditor, SerializedAndContainerTypeExcludeEachOther) {
    data.addStockCode("ITEM", {{"CONTAINER", 2.0}});
    EXPECT_EQ(edit("ITEM", 1,
                   [](QWidget& dialog) {
                       auto* serialized = child<QCheckBox>(dialog, "cbSerialized");
                       auto* none = child<QRadioButton>(dialog, "rgContainer_0");
                       auto* assembly = child<QRadioButton>(dialog, "rgContainer_1");
                       EXPECT_TRUE(child<QRadioButton>(dialog, "rgContainer_2")->isChecked());
                       click(dialog, "cbSerialized");
                       EXPECT_TRUE(none->isChecked());
                       click(dialog, "rgContainer_1");
                       EXPECT_TRUE(assembly->isChecked());
                       EXPECT_FALSE(serialized->isChecked());
                       click(dialog, "btnOK");
                   }),
              1);
    const auto saved = data.stockCode("ITEM");
    EXPECT_EQ(saved->asInteger("CONTAINER"), 1);
    EXPECT_FALSE(saved->asBool("SERIALIZED"));
}

TEST_F(StockCodeEditor, APriceCategoryGivesItsSettingsAndRecalcThePrices) {
    data.add("PRICECAT", {{"PRICECAT", std::string("RETAIL")},
                          {"LISTMTHD", 1.0},
                          {"LISTPCT", 50.0},
                          {"SALEMTHD", 3.0},
                          {"SALEPCT", 10.0},
                          {"DISC1DESC", std::string("Gold")},
                          {"AUTOPRICE", 1.0}});
    data.add("PRICECAT", {{"PRICECAT", std::string("WHOLESALE")}, {"LISTMTHD", 2.0}});
    data.addStockCode("ITEM", {{"COST", 10.0}, {"LIST", 1.0}, {"PRICE", 1.0}, {"DISC1DESC", std::string("Silver")}});
    EXPECT_EQ(edit("ITEM", 1,
                   [](QWidget& dialog) {
                       child<QTabWidget>(dialog, "PageControl")->setCurrentIndex(1);
                       EXPECT_EQ(dialog.focusWidget(), child<QWidget>(dialog, "rgListMthd_0"));
                       EXPECT_EQ(shown(dialog, "lblDiscount1"), QStringLiteral("Silver"));
                       auto* category = child<QComboBox>(dialog, "PriceCat");
                       category->lineEdit()->setFocus();
                       QTest::keyClicks(category->lineEdit(), QStringLiteral("re"));
                       EXPECT_EQ(category->currentText(), QStringLiteral("RETAIL")) << "completed in upper case";
                       QTest::keyClick(category->lineEdit(), Qt::Key_Return);
                       EXPECT_TRUE(child<QRadioButton>(dialog, "rgListMthd_1")->isChecked());
                       EXPECT_TRUE(child<QRadioButton>(dialog, "rgAutoPrice_1")->isChecked());
                       EXPECT_EQ(shown(dialog, "lblDiscount1"), QStringLiteral("Gold"));
                       EXPECT_EQ(shown(dialog, "lblList"), QStringLiteral("1.00")) << "not recomputed yet";
                       click(dialog, "btnRecalc");
                       EXPECT_EQ(shown(dialog, "lblList"), QStringLiteral("15.00"));
                       EXPECT_EQ(shown(dialog, "lblPrice"), QStringLiteral("13.50"));
                       click(dialog, "btnOK");
                   }),
              1);
    const auto saved = data.stockCode("ITEM");
    EXPECT_EQ(saved->asString("PRICECAT"), "RETAIL");
    EXPECT_EQ(saved->asInteger("LISTMTHD"), 1);
    EXPECT_EQ(saved->asInteger("AUTOPRICE"), 1);
    EXPECT_EQ(saved->asString("DISC1DESC"), "Gold");
    EXPECT_DOUBLE_EQ(saved->asNumber("LIST"), 15);
    EXPECT_DOUBLE_EQ(saved->asNumber("PRICE"), 13.5);
}

TEST_F(StockCodeEditor, APriceCategoryNotListedIsRefusedAndClearingIsAllowed) {
    data.add("PRICECAT", {{"PRICECAT", std::string("RETAIL")}, {"LISTMTHD", 1.0}});
    data.addStockCode("ITEM", {{"PRICECAT", std::string("RETAIL")}, {"LISTMTHD", 2.0}});
    EXPECT_EQ(edit("ITEM", 1,
                   [](QWidget& dialog) {
                       child<QTabWidget>(dialog, "PageControl")->setCurrentIndex(1);
                       auto* category = child<QComboBox>(dialog, "PriceCat");
                       category->lineEdit()->setFocus();
                       category->lineEdit()->selectAll();
                       QTest::keyClicks(category->lineEdit(), QStringLiteral("XYZ"));
                       QTest::keyClick(category->lineEdit(), Qt::Key_Return);
                       EXPECT_EQ(category->currentText(), QStringLiteral("RETAIL"));
                       category->lineEdit()->selectAll();
                       QTest::keyClick(category->lineEdit(), Qt::Key_Delete);
                       QTest::keyClick(category->lineEdit(), Qt::Key_Return);
                       EXPECT_EQ(category->currentText(), QString());
                       click(dialog, "btnOK");
                   }),
              1);
    const auto saved = data.stockCode("ITEM");
    EXPECT_EQ(saved->asString("PRICECAT"), "");
    EXPECT_EQ(saved->asInteger("LISTMTHD"), 2) << "clearing copies no settings";
}

class ContainerRollUp : public StockCodeEditor {
  protected:
    void SetUp() override {
        StockCodeEditor::SetUp();
        data.setCompany(3, 0);
        data.addStockCode("BOLT", {{"COST", 0.25}});
        data.addStockCode("NUT", {{"COST", 0.1234}});
        data.addStockCode("KIT", {{"CONTAINER", 1.0}, {"COST", 99.0}});
        data.addStockCode("BOX", {{"CONTAINER", 2.0}, {"COST", 99.0}});
        data.addComponent("BOLT", "KIT", 4);
        data.addComponent("NUT", "KIT", 4);
        data.addComponent("GHOST", "KIT", 10);
        data.addComponent("BOLT", "BOX", 100);
    }
};

TEST_F(ContainerRollUp, ClosingABrowsingEditorRecomputesTheContainersOfChangedCosts) {
    EXPECT_EQ(edit("BOLT", 0,
                   [](QWidget& dialog) {
                       typeInto(dialog, "Cost", QStringLiteral("0.3333"));
                       EXPECT_EQ(child<QLineEdit>(dialog, "Cost")->text(), QStringLiteral("0.333"))
                           << "three decimals with precision 3";
                       click(dialog, "navNext");
                       EXPECT_EQ(shown(dialog, "StockCode"), QStringLiteral("BOX"));
                       click(dialog, "btnCancel");
                   }),
              2);
    EXPECT_DOUBLE_EQ(data.stockCode("BOLT")->asNumber("COST"), 0.333);
    EXPECT_DOUBLE_EQ(data.stockCode("KIT")->asNumber("COST"), 1.826) << "1.332 + 0.4936, GHOST adds nothing";
    EXPECT_DOUBLE_EQ(data.stockCode("BOX")->asNumber("COST"), 33.3);
}

TEST_F(ContainerRollUp, NothingIsRolledUpInSingleRecordModeOrWithoutATypedCost) {
    EXPECT_EQ(edit("BOLT", 1,
                   [](QWidget& dialog) {
                       typeInto(dialog, "Cost", QStringLiteral("1"));
                       click(dialog, "btnOK");
                   }),
              1);
    EXPECT_EQ(edit("BOLT", 0,
                   [](QWidget& dialog) {
                       typeInto(dialog, "Mfr", QStringLiteral("ACME"));
                       click(dialog, "btnOK");
                   }),
              1);
    EXPECT_DOUBLE_EQ(data.stockCode("BOLT")->asNumber("COST"), 1);
    EXPECT_DOUBLE_EQ(data.stockCode("KIT")->asNumber("COST"), 99);
    EXPECT_DOUBLE_EQ(data.stockCode("BOX")->asNumber("COST"), 99);
}

// Another process that holds a record of CODE in edit (and so locked) until
// it is released.
class RecordHolder {
  public:
    RecordHolder(const std::filesystem::path& directory, const std::string& code) {
        int ready[2];
        int release[2];
        EXPECT_EQ(pipe(ready), 0);
        EXPECT_EQ(pipe(release), 0);
        pid_ = fork();
        if (pid_ == 0) {
            close(ready[0]);
            close(release[1]);
            data::Database database(directory);
            auto table = database.openTable("CODE");
            table->setActiveTag("CODE");
            table->findKey(exactTextKey(*table, "STOCKCODE", code));
            table->edit();
            char byte = 'L';
            if (write(ready[1], &byte, 1) != 1) {
                _exit(1);
            }
            while (read(release[0], &byte, 1) > 0) {
            }
            table->cancel();
            _exit(0);
        }
        close(ready[1]);
        close(release[0]);
        char byte = 0;
        EXPECT_EQ(read(ready[0], &byte, 1), 1) << "the holder did not lock the record";
        close(ready[0]);
        releaseFd_ = release[1];
    }
    ~RecordHolder() { release(); }

    void release() {
        if (releaseFd_ >= 0) {
            close(releaseFd_);
            releaseFd_ = -1;
            int status = 0;
            waitpid(pid_, &status, 0);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
    }

  private:
    pid_t pid_ = -1;
    int releaseFd_ = -1;
};

TEST_F(StockCodeEditor, ASaveRefusedByAnotherUsersLockKeepsTheChangeForAnotherTry) {
    data.addStockCode("ITEM");
    RecordHolder holder(data.directory(), "ITEM");
    QString message;
    EXPECT_EQ(edit("ITEM", 0,
                   [&](QWidget& dialog) {
                       typeInto(dialog, "Mfr", QStringLiteral("ACME"));
                       answerMessageBox([&](QMessageBox& box) { message = box.text(); });
                       click(dialog, "btnOK");
                       EXPECT_THAT(message.toStdString(), ::testing::HasSubstr("locked by another user"));
                       EXPECT_TRUE(dialog.isVisible()) << "the editor stays open";
                       EXPECT_TRUE(child<QWidget>(dialog, "navPost")->isEnabled()) << "still in edit state";
                       EXPECT_EQ(child<QLineEdit>(dialog, "Mfr")->text(), QStringLiteral("ACME"));
                       holder.release();
                       click(dialog, "btnOK");
                   }),
              1);
    EXPECT_EQ(data.stockCode("ITEM")->asString("MFR"), "ACME");
}

}  // namespace
}  // namespace brimo::maintenance
