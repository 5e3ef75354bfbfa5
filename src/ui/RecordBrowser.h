#pragma once

#include <QObject>
#include <functional>
#include <optional>
#include <string>

#include "data/Table.h"

namespace brimo::ui {

// The user's position in a table as a list shows it: the table's own order,
// range and filter, narrowed further by an optional row filter that the
// engine cannot express (partial matches, case rules). Every move the user
// makes goes through here, so the grid, the search field and the panel
// labels agree on one current record.
//
// The table stays usable by the owner for changes of tag, range and filter;
// after such a change call contentsChanged().
class RecordBrowser : public QObject {
    Q_OBJECT

  public:
    using RowFilter = std::function<bool(const data::Table&)>;

    explicit RecordBrowser(data::Table& table, QObject* parent = nullptr);

    data::Table& table() { return table_; }
    const data::Table& table() const { return table_; }

    // Replaces the row filter (empty: none) and moves to the first record.
    void setRowFilter(RowFilter filter);

    // The table's tag, range or filter changed: moves to the first record.
    void contentsChanged();

    // User moves; each one announces currentChanged().
    void first();
    void last();
    bool next();   // false at the last record (the position stays)
    bool prior();  // false at the first record
    // The first record whose key in the active tag is at or after `key`; the
    // last record when there is none.
    void findNearest(const data::KeyValue& key);
    void gotoBookmark(data::Bookmark bookmark);

    // No visible record.
    bool isEmpty() const { return !current_; }
    std::optional<data::Bookmark> current() const { return current_; }

    // Calls `visit` with the table on up to `count` visible records that
    // follow (or precede) `from` in list order, nearest first, then puts the
    // table back on the current record. Announces nothing.
    void visitNeighbours(data::Bookmark from, bool forward, int count,
                         const std::function<void(const data::Table&)>& visit);

  signals:
    // The current record changed (or the list became empty).
    void currentChanged();
    // What the list holds changed; the current record is the first.
    void contentsReset();

  private:
    bool accepts() const;
    // Steps over records the row filter refuses; false (with the table on
    // some record) when none is left in that direction.
    bool stepVisible(bool forward);
    // Settles on a visible record at or around the table's position: forward
    // first, then backward.
    void settle();
    void restoreCurrent();

    data::Table& table_;
    RowFilter rowFilter_;
    std::optional<data::Bookmark> current_;
};

}  // namespace brimo::ui
