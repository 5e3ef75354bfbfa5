#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace brimo::devices {

// The device of a cash drawer could not be opened. what() is the text to show
// to the user: "Unable to open <name>: Return code: -1".
class CashDrawerError : public std::runtime_error {
  public:
    explicit CashDrawerError(std::string_view deviceName);
};

struct CashDrawerKick {
    std::int32_t firstByte = 0;   // only the low 8 bits are sent
    std::int32_t secondByte = 0;  // only the low 8 bits are sent
    std::int16_t firstCount = 0;  // 0 or less sends none
    std::int16_t secondCount = 0;
    bool appendCarriageReturn = false;
};

// firstByte firstCount times, secondByte secondCount times, then 0x0D when
// asked for.
std::string cashDrawerSequence(const CashDrawerKick& kick);

// Sends the sequence to the drawer's device. A name that contains "COM" (in
// any letter case) names serial port COM<n>, n being the name's fourth
// character read as a digit ("COM12" is port 1); the port is driven at
// 9600 8N1 and its errors are ignored, because a drawer on a serial line
// gives no answer to report. Any other name, and any absolute path, is a
// device name or a file (see platform::deviceFilePath), opened as it is
// spelled. Throws CashDrawerError when that device or file cannot be opened
// or written, and for a "COM" name without a port digit 1-9.
void openCashDrawer(const CashDrawerKick& kick, std::string_view deviceName);

}  // namespace brimo::devices
