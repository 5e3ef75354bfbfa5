#include "PseudoTerminal.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

namespace brimo::test {

PseudoTerminal::PseudoTerminal() {
    controller_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (controller_ < 0 || ::grantpt(controller_) != 0 || ::unlockpt(controller_) != 0) {
        throw std::runtime_error("cannot create a pseudo-terminal");
    }
    devicePath_ = ::ptsname(controller_);
    device_ = ::open(devicePath_.c_str(), O_RDWR | O_NOCTTY);
    if (device_ < 0) {
        throw std::runtime_error("cannot open " + devicePath_);
    }
}

PseudoTerminal::~PseudoTerminal() {
    ::close(device_);
    ::close(controller_);
}

std::string PseudoTerminal::read(std::size_t count) {
    std::string received;
    while (received.size() < count) {
        pollfd ready{controller_, POLLIN, 0};
        if (::poll(&ready, 1, 5000) <= 0) {
            break;
        }
        char buffer[256];
        const ssize_t n = ::read(controller_, buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        received.append(buffer, static_cast<std::size_t>(n));
    }
    return received;
}

}  // namespace brimo::test
