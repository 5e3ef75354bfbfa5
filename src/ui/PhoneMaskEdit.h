#pragma once

#include <QLineEdit>

namespace brimo::ui {

// An edit box for a phone or fax number. By default it takes only the pattern
// ###-###-####: digits fill the places in turn, the dashes are kept, a
// place not yet filled shows "_". With open entry (the company's OPENPHONE)
// any text up to the field width can be typed.
class PhoneMaskEdit : public QLineEdit {
    Q_OBJECT

  public:
    static constexpr int defaultFieldWidth = 15;

    explicit PhoneMaskEdit(QWidget* parent = nullptr);

    bool openEntry() const { return openEntry_; }
    // Switches between the pattern and free text, keeping the number: free
    // text takes the number as it stood; the pattern takes a text already in
    // its layout as it is and otherwise its first ten digits.
    void setOpenEntry(bool open);

    int fieldWidth() const { return fieldWidth_; }
    // The most characters of free text (the width of the stored field), at
    // least 1; throws std::out_of_range otherwise.
    void setFieldWidth(int width);

    // The number to store. Under the pattern: empty while no digit is
    // entered, otherwise the twelve characters of the layout with a blank in
    // each place not filled ("555-12 -    ").
    QString phone() const;
    // Shows a stored number (see setOpenEntry for how the pattern takes it),
    // under the pattern with the caret on its first place. Does not emit
    // phoneEdited.
    void setPhone(const QString& phone);

  signals:
    // The user changed the number, with the number as it now stands.
    void phoneEdited(const QString& phone);

  private:
    bool openEntry_ = false;
    int fieldWidth_ = defaultFieldWidth;
};

}  // namespace brimo::ui
