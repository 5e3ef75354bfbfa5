#include <gtest/gtest.h>

#include <cstring>

#include "Csv.h"
#include "FieldText.h"

namespace brimo::dbtool {
namespace {

TEST(CsvTest, QuotesOnlyWhatNeedsQuoting) {
    struct Case {
        const char* value;
        const char* field;
    };
    const Case cases[] = {
        {"", ""},
        {"plain text", "plain text"},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\r\nlines", "\"two\r\nlines\""},
        {"line\nfeed", "\"line\nfeed\""},
        {" leading and trailing ", " leading and trailing "},
    };
    for (const auto& c : cases) EXPECT_EQ(csvField(c.value), c.field) << c.value;
    EXPECT_EQ(csvLine({"A", "", "b,c"}), "A,,\"b,c\"\r\n");
    EXPECT_EQ(csvLine({}), "\r\n");
}

// A record holding one field of `type` with the stored bytes `stored`.
std::string textOf(char type, std::string_view stored, uint8_t decimals = 0) {
    std::vector<std::byte> record(1 + stored.size());
    record[0] = std::byte{' '};
    std::memcpy(record.data() + 1, stored.data(), stored.size());
    data::FieldDef field{"F", type, static_cast<uint16_t>(stored.size()), decimals, 1};
    return fieldText(field, record);
}

TEST(FieldTextTest, StoredValuesPrintWithoutPadding) {
    struct Case {
        char type;
        std::string_view stored;
        const char* text;
    };
    const Case cases[] = {
        {'N', "   10000.00", "10000.00"},
        {'N', "       -3.5", "-3.5"},
        {'N', "        .50", "0.50"},
        {'N', "       -.25", "-0.25"},
        {'N', "          0", "0"},
        {'N', "           ", ""},
        {'F', "  1.250", "1.250"},
        {'L', "T", "T"},
        {'L', "y", "T"},
        {'L', "n", "F"},
        {'L', " ", ""},
        {'L', "?", ""},
        {'D', "20250314", "2025-03-14"},
        {'D', "        ", ""},
        // Not a date: shown as stored rather than hidden.
        {'D', "2025AB14", "2025AB14"},
        // Level-7 long: big-endian with the sign bit inverted; all zero is empty.
        {'I', std::string_view("\x80\x00\x00\x0B", 4), "11"},
        {'I', std::string_view("\x7F\xFF\xFF\xFF", 4), "-1"},
        {'+', std::string_view("\x00\x00\x00\x00", 4), ""},
        // Level-7 double 2.5: sign bit set for values >= 0.
        {'O', std::string_view("\xC0\x04\x00\x00\x00\x00\x00\x00", 8), "2.5"},
        // Unknown types as hexadecimal.
        {'@', std::string_view("\x01\xAB", 2), "01AB"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(textOf(c.type, c.stored), c.text) << c.type << " '" << c.stored << "'";
    }
}

}  // namespace
}  // namespace brimo::dbtool
