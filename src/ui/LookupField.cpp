#include "ui/LookupField.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QStyle>
#include <QTreeView>
#include <optional>
#include <string>
#include <vector>

#include "ui/ErrorReport.h"
#include "ui/UpperCaseValidator.h"

namespace brimo::ui {

LookupField::LookupField(std::unique_ptr<TableLookup> lookup, const Options& options, QWidget* parent)
    : QComboBox(parent), lookup_(std::move(lookup)), options_(options), rows_(new QStandardItemModel(this)) {
    setEditable(true);
    setCompleter(nullptr);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(12);
    auto* list = new QTreeView(this);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->header()->hide();
    setModel(rows_);
    setView(list);
    setModelColumn(0);

    QLineEdit* edit = lineEdit();
    edit->setMaxLength(options_.maxLength);
    if (options_.upperCase) {
        edit->setValidator(new UpperCaseValidator(edit));
    }
    connect(edit, &QLineEdit::textEdited, this, &LookupField::typed);
    connect(this, &QComboBox::activated, this, [this](int row) { take(rows_->item(row, 0)->text()); });
}

LookupField::~LookupField() = default;

void LookupField::setValue(const QString& value) {
    value_ = value;
    typedBefore_ = value;
    setCurrentIndex(-1);
    setEditText(value);
}

// Completes only when the user added to the end of the text, so that
// deleting the completed part (or anything else) is not undone at once.
void LookupField::typed(const QString& text) {
    QLineEdit* edit = lineEdit();
    const bool addedAtEnd =
        text.size() > typedBefore_.size() && text.startsWith(typedBefore_) && edit->cursorPosition() == text.size();
    QString shown = text;
    if (addedAtEnd) {
        std::optional<std::string> completed;
        reportErrors(window(), [&] { completed = lookup_->completion(text.toStdString()); });
        if (completed) {
            const QString full = QString::fromStdString(*completed);
            if (full.size() > text.size() && full.size() <= options_.maxLength) {
                shown = full;
                edit->setText(full);
                edit->setSelection(static_cast<int>(text.size()), static_cast<int>(full.size() - text.size()));
            }
        }
    }
    typedBefore_ = text;
    if (options_.entry == Entry::freeTyping) {
        value_ = shown;
        emit valueEdited(value_);
    }
}

void LookupField::take(const QString& text) {
    const QString before = value_;
    bool listed = false;
    if (!reportErrors(window(), [&] { listed = lookup_->contains(text.toStdString()); })) {
        setValue(value_);
        return;
    }
    if (options_.entry == Entry::listedOnly && !listed && !text.isEmpty()) {
        setValue(value_);
        return;
    }
    setValue(text);
    if (text != before) {
        emit valueEdited(text);
        if (listed) {
            emit entryChosen(text);
        }
    }
}

void LookupField::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && options_.entry == Entry::listedOnly && currentText() != value_) {
        take(currentText());
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void LookupField::focusOutEvent(QFocusEvent* event) {
    if (options_.entry == Entry::listedOnly && currentText() != value_ && event->reason() != Qt::PopupFocusReason) {
        take(currentText());
    }
    QComboBox::focusOutEvent(event);
}

void LookupField::showPopup() {
    fillList();
    QComboBox::showPopup();
}

// Refilling the model moves the combo box to its first row, which would
// replace the text in the box: the text is put back afterwards.
void LookupField::fillList() {
    const QString text = currentText();
    const bool blocked = blockSignals(true);
    rows_->clear();
    int current = -1;
    std::vector<std::vector<std::string>> rows;
    reportErrors(window(), [&] { rows = lookup_->rows(); });
    for (const auto& row : rows) {
        QList<QStandardItem*> items;
        for (const std::string& field : row) {
            auto* item = new QStandardItem(QString::fromStdString(field));
            item->setEditable(false);
            items.append(item);
        }
        if (current < 0 && items.front()->text() == text) {
            current = rows_->rowCount();
        }
        rows_->appendRow(items);
    }
    setCurrentIndex(current);
    setEditText(text);
    blockSignals(blocked);
    if (auto* list = qobject_cast<QTreeView*>(view())) {
        int width = 0;
        for (int column = 0; column < rows_->columnCount(); ++column) {
            list->resizeColumnToContents(column);
            list->setColumnWidth(column, list->columnWidth(column) + fontMetrics().averageCharWidth() * 2);
            width += list->columnWidth(column);
        }
        list->setMinimumWidth(width + list->frameWidth() * 2 + style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    }
}

}  // namespace brimo::ui
