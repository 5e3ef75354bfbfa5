#include "data/catalogue/TableDef.h"

#include <algorithm>

#include "platform/AsciiCase.h"

namespace brimo::data::catalogue {

namespace {

template <typename Item>
const Item* findByName(const std::vector<Item>& items, std::string_view name) {
    auto it = std::find_if(items.begin(), items.end(),
                           [&](const Item& item) { return platform::equalsIgnoringAsciiCase(item.name, name); });
    return it == items.end() ? nullptr : &*it;
}

}  // namespace

std::string TableDef::baseName() const {
    return fileName.substr(0, fileName.rfind('.'));
}

bool TableDef::hasMemo() const {
    return std::any_of(fields.begin(), fields.end(),
                       [](const FieldSpec& f) { return f.type == 'M' || f.type == 'B' || f.type == 'G'; });
}

const FieldSpec* TableDef::findField(std::string_view name) const {
    return findByName(fields, name);
}

const TagSpec* TableDef::findTag(std::string_view name) const {
    return findByName(tags, name);
}

}  // namespace brimo::data::catalogue
