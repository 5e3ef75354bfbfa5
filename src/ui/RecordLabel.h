#pragma once

#include <QLabel>
#include <QString>
#include <functional>
#include <optional>

namespace brimo::data {
class Table;
}

namespace brimo::ui {

class RecordBrowser;

// A panel label that shows a value of the current record. `text` computes
// the value from the table; nothing (nullopt) keeps the text shown before.
// The label is blank while the list is empty, and keeps its place in the
// layout while it is hidden.
class RecordLabel : public QLabel {
    Q_OBJECT

  public:
    using Text = std::function<std::optional<QString>(const data::Table&)>;

    RecordLabel(RecordBrowser& browser, Text text, QWidget* parent = nullptr);

    // Shows the value a field holds, as text.
    static Text field(const char* fieldName);

    void refresh();

  private:
    RecordBrowser& browser_;
    Text text_;
};

}  // namespace brimo::ui
