#include "text_lines.h"

#include "core/src/utf8.h"

namespace fw::text_lines {

// Copied in runs between line ends: the text of a growing results field
// passes through here at every line.
std::string NormalizeLineEnds(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  size_t copied = 0;
  for (size_t at = text.find_first_of("\r\n"); at != std::string_view::npos;
       at = text.find_first_of("\r\n", at)) {
    if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') {
      at += 2;
      continue;
    }
    out.append(text.substr(copied, at - copied));
    out += "\r\n";
    copied = ++at;
  }
  out.append(text.substr(copied));
  return out;
}

Change ChangeFrom(const std::string& current, const std::string& text) {
  if (!current.empty() && current.back() != '\r' && text.size() > current.size() &&
      text.compare(0, current.size(), current) == 0) {
    // The current text is normalized and does not end in a lone CR, so
    // normalizing the new end alone gives the same text as normalizing all.
    return {Change::Kind::Append, NormalizeLineEnds(std::string_view(text).substr(current.size()))};
  }
  std::string normalized = NormalizeLineEnds(text);
  if (!current.empty() && normalized.size() > current.size() &&
      normalized.compare(0, current.size(), current) == 0) {
    return {Change::Kind::Append, normalized.substr(current.size())};
  }
  if (normalized == current) {
    return {};
  }
  return {Change::Kind::Replace, std::move(normalized)};
}

int64_t ParagraphPosition(const std::string& text, int64_t position) {
  int64_t characters = 0;
  int64_t control = 0;
  for (size_t i = 0; i < text.size() && characters < position;) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      characters += 2;
      control += 1;
      i += 2;
      continue;
    }
    const utf8::Char decoded = utf8::DecodeAt(text, i);
    characters += 1;
    control += decoded.code > 0xFFFF ? 2 : 1;
    i += decoded.length;
  }
  return control;
}

}  // namespace fw::text_lines
