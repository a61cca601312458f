#include "text_decoding.h"

#include <algorithm>
#include <cstdint>

#include "utf8.h"

namespace fw::text_decoding {

namespace {

using utf8::kReplacement;

// cp1252's 0x80-0x9F; 0 marks the bytes it leaves undefined.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,       // 88-8F
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,  // 98-9F
};

}  // namespace

std::string DecodeWindows1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80 && byte <= 0x9F) {
      const char16_t mapped = kWindows1252High[byte - 0x80];
      utf8::Append(out, mapped != 0 ? mapped : kReplacement);
    } else {
      utf8::Append(out, byte);  // Latin-1 elsewhere; NUL is handled by the caller
    }
  }
  return out;
}

std::string DecodeUtf8OrWindows1252(std::string&& bytes) {
  std::string out = utf8::IsValid(bytes) ? std::move(bytes) : DecodeWindows1252(bytes);
  if (out.find('\0') == std::string::npos) {
    return out;
  }
  std::string clean;
  clean.reserve(out.size() + 8);
  for (const char c : out) {
    if (c == '\0') {
      utf8::Append(clean, kReplacement);
    } else {
      clean += c;
    }
  }
  return clean;
}

std::string Utf16ToUtf8(std::u16string_view units) {
  std::string out;
  out.reserve(units.size());
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char16_t unit = units[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
        units[i + 1] <= 0xDFFF) {
      utf8::Append(out, 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (units[i + 1] - 0xDC00));
      ++i;
    } else {
      // A lone surrogate comes out as U+FFFD from utf8::Append.
      utf8::Append(out, unit == 0 ? kReplacement : char32_t{unit});
    }
  }
  return out;
}

}  // namespace fw::text_decoding
