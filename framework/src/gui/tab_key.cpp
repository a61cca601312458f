#include "tab_key.h"

namespace fw {

TabMove TabKeyMove(TabPress press, TabTarget control) {
  const bool takesTabs = control.allowsTabs && !control.readOnly;
  if (press.alt || (takesTabs && !press.ctrl)) {
    return TabMove::None;
  }
  return press.shift ? TabMove::Previous : TabMove::Next;
}

}  // namespace fw
