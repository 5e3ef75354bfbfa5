#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace brimo::platform {

class DeviceFileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The file that a device name refers to. The printer port names LPT1 to LPT9
// (with or without a trailing ':') are /dev/lp0 to /dev/lp8 and PRN is LPT1,
// unless setDeviceFilePath mapped them elsewhere; names are matched without
// regard to letter case. Any other name is a path and stays as it is.
std::string deviceFilePath(std::string_view deviceName);
// Maps a device name (LPT1, PRN, ...) to a file; an empty path removes the
// mapping.
void setDeviceFilePath(std::string_view deviceName, std::string path);

// Opens an existing device or file for writing only (never creates one),
// appends the bytes in one write and closes it. Bytes are appended so that a
// plain file keeps what it held. Throws DeviceFileError when the file cannot
// be opened or the write fails.
void writeToDeviceFile(const std::string& path, std::string_view bytes);

}  // namespace brimo::platform
