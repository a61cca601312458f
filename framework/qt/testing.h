#pragma once
// What the tests need of the Qt backend: the widgets behind framework
// objects, and resetting the run time between test cases. Program code never
// includes this.

#include <QWidget>
#include <functional>

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

// Counts beeps instead of sounding them while a hook is set.
void SetBeepHook(std::function<void()> hook);

}  // namespace fw::testing
