#pragma once

#include <algorithm>
#include <map>
#include <stdexcept>

#include "data/DatabaseError.h"
#include "data/sql/TableSource.h"

namespace brimo::data::sql::test {

// An in-memory table source that counts how it is read. Its seeks return
// more rows than asked for when a range is given (every row of the index),
// so tests show that SQLite checks every constraint again.
class MemoryTable : public TableSource {
  public:
    struct Counters {
        int scans = 0;
        int seeks = 0;
        int visits = 0;
        int rowsRead = 0;
    };

    MemoryTable(std::vector<SourceColumn> columns, std::vector<SourceIndex> indexes)
        : columns_(std::move(columns)), indexes_(std::move(indexes)) {}

    void add(SqlRow row) { rows_.push_back({std::move(row), false}); }
    void markDeleted(uint32_t recno) { rows_.at(recno - 1).deleted = true; }
    const SqlRow& row(uint32_t recno) const { return rows_.at(recno - 1).values; }
    bool deleted(uint32_t recno) const { return rows_.at(recno - 1).deleted; }
    Counters counters;

    const std::vector<SourceColumn>& columns() const override { return columns_; }
    const std::vector<SourceIndex>& indexes() const override { return indexes_; }
    uint32_t recordCount() override { return static_cast<uint32_t>(rows_.size()); }

    std::unique_ptr<RowCursor> openCursor() override { return std::make_unique<Cursor>(*this); }

    void update(uint32_t recno, const std::vector<std::optional<SqlValue>>& values) override {
        for (size_t i = 0; i < values.size(); ++i) {
            if (values[i])
                rows_.at(recno - 1).values[i] = *values[i];
        }
    }
    uint32_t append(const std::vector<std::optional<SqlValue>>& values) override {
        SqlRow row;
        for (const auto& v : values) row.push_back(v ? *v : SqlValue{});
        add(std::move(row));
        return recordCount();
    }
    void remove(uint32_t recno) override { markDeleted(recno); }

  private:
    struct Row {
        SqlRow values;
        bool deleted;
    };

    class Cursor : public RowCursor {
      public:
        explicit Cursor(MemoryTable& table) : table_(table) {}
        void scanAll() override {
            ++table_.counters.scans;
            order_.clear();
            for (uint32_t r = 1; r <= table_.recordCount(); ++r) order_.push_back(r);
            start();
        }
        void seek(const SourceIndex& index, const KeySelection& s) override {
            ++table_.counters.seeks;
            order_.clear();
            for (uint32_t r = 1; r <= table_.recordCount(); ++r) {
                if (!s.equal || sameKey(table_.row(r)[static_cast<size_t>(index.column)], *s.equal)) {
                    order_.push_back(r);
                }
            }
            std::stable_sort(order_.begin(), order_.end(), [&](uint32_t a, uint32_t b) {
                return table_.row(a)[static_cast<size_t>(index.column)] <
                       table_.row(b)[static_cast<size_t>(index.column)];
            });
            if (s.descending)
                std::reverse(order_.begin(), order_.end());
            start();
        }
        void visit(std::vector<uint32_t> recnos) override {
            ++table_.counters.visits;
            order_ = std::move(recnos);
            start();
        }
        bool atEnd() const override { return at_ >= order_.size(); }
        void next() override {
            ++at_;
            skipDeleted();
        }
        uint32_t recordNumber() const override { return order_.at(at_); }
        SqlValueView value(int column) override {
            ++table_.counters.rowsRead;
            return viewOf(table_.row(recordNumber()).at(static_cast<size_t>(column)));
        }

      private:
        static bool sameKey(const SqlValue& stored, const SqlValue& key) {
            if (const auto* i = std::get_if<int64_t>(&stored))
                return std::get<double>(key) == static_cast<double>(*i);
            return stored == key;
        }
        void start() {
            at_ = 0;
            skipDeleted();
        }
        void skipDeleted() {
            while (at_ < order_.size() && table_.deleted(order_[at_])) ++at_;
        }
        MemoryTable& table_;
        std::vector<uint32_t> order_;
        size_t at_ = 0;
    };

    std::vector<SourceColumn> columns_;
    std::vector<SourceIndex> indexes_;
    std::vector<Row> rows_;
};

class MemoryTables : public TableProvider {
  public:
    std::map<std::string, std::shared_ptr<MemoryTable>> tables;

    std::vector<std::string> tableNames() override {
        std::vector<std::string> names;
        for (const auto& [name, table] : tables) names.push_back(name);
        return names;
    }
    std::shared_ptr<TableSource> open(const std::string& name) override {
        auto it = tables.find(name);
        if (it == tables.end())
            throw DatabaseError("Table " + name + " is gone.");
        return it->second;
    }
};

}  // namespace brimo::data::sql::test
