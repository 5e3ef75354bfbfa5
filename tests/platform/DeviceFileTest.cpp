#include "platform/DeviceFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "TemporaryDirectory.h"

namespace brimo::platform {
namespace {

TEST(DeviceFileTest, PrinterPortNamesMapToDeviceFiles) {
    struct Case {
        const char* name;
        const char* path;
    };
    const Case cases[] = {
        {"LPT1", "/dev/lp0"},
        {"lpt2:", "/dev/lp1"},
        {"PRN", "/dev/lp0"},
        {"prn:", "/dev/lp0"},
        {"LPT0", "LPT0"},
        {"LPT10", "LPT10"},
        {"/tmp/Drawer", "/tmp/Drawer"},
        {"drawer.txt", "drawer.txt"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(deviceFilePath(c.name), c.path) << c.name;
    }
    setDeviceFilePath("prn", "/dev/usb/lp0");
    EXPECT_EQ(deviceFilePath("LPT1:"), "/dev/usb/lp0");
    setDeviceFilePath("LPT1", "");
    EXPECT_EQ(deviceFilePath("PRN"), "/dev/lp0");
}

TEST(DeviceFileTest, AppendsToAnExistingFileAndNeverCreatesOne) {
    test::TemporaryDirectory dir;
    const auto path = (dir.path() / "drawer").string();
    std::ofstream(path) << "before|";

    writeToDeviceFile(path, std::string("\x1B\x70\0", 3));
    std::ostringstream content;
    content << std::ifstream(path).rdbuf();
    EXPECT_EQ(content.str(), std::string("before|\x1B\x70\0", 10));

    const auto missing = (dir.path() / "missing").string();
    EXPECT_THROW(writeToDeviceFile(missing, "x"), DeviceFileError);
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_THROW(writeToDeviceFile(dir.path().string(), "x"), DeviceFileError) << "a directory";
}

}  // namespace
}  // namespace brimo::platform
