#include "framework/text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "framework/exceptions.h"
#include "utf8.h"

namespace fw {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The byte offset `count` characters after byte offset `from`, at most the end.
size_t AdvanceChars(std::string_view text, size_t from, int64_t count) {
  size_t at = from;
  for (int64_t k = 0; k < count && at < text.size(); ++k) {
    at += utf8::DecodeAt(text, at).length;
  }
  return at;
}

// Decides the direction of a decimal number that std::from_chars found out of
// range: overflow when its leading digit stands at a power of ten >= 0.
bool Overflows(std::string_view integerDigits, std::string_view fractionDigits, int64_t exponent) {
  int64_t magnitude = 0;
  const size_t firstInteger = integerDigits.find_first_not_of('0');
  if (firstInteger != std::string_view::npos) {
    magnitude = static_cast<int64_t>(integerDigits.size() - firstInteger);
  } else {
    const size_t firstFraction = fractionDigits.find_first_not_of('0');
    magnitude = -static_cast<int64_t>(firstFraction == std::string_view::npos ? 0 : firstFraction);
  }
  return magnitude + exponent > 0;
}

}  // namespace

double Val(std::string_view text) {
  size_t at = 0;
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) {
    ++at;
  }
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    negative = text[at] == '-';
    ++at;
  }
  const size_t numberStart = at;
  while (at < text.size() && IsDigit(text[at])) {
    ++at;
  }
  const std::string_view integerDigits = text.substr(numberStart, at - numberStart);
  std::string_view fractionDigits;
  if (at < text.size() && text[at] == '.') {
    const size_t fractionStart = ++at;
    while (at < text.size() && IsDigit(text[at])) {
      ++at;
    }
    fractionDigits = text.substr(fractionStart, at - fractionStart);
  }
  if (integerDigits.empty() && fractionDigits.empty()) {
    return 0.0;
  }
  // The exponent belongs to the number only when digits follow it.
  int64_t exponent = 0;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    size_t digitsAt = at + 1;
    bool negativeExponent = false;
    if (digitsAt < text.size() && (text[digitsAt] == '+' || text[digitsAt] == '-')) {
      negativeExponent = text[digitsAt] == '-';
      ++digitsAt;
    }
    if (digitsAt < text.size() && IsDigit(text[digitsAt])) {
      at = digitsAt;
      while (at < text.size() && IsDigit(text[at])) {
        exponent = std::min<int64_t>(exponent * 10 + (text[at] - '0'), 1'000'000'000);
        ++at;
      }
      if (negativeExponent) {
        exponent = -exponent;
      }
    }
  }
  // from_chars is exact and ignores the locale; the scan above already
  // decided where the number ends.
  const std::string_view number = text.substr(numberStart, at - numberStart);
  double magnitude = 0.0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), magnitude);
  if (result.ec == std::errc::result_out_of_range) {
    magnitude = Overflows(integerDigits, fractionDigits, exponent)
                    ? std::numeric_limits<double>::infinity()
                    : 0.0;
  }
  return negative ? -magnitude : magnitude;
}

int64_t DoubleToInt64(double value) {
  // The range test is false for NaN as well.
  if (!(value >= -0x1p63 && value < 0x1p63)) {
    return std::numeric_limits<int64_t>::min();
  }
  return static_cast<int64_t>(value);
}

