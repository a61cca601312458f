#pragma once
// The program's one menu bar, shared by every window.

#include "framework/menu.h"

class Menu : public fw::MenuBar {
 public:
  static const fw::ClassRecord& Lookup();
  static void ctblinit();
  const fw::ClassRecord& Class() const override { return Lookup(); }
  using fw::MenuItem::Lookup;

  // Builds the bar: the four top-level menus and their items, in order.
  void Constructor();
  void Untitled0();
  void Untitled1();
  void Untitled2();
  void Untitled3();

  // The shared instance: empty until the first call of implicit::Menu().
  static fw::Ref<Menu> _implicitInstance;

 private:
  void BuildMenu(int builder);
};

namespace implicit {
// The shared menu bar, built on first use and kept for the life of the
// process. A build that fails leaves it unbuilt, so the next call starts again.
fw::Ref<::Menu> Menu();
}  // namespace implicit
