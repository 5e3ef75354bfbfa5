#include "ui/RecordLink.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QToolButton>
#include <stdexcept>

#include "EditorTable.h"
#include "ModalDriver.h"
#include "data/DatabaseError.h"
#include "ui/MessageBox.h"
#include "ui/RecordNavigator.h"

namespace brimo::ui {
namespace {

using test::EditorTable;

class RecordLinkTest : public ::testing::Test {
  protected:
    void SetUp() override {
        brimo::testing::ensureTestApplication();
        MessageBox::interceptForTesting([this](const ShownMessage& message) {
            messages.push_back(message.text.toStdString());
            return true;
        });
    }
    void TearDown() override { MessageBox::interceptForTesting({}); }

    EditorTable items{"APPLE", "BANANA", "CHERRY"};
    std::unique_ptr<data::Table> table = items.open();
    std::vector<std::string> messages;
};

TEST_F(RecordLinkTest, AChangeIsHeldWithoutALockUntilTheSave) {
    RecordLink link(*table);
    QSignalSpy states(&link, &RecordLink::stateChanged);
    link.setValue("qty", 2.5);
    EXPECT_EQ(link.state(), RecordLink::State::edit);
    EXPECT_EQ(states.count(), 1);
    EXPECT_DOUBLE_EQ(link.number("QTY"), 2.5);
    EXPECT_DOUBLE_EQ(items.stored("APPLE")->asNumber("QTY"), 0);

    auto other = items.open();
    other->edit();  // nobody holds the record while the change is pending
    other->cancel();

    link.post();
    EXPECT_EQ(link.state(), RecordLink::State::browse);
    EXPECT_DOUBLE_EQ(items.stored("APPLE")->asNumber("QTY"), 2.5);
}

TEST_F(RecordLinkTest, MovingSavesAndCancelReverts) {
    RecordLink link(*table);
    QSignalSpy records(&link, &RecordLink::recordChanged);
    link.setValue("PHONE", std::string("555"));
    link.next();
    EXPECT_EQ(link.text("NAME"), "BANANA");
    EXPECT_EQ(records.count(), 1) << "one announcement for the save and the move";
    EXPECT_EQ(items.stored("APPLE")->asString("PHONE"), "555");

    link.setValue("PHONE", std::string("777"));
    link.cancel();
    EXPECT_EQ(link.text("PHONE"), "");
    link.last();
    EXPECT_EQ(items.stored("BANANA")->asString("PHONE"), "");
}

TEST_F(RecordLinkTest, ARefusedSaveKeepsTheChangePendingAndTheMoveUndone) {
    bool refuse = true;
    table->setBeforePost([&](data::Table&) {
        if (refuse) {
            throw data::DatabaseError("Refused.");
        }
    });
    RecordLink link(*table);
    link.setValue("COUNT", 7.0);
    EXPECT_THROW(link.next(), data::DatabaseError);
    EXPECT_EQ(link.state(), RecordLink::State::edit);
    EXPECT_EQ(link.text("NAME"), "APPLE");
    EXPECT_EQ(link.integer("COUNT"), 7);

    auto other = items.open();
    other->edit();  // the failed save let go of the record
    other->cancel();

    refuse = false;
    link.post();
    EXPECT_EQ(items.stored("APPLE")->asInteger("COUNT"), 7);
}

TEST_F(RecordLinkTest, AnAfterPostFailureLeavesTheSavedRecordInBrowseState) {
    table->setAfterPost([](data::Table&) { throw data::DatabaseError("Pick list is locked."); });
    RecordLink link(*table);
    link.setValue("FLAG", true);
    EXPECT_THROW(link.post(), data::DatabaseError);
    EXPECT_EQ(link.state(), RecordLink::State::browse);
    EXPECT_TRUE(items.stored("APPLE")->asBool("FLAG"));
}

TEST_F(RecordLinkTest, InsertStartsFromTheNewRecordHookAndAppendsOnSave) {
    table->setOnNewRecord([](data::Table& t) {
        data::zeroNumericFields(t);
        t.setNumber("KIND", 2);
    });
    RecordLink link(*table);
    link.insert();
    EXPECT_EQ(link.state(), RecordLink::State::insert);
    EXPECT_EQ(link.integer("KIND"), 2);
    link.setValue("NAME", std::string("DATE"));
    link.post();
    EXPECT_EQ(items.stored("DATE")->asInteger("KIND"), 2);

    link.insert();
    link.cancel();
    EXPECT_EQ(link.text("NAME"), "DATE") << "back on the record shown before";
}

TEST_F(RecordLinkTest, AnEmptyTableHasNothingToEdit) {
    EditorTable empty{};
    auto emptyTable = empty.open();
    RecordLink link(*emptyTable);
    EXPECT_TRUE(link.isEmpty());
    EXPECT_THROW(link.setValue("QTY", 1.0), data::DatabaseError);
    EXPECT_THROW(link.setValue("NOSUCH", 1.0), data::DatabaseError);
    EXPECT_EQ(link.state(), RecordLink::State::browse);
}

TEST_F(RecordLinkTest, TheNavigatorEnablesWhatMakesSenseAndReportsErrors) {
    using B = RecordNavigator::Button;
    table->setBeforePost([](data::Table&) { throw data::DatabaseError("Record 1 of table ITEMS.DBF is locked."); });
    RecordLink link(*table);
    link.first();
    RecordNavigator navigator(link, {B::first, B::prior, B::next, B::last, B::post, B::cancel, B::refresh});
    const auto enabled = [&](B which) { return navigator.button(which)->isEnabled(); };
    EXPECT_EQ(navigator.button(B::insert), nullptr);
    EXPECT_FALSE(enabled(B::first));
    EXPECT_TRUE(enabled(B::next));
    EXPECT_FALSE(enabled(B::post));
    EXPECT_TRUE(enabled(B::refresh));

    navigator.button(B::last)->click();
    EXPECT_EQ(link.text("NAME"), "CHERRY");
    EXPECT_TRUE(enabled(B::first));
    EXPECT_FALSE(enabled(B::last));

    link.setValue("QTY", 1.0);
    EXPECT_TRUE(enabled(B::post));
    EXPECT_TRUE(enabled(B::cancel));
    EXPECT_FALSE(enabled(B::refresh));
    navigator.button(B::first)->click();
    EXPECT_EQ(messages, std::vector<std::string>{"Record 1 of table ITEMS.DBF is locked."});
    EXPECT_EQ(link.text("NAME"), "CHERRY") << "no move while the save fails";
    navigator.button(B::cancel)->click();
    EXPECT_FALSE(enabled(B::post));
    EXPECT_DOUBLE_EQ(link.number("QTY"), 0);
}

}  // namespace
}  // namespace brimo::ui
