#pragma once

#include <filesystem>
#include <random>
#include <string>

namespace brimo::data::test {

// A fresh temporary directory, removed with everything in it at the end of scope.
class TestDir {
public:
    TestDir() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() / ("brimo-data-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TestDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TestDir(const TestDir&) = delete;
    TestDir& operator=(const TestDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

}  // namespace brimo::data::test
