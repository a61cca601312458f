#include "analysis/number_check.h"

#include <cstddef>

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Moves `at` past any digits; answers whether there was at least one.
bool SkipDigits(std::string_view text, size_t& at) {
  const size_t start = at;
  while (at < text.size() && IsDigit(text[at])) {
    ++at;
  }
  return at > start;
}

}  // namespace

bool IsDecimalNumber(std::string_view text) {
  size_t at = 0;
  while (at < text.size() && IsBlank(text[at])) {
    ++at;
  }
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    ++at;
  }
  bool digits = SkipDigits(text, at);
  if (at < text.size() && text[at] == '.') {
    ++at;
    digits = SkipDigits(text, at) || digits;
  }
  if (!digits) {
    return false;
  }
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
      ++at;
    }
    if (!SkipDigits(text, at)) {
      return false;
    }
  }
  while (at < text.size() && IsBlank(text[at])) {
    ++at;
  }
  return at == text.size();
}
