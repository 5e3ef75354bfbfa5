#include "ui/RecordGridModel.h"

#include <algorithm>

#include "data/DatabaseError.h"
#include "data/FieldKind.h"
#include "ui/RecordBrowser.h"

namespace brimo::ui {

RecordGridModel::RecordGridModel(RecordBrowser& browser, QObject* parent)
    : QAbstractTableModel(parent), browser_(browser) {}

void RecordGridModel::setColumns(std::vector<GridColumn> columns) {
    const data::Table& table = browser_.table();
    std::vector<int> indexes;
    std::vector<bool> logical;
    for (const GridColumn& column : columns) {
        const int field = table.fieldIndex(column.field);
        if (field < 0) {
            throw data::DatabaseError("Table " + table.name() + " has no field " + column.field + ".");
        }
        indexes.push_back(field);
        logical.push_back(data::fieldKind(table.fields()[static_cast<size_t>(field)]) == data::FieldKind::Logical);
    }
    beginResetModel();
    columns_ = std::move(columns);
    fieldIndexes_ = std::move(indexes);
    logical_ = std::move(logical);
    rows_.clear();
    holdsFirst_ = holdsLast_ = true;
    endResetModel();
    centreOnCurrent();
}

int RecordGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int RecordGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant RecordGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) {
        return {};
    }
    const size_t column = static_cast<size_t>(index.column());
    const QVariant& value = rows_[static_cast<size_t>(index.row())].values[column];
    if (logical_[column]) {
        if (role == Qt::CheckStateRole) {
            return value.toBool() ? Qt::Checked : Qt::Unchecked;
        }
        return {};
    }
    if (role == Qt::DisplayRole) {
        return value;
    }
    if (role == Qt::TextAlignmentRole && columns_[column].decimals) {
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    return {};
}

QVariant RecordGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < columnCount()) {
        return columns_[static_cast<size_t>(section)].title;
    }
    return {};
}

Qt::ItemFlags RecordGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

QVariant RecordGridModel::readValue(const data::Table& table, const GridColumn& column, int field) const {
    if (data::fieldKind(table.fields()[static_cast<size_t>(field)]) == data::FieldKind::Logical) {
        return table.asBool(field);
    }
    if (column.decimals) {
        return QString::number(table.asNumber(field), 'f', *column.decimals);
    }
    return QString::fromStdString(table.asString(field));
}

RecordGridModel::Row RecordGridModel::readRow(const data::Table& table) const {
    Row row{table.bookmark(), {}};
    row.values.reserve(columns_.size());
    for (size_t i = 0; i < columns_.size(); ++i) {
        row.values.push_back(readValue(table, columns_[i], fieldIndexes_[i]));
    }
    return row;
}

std::vector<RecordGridModel::Row> RecordGridModel::loadNeighbours(data::Bookmark from, bool forward, int count) {
    std::vector<Row> loaded;
    browser_.visitNeighbours(from, forward, count, [&](const data::Table& table) { loaded.push_back(readRow(table)); });
    return loaded;
}

void RecordGridModel::centreOnCurrent() {
    beginResetModel();
    rows_.clear();
    holdsFirst_ = holdsLast_ = true;
    if (const auto current = browser_.current()) {
        rows_.push_back(readRow(browser_.table()));
        std::vector<Row> above = loadNeighbours(*current, false, margin);
        holdsFirst_ = static_cast<int>(above.size()) < margin;
        for (Row& row : above) {
            rows_.push_front(std::move(row));
        }
        std::vector<Row> below = loadNeighbours(*current, true, 2 * margin);
        holdsLast_ = static_cast<int>(below.size()) < 2 * margin;
        for (Row& row : below) {
            rows_.push_back(std::move(row));
        }
    }
    endResetModel();
}

int RecordGridModel::rowOf(data::Bookmark bookmark) const {
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].bookmark == bookmark) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int RecordGridModel::extendAbove(int count) {
    std::vector<Row> above = loadNeighbours(rows_.front().bookmark, false, count);
    holdsFirst_ = static_cast<int>(above.size()) < count;
    if (above.empty()) {
        return 0;
    }
    const int added = static_cast<int>(above.size());
    beginInsertRows({}, 0, added - 1);
    for (Row& row : above) {
        rows_.push_front(std::move(row));
    }
    endInsertRows();
    return added;
}

void RecordGridModel::extendBelow(int count) {
    std::vector<Row> below = loadNeighbours(rows_.back().bookmark, true, count);
    holdsLast_ = static_cast<int>(below.size()) < count;
    if (below.empty()) {
        return;
    }
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(below.size()) - 1);
    for (Row& row : below) {
        rows_.push_back(std::move(row));
    }
    endInsertRows();
}

void RecordGridModel::dropAbove(int count) {
    beginRemoveRows({}, 0, count - 1);
    rows_.erase(rows_.begin(), rows_.begin() + count);
    endRemoveRows();
    holdsFirst_ = false;
}

void RecordGridModel::dropBelow(int count) {
    const int last = rowCount() - 1;
    beginRemoveRows({}, last - count + 1, last);
    rows_.erase(rows_.end() - count, rows_.end());
    endRemoveRows();
    holdsLast_ = false;
}

int RecordGridModel::ensureLoaded(int top, int bottom) {
    if (rows_.empty()) {
        return 0;
    }
    int shift = 0;
    if (top < margin && !holdsFirst_) {
        const int added = extendAbove(margin);
        shift += added;
        bottom += added;
        const int excess = rowCount() - capacity;
        const int spareBelow = rowCount() - (bottom + margin + 1);
        if (excess > 0 && spareBelow > 0) {
            dropBelow(std::min(excess, spareBelow));
        }
    }
    if (bottom + margin >= rowCount() && !holdsLast_) {
        extendBelow(margin);
        const int excess = rowCount() - capacity;
        const int spareAbove = top + shift - margin;
        if (excess > 0 && spareAbove > 0) {
            const int dropped = std::min(excess, spareAbove);
            dropAbove(dropped);
            shift -= dropped;
        }
    }
    return shift;
}

}  // namespace brimo::ui
