#pragma once
// What the platform backends share of the platform-neutral work behind
// windows and menus. Only the backends include this.

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

// Before a menu opens or a shortcut acts: every leaf item back to its
// AutoEnable, then the window's EnableMenuItems.
void UpdateMenuEnabling(Window& window);

// A chosen command, after the focused control's own editing: the window's
// handler, then the application's; True from a handler ends it. A Quit entry
// that nobody handles quits.
void RunMenuHandlers(Window* window, MenuItem& item);

// What the report of an unhandled exception says: the exception's own
// message, which the framework and the libraries write as sentences for the
// user (a stand-in when it has none), and its class as a detail.
struct ExceptionReport {
  std::string message;
  std::string className;
};
ExceptionReport DescribeException(std::exception_ptr exception);

// Where the run time's loop stands; both backends keep it here.
struct RunState {
  bool loopStarted = false;
  bool loopRunning = false;
  bool quitting = false;
  bool failedBeforeLoop = false;
  int exitCode = 0;
  std::chrono::steady_clock::time_point lastYield{};
};
RunState& SharedRunState();
// What the process ends with: 1 when it failed before the loop began.
int RunExitCode();

// The title of message boxes and reports: the application's, or, before the
// application object has one (a report from start-up), the program's name.
std::string BoxTitle();
// Each backend: the program's name as the platform records it for the
// executable.
std::string ProgramName();

// Each backend: the name screen readers give the control.
void SetAccessibleName(RectControl& control, const std::string& name);

// Each backend: shows the report of an unhandled exception.
void ShowExceptionReport(const ExceptionReport& report);
// Each backend: runs the event loop until told to exit; the exit code it
// ended with, when it reports one.
std::optional<int> RunEventLoop();
// Each backend: tells the running event loop to exit with `exitCode`.
void ExitEventLoop(int exitCode);
// Each backend: lets waiting painting and timers through, never the user's
// clicks or keys: a running command cannot be entered a second time.
void DispatchNonInputEvents();

// The running command (a button's or a timer's Action), numbered from 1; 0
// when none runs.
uint64_t RunningCommand();
// Each backend: hands the commands that waited for the running one, oldest
// first, to the event loop. Nothing wakes up to look for them before then.
void PostWaitingCommands(std::vector<std::function<void()>> commands);

}  // namespace fw
