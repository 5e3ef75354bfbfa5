#pragma once

#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "data/Database.h"
#include "data/Table.h"

namespace brimo::ui::test {

// A small table for the editor kit in a directory of its own: ITEMS with a
// key NAME (C 10, tag NAME), PHONE (C 12), QTY (N 8.2), COUNT (N 4), KIND
// (N 1), FLAG (L) and NOTE (M), holding the records named in the
// constructor in that order.
class EditorTable {
  public:
    explicit EditorTable(std::initializer_list<const char*> names) {
        std::random_device random;
        directory_ = std::filesystem::temp_directory_path() /
                     ("brimo-editor-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(directory_);
        database_ = std::make_unique<data::Database>(directory_);
        auto table = database_->createTable("ITEMS",
                                            {{"NAME", 'C', 10, 0},
                                             {"PHONE", 'C', 12, 0},
                                             {"QTY", 'N', 8, 2},
                                             {"COUNT", 'N', 4, 0},
                                             {"KIND", 'N', 1, 0},
                                             {"FLAG", 'L', 1, 0},
                                             {"NOTE", 'M', 10, 0}},
                                            {{"NAME", "NAME"}});
        for (const char* name : names) {
            table->append();
            data::zeroNumericFields(*table);
            table->setString("NAME", name);
            table->post();
        }
    }
    ~EditorTable() {
        std::error_code ignored;
        std::filesystem::remove_all(directory_, ignored);
    }
    EditorTable(const EditorTable&) = delete;
    EditorTable& operator=(const EditorTable&) = delete;

    // A cursor ordered by NAME, on the first record.
    std::unique_ptr<data::Table> open() const {
        auto table = database_->openTable("ITEMS");
        table->setActiveTag("NAME");
        return table;
    }
    // A read-only cursor of its own on the record `name` as stored; empty
    // when there is none.
    std::unique_ptr<data::Table> stored(const std::string& name) const {
        auto table = database_->openTable("ITEMS", data::OpenMode::ReadOnly);
        table->setActiveTag("NAME");
        return table->findKey(name + std::string(10, ' ')) ? std::move(table) : nullptr;
    }
    const data::Database& database() const { return *database_; }

  private:
    std::filesystem::path directory_;
    std::unique_ptr<data::Database> database_;
};

}  // namespace brimo::ui::test
