#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace brimo::data::dbf {

inline uint16_t readLE16(const std::byte* p) {
    return static_cast<uint16_t>(std::to_integer<uint16_t>(p[0]) | (std::to_integer<uint16_t>(p[1]) << 8));
}
inline uint32_t readLE32(const std::byte* p) {
    return std::to_integer<uint32_t>(p[0]) | (std::to_integer<uint32_t>(p[1]) << 8) |
           (std::to_integer<uint32_t>(p[2]) << 16) | (std::to_integer<uint32_t>(p[3]) << 24);
}
inline void writeLE16(std::byte* p, uint16_t v) {
    p[0] = std::byte(v & 0xFF);
    p[1] = std::byte(v >> 8);
}
inline void writeLE32(std::byte* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = std::byte((v >> (8 * i)) & 0xFF);
}
inline uint32_t readBE32(const std::byte* p) {
    return (std::to_integer<uint32_t>(p[0]) << 24) | (std::to_integer<uint32_t>(p[1]) << 16) |
           (std::to_integer<uint32_t>(p[2]) << 8) | std::to_integer<uint32_t>(p[3]);
}
inline void writeBE32(std::byte* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = std::byte((v >> (8 * (3 - i))) & 0xFF);
}
inline uint64_t readBE64(const std::byte* p) {
    return (uint64_t{readBE32(p)} << 32) | readBE32(p + 4);
}
inline void writeBE64(std::byte* p, uint64_t v) {
    writeBE32(p, static_cast<uint32_t>(v >> 32));
    writeBE32(p + 4, static_cast<uint32_t>(v));
}

}  // namespace brimo::data::dbf
