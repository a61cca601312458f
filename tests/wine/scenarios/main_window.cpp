#include "main_window.h"

#include "check.h"

namespace desktop {

HWND WaitForSplash(const Program& program) {
  return program.WaitForWindow(L"");
}

MainWindow HandOver(const Program& program) {
  WaitForSplash(program);
  Key(VK_SPACE);
  const HWND main = program.WaitForWindow(L"Quillmere");
  if (!WaitUntil([&] { return GetForegroundWindow() == main; })) {
    throw Stop("the main window did not come to the front; in front: " +
               Describe(GetForegroundWindow()));
  }
  return {main};
}

std::wstring LoadFile(const Program& program, const MainWindow& main, const std::wstring& path) {
  main.Press(L"Load Data");
  const HWND dialog = program.WaitForFileDialog();
  constexpr int kFileTypeList = 0x470;  // cmb1 of the common dialog
  const std::wstring fileType = TextOf(GetDlgItem(dialog, kFileTypeList));
  // The paste goes where the keyboard focus is: the dialog must be in front
  // with its file name field focused.
  const auto focusedField = [&] {
    const HWND focus = FocusIn(dialog);
    return GetForegroundWindow() == dialog && focus != nullptr && IsChild(dialog, focus) &&
           ClassOf(focus) == L"Edit";
  };
  if (!WaitUntil(focusedField)) {
    throw Stop("the open-file dialog's file name field did not take the focus; in front: " +
               Describe(GetForegroundWindow()));
  }
  SetClipboard(path);
  Chord({VK_CONTROL}, 'V');
  Key(VK_RETURN);
  if (!WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); })) {
    throw Stop("the open-file dialog stayed after Return; " + program.Seen());
  }
  return fileType;
}

std::wstring WaitForText(HWND control, const std::wstring& expected,
                         std::chrono::milliseconds timeout) {
  std::wstring text;
  WaitUntil([&] { return (text = TextOf(control)) == expected; }, timeout);
  return text;
}

void Quit(Program& program) {
  Chord({VK_CONTROL}, 'Q');
  const auto status = program.WaitForExit();
  CHECK(status.has_value());
  CHECK_EQ(static_cast<long long>(status.value_or(99)), 0LL);
}

}  // namespace desktop
