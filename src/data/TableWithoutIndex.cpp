// Stand-in while the index library is not built: tables open without their
// production index and refuse changes when they have one.
#include "data/DatabaseError.h"
#include "data/TableImpl.h"
#include "data/TableIndexing.h"

namespace brimo::data {

struct IndexState {};

void IndexStateDeleter::operator()(IndexState* state) const { delete state; }

void createProductionIndex(const std::filesystem::path&, const std::string&, const std::vector<FieldDef>&,
                           const std::vector<TagSpec>&) {
    throw DatabaseError("Index files cannot be created by this build.");
}

void Table::Impl::openIndex(const std::filesystem::path&) {
    throw DatabaseError("Index files cannot be read by this build.");
}
std::vector<std::string> Table::Impl::tagNames() const { return {}; }
void Table::Impl::activateTag(std::string_view tagName) {
    if (!tagName.empty()) throw DatabaseError("Table " + name + " has no index tag " + std::string(tagName) + ".");
}
std::string Table::Impl::activeTagName() const { return {}; }
bool Table::Impl::tagActive() const { return false; }
std::string Table::Impl::tagForField(std::string_view) const { return {}; }
bool Table::Impl::tagMove(bool, bool, uint32_t&) { return false; }
bool Table::Impl::tagSeek(const KeyValue&, bool, uint32_t&) {
    throw DatabaseError("Table " + name + " has no active index tag.");
}
bool Table::Impl::tagKeyMatches(const KeyValue&) const { return false; }
void Table::Impl::tagSetRange(const KeyValue&, const KeyValue&) {
    throw DatabaseError("Table " + name + " has no active index tag.");
}
void Table::Impl::tagClearRange() {}
void Table::Impl::tagSync(uint32_t, std::span<const std::byte>) {}
bool Table::Impl::tagEntryAgrees(std::span<const std::byte>) const { return true; }
void Table::Impl::indexInsert(uint32_t, std::span<const std::byte>) {}
void Table::Impl::indexUpdate(uint32_t, std::span<const std::byte>, std::span<const std::byte>) {}
void Table::Impl::indexForgetStale(uint32_t, std::span<const std::byte>) {}

}  // namespace brimo::data
