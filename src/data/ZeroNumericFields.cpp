#include "data/FieldKind.h"
#include "data/Table.h"

namespace brimo::data {

void zeroNumericFields(Table& table) {
    const auto& fields = table.fields();
    for (size_t i = 0; i < fields.size(); ++i) {
        const int index = static_cast<int>(i);
        switch (fieldKind(fields[i])) {
            case FieldKind::Integer:
            case FieldKind::Float: table.setNumber(index, 0); break;
            case FieldKind::Logical: table.setBool(index, false); break;
            default: break;
        }
    }
}

}  // namespace brimo::data
