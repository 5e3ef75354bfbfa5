#include "platform/DeviceFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>

#include "platform/AsciiCase.h"

namespace brimo::platform {
namespace {

std::map<std::string, std::string>& mappedPaths() {
    static std::map<std::string, std::string> paths;
    return paths;
}

// "lpt1:" -> "LPT1", "prn" -> "LPT1"; any other name unchanged but upper case.
std::string canonicalDeviceName(std::string_view deviceName) {
    std::string name = toUpperAscii(deviceName);
    if (!name.empty() && name.back() == ':') {
        name.pop_back();
    }
    return name == "PRN" ? "LPT1" : name;
}

bool isPrinterPort(const std::string& name) {
    return name.size() == 4 && name.starts_with("LPT") && name[3] >= '1' && name[3] <= '9';
}

[[noreturn]] void fail(const std::string& path, std::string_view what) {
    throw DeviceFileError(path + ": " + std::string(what) + ": " + std::strerror(errno));
}

}  // namespace

std::string deviceFilePath(std::string_view deviceName) {
    const std::string name = canonicalDeviceName(deviceName);
    const auto mapped = mappedPaths().find(name);
    if (mapped != mappedPaths().end()) {
        return mapped->second;
    }
    if (isPrinterPort(name)) {
        return "/dev/lp" + std::to_string(name[3] - '1');
    }
    return std::string(deviceName);
}

void setDeviceFilePath(std::string_view deviceName, std::string path) {
    const std::string name = canonicalDeviceName(deviceName);
    if (path.empty()) {
        mappedPaths().erase(name);
    } else {
        mappedPaths()[name] = std::move(path);
    }
}

void writeToDeviceFile(const std::string& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        fail(path, "open");
    }
    ssize_t written = 0;
    do {
        written = ::write(fd, bytes.data(), bytes.size());
    } while (written < 0 && errno == EINTR);
    const int writeError = errno;
    ::close(fd);
    if (written < 0 || static_cast<std::size_t>(written) != bytes.size()) {
        errno = written < 0 ? writeError : EIO;
        fail(path, "write");
    }
}

}  // namespace brimo::platform
