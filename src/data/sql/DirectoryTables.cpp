#include "data/sql/DirectoryTables.h"

#include <set>

#include "data/DatabaseError.h"
#include "data/sql/EngineTableSource.h"
#include "data/sql/SqlTokenizer.h"

namespace brimo::data::sql {
namespace {

bool isTableFile(const std::filesystem::directory_entry& entry) {
    return entry.is_regular_file() && equalsIgnoringCase(entry.path().extension().string(), ".dbf");
}

std::string upper(std::string s) {
    for (char& c : s) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return s;
}

}  // namespace

DirectoryTables::DirectoryTables(const std::filesystem::path& directory) : database_(directory) {}

std::vector<std::string> DirectoryTables::tableNames() {
    std::set<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(database_.directory(), error)) {
        if (isTableFile(entry))
            names.insert(upper(entry.path().stem().string()));
    }
    if (error)
        throw DatabaseError("The data directory " + database_.directory().string() + " cannot be read.");
    return {names.begin(), names.end()};
}

std::vector<std::filesystem::path> DirectoryTables::filesNamed(const std::string& name) const {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(database_.directory(), error)) {
        if (isTableFile(entry) && equalsIgnoringCase(entry.path().stem().string(), name))
            files.push_back(entry.path());
    }
    return files;
}

std::shared_ptr<TableSource> DirectoryTables::open(const std::string& name) {
    const auto files = filesNamed(name);
    if (files.empty())
        throw DatabaseError("Table " + name + " does not exist in " + database_.directory().string() + ".");
    if (files.size() > 1) {
        std::string list;
        for (const auto& f : files) list += (list.empty() ? "" : " and ") + f.filename().string();
        throw DatabaseError("Table name " + name + " is ambiguous: the data directory holds " + list +
                            ", which differ only in letter case. Rename one of them.");
    }
    return std::make_shared<EngineTableSource>(database_, files.front().filename().string());
}

}  // namespace brimo::data::sql
