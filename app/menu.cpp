#include "app/menu.h"

#include <optional>
#include <string_view>

namespace {

// The menu table, in the order the entries are created and added.
struct MenuEntry {
  int builder;              // which of Untitled0..3 makes it
  std::string_view parent;  // empty: a top-level menu on the bar
  std::string_view name;
  bool quitItem;  // a QuitMenuItem rather than a MenuItem
  std::string_view text;
  std::optional<std::string_view> commandKey;  // not set at all for the separator
  bool autoEnable;
};

constexpr MenuEntry kMenuTable[] = {
    {0, "", "UntitledMenu3", false, "", "", false},
    {1, "", "FileMenu", false, "File", "", false},
    {1, "FileMenu", "CloseMenuItem", false, "Close", "", true},
    {1, "FileMenu", "FileQuit", true, "Quit", "Ctrl+Q", true},
    {2, "", "EditMenu", false, "Edit", "", false},
    {2, "EditMenu", "EditUndo", false, "Undo", "Ctrl+Z", false},
    {2, "EditMenu", "UntitledMenu1", false, "-", std::nullopt, false},
    {2, "EditMenu", "EditCut", false, "Cut", "Ctrl+X", false},
    {2, "EditMenu", "EditCopy", false, "Copy", "Ctrl+C", false},
    {2, "EditMenu", "EditPaste", false, "Paste", "Ctrl+V", false},
    {3, "", "WindowMenu", false, "Window", "", false},
    {3, "WindowMenu", "ControlMenuItem", false, "Control", "", false},
    {3, "WindowMenu", "AboutMenuItem", false, "About Quillmere", "", false},
    {3, "WindowMenu", "DescriptionMenuItem", false, "Instructions", "", false},
};

}  // namespace

fw::Ref<Menu> Menu::_implicitInstance;

const fw::ClassRecord& Menu::Lookup() {
  static const fw::ClassRecord* record = nullptr;
  return fw::BuildClassRecordOnce(record, [](fw::ClassRecord& r) {
    r.name = "Menu.Menu";
    r.super = &fw::MenuBar::Lookup();
    r.factory = [] { return std::make_shared<Menu>(); };
  });
}

void Menu::ctblinit() {
  Lookup();
}

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
    const fw::ClassRecord& cls = row.quitItem ? fw::QuitMenuItem::Lookup() : fw::MenuItem::Lookup();
    auto item = fw::RuntimeCheckCast<fw::MenuItem>(fw::RuntimeNewObject(cls));
    item->Constructor();
    item->SetName(std::string(row.name));
    item->SetAutoEnable(row.autoEnable);
    item->SetText(std::string(row.text));
    item->SetVisible(true);
    if (row.commandKey) {
      item->SetCommandKey(std::string(*row.commandKey));
    }
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
