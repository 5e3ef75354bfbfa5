#pragma once

#include <QAbstractTableModel>
#include <QVariant>
#include <deque>
#include <vector>

#include "data/Table.h"
#include "ui/GridColumn.h"

namespace brimo::ui {

class RecordBrowser;

// A window of the list's rows around the current record (docs/ui-grid.md).
// Row numbers are positions inside the window, not in the table: the model
// never counts or walks the table. It loads rows next to the window when the
// view needs them and drops rows far from where the view is, so its size and
// its memory stay bounded whatever the table holds.
class RecordGridModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    // Rows loaded beyond each edge of what the view shows.
    static constexpr int margin = 64;
    // The most rows held at once.
    static constexpr int capacity = 1024;

    explicit RecordGridModel(RecordBrowser& browser, QObject* parent = nullptr);

    void setColumns(std::vector<GridColumn> columns);
    const std::vector<GridColumn>& columns() const { return columns_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Loads a new window around the browser's current record.
    void centreOnCurrent();
    // The row of a record inside the window; -1 when it is not loaded.
    int rowOf(data::Bookmark bookmark) const;
    data::Bookmark bookmarkAt(int row) const { return rows_.at(static_cast<size_t>(row)).bookmark; }
    // The window holds the first (last) record of the list.
    bool holdsFirst() const { return holdsFirst_; }
    bool holdsLast() const { return holdsLast_; }

    // Makes rows top - margin to bottom + margin available, loading and
    // dropping rows at the edges. Returns by how many rows the rows above
    // `top` moved (positive when rows were added above), so that the view can
    // keep showing the same records.
    int ensureLoaded(int top, int bottom);

  private:
    struct Row {
        data::Bookmark bookmark = 0;
        std::vector<QVariant> values;
    };

    Row readRow(const data::Table& table) const;
    QVariant readValue(const data::Table& table, const GridColumn& column, int field) const;
    std::vector<Row> loadNeighbours(data::Bookmark from, bool forward, int count);
    int extendAbove(int count);
    void extendBelow(int count);
    void dropAbove(int count);
    void dropBelow(int count);

    RecordBrowser& browser_;
    std::vector<GridColumn> columns_;
    std::vector<int> fieldIndexes_;
    std::vector<bool> logical_;
    std::deque<Row> rows_;
    bool holdsFirst_ = true;
    bool holdsLast_ = true;
};

}  // namespace brimo::ui
