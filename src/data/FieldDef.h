#pragma once

#include <cstdint>
#include <string>

namespace brimo::data {

// One field of a table as stored in the DBF header.
// `offset` is the byte position of the field inside the raw record buffer; the
// buffer begins with the one-byte delete flag, so the first field has offset 1.
struct FieldDef {
    std::string name;
    char type = 'C';
    uint16_t length = 0;
    uint8_t decimals = 0;
    uint32_t offset = 0;
};

}  // namespace brimo::data
