#pragma once
// The framework's one UTF-8 encoder and decoder, shared by the text helpers,
// the text streams and the text areas. Internal to the framework.

#include <cstddef>
#include <string>
#include <string_view>

namespace fw::utf8 {

inline constexpr char32_t kReplacement = 0xFFFD;

// One character of UTF-8 text: its code point and byte length.
struct Char {
  char32_t code = 0;
  size_t length = 1;
  bool valid = true;
};

// The character at byte offset `at` (< text.size()). An overlong form, a
// surrogate, a code point past U+10FFFF or a cut-off sequence yields its
// first byte alone: U+FFFD, length 1, not valid.
Char DecodeAt(std::string_view text, size_t at);

// Whether every character of `bytes` is valid.
bool IsValid(std::string_view bytes);

// Appends `codePoint` encoded as UTF-8. Surrogates and values past U+10FFFF
// become U+FFFD.
void Append(std::string& out, char32_t codePoint);

}  // namespace fw::utf8
