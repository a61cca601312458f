#pragma once
// What the tests need of the Qt backend: the widgets behind framework
// objects, and resetting the run time between test cases. It is built only
// for the tests (quillframework_testing), never installed; program code never
// includes this.

#include <QWidget>

#include "framework/rect_control.h"
#include "framework/window.h"

class QMainWindow;
class QMenuBar;

namespace fw::testing {

QWidget* WidgetOf(const RectControl& control);
QMainWindow* WidgetOf(const Window& window);
// The client area the window's controls sit in.
QWidget* ClientOf(const Window& window);

// Discards every open window and forgets a Quit, a report and a pending
// exception, so that the next test starts as after start-up.
void ResetRunState();
int LastExitCode();

}  // namespace fw::testing
