#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace brimo::platform {

class SerialPortError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The device file of serial port COM<number>: /dev/ttyS<number - 1> unless
// setSerialDevicePath gave another one (a USB adapter, or a pseudo-terminal
// in tests).
std::string serialDevicePath(int portNumber);
// Maps COM<number> to a device file; an empty path restores the default.
void setSerialDevicePath(int portNumber, std::string devicePath);

// A serial device opened for writing at 9600 baud, 8 data bits, no parity,
// 1 stop bit, raw output, no hardware or software flow control, with DTR and
// RTS raised. The constructor throws SerialPortError when the device cannot
// be opened or configured; the destructor waits until the written bytes have
// left and closes the device.
class SerialPort {
  public:
    explicit SerialPort(const std::string& devicePath);
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Writes all bytes; throws SerialPortError on failure.
    void write(std::string_view bytes);

  private:
    int fd_ = -1;
};

}  // namespace brimo::platform
