#include "Csv.h"

namespace brimo::dbtool {

std::string csvField(std::string_view value) {
    if (value.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(value);
    std::string out = "\"";
    for (char c : value) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string csvLine(const std::vector<std::string>& values) {
    std::string line;
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0)
            line += ',';
        line += csvField(values[i]);
    }
    line += "\r\n";
    return line;
}

}  // namespace brimo::dbtool
