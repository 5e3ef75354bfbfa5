#pragma once

// Shorthands for the table definitions of the catalogue (internal).

#include <cstdint>
#include <string>

#include "data/Database.h"

namespace brimo::data::catalogue::fields {

inline FieldSpec text(std::string name, uint16_t width) {
    return FieldSpec{std::move(name), 'C', width, 0};
}

inline FieldSpec number(std::string name, uint16_t width, uint8_t decimals = 0) {
    return FieldSpec{std::move(name), 'N', width, decimals};
}

inline FieldSpec logical(std::string name) {
    return FieldSpec{std::move(name), 'L', 1, 0};
}
inline FieldSpec date(std::string name) {
    return FieldSpec{std::move(name), 'D', 8, 0};
}
inline FieldSpec memo(std::string name) {
    return FieldSpec{std::move(name), 'M', 10, 0};
}
inline FieldSpec binary(std::string name) {
    return FieldSpec{std::move(name), 'B', 10, 0};
}

inline TagSpec tag(std::string name, std::string expression) {
    TagSpec t;
    t.name = std::move(name);
    t.expression = std::move(expression);
    return t;
}

// Shared widths: one place for each kind of value that several tables hold.
inline FieldSpec stockCode(std::string name) {
    return text(std::move(name), 15);
}
inline FieldSpec customerNumber(std::string name = "CUSTNUM") {
    return number(std::move(name), 8);
}
inline FieldSpec documentNumber(std::string name) {
    return number(std::move(name), 8);
}
inline FieldSpec categoryName(std::string name) {
    return text(std::move(name), 15);
}
inline FieldSpec money(std::string name) {
    return number(std::move(name), 12, 2);
}
inline FieldSpec price(std::string name) {
    return number(std::move(name), 12, 4);
}
inline FieldSpec quantity(std::string name) {
    return number(std::move(name), 10, 2);
}
inline FieldSpec percent(std::string name) {
    return number(std::move(name), 8, 3);
}
inline FieldSpec code(std::string name) {
    return number(std::move(name), 1);
}
inline FieldSpec tableVersion() {
    return number("TABLEVER", 5, 2);
}

}  // namespace brimo::data::catalogue::fields
