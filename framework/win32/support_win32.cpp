// Window classes, DPI scaling, fonts and colours on Win32.

#include <algorithm>
#include <cmath>

#include "win32/win32.h"

namespace fw {

bool RegisterWindowClass(const wchar_t* name, WNDPROC procedure, UINT style, HICON icon) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = style;
  wc.lpfnWndProc = procedure;
  wc.hInstance = ModuleInstance();
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.hIcon = icon;
  wc.lpszClassName = name;
  return RegisterClassExW(&wc) != 0;
}

int Scale(int64_t layoutPixels, UINT dpi) {
  return static_cast<int>(std::lround(static_cast<double>(layoutPixels) * dpi / 96.0));
}

UINT DpiOf(HWND hwnd) {
  const UINT dpi = hwnd != nullptr ? GetDpiForWindow(hwnd) : 0;
  return dpi != 0 ? dpi : GetDpiForSystem();
}

namespace {

LOGFONTW UiFont(UINT dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi)) {
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  }
  return metrics.lfMessageFont;
}

LOGFONTW LogFont(const FontSpec& spec, UINT dpi, float size) {
  LOGFONTW font = UiFont(dpi);
  if (spec.name == "Courier") {
    wcscpy_s(font.lfFaceName, L"Courier New");
    font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  } else if (!spec.name.empty() && spec.name != "System") {
    const std::wstring face = Wide(spec.name).substr(0, LF_FACESIZE - 1);
    wcscpy_s(font.lfFaceName, face.c_str());
  }
  if (size > 0) {
    font.lfHeight =
        -std::max(1, static_cast<int>(std::lround(size * static_cast<float>(dpi) / 96.0f)));
  }
  font.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
  font.lfItalic = spec.italic ? TRUE : FALSE;
  font.lfUnderline = spec.underline ? TRUE : FALSE;
  font.lfQuality = CLEARTYPE_QUALITY;
  return font;
}

}  // namespace

float DefaultFontSize() {
  return static_cast<float>(std::abs(UiFont(96).lfHeight));
}

HFONT MakeFont(const FontSpec& spec, UINT dpi) {
  const LOGFONTW font = LogFont(spec, dpi, spec.size);
  return CreateFontIndirectW(&font);
}

HFONT MakeFittedFont(const FontSpec& spec, UINT dpi, const std::wstring& text, SIZE box,
                     int padding) {
  float size = spec.size > 0 ? spec.size : DefaultFontSize();
  HDC dc = GetDC(nullptr);
  HFONT font = nullptr;
  for (;;) {
    const LOGFONTW logFont = LogFont(spec, dpi, size);
    font = CreateFontIndirectW(&logFont);
    if (size <= 6 || text.empty()) {
      break;
    }
    HGDIOBJ old = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    if (extent.cx + padding <= box.cx && metrics.tmHeight <= box.cy) {
      break;
    }
    DeleteObject(font);
    size -= 1;
  }
  ReleaseDC(nullptr, dc);
  return font;
}

// The control code KeyDown gives a movement or editing key that types no
// character; empty for the others.
std::string KeyDownCode(WPARAM key) {
  switch (key) {
    case VK_LEFT:
      return KeyDownCode(EditingKey::Left);
    case VK_RIGHT:
      return KeyDownCode(EditingKey::Right);
    case VK_UP:
      return KeyDownCode(EditingKey::Up);
    case VK_DOWN:
      return KeyDownCode(EditingKey::Down);
    case VK_HOME:
      return KeyDownCode(EditingKey::Home);
    case VK_END:
      return KeyDownCode(EditingKey::End);
    case VK_PRIOR:
      return KeyDownCode(EditingKey::PageUp);
    case VK_NEXT:
      return KeyDownCode(EditingKey::PageDown);
    case VK_DELETE:
      return KeyDownCode(EditingKey::Delete);
    default:
      return {};
  }
}

COLORREF ToColorRef(Color color) {
  return RGB((color.value >> 16) & 0xFF, (color.value >> 8) & 0xFF, color.value & 0xFF);
}

}  // namespace fw
