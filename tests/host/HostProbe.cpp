// A host without Qt: loads the library, calls one dialog export and prints
// its result and the process's C locale before and after the call. The
// caller chooses the environment (display or none).
#include <dlfcn.h>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>

#include "brmdll32.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: host_probe LIBRARY StatementOptions|SelectOpenSO\n");
        return 2;
    }
    void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        std::fprintf(stderr, "%s\n", dlerror());
        return 2;
    }
    const std::string before = std::setlocale(LC_ALL, nullptr);
    int result = 0;
    if (std::strcmp(argv[2], "StatementOptions") == 0) {
        auto call = reinterpret_cast<decltype(&StatementOptions)>(dlsym(library, "StatementOptions"));
        int16_t days = 0, credit = 0, sort = 0;
        result = call(0, &days, &credit, &sort);
    } else {
        auto call = reinterpret_cast<decltype(&SelectOpenSO)>(dlsym(library, "SelectOpenSO"));
        result = call(0);
    }
    std::printf("result=%d locale-before=%s locale-after=%s\n", result, before.c_str(),
                std::setlocale(LC_ALL, nullptr));
    return 0;
}
