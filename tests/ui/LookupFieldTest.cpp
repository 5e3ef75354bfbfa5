#include "ui/LookupField.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "EditorTable.h"
#include "ModalDriver.h"

namespace brimo::ui {
namespace {

using test::EditorTable;

class LookupFieldTest : public ::testing::Test {
  protected:
    void SetUp() override { brimo::testing::ensureTestApplication(); }

    std::unique_ptr<LookupField> field(LookupField::Options options) {
        auto lookup = std::make_unique<TableLookup>(*table, "NAME", "NAME", std::vector<std::string>{"PHONE"});
        auto made = std::make_unique<LookupField>(std::move(lookup), options);
        made->show();
        made->lineEdit()->setFocus();
        return made;
    }

    EditorTable items{"Apple", "BANANA", "BAND", "apricot"};
    std::unique_ptr<data::Table> table = items.open();
};

TEST_F(LookupFieldTest, TypingCompletesToTheFirstEntryWithTheSameLetters) {
    auto box = field({LookupField::Entry::freeTyping, 10, false});
    QSignalSpy edited(box.get(), &LookupField::valueEdited);
    const struct {
        const char* typed;
        const char* shown;
    } cases[] = {{"BA", "BANANA"}, {"BAND", "BAND"}, {"ap", "apricot"}, {"Ap", "Apple"}, {"AP", "AP"}, {"Z", "Z"}};
    for (const auto& c : cases) {
        box->setValue(QString());
        QTest::keyClicks(box->lineEdit(), QString::fromLatin1(c.typed));
        EXPECT_EQ(box->currentText(), QString::fromLatin1(c.shown)) << c.typed;
        EXPECT_EQ(box->value(), QString::fromLatin1(c.shown)) << "free typing takes what is shown";
    }
    box->setValue(QString());
    QTest::keyClicks(box->lineEdit(), QStringLiteral("BA"));
    QTest::keyClick(box->lineEdit(), Qt::Key_Delete);
    EXPECT_EQ(box->value(), QStringLiteral("BA")) << "the completed part deleted";
    EXPECT_GT(edited.count(), 0);
}

TEST_F(LookupFieldTest, ListedOnlyTakesEntriesOrNothingAndTellsAChangedChoice) {
    auto box = field({LookupField::Entry::listedOnly, 10, true});
    QSignalSpy chosen(box.get(), &LookupField::entryChosen);
    QSignalSpy edited(box.get(), &LookupField::valueEdited);
    box->setValue(QStringLiteral("BAND"));

    QTest::keyClicks(box->lineEdit(), QStringLiteral("X"));
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(box->currentText(), QStringLiteral("BAND")) << "not listed";

    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), QStringLiteral("ban"));
    EXPECT_EQ(box->currentText(), QStringLiteral("BANANA")) << "upper case, completed";
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), QStringLiteral("BANANA"));
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    box->lineEdit()->selectAll();
    QTest::keyClick(box->lineEdit(), Qt::Key_Delete);
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);

    ASSERT_EQ(chosen.count(), 1) << "BANANA once, nothing for the same again or for clearing";
    EXPECT_EQ(chosen[0][0].toString(), QStringLiteral("BANANA"));
    ASSERT_EQ(edited.count(), 2);
    EXPECT_EQ(edited[1][0].toString(), QString());
}

TEST_F(LookupFieldTest, TheListShowsEveryEntryWithItsColumnsAndKeepsTheText) {
    auto box = field({LookupField::Entry::freeTyping, 10, false});
    box->setValue(QStringLiteral("BAND"));
    box->showPopup();
    EXPECT_EQ(box->count(), 4);
    EXPECT_EQ(box->model()->columnCount(), 2);
    EXPECT_EQ(box->currentText(), QStringLiteral("BAND"));
    EXPECT_EQ(box->currentIndex(), 2);
    box->hidePopup();
}

}  // namespace
}  // namespace brimo::ui
