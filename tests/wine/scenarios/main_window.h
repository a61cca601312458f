#pragma once
// The steps of the scenario tests that every test of the running program
// takes: the main window's controls by their place in the layout, the
// hand-over from the splash, Load Data through the open-file dialog, waiting
// for a field's text, and quitting.

#include <windows.h>

#include <chrono>
#include <string>

#include "desktop.h"

namespace desktop {

// The main window's controls, by their place in the layout.
struct MainWindow {
  HWND window;
  double scale = 1.0;
  HWND Count() const { return ControlAt(window, 200, 212, scale); }
  HWND Matrix() const { return ControlAt(window, 20, 262, scale); }
  HWND Results() const { return ControlAt(window, 475, 262, scale); }
  void Press(const wchar_t* caption) const { Click(Button(window, caption)); }
};

HWND WaitForSplash(const Program& program);

// The splash hands over at a key press; the main window comes to the front.
MainWindow HandOver(const Program& program);

// Load Data, and in the open-file dialog the path pasted into the file name
// field and Return pressed; gives the file type the dialog offered. (Typed key
// by key, the dialog's completion of folder names takes some of the keys.)
std::wstring LoadFile(const Program& program, const MainWindow& main, const std::wstring& path);

// The control's text once it is the expected one, or the last text read.
std::wstring WaitForText(HWND control, const std::wstring& expected,
                         std::chrono::milliseconds timeout = std::chrono::seconds(5));

// Ctrl+Q, and the program ends with status 0.
void Quit(Program& program);

}  // namespace desktop
