#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace brimo::dbtool::testing {

struct ToolResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs brimo-db in-process with these arguments.
ToolResult runTool(const std::vector<std::string>& args);

// A fresh directory under the system's temporary directory, removed at the end.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    // Copies a file of the shared fixtures (e.g. "dbase-iv-mdx/TEST.DBF") here.
    std::string copyFixture(const std::string& relativePath) const;

  private:
    std::filesystem::path path_;
};

// Lines of a text, without their line ends (LF or CR LF).
std::vector<std::string> lines(const std::string& text);

}  // namespace brimo::dbtool::testing
