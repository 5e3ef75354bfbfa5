#include "platform/IniFile.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <utility>
#include <vector>

#include "platform/AsciiCase.h"
#include "platform/Paths.h"

namespace brimo::platform {
namespace fs = std::filesystem;

namespace {

// One line of the file: [begin, contentEnd) is its text without the line
// end, [contentEnd, end) its "\n" or "\r\n" (empty on a last line without
// one).
struct Line {
    std::size_t begin;
    std::size_t contentEnd;
    std::size_t end;
};

std::vector<Line> splitLines(const std::string& text) {
    std::vector<Line> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        const std::size_t newline = text.find('\n', begin);
        const std::size_t end = newline == std::string::npos ? text.size() : newline + 1;
        std::size_t contentEnd = newline == std::string::npos ? text.size() : newline;
        if (contentEnd > begin && text[contentEnd - 1] == '\r') {
            --contentEnd;
        }
        lines.push_back({begin, contentEnd, end});
        begin = end;
    }
    return lines;
}

bool isSpace(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && isSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// The name of a "[name]" heading line.
std::optional<std::string_view> sectionHeading(std::string_view content) {
    const std::string_view text = trim(content);
    if (text.size() < 2 || text.front() != '[') {
        return std::nullopt;
    }
    const std::size_t close = text.find(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return trim(text.substr(1, close - 1));
}

// Where a section's lines and a key's value lie in the file's text.
struct Location {
    std::vector<Line> lines;
    std::optional<std::size_t> heading;  // index of the section's heading line
    std::size_t sectionEnd = 0;          // index of the line after the section
    std::optional<std::size_t> keyLine;  // index of the key's line
    std::size_t valueBegin = 0;          // offset of the value in the text
};

Location locate(const std::string& text, std::string_view section, std::string_view key) {
    Location where;
    where.lines = splitLines(text);
    for (std::size_t i = 0; i < where.lines.size(); ++i) {
        const Line& line = where.lines[i];
        const std::string_view content(text.data() + line.begin, line.contentEnd - line.begin);
        if (const auto heading = sectionHeading(content)) {
            if (where.heading) {
                where.sectionEnd = i;
                return where;
            }
            if (equalsIgnoringAsciiCase(*heading, section)) {
                where.heading = i;
            }
            continue;
        }
        if (!where.heading || where.keyLine) {
            continue;
        }
        const std::string_view trimmed = trim(content);
        if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') {
            continue;
        }
        const std::size_t equals = content.find('=');
        if (equals != std::string_view::npos && equalsIgnoringAsciiCase(trim(content.substr(0, equals)), key)) {
            where.keyLine = i;
            std::size_t value = equals + 1;
            while (value < content.size() && isSpace(content[value])) {
                ++value;
            }
            where.valueBegin = line.begin + value;
        }
    }
    where.sectionEnd = where.lines.size();
    return where;
}

std::string readWholeFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return {};
    }
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string describeFailure(const fs::path& path, std::string_view what, int error) {
    return "Cannot write the settings file " + path.string() + ": " + std::string(what) + ": " + std::strerror(error);
}

void requireSingleLine(std::string_view text, std::string_view what) {
    if (text.find_first_of("\r\n") != std::string_view::npos) {
        throw IniFileError("A settings " + std::string(what) + " cannot hold a line break");
    }
}

std::string updatedText(const std::string& text, std::string_view section, std::string_view key,
                        std::string_view value) {
    const Location where = locate(text, section, key);
    if (where.keyLine) {
        const Line& line = where.lines[*where.keyLine];
        std::string updated = text;
        updated.replace(where.valueBegin, line.contentEnd - where.valueBegin, value);
        return updated;
    }
    const std::string lineEnd = text.find("\r\n") != std::string::npos ? "\r\n" : "\n";
    const std::string keyLine = std::string(key) + "=" + std::string(value) + lineEnd;
    if (where.heading) {
        // After the section's last line that holds text, so that blank lines
        // separating it from the next section stay where they are.
        std::size_t last = *where.heading;
        for (std::size_t i = *where.heading + 1; i < where.sectionEnd; ++i) {
            const Line& line = where.lines[i];
            if (!trim(std::string_view(text.data() + line.begin, line.contentEnd - line.begin)).empty()) {
                last = i;
            }
        }
        const Line& line = where.lines[last];
        std::string updated = text;
        const std::string insertion = (line.end == line.contentEnd ? lineEnd : "") + keyLine;
        updated.insert(line.end, insertion);
        return updated;
    }
    std::string updated = text;
    if (!updated.empty()) {
        if (updated.back() != '\n') {
            updated += lineEnd;
        }
        const Line& last = where.lines.back();
        if (!trim(std::string_view(text.data() + last.begin, last.contentEnd - last.begin)).empty()) {
            updated += lineEnd;
        }
    }
    updated += "[" + std::string(section) + "]" + lineEnd + keyLine;
    return updated;
}

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

  private:
    int fd_;
};

