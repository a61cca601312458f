#include "text_decoding.h"

#include <algorithm>
#include <cstdint>

namespace fw::text_decoding {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// cp1252's 0x80-0x9F; 0 marks the bytes it leaves undefined.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,       // 88-8F
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,  // 98-9F
};

}  // namespace

void AppendUtf8(std::string& out, char32_t codePoint) {
  if ((codePoint >= 0xD800 && codePoint <= 0xDFFF) || codePoint > 0x10FFFF) {
    codePoint = kReplacement;
  }
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (codePoint >> 18));
    out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

bool IsValidUtf8(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* const end = p + bytes.size();
  while (p < end) {
    const unsigned char lead = *p;
    if (lead < 0x80) {
      ++p;
      continue;
    }
    // The allowed range of the second byte narrows for E0, ED, F0 and F4 to
    // rule out overlong forms, surrogates and code points past U+10FFFF.
    int length = 0;
    unsigned char secondMin = 0x80, secondMax = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) {
        secondMin = 0xA0;
      } else if (lead == 0xED) {
        secondMax = 0x9F;
      }
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) {
        secondMin = 0x90;
      } else if (lead == 0xF4) {
        secondMax = 0x8F;
      }
    } else {
      return false;
    }
    if (end - p < length || p[1] < secondMin || p[1] > secondMax) {
      return false;
    }
    for (int i = 2; i < length; ++i) {
      if (!IsContinuation(p[i])) {
        return false;
      }
    }
    p += length;
  }
  return true;
}

std::string DecodeWindows1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80 && byte <= 0x9F) {
      const char16_t mapped = kWindows1252High[byte - 0x80];
      AppendUtf8(out, mapped != 0 ? mapped : kReplacement);
    } else {
      AppendUtf8(out, byte);  // Latin-1 elsewhere; NUL is handled by the caller
    }
  }
  return out;
}

std::string DecodeUtf8OrWindows1252(std::string&& bytes) {
  std::string out = IsValidUtf8(bytes) ? std::move(bytes) : DecodeWindows1252(bytes);
  if (out.find('\0') == std::string::npos) {
    return out;
  }
  std::string clean;
  clean.reserve(out.size() + 8);
  for (const char c : out) {
    if (c == '\0') {
      AppendUtf8(clean, kReplacement);
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
      AppendUtf8(out, 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (units[i + 1] - 0xDC00));
      ++i;
    } else {
      // A lone surrogate comes out as U+FFFD from AppendUtf8.
      AppendUtf8(out, unit == 0 ? kReplacement : char32_t{unit});
    }
  }
  return out;
}

}  // namespace fw::text_decoding
