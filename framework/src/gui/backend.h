#pragma once
// The shared decisions the backends call when the platform reports an event,
// and the run time's state. Only the framework's own files and its tests
// include this; what a backend provides is in peer.h.

#include <chrono>
#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/menu.h"
#include "framework/rect_control.h"
#include "framework/window.h"
#include "peer.h"

namespace fw {

// Open windows in the order they were made; the run time holds them.
std::vector<Ref<Window>>& WindowRegistry();
void UnregisterWindow(Window& window);

// A control's box in device pixels.
struct PixelBox {
  int x = 0, y = 0, width = 0, height = 0;
};
// Where a control's layout box goes once the window's client area is `dw`
// wider and `dh` taller than its layout: a side locked to the far edge
// follows it, stretching the control when the near side is locked too. The
// size never goes below zero.
PixelBox FollowLockedEdges(PixelBox box, const EdgeLocks& locks, int dw, int dh);

// The enabling pass, before a menu opens, before a shortcut acts and after
// the window's activation: every leaf item back to its AutoEnable, then the
// window's EnableMenuItems. Nothing for a window that is not open.
void UpdateMenuEnabling(Window& window);

// The window's controls that are tab stops, by TabIndex (stable).
std::vector<RectControl*> TabStopsInOrder(const Window& window);

// How the window came to be active.
enum class Activation {
  // The user, the window manager or the program activated it.
  New,
  // The window system handed the activation back to the window once a menu
  // (or another popup of the window) closed: the window had it before the
  // menu opened. This may come after the chosen command showed another
  // window, however long after.
  HandedBack
};
// The platform reports that the window was activated: its Activate event,
// unless the activation was only handed back, then, while the window is still
// open, the enabling pass.
void WindowActivated(Window& window, Activation how);
// Keys that type no character but that KeyDown reports, each by a control
// code: editing and movement keys.
enum class EditingKey {
  Backspace,
  Tab,
  Return,
  Escape,
  Left,
  Right,
  Up,
  Down,
  Home,
  End,
  PageUp,
  PageDown,
  Delete
};
// The control code KeyDown reports for the key.
std::string KeyDownCode(EditingKey key);
// The platform reports a key pressed in a control, as KeyDown reports it
// (the typed character or an editing key's code): the control's KeyDown,
// unless the key is empty (a modifier alone). True when its handler kept the
// key out of the control.
bool RaiseControlKeyDown(Control& control, const std::string& key);

// Whether the control takes the user's typing and clicking itself (a text
// field, an editable text area, a button). Presses on any other control (a
// label, a picture, read-only text) belong to its window: they raise the
// window's KeyDown and MouseDown, where its class implements them.
bool TakesOwnInput(const RectControl& control);

// The platform reports a key or a mouse press that belongs to the window
// itself: its KeyDown or MouseDown event, when its class implements it. True
// when the handler kept the press. `key` is the key as KeyDown reports it;
// x and y are layout pixels in the client area.
bool RaiseWindowKeyDown(Window& window, const std::string& key);
bool RaiseWindowMouseDown(Window& window, int64_t x, int64_t y);
// Once a window has been hidden or closed: unless the active window is a
// visible one, the newest visible window gets the activation.
void ActivateNewestVisible();

// The open windows whose menu bar holds the item.
std::vector<Window*> WindowsCarrying(const MenuItem& item);

// The platform reports a chosen menu entry (from its menu or its shortcut;
// `window` is the window whose bar it was chosen from, or null): an editing
// entry first acts on the window's focused text control, then the handlers
// run (RunMenuHandlers).
void MenuItemChosen(Window* window, MenuItem& item);
// A chosen command's handlers: the window's, then the application's; True
// from a handler ends it. A Quit entry that nobody handles quits.
void RunMenuHandlers(Window* window, MenuItem& item);

// The report of an unhandled exception (ExceptionReport, peer.h).
ExceptionReport DescribeException(std::exception_ptr exception);

// The run time's whole state: where its loop stands, the commands, and the
// calls into handlers. Everything a run changes lives here.
struct RunState {
  bool loopStarted = false;
  bool loopRunning = false;
  bool quitting = false;
  bool failedBeforeLoop = false;
  int exitCode = 0;
  std::chrono::steady_clock::time_point lastYield{};
  // Set while a command runs; counts the commands begun so far.
  bool commandRunning = false;
  uint64_t commandsBegun = 0;
  // Commands that came while another ran, oldest first.
  std::vector<std::function<void()>> waitingCommands;
  // The exception an initializer left raised.
  std::exception_ptr pending;
  // The routine handlers are called through, as start-up installs it.
  ExceptionHelper helper;
};
RunState& SharedRunState();
// What the process ends with: 1 when it failed before the loop began.
int RunExitCode();
// Back to the state right after start-up, for tests: every open window is
// discarded, posted work ends, and the run state starts afresh but for the
// installed exception helper.
void ResetRun();

// The title of message boxes and reports: the application's, or, before the
// application object has one (a report from start-up), the program's name as
// the program gave it, else as the platform records it.
std::string BoxTitle();
// The running command (a button's or a timer's Action), numbered from 1; 0
// when none runs.
uint64_t RunningCommand();

}  // namespace fw
