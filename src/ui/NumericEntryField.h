#pragma once

#include <QLineEdit>

class QKeyEvent;
class QFocusEvent;

namespace brimo::ui {

// An edit box for a number shown with a fixed number of decimals (2 unless
// set otherwise). While typing:
// - "-" puts a minus sign in front of the number and "+" removes it, wherever
//   the caret stands;
// - "." moves the caret behind the decimal point when the text already holds
//   one (unless the selection that the key replaces covers that point);
// - digits beyond the allowed decimals are cut off;
// - other characters are ignored; pasted text keeps only what could be typed.
// The decimal point is always ".", the data's format; the decimal separator of
// the user's locale, when it is another character (","), is taken as "." so
// that the keypad's decimal key works everywhere. An empty box, or one holding
// only "-" or ".", has the value 0. When the focus leaves, the box shows its
// value with the fixed decimals.
class NumericEntryField : public QLineEdit {
    Q_OBJECT

  public:
    explicit NumericEntryField(QWidget* parent = nullptr);

    int decimals() const;
    // 0 to 9; shows the current value with the new number of decimals.
    // Throws std::out_of_range for other counts.
    void setDecimals(int decimals);

    double value() const;
    // Shows the value rounded to the fixed decimals; a value that is not a
    // finite number shows as 0. Does not emit valueEdited.
    void setValue(double value);

  signals:
    // The user changed the value, with the value as it now stands.
    void valueEdited(double value);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void setNegative(bool negative);
    void typeDecimalPoint();
    QString formatted(double value) const;

    class NumberTextValidator;
    NumberTextValidator* validator_;
};

}  // namespace brimo::ui
