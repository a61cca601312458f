#pragma once
// What both backends' text areas do with the framework's text: line ends made
// CR LF, how a new text relates to the one shown, and where a position of the
// text falls in a control that holds paragraphs of UTF-16 text.

#include <cstdint>
#include <string>
#include <string_view>

namespace fw::text_lines {

// CR, LF and CR LF all become CR LF.
std::string NormalizeLineEnds(std::string_view text);

// How the shown text, `current` (normalized), becomes `text`.
struct Change {
  enum class Kind { None, Append, Replace };
  Kind kind = Kind::None;
  std::string text;  // Append: the normalized end to add; Replace: the whole text
};
Change ChangeFrom(const std::string& current, const std::string& text);

// The control's position of a character position in `text`: a CR LF is one
// paragraph mark, a character beyond U+FFFF two UTF-16 units.
int64_t ParagraphPosition(const std::string& text, int64_t position);

}  // namespace fw::text_lines
