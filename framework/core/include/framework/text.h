#pragma once
// The framework's text and number helpers.
//
// Text is UTF-8 in std::string. Lengths and positions count characters (code
// points), not bytes; a byte that does not start a well-formed UTF-8 sequence
// counts as one character of its own.

#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace fw {

// Skips leading blanks and TABs, then parses the longest leading decimal number
// ([sign] digits [. digits] [e|E [sign] digits]). No number -> 0.0. Ignores the
// locale; "inf", "nan" and hex are not numbers. Too large -> +-inf, too small -> +-0.
double Val(std::string_view text);

// Truncates toward zero. NaN and values outside the int64 range give INT64_MIN.
int64_t DoubleToInt64(double value);

// Plain decimal, "-5", "99".
std::string Str(int64_t value);

// The few kinds of value the program wraps: empty, integer, double, text.
class Variant {
 public:
  enum class Kind { Empty, Integer, Double, Text };

  Variant() = default;
  Variant(int64_t value) : value_(value) {}
  // Any other integer type: without this, an int would be ambiguous between
  // int64_t and double.
  template <std::integral T>
  requires(!std::same_as<T, bool>) Variant(T value) : value_(static_cast<int64_t>(value)) {}
  Variant(double value) : value_(value) {}
  Variant(std::string value) : value_(std::move(value)) {}
  Variant(const char* value) : value_(std::string(value)) {}
  // No Boolean kind: keep true/false from quietly becoming a number.
  Variant(bool) = delete;

  Kind GetKind() const { return static_cast<Kind>(value_.index()); }
  bool IsEmpty() const { return GetKind() == Kind::Empty; }
  bool IsInteger() const { return GetKind() == Kind::Integer; }
  bool IsDouble() const { return GetKind() == Kind::Double; }
  bool IsText() const { return GetKind() == Kind::Text; }

  // Text -> Val(text); empty -> 0.
  double DoubleValue() const;
  // Double and text are truncated as DoubleToInt64 does; empty -> 0.
  int64_t IntegerValue() const;
  // The text; an empty string for every other kind.
  const std::string& TextValue() const;

  friend bool operator==(const Variant&, const Variant&) = default;

 private:
  std::variant<std::monostate, int64_t, double, std::string> value_;
};

// value.DoubleValue() formatted by Format.
std::string Str(const Variant& value, std::string_view pattern);

// Formats a number by a pattern of this subset:
//   [sign] integer-part ['.' fraction-part]
// sign: '-' (negatives always get their minus, so it changes nothing) or '+'
//   (positives get '+' as well);
// integer-part: '#' and '0'; the count of '0' is the minimum number of integer
//   digits, so "#.00" writes 0.5 as ".50" and "#" writes 0 as "";
// fraction-part: '0' digits always shown, '#' digits shown unless they are
//   trailing zeros; the point goes when no fraction digit is left.
// Rounding is exact for the binary value, ties to even: 2.5 with "0" gives "2",
// 3.5 gives "4"; 0.00005 is slightly above its decimal, so "0.0000" gives "0.0001".
// A value that rounds to zero has no sign. NaN -> "NaN", +-inf -> "Infinity",
// "-Infinity". Any other pattern character raises UnsupportedFormatException.
std::string Format(double value, std::string_view pattern);

// Field n (from 1) of text split at separator, matched byte for byte. n < 1,
// n beyond the last field or an empty separator -> "". Without any separator
// the whole text is field 1.
std::string NthField(std::string_view text, std::string_view separator, int64_t n);

// The first n characters; n <= 0 -> "".
std::string Left(std::string_view text, int64_t n);

// length characters from character start1 (1-based). start1 < 1 counts as 1;
// length < 0 takes the rest of the text.
std::string Mid(std::string_view text, int64_t start1, int64_t length);

// The number of characters.
int64_t Len(std::string_view text);

// UTF-8 of the code point; surrogates and codes above 0x10FFFF give U+FFFD.
std::string Chr(uint32_t code);

// The code point of the first character; "" -> 0; a malformed byte -> U+FFFD.
uint32_t Asc(std::string_view text);

// std::sqrt: a negative value gives NaN, nothing is raised.
double Sqrt(double value);

// The framework's text comparison: ASCII letters compare as lower case, every
// other character by its code point (malformed bytes after all code points);
// a prefix comes first. Answers -1, 0 or 1.
int TextCompare(std::string_view a, std::string_view b);

}  // namespace fw
