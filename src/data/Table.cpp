#include "data/Table.h"

#include "data/DatabaseError.h"
#include "data/TableImpl.h"
#include "data/dbf/LanguageDriver.h"
#include "data/dbf/Locks.h"
#include "platform/AsciiCase.h"

#include <algorithm>
#include <array>

namespace brimo::data {
namespace {

std::filesystem::path siblingFile(const Database& database, const std::filesystem::path& dbfPath,
                                  const char* extension) {
    return database.findFile(dbfPath.stem().string() + extension);
}

}  // namespace

Table::Impl::Impl(Table& owner, const Database& database, std::string_view tableName, OpenMode mode)
    : self(owner),
      path(database.tablePath(tableName)),
      readOnly(mode == OpenMode::ReadOnly),
      dbf([&]() -> io::File {
          if (!std::filesystem::exists(path))
              throw DatabaseError("Table " + path.filename().string() + " does not exist in " +
                                  database.directory().string() + ".");
          return io::File(path, readOnly ? io::File::Mode::ReadOnly : io::File::Mode::ReadWrite);
      }()) {
    name = path.filename().string();
    std::array<std::byte, dbf::kFixedHeaderSize> first{};
    if (dbf.readAt(0, first) != first.size())
        throw DatabaseError("Table " + name + " is damaged: the file is shorter than a table header.");
    std::vector<std::byte> headerBytes(std::max<size_t>(dbf::storedHeaderLength(first), dbf::kFixedHeaderSize));
    if (dbf.readAt(0, headerBytes) != headerBytes.size())
        throw DatabaseError("Table " + name + " is damaged: the file ends inside its header.");
    const uint64_t fileSize = dbf.size();
    header = dbf::parseHeader(headerBytes, name);
    dbf::checkFileHoldsRecords(header, fileSize, name);
    knownCount = header.recordCount;
    fields = header.fields;
    storedFieldCount = fields.size();
    codePage = dbf::codePageOf(header.languageDriverId, header.languageDriverName);
    buffer.assign(header.recordLength, std::byte{' '});

    if (header.memoStyle != dbf::MemoStyle::None) {
        auto memoPath = siblingFile(database, path, ".DBT");
        if (memoPath.empty()) {
            problems.push_back("The memo file " + path.stem().string() + ".DBT is missing.");
        } else {
            try {
                memo = std::make_unique<dbt::MemoFile>(memoPath, header.memoStyle, !readOnly);
            } catch (const DatabaseError& e) {
                problems.push_back(e.what());
            }
        }
    }
    if (header.productionIndex) {
        auto mdxPath = siblingFile(database, path, ".MDX");
        if (mdxPath.empty()) {
            indexMissing = true;
            problems.push_back("The index file " + path.stem().string() + ".MDX is missing.");
        } else {
            try {
                openIndex(mdxPath);
            } catch (const DatabaseError& e) {
                indexMissing = true;
                problems.push_back(e.what());
            }
        }
    }
    if (!readOnly) {
        auto journalPath = siblingFile(database, path, ".JNL");
        if (journalPath.empty()) journalPath = path.parent_path() / (path.stem().string() + ".JNL");
        journal.emplace(journalPath, header.recordLength);
        try {
            recoverUnfinished();
        } catch (const DatabaseError&) {
            // Left for the next post, which cannot start before rolling it back.
        }
    }
}

Table::Impl::~Impl() {
    if (master) {
        auto& list = master->details;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    for (Impl* detail : details) {
        detail->master = nullptr;
        detail->linkFields.clear();
    }
}

int Table::Impl::fieldIndex(std::string_view fieldName) const {
    for (size_t i = 0; i < fields.size(); ++i)
        if (platform::equalsIgnoringAsciiCase(fields[i].name, fieldName)) return static_cast<int>(i);
    return -1;
}

int Table::Impl::requireField(std::string_view fieldName) const {
    int i = fieldIndex(fieldName);
    if (i < 0) throw DatabaseError("Table " + name + " has no field " + std::string(fieldName) + ".");
    return i;
}

const FieldDef& Table::Impl::field(int i) const {
    if (i < 0 || static_cast<size_t>(i) >= fields.size())
        throw DatabaseError("Table " + name + " has no field number " + std::to_string(i) + ".");
    return fields[static_cast<size_t>(i)];
}

void Table::Impl::requireWritable() const {
    if (readOnly) throw DatabaseError("Table " + name + " is open read-only.");
    if (indexMissing)
        throw DatabaseError("Table " + name + " cannot be changed: its index file is missing or damaged.");
}

void Table::Impl::notify(TableEvent event) {
    if (disableCount > 0) {
        changedWhileDisabled = true;
        return;
    }
    auto copy = listeners;  // a listener may remove itself
    for (auto& [id, listener] : copy) listener(event);
}

Table::Table(const Database& database, std::string_view tableName, OpenMode mode)
    : impl_(std::make_unique<Impl>(*this, database, tableName, mode)) {
    impl_->moveFirst();
}

Table::~Table() {
    try {
        if (impl_->state != TableState::Browse) cancel();
        if (impl_->tableLocked) unlockTable();
    } catch (...) {  // closing the file releases every lock
    }
}

const std::string& Table::name() const { return impl_->name; }
const std::filesystem::path& Table::path() const { return impl_->path; }
bool Table::readOnly() const { return impl_->readOnly; }
const std::vector<FieldDef>& Table::fields() const { return impl_->fields; }
int Table::fieldIndex(std::string_view fieldName) const { return impl_->fieldIndex(fieldName); }
const std::vector<std::string>& Table::openProblems() const { return impl_->problems; }

void Table::setBeforePost(Hook hook) { impl_->beforePost = std::move(hook); }
void Table::setAfterPost(Hook hook) { impl_->afterPost = std::move(hook); }
void Table::setBeforeEdit(Hook hook) { impl_->beforeEdit = std::move(hook); }
void Table::setOnNewRecord(Hook hook) { impl_->onNewRecord = std::move(hook); }
void Table::setOnCalcFields(Hook hook) {
    impl_->onCalcFields = std::move(hook);
    impl_->calculate();
}

void Table::addCalculatedField(const FieldSpec& field) {
    if (impl_->fieldIndex(field.name) >= 0)
        throw DatabaseError("Table " + impl_->name + " already has a field " + field.name + ".");
    FieldDef f{field.name, field.type, field.length, field.decimals, static_cast<uint32_t>(impl_->buffer.size())};
    if (f.length == 0) f.length = f.type == 'D' ? 8 : f.type == 'L' ? 1 : 20;
    impl_->fields.push_back(f);
    impl_->buffer.resize(impl_->buffer.size() + f.length, std::byte{' '});
    impl_->calculate();
}

int Table::addListener(Listener listener) {
    int id = impl_->nextListenerId++;
    impl_->listeners.emplace_back(id, std::move(listener));
    return id;
}

void Table::removeListener(int id) {
    auto& l = impl_->listeners;
    l.erase(std::remove_if(l.begin(), l.end(), [id](const auto& p) { return p.first == id; }), l.end());
}

void Table::disableControls() { ++impl_->disableCount; }

void Table::enableControls() {
    if (impl_->disableCount == 0) return;
    if (--impl_->disableCount == 0 && impl_->changedWhileDisabled) {
        impl_->changedWhileDisabled = false;
        impl_->notify(TableEvent::DataChanged);
    }
}

bool Table::controlsDisabled() const { return impl_->disableCount > 0; }

void Table::lockTable() {
    if (impl_->tableLocked) return;
    if (impl_->readOnly) throw DatabaseError("Table " + impl_->name + " is open read-only.");
    dbf::lockOrThrow(impl_->dbf, dbf::kTableLockStart, dbf::kTableLockLength, true,
                     "Table " + impl_->name + " is in use by another user.");
    impl_->tableLocked = true;
}

void Table::unlockTable() {
    if (!impl_->tableLocked) return;
    impl_->tableLocked = false;
    if (impl_->recordLocked) {
        // Keep the lock of the record being edited.
        const uint64_t held = dbf::recordLockOffset(impl_->recno);
        impl_->dbf.unlock(dbf::kTableLockStart, held - dbf::kTableLockStart);
        impl_->dbf.unlock(held + 1, dbf::kTableLockStart + dbf::kTableLockLength - held - 1);
    } else {
        impl_->dbf.unlock(dbf::kTableLockStart, dbf::kTableLockLength);
    }
}

bool Table::tableLocked() const { return impl_->tableLocked; }

}  // namespace brimo::data
