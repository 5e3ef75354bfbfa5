#include "devices/BarcodeFormat.h"

#include <gtest/gtest.h>

namespace brimo::devices {
namespace {

TEST(BarcodeFormatTest, PreparesTextForEachFont) {
    struct Case {
        const char* font;
        const char* text;
        std::string expected;
    };
    const Case cases[] = {
        {"Free 3 of 9 C39", "AB 12", "*AB,12*"},
        {"c39hrp24dhtt", "A B", "*A,B*"},
        {"CBarcode", "123", "A123B"},
        {"I25 Interleaved", "123",
         "a\x2A\x4A\x2F\x43"
         "b"},
        {"i25", "31", "a=Bb"},
        {"I25", "", "ab"},
        {"I25", "0099",
         "a\x22\x5D\x27\x4D"
         "b"},
        {"I25", "12a", "12a"},
        {"I25", "1 2", "1 2"},
        {"PostNet", "12345", ""},
        {"Arial", "AB 12", "AB 12"},
        {"", "x", "x"},
        // Every marker found applies to the text as it then stands.
        {"CBAR C39", "1 2", "*A1,2B*"},
        {"C39 I25", "12", "*12*"},
        {"CBAR POSTNET", "1", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatBarcodeText(c.font, c.text), c.expected) << c.font << " / " << c.text;
    }
}

TEST(BarcodeFormatTest, InterleavedPairsFollowTheFontsGlyphTable) {
    // Row by row the first glyph repeats a pattern of the first digit and the
    // second glyph one of the second digit; a few cells of each row pin the
    // table down.
    struct Case {
        const char* pair;
        const char* glyphs;
    };
    const Case cases[] = {
        {"00", "\x22\x5D"}, {"09", "\x24\x4D"}, {"13", "\x3B\x43"}, {"27", "\x25\x48"},
        {"31", "\x3D\x42"}, {"36", "\x37\x51"}, {"44", "\x22\x54"}, {"58", "\x3A\x45"},
        {"62", "\x28\x42"}, {"63", "\x30\x41"}, {"70", "\x21\x5F"}, {"75", "\x29\x5B"},
        {"81", "\x39\x4A"}, {"89", "\x33\x4D"}, {"90", "\x25\x5D"}, {"99", "\x27\x4D"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatBarcodeText("I25", c.pair), std::string("a") + c.glyphs + "b") << c.pair;
    }
}

}  // namespace
}  // namespace brimo::devices
