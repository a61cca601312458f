// What a push button does the same on every platform.

#include "framework/controls.h"

namespace fw {

// Every button of a window may be marked default; the Return key presses
// none of them in a document window.
void PushButton::SetDefault(bool /*isDefault*/) {}

void PushButton::Push() {
  RaiseEvent(EventNumber::Action);
}

void PushButton::ApplyFont() {
  Relayout();
}

}  // namespace fw
