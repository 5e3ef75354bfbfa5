#pragma once

#include <QComboBox>
#include <memory>

#include "ui/TableLookup.h"

class QStandardItemModel;

namespace brimo::ui {

// A drop-down lookup over a table: an edit box with a list of the table's
// entries (key first, then the fields shown beside it), filled each time it
// drops down. Typing completes the text to the first entry that starts with
// what was typed (letter case counts), the completed part selected.
//
// With free typing any text up to maxLength can be entered and each change is
// a valueEdited. With listed values only, the text is taken when the user
// picks an entry, presses Enter or leaves the box: an entry's key, or the
// empty text (the choice cleared); anything else goes back to the value as
// it was.
class LookupField : public QComboBox {
    Q_OBJECT

  public:
    enum class Entry { freeTyping, listedOnly };
    struct Options {
        Entry entry = Entry::freeTyping;
        int maxLength = 32767;
        bool upperCase = false;
    };

    LookupField(std::unique_ptr<TableLookup> lookup, const Options& options, QWidget* parent = nullptr);
    ~LookupField() override;

    QString value() const { return value_; }
    // Shows a stored value; emits nothing.
    void setValue(const QString& value);

    void showPopup() override;

  signals:
    // The user changed the value.
    void valueEdited(const QString& value);
    // The user took a listed entry other than the value before.
    void entryChosen(const QString& key);

  protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void typed(const QString& text);
    void take(const QString& text);
    void fillList();

    std::unique_ptr<TableLookup> lookup_;
    Options options_;
    QStandardItemModel* rows_;
    QString value_;
    QString typedBefore_;
};

}  // namespace brimo::ui
