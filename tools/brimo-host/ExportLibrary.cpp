#include "ExportLibrary.h"

#include <dlfcn.h>

namespace brimo::demo {

ExportLibrary::ExportLibrary(const std::string& path) : handle_(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
    if (handle_ == nullptr) {
        throw std::runtime_error(std::string("cannot load the library: ") + dlerror());
    }
}

ExportLibrary::~ExportLibrary() {
    dlclose(handle_);
}

void* ExportLibrary::address(const char* name) const {
    void* found = dlsym(handle_, name);
    if (found == nullptr) {
        throw std::runtime_error(std::string("the library has no export ") + name);
    }
    return found;
}

}  // namespace brimo::demo
