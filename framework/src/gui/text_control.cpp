// A text control's font, colour and alignment settings; the backend applies
// them.

#include "framework/controls.h"

namespace fw {

void TextControl::SetFontName(const std::string& name) {
  font_.name = name;
  ApplyFont();
}
void TextControl::SetFontSize(float size) {
  font_.size = size;
  ApplyFont();
}
void TextControl::SetBold(bool bold) {
  font_.bold = bold;
  ApplyFont();
}
void TextControl::SetItalic(bool italic) {
  font_.italic = italic;
  ApplyFont();
}
void TextControl::SetUnderline(bool underline) {
  font_.underline = underline;
  ApplyFont();
}
void TextControl::SetTextColor(Color color) {
  textColor_ = color;
  ApplyColors();
}
void TextControl::SetBackgroundColor(Color color) {
  backgroundColor_ = color;
  hasBackgroundColor_ = true;
  ApplyColors();
}
void TextControl::SetAlignment(TextAlignment alignment) {
  alignment_ = alignment;
  ApplyAlignment();
}

}  // namespace fw