std::string Str(int64_t value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

double Variant::DoubleValue() const {
  switch (GetKind()) {
    case Kind::Integer:
      return static_cast<double>(std::get<int64_t>(value_));
    case Kind::Double:
      return std::get<double>(value_);
    case Kind::Text:
      return Val(std::get<std::string>(value_));
    case Kind::Empty:
      break;
  }
  return 0.0;
}

int64_t Variant::IntegerValue() const {
  if (IsInteger()) {
    return std::get<int64_t>(value_);
  }
  return IsEmpty() ? 0 : DoubleToInt64(DoubleValue());
}

const std::string& Variant::TextValue() const {
  static const std::string kEmpty;
  const auto* text = std::get_if<std::string>(&value_);
  return text ? *text : kEmpty;
}

std::string Str(const Variant& value, std::string_view pattern) {
  return Format(value.DoubleValue(), pattern);
}

namespace {

struct NumberPattern {
  bool plusSign = false;
  int minIntegerDigits = 0;
  int fractionDigits = 0;       // '0' and '#' after the point
  int fixedFractionDigits = 0;  // up to and including the last '0'
};

NumberPattern ParsePattern(std::string_view pattern) {
  NumberPattern parsed;
  size_t at = 0;
  if (at < pattern.size() && (pattern[at] == '-' || pattern[at] == '+')) {
    parsed.plusSign = pattern[at] == '+';
    ++at;
  }
  for (; at < pattern.size() && (pattern[at] == '#' || pattern[at] == '0'); ++at) {
    parsed.minIntegerDigits += pattern[at] == '0' ? 1 : 0;
  }
  if (at < pattern.size() && pattern[at] == '.') {
    for (++at; at < pattern.size() && (pattern[at] == '#' || pattern[at] == '0'); ++at) {
      ++parsed.fractionDigits;
      if (pattern[at] == '0') {
        parsed.fixedFractionDigits = parsed.fractionDigits;
      }
    }
  }
  if (at != pattern.size()) {
    throw UnsupportedFormatException("Unsupported number pattern \"" + std::string(pattern) + "\"");
  }
  return parsed;
}

}  // namespace

std::string Format(double value, std::string_view pattern) {
  const NumberPattern parsed = ParsePattern(pattern);
  if (std::isnan(value)) {
    return "NaN";
  }
  if (std::isinf(value)) {
    return value > 0 ? "Infinity" : "-Infinity";
  }
  // to_chars rounds the exact binary value (ties to even) and, unlike
  // printf, never writes the locale's decimal comma.
  std::string buffer(static_cast<size_t>(std::numeric_limits<double>::max_exponent10) + 8 +
                         static_cast<size_t>(parsed.fractionDigits),
                     '\0');
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                                    std::chars_format::fixed, parsed.fractionDigits);
  const std::string_view rounded(buffer.data(), static_cast<size_t>(result.ptr - buffer.data()));
  const bool isZero = rounded.find_first_of("123456789") == std::string_view::npos;

  const size_t point = rounded.find('.');
  std::string_view integerDigits = rounded.substr(0, point);
  std::string_view fraction =
      point == std::string_view::npos ? std::string_view() : rounded.substr(point + 1);
  while (fraction.size() > static_cast<size_t>(parsed.fixedFractionDigits) &&
         fraction.back() == '0') {
    fraction.remove_suffix(1);
  }
  integerDigits.remove_prefix(std::min(integerDigits.find_first_not_of('0'), integerDigits.size()));

  std::string text;
  if (!isZero && (value < 0 || parsed.plusSign)) {
    text += value < 0 ? '-' : '+';
  }
  if (integerDigits.size() < static_cast<size_t>(parsed.minIntegerDigits)) {
    text.append(static_cast<size_t>(parsed.minIntegerDigits) - integerDigits.size(), '0');
  }
  text += integerDigits;
  if (!fraction.empty()) {
    text += '.';
    text += fraction;
  }
  return text;
}

std::string NthField(std::string_view text, std::string_view separator, int64_t n) {
  if (n < 1 || separator.empty()) {
    return {};
  }
  size_t fieldStart = 0;
  for (int64_t field = 1;; ++field) {
    const size_t fieldEnd = text.find(separator, fieldStart);
    if (field == n) {
      return std::string(text.substr(fieldStart, fieldEnd == std::string_view::npos
                                                     ? std::string_view::npos
                                                     : fieldEnd - fieldStart));
    }
    if (fieldEnd == std::string_view::npos) {
      return {};
    }
    fieldStart = fieldEnd + separator.size();
  }
}

std::string Left(std::string_view text, int64_t n) {
  if (n <= 0) {
    return {};
  }
  return std::string(text.substr(0, AdvanceChars(text, 0, n)));
}

std::string Mid(std::string_view text, int64_t start1, int64_t length) {
  const size_t begin = AdvanceChars(text, 0, std::max<int64_t>(start1, 1) - 1);
  if (length < 0) {
    return std::string(text.substr(begin));
  }
  return std::string(text.substr(begin, AdvanceChars(text, begin, length) - begin));
}

int64_t Len(std::string_view text) {
  int64_t count = 0;
  for (size_t at = 0; at < text.size(); at += utf8::DecodeAt(text, at).length) {
    ++count;
  }
  return count;
}

std::string Chr(uint32_t code) {
  std::string text;
  utf8::Append(text, code);
  return text;
}

uint32_t Asc(std::string_view text) {
  return text.empty() ? 0 : utf8::DecodeAt(text, 0).code;
}

double Sqrt(double value) {
  return std::sqrt(value);
}

int TextCompare(std::string_view a, std::string_view b) {
  // A malformed byte sorts after every code point, and apart from other bytes.
  const auto key = [](const utf8::Char& c, std::string_view text, size_t at) -> uint32_t {
    if (!c.valid) {
      return 0x110000u + static_cast<unsigned char>(text[at]);
    }
    return c.code >= 'A' && c.code <= 'Z' ? c.code + ('a' - 'A') : c.code;
  };
  size_t atA = 0;
  size_t atB = 0;
  while (atA < a.size() && atB < b.size()) {
    const utf8::Char charA = utf8::DecodeAt(a, atA);
    const utf8::Char charB = utf8::DecodeAt(b, atB);
    const uint32_t keyA = key(charA, a, atA);
    const uint32_t keyB = key(charB, b, atB);
    if (keyA != keyB) {
      return keyA < keyB ? -1 : 1;
    }
    atA += charA.length;
    atB += charB.length;
  }
  if (atA < a.size()) {
    return 1;
  }
  return atB < b.size() ? -1 : 0;
}

}  // namespace fw
