#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "brmdll32.h"
#include "host/Settings.h"
#include "platform/IniFile.h"
#include "platform/Locale.h"

namespace brimo::host {
namespace {

namespace fs = std::filesystem;

// A host buffer with guard bytes behind the room the export may use.
struct GuardedBuffer {
    explicit GuardedBuffer(const std::string& content) {
        std::memset(bytes, '#', sizeof bytes);
        std::memcpy(bytes, content.c_str(), content.size() + 1);
    }
    std::string text() const { return bytes; }
    bool untouchedFrom(std::size_t offset) const {
        for (std::size_t i = offset; i < sizeof bytes; ++i) {
            if (bytes[i] != '#') {
                return false;
            }
        }
        return true;
    }
    char bytes[64];
};

class TempDirectory {
  public:
    TempDirectory() {
        char pattern[] = "/tmp/brimo-host-XXXXXX";
        path_ = mkdtemp(pattern);
    }
    ~TempDirectory() { fs::remove_all(path_); }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

TEST(GetFileName, LeavesTheTextAfterTheLastSeparatorInPlace) {
    struct Case {
        const char* path;
        const char* expected;
    };
    for (const Case& c :
         {Case{"C:\\DATA\\CODE.DBF", "CODE.DBF"}, Case{"C:CODE.DBF", "CODE.DBF"}, Case{"CODE.DBF", "CODE.DBF"},
          Case{"C:\\DATA\\", ""}, Case{"", ""}, Case{"\\\\server\\share\\caf\xE9.dbf", "caf\xE9.dbf"}}) {
        GuardedBuffer buffer(c.path);
        GetFileName(buffer.bytes);
        EXPECT_EQ(buffer.text(), c.expected) << c.path;
        EXPECT_TRUE(buffer.untouchedFrom(std::strlen(c.path) + 1)) << c.path;
    }
    GetFileName(nullptr);
}

TEST(GetDatabaseDateFormat, WritesMaskAndSeparatorAndGivesTheOrder) {
    struct Case {
        platform::LocaleSettings locale;
        const char* mask;
        int order;
    };
    for (const Case& c : {Case{{"dd.MM.yyyy", '.', 49}, "##.##.####", 1},
                          Case{{"yyyy-MM-dd", '-', 46}, "####-##-##", 2}, Case{{"M/d/yy", '/', 1}, "##/##/####", 0}}) {
        platform::overrideLocaleForTesting(c.locale);
        GuardedBuffer mask("");
        char separator = 0;
        EXPECT_EQ(GetDatabaseDateFormat(mask.bytes, &separator), c.order) << c.locale.shortDateFormat;
        EXPECT_EQ(mask.text(), c.mask);
        EXPECT_TRUE(mask.untouchedFrom(11));
        EXPECT_EQ(separator, c.locale.dateSeparator);
    }
    EXPECT_EQ(GetDatabaseDateFormat(nullptr, nullptr), 0);
    platform::overrideLocaleForTesting(std::nullopt);
}

TEST(PreProcessImportString, MarksOnlyCommasInsideQuotesAndKeepsTheLength) {
    struct Case {
        const char* line;
        const char* expected;
    };
    for (const Case& c :
         {Case{"a,b,c", "a,b,c"}, Case{"a,\"x,y\",b", "a,\"x\x7fy\",b"},
          Case{"1,2,\"Smith, John\",12", "1,2,\"Smith\x7f John\",12"}, Case{"\"\",x,\"p,q\"", "\"\",x,\"p\x7fq\""}}) {
        GuardedBuffer buffer(c.line);
        PreProcessImportString(buffer.bytes);
        EXPECT_EQ(buffer.text(), c.expected) << c.line;
        EXPECT_TRUE(buffer.untouchedFrom(std::strlen(c.line) + 1)) << c.line;
    }
    PreProcessImportString(nullptr);
}

TEST(SetIniFile, BareNameLiesInTheUserConfigurationDirectory) {
    TempDirectory config;
    setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);

    EXPECT_EQ(SetIniFile("Shop.Ini"), 1);
    EXPECT_EQ(iniFilePath(), config.path() / "brimo" / "Shop.Ini");
    platform::IniFile ini(iniFilePath());
    EXPECT_EQ(ini.readInteger("Defaults", "Copies", 1), 1) << "a file that does not exist yet reads as defaults";
    ini.writeInteger("Defaults", "Copies", 3);
    EXPECT_TRUE(fs::exists(config.path() / "brimo" / "Shop.Ini"));

    const fs::path explicitPath = config.path() / "elsewhere.ini";
    EXPECT_EQ(SetIniFile(explicitPath.c_str()), 1);
    EXPECT_EQ(iniFilePath(), explicitPath);

    EXPECT_EQ(SetIniFile(nullptr), 1);
    EXPECT_EQ(settings().iniFileName, "");
    SetIniFile("Brimo.Ini");
    unsetenv("XDG_CONFIG_HOME");
}

TEST(SetLocations, ReplacesAllThreeTextsAtOnceDecodingHostText) {
    SetLocations(
        "D:\\Donn\xE9"
        "es",
        "second", "L:\\LOC");
    SetLocations("/data/shop", "", "");
    EXPECT_EQ(settings().dataAlias, "/data/shop");
    EXPECT_EQ(settings().secondLocation, "");
    EXPECT_EQ(settings().locationsDirectory, "");
    SetLocations(
        "D:\\Donn\xE9"
        "es",
        nullptr, "L:\\LOC");
    EXPECT_EQ(settings().dataAlias,
              "D:\\Donn\xC3\xA9"
              "es");
    EXPECT_EQ(settings().secondLocation, "");
    EXPECT_EQ(settings().locationsDirectory, "L:\\LOC");
}

TEST(DirExists, IsOneOnlyForAnExistingDirectory) {
    TempDirectory temp;
    fs::create_directory(temp.path() / "caf\xC3\xA9");
    std::ofstream(temp.path() / "file.txt") << "x";
    const std::string base = temp.path().string();
    EXPECT_EQ(DirExists(base.c_str()), 1);
    EXPECT_EQ(DirExists((base + "/caf\xE9").c_str()), 1) << "host text is Windows-1252";
    EXPECT_EQ(DirExists((base + "/file.txt").c_str()), 0);
    EXPECT_EQ(DirExists((base + "/missing").c_str()), 0);
    EXPECT_EQ(DirExists(""), 0);
    EXPECT_EQ(DirExists(nullptr), 0);
}

TEST(GetBarcodeFormat, PreparesTheTextInPlaceWithinTheRoomTheHostGives) {
    struct Case {
        const char* font;
        const char* text;
        std::string expected;
    };
    for (const Case& c : {Case{"c39 barcode", "AB 12", "*AB,12*"}, Case{"I25", "123", "a*J/Cb"},
                          Case{"POSTNET", "12345", ""}, Case{"Arial", "12345", "12345"},
                          // Two markers add four characters; the host sized for three.
                          Case{"CBAR-C39", "12", "*A12B"}}) {
        GuardedBuffer buffer(c.text);
        EXPECT_EQ(GetBarcodeFormat(c.font, buffer.bytes), 1);
        EXPECT_EQ(buffer.text(), c.expected) << c.font;
        EXPECT_TRUE(buffer.untouchedFrom(std::strlen(c.text) + 4)) << c.font;
    }
    EXPECT_EQ(GetBarcodeFormat("C39", nullptr), 1);
}

}  // namespace
}  // namespace brimo::host
