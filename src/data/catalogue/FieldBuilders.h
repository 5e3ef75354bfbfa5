#pragma once

// Shorthands for the table definitions of the catalogue (internal).

#include <cstdint>
#include <string>

#include "data/FieldDef.h"

namespace brimo::data::catalogue::fields {

inline FieldDef text(std::string name, uint16_t width) { return FieldDef{std::move(name), 'C', width, 0, 0}; }

inline FieldDef number(std::string name, uint16_t width, uint8_t decimals = 0) {
    return FieldDef{std::move(name), 'N', width, decimals, 0};
}

inline FieldDef logical(std::string name) { return FieldDef{std::move(name), 'L', 1, 0, 0}; }
inline FieldDef date(std::string name) { return FieldDef{std::move(name), 'D', 8, 0, 0}; }
inline FieldDef memo(std::string name) { return FieldDef{std::move(name), 'M', 10, 0, 0}; }
inline FieldDef binary(std::string name) { return FieldDef{std::move(name), 'B', 10, 0, 0}; }

// Shared widths: one place for each kind of value that several tables hold.
inline FieldDef stockCode(std::string name) { return text(std::move(name), 15); }
inline FieldDef customerNumber(std::string name = "CUSTNUM") { return number(std::move(name), 8); }
inline FieldDef documentNumber(std::string name) { return number(std::move(name), 8); }
inline FieldDef categoryName(std::string name) { return text(std::move(name), 15); }
inline FieldDef money(std::string name) { return number(std::move(name), 12, 2); }
inline FieldDef price(std::string name) { return number(std::move(name), 12, 4); }
inline FieldDef quantity(std::string name) { return number(std::move(name), 10, 2); }
inline FieldDef percent(std::string name) { return number(std::move(name), 8, 3); }
inline FieldDef code(std::string name) { return number(std::move(name), 1); }
inline FieldDef tableVersion() { return number("TABLEVER", 5, 2); }

}  // namespace brimo::data::catalogue::fields
