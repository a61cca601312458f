// What KeyDown reports of a key, the same on every platform.

#include "backend.h"
#include "framework/control.h"

namespace fw {

std::string KeyDownCode(EditingKey key) {
  switch (key) {
    case EditingKey::Backspace:
      return "\x08";
    case EditingKey::Tab:
      return "\t";
    case EditingKey::Return:
      return "\r";
    case EditingKey::Escape:
      return "\x1b";
    case EditingKey::Left:
      return "\x1c";
    case EditingKey::Right:
      return "\x1d";
    case EditingKey::Up:
      return "\x1e";
    case EditingKey::Down:
      return "\x1f";
    case EditingKey::Home:
      return "\x01";
    case EditingKey::End:
      return "\x04";
    case EditingKey::PageUp:
      return "\x0b";
    case EditingKey::PageDown:
      return "\x0c";
    case EditingKey::Delete:
      return "\x7f";
  }
  return {};
}

bool RaiseControlKeyDown(Control& control, const std::string& key) {
  return !key.empty() && control.RaiseEvent(EventNumber::KeyDown, EventArgs{key});
}

}  // namespace fw
