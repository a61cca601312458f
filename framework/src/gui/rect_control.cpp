// How a control with a place in its window comes to be, on every platform.

#include "framework/rect_control.h"
#include "backend.h"
#include "framework/window.h"

namespace fw {

RectControl::RectControl() = default;
RectControl::~RectControl() = default;

void RectControl::Constructor() {
  if (peer_) {
    return;
  }
  if (window_ == nullptr || !NativeWindowExists(*window_)) {
    throw NilObjectException("A control needs its window before it is constructed");
  }
  peer_ = MakePeer();
  NativeControlMade(*this);
  SetTabStop(tabStop_);
}

}  // namespace fw
