#include "ui/PhoneMaskEdit.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace brimo::ui {

namespace {

// Digits ("0" is a digit that may be left blank), the dashes as they are,
// "_" for a place not filled.
const QString phonePattern = QStringLiteral("000-000-0000;_");
constexpr QChar notFilled = u'_';
constexpr qsizetype patternLength = 12;
constexpr qsizetype digitsInPattern = 10;

bool isAsciiDigit(QChar ch) {
    return ch >= u'0' && ch <= u'9';
}

bool isDashPlace(qsizetype i) {
    return i == 3 || i == 7;
}

// "555-12 -    " and "555-1_3-4567": the layout, with blanks or "_" for
// places not filled; trailing blanks of a stored field do not count.
bool followsPattern(QString text) {
    while (text.endsWith(u' ')) text.chop(1);
    if (text.size() > patternLength)
        return false;
    text = text.leftJustified(patternLength, u' ');
    for (qsizetype i = 0; i < patternLength; ++i) {
        const QChar ch = text[i];
        const bool fits = isDashPlace(i) ? ch == u'-' : isAsciiDigit(ch) || ch == u' ' || ch == notFilled;
        if (!fits)
            return false;
    }
    return true;
}

// The text the mask is given for a stored number.
QString forPattern(const QString& phone) {
    if (followsPattern(phone)) {
        QString text = phone.left(patternLength);
        return text.replace(u' ', notFilled);
    }
    QString digits;
    for (QChar ch : phone) {
        if (isAsciiDigit(ch) && digits.size() < digitsInPattern)
            digits += ch;
    }
    return digits;
}

}  // namespace

PhoneMaskEdit::PhoneMaskEdit(QWidget* parent) : QLineEdit(parent) {
    setInputMask(phonePattern);
    connect(this, &QLineEdit::textEdited, this, [this] { emit phoneEdited(phone()); });
}

void PhoneMaskEdit::setOpenEntry(bool open) {
    if (open == openEntry_)
        return;
    const QString current = phone();
    openEntry_ = open;
    // Changing the mask clears the text, so the number is put back after.
    if (open) {
        setInputMask(QString());
        setMaxLength(fieldWidth_);
    } else {
        setInputMask(phonePattern);
    }
    setPhone(current);
}

void PhoneMaskEdit::setFieldWidth(int width) {
    if (width < 1)
        throw std::out_of_range("A phone field is at least 1 character wide, not " + std::to_string(width) + ".");
    fieldWidth_ = width;
    if (openEntry_)
        setMaxLength(width);
}

QString PhoneMaskEdit::phone() const {
    if (openEntry_)
        return text();
    const QString shown = displayText();
    if (!std::any_of(shown.begin(), shown.end(), isAsciiDigit))
        return QString();
    return QString(shown).replace(notFilled, u' ');
}

void PhoneMaskEdit::setPhone(const QString& phone) {
    if (openEntry_) {
        setText(phone);
        return;
    }
    setText(forPattern(phone));
    setCursorPosition(0);  // typing fills the pattern from its first place
}

}  // namespace brimo::ui
