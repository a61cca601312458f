#pragma once
// A backend with no toolkit, for tests of the shared code: its native
// objects are plain records and its event loop runs when the test says. It
// implements the peer interface as the platform backends do, and the test
// stands in for the platform: it reports activations, presses and closes.

#include <string>

#include "framework/menu.h"
#include "framework/window.h"

namespace fw::headless {

// Runs the work posted to the event loop, the work that posts meanwhile
// included, until none is left. The number of items run.
int RunPostedWork();
// Drops posted work, the active window and the counts, as at start-up.
void Reset();

// The window the platform holds active, or null.
Window* ActiveWindow();
// How often the window was activated (each time raises Activate).
int Activations(const Window& window);
// How many reports of an unhandled exception were shown.
int ReportsShown();
// The exit code the event loop was told to exit with, or -1.
int LoopExitCode();

// The user chooses the entry from the window's menu bar: the enabling pass
// as the menu opens, then, when the entry is enabled, its handlers.
void ChooseMenuItem(Window& window, MenuItem& item);

}  // namespace fw::headless
