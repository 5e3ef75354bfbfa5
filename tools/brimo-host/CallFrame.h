#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "brmdll32.h"

namespace brimo::demo {

// The arguments of one call, made from the texts of a form: each text buffer
// gets a zeroed host-sized buffer in the host's code page (Windows-1252),
// each pointer to a 16-bit integer a cell of its own.
class CallFrame {
  public:
    static constexpr std::size_t bufferSize = 4096;

    CallFrame(const QStringList& inputs, BrmWindow window);

    template <class T>
    T argument(std::size_t index);

    // The text a buffer argument holds after the call.
    QString bufferText(std::size_t index) const;
    int16_t shortValue(std::size_t index) const { return shorts_[index]; }

  private:
    QStringList inputs_;
    BrmWindow window_;
    std::vector<std::array<char, bufferSize>> buffers_;
    std::vector<int16_t> shorts_;
};

}  // namespace brimo::demo

#include "CallFrame.inl"
