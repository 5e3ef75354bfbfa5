#include "ui/FieldBindings.h"

#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "EditorTable.h"
#include "ModalDriver.h"
#include "ui/EditorPages.h"
#include "ui/NumericEntryField.h"
#include "ui/PhoneMaskEdit.h"
#include "ui/RecordEditorDialog.h"
#include "ui/TextBox.h"

namespace brimo::ui {
namespace {

using test::EditorTable;

class FieldBindingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        brimo::testing::ensureTestApplication();
        owner = std::make_unique<QWidget>();
        owner->show();
    }

    EditorTable items{"APPLE", "BANANA"};
    std::unique_ptr<data::Table> table = items.open();
    RecordLink link{*table};
    FieldBindings bindings{link};
    std::unique_ptr<QWidget> owner;
};

TEST_F(FieldBindingsTest, TypingEditsTheFieldAndEveryControlFollowsTheRecord) {
    auto* name = new QLineEdit(owner.get());
    auto* phone = new QLineEdit(owner.get());
    auto* shownName = new QLabel(owner.get());
    auto* quantity = new NumericEntryField(owner.get());
    auto* shownQuantity = new QLabel(owner.get());
    bindings.text(name, "NAME", {0, true});
    bindings.text(phone, "PHONE", {5, false});
    bindings.display(shownName, "NAME");
    bindings.number(quantity, "QTY");
    bindings.display(shownQuantity, "QTY", 3);
    EXPECT_EQ(name->maxLength(), 10) << "the field's width";
    EXPECT_EQ(phone->maxLength(), 5);
    EXPECT_EQ(shownName->text(), QStringLiteral("APPLE"));

    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("apricots and more"));
    QTest::keyClicks(phone, QStringLiteral("1234567"));
    quantity->selectAll();
    QTest::keyClicks(quantity, QStringLiteral("2.5"));
    EXPECT_EQ(link.state(), RecordLink::State::edit);
    EXPECT_EQ(link.text("NAME"), "APRICOTS A");
    EXPECT_EQ(link.text("PHONE"), "12345");
    EXPECT_EQ(shownName->text(), QStringLiteral("APRICOTS A")) << "other controls of the field follow";
    EXPECT_EQ(shownQuantity->text(), QStringLiteral("2.500"));

    link.post();
    link.next();
    EXPECT_EQ(name->text(), QStringLiteral("BANANA"));
    EXPECT_EQ(quantity->text(), QStringLiteral("0.00"));
    link.first();
    EXPECT_EQ(name->text(), QStringLiteral("APRICOTS A"));
    EXPECT_DOUBLE_EQ(items.stored("APRICOTS A")->asNumber("QTY"), 2.5);
}

TEST_F(FieldBindingsTest, ChecksChoicesWholeNumbersAndPhones) {
    auto* flag = new QCheckBox(QStringLiteral("Flag"), owner.get());
    auto* group = new QButtonGroup(owner.get());
    for (int id = 0; id < 3; ++id) {
        group->addButton(new QRadioButton(QString::number(id), owner.get()), id);
    }
    auto* count = new QLineEdit(owner.get());
    auto* phone = new PhoneMaskEdit(owner.get());
    bindings.check(flag, "FLAG");
    bindings.choice(group, "KIND");
    bindings.wholeNumber(count, "COUNT");
    bindings.phone(phone, "PHONE");
    EXPECT_TRUE(group->button(0)->isChecked());

    brimo::testing::clickButton(flag);
    brimo::testing::clickButton(group->button(2));
    count->selectAll();
    QTest::keyClicks(count, QStringLiteral("4x2.7"));
    QTest::keyClicks(phone, QStringLiteral("5551234567"));
    EXPECT_TRUE(link.logical("FLAG"));
    EXPECT_EQ(link.integer("KIND"), 2);
    EXPECT_EQ(link.integer("COUNT"), 427) << "digits only";
    EXPECT_EQ(link.text("PHONE"), "555-123-4567");

    link.setValue("KIND", 7.0);  // no button has 7
    EXPECT_EQ(group->checkedButton(), nullptr);
    link.cancel();
    EXPECT_FALSE(flag->isChecked());
    EXPECT_TRUE(group->button(0)->isChecked());
    EXPECT_EQ(count->text(), QStringLiteral("0"));
}

TEST_F(FieldBindingsTest, ATextBoxKeepsItsLimitAndASingleParagraph) {
    auto* note = new TextBox(8, true, owner.get());
    bindings.text(note, "NOTE");
    note->setFocus();
    QTest::keyClicks(note, QStringLiteral("one"));
    QTest::keyClick(note, Qt::Key_Return);
    QTest::keyClicks(note, QStringLiteral(" two three"));
    EXPECT_EQ(note->text(), QStringLiteral("one two "));
    EXPECT_EQ(link.text("NOTE"), "one two ");
    link.post();
    EXPECT_EQ(items.stored("APPLE")->asString("NOTE"), "one two ");
}

TEST_F(FieldBindingsTest, ControlsAreDisabledWithoutARecord) {
    EditorTable empty{};
    auto emptyTable = empty.open();
    RecordLink emptyLink(*emptyTable);
    FieldBindings emptyBindings(emptyLink);
    auto* name = new QLineEdit(owner.get());
    emptyBindings.text(name, "NAME");
    EXPECT_FALSE(name->isEnabled());
}

class PagedEditor : public RecordEditorDialog {
  public:
    explicit PagedEditor(RecordLink& link) : RecordEditorDialog(QStringLiteral("Paged"), QStringLiteral("Paged"), 100) {
        pages = new EditorPages(this);
        first = new QLineEdit(pages);
        auto* group = new QWidget(pages);
        choice = new QRadioButton(QStringLiteral("A"), group);
        auto* checked = new QRadioButton(QStringLiteral("B"), group);
        checked->setChecked(true);
        second = checked;
        pages->addPage(first, QStringLiteral("&One"), 101, first);
        pages->addPage(group, QStringLiteral("&Two"), 102, group);
        setPages(pages);
        setRecordLink(&link);
    }
    EditorPages* pages;
    QLineEdit* first;
    QRadioButton* choice;
    QWidget* second;
};

TEST_F(FieldBindingsTest, EditorPagesFocusTheirFirstControlAndAnswerF1WithTheirTopic) {
    PagedEditor editor(link);
    editor.show();
    QApplication::setActiveWindow(&editor);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    QSignalSpy help(&editor, &BrimoDialog::helpRequested);
    editor.pages->setCurrentIndex(1);
    EXPECT_EQ(QApplication::focusWidget(), editor.second) << "the checked button of a group";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    editor.pages->setCurrentIndex(0);
    EXPECT_EQ(QApplication::focusWidget(), editor.first);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    ASSERT_EQ(help.count(), 2);
    EXPECT_EQ(help[0][0].toInt(), 102);
    EXPECT_EQ(help[1][0].toInt(), 101);
}

TEST_F(FieldBindingsTest, OkSavesAndCancelDiscardsInTheEditorDialog) {
    {
        PagedEditor editor(link);
        link.setValue("PHONE", std::string("1"));
        editor.accept();
        EXPECT_EQ(editor.result(), modalOk);
    }
    EXPECT_EQ(items.stored("APPLE")->asString("PHONE"), "1");
    {
        PagedEditor editor(link);
        link.setValue("PHONE", std::string("2"));
        editor.reject();
        EXPECT_EQ(editor.result(), modalCancel);
    }
    EXPECT_EQ(link.state(), RecordLink::State::browse);
    EXPECT_EQ(items.stored("APPLE")->asString("PHONE"), "1");
}

}  // namespace
}  // namespace brimo::ui
