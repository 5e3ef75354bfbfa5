#include "RecordText.h"

#include "FieldText.h"
#include "data/DatabaseError.h"

namespace brimo::dbtool {

std::vector<std::string> fieldNames(const data::Table& table) {
    std::vector<std::string> names;
    for (const auto& field : table.fields()) names.push_back(field.name);
    return names;
}

std::vector<std::string> recordText(const data::Table& table, std::vector<std::string>& problems) {
    std::vector<std::string> values;
    auto record = table.rawRecord();
    const auto& fields = table.fields();
    for (int i = 0; i < static_cast<int>(fields.size()); ++i) {
        switch (fields[i].type) {
            case 'C':
                values.push_back(table.asString(i));
                break;
            case 'M':
            case 'B':
            case 'G':
                try {
                    values.push_back(fields[i].type == 'M' ? table.asString(i) : hexText(table.asBytes(i)));
                } catch (const data::DatabaseError& e) {
                    values.emplace_back();
                    problems.push_back(e.what());
                }
                break;
            default:
                values.push_back(fieldText(fields[i], record));
        }
    }
    return values;
}

}  // namespace brimo::dbtool
