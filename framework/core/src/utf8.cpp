#include "utf8.h"

namespace fw::utf8 {

Char DecodeAt(std::string_view text, size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) {
    return {lead, 1, true};
  }
  constexpr Char kInvalid{kReplacement, 1, false};
  // The allowed range of the second byte narrows for E0, ED, F0 and F4 to
  // rule out overlong forms, surrogates and code points past U+10FFFF.
  size_t length = 0;
  unsigned char secondMin = 0x80;
  unsigned char secondMax = 0xBF;
  char32_t code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0Fu;
    if (lead == 0xE0) {
      secondMin = 0xA0;
    } else if (lead == 0xED) {
      secondMax = 0x9F;
    }
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07u;
    if (lead == 0xF0) {
      secondMin = 0x90;
    } else if (lead == 0xF4) {
      secondMax = 0x8F;
    }
  } else {
    return kInvalid;
  }
  if (text.size() - at < length) {
    return kInvalid;
  }
  for (size_t k = 1; k < length; ++k) {
    const auto byte = static_cast<unsigned char>(text[at + k]);
    const unsigned char low = k == 1 ? secondMin : 0x80;
    const unsigned char high = k == 1 ? secondMax : 0xBF;
    if (byte < low || byte > high) {
      return kInvalid;
    }
    code = (code << 6) | (byte & 0x3Fu);
  }
  return {code, length, true};
}

bool IsValid(std::string_view bytes) {
  for (size_t at = 0; at < bytes.size();) {
    const Char c = DecodeAt(bytes, at);
    if (!c.valid) {
      return false;
    }
    at += c.length;
  }
  return true;
}

void Append(std::string& out, char32_t codePoint) {
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

}  // namespace fw::utf8
