#include "CallFrame.h"

#include <algorithm>
#include <cstring>

#include "platform/CodePage.h"

namespace brimo::demo {

CallFrame::CallFrame(const QStringList& inputs, BrmWindow window)
    : inputs_(inputs),
      window_(window),
      buffers_(static_cast<std::size_t>(inputs.size())),
      shorts_(static_cast<std::size_t>(inputs.size()), 0) {
    for (std::size_t i = 0; i < buffers_.size(); ++i) {
        buffers_[i].fill(0);
        const QString& text = inputs_[static_cast<qsizetype>(i)];
        const std::string bytes = platform::encodeText(platform::CodePage::cp1252, text.toStdString());
        std::memcpy(buffers_[i].data(), bytes.data(), std::min(bytes.size(), bufferSize - 1));
        shorts_[i] = static_cast<int16_t>(text.toInt());
    }
}

QString CallFrame::bufferText(std::size_t index) const {
    const char* bytes = buffers_[index].data();
    return QString::fromStdString(
        platform::decodeText(platform::CodePage::cp1252, std::string_view(bytes, strnlen(bytes, bufferSize))));
}

}  // namespace brimo::demo
