#pragma once
// Decoding of file text to UTF-8, for TextInputStream. Internal to the framework.

#include <string>
#include <string_view>

namespace fw::text_decoding {

// Each byte as its Windows-1252 character; the five bytes cp1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become U+FFFD.
std::string DecodeWindows1252(std::string_view bytes);

// A line of a file without a byte-order mark: kept as is when it is valid
// UTF-8, otherwise read wholly as Windows-1252. NUL becomes U+FFFD either way,
// so no caller ever sees an embedded NUL.
std::string DecodeUtf8OrWindows1252(std::string&& bytes);

// UTF-16 code units to UTF-8; surrogate pairs are joined, unpaired surrogates
// and NUL become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view units);

}  // namespace fw::text_decoding
