// Text areas on Win32: a RichEdit control. The framework's text uses CR LF
// line ends and counts a CR LF as two characters; the control holds
// paragraphs ending in one CR. The text is cached between edits, and what a
// command sets reaches the control once, when the command is done: a results
// field growing line by line costs one edit of the control, which under
// RichEdit costs milliseconds a line, and is one step for Undo.

#include <algorithm>
#include <utility>

#include "framework/controls.h"
#include "framework/text.h"
#include "src/gui/text_lines.h"
#include "win32/win32.h"

namespace fw {

struct TextArea::TextCache {
  std::string text;
  bool valid = false;
  // Text that the control does not hold yet: a command that adds line after
  // line updates the control once, when it has finished. Added at the end,
  // or, when `replaces`, the control's whole new text.
  std::wstring pending;
  bool replaces = false;
};

namespace {

struct AreaPeer : RectControl::Peer {
  bool allowTabs = false;
};

AreaPeer* PeerOf(const RectControl::Peer* peer) {
  return static_cast<AreaPeer*>(const_cast<RectControl::Peer*>(peer));
}

HWND Handle(const RectControl::Peer* peer) {
  return peer != nullptr ? peer->hwnd : nullptr;
}

// Past the end of any text: the control takes it as the end.
constexpr LONG kEnd = 0x7FFFFFFF;

LONG ControlLength(HWND hwnd) {
  GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_PRECISE, 1200};
  return static_cast<LONG>(
      SendMessageW(hwnd, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0));
}

std::string ControlText(HWND hwnd) {
  GETTEXTLENGTHEX length{GTL_USECRLF | GTL_NUMCHARS | GTL_PRECISE, 1200};
  const auto units = static_cast<size_t>(
      SendMessageW(hwnd, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0));
  std::wstring text(units + 1, L'\0');
  GETTEXTEX get{};
  get.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  get.flags = GT_USECRLF;
  get.codepage = 1200;
  const auto got = static_cast<size_t>(SendMessageW(
      hwnd, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(text.data())));
  text.resize(std::min(got, units));
  return Utf8(text);
}

// Runs `body` on the range [from, to) of the control's text, the user's
// selection and scroll position left as they were.
template <class F>
void WithSelection(HWND hwnd, LONG from, LONG to, F body) {
  CHARRANGE saved{};
  SendMessageW(hwnd, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&saved));
  POINT scroll{};
  SendMessageW(hwnd, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
  SendMessageW(hwnd, EM_HIDESELECTION, TRUE, 0);
  CHARRANGE range{from, to};
  SendMessageW(hwnd, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  body();
  SendMessageW(hwnd, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&saved));
  SendMessageW(hwnd, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
  SendMessageW(hwnd, EM_HIDESELECTION, FALSE, 0);
}

// Adds `text` at the end, the view and the user's selection staying where
// they are. Drawn without the control's own repainting, which would paint the
// whole view at every line: only a visible end is invalidated.
void AppendAtEnd(HWND hwnd, const std::wstring& text) {
  SendMessageW(hwnd, WM_SETREDRAW, FALSE, 0);
  CHARRANGE saved{};
  SendMessageW(hwnd, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&saved));
  POINT scroll{};
  SendMessageW(hwnd, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
  CHARRANGE end{kEnd, kEnd};
  SendMessageW(hwnd, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
  SendMessageW(hwnd, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&end));
  POINTL at{};
  SendMessageW(hwnd, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), end.cpMin);
  SendMessageW(hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageW(hwnd, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&saved));
  SendMessageW(hwnd, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
  SendMessageW(hwnd, WM_SETREDRAW, TRUE, 0);
  RECT client{};
  GetClientRect(hwnd, &client);
  if (at.y < client.bottom) {
    client.top = std::max<LONG>(at.y, 0);
    InvalidateRect(hwnd, &client, FALSE);
  }
  // The scroll bars take the new length.
  RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

// The control's whole text replaced as one step that Undo takes back; the
// earlier steps stay. The text is read from its start.
void ReplaceAll(HWND hwnd, const std::wstring& text) {
  SETTEXTEX set{ST_KEEPUNDO, 1200};
  SendMessageW(hwnd, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&set),
               reinterpret_cast<LPARAM>(text.c_str()));
  CHARRANGE start{0, 0};
  SendMessageW(hwnd, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));
  SendMessageW(hwnd, EM_SCROLLCARET, 0, 0);
}

// Gives the control the text set since it was last updated.
void FlushPending(HWND hwnd, TextArea::TextCache& cache) {
  if (hwnd == nullptr || (cache.pending.empty() && !cache.replaces)) {
    return;
  }
  if (std::exchange(cache.replaces, false)) {
    ReplaceAll(hwnd, std::exchange(cache.pending, {}));
  } else {
    AppendAtEnd(hwnd, std::exchange(cache.pending, {}));
  }
  cache.valid = true;  // the control now holds the cached text
}

// Gives the control its text when the running command is done.
void FlushLater(TextArea& area, TextArea::TextCache& cache) {
  if (!cache.pending.empty() || cache.replaces) {
    return;  // already waiting
  }
  std::weak_ptr<Object> weak = area.weak_from_this();
  PutOff([weak, cache = &cache] {
    if (auto self = std::static_pointer_cast<TextArea>(weak.lock())) {
      FlushPending(Handle(self->PlatformPeer()), *cache);
    }
  });
}

bool ReadOnlyStyle(HWND hwnd) {
  return hwnd != nullptr && (GetWindowLongPtrW(hwnd, GWL_STYLE) & ES_READONLY) != 0;
}

void PastePlain(HWND hwnd) {
  if (!ReadOnlyStyle(hwnd)) {
    SendMessageW(hwnd, EM_PASTESPECIAL, CF_UNICODETEXT, 0);
  }
}

LRESULT CALLBACK AreaProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR data) {
  auto* peer = reinterpret_cast<AreaPeer*>(data);
  switch (message) {
    case WM_GETDLGCODE: {
      auto code = DefSubclassProc(hwnd, message, wParam, lParam);
      return peer->allowTabs ? (code | DLGC_WANTTAB) : (code & ~(DLGC_WANTTAB | DLGC_WANTALLKEYS));
    }
    case WM_PASTE:
      // Pasted text arrives plain; the program styles its text itself.
      PastePlain(hwnd);
      return 0;
    case WM_GETOBJECT:
      if (const std::optional<LRESULT> answer = AnswerGetObject(hwnd, peer, wParam, lParam)) {
        return *answer;
      }
      break;
    case WM_CONTEXTMENU:
      // RichEdit has none of its own.
      ShowEditMenu(hwnd, lParam);
      return 0;
    case WM_KEYDOWN:
      if ((wParam == 'V' && GetKeyState(VK_CONTROL) < 0) ||
          (wParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0)) {
        PastePlain(hwnd);
        return 0;
      }
      break;
    default:
      break;
  }
  const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
  // Read-only text shows no text cursor: the control shows it again whenever
  // a click or a key moves it, and the caret stays hidden until it goes with
  // the focus.
  const bool input = message == WM_SETFOCUS || (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
                     (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
  if (input && GetFocus() == hwnd && ReadOnlyStyle(hwnd)) {
    HideCaret(hwnd);
  }
  return result;
}

}  // namespace

TextArea::TextArea() = default;
TextArea::~TextArea() = default;

namespace {
// Scroll bars and wrapping are fixed when the control is made.
DWORD AreaStyle(bool multiline, bool horizontal, bool vertical) {
  if (!multiline) {
    return WS_TABSTOP | ES_AUTOHSCROLL | ES_NOHIDESEL;
  }
  return WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL |
         (horizontal ? WS_HSCROLL | ES_AUTOHSCROLL : 0) | (vertical ? WS_VSCROLL : 0);
}
}  // namespace

RectControl::PeerPtr TextArea::MakePeer() {
  auto peer = std::make_unique<AreaPeer>();
  const DWORD style = AreaStyle(multiline_, hScroll_, vScroll_);
  MakeChild(*this, *peer, MSFTEDIT_CLASS, style, WS_EX_CLIENTEDGE);
  HWND hwnd = peer->hwnd;
  SendMessageW(hwnd, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  SendMessageW(hwnd, EM_SETEVENTMASK, 0, ENM_CHANGE);
  // A horizontal scroll bar means long lines stay whole: no wrapping.
  SendMessageW(hwnd, EM_SETTARGETDEVICE, 0, (hScroll_ || !multiline_) ? 1 : 0);
  SetWindowSubclass(hwnd, &AreaProc, 1, reinterpret_cast<DWORD_PTR>(peer.get()));
  if (!cache_) {
    cache_ = std::make_unique<TextCache>();
  }
  TextCache* cache = cache_.get();
  peer->command = [cache](WORD code) {
    if (code == EN_CHANGE) {
      cache->valid = false;
    }
  };
  peer->dpiChanged = [this] { ApplyFont(); };
  return peer;
}

std::string TextArea::Text() const {
  HWND hwnd = Handle(PlatformPeer());
  if (hwnd == nullptr) {
    return {};
  }
  if (!cache_->valid) {
    FlushPending(hwnd, *cache_);
    cache_->text = ControlText(hwnd);
    cache_->valid = true;
  }
  return cache_->text;
}

void TextArea::SetText(const std::string& text) {
  HWND hwnd = Handle(PlatformPeer());
  if (hwnd == nullptr) {
    return;
  }
  if (!cache_->valid) {
    cache_->text = ControlText(hwnd);
  }
  std::string& current = cache_->text;
  text_lines::Change change = text_lines::ChangeFrom(current, text);
  // All the text one command sets is one step for Undo: a command that
  // empties the area and then fills it line by line (Load Data) is taken
  // back whole.
  if (change.kind == text_lines::Change::Kind::Replace) {
    if (RunningCommand() != 0) {
      FlushLater(*this, *cache_);
      cache_->pending = Wide(change.text);
      cache_->replaces = true;
    } else {
      cache_->pending.clear();
      cache_->replaces = false;
      ReplaceAll(hwnd, Wide(change.text));
    }
    current = std::move(change.text);
  } else if (change.kind == text_lines::Change::Kind::Append) {
    FlushLater(*this, *cache_);
    cache_->pending += Wide(change.text);
    current += change.text;
  }
  // The edits above marked the cache stale; it holds the new text.
  cache_->valid = true;
}

void TextArea::SetReadOnly(bool readOnly) {
  if (HWND hwnd = Handle(PlatformPeer())) {
    SendMessageW(hwnd, EM_SETREADONLY, readOnly, 0);
    // The read-only control keeps the background the layout gave it.
    ApplyColors();
  }
}

bool TextArea::ReadOnly() const {
  return ReadOnlyStyle(Handle(PlatformPeer()));
}

void TextArea::SetScrollbars(bool horizontal, bool vertical) {
  hScroll_ = horizontal;
  vScroll_ = vertical;
  if (!peer_ || peer_->hwnd == nullptr) {
    return;
  }
  const DWORD mask = ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_HSCROLL | WS_VSCROLL;
  const auto current = static_cast<DWORD>(GetWindowLongPtrW(peer_->hwnd, GWL_STYLE));
  if ((current & mask) == (AreaStyle(multiline_, horizontal, vertical) & mask)) {
    return;
  }
  // The control is made anew, with what the old one held.
  const std::string text = Text();
  const bool readOnly = ReadOnly();
  const bool allowTabs = PeerOf(peer_.get())->allowTabs;
  const bool border = (GetWindowLongPtrW(peer_->hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0;
  cache_->pending.clear();
  cache_->replaces = false;
  auto old = std::move(peer_);
  peer_ = MakePeer();
  old.reset();
  PeerOf(peer_.get())->allowTabs = allowTabs;
  cache_->text.clear();
  cache_->valid = true;
  SetBounds(bounds_);
  SetHasBorder(border);
  ApplyFont();
  ApplyColors();
  SetText(text);
  SendMessageW(peer_->hwnd, EM_SETREADONLY, readOnly, 0);
}

void TextArea::SetHasBorder(bool border) {
  if (HWND hwnd = Handle(PlatformPeer())) {
    auto ex = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    ex = border ? (ex | WS_EX_CLIENTEDGE) : (ex & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE));
    SetWindowLongPtrW(hwnd, GWL_EXSTYLE, ex);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
}

void TextArea::SetAllowTabs(bool allowTabs) {
  if (AreaPeer* peer = PeerOf(PlatformPeer())) {
    peer->allowTabs = allowTabs;
  }
}

void TextArea::SetTabWidth(int64_t characters) {
  tabWidth_ = std::max<int64_t>(characters, 1);
  ApplyAlignment();
}

std::string TextArea::SelectedText() const {
  HWND hwnd = Handle(PlatformPeer());
  if (hwnd == nullptr) {
    return {};
  }
  FlushPending(hwnd, *cache_);
  CHARRANGE range{};
  SendMessageW(hwnd, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  std::wstring selected(static_cast<size_t>(std::max<LONG>(range.cpMax - range.cpMin, 0)) + 1,
                        L'\0');
  const auto got = static_cast<size_t>(
      SendMessageW(hwnd, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(selected.data())));
  selected.resize(got);
  std::wstring crlf;
  for (wchar_t c : selected) {
    crlf += c;
    if (c == L'\r') {
      crlf += L'\n';
    }
  }
  return Utf8(crlf);
}

// Alignment and tab stops: the paragraph format of the whole text.
void TextArea::ApplyAlignment() {
  HWND hwnd = Handle(PlatformPeer());
  if (hwnd == nullptr) {
    return;
  }
  FlushPending(hwnd, *cache_);
  PARAFORMAT2 format{};
  format.cbSize = sizeof(format);
  format.dwMask = PFM_ALIGNMENT | PFM_TABSTOPS;
  format.wAlignment = alignment_ == TextAlignment::Center  ? PFA_CENTER
                      : alignment_ == TextAlignment::Right ? PFA_RIGHT
                                                           : PFA_LEFT;
  // Tab stops every tabWidth_ digit widths of the font, as in a terminal:
  // columns of numbers separated by one TAB line up.
  const UINT dpi = DpiOf(hwnd);
  HDC dc = GetDC(hwnd);
  HFONT font = MakeFont(font_, dpi);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE digit{};
  GetTextExtentPoint32W(dc, L"0", 1, &digit);
  SelectObject(dc, old);
  DeleteObject(font);
  ReleaseDC(hwnd, dc);
  const LONG step = MulDiv(static_cast<int>(tabWidth_) * digit.cx, 1440, static_cast<int>(dpi));
  format.cTabCount = MAX_TAB_STOPS;
  for (int i = 0; i < MAX_TAB_STOPS; ++i) {
    format.rgxTabs[i] = step * (i + 1);
  }
  WithSelection(hwnd, 0, -1, [&] {
    SendMessageW(hwnd, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
  });
}

void TextArea::ApplyColors() {
  HWND hwnd = Handle(PlatformPeer());
  if (hwnd == nullptr) {
    return;
  }
  // The selection shows only while the area has the focus, when asked.
  SendMessageW(hwnd, EM_SETOPTIONS, hideSelection_ ? ECOOP_AND : ECOOP_OR,
               hideSelection_ ? ~static_cast<LPARAM>(ECO_NOHIDESEL) : ECO_NOHIDESEL);
  SendMessageW(hwnd, EM_SETBKGNDCOLOR, hasBackgroundColor_ ? 0 : 1,
               static_cast<LPARAM>(ToColorRef(backgroundColor_)));
  CHARFORMAT2W format{};
  format.cbSize = sizeof(format);
  format.dwMask = CFM_COLOR;
  format.crTextColor = ToColorRef(textColor_);
  SendMessageW(hwnd, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
  SendMessageW(hwnd, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
}

// The whole text's face, size and style. RichEdit measures in twips at the
// screen's DPI; the size follows the window's DPI.
void TextArea::ApplyFont() {
  HWND hwnd = Handle(PlatformPeer());
  if (hwnd == nullptr) {
    return;
  }
  FlushPending(hwnd, *cache_);
  const UINT dpi = DpiOf(hwnd);
  HFONT font = MakeFont(font_, dpi);
  LOGFONTW logFont{};
  GetObjectW(font, sizeof(logFont), &logFont);
  DeleteObject(font);
  HDC screen = GetDC(nullptr);
  const int screenDpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  CHARFORMAT2W format{};
  format.cbSize = sizeof(format);
  format.dwMask = CFM_FACE | CFM_SIZE | CFM_CHARSET | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE;
  wcsncpy_s(format.szFaceName, LF_FACESIZE, logFont.lfFaceName, LF_FACESIZE - 1);
  format.bCharSet = logFont.lfCharSet;
  format.bPitchAndFamily = logFont.lfPitchAndFamily;
  format.yHeight = MulDiv(std::abs(logFont.lfHeight), 1440, screenDpi > 0 ? screenDpi : 96);
  format.dwEffects = (font_.bold ? CFE_BOLD : 0) | (font_.italic ? CFE_ITALIC : 0) |
                     (font_.underline ? CFE_UNDERLINE : 0);
  SendMessageW(hwnd, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
  SendMessageW(hwnd, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  ApplyAlignment();
}

void StyledText::Bold(int64_t start, int64_t length, bool value) {
  HWND hwnd = Handle(area_->PlatformPeer());
  if (hwnd == nullptr || length <= 0 || start < 0) {
    return;
  }
  FlushPending(hwnd, *area_->cache_);
  const std::string text = area_->Text();
  const LONG last = ControlLength(hwnd);
  const LONG from = std::min(static_cast<LONG>(text_lines::ParagraphPosition(text, start)), last);
  const LONG to =
      std::min(static_cast<LONG>(text_lines::ParagraphPosition(text, start + length)), last);
  CHARFORMAT2W format{};
  format.cbSize = sizeof(format);
  format.dwMask = CFM_BOLD;
  format.dwEffects = value ? CFE_BOLD : 0;
  WithSelection(hwnd, from, to, [&] {
    SendMessageW(hwnd, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  });
}

bool StyledText::Bold(int64_t position) const {
  HWND hwnd = Handle(area_->PlatformPeer());
  if (hwnd == nullptr) {
    return false;
  }
  FlushPending(hwnd, *area_->cache_);
  const LONG at = static_cast<LONG>(text_lines::ParagraphPosition(area_->Text(), position));
  CHARFORMAT2W format{};
  format.cbSize = sizeof(format);
  WithSelection(hwnd, at, at + 1, [&] {
    SendMessageW(hwnd, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  });
  return (format.dwEffects & CFE_BOLD) != 0;
}

int64_t StyledText::Length() const {
  return Len(area_->Text());
}

}  // namespace fw
