#pragma once

#include "platform/CodePage.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace brimo::data::dbf {

// The code page of a table's text fields, from its language driver: the id
// at header byte 29, or for level-7 tables the driver name ("DB437US0") when
// the id is 0. Windows-1252 when neither is known.
platform::CodePage codePageOf(uint8_t languageDriverId, std::string_view driverName);

// The id written into tables this engine creates: Windows ANSI (1252).
inline constexpr uint8_t kDefaultLanguageDriverId = 0x57;

}  // namespace brimo::data::dbf
