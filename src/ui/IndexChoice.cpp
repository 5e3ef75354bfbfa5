#include "ui/IndexChoice.h"

#include "data/Table.h"

namespace brimo::ui {

IndexChoice::IndexChoice(const data::Table& table, QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    for (const std::string& tag : table.tagNames()) {
        addItem(QString::fromStdString(tag));
    }
    showTag(QString::fromStdString(table.activeTag()));
    connect(this, &QComboBox::activated, this, [this](int index) { emit tagChosen(itemText(index)); });
}

void IndexChoice::showTag(const QString& tag) {
    const QSignalBlocker quiet(this);
    setCurrentIndex(findText(tag, Qt::MatchFixedString));
}

}  // namespace brimo::ui
