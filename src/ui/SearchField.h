#pragma once

#include <QLineEdit>

namespace brimo::ui {

class RecordBrowser;
class RecordGrid;

// The incremental search box of a list: letters become upper case as they
// are typed (or pasted) and every change of the text is announced. Up and
// Down move the list to the previous or next record, Page Up and Page Down
// page the list; after any of the four the list has the focus.
class SearchField : public QLineEdit {
    Q_OBJECT

  public:
    SearchField(RecordBrowser& browser, RecordGrid& grid, QWidget* parent = nullptr);

  signals:
    // The text changed; it is upper case.
    void searchChanged(const QString& text);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void upperCase(const QString& text);

    RecordBrowser& browser_;
    RecordGrid& grid_;
};

}  // namespace brimo::ui
