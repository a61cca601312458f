#include "app/menu.h"

#include <optional>
#include <string_view>

namespace {

// The menu table, in the order the entries are created and added.
struct MenuEntry {
  int builder;              // which of Untitled0..3 makes it
  std::string_view parent;  // empty: a top-level menu on the bar
  std::string_view name;
  fw::MenuRole role;  // Quit: a QuitMenuItem; the editing roles act on the focused text
  std::string_view text;
  std::optional<std::string_view> commandKey;  // not set at all for the separator
  bool autoEnable;
};

using Role = fw::MenuRole;

constexpr MenuEntry kMenuTable[] = {
    {0, "", "UntitledMenu3", Role::None, "", "", false},
    {1, "", "FileMenu", Role::None, "File", "", false},
    {1, "FileMenu", "CloseMenuItem", Role::None, "Close", "", true},
    {1, "FileMenu", "FileQuit", Role::Quit, "Quit", "Ctrl+Q", true},
    {2, "", "EditMenu", Role::None, "Edit", "", false},
    {2, "EditMenu", "EditUndo", Role::Undo, "Undo", "Ctrl+Z", false},
    {2, "EditMenu", "UntitledMenu1", Role::None, "-", std::nullopt, false},
    {2, "EditMenu", "EditCut", Role::Cut, "Cut", "Ctrl+X", false},
    {2, "EditMenu", "EditCopy", Role::Copy, "Copy", "Ctrl+C", false},
    {2, "EditMenu", "EditPaste", Role::Paste, "Paste", "Ctrl+V", false},
    {3, "", "WindowMenu", Role::None, "Window", "", false},
    {3, "WindowMenu", "ControlMenuItem", Role::None, "Control", "", false},
    {3, "WindowMenu", "AboutMenuItem", Role::None, "About Quillmere", "", false},
    {3, "WindowMenu", "DescriptionMenuItem", Role::None, "Instructions", "", false},
};

}  // namespace

fw::Ref<Menu> Menu::_implicitInstance;

void Menu::Constructor() {
  Untitled0();
  Untitled1();
  Untitled2();
  Untitled3();
}

void Menu::Untitled0() {
  BuildMenu(0);
}
void Menu::Untitled1() {
  BuildMenu(1);
}
void Menu::Untitled2() {
  BuildMenu(2);
}
void Menu::Untitled3() {
  BuildMenu(3);
}

void Menu::BuildMenu(int builder) {
  for (const MenuEntry& row : kMenuTable) {
    if (row.builder != builder) {
      continue;
    }
    const fw::ClassRecord& cls =
        row.role == Role::Quit ? fw::QuitMenuItem::Lookup() : fw::MenuItem::Lookup();
    auto item = fw::RuntimeCheckCast<fw::MenuItem>(fw::RuntimeNewObject(cls));
    item->Constructor();
    item->SetName(std::string(row.name));
    item->SetAutoEnable(row.autoEnable);
    item->SetText(std::string(row.text));
    item->SetVisible(true);
    if (row.commandKey) {
      item->SetCommandKey(std::string(*row.commandKey));
    }
    item->SetRole(row.role);
    if (row.parent.empty()) {
      AddMenu(item);
    } else {
      // The parent is looked up afresh for every item.
      fw::Ref<fw::MenuItem> parent = Child(row.parent);
      if (!parent) {
        throw fw::NilObjectException("No menu named " + std::string(row.parent));
      }
      parent->AddMenu(item);
    }
  }
}

namespace implicit {
fw::Ref<::Menu> Menu() {
  if (!::Menu::_implicitInstance) {
    auto bar = fw::RuntimeCheckCast<::Menu>(fw::RuntimeNewObject(::Menu::Lookup()));
    bar->Constructor();  // raises before the instance is stored: nothing half-built is kept
    ::Menu::_implicitInstance = bar;
  }
  return ::Menu::_implicitInstance;
}
}  // namespace implicit
