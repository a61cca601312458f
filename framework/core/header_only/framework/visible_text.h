#pragma once
// How a message shows text that came from a file or from the user: every
// control character (C0, DEL and C1) becomes "?", so that a binary file's
// bytes show no boxes or line breaks. Header-only and with no dependency, so
// that the matrix plug-in, which links nothing of the framework, shows text
// by the same rule as the program.

#include <cstddef>
#include <string>
#include <string_view>

namespace fw {

// UTF-8 `text` with each control character replaced by '?'.
inline std::string VisibleText(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    // C1 (U+0080 to U+009F) is C2 80 to C2 9F in UTF-8.
    const bool c1 = byte == 0xC2 && i + 1 < text.size() &&
                    static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                    static_cast<unsigned char>(text[i + 1]) <= 0x9F;
    if (byte < 0x20 || byte == 0x7F || c1) {
      shown += '?';
      i += c1 ? 1 : 0;
    } else {
      shown += text[i];
    }
  }
  return shown;
}

}  // namespace fw
