#pragma once

#include "data/FieldDef.h"

namespace brimo::data {

// The value a field holds, as the application sees it. N and F fields
// without decimals are integers when they fit: up to 4 digits a 16-bit
// integer, up to 9 a 32-bit integer; every other N and F field is a
// floating-point number.
enum class FieldKind { Text, SmallInt, Integer, AutoIncrement, Float, Logical, Date, Timestamp, Memo, Binary };

constexpr FieldKind fieldKind(const FieldDef& field) {
    switch (field.type) {
        case 'N':
        case 'F':
            if (field.decimals == 0 && field.length < 5) return FieldKind::SmallInt;
            if (field.decimals == 0 && field.length < 10) return FieldKind::Integer;
            return FieldKind::Float;
        case 'I': return FieldKind::Integer;
        case '+': return FieldKind::AutoIncrement;
        case 'O': return FieldKind::Float;
        case 'L': return FieldKind::Logical;
        case 'D': return FieldKind::Date;
        case '@': return FieldKind::Timestamp;
        case 'M': return FieldKind::Memo;
        case 'B':
        case 'G': return FieldKind::Binary;
        default: return FieldKind::Text;
    }
}

}  // namespace brimo::data
