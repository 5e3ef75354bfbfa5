#include "data/Database.h"

#include "data/DatabaseError.h"
#include "data/Table.h"
#include "data/TableIndexing.h"
#include "data/dbf/DbfHeader.h"
#include "data/dbf/LanguageDriver.h"
#include "data/dbt/MemoFile.h"
#include "data/io/File.h"
#include "platform/AsciiCase.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace brimo::data {
namespace {

std::string withExtension(std::string_view tableName) {
    std::string name(tableName);
    auto dot = name.rfind('.');
    if (dot == std::string::npos || name.find('/') != std::string::npos) name += ".DBF";
    return name;
}

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = platform::toUpperAscii(c);
    return out;
}

void checkFieldSpec(FieldSpec& f, std::set<std::string>& seen) {
    if (f.name.empty() || f.name.size() > 10)
        throw DatabaseError("Field name '" + f.name + "' must have 1 to 10 characters.");
    for (char c : f.name)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_'))
            throw DatabaseError("Field name '" + f.name + "' may hold only letters, digits and '_'.");
    if (!std::isalpha(static_cast<unsigned char>(f.name[0])))
        throw DatabaseError("Field name '" + f.name + "' must start with a letter.");
    if (!seen.insert(upper(f.name)).second) throw DatabaseError("Field " + f.name + " is defined twice.");
    f.type = platform::toUpperAscii(f.type);
    switch (f.type) {
        case 'C':
            if (f.length < 1 || f.length > 254) throw DatabaseError("Field " + f.name + " must be 1 to 254 wide.");
            f.decimals = 0;
            break;
        case 'N':
        case 'F':
            if (f.length < 1 || f.length > 20) throw DatabaseError("Field " + f.name + " must be 1 to 20 wide.");
            if (f.decimals > 18 || (f.decimals > 0 && f.decimals + 2 > f.length))
                throw DatabaseError("Field " + f.name + " has too many decimals for its width.");
            break;
        case 'D': f.length = 8, f.decimals = 0; break;
        case 'L': f.length = 1, f.decimals = 0; break;
        case 'M':
        case 'B':
        case 'G': f.length = 10, f.decimals = 0; break;
        default: throw DatabaseError("Field " + f.name + " has an unknown type '" + std::string(1, f.type) + "'.");
    }
}

}  // namespace

Database::Database(const std::filesystem::path& directory) {
    std::error_code ec;
    directory_ = std::filesystem::canonical(directory, ec);
    if (ec || !std::filesystem::is_directory(directory_))
        throw DatabaseError("The data directory " + directory.string() + " does not exist.");
}

std::filesystem::path Database::findFile(std::string_view fileName) const {
    // The usual spellings first, so that opening a table needs no directory scan.
    for (const std::string& candidate : {std::string(fileName), upper(fileName)}) {
        std::filesystem::path p = directory_ / candidate;
        if (std::filesystem::exists(p)) return p;
    }
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(directory_, ec)) {
        if (platform::equalsIgnoringAsciiCase(entry.path().filename().string(), fileName)) return entry.path();
    }
    return {};
}

std::filesystem::path Database::tablePath(std::string_view tableName) const {
    const std::string file = withExtension(tableName);
    auto found = findFile(file);
    return found.empty() ? directory_ / upper(file) : found;
}

bool Database::tableExists(std::string_view tableName) const { return !findFile(withExtension(tableName)).empty(); }

std::vector<std::string> Database::tableNames() const {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(directory_, ec)) {
        if (entry.is_regular_file() && platform::equalsIgnoringAsciiCase(entry.path().extension().string(), ".DBF"))
            names.push_back(upper(entry.path().stem().string()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::unique_ptr<Table> Database::openTable(std::string_view tableName, OpenMode mode) const {
    return std::make_unique<Table>(*this, tableName, mode);
}

std::unique_ptr<Table> Database::createTable(std::string_view tableName, const std::vector<FieldSpec>& specs,
                                             const std::vector<TagSpec>& tags) const {
    std::set<std::string> seen;
    std::vector<FieldDef> fields;
    bool withMemo = false;
    for (FieldSpec field : specs) {
        checkFieldSpec(field, seen);
        withMemo = withMemo || field.type == 'M' || field.type == 'B' || field.type == 'G';
        fields.push_back({field.name, field.type, field.length, field.decimals, 0});
    }
    const auto today =
        std::chrono::year_month_day{std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
    auto headerBytes = dbf::buildHeader(fields, withMemo, !tags.empty(), dbf::kDefaultLanguageDriverId, today);

    const std::filesystem::path dbfPath = tablePath(tableName);
    const std::string base = dbfPath.stem().string();
    // Remove the old table's files; a program that still has them open keeps
    // reading the old files until it closes them.
    for (const char* ext : {".DBF", ".DBT", ".MDX", ".JNL"}) {
        auto old = findFile(base + ext);
        if (!old.empty()) std::filesystem::remove(old);
    }
    const std::string upperBase = upper(base);
    auto sibling = [&](const char* ext) { return dbfPath.parent_path() / (dbfPath.stem().string() + ext); };
    if (withMemo) dbt::MemoFile::create(sibling(".DBT"), upperBase);
    if (!tags.empty()) createProductionIndex(sibling(".MDX"), upperBase, fields, tags);
    // The table file last: until it exists, nobody opens the new memo or index.
    {
        io::File file(dbfPath, io::File::Mode::CreateTruncate);
        headerBytes.push_back(std::byte{0x1A});
        file.writeAt(0, headerBytes);
    }
    return openTable(dbfPath.filename().string());
}

}  // namespace brimo::data
