// Labels and push buttons on Win32. A one-line label's font, and a button's,
// shrinks if need be until the text fits the box the layout gives it.

#include <algorithm>

#include "framework/controls.h"
#include "framework/window.h"
#include "win32/win32.h"

namespace fw {
namespace {

SIZE BoxOf(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  return {r.right, r.bottom};
}

// The part of the label's box that no other control covers from the right:
// a field placed over the end of a label's box would hide the end of its
// text, since labels lie beneath.
SIZE UncoveredBox(const Label& label) {
  SIZE box = BoxOf(label.PlatformPeer()->hwnd);
  const Window* window = label.OwnerWindow();
  if (window == nullptr) {
    return box;
  }
  const Rect b = label.Bounds();
  int64_t width = b.width;
  for (const Ref<Control>& c : window->Controls()) {
    const auto* other = dynamic_cast<const RectControl*>(c.get());
    if (other == nullptr || other == &label || dynamic_cast<const Label*>(other) != nullptr) {
      continue;
    }
    const Rect o = other->Bounds();
    const bool sameRows = o.top < b.top + b.height && b.top < o.top + o.height;
    if (sameRows && o.left > b.left && o.left < b.left + width) {
      width = o.left - b.left;
    }
  }
  box.cx = std::min<LONG>(box.cx, Scale(width, DpiOf(label.PlatformPeer()->hwnd)));
  return box;
}

void Refit(RectControl::Peer* peer, const FontSpec& font, const std::wstring& text, SIZE box,
           int padding) {
  const UINT dpi = DpiOf(peer->hwnd);
  peer->SetFont(MakeFittedFont(font, dpi, text, box, Scale(padding, dpi)));
}

}  // namespace

RectControl::PeerPtr Label::MakePeer() {
  auto peer = std::make_unique<RectControl::Peer>();
  MakeChild(*this, *peer, L"Static", SS_NOPREFIX | SS_LEFTNOWORDWRAP);
  // Beneath the other controls: a label's box may overlap a field's border,
  // and the field stays whole.
  SetWindowPos(peer->hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  peer->dpiChanged = [this] { Relayout(); };
  return peer;
}

void Label::SetText(const std::string& text) {
  text_ = text;
  if (PlatformPeer() && PlatformPeer()->hwnd) {
    SetWindowTextW(PlatformPeer()->hwnd, Wide(text).c_str());
    Relayout();
  }
}

void Label::SetMultiline(bool multiline) {
  multiline_ = multiline;
  ApplyAlignment();
  Relayout();
}

void Label::ApplyFont() {
  Relayout();
}

void Label::ApplyAlignment() {
  if (!PlatformPeer() || !PlatformPeer()->hwnd) {
    return;
  }
  HWND hwnd = PlatformPeer()->hwnd;
  LONG_PTR align = alignment_ == TextAlignment::Center  ? SS_CENTER
                   : alignment_ == TextAlignment::Right ? SS_RIGHT
                   : multiline_                         ? SS_LEFT
                                                        : SS_LEFTNOWORDWRAP;
  auto style = GetWindowLongPtrW(hwnd, GWL_STYLE) & ~static_cast<LONG_PTR>(SS_TYPEMASK);
  SetWindowLongPtrW(hwnd, GWL_STYLE, style | align);
  InvalidateRect(hwnd, nullptr, TRUE);
}

void Label::Relayout() {
  RectControl::Peer* peer = PlatformPeer();
  if (peer == nullptr || peer->hwnd == nullptr) {
    return;
  }
  if (multiline_) {
    peer->SetFont(MakeFont(font_, DpiOf(peer->hwnd)));
  } else {
    Refit(peer, font_, Wide(text_), UncoveredBox(*this), 0);
  }
}

RectControl::PeerPtr PushButton::MakePeer() {
  auto peer = std::make_unique<RectControl::Peer>();
  MakeChild(*this, *peer, L"Button", WS_TABSTOP | BS_PUSHBUTTON);
  peer->dpiChanged = [this] { Relayout(); };
  peer->command = [this](WORD code) {
    if (code == BN_CLICKED) {
      RaiseEvent(EventNumber::Action);
    }
  };
  return peer;
}

void PushButton::SetCaption(const std::string& caption) {
  caption_ = caption;
  if (PlatformPeer() && PlatformPeer()->hwnd) {
    SetWindowTextW(PlatformPeer()->hwnd, Wide(caption).c_str());
    Relayout();
  }
}

void PushButton::Relayout() {
  if (PlatformPeer() != nullptr && PlatformPeer()->hwnd != nullptr) {
    Refit(PlatformPeer(), font_, Wide(caption_), BoxOf(PlatformPeer()->hwnd), 12);
  }
}

}  // namespace fw
