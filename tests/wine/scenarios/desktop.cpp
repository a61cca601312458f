#include "desktop.h"

#include <richedit.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <thread>

namespace desktop {

namespace {

constexpr int kMessageBoxText = 0xFFFF;

DWORD ProcessOf(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  return pid;
}

std::vector<HWND> TopLevelWindowsOf(DWORD pid) {
  struct Search {
    DWORD pid;
    std::vector<HWND> found;
  } search{pid, {}};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        if (ProcessOf(window) == s->pid && IsWindowVisible(window)) {
          s->found.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool IsDialog(HWND window) {
  return ClassOf(window) == L"#32770";
}

bool IsMessageBox(HWND window) {
  return IsDialog(window) && GetDlgItem(window, kMessageBoxText) != nullptr;
}

void Send(std::vector<INPUT> inputs) {
  const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  if (sent != inputs.size()) {
    throw Stop("SendInput refused the input");
  }
  // Gives the program time to take it from its queue, as a person's pace would.
  Pause(std::chrono::milliseconds(30));
}

INPUT KeyInput(WORD virtualKey, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

// The middle of the window on the screen.
POINT Centre(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// The context menu's window while one shows (the system's menu class).
HWND OpenPopupMenu() {
  HWND popup = FindWindowW(L"#32768", nullptr);
  return popup != nullptr && IsWindowVisible(popup) ? popup : nullptr;
}

std::string Seconds(std::chrono::milliseconds time) {
  return std::to_string(time.count() / 1000) + " s";
}

void ButtonPress(bool up, bool right = false) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = right ? (up ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_RIGHTDOWN)
                           : (up ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN);
  Send({input});
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (condition()) {
      return true;
    }
    if (std::chrono::steady_clock::now() > end) {
      return false;
    }
    Pause(std::chrono::milliseconds(20));
  }
}

void Pause(std::chrono::milliseconds time) {
  std::this_thread::sleep_for(time);
}

// --- the program ---------------------------------------------------------------

PROCESS_INFORMATION StartProcess(const wchar_t* application, const std::wstring& commandLine,
                                 const wchar_t* folder) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  // Wine on a busy machine now and then refuses a start that it takes a
  // moment later (error 1359, an internal error): try again until the deadline.
  DWORD error = 0;
  const bool started = WaitUntil([&] {
    // CreateProcessW may write into the line it is given: each try gets a copy.
    std::wstring line = commandLine;
    if (CreateProcessW(application, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder,
                       &startup, &info)) {
      return true;
    }
    error = GetLastError();
    return false;
  });
  if (!started) {
    throw Stop("cannot start " + Utf8(commandLine) + " within " + Seconds(kPatience) +
               " (last error " + std::to_string(error) + ")");
  }
  return info;
}

Program::Program(const std::wstring& exe) {
  const std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/"));
  info_ = StartProcess(exe.c_str(), L"\"" + exe + L"\"", folder.c_str());
}

Program::~Program() {
  if (Running()) {
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

std::vector<HWND> Program::VisibleWindows() const {
  return TopLevelWindowsOf(info_.dwProcessId);
}

std::optional<HWND> Program::FindWindow(const std::wstring& title) const {
  for (HWND window : VisibleWindows()) {
    if (!IsDialog(window) && TextOf(window) == title) {
      return window;
    }
  }
  return std::nullopt;
}

HWND Program::WaitForWindow(const std::wstring& title, std::chrono::milliseconds timeout) const {
  std::optional<HWND> found;
  if (!WaitUntil([&] { return (found = FindWindow(title)).has_value(); }, timeout)) {
    throw Stop("no window \"" + Utf8(title) + "\" showed within " + Seconds(timeout) + "; " +
               Seen());
  }
  return *found;
}

std::optional<HWND> Program::FindMessageBox() const {
  for (HWND window : VisibleWindows()) {
    if (IsMessageBox(window)) {
      return window;
    }
  }
  return std::nullopt;
}

HWND Program::WaitForMessageBox(std::chrono::milliseconds timeout) const {
  std::optional<HWND> found;
  if (!WaitUntil([&] { return (found = FindMessageBox()).has_value(); }, timeout)) {
    throw Stop("no message box showed within " + Seconds(timeout) + "; " + Seen());
  }
  return *found;
}

HWND Program::WaitForFileDialog(std::chrono::milliseconds timeout) const {
  HWND found = nullptr;
  const bool shown = WaitUntil(
      [&] {
        for (HWND window : VisibleWindows()) {
          if (IsDialog(window) && !IsMessageBox(window)) {
            found = window;
            return true;
          }
        }
        return false;
      },
      timeout);
  if (!shown) {
    throw Stop("no open-file dialog showed within " + Seconds(timeout) + "; " + Seen());
  }
  return found;
}

void Program::WaitUntilResponsive(std::chrono::milliseconds timeout) const {
  for (HWND window : VisibleWindows()) {
    if (!Ask(window, WM_NULL, 0, 0, timeout) && IsWindow(window)) {
      throw Stop("the program's window " + Describe(window) + " did not answer within " +
                 Seconds(timeout) + "; " + Seen());
    }
  }
}

bool Program::Running() const {
  return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Program::WaitForExit(std::chrono::milliseconds timeout) {
  if (WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD status = 0;
  GetExitCodeProcess(info_.hProcess, &status);
  return status;
}

std::string Program::Seen() const {
  std::string seen = "the program runs";
  if (!Running()) {
    DWORD status = 0;
    GetExitCodeProcess(info_.hProcess, &status);
    seen = "the program ended with status ";
    seen += std::to_string(status);
  }
  seen += ", its visible windows:";
  const std::vector<HWND> windows = VisibleWindows();
  for (HWND window : windows) {
    seen += ' ';
    seen += Describe(window);
  }
  if (windows.empty()) {
    seen += " none";
  }
  return seen;
}

// --- reading back --------------------------------------------------------------

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

HWND FocusIn(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

std::string Describe(HWND window) {
  if (!IsWindow(window)) {
    return "(a window that is gone)";
  }
  // The caption as the window manager keeps it: asks the window nothing, so
  // it answers even for a window that is busy.
  wchar_t caption[256] = {};
  GetWindowTextW(window, caption, 256);
  return Utf8(ClassOf(window)) + " \"" + Utf8(caption) + "\"";
}

std::optional<DWORD_PTR> Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                             std::chrono::milliseconds timeout) {
  // One try gives up as soon as Wine deems the window hung, which a loaded
  // machine makes of any window for a while; so each try is short, and
  // they go on until the deadline.
  std::optional<DWORD_PTR> answer;
  WaitUntil(
      [&] {
        DWORD_PTR result = 0;
        if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &result)) {
          answer = result;
        }
        return answer.has_value() || !IsWindow(window);
      },
      timeout);
  return answer;
}

std::wstring TextOf(HWND window) {
  const auto length = Ask(window, WM_GETTEXTLENGTH);
  std::wstring text(length.value_or(0) + 1, L'\0');
  const auto copied =
      length ? Ask(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))
             : std::nullopt;
  if (!copied) {
    throw Stop("the window " + Describe(window) + " did not answer " +
               (length ? "WM_GETTEXT" : "WM_GETTEXTLENGTH") + " within " + Seconds(kPatience));
  }
  text.resize(*copied);
  return text;
}

std::wstring MessageBoxText(HWND box) {
  return TextOf(GetDlgItem(box, kMessageBoxText));
}

SIZE ClientSize(HWND window) {
  RECT rect{};
  GetClientRect(window, &rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

HWND ControlAt(HWND window, int left, int top, double scale) {
  const long x = std::lround(left * scale);
  const long y = std::lround(top * scale);
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    if (std::labs(rect.left - x) <= 2 && std::labs(rect.top - y) <= 2) {
      return child;
    }
  }
  throw Stop("no control at " + std::to_string(left) + ", " + std::to_string(top));
}

HWND Button(HWND window, const std::wstring& caption) {
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (IsWindowVisible(child) && ClassOf(child) == L"Button" && TextOf(child) == caption) {
      return child;
    }
  }
  throw Stop("no button \"" + Utf8(caption) + "\"");
}

// --- input -----------------------------------------------------------------------

void Key(WORD virtualKey) {
  Send({KeyInput(virtualKey, false), KeyInput(virtualKey, true)});
}

void Chord(std::initializer_list<WORD> modifiers, WORD virtualKey) {
  std::vector<INPUT> inputs;
  for (WORD modifier : modifiers) {
    inputs.push_back(KeyInput(modifier, false));
  }
  inputs.push_back(KeyInput(virtualKey, false));
  inputs.push_back(KeyInput(virtualKey, true));
  for (auto modifier = std::rbegin(modifiers); modifier != std::rend(modifiers); ++modifier) {
    inputs.push_back(KeyInput(*modifier, true));
  }
  Send(inputs);
}

// Keys of the keyboard where it has them, so that a key filter sees real key
// presses; anything else as the Unicode packets an input method sends.
void Type(std::wstring_view text) {
  for (wchar_t c : text) {
    const SHORT mapped = c < 0x80 ? VkKeyScanW(c) : -1;
    if (mapped != -1 && c != L'\r' && c != L'\n') {
      const WORD virtualKey = LOBYTE(mapped);
      if (HIBYTE(mapped) & 1) {
        Chord({VK_SHIFT}, virtualKey);
      } else {
        Key(virtualKey);
      }
    } else if (c == L'\n') {
      Key(VK_RETURN);
    } else if (c != L'\r') {
      INPUT input[2] = {};
      for (int k = 0; k < 2; ++k) {
        input[k].type = INPUT_KEYBOARD;
        input[k].ki.wScan = c;
        input[k].ki.dwFlags = KEYEVENTF_UNICODE | (k ? KEYEVENTF_KEYUP : 0);
      }
      Send({input[0], input[1]});
    }
  }
}

void ClickAt(POINT screen, bool right) {
  // Moved there as a mouse moves: absolute coordinates on the primary screen.
  INPUT move{};
  move.type = INPUT_MOUSE;
  move.mi.dx = MulDiv(screen.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
  move.mi.dy = MulDiv(screen.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
  move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  Send({move});
  POINT at{};
  GetCursorPos(&at);
  if (at.x != screen.x || at.y != screen.y) {
    SetCursorPos(screen.x, screen.y);
  }
  ButtonPress(false, right);
  ButtonPress(true, right);
}

void Click(HWND window) {
  ClickAt(Centre(window));
}

void RightClick(HWND window) {
  ClickAt(Centre(window), true);
}

HWND WaitForPopupMenu() {
  HWND popup = nullptr;
  if (!WaitUntil([&] { return (popup = OpenPopupMenu()) != nullptr; })) {
    throw Stop("no context menu opened within " + Seconds(kPatience) +
               "; in front: " + Describe(GetForegroundWindow()));
  }
  return popup;
}

void ChooseFromPopupMenu(wchar_t accessKey) {
  Key(static_cast<WORD>(accessKey));
  WaitUntil([] { return OpenPopupMenu() == nullptr; });
}

void ClickCloseBox(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  const auto isCloseBox = [&](long x, long y) {
    return Ask(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == DWORD_PTR{HTCLOSE};
  };
  // The window tells where its close box is; the click goes to its middle.
  long left = LONG_MAX, right = LONG_MIN, top = LONG_MAX, bottom = LONG_MIN;
  for (long y = rect.top; y < rect.top + 80; ++y) {
    for (long x = rect.right - 1; x > rect.right - 160; --x) {
      if (isCloseBox(x, y)) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
    }
  }
  if (left > right) {
    throw Stop("no close box found on " + Describe(window));
  }
  ClickAt({(left + right) / 2, (top + bottom) / 2});
}

void ChooseMenu(HWND window, const std::vector<std::wstring>& menuBar, const std::wstring& menu,
                const std::vector<std::wstring>& items, const std::wstring& item) {
  const auto menuAt = std::find(menuBar.begin(), menuBar.end(), menu);
  const auto itemAt = std::find(items.begin(), items.end(), item);
  if (menuAt == menuBar.end() || itemAt == items.end()) {
    throw Stop("no menu entry " + Utf8(menu) + " > " + Utf8(item));
  }
  if (!WaitUntil([&] { return GetForegroundWindow() == window; })) {
    throw Stop("the window to choose from, " + Describe(window) + ", did not come to the front " +
               "within " + Seconds(kPatience) + "; in front: " + Describe(GetForegroundWindow()));
  }
  Key(VK_MENU);
  for (auto k = menuBar.begin(); k != menuAt; ++k) {
    Key(VK_RIGHT);
  }
  Key(VK_DOWN);
  for (auto k = items.begin(); k != itemAt; ++k) {
    Key(VK_DOWN);
  }
  Key(VK_RETURN);
}

void ReplaceByPaste(HWND field, std::wstring_view text) {
  SetClipboard(text);
  Click(field);
  Chord({VK_CONTROL}, VK_HOME);
  Chord({VK_CONTROL, VK_SHIFT}, VK_END);
  Key(VK_DELETE);
  Chord({VK_CONTROL}, 'V');
}

void ReplaceByTyping(HWND field, std::wstring_view text) {
  Click(field);
  Chord({VK_CONTROL}, VK_HOME);
  Chord({VK_CONTROL, VK_SHIFT}, VK_END);
  Key(VK_DELETE);
  Type(text);
}

void SetClipboard(std::wstring_view text) {
  if (!WaitUntil([] { return OpenClipboard(nullptr) != 0; })) {
    throw Stop("cannot open the clipboard within " + Seconds(kPatience));
  }
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  auto* target = static_cast<wchar_t*>(GlobalLock(memory));
  std::copy(text.begin(), text.end(), target);
  target[text.size()] = L'\0';
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
}

std::wstring Clipboard() {
  if (!WaitUntil([] { return OpenClipboard(nullptr) != 0; })) {
    throw Stop("cannot open the clipboard within " + Seconds(kPatience));
  }
  std::wstring text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const wchar_t*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

bool SelectionIsBold(HANDLE process, HWND richEdit) {
  CHARFORMAT2W format{};
  format.cbSize = sizeof format;
  void* remote = VirtualAllocEx(process, nullptr, sizeof format, MEM_COMMIT, PAGE_READWRITE);
  if (!remote) {
    throw Stop("cannot reach the program's memory");
  }
  WriteProcessMemory(process, remote, &format, sizeof format, nullptr);
  const bool answered =
      Ask(richEdit, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(remote)).has_value();
  ReadProcessMemory(process, remote, &format, sizeof format, nullptr);
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  if (!answered) {
    throw Stop("the rich-edit control did not answer EM_GETCHARFORMAT within " +
               Seconds(kPatience));
  }
  return (format.dwMask & CFM_BOLD) && (format.dwEffects & CFE_BOLD);
}

}  // namespace desktop
