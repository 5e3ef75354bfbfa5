#include "data/dbf/LanguageDriver.h"

namespace brimo::data::dbf {

using platform::CodePage;

namespace {

std::optional<CodePage> fromId(uint8_t id) {
    switch (id) {
        case 0x01:
        case 0x09:
        case 0x0B:
        case 0x0D:
        case 0x0F:
        case 0x11:
        case 0x15:
        case 0x18:
        case 0x19:
        case 0x1B: return CodePage::cp437;
        case 0x02:
        case 0x0A:
        case 0x0E:
        case 0x10:
        case 0x12:
        case 0x14:
        case 0x16:
        case 0x1A:
        case 0x1D:
        case 0x25:
        case 0x37:
        case 0x40: return CodePage::cp850;
        case 0x07:
        case 0x08:
        case 0x66:
        case 0x17: return CodePage::cp865;
        case 0x26:
        case 0x65: return CodePage::cp866;
        case 0x1F:
        case 0x22:
        case 0x23:
        case 0x64: return CodePage::cp852;
        case 0x03:
        case 0x57:
        case 0x58:
        case 0x59: return CodePage::cp1252;
        case 0xC8: return CodePage::cp1250;
        case 0xC9: return CodePage::cp1251;
        default: return std::nullopt;
    }
}

// Driver names carry the DOS code page after "DB" (DB437US0, DB850DE0);
// Windows drivers ("DBWINUS0", "DBWINWE0") use ANSI.
std::optional<CodePage> fromName(std::string_view name) {
    if (name.size() < 5 || (name[0] != 'D' && name[0] != 'd') || (name[1] != 'B' && name[1] != 'b'))
        return std::nullopt;
    std::string_view page = name.substr(2, 3);
    if (page == "437") return CodePage::cp437;
    if (page == "850") return CodePage::cp850;
    if (page == "852") return CodePage::cp852;
    if (page == "865") return CodePage::cp865;
    if (page == "866") return CodePage::cp866;
    if (page == "WIN" || page == "win") return CodePage::cp1252;
    return std::nullopt;
}

}  // namespace

CodePage codePageOf(uint8_t languageDriverId, std::string_view driverName) {
    if (auto page = fromId(languageDriverId)) return *page;
    if (auto page = fromName(driverName)) return *page;
    return CodePage::cp1252;
}

}  // namespace brimo::data::dbf
