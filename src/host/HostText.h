#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace brimo::host {

// An output buffer the export must write is missing (a null address).
class MissingHostBuffer : public std::invalid_argument {
  public:
    MissingHostBuffer() : std::invalid_argument("the host passed no buffer for a result") {}
};

// Text the host passed, in the host's code page (Windows-1252), as UTF-8. A
// null address reads as an empty text.
std::string textFromHost(const char* text);
QString qtextFromHost(const char* text);

// Text in the host's code page, from UTF-8 or a QString.
std::string hostBytes(std::string_view utf8);
std::string hostBytes(const QString& text);

// Writes bytes already in the host's code page into a host buffer, cut to at
// most maxLength bytes, followed by a zero. Throws MissingHostBuffer for a
// null address.
void writeHostBytes(char* buffer, std::string_view bytes, std::size_t maxLength);

// As writeHostBytes, converting the text to the host's code page first.
void writeHostText(char* buffer, std::string_view utf8, std::size_t maxLength);
void writeHostText(char* buffer, const QString& text, std::size_t maxLength);

// Throws MissingHostBuffer unless every address is set; an export checks all
// of its outputs before it writes the first one.
template <class... Pointers>
void requireHostBuffers(const Pointers*... buffers) {
    if (((buffers == nullptr) || ...)) {
        throw MissingHostBuffer();
    }
}

// The value of a 16-bit argument that travelled in a 32-bit slot.
constexpr std::int16_t low16(std::int32_t slot) {
    return static_cast<std::int16_t>(slot);
}

}  // namespace brimo::host
