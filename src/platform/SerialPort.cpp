#include "platform/SerialPort.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>

namespace brimo::platform {
namespace {

std::map<int, std::string>& devicePaths() {
    static std::map<int, std::string> paths;
    return paths;
}

[[noreturn]] void fail(const std::string& path, std::string_view what) {
    throw SerialPortError("Serial port " + path + ": " + std::string(what) + ": " + std::strerror(errno));
}

}  // namespace

std::string serialDevicePath(int portNumber) {
    const auto mapped = devicePaths().find(portNumber);
    if (mapped != devicePaths().end()) {
        return mapped->second;
    }
    return "/dev/ttyS" + std::to_string(portNumber - 1);
}

void setSerialDevicePath(int portNumber, std::string devicePath) {
    if (devicePath.empty()) {
        devicePaths().erase(portNumber);
    } else {
        devicePaths()[portNumber] = std::move(devicePath);
    }
}

SerialPort::SerialPort(const std::string& devicePath) {
    // Without O_NONBLOCK the open would wait for carrier detect on a port
    // that has no CLOCAL yet.
    fd_ = ::open(devicePath.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) {
        fail(devicePath, "open");
    }
    try {
        termios settings{};
        if (::tcgetattr(fd_, &settings) != 0) {
            fail(devicePath, "read settings");
        }
        ::cfmakeraw(&settings);
        settings.c_cflag &= ~(PARENB | CSTOPB | CSIZE | CRTSCTS);
        settings.c_cflag |= CS8 | CLOCAL | CREAD;
        settings.c_iflag &= ~(IXON | IXOFF | IXANY);
        if (::cfsetispeed(&settings, B9600) != 0 || ::cfsetospeed(&settings, B9600) != 0 ||
            ::tcsetattr(fd_, TCSANOW, &settings) != 0) {
            fail(devicePath, "configure");
        }
        // Pseudo-terminals and some adapters have no modem lines; the bytes
        // are still sent.
        const int lines = TIOCM_DTR | TIOCM_RTS;
        ::ioctl(fd_, TIOCMBIS, &lines);
        const int flags = ::fcntl(fd_, F_GETFL);
        if (flags < 0 || ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK) != 0) {
            fail(devicePath, "configure");
        }
    } catch (...) {
        ::close(fd_);
        throw;
    }
}

SerialPort::~SerialPort() {
    ::tcdrain(fd_);
    ::close(fd_);
}

void SerialPort::write(std::string_view bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            throw SerialPortError("Serial port: write: " + std::string(std::strerror(errno)));
        }
        written += static_cast<std::size_t>(n);
    }
}

}  // namespace brimo::platform
