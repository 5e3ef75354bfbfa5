#include "host/HostText.h"

#include <algorithm>
#include <cstring>

#include "platform/CodePage.h"

namespace brimo::host {

std::string textFromHost(const char* text) {
    if (text == nullptr) {
        return {};
    }
    return platform::decodeText(platform::CodePage::cp1252, text);
}

QString qtextFromHost(const char* text) {
    return QString::fromStdString(textFromHost(text));
}

std::string hostBytes(std::string_view utf8) {
    return platform::encodeText(platform::CodePage::cp1252, utf8);
}

std::string hostBytes(const QString& text) {
    return hostBytes(text.toStdString());
}

void writeHostBytes(char* buffer, std::string_view bytes, std::size_t maxLength) {
    if (buffer == nullptr) {
        throw MissingHostBuffer();
    }
    const std::size_t length = std::min(bytes.size(), maxLength);
    std::memcpy(buffer, bytes.data(), length);
    buffer[length] = '\0';
}

void writeHostText(char* buffer, std::string_view utf8, std::size_t maxLength) {
    writeHostBytes(buffer, hostBytes(utf8), maxLength);
}

void writeHostText(char* buffer, const QString& text, std::size_t maxLength) {
    writeHostBytes(buffer, hostBytes(text), maxLength);
}

}  // namespace brimo::host
