#include "devices/CashDrawer.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "PseudoTerminal.h"
#include "TemporaryDirectory.h"
#include "platform/SerialPort.h"

namespace brimo::devices {
namespace {

TEST(CashDrawerTest, BuildsTheSequenceFromTheArguments) {
    struct Case {
        CashDrawerKick kick;
        std::string sequence;
    };
    const Case cases[] = {
        {{27, 112, 1, 1, false}, "\x1B\x70"},
        {{7, 9, 3, 0, true}, "\x07\x07\x07\r"},
        {{27, 112, 0, 2, true}, "\x70\x70\r"},
        {{27, 112, -1, -32768, false}, ""},
        {{0x1FF, -1, 1, 1, false}, "\xFF\xFF"},
        {{0, 0, 2, 0, false}, std::string(2, '\0')},
        {{0, 0, 0, 0, true}, "\r"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cashDrawerSequence(c.kick), c.sequence);
    }
}

class CashDrawerOnSerialPortTest : public ::testing::Test {
  protected:
    void TearDown() override {
        for (int port = 1; port <= 9; ++port) {
            platform::setSerialDevicePath(port, "");
        }
    }
    test::PseudoTerminal line;
};

TEST_F(CashDrawerOnSerialPortTest, SendsTheExactBytesToTheNamedPort) {
    platform::setSerialDevicePath(2, line.devicePath());
    openCashDrawer({27, 112, 1, 1, false}, "com2");
    openCashDrawer({10, 0, 3, 0, true}, "COM2:");
    EXPECT_EQ(line.read(6), "\x1B\x70\n\n\n\r");
}

TEST_F(CashDrawerOnSerialPortTest, TheFourthCharacterIsThePortNumber) {
    platform::setSerialDevicePath(1, line.devicePath());
    openCashDrawer({65, 0, 1, 0, false}, "COM12");
    EXPECT_EQ(line.read(1), "A");
}

TEST_F(CashDrawerOnSerialPortTest, SerialPortFailuresAreSilent) {
    platform::setSerialDevicePath(3, "/nonexistent/ttyS2");
    EXPECT_NO_THROW(openCashDrawer({27, 112, 1, 1, false}, "COM3"));
}

TEST(CashDrawerTest, WritesToAnExistingFileOrDevice) {
    test::TemporaryDirectory dir;
    // The letters "com" inside an absolute path do not make it a serial port.
    const std::string path = (dir.path() / "drawer.com").string();
    std::ofstream(path) << "log|";
    openCashDrawer({27, 112, 1, 1, true}, path);
    std::ostringstream content;
    content << std::ifstream(path).rdbuf();
    EXPECT_EQ(content.str(), "log|\x1B\x70\r");
}

TEST(CashDrawerTest, ReportsDevicesThatCannotBeOpened) {
    test::TemporaryDirectory dir;
    const std::string missing = (dir.path() / "Drawer").string();
    const std::string names[] = {missing, "COM", "com0", "COMX", "XCOM1", "LPT9:"};
    for (const std::string& name : names) {
        if (name == "LPT9:" && std::filesystem::exists("/dev/lp8")) {
            continue;
        }
        try {
            openCashDrawer({27, 112, 1, 1, false}, name);
            ADD_FAILURE() << name << ": no error";
        } catch (const CashDrawerError& error) {
            EXPECT_EQ(error.what(), "Unable to open " + name + ": Return code: -1");
        }
    }
    EXPECT_FALSE(std::filesystem::exists(missing)) << "nothing is created";
}

}  // namespace
}  // namespace brimo::devices
