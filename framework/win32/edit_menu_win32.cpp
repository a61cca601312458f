// Editing commands on Win32 text controls, from the Edit menu or from the
// context menu a right-click opens in a text area.

#include "win32/win32.h"

namespace fw {

void PerformEdit(HWND control, EditAction action) {
  switch (action) {
    case EditAction::Undo:
      SendMessageW(control, WM_UNDO, 0, 0);
      break;
    case EditAction::Cut:
      SendMessageW(control, WM_CUT, 0, 0);
      break;
    case EditAction::Copy:
      SendMessageW(control, WM_COPY, 0, 0);
      break;
    case EditAction::Paste:
      SendMessageW(control, WM_PASTE, 0, 0);
      break;
    case EditAction::Delete:
      SendMessageW(control, WM_CLEAR, 0, 0);
      break;
    case EditAction::SelectAll:
      SendMessageW(control, EM_SETSEL, 0, -1);
      break;
  }
}

namespace {

EditState StateOf(HWND control) {
  DWORD start = 0, end = 0;
  SendMessageW(control, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  return {
      .readOnly = (GetWindowLongPtrW(control, GWL_STYLE) & ES_READONLY) != 0,
      .canUndo = SendMessageW(control, EM_CANUNDO, 0, 0) != 0,
      .hasSelection = start != end,
      .canPaste = IsClipboardFormatAvailable(CF_UNICODETEXT) != 0,
      .hasText = GetWindowTextLengthW(control) > 0,
  };
}

}  // namespace

void ShowEditMenu(HWND control, LPARAM position) {
  if (GetFocus() != control) {
    SetFocus(control);
  }
  POINT at{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
  if (at.x == -1 && at.y == -1) {
    // From the keyboard: at the caret, or the control's corner.
    at = {};
    GetCaretPos(&at);
    ClientToScreen(control, &at);
  }
  HMENU menu = CreatePopupMenu();
  const std::vector<EditEntry> entries = ContextMenuEntries(StateOf(control));
  for (size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].separatorBefore) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    }
    AppendMenuW(menu, MF_STRING | (entries[i].enabled ? MF_ENABLED : MF_GRAYED), i + 1,
                Wide(entries[i].caption).c_str());
  }
  const auto chosen = static_cast<size_t>(TrackPopupMenu(
      menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, control, nullptr));
  DestroyMenu(menu);
  if (chosen >= 1 && chosen <= entries.size()) {
    PerformEdit(control, entries[chosen - 1].action);
  }
}

}  // namespace fw
