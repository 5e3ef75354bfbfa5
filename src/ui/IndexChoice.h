#pragma once

#include <QComboBox>

namespace brimo::data {
class Table;
}

namespace brimo::ui {

// A drop-down list of a table's index tags that shows the active one. The
// user's choice is announced; setting the shown tag from code is not.
class IndexChoice : public QComboBox {
    Q_OBJECT

  public:
    explicit IndexChoice(const data::Table& table, QWidget* parent = nullptr);

    QString shownTag() const { return currentText(); }
    void showTag(const QString& tag);

  signals:
    void tagChosen(const QString& tag);
};

}  // namespace brimo::ui
