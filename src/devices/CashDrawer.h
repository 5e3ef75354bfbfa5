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

// Sends the sequence to the drawer's device. A name containing "COM" (any
// letter case) is serial port COM<n>, n being the digit right after "COM" at
// the start of the name's fourth character; the port is driven at 9600 8N1
// and its errors are ignored, because a drawer on a serial line gives no
// answer to report. A name with "COM" but no port digit 1-9 there, and any
// other name whose device or file cannot be opened, throw CashDrawerError.
// Other names are device names or paths (see platform::deviceFilePath).
void openCashDrawer(const CashDrawerKick& kick, std::string_view deviceName);

}  // namespace brimo::devices
