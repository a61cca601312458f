// Windows on Win32: a top-level window with the shared menu bar, whose client
// area holds the controls at their layout positions scaled by the DPI.

#include <algorithm>

#include "framework/window.h"
#include "src/gui/backend.h"
#include "src/gui/tab_key.h"
#include "win32/win32.h"

namespace fw {
namespace {

Ref<Window> Keep(Window& window) {
  return std::static_pointer_cast<Window>(window.shared_from_this());
}

DWORD FrameStyle(const Window::Frame& f) {
  DWORD style = WS_CAPTION | WS_CLIPCHILDREN | (f.type == 2 ? WS_POPUP : WS_OVERLAPPED);
  if (f.closeButton || f.minimizeButton || f.maximizeButton) {
    style |= WS_SYSMENU;
  }
  if (f.minimizeButton) {
    style |= WS_MINIMIZEBOX;
  }
  if (f.resizeable) {
    style |= WS_THICKFRAME;
    if (f.maximizeButton) {
      style |= WS_MAXIMIZEBOX;
    }
  }
  return style;
}

// The outer size of a window whose client area is `client` physical pixels.
SIZE OuterSize(HWND hwnd, SIZE client, UINT dpi) {
  RECT r{0, 0, client.cx, client.cy};
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
  AdjustWindowRectExForDpi(&r, style, GetMenu(hwnd) != nullptr, exStyle, dpi);
  return {r.right - r.left, r.bottom - r.top};
}

// Sizes the window so that its client area is the layout's size at its DPI.
void FitFrame(Window& window) {
  Window::Peer& peer = window.PlatformPeer();
  if (peer.hwnd == nullptr) {
    return;
  }
  const SIZE want{Scale(window.Width(), peer.dpi), Scale(window.Height(), peer.dpi)};
  SIZE outer = OuterSize(peer.hwnd, want, peer.dpi);
  SetWindowPos(peer.hwnd, nullptr, 0, 0, outer.cx, outer.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // A menu bar that wraps onto a second line takes more than the estimate.
  RECT client{};
  GetClientRect(peer.hwnd, &client);
  const LONG dx = want.cx - client.right, dy = want.cy - client.bottom;
  if (dx != 0 || dy != 0) {
    SetWindowPos(peer.hwnd, nullptr, 0, 0, outer.cx + dx, outer.cy + dy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void Centre(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& area = monitor.rcWork;
  const LONG w = r.right - r.left, h = r.bottom - r.top;
  const LONG x = area.left + std::max<LONG>(0, (area.right - area.left - w) / 2);
  const LONG y = area.top + std::max<LONG>(0, (area.bottom - area.top - h) / 2);
  SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TakesFocus(const RectControl* control) {
  return dynamic_cast<const TextControl*>(control) != nullptr &&
         dynamic_cast<const Label*>(control) == nullptr;
}

// The window's controls that Tab visits now, in tab order: the tab stops
// that can take the focus as things stand.
std::vector<RectControl*> TabChain(const Window& window) {
  std::vector<RectControl*> chain = TabStopsInOrder(window);
  std::erase_if(chain, [](const RectControl* r) {
    HWND hwnd = r->PlatformPeer()->hwnd;
    return !TakesFocus(r) || hwnd == nullptr || !IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd);
  });
  return chain;
}

void FocusControl(RectControl& control) {
  HWND hwnd = control.PlatformPeer()->hwnd;
  SetFocus(hwnd);
  if (dynamic_cast<TextField*>(&control) != nullptr) {
    SendMessageW(hwnd, EM_SETSEL, 0, -1);  // entered by Tab: all selected
  }
}

void MoveFocus(Window& window, bool backwards) {
  const std::vector<RectControl*> chain = TabChain(window);
  if (chain.empty()) {
    return;
  }
  RectControl* focus = ControlOf(GetFocus());
  auto at = std::find(chain.begin(), chain.end(), focus);
  const auto n = static_cast<std::ptrdiff_t>(chain.size());
  std::ptrdiff_t index = at == chain.end() ? (backwards ? n - 1 : 0)
                                           : (at - chain.begin() + (backwards ? n - 1 : 1)) % n;
  FocusControl(*chain[static_cast<size_t>(index)]);
}

TabTarget TabTargetOf(const RectControl* control) {
  const auto* area = dynamic_cast<const TextArea*>(control);
  if (area == nullptr || area->PlatformPeer() == nullptr) {
    return {};
  }
  const LRESULT code = SendMessageW(area->PlatformPeer()->hwnd, WM_GETDLGCODE, VK_TAB, 0);
  return {(code & DLGC_WANTTAB) != 0, area->ReadOnly()};
}

// A press at `screen` in the window's client area, in layout pixels.
bool RaiseMouseDown(Window& window, POINT screen) {
  ScreenToClient(window.PlatformPeer().hwnd, &screen);
  const auto dpi = static_cast<int>(window.PlatformPeer().dpi);
  return RaiseWindowMouseDown(window, MulDiv(screen.x, 96, dpi), MulDiv(screen.y, 96, dpi));
}

bool Shortcut(Window& window, MSG& msg) {
  Window::Peer& peer = window.PlatformPeer();
  if (peer.accelerators == nullptr) {
    return false;
  }
  BYTE modifiers = FVIRTKEY;
  if (GetKeyState(VK_CONTROL) < 0)
    modifiers |= FCONTROL;
  if (GetKeyState(VK_MENU) < 0)
    modifiers |= FALT;
  if (GetKeyState(VK_SHIFT) < 0)
    modifiers |= FSHIFT;
  for (const ACCEL& a : peer.accelTable) {
    if (a.key != msg.wParam || a.fVirt != modifiers) {
      continue;
    }
    // The item's state as a menu opening would show it; a disabled command
    // leaves the key to the focused control.
    UpdateMenuEnabling(window);
    const size_t index = a.cmd - 1u;
    Ref<MenuItem> item = index < peer.commands.size() ? peer.commands[index].lock() : nullptr;
    if (!item || !item->Enabled()) {
      return false;
    }
    return TranslateAcceleratorW(peer.hwnd, peer.accelerators, &msg) != 0;
  }
  return false;
}

LRESULT HandleMessage(Window& window, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window::Peer& peer = window.PlatformPeer();
  switch (message) {
    case WM_CLOSE:
      // The close box and Window::Close end here alike.
      window.Close();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(hwnd, focus)) {
          peer.lastFocus = focus;
        }
      } else {
        Ref<Window> keep = Keep(window);
        // A Win32 menu never takes the activation from its window, so none
        // is handed back when it closes.
        WindowActivated(window, Activation::New);
        if (window.IsOpen()) {
          if (peer.lastFocus != nullptr && IsWindow(peer.lastFocus) &&
              IsChild(hwnd, peer.lastFocus)) {
            SetFocus(peer.lastFocus);
          } else if (const auto chain = TabChain(window); !chain.empty()) {
            SetFocus(chain.front()->PlatformPeer()->hwnd);
          } else {
            SetFocus(hwnd);
          }
        }
      }
      return 0;
    case WM_INITMENUPOPUP:
      if (HIWORD(lParam) == FALSE) {
        UpdateMenuEnabling(window);
      }
      return 0;
    case WM_COMMAND:
      if (lParam != 0) {
        if (RectControl* control = ControlOf(reinterpret_cast<HWND>(lParam));
            control && control->PlatformPeer()->command) {
          Ref<Object> keep = control->shared_from_this();
          control->PlatformPeer()->command(HIWORD(wParam));
        }
      } else {
        RunMenuCommand(window, LOWORD(wParam));
      }
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN: {
      auto dc = reinterpret_cast<HDC>(wParam);
      RectControl* control = ControlOf(reinterpret_cast<HWND>(lParam));
      const RectControl::Peer* p = control ? control->PlatformPeer() : nullptr;
      if (p == nullptr) {
        break;
      }
      SetTextColor(dc, p->textColor);
      if (p->background != nullptr && dynamic_cast<Label*>(control) == nullptr) {
        SetBkColor(dc, p->backgroundColor);
        return reinterpret_cast<LRESULT>(p->background);
      }
      if (message == WM_CTLCOLOREDIT) {
        break;
      }
      SetBkMode(dc, TRANSPARENT);
      return reinterpret_cast<LRESULT>(BackgroundBrush(window));
    }
    case WM_ERASEBKGND: {
      RECT r{};
      GetClientRect(hwnd, &r);
      FillRect(reinterpret_cast<HDC>(wParam), &r, BackgroundBrush(window));
      return 1;
    }
    case WM_SIZE:
      PlaceControls(window);
      return 0;
    case WM_GETMINMAXINFO: {
      const Window::Frame& f = window.FrameProperties();
      if (!f.resizeable) {
        break;
      }
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      const SIZE min =
          OuterSize(hwnd, {Scale(f.minWidth, peer.dpi), Scale(f.minHeight, peer.dpi)}, peer.dpi);
      const SIZE max =
          OuterSize(hwnd, {Scale(f.maxWidth, peer.dpi), Scale(f.maxHeight, peer.dpi)}, peer.dpi);
      info->ptMinTrackSize = {min.cx, min.cy};
      info->ptMaxTrackSize = {max.cx, max.cy};
      return 0;
    }
    case WM_DPICHANGED: {
      peer.dpi = HIWORD(wParam);
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(hwnd, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      for (const Ref<Control>& c : window.Controls()) {
        if (auto* r = dynamic_cast<RectControl*>(c.get()); r && r->PlatformPeer()) {
          if (r->PlatformPeer()->dpiChanged) {
            r->PlatformPeer()->dpiChanged();
          }
        }
      }
      FitFrame(window);
      PlaceControls(window);
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  Window* window = WindowOf(hwnd);
  if (window == nullptr) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  Window::Peer& peer = window->PlatformPeer();
  if (peer.hwnd == nullptr) {
    peer.hwnd = hwnd;  // messages during CreateWindowEx
  }
  ++peer.inHandler;
  const LRESULT result = HandleMessage(*window, hwnd, message, wParam, lParam);
  --peer.inHandler;
  return result;
}

void RegisterWindowClasses() {
  // The icon is the icon group of the executable's resources.
  [[maybe_unused]] static const bool registered =
      RegisterWindowClass(kWindowClass, &WindowProc, CS_HREDRAW | CS_VREDRAW,
                          LoadIconW(ModuleInstance(), MAKEINTRESOURCEW(102)));
}

}  // namespace

Window* WindowOf(HWND hwnd) {
  if (hwnd == nullptr) {
    return nullptr;
  }
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  if (std::wstring_view(name) != kWindowClass) {
    return nullptr;
  }
  return reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

HBRUSH BackgroundBrush(Window& window) {
  Window::Peer& peer = window.PlatformPeer();
  return peer.background != nullptr ? peer.background : GetSysColorBrush(COLOR_BTNFACE);
}

void PlaceControl(RectControl& control) {
  RectControl::Peer* p = control.PlatformPeer();
  Window* window = control.OwnerWindow();
  if (p == nullptr || p->hwnd == nullptr || window == nullptr) {
    return;
  }
  const Window::Peer& wp = window->PlatformPeer();
  const UINT dpi = wp.dpi;
  RECT client{};
  GetClientRect(wp.hwnd, &client);
  // How much the client area differs from the layout's; nothing while the
  // window is still being built.
  int dw = 0, dh = 0;
  if (client.right > 0 && client.bottom > 0) {
    dw = client.right - Scale(window->Width(), dpi);
    dh = client.bottom - Scale(window->Height(), dpi);
  }
  const Rect b = control.Bounds();
  // Edges scaled, not sizes: neighbours that touch in the layout still
  // touch, without overlapping by a rounding.
  const int x = Scale(b.left, dpi), y = Scale(b.top, dpi);
  const PixelBox box =
      FollowLockedEdges({x, y, Scale(b.left + b.width, dpi) - x, Scale(b.top + b.height, dpi) - y},
                        control.Locks(), dw, dh);
  SetWindowPos(p->hwnd, nullptr, box.x, box.y, box.width, box.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlaceControls(Window& window) {
  for (const Ref<Control>& c : window.Controls()) {
    if (auto* r = dynamic_cast<RectControl*>(c.get())) {
      PlaceControl(*r);
    }
  }
}

bool PreTranslate(MSG& msg) {
  const UINT m = msg.message;
  const bool keyDown = m == WM_KEYDOWN || m == WM_SYSKEYDOWN;
  const bool mouseDown = m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN || m == WM_MBUTTONDOWN;
  if (!keyDown && m != WM_CHAR && !mouseDown) {
    return false;
  }
  Window* window = WindowOf(GetAncestor(msg.hwnd, GA_ROOT));
  if (window == nullptr || !window->IsOpen()) {
    return false;
  }
  Ref<Window> keep = Keep(*window);
  RectControl* control = ControlOf(msg.hwnd);
  const bool passive = control == nullptr || !TakesOwnInput(*control);
  if (mouseDown) {
    POINT screen{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
    ClientToScreen(msg.hwnd, &screen);
    // Presses on passive controls are the window's; consumed then, as the
    // control would report them a second time.
    if (passive && window->Implements(WindowEvent::MouseDown)) {
      return RaiseMouseDown(*window, screen) || control != nullptr;
    }
    return false;
  }
  if (keyDown) {
    const bool ctrl = GetKeyState(VK_CONTROL) < 0, alt = GetKeyState(VK_MENU) < 0;
    if ((ctrl || alt) && Shortcut(*window, msg)) {
      return true;
    }
    if (msg.wParam == VK_TAB) {
      const TabMove move = TabKeyMove({GetKeyState(VK_SHIFT) < 0, ctrl, alt}, TabTargetOf(control));
      if (move != TabMove::None) {
        MoveFocus(*window, move == TabMove::Previous);
        return true;
      }
    }
  }
  // The window's KeyDown takes the keys of its passive controls, when it
  // implements one; they reach the control otherwise.
  if (!passive || !window->Implements(WindowEvent::KeyDown)) {
    return false;
  }
  if (m == WM_CHAR) {
    const wchar_t c = static_cast<wchar_t>(msg.wParam);
    return RaiseWindowKeyDown(*window, Utf8(std::wstring_view(&c, 1))) || control != nullptr;
  }
  if (keyDown) {
    const std::string code = KeyDownCode(msg.wParam);
    return !code.empty() && (RaiseWindowKeyDown(*window, code) || control != nullptr);
  }
  return false;
}

Window::Window() : peer_(std::make_unique<Peer>()) {}

Window::~Window() {
  if (peer_->hwnd != nullptr) {
    SetWindowLongPtrW(peer_->hwnd, GWLP_USERDATA, 0);
    DestroyMenuBar(*this);
    DestroyWindow(peer_->hwnd);
  }
  if (peer_->background != nullptr) {
    DeleteObject(peer_->background);
  }
}

void Window::CreatePeer() {
  RegisterWindowClasses();
  peer_->hwnd = CreateWindowExW(0, kWindowClass, L"", FrameStyle(frame_), CW_USEDEFAULT,
                                CW_USEDEFAULT, 300, 300, nullptr, nullptr, ModuleInstance(), this);
  if (peer_->hwnd == nullptr) {
    throw RuntimeException("The window could not be made");
  }
  peer_->dpi = DpiOf(peer_->hwnd);
}

bool NativeWindowExists(const Window& window) {
  return window.PlatformPeer().hwnd != nullptr;
}

void NativeWindowBuilt(Window& window, const std::vector<RectControl*>& /*tabOrder*/) {
  // Tab moves through TabChain, worked out at each press.
  FitFrame(window);
  PlaceControls(window);
  // Labels fit their text again, now that every control they may lie
  // beneath exists. Canvases lie beneath the labels: a label whose box
  // overlaps a picture's is still read whole.
  for (const Ref<Control>& c : window.Controls()) {
    if (auto* label = dynamic_cast<Label*>(c.get()); label && label->PlatformPeer()) {
      label->PlatformPeer()->dpiChanged();
    }
  }
  for (const Ref<Control>& c : window.Controls()) {
    if (auto* canvas = dynamic_cast<Canvas*>(c.get()); canvas && canvas->PlatformPeer()) {
      SetWindowPos(canvas->PlatformPeer()->hwnd, HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
}

void NativeWindowShow(Window& window) {
  Window::Peer& peer = window.PlatformPeer();
  if (!peer.centred) {
    peer.centred = true;
    Centre(peer.hwnd);
  }
  ShowWindow(peer.hwnd, SW_SHOW);
  BringWindowToTop(peer.hwnd);
  SetForegroundWindow(peer.hwnd);
  SetActiveWindow(peer.hwnd);
}

void NativeWindowHide(Window& window) {
  ShowWindow(window.PlatformPeer().hwnd, SW_HIDE);
}

bool NativeWindowVisible(const Window& window) {
  return IsWindowVisible(window.PlatformPeer().hwnd) != FALSE;
}

void NativeWindowActivate(Window& window) {
  SetForegroundWindow(window.PlatformPeer().hwnd);
  SetActiveWindow(window.PlatformPeer().hwnd);
}

bool NativeActiveWindowVisible() {
  HWND active = GetActiveWindow();
  return active != nullptr && IsWindowVisible(active);
}

void NativeWindowDestroy(Window& window) {
  Window::Peer& peer = window.PlatformPeer();
  HWND hwnd = peer.hwnd;
  peer.hwnd = nullptr;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  ShowWindow(hwnd, SW_HIDE);
  HMENU menu = peer.menu;
  HACCEL accelerators = peer.accelerators;
  peer.menu = nullptr;
  peer.accelerators = nullptr;
  const bool menuAttached = GetMenu(hwnd) == menu;
  auto destroy = [hwnd, menu, accelerators, menuAttached] {
    DestroyWindow(hwnd);
    if (menu != nullptr && !menuAttached) {
      DestroyMenu(menu);
    }
    if (accelerators != nullptr) {
      DestroyAcceleratorTable(accelerators);
    }
  };
  // Not from inside one of the window's own messages.
  peer.inHandler > 0 ? PutOff(destroy) : destroy();
  if (window.MenuBar()) {
    ForgetMenuViews(*window.MenuBar(), hwnd);
  }
  for (const Ref<Control>& control : window.Controls()) {
    if (auto* r = dynamic_cast<RectControl*>(control.get()); r && r->PlatformPeer()) {
      r->PlatformPeer()->hwnd = nullptr;  // gone with the window
    }
  }
}

void NativeWindowResize(Window& window) {
  FitFrame(window);
}

void Window::SetMenuBar(Ref<fw::MenuBar> bar) {
  menuBar_ = std::move(bar);
  InstallMenuBar(*this);
  FitFrame(*this);
}

void Window::SetTitle(const std::string& title) {
  title_ = title;
  if (peer_->hwnd != nullptr) {
    SetWindowTextW(peer_->hwnd, Wide(title).c_str());
  }
}

void Window::ApplyFrame() {
  HWND hwnd = peer_->hwnd;
  if (hwnd == nullptr) {
    return;
  }
  const Frame& f = frame_;
  const auto visible = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)) & WS_VISIBLE;
  SetWindowLongPtrW(hwnd, GWL_STYLE, static_cast<LONG_PTR>(FrameStyle(f) | visible));
  if (HMENU system = GetSystemMenu(hwnd, FALSE)) {
    EnableMenuItem(system, SC_CLOSE, MF_BYCOMMAND | (f.closeButton ? MF_ENABLED : MF_GRAYED));
  }
  if (peer_->background != nullptr) {
    DeleteObject(peer_->background);
    peer_->background = nullptr;
  }
  if (f.hasBackgroundColor) {
    peer_->background = CreateSolidBrush(ToColorRef(f.backgroundColor));
  }
  if (peer_->menu != nullptr) {
    SetMenu(hwnd, f.menuBarVisible ? peer_->menu : nullptr);
  }
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  FitFrame(*this);
  InvalidateRect(hwnd, nullptr, TRUE);
}

}  // namespace fw
