#include "ui/FieldBindings.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <algorithm>
#include <exception>
#include <string>

#include "ui/ErrorReport.h"
#include "ui/LookupField.h"
#include "ui/NumericEntryField.h"
#include "ui/PhoneMaskEdit.h"
#include "ui/TextBox.h"
#include "ui/UpperCaseValidator.h"

namespace brimo::ui {
namespace {

QString qtext(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

FieldBindings::FieldBindings(RecordLink& link, QObject* parent) : QObject(parent), link_(link) {
    connect(&link_, &RecordLink::recordChanged, this, &FieldBindings::reload);
    connect(&link_, &RecordLink::fieldChanged, this, &FieldBindings::reloadField);
}

void FieldBindings::add(QWidget* widget, int field, std::function<void()> load) {
    bindings_.push_back(Binding{widget, field, std::move(load)});
    loadSafely(bindings_.back());
}

// Reading the fields of a damaged record may fail; the control is then left
// empty rather than letting the error escape a signal.
void FieldBindings::loadSafely(const Binding& binding) {
    const bool empty = link_.isEmpty();
    binding.widget->setEnabled(!empty);
    if (empty) {
        return;
    }
    try {
        binding.load();
    } catch (const std::exception&) {
    }
}

void FieldBindings::reload() {
    for (const Binding& binding : bindings_) {
        loadSafely(binding);
    }
}

void FieldBindings::reloadField(int field) {
    for (const Binding& binding : bindings_) {
        if (binding.field == field && binding.widget != writer_) {
            loadSafely(binding);
        }
    }
}

void FieldBindings::write(QWidget* widget, int field, FieldValue value) {
    writer_ = widget;
    const std::string name = link_.table().fields()[static_cast<std::size_t>(field)].name;
    const bool written = reportErrors(widget->window(), [&] { link_.setValue(name, std::move(value)); });
    writer_ = nullptr;
    if (!written) {
        reloadField(field);
    }
}

void FieldBindings::text(QLineEdit* edit, std::string_view field, TextOptions options) {
    const int index = link_.fieldIndex(field);
    const int width = link_.table().fields()[static_cast<std::size_t>(index)].length;
    edit->setMaxLength(options.maxLength > 0 ? std::min(options.maxLength, width) : width);
    if (options.upperCase) {
        edit->setValidator(new UpperCaseValidator(edit));
    }
    connect(edit, &QLineEdit::textEdited, this,
            [this, edit, index](const QString& text) { write(edit, index, text.toStdString()); });
    const std::string name(field);
    add(edit, index, [this, edit, name] {
        edit->setText(qtext(link_.text(name)));
        edit->setCursorPosition(0);
    });
}

void FieldBindings::text(TextBox* box, std::string_view field) {
    const int index = link_.fieldIndex(field);
    connect(box, &TextBox::textEdited, this,
            [this, box, index](const QString& text) { write(box, index, text.toStdString()); });
    const std::string name(field);
    add(box, index, [this, box, name] { box->setText(qtext(link_.text(name))); });
}

void FieldBindings::number(NumericEntryField* edit, std::string_view field) {
    const int index = link_.fieldIndex(field);
    connect(edit, &NumericEntryField::valueEdited, this,
            [this, edit, index](double value) { write(edit, index, value); });
    const std::string name(field);
    add(edit, index, [this, edit, name] { edit->setValue(link_.number(name)); });
}

void FieldBindings::wholeNumber(QLineEdit* edit, std::string_view field) {
    const int index = link_.fieldIndex(field);
    edit->setMaxLength(link_.table().fields()[static_cast<std::size_t>(index)].length);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    connect(edit, &QLineEdit::textEdited, this,
            [this, edit, index](const QString& text) { write(edit, index, text.isEmpty() ? 0.0 : text.toDouble()); });
    const std::string name(field);
    add(edit, index, [this, edit, name] { edit->setText(QString::number(link_.integer(name))); });
}

void FieldBindings::check(QCheckBox* box, std::string_view field) {
    const int index = link_.fieldIndex(field);
    connect(box, &QCheckBox::clicked, this, [this, box, index](bool checked) { write(box, index, checked); });
    const std::string name(field);
    add(box, index, [this, box, name] { box->setChecked(link_.logical(name)); });
}

void FieldBindings::choice(QButtonGroup* group, std::string_view field) {
    const int index = link_.fieldIndex(field);
    auto* anchor = group->buttons().value(0);
    connect(group, &QButtonGroup::idClicked, this,
            [this, anchor, index](int id) { write(anchor, index, static_cast<double>(id)); });
    const std::string name(field);
    const auto load = [this, group, name] {
        QAbstractButton* chosen = group->button(link_.integer(name));
        if (chosen != nullptr) {
            chosen->setChecked(true);
            return;
        }
        group->setExclusive(false);
        for (QAbstractButton* button : group->buttons()) {
            button->setChecked(false);
        }
        group->setExclusive(true);
    };
    for (QAbstractButton* button : group->buttons()) {
        add(button, index, load);
    }
}

void FieldBindings::phone(PhoneMaskEdit* edit, std::string_view field) {
    const int index = link_.fieldIndex(field);
    edit->setFieldWidth(link_.table().fields()[static_cast<std::size_t>(index)].length);
    connect(edit, &PhoneMaskEdit::phoneEdited, this,
            [this, edit, index](const QString& phone) { write(edit, index, phone.toStdString()); });
    const std::string name(field);
    add(edit, index, [this, edit, name] { edit->setPhone(qtext(link_.text(name))); });
}

void FieldBindings::lookup(LookupField* lookupField, std::string_view field) {
    const int index = link_.fieldIndex(field);
    connect(lookupField, &LookupField::valueEdited, this,
            [this, lookupField, index](const QString& value) { write(lookupField, index, value.toStdString()); });
    const std::string name(field);
    add(lookupField, index, [this, lookupField, name] { lookupField->setValue(qtext(link_.text(name))); });
}

void FieldBindings::display(QLabel* label, std::string_view field) {
    const std::string name(field);
    add(label, link_.fieldIndex(field), [this, label, name] { label->setText(qtext(link_.text(name))); });
}

void FieldBindings::display(QLabel* label, std::string_view field, int decimals) {
    const std::string name(field);
    add(label, link_.fieldIndex(field),
        [this, label, name, decimals] { label->setText(QString::number(link_.number(name), 'f', decimals)); });
}

}  // namespace brimo::ui
