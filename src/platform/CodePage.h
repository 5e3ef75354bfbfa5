#pragma once

#include <string>
#include <string_view>

namespace brimo::platform {

// The single-byte code pages found in the shop's data files and host text.
enum class CodePage { cp437, cp850, cp852, cp865, cp866, cp1250, cp1251, cp1252 };

// Converts 8-bit text in the code page to UTF-8. The few bytes a Windows code
// page leaves undefined become the C1 control characters of the same value,
// so that they come back unchanged from encodeText.
std::string decodeText(CodePage codePage, std::string_view bytes);

// Converts UTF-8 text to the code page. A character the code page cannot
// represent, and every byte of malformed UTF-8, becomes '?'.
std::string encodeText(CodePage codePage, std::string_view utf8);

}  // namespace brimo::platform
