// The run time on Win32: window classes, initializers, the message loop,
// exception handling, put-off work and the background-task yield.

#include <deque>
#include <vector>

#include "framework/application.h"
#include "framework/controls.h"
#include "framework/files.h"
#include "framework/runtime.h"
#include "framework/window.h"
#include "win32/win32.h"

namespace fw {
namespace {

// The native objects the run time made, and the work put off.
struct RuntimeState {
  HWND messageWindow = nullptr;
  std::deque<std::function<void()>> putOff;
  bool putOffPosted = false;
  bool comStarted = false;
};

RuntimeState& State() {
  static RuntimeState state;
  return state;
}

void RunPutOffWork() {
  RuntimeState& s = State();
  s.putOffPosted = false;
  // Work put off while this runs waits for the next message.
  std::deque<std::function<void()>> now;
  now.swap(s.putOff);
  for (auto& work : now) {
    work();
  }
}

LRESULT CALLBACK MessageWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kRunPutOff) {
    RunPutOffWork();
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void RegisterClasses() {
  static bool done = false;
  if (done) {
    return;
  }
  done = true;
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  // The RichEdit control behind text areas.
  LoadLibraryW(L"msftedit.dll");

  RegisterWindowClass(L"QuillFrameworkRuntime", &MessageWindowProc);
}

}  // namespace

HINSTANCE ModuleInstance() {
  return GetModuleHandleW(nullptr);
}

void PutOff(std::function<void()> work) {
  RuntimeState& s = State();
  s.putOff.push_back(std::move(work));
  if (!s.putOffPosted && s.messageWindow != nullptr) {
    s.putOffPosted = PostMessageW(s.messageWindow, kRunPutOff, 0, 0) != 0;
  }
}

HWND ModalOwner() {
  HWND active = GetActiveWindow();
  return active != nullptr && IsWindowVisible(active) ? active : nullptr;
}

// The ProductName of the executable's version resource, read through
// version.dll loaded only for this, so that the program's imports stay few.
std::string ProgramName() {
  HMODULE version = LoadLibraryW(L"version.dll");
  if (version == nullptr) {
    return {};
  }
  using SizeFunction = DWORD(WINAPI*)(LPCWSTR, LPDWORD);
  using InfoFunction = BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID);
  using QueryFunction = BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT);
  const auto size = reinterpret_cast<SizeFunction>(
      reinterpret_cast<void (*)()>(GetProcAddress(version, "GetFileVersionInfoSizeW")));
  const auto info = reinterpret_cast<InfoFunction>(
      reinterpret_cast<void (*)()>(GetProcAddress(version, "GetFileVersionInfoW")));
  const auto query = reinterpret_cast<QueryFunction>(
      reinterpret_cast<void (*)()>(GetProcAddress(version, "VerQueryValueW")));
  std::wstring name;
  wchar_t exe[MAX_PATH] = {};
  DWORD ignored = 0;
  if (size && info && query && GetModuleFileNameW(nullptr, exe, MAX_PATH) > 0) {
    std::vector<char> block(size(exe, &ignored));
    wchar_t* value = nullptr;
    UINT length = 0;
    if (!block.empty() && info(exe, 0, static_cast<DWORD>(block.size()), block.data()) &&
        query(block.data(), L"\\StringFileInfo\\040904B0\\ProductName",
              reinterpret_cast<LPVOID*>(&value), &length) &&
        length > 0) {
      name.assign(value, length - 1);
    }
  }
  FreeLibrary(version);
  return Utf8(name);
}

std::wstring DialogTitle() {
  return Wide(BoxTitle());
}

void RuntimeInit(void* /*instance*/, void* /*previousInstance*/,
                 const std::wstring& /*commandTail*/, int /*showMode*/) {
  RuntimeState& s = State();
  // The manifest asks for per-monitor DPI awareness; asking again covers a
  // loader that ignored it.
  SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  if (!s.comStarted) {
    // Pictures (WIC) and the open-file dialog need COM.
    s.comStarted = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  }
  RegisterClasses();
  if (s.messageWindow == nullptr) {
    s.messageWindow = CreateWindowExW(0, L"QuillFrameworkRuntime", L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                      nullptr, ModuleInstance(), nullptr);
  }
}

void PostToEventLoop(std::function<void()> work) {
  PutOff(std::move(work));
}

void EndPostedWork() {
  State().putOff.clear();
}

int RuntimeExit() {
  RuntimeState& s = State();
  if (s.messageWindow != nullptr) {
    DestroyWindow(s.messageWindow);
    s.messageWindow = nullptr;
  }
  if (s.comStarted) {
    CoUninitialize();
    s.comStarted = false;
  }
  return RunExitCode();
}

void ShowExceptionReport(const ExceptionReport& report) {
  // The message leads; the exception's class follows as a detail.
  const std::string text = report.message + "\n\nDetail: " + report.className;
  const std::wstring title = DialogTitle();
  MessageBoxW(ModalOwner(), Wide(text).c_str(), title.c_str(),
              MB_OK | MB_ICONWARNING | MB_TASKMODAL);
}

std::optional<int> RunEventLoop() {
  // Quit set the exit code before it posted the quit message.
  MSG msg;
  for (;;) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      break;
    }
    if (PreTranslate(msg)) {
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return std::nullopt;
}

void ExitEventLoop(int exitCode) {
  PostQuitMessage(exitCode);
}

void DispatchNonInputEvents() {
  // Bounded: a window that never validates itself must not hold the loop.
  MSG msg;
  for (int i = 0; i < 64 && PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE); ++i) {
    DispatchMessageW(&msg);
  }
  for (int i = 0; i < 64 && PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i) {
    DispatchMessageW(&msg);
  }
}

}  // namespace fw
