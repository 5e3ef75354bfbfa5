#pragma once

#include <string>

namespace brimo::test {

// A pseudo-terminal pair standing in for a serial line. The test keeps the
// device side open as well, so the line stays up while the code under test
// opens and closes it.
class PseudoTerminal {
  public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    const std::string& devicePath() const { return devicePath_; }
    int deviceFd() const { return device_; }
    // Reads what was written to the device until `count` bytes have come or
    // nothing more arrives within a few seconds.
    std::string read(std::size_t count);

  private:
    int controller_ = -1;
    int device_ = -1;
    std::string devicePath_;
};

}  // namespace brimo::test
