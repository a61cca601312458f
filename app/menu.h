#pragma once
// The program's one menu bar, shared by every window.

#include <string_view>

#include "framework/menu.h"

class Menu : public fw::RegisteredClass<Menu, fw::MenuBar> {
 public:
  static constexpr std::string_view kClassName = "Menu.Menu";

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
