// The run time's loop on every platform: starting and quitting it, the report
// of an unhandled exception and the background-task yield. Each backend runs
// and wakes its own event loop.

#include <chrono>
#include <cstdio>
#include <optional>

#include "backend.h"
#include "framework/application.h"
#include "framework/runtime.h"
#include "framework/window.h"

namespace fw {

RunState& SharedRunState() {
  static RunState state;
  return state;
}

namespace {

// Every open window goes without its events, and no posted work is left.
void DiscardWindowsAndPostedWork() {
  for (const Ref<Window>& window : OpenWindows()) {
    window->Discard();
  }
  EndPostedWork();
}

}  // namespace

void ResetRun() {
  DiscardWindowsAndPostedWork();
  RunState& s = SharedRunState();
  ExceptionHelper helper = std::move(s.helper);
  s = RunState{};
  s.helper = std::move(helper);
}

int RunExitCode() {
  const RunState& s = SharedRunState();
  return s.failedBeforeLoop ? 1 : s.exitCode;
}

void UnhandledException(std::exception_ptr exception) {
  RunState& s = SharedRunState();
  const ExceptionReport report = DescribeException(exception);
  std::fprintf(stderr, "%s: %s\n", report.className.c_str(), report.message.c_str());
  if (!s.loopStarted) {
    s.failedBeforeLoop = true;
  }
  ShowExceptionReport(report);
}

void RuntimePerformFinalizers() {
  // The application is ending.
  DiscardWindowsAndPostedWork();
  RuntimeRegisterAppObject(nullptr);
}

void RuntimeInitExternalClasses() {}

void RunFrameworkInitialization(const std::function<void()>& lateStartup) {
  lateStartup();
}

void RuntimeRun() {
  RunState& s = SharedRunState();
  s.loopStarted = true;
  if (s.quitting) {
    return;
  }
  s.loopRunning = true;
  if (const std::optional<int> exitCode = RunEventLoop()) {
    s.exitCode = *exitCode;
  }
  s.loopRunning = false;
}

void Quit(int64_t exitCode) {
  RunState& s = SharedRunState();
  if (s.quitting) {
    return;
  }
  s.quitting = true;
  s.exitCode = static_cast<int>(exitCode);
  if (s.loopRunning) {
    ExitEventLoop(s.exitCode);
  }
}

bool RuntimeIsQuitting() {
  return SharedRunState().quitting;
}

void BackgroundTaskYield() {
  using namespace std::chrono;
  RunState& s = SharedRunState();
  const auto now = steady_clock::now();
  if (now - s.lastYield < milliseconds(8)) {
    return;
  }
  s.lastYield = now;
  DispatchNonInputEvents();
  s.lastYield = steady_clock::now();
}

}  // namespace fw
