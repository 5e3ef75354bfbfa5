// The input is text a user or the host writes for the engine: a filter, an SQL
// statement to adapt from the old desktop dialect, and a query-by-example
// request (one line per input line). Anything unreadable must end in
// DatabaseError, never a crash or a hang.
#include "data/DatabaseError.h"
#include "data/Table.h"
#include "data/sql/DialectRewrite.h"
#include "data/sql/QueryByExample.h"

#include <string_view>
#include <vector>

using namespace brimo::data;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        (void)parseFilter(text);
    } catch (const DatabaseError&) {
    }
    (void)sql::rewriteDialect(text);
    std::vector<std::string_view> lines;
    for (size_t start = 0; start <= text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    try {
        (void)sql::translateQueryByExample(lines);
    } catch (const DatabaseError&) {
    }
    return 0;
}
