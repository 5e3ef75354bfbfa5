#include "ToolTest.h"

#include <unistd.h>
#include <atomic>
#include <sstream>

#include "Cli.h"

namespace brimo::dbtool::testing {

ToolResult runTool(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    ToolResult result;
    result.status = run(args, out, err);
    result.out = out.str();
    result.err = err.str();
    return result;
}

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("brimo-db-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::copyFixture(const std::string& relativePath) const {
    const std::filesystem::path source = std::filesystem::path(BRIMO_FIXTURES_DIR) / relativePath;
    const auto target = path_ / source.filename();
    std::filesystem::copy_file(source, target, std::filesystem::copy_options::overwrite_existing);
    std::filesystem::permissions(target, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    return target.string();
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        result.push_back(line);
    }
    return result;
}

}  // namespace brimo::dbtool::testing
