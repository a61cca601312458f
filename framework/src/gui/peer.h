#pragma once
// The peer interface: what each backend provides to the shared code in this
// folder. Every function here only translates: it makes or destroys a native
// object, sets a native property, reads native state or posts to the native
// loop. What happens when, and whether, is decided by the caller.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "edit_menu.h"
#include "framework/menu.h"
#include "framework/rect_control.h"
#include "framework/window.h"

namespace fw {

// --- Windows ---------------------------------------------------------------
// Whether the window's native window exists (made, and not yet destroyed).
bool NativeWindowExists(const Window& window);
// The window has been built: its controls exist and `tabOrder` lists those
// that Tab visits, in order. The native window takes its tab order, its size
// and its controls' places.
void NativeWindowBuilt(Window& window, const std::vector<RectControl*>& tabOrder);
// Shows the native window, raises it and asks for the activation.
void NativeWindowShow(Window& window);
void NativeWindowHide(Window& window);
bool NativeWindowVisible(const Window& window);
// Gives the native window the activation.
void NativeWindowActivate(Window& window);
// Whether the platform's active window (of this program, any kind) is visible.
bool NativeActiveWindowVisible();
// Destroys the native window and its controls' native widgets (later, when
// this runs inside one of the window's own events) and its menu views.
void NativeWindowDestroy(Window& window);
// Sizes the native window to the window's Width() and Height().
void NativeWindowResize(Window& window);

// --- Controls --------------------------------------------------------------
// The control's native widget, just made by MakePeer, is put into its
// window's client area at the control's bounds and shown.
void NativeControlMade(RectControl& control);
// The name screen readers give the control.
void SetAccessibleName(RectControl& control, const std::string& name);

// --- Menus -----------------------------------------------------------------
// The per-backend record of an item's native views; MakeMenuViews makes an
// empty one.
struct MenuItem::Views {
  virtual ~Views() = default;
};
std::unique_ptr<MenuItem::Views> MakeMenuViews();
// The item's text, shortcut, enabled state or visibility changed: its native
// views show it.
void RefreshMenuViews(MenuItem& item);
// The window's focused text control, if any, carries out the editing
// command itself.
void NativeEditFocusedControl(Window& window, EditAction action);
// The item was shown or hidden: `windows` carry a bar that holds it.
void MenuItemVisibilityChanged(MenuItem& item, const std::vector<Window*>& windows);

// --- The run time ----------------------------------------------------------
// The program's name as the platform records it for the executable.
std::string ProgramName();
// What the report of an unhandled exception says: the exception's own
// message, which the framework and the libraries write as sentences for the
// user (a stand-in when it has none), and its class as a detail.
struct ExceptionReport {
  std::string message;
  std::string className;
};
// Shows the report of an unhandled exception.
void ShowExceptionReport(const ExceptionReport& report);

// --- The event loop --------------------------------------------------------
// Runs the event loop until told to exit; the exit code it ended with, when
// it reports one.
std::optional<int> RunEventLoop();
// Tells the running event loop to exit with `exitCode`.
void ExitEventLoop(int exitCode);
// Lets waiting painting and timers through, never the user's clicks or keys:
// a running command cannot be entered a second time.
void DispatchNonInputEvents();
// Runs `work` from the native event loop once the current event is done.
void PostToEventLoop(std::function<void()> work);
// At shutdown and between tests: native objects waiting to be destroyed go
// now, and work posted to the loop that the backend keeps itself is dropped.
void EndPostedWork();

}  // namespace fw
