#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <fstream>

#include "TemporaryDirectory.h"

namespace brimo::platform {
namespace {

TEST(PathsTest, FileNamePartIsTheTextAfterTheLastSeparator) {
    struct Case {
        const char* path;
        const char* name;
    };
    const Case cases[] = {
        {"C:\\DATA\\CODE.DBF", "CODE.DBF"},
        {"C:CODE.DBF", "CODE.DBF"},
        {"CODE.DBF", "CODE.DBF"},
        {"C:\\DATA\\", ""},
        {"/srv/data/code.dbf", "code.dbf"},
        {"a/b\\c:d", "d"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fileNamePart(c.path), c.name) << c.path;
    }
}

TEST(PathsTest, DirectoryExistsOnlyForDirectories) {
    test::TemporaryDirectory dir;
    std::ofstream(dir.path() / "file") << "x";
    std::filesystem::create_directory(dir.path() / "sub");
    std::filesystem::create_directory_symlink(dir.path() / "sub", dir.path() / "link");

    EXPECT_TRUE(directoryExists(dir.path().string()));
    EXPECT_TRUE(directoryExists((dir.path() / "link").string()));
    EXPECT_TRUE(directoryExists(dir.path().string() + "\\sub"));
    EXPECT_FALSE(directoryExists((dir.path() / "file").string()));
    EXPECT_FALSE(directoryExists((dir.path() / "missing").string()));
    EXPECT_FALSE(directoryExists(""));
}

}  // namespace
}  // namespace brimo::platform
