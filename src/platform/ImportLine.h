#pragma once

#include <string>

namespace brimo::platform {

// The character that stands in for a comma inside a double-quoted field.
inline constexpr char quotedCommaMark = '\x7f';

// Marks the commas that stand inside double-quoted fields of one
// comma-separated import line by replacing them with quotedCommaMark, so the
// caller can split the line at every remaining comma. Every double quote
// opens or closes a quoted field, except that inside a field two double
// quotes in a row stand for one quote of the text ("12"" pipe, steel").
// Commas before the first double quote are never touched; the line keeps its
// length.
void preProcessImportString(std::string& line);

}  // namespace brimo::platform
