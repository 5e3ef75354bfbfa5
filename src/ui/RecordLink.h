#pragma once

#include <QObject>
#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <variant>

#include "data/Table.h"

namespace brimo::ui {

// A value a control writes into a field.
using FieldValue = std::variant<std::string, double, bool, std::chrono::year_month_day>;

// The record an editor shows, over a table cursor, with the states browse,
// edit and insert.
//
// A change made through the link puts the record into edit state; the change
// is held here and written to the table only when the record is saved. The
// record is locked for the time of the save alone (edit, then post on the
// table), so an editor left open with changes pending keeps no lock. Saving
// runs the table's before-post and after-post hooks.
//
// Every move (first, prior, next, last, a key search) saves a pending change
// first; when that save fails the move does not happen. A failed save throws
// the table's error and leaves the record in edit (or insert) state with the
// changes still pending; cancel() drops them. An error of the after-post hook
// is thrown too, but the record was written and is back in browse state.
//
// Bound controls read fields through the link (the pending value, else the
// table's) and reload when recordChanged or fieldChanged is announced. While
// the table's control refresh is disabled, moves made directly on the table
// are announced once, when it is enabled again.
class RecordLink : public QObject {
    Q_OBJECT

  public:
    enum class State { browse, edit, insert };

    explicit RecordLink(data::Table& table, QObject* parent = nullptr);
    ~RecordLink() override;

    data::Table& table() { return table_; }
    const data::Table& table() const { return table_; }
    State state() const { return state_; }
    bool editing() const { return state_ != State::browse; }
    // No record to show.
    bool isEmpty() const { return state_ == State::browse && table_.isEmpty(); }
    bool hasPendingChanges() const { return !pending_.empty(); }

    // The index of a field in table().fields(); throws DatabaseError for a
    // name the table does not have.
    int fieldIndex(std::string_view field) const;

    // Field values as the controls show them.
    std::string text(std::string_view field) const;
    double number(std::string_view field) const;
    int32_t integer(std::string_view field) const;
    bool logical(std::string_view field) const;
    std::chrono::year_month_day date(std::string_view field) const;

    // Changes a field, putting the record into edit state first, and
    // announces fieldChanged. Throws DatabaseError for an unknown field or an
    // empty table.
    void setValue(std::string_view field, FieldValue value);

    // Into edit state without changing a field.
    void edit();
    // A new record: saves a pending change, then appends (the table's
    // new-record hook fills the defaults).
    void insert();
    void post();
    void cancel();
    // Marks the current record deleted (a pending change is dropped first).
    void remove();
    // Re-reads the current record; in browse state only.
    void refresh();

    void first();
    void prior();
    void next();
    void last();
    // Exact search on the table's active tag; stays on the current record
    // when there is no such key.
    bool findKey(const data::KeyValue& key);

  signals:
    // Another record is current, or the current one was re-read or saved.
    void recordChanged();
    // One field (an index into table().fields()) changed through the link.
    void fieldChanged(int field);
    void stateChanged();

  private:
    class Operation;
    void setState(State state);
    const FieldValue* pendingValue(std::string_view field, int& index) const;
    void applyPending();
    void saved();
    template <class Move>
    void move(Move&& move);

    data::Table& table_;
    State state_ = State::browse;
    std::map<int, FieldValue> pending_;
    int listener_ = 0;
    int operations_ = 0;
    bool tableMoved_ = false;
};

}  // namespace brimo::ui
