#include "ui/RecordLabel.h"

#include "data/Table.h"
#include "ui/RecordBrowser.h"

namespace brimo::ui {

RecordLabel::RecordLabel(RecordBrowser& browser, Text text, QWidget* parent)
    : QLabel(parent), browser_(browser), text_(std::move(text)) {
    QSizePolicy policy = sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    setSizePolicy(policy);
    setTextFormat(Qt::PlainText);
    connect(&browser_, &RecordBrowser::currentChanged, this, &RecordLabel::refresh);
    refresh();
}

RecordLabel::Text RecordLabel::field(const char* fieldName) {
    return [name = std::string(fieldName)](const data::Table& table) -> std::optional<QString> {
        return QString::fromStdString(table.asString(name));
    };
}

void RecordLabel::refresh() {
    if (browser_.isEmpty()) {
        clear();
        return;
    }
    if (std::optional<QString> value = text_(browser_.table())) {
        setText(*value);
    }
}

}  // namespace brimo::ui
