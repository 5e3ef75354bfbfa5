#include "ui/NumericEntryField.h"

#include <gtest/gtest.h>
#include <QFocusEvent>
#include <QLocale>
#include <QSignalSpy>

#include <stdexcept>
#include <vector>

#include "KeySequence.h"
#include "ModalDriver.h"

namespace brimo::ui {
namespace {

using testing::typeKeys;

struct KeyCase {
    const char* start;  // text before the keys, caret at its end
    const char* keys;
    const char* text;  // text after the keys
    int caret;
    double value;
    int decimals = 2;
};

void expectTyping(const std::vector<KeyCase>& cases) {
    for (const KeyCase& c : cases) {
        NumericEntryField field;
        field.setDecimals(c.decimals);
        field.setText(QString::fromLatin1(c.start));
        typeKeys(field, c.keys);
        const std::string what = std::string("\"") + c.start + "\" + " + c.keys;
        EXPECT_EQ(field.text().toStdString(), c.text) << what;
        EXPECT_EQ(field.cursorPosition(), c.caret) << what;
        EXPECT_DOUBLE_EQ(field.value(), c.value) << what;
    }
}

TEST(NumericEntryField, SignKeysWorkWhereverTheCaretStands) {
    testing::ensureTestApplication();
    expectTyping({
        {"12.50", "-", "-12.50", 6, -12.50},
        {"12.50", "{Home}-", "-12.50", 1, -12.50},
        {"123", "{Home}{Right}-9", "-1923", 3, -1923},
        {"-123", "{Home}{Right}{Right}+9", "1923", 2, 1923},
        {"-12.50", "-", "-12.50", 6, -12.50},
        {"12.50", "+", "12.50", 5, 12.50},
        {"", "-5", "-5", 2, -5},
        {"", "-", "-", 1, 0},
        // A selection keeps covering the digits, so that typing replaces
        // the number but not the sign.
        {"12.50", "{SelectAll}-3", "-3", 2, -3},
        {"-12.50", "{SelectAll}+3", "3", 1, 3},
        {"12.50", "{SelectAll}-", "-12.50", 6, -12.50},
        {"12.50", "{SelectToStart}-", "-12.50", 1, -12.50},
        {"12.50", "{SelectToStart}-3", "-3", 2, -3},
        // The sign is an edit of its own.
        {"12.50", "-{Undo}", "12.50", 0, 12.50},
        {"-12.50", "{Home}{Right}+{Undo}", "-12.50", 1, -12.50},
    });
}

TEST(NumericEntryField, DecimalPointAndDecimalsAreKeptInBounds) {
    testing::ensureTestApplication();
    expectTyping({
        {"", "12.345", "12.34", 5, 12.34},
        {"12.50", "{Home}.9", "12.95", 4, 12.95},
        {"", "1.2.3", "1.32", 3, 1.32},
        {"12.50", "{SelectAll}.5", ".5", 2, 0.5},
        {"", "3.14159", "3.1415", 6, 3.1415, 4},
        {"", "12.5", "125", 3, 125, 0},
        {"12345", "{Home}{Right}{Right}.", "12.34", 3, 12.34},
        {"", "1a2b 3", "123", 3, 123},
    });
}

TEST(NumericEntryField, AnEmptiedBoxHoldsZero) {
    testing::ensureTestApplication();
    expectTyping({
        {"12.50", "{Backspace}{Backspace}{Backspace}{Backspace}{Backspace}", "", 0, 0},
        {"12.50", "{SelectAll}{Delete}", "", 0, 0},
        {"-.", "", "-.", 2, 0},
    });
}

TEST(NumericEntryField, TakesTheLocaleDecimalSeparatorAsThePoint) {
    testing::ensureTestApplication();
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    expectTyping({{"", "1,5", "1.5", 3, 1.5}, {"2.25", "{Home},7", "2.72", 3, 2.72}});
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    expectTyping({{"", "1,5", "15", 2, 15}});
    QLocale::setDefault(saved);
}

TEST(NumericEntryField, KeepsOnlyWhatCouldBeTypedFromInsertedText) {
    testing::ensureTestApplication();
    NumericEntryField field;
    field.setText(QString());
    field.insert(QStringLiteral("x-1,234.5678"));
    EXPECT_EQ(field.text(), QStringLiteral("-1234.56"));
}

TEST(NumericEntryField, ShowsTheValueWithFixedDecimals) {
    testing::ensureTestApplication();
    struct Case {
        double value;
        int decimals;
        const char* shown;
    };
    // Halves of the last place shown round away from zero.
    for (const Case& c :
         {Case{0, 2, "0.00"}, Case{1234.5678, 2, "1234.57"}, Case{-0.001, 2, "0.00"}, Case{-7.5, 3, "-7.500"},
          Case{2.5, 0, "3"}, Case{-0.125, 2, "-0.13"}, Case{1.0 / 0.0, 2, "0.00"}}) {
        NumericEntryField field;
        field.setDecimals(c.decimals);
        field.setValue(c.value);
        EXPECT_EQ(field.text().toStdString(), c.shown) << c.value;
    }

    NumericEntryField field;
    field.setValue(1.5);
    field.setDecimals(3);
    EXPECT_EQ(field.text(), QStringLiteral("1.500"));
    EXPECT_THROW(field.setDecimals(-1), std::out_of_range);
    EXPECT_THROW(field.setDecimals(10), std::out_of_range);
}

TEST(NumericEntryField, FormatsWhenTheFocusLeaves) {
    testing::ensureTestApplication();
    struct Case {
        const char* typed;
        const char* shown;
    };
    for (const Case& c : {Case{"1.5", "1.50"}, Case{"", "0.00"}, Case{"-", "0.00"}, Case{"-0", "0.00"},
                          Case{".", "0.00"}, Case{"-3.1", "-3.10"}}) {
        NumericEntryField field;
        field.setText(QString::fromLatin1(c.typed));
        QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(&field, &leave);
        EXPECT_EQ(field.text().toStdString(), c.shown) << c.typed;
    }

    NumericEntryField field;
    field.setText(QStringLiteral("1.5"));
    QFocusEvent menu(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(&field, &menu);
    EXPECT_EQ(field.text(), QStringLiteral("1.5"));
}

TEST(NumericEntryField, ReportsEditsByTheUserOnly) {
    testing::ensureTestApplication();
    NumericEntryField field;
    QSignalSpy edited(&field, &NumericEntryField::valueEdited);
    field.setValue(4);
    EXPECT_EQ(edited.count(), 0);

    field.setText(QString());
    typeKeys(field, "7-{Backspace}x");
    std::vector<double> values;
    for (const QList<QVariant>& arguments : edited) values.push_back(arguments.at(0).toDouble());
    EXPECT_EQ(values, (std::vector<double>{7, -7, 0}));
}

TEST(NumericEntryField, ReadOnlyIgnoresTheSignKeys) {
    testing::ensureTestApplication();
    NumericEntryField field;
    field.setValue(5);
    field.setReadOnly(true);
    typeKeys(field, "-{Home}-1");
    EXPECT_EQ(field.text(), QStringLiteral("5.00"));
}

}  // namespace
}  // namespace brimo::ui
