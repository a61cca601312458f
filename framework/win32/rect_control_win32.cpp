// What every control shares on Win32: events, geometry, focus, fonts and
// colours.

#include "framework/controls.h"
#include "framework/window.h"
#include "win32/win32.h"

namespace fw {

namespace {
constexpr wchar_t kControlProperty[] = L"QuillFrameworkControl";
}  // namespace

RectControl::Peer::~Peer() {
  if (hwnd != nullptr && IsWindow(hwnd)) {
    RemovePropW(hwnd, kControlProperty);
    DestroyWindow(hwnd);
  }
  if (font != nullptr) {
    DeleteObject(font);
  }
  if (background != nullptr) {
    DeleteObject(background);
  }
}

void RectControl::Peer::SetFont(HFONT newFont) {
  if (hwnd != nullptr) {
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(newFont), TRUE);
  }
  if (font != nullptr) {
    DeleteObject(font);
  }
  font = newFont;
}

RectControl* ControlOf(HWND hwnd) {
  return hwnd != nullptr ? static_cast<RectControl*>(GetPropW(hwnd, kControlProperty)) : nullptr;
}

void Attach(HWND hwnd, RectControl* control) {
  SetPropW(hwnd, kControlProperty, control);
}

void MakeChild(RectControl& control, RectControl::Peer& peer, const wchar_t* className, DWORD style,
               DWORD exStyle) {
  Window* window = control.OwnerWindow();
  HWND parent = window != nullptr ? window->PlatformPeer().hwnd : nullptr;
  if (parent == nullptr) {
    throw NilObjectException("A control needs its window before it is constructed");
  }
  HWND hwnd =
      CreateWindowExW(exStyle, className, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, 0,
                      0, 0, 0, parent, nullptr, ModuleInstance(), nullptr);
  if (hwnd == nullptr) {
    throw RuntimeException("The control could not be made");
  }
  Attach(hwnd, &control);
  peer.hwnd = hwnd;
  peer.SetFont(MakeFont(FontSpec{}, DpiOf(hwnd)));
}

void RectControl::PeerDeleter::operator()(Peer* peer) const {
  delete peer;
}

void NativeControlMade(RectControl& control) {
  PlaceControl(control);
}

void RectControl::SetBounds(const Rect& bounds) {
  bounds_ = bounds;
  if (peer_ && peer_->hwnd) {
    PlaceControl(*this);
    Relayout();
  }
}

bool RectControl::Visible() const {
  return peer_ && peer_->hwnd && (GetWindowLongPtrW(peer_->hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

void RectControl::SetVisible(bool visible) {
  if (peer_ && peer_->hwnd) {
    ShowWindow(peer_->hwnd, visible ? SW_SHOWNA : SW_HIDE);
  }
}

bool RectControl::Enabled() const {
  return peer_ && peer_->hwnd && IsWindowEnabled(peer_->hwnd);
}

void RectControl::SetEnabled(bool enabled) {
  if (peer_ && peer_->hwnd) {
    EnableWindow(peer_->hwnd, enabled);
  }
}

void RectControl::SetFocus() {
  if (peer_ && peer_->hwnd) {
    ::SetFocus(peer_->hwnd);
  }
}

bool RectControl::HasFocus() const {
  return peer_ && peer_->hwnd && GetFocus() == peer_->hwnd;
}

void RectControl::SetTabIndex(int64_t index) {
  tabIndex_ = index;
}

void RectControl::SetTabStop(bool tabStop) {
  tabStop_ = tabStop;
}

// Tooltips are not shown on this platform: the program sets none.
void RectControl::SetTooltip(const std::string& /*text*/) {}

void TextControl::ApplyFont() {
  if (peer_ && peer_->hwnd) {
    peer_->SetFont(MakeFont(font_, DpiOf(peer_->hwnd)));
    Relayout();
  }
}

void TextControl::ApplyColors() {
  if (!peer_ || !peer_->hwnd) {
    return;
  }
  peer_->textColor = ToColorRef(textColor_);
  if (hasBackgroundColor_) {
    if (peer_->background != nullptr) {
      DeleteObject(peer_->background);
    }
    peer_->backgroundColor = ToColorRef(backgroundColor_);
    peer_->background = CreateSolidBrush(peer_->backgroundColor);
  }
  InvalidateRect(peer_->hwnd, nullptr, TRUE);
}

}  // namespace fw
