// Canvases and timers on Win32.

#include <algorithm>
#include <map>

#include "framework/controls.h"
#include "framework/window.h"
#include "win32/win32.h"

namespace fw {
namespace {

struct CanvasPeer : RectControl::Peer {
  ~CanvasPeer() override { Forget(); }
  void Forget() {
    if (bitmap != nullptr) {
      DeleteObject(bitmap);
      bitmap = nullptr;
    }
  }
  HBITMAP bitmap = nullptr;  // the backdrop at the window's DPI
  SIZE size{};
};

void Paint(HWND hwnd, Canvas& canvas) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT r{};
  GetClientRect(hwnd, &r);
  Window* window = canvas.OwnerWindow();
  FillRect(dc, &r, window != nullptr ? BackgroundBrush(*window) : GetSysColorBrush(COLOR_WINDOW));
  auto* peer = static_cast<CanvasPeer*>(canvas.PlatformPeer());
  if (Ref<Picture> picture = canvas.Backdrop(); picture && peer != nullptr) {
    if (peer->bitmap == nullptr) {
      peer->bitmap = ScaledBitmap(*picture, DpiOf(hwnd), &peer->size);
    }
    if (peer->bitmap != nullptr) {
      HDC memory = CreateCompatibleDC(dc);
      HGDIOBJ old = SelectObject(memory, peer->bitmap);
      BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
      GdiAlphaBlend(dc, 0, 0, peer->size.cx, peer->size.cy, memory, 0, 0, peer->size.cx,
                    peer->size.cy, blend);
      SelectObject(memory, old);
      DeleteDC(memory);
    }
  }
  EndPaint(hwnd, &ps);
}

LRESULT CALLBACK CanvasProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    if (auto* canvas = dynamic_cast<Canvas*>(ControlOf(hwnd))) {
      Paint(hwnd, *canvas);
      return 0;
    }
  } else if (message == WM_ERASEBKGND) {
    return 1;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void RegisterCanvasClass() {
  [[maybe_unused]] static const bool registered = RegisterWindowClass(kCanvasClass, &CanvasProc);
}

// Running timers by their identifier.
struct RunningTimer {
  Timer* timer;
  Timer::Clock* clock;
};
std::map<UINT_PTR, RunningTimer>& Running() {
  static std::map<UINT_PTR, RunningTimer> timers;
  return timers;
}

void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
  auto it = Running().find(id);
  if (it == Running().end()) {
    KillTimer(nullptr, id);
    return;
  }
  const RunningTimer running = it->second;
  Ref<Object> keep = running.timer->shared_from_this();
  if (running.timer->RunMode() == 1) {
    // Fires once.
    KillTimer(nullptr, id);
    Running().erase(id);
    running.clock->id = 0;
  }
  running.timer->RaiseEvent(EventNumber::Action);
}

}  // namespace

RectControl::PeerPtr Canvas::MakePeer() {
  RegisterCanvasClass();
  auto peer = std::make_unique<CanvasPeer>();
  MakeChild(*this, *peer, kCanvasClass, 0);
  CanvasPeer* raw = peer.get();
  peer->dpiChanged = [raw] {
    raw->Forget();
    InvalidateRect(raw->hwnd, nullptr, TRUE);
  };
  return peer;
}

void Canvas::SetBackdrop(Ref<Picture> picture) {
  backdrop_ = std::move(picture);
  if (auto* peer = static_cast<CanvasPeer*>(PlatformPeer()); peer && peer->hwnd) {
    peer->Forget();
    InvalidateRect(peer->hwnd, nullptr, TRUE);
  }
}

Timer::Timer() = default;

Timer::~Timer() {
  if (clock_ && clock_->id != 0) {
    KillTimer(nullptr, clock_->id);
    Running().erase(clock_->id);
  }
}

void Timer::Restart() {
  if (!clock_) {
    clock_ = std::make_unique<Clock>();
  }
  if (clock_->id != 0) {
    KillTimer(nullptr, clock_->id);
    Running().erase(clock_->id);
    clock_->id = 0;
  }
  if (runMode_ == 0 || window_ == nullptr) {
    return;
  }
  const auto period =
      static_cast<UINT>(std::clamp<int64_t>(period_, USER_TIMER_MINIMUM, INT32_MAX));
  clock_->id = SetTimer(nullptr, 0, period, &Fire);
  if (clock_->id != 0) {
    Running()[clock_->id] = {this, clock_.get()};
  }
}

void Timer::AttachTo(Window* window) {
  Control::AttachTo(window);
  if (window == nullptr && clock_ && clock_->id != 0) {
    // A closed window's timer fires no more.
    KillTimer(nullptr, clock_->id);
    Running().erase(clock_->id);
    clock_->id = 0;
  }
}

}  // namespace fw
