#pragma once

#include <string>
#include <string_view>

namespace brimo::devices {

// Prepares text for printing in a barcode font. The font name (any letter
// case) is checked for each of these markers in turn, and each one found is
// applied to the text as it then stands:
//   CBAR     Codabar: "A" + text + "B"
//   C39      Code 39: "*" + text + "*", blanks replaced by ','
//   I25      Interleaved 2 of 5: digit pairs replaced by their glyphs between
//            the start and stop glyphs "a" and "b"; a text that holds
//            anything but digits is left unchanged
//   POSTNET  the text becomes empty
// A font name with none of the markers leaves the text unchanged.
std::string formatBarcodeText(std::string_view fontName, std::string_view text);

}  // namespace brimo::devices
