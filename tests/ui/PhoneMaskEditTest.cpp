#include "ui/PhoneMaskEdit.h"

#include <gtest/gtest.h>
#include <QSignalSpy>

#include <stdexcept>

#include "KeySequence.h"
#include "ModalDriver.h"

namespace brimo::ui {
namespace {

using testing::typeKeys;

TEST(PhoneMaskEdit, ThePatternTakesOnlyTenDigits) {
    testing::ensureTestApplication();
    struct Case {
        const char* start;  // stored number shown before the keys
        const char* keys;
        const char* phone;
        const char* shown;
    };
    for (const Case& c : {
             Case{"", "5551234567", "555-123-4567", "555-123-4567"},
             Case{"", "555-123-4567", "555-123-4567", "555-123-4567"},
             Case{"", "(555) abc 1234567999", "555-123-4567", "555-123-4567"},
             Case{"", "55512", "555-12 -    ", "555-12_-____"},
             Case{"", "", "", "___-___-____"},
             Case{"", "abc-", "", "___-___-____"},
             Case{"5551234567", "{End}{Backspace}", "555-123-456 ", "555-123-456_"},
             // Deleting inside leaves a place to fill, the digits stay put.
             Case{"5551234567", "{Home}{Right}{Right}{Right}{Right}{Right}{Backspace}", "555-1 3-4567", "555-1_3-4567"},
             Case{"5551234567", "{Home}12", "125-123-4567", "125-123-4567"},
             Case{"5551234567", "{SelectAll}{Delete}", "", "___-___-____"},
         }) {
        PhoneMaskEdit edit;
        edit.setPhone(QString::fromLatin1(c.start));
        typeKeys(edit, c.keys);
        const std::string what = std::string("\"") + c.start + "\" + " + c.keys;
        EXPECT_EQ(edit.phone().toStdString(), c.phone) << what;
        EXPECT_EQ(edit.displayText().toStdString(), c.shown) << what;
    }
}

TEST(PhoneMaskEdit, OpenEntryTakesAnyTextUpToTheFieldWidth) {
    testing::ensureTestApplication();
    struct Case {
        int width;
        const char* keys;
        const char* phone;
    };
    for (const Case& c :
         {Case{15, "+44 20 7946 0958", "+44 20 7946 095"}, Case{20, "+44 20 7946 0958", "+44 20 7946 0958"},
          Case{15, "(555) 123-4567", "(555) 123-4567"}, Case{15, "", ""}}) {
        PhoneMaskEdit edit;
        edit.setFieldWidth(c.width);
        edit.setOpenEntry(true);
        typeKeys(edit, c.keys);
        EXPECT_EQ(edit.phone().toStdString(), c.phone) << c.keys << " in " << c.width;
    }
    PhoneMaskEdit edit;
    EXPECT_THROW(edit.setFieldWidth(0), std::out_of_range);
}

TEST(PhoneMaskEdit, ShowsStoredNumbersInThePattern) {
    testing::ensureTestApplication();
    struct Case {
        const char* stored;
        const char* phone;
    };
    for (const Case& c : {
             Case{"555-123-4567", "555-123-4567"},
             Case{"555-123-4567   ", "555-123-4567"},  // padded as a stored field
             Case{"5551234567", "555-123-4567"},
             Case{"(555) 123-4567", "555-123-4567"},
             Case{"555-12 -", "555-12 -    "},
             Case{"555-1 3-4567", "555-1 3-4567"},
             Case{"+44 20 7946 0958", "442-079-4609"},
             Case{"", ""},
         }) {
        PhoneMaskEdit edit;
        edit.setPhone(QString::fromLatin1(c.stored));
        EXPECT_EQ(edit.phone().toStdString(), c.phone) << c.stored;
    }
}

TEST(PhoneMaskEdit, SwitchingTheEntryModeKeepsTheNumber) {
    testing::ensureTestApplication();
    PhoneMaskEdit edit;
    edit.setPhone(QStringLiteral("555-123-4567"));
    edit.setOpenEntry(true);
    EXPECT_TRUE(edit.openEntry());
    EXPECT_EQ(edit.phone(), QStringLiteral("555-123-4567"));

    edit.setPhone(QStringLiteral("(555) 765-4321"));
    edit.setOpenEntry(false);
    EXPECT_EQ(edit.phone(), QStringLiteral("555-765-4321"));
    EXPECT_EQ(edit.displayText(), QStringLiteral("555-765-4321"));

    edit.setFieldWidth(8);
    edit.setOpenEntry(true);
    EXPECT_EQ(edit.phone(), QStringLiteral("555-765-"));
}

TEST(PhoneMaskEdit, ReportsEditsByTheUserOnly) {
    testing::ensureTestApplication();
    PhoneMaskEdit edit;
    QSignalSpy edited(&edit, &PhoneMaskEdit::phoneEdited);
    edit.setPhone(QStringLiteral("5551234567"));
    edit.setOpenEntry(true);
    EXPECT_EQ(edited.count(), 0);

    edit.setOpenEntry(false);
    typeKeys(edit, "{Home}9");
    ASSERT_EQ(edited.count(), 1);
    EXPECT_EQ(edited.at(0).at(0).toString(), QStringLiteral("955-123-4567"));
}

}  // namespace
}  // namespace brimo::ui
