#pragma once
// The program's three windows as the rest of the program reaches them. The
// windows never include one another's classes, and start-up knows them only
// from here. The templates' one definition is in app/program_window.h.

#include "framework/window.h"

class ControlWnd;      // the main analysis window
class AboutWnd;        // the splash window, shown again as About
class DescriptionWnd;  // the Instructions window

namespace windows {

// The live window of class W, or a new one, which shows itself when its
// layout says so. Never shows a live window.
template <class W>
fw::Ref<fw::Window> Implicit();

// W's ctblinit, for start-up's initializer table.
template <class W>
void ClassInit();

// Made once each, in the window's own .cpp: nowhere else is the class known.
extern template fw::Ref<fw::Window> Implicit<ControlWnd>();
extern template fw::Ref<fw::Window> Implicit<AboutWnd>();
extern template fw::Ref<fw::Window> Implicit<DescriptionWnd>();
extern template void ClassInit<ControlWnd>();
extern template void ClassInit<AboutWnd>();
extern template void ClassInit<DescriptionWnd>();

// The ctblinit of the splash window's timer class.
void AboutWndTimerClassInit();

}  // namespace windows
