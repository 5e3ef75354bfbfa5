#include "SampleTable.h"

#include "data/catalogue/Catalogue.h"
#include "data/catalogue/IndexBuild.h"

namespace brimo::sample {

namespace {

constexpr double kDataVersion = 6.01;

}  // namespace

SampleTable::SampleTable(const data::Database& database, std::string_view tableName)
    : def_(data::catalogue::table(tableName)), table_(database.createTable(def_.fileName, def_.fields)) {
    const auto& fields = table_->fields();
    for (int i = 0; i < static_cast<int>(fields.size()); ++i) {
        fieldIndex_.emplace(fields[i].name, i);
        if (fields[i].type == 'N')
            numberFields_.push_back(i);
        if (fields[i].type == 'L')
            logicalFields_.push_back(i);
    }
    versionField_ = table_->fieldIndex("TABLEVER");
}

SampleTable::~SampleTable() = default;

int SampleTable::index(std::string_view field) {
    auto it = fieldIndex_.find(std::string(field));
    if (it == fieldIndex_.end())
        throw std::out_of_range("No field " + std::string(field) + " in " + def_.fileName);
    return it->second;
}

SampleTable& SampleTable::add() {
    table_->append();
    for (int i : numberFields_) table_->setNumber(i, 0);
    for (int i : logicalFields_) table_->setBool(i, false);
    if (versionField_ >= 0)
        table_->setNumber(versionField_, kDataVersion);
    return *this;
}

SampleTable& SampleTable::set(std::string_view field, std::string_view text) {
    table_->setString(index(field), text);
    return *this;
}

SampleTable& SampleTable::set(std::string_view field, double value) {
    table_->setNumber(index(field), value);
    return *this;
}

SampleTable& SampleTable::set(std::string_view field, bool value) {
    table_->setBool(index(field), value);
    return *this;
}

SampleTable& SampleTable::set(std::string_view field, Date value) {
    table_->setDate(index(field), value);
    return *this;
}

SampleTable& SampleTable::set(std::string_view field, std::span<const std::byte> bytes) {
    table_->setBytes(index(field), bytes);
    return *this;
}

void SampleTable::post(bool deleted) {
    table_->post();
    if (deleted)
        table_->deleteRecord();
}

void SampleTable::finish() {
    if (!def_.tags.empty())
        data::catalogue::buildIndex(*table_, def_);
    table_.reset();
}

}  // namespace brimo::sample
