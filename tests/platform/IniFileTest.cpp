#include "platform/IniFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "TemporaryDirectory.h"

namespace brimo::platform {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void writeFile(const fs::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

class IniFileTest : public ::testing::Test {
  protected:
    test::TemporaryDirectory dir;
    fs::path path = dir.path() / "Brimo.Ini";
    IniFile ini{path};
};

TEST_F(IniFileTest, MissingFileAndKeysGiveTheDefaults) {
    EXPECT_EQ(ini.readString("Defaults", "Last Backup Path", "A:\\"), "A:\\");
    EXPECT_EQ(ini.readInteger("Defaults", "Copies", 1), 1);
    EXPECT_TRUE(ini.readBool("Defaults", "Collate", true));
    EXPECT_FALSE(fs::exists(path));

    writeFile(path, "[Defaults]\nCopies=3\n");
    EXPECT_EQ(ini.readString("Defaults", "Other", "x"), "x");
    EXPECT_EQ(ini.readString("Other", "Copies", "x"), "x");
}

TEST_F(IniFileTest, SectionsAndKeysMatchIgnoringCase) {
    writeFile(path,
              "; settings\n"
              "Copies=9\n"
              "[indicators]\n"
              "exclude nonstock = 1 \n"
              "  [ Defaults ]  \n"
              "COPIES=4\n"
              "Name=\"  quoted  \"\n"
              "Empty=\n"
              "[Defaults]\n"
              "Copies=7\n");
    EXPECT_TRUE(ini.readBool("Indicators", "Exclude NonStock", false));
    EXPECT_EQ(ini.readInteger("DEFAULTS", "copies", 0), 4) << "the first section and key of that name win";
    EXPECT_EQ(ini.readString("Defaults", "Name"), "  quoted  ");
    EXPECT_EQ(ini.readString("Defaults", "Empty", "default"), "");
}

TEST_F(IniFileTest, IntegersAreReadFromTheLeadingDigits) {
    struct Case {
        const char* stored;
        int expected;
    };
    const Case cases[] = {
        {"12", 12},
        {" 42abc", 42},
        {"-7", -7},
        {"+5", 5},
        {"007", 7},
        {"abc", -1},
        {"", -1},
        {"-", -1},
        {"99999999999", -1},
        {"2147483647", 2147483647},
        {"0", 0},
        {"0x10", 0},
        {"-2147483648", -2147483647 - 1},
    };
    for (const Case& c : cases) {
        writeFile(path, std::string("[S]\nK=") + c.stored + "\n");
        EXPECT_EQ(ini.readInteger("S", "K", -1), c.expected) << "stored: " << c.stored;
    }
    writeFile(path, "[S]\nZero=0\nTwo=2\nText=yes\n");
    EXPECT_FALSE(ini.readBool("S", "Zero", true));
    EXPECT_TRUE(ini.readBool("S", "Two", false));
    EXPECT_TRUE(ini.readBool("S", "Text", true));
    EXPECT_FALSE(ini.readBool("S", "Text", false));
}

TEST_F(IniFileTest, WritingAValueKeepsEveryOtherByte) {
    const std::string before =
        "; Brimo settings\r\n"
        "\r\n"
        "[Indicators]\r\n"
        "Exclude NonStock = 0   \r\n"
        "SQL Update=1\r\n"
        "\r\n"
        "[EMail]   \r\n"
        "  Server\t=  mail.example.com\r\n"
        "# trailing comment\r\n";
    writeFile(path, before);

    ini.writeBool("indicators", "EXCLUDE NONSTOCK", true);
    ini.writeString("EMail", "Server", "smtp.example.org");

    const std::string after =
        "; Brimo settings\r\n"
        "\r\n"
        "[Indicators]\r\n"
        "Exclude NonStock = 1\r\n"
        "SQL Update=1\r\n"
        "\r\n"
        "[EMail]   \r\n"
        "  Server\t=  smtp.example.org\r\n"
        "# trailing comment\r\n";
    EXPECT_EQ(readFile(path), after);
}

TEST_F(IniFileTest, MissingKeysAndSectionsAreAppendedWhereTheyBelong) {
    struct Case {
        const char* name;
        std::string before;
        std::string after;
    };
    const Case cases[] = {
        {"key at the end of its section, before the blank line", "[Defaults]\nCopies=1\n\n[EMail]\nName=x\n",
         "[Defaults]\nCopies=1\nCollate=1\n\n[EMail]\nName=x\n"},
        {"CRLF file gets CRLF lines", "[Defaults]\r\nCopies=1\r\n", "[Defaults]\r\nCopies=1\r\nCollate=1\r\n"},
        {"last line without a line end", "[Defaults]\nCopies=1", "[Defaults]\nCopies=1\nCollate=1\n"},
        {"empty section", "[Defaults]\n[EMail]\n", "[Defaults]\nCollate=1\n[EMail]\n"},
        {"missing section at the end of the file", "[EMail]\nName=x\n", "[EMail]\nName=x\n\n[Defaults]\nCollate=1\n"},
        {"missing section after a file without a final line end", "[EMail]\nName=x",
         "[EMail]\nName=x\n\n[Defaults]\nCollate=1\n"},
        {"missing section after a trailing blank line", "[EMail]\nName=x\n\n",
         "[EMail]\nName=x\n\n[Defaults]\nCollate=1\n"},
        {"empty file", "", "[Defaults]\nCollate=1\n"},
    };
    for (const Case& c : cases) {
        writeFile(path, c.before);
        ini.writeBool("Defaults", "Collate", true);
        EXPECT_EQ(readFile(path), c.after) << c.name;
        EXPECT_TRUE(ini.readBool("Defaults", "Collate", false)) << c.name;
    }
}

TEST_F(IniFileTest, FirstWriteCreatesTheFileAndItsDirectory) {
    IniFile nested(dir.path() / "a" / "b" / "settings.ini");
    nested.writeInteger("Defaults", "Copies", 2);
    nested.writeString("EMail", "Name", "Shop");
    EXPECT_EQ(readFile(nested.path()), "[Defaults]\nCopies=2\n\n[EMail]\nName=Shop\n");
    EXPECT_EQ(nested.readInteger("Defaults", "Copies", 0), 2);
}

TEST_F(IniFileTest, WritesKeepPermissionsAndSymbolicLinksAndLeaveNoTemporaryFiles) {
    const fs::path real = dir.path() / "real.ini";
    writeFile(real, "[S]\nK=1\n");
    ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    fs::create_symlink(real, path);

    ini.writeString("S", "K", "2");
    ini.writeString("S", "L", "3");

    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(readFile(real), "[S]\nK=2\nL=3\n");
    struct stat status {};
    ASSERT_EQ(::stat(real.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

TEST_F(IniFileTest, WriteFailuresAndUnwritableValuesThrow) {
    writeFile(dir.path() / "file", "not a directory");
    IniFile blocked(dir.path() / "file" / "x.ini");
    EXPECT_THROW(blocked.writeString("S", "K", "v"), IniFileError);

    writeFile(path, "[S]\nK=1\n");
    EXPECT_THROW(ini.writeString("S", "K", "two\nlines"), IniFileError);
    EXPECT_THROW(ini.writeString("S", "K=", "v"), IniFileError);
    EXPECT_THROW(ini.writeString("S\r", "K", "v"), IniFileError);
    EXPECT_EQ(readFile(path), "[S]\nK=1\n");
}

class ResolveIniPathTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (const char* value = std::getenv("XDG_CONFIG_HOME")) {
            savedConfigHome = value;
        }
        if (const char* value = std::getenv("HOME")) {
            savedHome = value;
        }
        ::setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1);
    }
    void TearDown() override {
        restore("XDG_CONFIG_HOME", savedConfigHome);
        restore("HOME", savedHome);
    }
    static void restore(const char* name, const std::optional<std::string>& value) {
        if (value) {
            ::setenv(name, value->c_str(), 1);
        } else {
            ::unsetenv(name);
        }
    }

    test::TemporaryDirectory dir;
    std::optional<std::string> savedConfigHome;
    std::optional<std::string> savedHome;
};

TEST_F(ResolveIniPathTest, BareNamesLiveInTheConfigurationDirectory) {
    EXPECT_EQ(resolveIniPath("Brimo.Ini"), dir.path() / "brimo" / "Brimo.Ini");

    fs::create_directories(dir.path() / "brimo");
    writeFile(dir.path() / "brimo" / "brimo.ini", "");
    EXPECT_EQ(resolveIniPath("Brimo.Ini"), dir.path() / "brimo" / "brimo.ini");
    EXPECT_EQ(resolveIniPath("brimo.ini"), dir.path() / "brimo" / "brimo.ini");
    EXPECT_EQ(resolveIniPath("Other.ini"), dir.path() / "brimo" / "Other.ini");

    ::setenv("XDG_CONFIG_HOME", "relative/dir", 1);
    ::setenv("HOME", dir.path().c_str(), 1);
    EXPECT_EQ(resolveIniPath("Brimo.Ini"), dir.path() / ".config" / "brimo" / "Brimo.Ini");
}

TEST_F(ResolveIniPathTest, NamesWithADirectoryAreUsedAsTheyStand) {
    EXPECT_EQ(resolveIniPath("/etc/brimo/Brimo.Ini"), fs::path("/etc/brimo/Brimo.Ini"));
    EXPECT_EQ(resolveIniPath("conf/Brimo.Ini"), fs::path("conf/Brimo.Ini"));
    EXPECT_EQ(resolveIniPath("conf\\sub\\Brimo.Ini"), fs::path("conf/sub/Brimo.Ini"));
}

}  // namespace
}  // namespace brimo::platform
