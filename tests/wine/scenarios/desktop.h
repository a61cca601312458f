#pragma once
// What the scenario tests do to the program under test, as a user at the
// desktop would: start it, find its windows, click, type, paste, choose from
// menus; and what they read back: window texts, message boxes, the exit status.

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "framework/wide_text.h"

namespace desktop {

// A scenario step that cannot go on; the runner reports it as a failure.
struct Stop : std::runtime_error {
  using std::runtime_error::runtime_error;
};

using fw::Utf8;
using fw::Wide;

// How long a wait goes on before it gives up: long, as a machine busy with
// other builds may keep the program or Wine from running for many seconds.
// A passing test never waits it out.
inline constexpr std::chrono::milliseconds kPatience = std::chrono::seconds(30);

// Polls until the condition holds; false after the time-out.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = kPatience);
void Pause(std::chrono::milliseconds time);

// Starts a process, trying again while Wine refuses to, until the deadline.
PROCESS_INFORMATION StartProcess(const wchar_t* application, const std::wstring& commandLine,
                                 const wchar_t* folder);

// The program under test, started from its executable with the executable's
// folder as its working folder. Ends it if it is still running when this goes.
class Program {
 public:
  explicit Program(const std::wstring& exe);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Its visible top-level windows, message boxes and dialogs included.
  std::vector<HWND> VisibleWindows() const;
  // The visible top-level window of that title that is no dialog; waits for it.
  HWND WaitForWindow(const std::wstring& title,
                     std::chrono::milliseconds timeout = kPatience) const;
  std::optional<HWND> FindWindow(const std::wstring& title) const;
  // A visible message box (its text in the static control 0xFFFF).
  std::optional<HWND> FindMessageBox() const;
  HWND WaitForMessageBox(std::chrono::milliseconds timeout = kPatience) const;
  // A visible dialog that is no message box: the open-file dialog.
  HWND WaitForFileDialog(std::chrono::milliseconds timeout = kPatience) const;

  // Waits until every window of the program answers again, as a user waits
  // for a program that is busy before going on.
  void WaitUntilResponsive(std::chrono::milliseconds timeout = kPatience) const;

  bool Running() const;
  // The exit status once the process has ended; nothing after the time-out.
  std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout = kPatience);
  // What a failure message tells of the program: whether it runs, and its
  // visible windows.
  std::string Seen() const;

  HANDLE Process() const { return info_.hProcess; }

 private:
  PROCESS_INFORMATION info_{};
};

std::wstring ClassOf(HWND window);
// The window's class and caption, for a failure message.
std::string Describe(HWND window);
// The message's answer from a window of another process, asked again while
// the window is busy; nothing if it has not answered by the deadline.
std::optional<DWORD_PTR> Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                             std::chrono::milliseconds timeout = kPatience);
// The text through WM_GETTEXT, as another process must ask for it.
std::wstring TextOf(HWND window);
// The message box's own text.
std::wstring MessageBoxText(HWND box);
// Client size in pixels.
SIZE ClientSize(HWND window);
// The control that has the keyboard focus in the window's thread, or null.
HWND FocusIn(HWND window);

// The direct child of the window whose top-left corner, in the window's
// client coordinates, is at (left, top) of the layout times scale.
HWND ControlAt(HWND window, int left, int top, double scale = 1.0);
// The visible child button with this caption.
HWND Button(HWND window, const std::wstring& caption);

// Input, through SendInput, to whatever window has the focus.
void Key(WORD virtualKey);
void Chord(std::initializer_list<WORD> modifiers, WORD virtualKey);
void Type(std::wstring_view text);
// A left click at the centre of the window, or at a point of the screen.
void Click(HWND window);
void ClickAt(POINT screen, bool right = false);
void RightClick(HWND window);
// The context menu's window once it shows. (Under Wine another process
// cannot read a menu's entries.)
HWND WaitForPopupMenu();
// Chooses the entry of the open context menu by its access key; waits until
// the menu has gone.
void ChooseFromPopupMenu(wchar_t accessKey);
// Clicks the window's close box.
void ClickCloseBox(HWND window);
// Menu bar, then each entry by its caption, by keyboard as a user without a
// mouse does: Alt opens the bar, arrows move, Return chooses.
void ChooseMenu(HWND window, const std::vector<std::wstring>& menuBar, const std::wstring& menu,
                const std::vector<std::wstring>& items, const std::wstring& item);
// The field emptied and the text pasted into it through the clipboard.
void ReplaceByPaste(HWND field, std::wstring_view text);
// The field emptied and the text typed into it key by key.
void ReplaceByTyping(HWND field, std::wstring_view text);
void SetClipboard(std::wstring_view text);
std::wstring Clipboard();

// Whether all of the selected text of the rich-edit control is bold, read
// through the control's own EM_GETCHARFORMAT in the program's memory.
bool SelectionIsBold(HANDLE process, HWND richEdit);

}  // namespace desktop
