#include "platform/ImportLine.h"

namespace brimo::platform {

void preProcessImportString(std::string& line) {
    const std::size_t firstQuote = line.find('"');
    if (firstQuote == std::string::npos) {
        return;
    }
    bool insideQuotes = false;
    for (std::size_t i = firstQuote; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            // Inside a quoted field two quotes in a row stand for one quote
            // of the text; any other quote opens or closes a field.
            if (insideQuotes && i + 1 < line.size() && line[i + 1] == '"') {
                ++i;
            } else {
                insideQuotes = !insideQuotes;
            }
        } else if (c == ',' && insideQuotes) {
            line[i] = quotedCommaMark;
        }
    }
}

}  // namespace brimo::platform
