#include "platform/ImportLine.h"

namespace brimo::platform {

void preProcessImportString(std::string& line) {
    const std::size_t firstQuote = line.find('"');
    if (firstQuote == std::string::npos) {
        return;
    }
    bool insideQuotes = false;
    bool previousWasQuote = false;
    bool atStart = true;
    for (std::size_t i = firstQuote; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            if (atStart || !previousWasQuote) {
                insideQuotes = !insideQuotes;
            } else {
                // A second quote in a row closes the field only when the field
                // ends here; otherwise it is an escaped quote inside the text.
                const bool fieldEnds = i + 1 == line.size() || line[i + 1] == ',';
                if (insideQuotes && fieldEnds) {
                    insideQuotes = false;
                }
            }
        } else if (c == ',' && insideQuotes) {
            line[i] = quotedCommaMark;
        }
        previousWasQuote = c == '"';
        atStart = false;
    }
}

}  // namespace brimo::platform
