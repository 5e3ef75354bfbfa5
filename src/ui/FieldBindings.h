#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string_view>
#include <vector>

#include "ui/RecordLink.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace brimo::ui {

class LookupField;
class NumericEntryField;
class PhoneMaskEdit;
class TextBox;

// How a text box takes what is typed; a maxLength of 0 means the field's width.
struct TextOptions {
    int maxLength = 0;
    bool upperCase = false;
};

// Binds controls to the fields of a RecordLink. A bound control shows its
// field whenever the record or the field changes, and what the user changes
// in it is written to the field through the link (which puts the record into
// edit state). Bound controls are disabled while there is no record. Writing
// errors are shown in the standard error box and the control shows the
// field again.
class FieldBindings : public QObject {
    Q_OBJECT

  public:
    explicit FieldBindings(RecordLink& link, QObject* parent = nullptr);

    RecordLink& link() { return link_; }

    // Text up to the field's width (or TextOptions::maxLength when smaller),
    // in upper case when asked.
    void text(QLineEdit* edit, std::string_view field, TextOptions options = {});
    void text(TextBox* box, std::string_view field);
    void number(NumericEntryField* edit, std::string_view field);
    // Digits only, stored as a whole number; an empty box stores 0.
    void wholeNumber(QLineEdit* edit, std::string_view field);
    void check(QCheckBox* box, std::string_view field);
    // The id of each button of the group is the number it stores; a value
    // that no button has leaves them all unchecked.
    void choice(QButtonGroup* group, std::string_view field);
    void phone(PhoneMaskEdit* edit, std::string_view field);
    void lookup(LookupField* field, std::string_view fieldName);
    // Read-only displays.
    void display(QLabel* label, std::string_view field);
    void display(QLabel* label, std::string_view field, int decimals);

    // Shows every field of the current record again.
    void reload();

  private:
    struct Binding {
        QWidget* widget;
        int field;
        std::function<void()> load;
    };
    void add(QWidget* widget, int field, std::function<void()> load);
    void write(QWidget* widget, int field, FieldValue value);
    void reloadField(int field);
    void loadSafely(const Binding& binding);

    RecordLink& link_;
    std::vector<Binding> bindings_;
    QWidget* writer_ = nullptr;
};

}  // namespace brimo::ui
