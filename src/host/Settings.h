#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace brimo::host {

// The native handle of a host window: an X11 window id on Linux, 0 for none.
using WindowHandle = std::uint32_t;

// The state that lasts from one call of the host to the next. It is set up
// with these values when the library is loaded, changed by the setting
// exports and cleared when the library is unloaded. Texts are UTF-8.
struct LibrarySettings {
    std::string applicationTitle = "Brimo/32 Support DLL";
    std::string helpFileName = "brimo.hlp";
    std::string iniFileName = "Brimo.Ini";
    // The directory under which every dialog opens its tables.
    std::string dataAlias;
    // Stored for the host; nothing reads it.
    std::string secondLocation;
    // Where the table of store locations lies.
    std::string locationsDirectory;
    // Written into TABLEVER of every record the library creates or restores.
    double dataVersion = 6.01;
    // The window that owns a dialog while the dialog is being created; the
    // dialog frame sets it to the host window and always restores it.
    WindowHandle applicationWindow = 0;
};

// The library's one instance. Read and written only on the host's
// user-interface thread.
LibrarySettings& settings();

// The INI file every dialog reads and writes: the settings' INI file name, a
// bare name lying in the per-user configuration directory.
std::filesystem::path iniFilePath();

}  // namespace brimo::host
