#include "platform/CodePage.h"

#include <gtest/gtest.h>

namespace brimo::platform {
namespace {

const CodePage allCodePages[] = {CodePage::cp437, CodePage::cp850,  CodePage::cp852,  CodePage::cp865,
                                 CodePage::cp866, CodePage::cp1250, CodePage::cp1251, CodePage::cp1252};

TEST(CodePageTest, DecodesCharactersOfEachCodePage) {
    struct Case {
        CodePage codePage;
        const char* bytes;
        const char* utf8;
    };
    const Case cases[] = {
        {CodePage::cp1252, "Caf\xE9 \x80 5", "Café € 5"},
        {CodePage::cp1252, "\x93quoted\x94", "“quoted”"},
        {CodePage::cp437, "M\x81ller \xDB\xB0", "Müller █░"},
        {CodePage::cp850, "\xD5 \x9D", "ı Ø"},
        {CodePage::cp852, "\xA5\xA4", "ąĄ"},
        {CodePage::cp865, "\x9B\x9D", "øØ"},
        {CodePage::cp866, "\x80\xA0\xE0", "Аар"},
        {CodePage::cp1250, "\x8A\x9A\xB9", "Ššą"},
        {CodePage::cp1251, "\xC0\xE0\xA8", "АаЁ"},
        {CodePage::cp1252, "plain ASCII, 0-9", "plain ASCII, 0-9"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(decodeText(c.codePage, c.bytes), c.utf8) << c.bytes;
        EXPECT_EQ(encodeText(c.codePage, c.utf8), c.bytes) << c.utf8;
    }
}

TEST(CodePageTest, EveryByteSurvivesARoundTrip) {
    std::string allBytes;
    for (int b = 0; b < 256; ++b) {
        allBytes += static_cast<char>(b);
    }
    for (CodePage codePage : allCodePages) {
        EXPECT_EQ(encodeText(codePage, decodeText(codePage, allBytes)), allBytes)
            << "code page " << static_cast<int>(codePage);
    }
    EXPECT_EQ(decodeText(CodePage::cp1252, "\x81"), "\xC2\x81") << "undefined bytes become C1 controls";
}

TEST(CodePageTest, UnmappableAndMalformedTextBecomesQuestionMarks) {
    struct Case {
        CodePage codePage;
        std::string utf8;
        std::string bytes;
    };
    const Case cases[] = {
        {CodePage::cp437, "5 €", "5 ?"},
        {CodePage::cp1252, "日本", "??"},
        {CodePage::cp1252, "😀!", "?!"},
        {CodePage::cp1251, "é", "?"},
        {CodePage::cp1252, "a\xC3", "a?"},
        {CodePage::cp1252, "\xC0\xAF", "??"},
        {CodePage::cp1252, "\xED\xA0\x80x", "???x"},
        {CodePage::cp1252, "\xF4\x90\x80\x80", "????"},
        {CodePage::cp1252, "\x80\xBF", "??"},
        {CodePage::cp1252, std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(encodeText(c.codePage, c.utf8), c.bytes) << c.utf8;
    }
}

}  // namespace
}  // namespace brimo::platform
