#include "host/Settings.h"

#include "platform/IniFile.h"

namespace brimo::host {

LibrarySettings& settings() {
    static LibrarySettings instance;
    return instance;
}

std::filesystem::path iniFilePath() {
    return platform::resolveIniPath(settings().iniFileName);
}

}  // namespace brimo::host
