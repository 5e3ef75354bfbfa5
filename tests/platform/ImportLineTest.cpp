#include "platform/ImportLine.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace brimo::platform {
namespace {

TEST(ImportLineTest, MarksOnlyCommasInsideQuotedFields) {
    // '~' in the expected lines stands for the mark character.
    struct Case {
        const char* line;
        const char* expected;
    };
    const Case cases[] = {
        {"a,b,c", "a,b,c"},
        {"\"Smith, John\",12", "\"Smith~ John\",12"},
        {"a,\"x,y\",b", "a,\"x~y\",b"},
        {"a,b,\"c\"", "a,b,\"c\""},
        {"\"\",x,y", "\"\",x,y"},
        {"x,\"\",\"a,b\"", "x,\"\",\"a~b\""},
        {"\"12\"\" pipe, steel\",5", "\"12\"\" pipe~ steel\",5"},
        {"\"a\"\"b\",c", "\"a\"\"b\",c"},
        {"\"say \"\"hi, there\"\"\",1", "\"say \"\"hi~ there\"\"\",1"},
        {"\"\"\"\",x", "\"\"\"\",x"},
        {"\"open, never closed", "\"open~ never closed"},
        {"", ""},
    };
    for (const Case& c : cases) {
        std::string line = c.line;
        preProcessImportString(line);
        std::replace(line.begin(), line.end(), quotedCommaMark, '~');
        EXPECT_EQ(line, c.expected) << c.line;
    }
}

}  // namespace
}  // namespace brimo::platform
