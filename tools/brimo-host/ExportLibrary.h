#pragma once

#include <QString>
#include <stdexcept>
#include <string>

namespace brimo::demo {

// The support library loaded the way a host loads it: dlopen, then each
// export looked up by name.
class ExportLibrary {
  public:
    explicit ExportLibrary(const std::string& path);
    ~ExportLibrary();

    ExportLibrary(const ExportLibrary&) = delete;
    ExportLibrary& operator=(const ExportLibrary&) = delete;

    // The address of an export; throws std::runtime_error when it is missing.
    void* address(const char* name) const;

  private:
    void* handle_;
};

}  // namespace brimo::demo
