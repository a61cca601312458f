// Single-line text fields on Win32: an EDIT control whose keys pass the
// field's KeyDown first, and whose typed and pasted text passes the field's
// input rules.

#include <optional>
#include <string>

#include "framework/controls.h"
#include "src/gui/field_input.h"
#include "win32/win32.h"

namespace fw {
namespace {

struct FieldPeer : RectControl::Peer {
  std::wstring mask;
  std::wstring hint;
};

FieldPeer* PeerOf(const RectControl::Peer* peer) {
  return static_cast<FieldPeer*>(const_cast<RectControl::Peer*>(peer));
}

DWORD AlignmentStyle(TextAlignment alignment) {
  return alignment == TextAlignment::Center  ? ES_CENTER
         : alignment == TextAlignment::Right ? ES_RIGHT
                                             : ES_LEFT;
}

std::wstring WindowText(HWND hwnd) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::u16string U16(std::wstring_view text) {
  return {text.begin(), text.end()};
}

// The text on the clipboard as a single-line edit control pastes it: up to
// the first line break. Nothing when the clipboard holds no text.
std::optional<std::wstring> PastedText(HWND hwnd) {
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(hwnd)) {
    return std::nullopt;
  }
  std::optional<std::wstring> text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      const std::wstring_view all(chars);
      text = std::wstring(all.substr(0, all.find_first_of(L"\r\n")));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

// What the field takes of `inserted` in place of its selection, by its
// mask and length limit; nothing when it refuses it.
std::optional<std::u16string> Admitted(HWND hwnd, const FieldPeer& peer,
                                       std::wstring_view inserted) {
  DWORD start = 0, end = 0;
  SendMessageW(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const auto limit = static_cast<size_t>(SendMessageW(hwnd, EM_GETLIMITTEXT, 0, 0));
  return AdmittedInsertion(U16(peer.mask), limit, U16(WindowText(hwnd)), start, end, U16(inserted));
}

LRESULT CALLBACK FieldProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR data) {
  auto* field = reinterpret_cast<TextField*>(data);
  if (message == WM_GETOBJECT) {
    if (const std::optional<LRESULT> answer =
            AnswerGetObject(hwnd, field->PlatformPeer(), wParam, lParam)) {
      return *answer;
    }
  } else if (message == WM_KEYDOWN) {
    if (RaiseControlKeyDown(*field, KeyDownCode(wParam))) {
      return 0;  // the handler kept the key out of the field
    }
  } else if (message == WM_CHAR) {
    const auto c = static_cast<wchar_t>(wParam);
    if (RaiseControlKeyDown(*field, Utf8(std::wstring_view(&c, 1)))) {
      return 0;
    }
    const FieldPeer* peer = PeerOf(field->PlatformPeer());
    if (peer != nullptr && c >= L' ' && !Admitted(hwnd, *peer, std::wstring_view(&c, 1))) {
      return 0;
    }
  } else if (message == WM_PASTE) {
    // Ctrl+V, the context menu and the Edit menu all paste through here.
    const FieldPeer* peer = PeerOf(field->PlatformPeer());
    const bool readOnly = (GetWindowLongPtrW(hwnd, GWL_STYLE) & ES_READONLY) != 0;
    if (peer == nullptr || readOnly) {
      return DefSubclassProc(hwnd, message, wParam, lParam);
    }
    if (const std::optional<std::wstring> pasted = PastedText(hwnd)) {
      if (const std::optional<std::u16string> admitted = Admitted(hwnd, *peer, *pasted)) {
        const std::wstring text(admitted->begin(), admitted->end());
        SendMessageW(hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
      }
    }
    return 0;
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

RectControl::PeerPtr TextField::MakePeer() {
  auto peer = std::make_unique<FieldPeer>();
  MakeChild(*this, *peer, L"Edit", WS_TABSTOP | ES_AUTOHSCROLL | AlignmentStyle(alignment_),
            WS_EX_CLIENTEDGE);
  SetWindowSubclass(peer->hwnd, &FieldProc, 1, reinterpret_cast<DWORD_PTR>(this));
  peer->dpiChanged = [this] { ApplyFont(); };
  return peer;
}

std::string TextField::Text() const {
  return PlatformPeer() && PlatformPeer()->hwnd ? Utf8(WindowText(PlatformPeer()->hwnd))
                                                : std::string();
}

void TextField::SetText(const std::string& text) {
  if (PlatformPeer() && PlatformPeer()->hwnd) {
    SetWindowTextW(PlatformPeer()->hwnd, Wide(text).c_str());
  }
}

void TextField::SetMaximumCharactersAllowed(int64_t count) {
  if (PlatformPeer() && PlatformPeer()->hwnd) {
    SendMessageW(PlatformPeer()->hwnd, EM_SETLIMITTEXT,
                 count > 0 ? static_cast<WPARAM>(std::min<int64_t>(count, 32767)) : 32767, 0);
  }
}

void TextField::SetValidationMask(const std::string& mask) {
  if (FieldPeer* peer = PeerOf(PlatformPeer())) {
    peer->mask = Wide(mask);
  }
}

void TextField::SetReadOnly(bool readOnly) {
  if (PlatformPeer() && PlatformPeer()->hwnd) {
    SendMessageW(PlatformPeer()->hwnd, EM_SETREADONLY, readOnly, 0);
  }
}

void TextField::SetPassword(bool password) {
  if (PlatformPeer() && PlatformPeer()->hwnd) {
    SendMessageW(PlatformPeer()->hwnd, EM_SETPASSWORDCHAR, password ? L'\x25CF' : 0, 0);
    InvalidateRect(PlatformPeer()->hwnd, nullptr, TRUE);
  }
}

void TextField::SetHint(const std::string& hint) {
  if (FieldPeer* peer = PeerOf(PlatformPeer()); peer && peer->hwnd) {
    peer->hint = Wide(hint);
    SendMessageW(peer->hwnd, EM_SETCUEBANNER, FALSE, reinterpret_cast<LPARAM>(peer->hint.c_str()));
  }
}

void TextField::SetHasBorder(bool border) {
  if (PlatformPeer() && PlatformPeer()->hwnd) {
    HWND hwnd = PlatformPeer()->hwnd;
    auto ex = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    ex = border ? (ex | WS_EX_CLIENTEDGE) : (ex & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE));
    SetWindowLongPtrW(hwnd, GWL_EXSTYLE, ex);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
}

// An edit control takes its alignment only when it is made: a field whose
// alignment changes is made anew in its place, with all it held.
void TextField::ApplyAlignment() {
  FieldPeer* old = PeerOf(PlatformPeer());
  if (old == nullptr || old->hwnd == nullptr) {
    return;
  }
  HWND was = old->hwnd;
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(was, GWL_STYLE));
  if ((style & (ES_CENTER | ES_RIGHT)) == AlignmentStyle(alignment_)) {
    return;
  }
  const std::wstring text = WindowText(was);
  const auto limit = static_cast<WPARAM>(SendMessageW(was, EM_GETLIMITTEXT, 0, 0));
  const auto passwordChar = static_cast<WPARAM>(SendMessageW(was, EM_GETPASSWORDCHAR, 0, 0));
  const bool border = (GetWindowLongPtrW(was, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0;
  const bool focused = GetFocus() == was;
  PeerPtr previous = std::move(peer_);
  peer_ = MakePeer();
  auto* fresh = PeerOf(peer_.get());
  fresh->mask = old->mask;
  fresh->hint = old->hint;
  fresh->accessibleName = old->accessibleName;
  HWND hwnd = fresh->hwnd;
  // The same place among its siblings: painting order and what lies over it.
  SetWindowPos(hwnd, was, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  previous.reset();
  SetWindowTextW(hwnd, text.c_str());
  SendMessageW(hwnd, EM_SETLIMITTEXT, limit, 0);
  SendMessageW(hwnd, EM_SETPASSWORDCHAR, passwordChar, 0);
  SendMessageW(hwnd, EM_SETREADONLY, (style & ES_READONLY) != 0, 0);
  SendMessageW(hwnd, EM_SETCUEBANNER, FALSE, reinterpret_cast<LPARAM>(fresh->hint.c_str()));
  SetHasBorder(border);
  EnableWindow(hwnd, (style & WS_DISABLED) == 0);
  ShowWindow(hwnd, (style & WS_VISIBLE) != 0 ? SW_SHOWNA : SW_HIDE);
  SetBounds(bounds_);
  ApplyFont();
  ApplyColors();
  if (focused) {
    ::SetFocus(hwnd);
  }
}

}  // namespace fw
