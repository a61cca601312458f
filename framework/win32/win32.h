#pragma once
// The Win32 side of the framework's objects and the helpers the backend's
// files share. Only the backend includes this.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After windows.h, which they build on.
#include <commctrl.h>
#include <richedit.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/controls.h"
#include "framework/menu.h"
#include "framework/picture.h"
#include "framework/wide_text.h"
#include "framework/window.h"
#include "src/gui/backend.h"
#include "src/gui/edit_menu.h"

namespace fw {

// Layout pixels are 1/96 inch: scaled by the window's DPI.
int Scale(int64_t layoutPixels, UINT dpi);
UINT DpiOf(HWND hwnd);

// The platform's UI font at that DPI, with `spec`'s size (pixels at 96 DPI),
// weight and style; "Courier" is the fixed-pitch Courier New. The caller
// owns the font.
HFONT MakeFont(const FontSpec& spec, UINT dpi);
// `spec` shrunk, if need be, until `text` fits `box` (physical pixels) on one
// line with `padding` pixels to spare.
HFONT MakeFittedFont(const FontSpec& spec, UINT dpi, const std::wstring& text, SIZE box,
                     int padding);
// The size in pixels at 96 DPI of the platform's UI font.
float DefaultFontSize();

COLORREF ToColorRef(Color color);

// The control code KeyDown gives a movement or editing key that types no
// character (an arrow, Home, Delete ...); empty for the others. A key that
// types a character is reported with it, from WM_CHAR; one that does neither
// (a modifier or a lock key alone) raises no KeyDown.
std::string KeyDownCode(WPARAM key);

// Posted to the run time's message window: runs the put-off work.
constexpr UINT kRunPutOff = WM_APP + 1;
// Runs `work` from the event loop once the current message is done.
void PutOff(std::function<void()> work);

// Window classes the backend registers.
constexpr wchar_t kWindowClass[] = L"QuillFrameworkWindow";
constexpr wchar_t kCanvasClass[] = L"QuillFrameworkCanvas";
HINSTANCE ModuleInstance();
// Registers a window class of this module with the arrow cursor; false when
// the system refuses it.
bool RegisterWindowClass(const wchar_t* name, WNDPROC procedure, UINT style = 0,
                         HICON icon = nullptr);

struct RectControl::Peer {
  Peer() = default;
  Peer(const Peer&) = delete;
  Peer& operator=(const Peer&) = delete;
  virtual ~Peer();
  // A child of the window's client area; null once the window has gone.
  HWND hwnd = nullptr;
  HFONT font = nullptr;
  // Text colour, and the control's own background (null: the window's).
  COLORREF textColor = 0;
  HBRUSH background = nullptr;
  COLORREF backgroundColor = 0;
  // The window's DPI changed: fonts and pictures are made anew.
  std::function<void()> dpiChanged;
  // A WM_COMMAND notification from the control.
  std::function<void(WORD code)> command;
  // What screen readers call the control; empty: the system's own name.
  std::wstring accessibleName;

  void SetFont(HFONT newFont);
};

struct Window::Peer {
  HWND hwnd = nullptr;
  HMENU menu = nullptr;
  HACCEL accelerators = nullptr;
  HBRUSH background = nullptr;
  UINT dpi = 96;
  bool centred = false;
  HWND lastFocus = nullptr;  // given back when the window is activated again
  int inHandler = 0;         // window procedure depth: destroy later while > 0
  std::vector<ACCEL> accelTable;
  // Menu command identifiers of this window's menu bar.
  std::vector<std::weak_ptr<MenuItem>> commands;
};

// Where a menu item stands in the menus of the windows carrying its bar.
struct MenuViews final : MenuItem::Views {
  struct View {
    HWND window;
    HMENU menu;
    UINT id;  // the command; for a submenu, 0
    HMENU submenu;
  };
  std::vector<View> views;
};
MenuViews& ViewsOf(MenuItem& item);

struct Picture::Image {
  UINT width = 0, height = 0;
  std::vector<uint8_t> pixels;  // premultiplied BGRA, top row first
};

struct Timer::Clock {
  UINT_PTR id = 0;
};

// The framework window behind a window handle, or null.
Window* WindowOf(HWND hwnd);
// The control behind a child window handle, or null.
RectControl* ControlOf(HWND hwnd);
// Remembers the control behind its handle (for messages and focus).
void Attach(HWND hwnd, RectControl* control);

// Places the control in its window: layout bounds scaled by the window's DPI,
// locked edges keeping their distance.
void PlaceControl(RectControl& control);
// Every control of the window placed anew, after a resize or a DPI change.
void PlaceControls(Window& window);
// Makes the peer's child control window in the control's window, in the
// platform's UI font.
void MakeChild(RectControl& control, RectControl::Peer& peer, const wchar_t* className, DWORD style,
               DWORD exStyle = 0);

// Builds the window's menu bar and accelerators from its menu model.
void InstallMenuBar(Window& window);
void DestroyMenuBar(Window& window);
// The item and those below it no longer stand in the window's menu.
void ForgetMenuViews(MenuItem& item, HWND window);
// A menu command or an accelerator of the window.
void RunMenuCommand(Window& window, UINT id);

// The control's answer to WM_GETOBJECT when it has an accessible name of its
// own; nothing when the system's default answer stands.
std::optional<LRESULT> AnswerGetObject(HWND control, const RectControl::Peer* peer, WPARAM wParam,
                                       LPARAM lParam);

// Carries out an editing command on a text control, as the Edit menu does.
void PerformEdit(HWND control, EditAction action);
// The text control's context menu, at `position` in screen coordinates as
// WM_CONTEXTMENU gives it (-1, -1 from the keyboard).
void ShowEditMenu(HWND control, LPARAM position);

// A picture as a premultiplied 32-bit bitmap at that DPI; the caller owns it.
HBITMAP ScaledBitmap(const Picture& picture, UINT dpi, SIZE* size);

// The window's background brush for its controls (labels, canvases).
HBRUSH BackgroundBrush(Window& window);

// The run time's message filter before TranslateMessage: the window's
// KeyDown, Tab through the tab order, shortcuts. True when it used `msg`.
bool PreTranslate(MSG& msg);

// The owner for modal boxes: the active window of this program, if any.
HWND ModalOwner();
// The title of modal boxes.
std::wstring DialogTitle();

}  // namespace fw
