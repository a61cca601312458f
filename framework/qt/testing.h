#pragma once
// What the tests need of the Qt backend: the widgets behind framework
// objects, and resetting the run time between test cases. Program code never
// includes this.

#include <QWidget>
#include <functional>

#include "framework/rect_control.h"
#include "framework/window.h"

class QFileDialog;
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

// While set, the open-file dialog goes to the hook instead of being run: it
// comes set up as the user gets it, and the hook answers it (it may make it
// Qt's own dialog, show it and drive it) and returns what exec() would.
void SetOpenFileDialogHook(std::function<int(QFileDialog&)> hook);

}  // namespace fw::testing
