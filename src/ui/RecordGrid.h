#pragma once

#include <QTableView>
#include <vector>

#include "ui/GridColumn.h"

namespace brimo::ui {

class RecordBrowser;
class RecordGridModel;

// A read-only list of records that selects whole rows and follows the
// browser's current record both ways: moving in the grid moves the browser,
// and a move of the browser (a search, a filter) shows in the grid. Home and
// End go to the first and last record of the list, however long it is.
class RecordGrid : public QTableView {
    Q_OBJECT

  public:
    explicit RecordGrid(RecordBrowser& browser, QWidget* parent = nullptr);

    // Column titles and widths in characters of the grid's font.
    void setColumns(std::vector<GridColumn> columns);
    RecordGridModel& recordModel() { return *model_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

  private:
    void showBrowserPosition();
    void reloadAroundBrowser();
    void loadAroundView();
    int charsToPixels(int chars) const;

    RecordBrowser& browser_;
    RecordGridModel* model_;
    bool following_ = false;
};

}  // namespace brimo::ui
