// A text field's input rules, the same on every platform.

#include "field_input.h"

#include <algorithm>
#include <utility>

namespace fw {
namespace {

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

bool IsLetter(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool FitsPosition(char16_t m, char16_t c) {
  switch (m) {
    case u'#':
    case u'9':
      return IsDigit(c);
    case u'A':
      return IsLetter(c);
    case u'&':
    case u'C':
      return true;
    default:
      return c == m;
  }
}

}  // namespace

bool FitsMask(std::u16string_view mask, std::u16string_view text) {
  if (mask.empty()) {
    return true;
  }
  return text.size() <= mask.size() &&
         std::equal(text.begin(), text.end(), mask.begin(),
                    [](char16_t c, char16_t m) { return FitsPosition(m, c); });
}

std::optional<std::u16string> AdmittedInsertion(std::u16string_view mask, size_t maxLength,
                                                std::u16string_view current, size_t start,
                                                size_t end, std::u16string_view inserted) {
  if (end < start) {
    std::swap(start, end);
  }
  start = std::min(start, current.size());
  end = std::min(end, current.size());
  const size_t kept = current.size() - (end - start);
  const size_t room = maxLength > kept ? maxLength - kept : 0;
  std::u16string admitted(inserted.substr(0, room));
  std::u16string result(current.substr(0, start));
  result += admitted;
  result += current.substr(end);
  if (!FitsMask(mask, result)) {
    return std::nullopt;
  }
  return admitted;
}

}  // namespace fw
