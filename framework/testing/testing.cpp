// The tests' view of the Qt backend, built apart from the framework library.

#include "framework/testing/testing.h"

#include "qt/peers.h"
#include "src/gui/backend.h"

namespace fw::testing {

QWidget* WidgetOf(const RectControl& control) {
  return control.PlatformPeer() ? control.PlatformPeer()->widget.data() : nullptr;
}

QMainWindow* WidgetOf(const Window& window) {
  return window.PlatformPeer().widget;
}

QWidget* ClientOf(const Window& window) {
  return window.PlatformPeer().client;
}

void ResetRunState() {
  ResetRun();
}

int LastExitCode() {
  return SharedRunState().exitCode;
}

}  // namespace fw::testing
