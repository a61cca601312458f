// What a text area does the same on every platform.

#include "framework/controls.h"

namespace fw {

Ref<fw::StyledText> TextArea::StyledText() {
  return std::make_shared<fw::StyledText>(*this);
}

void TextArea::SetMultiline(bool multiline) {
  multiline_ = multiline;
  // Scroll bars and wrapping depend on it.
  SetScrollbars(hScroll_, vScroll_);
}

}  // namespace fw
