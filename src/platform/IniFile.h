#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace brimo::platform {

// Raised when an INI file cannot be written (directory not creatable, disk
// full, no permission). Reading never fails: a missing or unreadable file
// reads as empty and every key gives its default.
class IniFileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A settings file of section headings in square brackets followed by
// key=value lines. Sections and keys are matched without regard to letter
// case (ASCII). Every call opens the file, reads or rewrites it and closes it
// again; nothing is cached between calls, so other processes' changes are
// seen at once.
//
// A write replaces the value of the first matching key in place and keeps
// every other byte of the file as it was (comments, blank lines, spacing,
// CRLF line ends). A missing key is appended at the end of its section, a
// missing section at the end of the file. The first write creates the file
// and its directory. The new content is written to a temporary file in the
// same directory and renamed over the old one, so a crash leaves either the
// old or the new file, never half of one; the file's permissions are kept.
class IniFile {
  public:
    explicit IniFile(std::filesystem::path path) : path_(std::move(path)) {}

    const std::filesystem::path& path() const { return path_; }

    std::string readString(std::string_view section, std::string_view key, std::string_view defaultValue = {}) const;
    // Leading blanks, an optional sign and the digits that follow; the default
    // when the value does not start with a number.
    int readInteger(std::string_view section, std::string_view key, int defaultValue) const;
    // True when the stored integer is not 0.
    bool readBool(std::string_view section, std::string_view key, bool defaultValue) const;

    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeInteger(std::string_view section, std::string_view key, int value);
    // Stored as "1" or "0".
    void writeBool(std::string_view section, std::string_view key, bool value);

  private:
    std::filesystem::path path_;
};

// The file an INI name refers to. A bare name (no '/' and no '\') lies in the
// per-user configuration directory, $XDG_CONFIG_HOME/brimo or
// ~/.config/brimo; when a file whose name differs only in letter case
// already exists there, that file is used. A name with a directory part is
// used as it stands, with '\' taken as a directory separator.
std::filesystem::path resolveIniPath(std::string_view name);

// The per-user configuration directory described above.
std::filesystem::path configDirectory();

}  // namespace brimo::platform
