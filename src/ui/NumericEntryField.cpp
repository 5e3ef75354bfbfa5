#include "ui/NumericEntryField.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QValidator>
#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace brimo::ui {

namespace {

constexpr int maxDecimals = 9;

bool isAsciiDigit(QChar ch) {
    return ch >= u'0' && ch <= u'9';
}

bool isDecimalPointKey(QChar ch) {
    if (ch == u'.')
        return true;
    const QString localePoint = QLocale().decimalPoint();
    return localePoint.size() == 1 && localePoint[0] == ch && !isAsciiDigit(ch) && ch != u'-' && ch != u'+';
}

bool isPlainTyping(const QKeyEvent& event) {
    const QString typed = event.text();
    return typed.size() == 1 && typed[0].isPrint() &&
           !(event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

}  // namespace

// Keeps of any text what the field may hold: one leading minus sign, digits,
// one decimal point and at most `decimals` digits after it. The caret keeps
// its place among the characters kept.
class NumericEntryField::NumberTextValidator : public QValidator {
  public:
    explicit NumberTextValidator(QObject* parent) : QValidator(parent) {}

    int decimals() const { return decimals_; }
    void setDecimals(int decimals) { decimals_ = decimals; }

    State validate(QString& input, int& pos) const override {
        QString kept;
        int keptBeforeCaret = 0;
        bool point = false;
        int fractionDigits = 0;
        for (qsizetype i = 0; i < input.size(); ++i) {
            const QChar ch = input[i];
            bool keep = false;
            if (ch == u'-') {
                keep = kept.isEmpty();
            } else if (isAsciiDigit(ch)) {
                keep = !point || fractionDigits < decimals_;
                if (keep && point)
                    ++fractionDigits;
            } else if (ch == u'.') {
                keep = !point && decimals_ > 0;
                point = point || keep;
            }
            if (keep) {
                kept += ch;
                if (i < pos)
                    ++keptBeforeCaret;
            }
        }
        input = kept;
        pos = keptBeforeCaret;
        return Acceptable;
    }

  private:
    int decimals_ = 2;
};

NumericEntryField::NumericEntryField(QWidget* parent) : QLineEdit(parent), validator_(new NumberTextValidator(this)) {
    setValidator(validator_);
    connect(this, &QLineEdit::textEdited, this, [this] { emit valueEdited(value()); });
    setValue(0);
}

int NumericEntryField::decimals() const {
    return validator_->decimals();
}

void NumericEntryField::setDecimals(int decimals) {
    if (decimals < 0 || decimals > maxDecimals) {
        throw std::out_of_range("A numeric entry field shows 0 to 9 decimals, not " + std::to_string(decimals) + ".");
    }
    const double current = value();
    validator_->setDecimals(decimals);
    setValue(current);
}

double NumericEntryField::value() const {
    // "", "-", "." and "-." are no number and count as 0, and so does a
    // number too long for a double.
    const double value = text().toDouble();
    return std::isfinite(value) ? value : 0;
}

void NumericEntryField::setValue(double value) {
    setText(formatted(value));
}

QString NumericEntryField::formatted(double value) const {
    if (!std::isfinite(value))
        value = 0;
    QString text = QString::number(value, 'f', decimals());
    if (text.startsWith(u'-') && text.toDouble() == 0)
        text.remove(0, 1);  // no "-0.00"
    return text;
}

void NumericEntryField::keyPressEvent(QKeyEvent* event) {
    if (isReadOnly() || !isPlainTyping(*event)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QChar typed = event->text()[0];
    if (typed == u'-') {
        setNegative(true);
    } else if (typed == u'+') {
        setNegative(false);
    } else if (isDecimalPointKey(typed)) {
        typeDecimalPoint();
    } else if (isAsciiDigit(typed)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
}

void NumericEntryField::setNegative(bool negative) {
    if (text().startsWith(u'-') == negative)
        return;
    // The sign is added or removed as an edit of its own, so that it can be
    // undone and reports valueEdited; caret and selection keep their place
    // among the digits.
    const int caret = cursorPosition();
    const int selectionFrom = selectionStart();
    const int selectionTo = selectionEnd();
    const int shift = negative ? 1 : -1;
    auto moved = [shift](int at) { return std::max(0, at + shift); };

    if (negative) {
        setCursorPosition(0);
        insert(QStringLiteral("-"));
    } else {
        setSelection(0, 1);
        del();
    }

    if (selectionFrom < 0) {
        setCursorPosition(moved(caret));
    } else if (caret == selectionFrom) {
        setSelection(moved(selectionTo), moved(selectionFrom) - moved(selectionTo));
    } else {
        setSelection(moved(selectionFrom), moved(selectionTo) - moved(selectionFrom));
    }
}

void NumericEntryField::typeDecimalPoint() {
    const int point = int(text().indexOf(u'.'));
    const bool selectionCoversPoint =
        point >= 0 && hasSelectedText() && selectionStart() <= point && point < selectionEnd();
    if (point >= 0 && !selectionCoversPoint) {
        setCursorPosition(point + 1);
        return;
    }
    if (decimals() > 0)
        insert(QStringLiteral("."));
}

void NumericEntryField::focusOutEvent(QFocusEvent* event) {
    if (event->reason() != Qt::PopupFocusReason) {  // not for the context menu
        const QString shown = formatted(value());
        if (text() != shown)
            setText(shown);
    }
    QLineEdit::focusOutEvent(event);
}

}  // namespace brimo::ui