void writeAll(int fd, const std::string& text, const fs::path& path) {
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            throw IniFileError(describeFailure(path, "write", errno));
        }
        written += static_cast<std::size_t>(n);
    }
}

// Writes the text to a new file beside the target and renames it over the
// target, with the target's permissions (a new file gets 0666 less the
// umask).
void replaceFile(const fs::path& target, const std::string& text) {
    static std::atomic<unsigned> counter{0};
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    const fs::path temporary =
        target.parent_path() / ("." + target.filename().string() + "." + std::to_string(::getpid()) + "." +
                                std::to_string(counter++) + ".tmp");
    FileDescriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (fd.get() < 0) {
        throw IniFileError(describeFailure(target, "create " + temporary.string(), errno));
    }
    try {
        if (exists && ::fchmod(fd.get(), existing.st_mode & 07777) != 0) {
            throw IniFileError(describeFailure(target, "set permissions", errno));
        }
        writeAll(fd.get(), text, target);
        if (::fsync(fd.get()) != 0) {
            throw IniFileError(describeFailure(target, "sync", errno));
        }
        if (::close(fd.release()) != 0) {
            throw IniFileError(describeFailure(target, "close", errno));
        }
        if (::rename(temporary.c_str(), target.c_str()) != 0) {
            throw IniFileError(describeFailure(target, "rename", errno));
        }
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
}

// The file a write goes to: the target of a symbolic link, so that the link
// stays a link.
fs::path writeTarget(const fs::path& path) {
    std::error_code error;
    if (fs::is_symlink(path, error)) {
        const fs::path resolved = fs::weakly_canonical(path, error);
        if (!error) {
            return resolved;
        }
    }
    return path;
}

std::optional<std::string> findValue(const fs::path& path, std::string_view section, std::string_view key) {
    const std::string text = readWholeFile(path);
    const Location where = locate(text, section, key);
    if (!where.keyLine) {
        return std::nullopt;
    }
    const Line& line = where.lines[*where.keyLine];
    std::string_view value = trim(std::string_view(text.data() + where.valueBegin, line.contentEnd - where.valueBegin));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

}  // namespace

std::string IniFile::readString(std::string_view section, std::string_view key, std::string_view defaultValue) const {
    return findValue(path_, section, key).value_or(std::string(defaultValue));
}

int IniFile::readInteger(std::string_view section, std::string_view key, int defaultValue) const {
    const std::optional<std::string> value = findValue(path_, section, key);
    if (!value) {
        return defaultValue;
    }
    std::string_view text = trim(*value);
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        text.remove_prefix(1);
    }
    long long number = 0;
    std::size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
        number = number * 10 + (text[digits++] - '0');
        if (number > static_cast<long long>(INT_MAX) + 1) {
            return defaultValue;
        }
    }
    if (digits == 0) {
        return defaultValue;
    }
    number = negative ? -number : number;
    return number > INT_MAX ? defaultValue : static_cast<int>(number);
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool defaultValue) const {
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    requireSingleLine(section, "section");
    requireSingleLine(key, "key");
    requireSingleLine(value, "value");
    if (key.find('=') != std::string_view::npos || trim(key).empty()) {
        throw IniFileError("Invalid settings key '" + std::string(key) + "'");
    }
    const fs::path target = writeTarget(path_);
    const fs::path directory = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::error_code error;
    fs::create_directories(directory, error);
    if (error) {
        throw IniFileError(describeFailure(target, "create directory " + directory.string(), error.value()));
    }
    // Writers of any settings file in this directory take turns, so that two
    // processes changing different keys at once do not lose one change.
    FileDescriptor lock(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (lock.get() < 0) {
        throw IniFileError(describeFailure(target, "open directory", errno));
    }
    while (::flock(lock.get(), LOCK_EX) != 0) {
        if (errno != EINTR) {
            throw IniFileError(describeFailure(target, "lock directory", errno));
        }
    }
    replaceFile(target, updatedText(readWholeFile(target), section, key, value));
}

void IniFile::writeInteger(std::string_view section, std::string_view key, int value) {
    writeString(section, key, std::to_string(value));
}

void IniFile::writeBool(std::string_view section, std::string_view key, bool value) {
    writeString(section, key, value ? "1" : "0");
}

fs::path configDirectory() {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome != nullptr && configHome[0] == '/') {
        return fs::path(configHome) / "brimo";
    }
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') {
        const passwd* user = ::getpwuid(::getuid());
        home = user != nullptr ? user->pw_dir : "/";
    }
    return fs::path(home) / ".config" / "brimo";
}

fs::path resolveIniPath(std::string_view name) {
    if (name.find_first_of("/\\") != std::string_view::npos) {
        return hostPathToLocal(name);
    }
    const fs::path directory = configDirectory();
    const fs::path exact = directory / std::string(name);
    std::error_code error;
    if (fs::exists(exact, error)) {
        return exact;
    }
    for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
        if (equalsIgnoringAsciiCase(it->path().filename().string(), name)) {
            return it->path();
        }
    }
    return exact;
}

}  // namespace brimo::platform
