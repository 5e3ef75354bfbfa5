#include "platform/SerialPort.h"

#include <gtest/gtest.h>
#include <termios.h>

#include "PseudoTerminal.h"

namespace brimo::platform {
namespace {

TEST(SerialPortTest, ConfiguresTheLineAndSendsTheBytesUnchanged) {
    test::PseudoTerminal line;
    const std::string bytes("\x1B\x70\n\r\x00\xFF\x11\x13", 8);
    {
        SerialPort port(line.devicePath());
        port.write(bytes);
    }
    EXPECT_EQ(line.read(bytes.size()), bytes) << "no translation of line ends, no flow control characters eaten";

    termios settings{};
    ASSERT_EQ(::tcgetattr(line.deviceFd(), &settings), 0);
    EXPECT_EQ(::cfgetospeed(&settings), static_cast<speed_t>(B9600));
    EXPECT_EQ(::cfgetispeed(&settings), static_cast<speed_t>(B9600));
    EXPECT_EQ(settings.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(settings.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(settings.c_iflag & (IXON | IXOFF | IXANY), 0u);
    EXPECT_EQ(settings.c_oflag & OPOST, 0u);
}

TEST(SerialPortTest, DeviceMappingAndOpenFailure) {
    EXPECT_EQ(serialDevicePath(1), "/dev/ttyS0");
    EXPECT_EQ(serialDevicePath(9), "/dev/ttyS8");
    setSerialDevicePath(1, "/dev/ttyUSB0");
    EXPECT_EQ(serialDevicePath(1), "/dev/ttyUSB0");
    EXPECT_EQ(serialDevicePath(2), "/dev/ttyS1");
    setSerialDevicePath(1, "");
    EXPECT_EQ(serialDevicePath(1), "/dev/ttyS0");

    EXPECT_THROW(SerialPort("/nonexistent/ttyS0"), SerialPortError);
    EXPECT_THROW(SerialPort("/dev/null"), SerialPortError) << "not a terminal";
}

}  // namespace
}  // namespace brimo::platform
