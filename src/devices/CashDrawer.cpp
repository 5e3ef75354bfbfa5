#include "devices/CashDrawer.h"

#include "platform/AsciiCase.h"
#include "platform/DeviceFile.h"
#include "platform/SerialPort.h"

namespace brimo::devices {
namespace {

// The serial port a drawer name stands for: the name's fourth character as
// a digit (COM1 to COM9; "COM12" is port 1), 0 when there is none.
int serialPortNumber(std::string_view upperName) {
    if (upperName.size() < 4 || upperName[3] < '0' || upperName[3] > '9') {
        return 0;
    }
    return upperName[3] - '0';
}

void sendToSerialPort(int portNumber, const std::string& sequence) {
    // A drawer on a serial line never answers, so there is nothing useful to
    // report when the port fails.
    try {
        platform::SerialPort port(platform::serialDevicePath(portNumber));
        port.write(sequence);
    } catch (const platform::SerialPortError&) {
    }
}

}  // namespace

CashDrawerError::CashDrawerError(std::string_view deviceName)
    : std::runtime_error("Unable to open " + std::string(deviceName) + ": Return code: -1") {}

std::string cashDrawerSequence(const CashDrawerKick& kick) {
    std::string sequence;
    if (kick.firstCount > 0) {
        sequence.append(static_cast<std::size_t>(kick.firstCount), static_cast<char>(kick.firstByte & 0xFF));
    }
    if (kick.secondCount > 0) {
        sequence.append(static_cast<std::size_t>(kick.secondCount), static_cast<char>(kick.secondByte & 0xFF));
    }
    if (kick.appendCarriageReturn) {
        sequence += '\r';
    }
    return sequence;
}

void openCashDrawer(const CashDrawerKick& kick, std::string_view deviceName) {
    const std::string sequence = cashDrawerSequence(kick);
    const std::string upperName = platform::toUpperAscii(deviceName);
    // An absolute Linux path is always a device or file, even when it happens
    // to contain the letters "com".
    const bool absolutePath = deviceName.starts_with('/');
    if (!absolutePath && upperName.find("COM") != std::string::npos) {
        const int portNumber = serialPortNumber(upperName);
        if (portNumber == 0) {
            throw CashDrawerError(deviceName);
        }
        sendToSerialPort(portNumber, sequence);
        return;
    }
    try {
        platform::writeToDeviceFile(platform::deviceFilePath(deviceName), sequence);
    } catch (const platform::DeviceFileError&) {
        throw CashDrawerError(deviceName);
    }
}

}  // namespace brimo::devices
