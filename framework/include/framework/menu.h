#pragma once
// The menu model: menu bars, menus and items, found by name. One bar may be
// carried by several windows; an item's state is then one state for all.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/exceptions.h"
#include "framework/object.h"

namespace fw {

// What an entry does by itself, whatever its name. An editing entry first
// acts on the focused text control; a Quit entry that no handler takes quits
// the application.
enum class MenuRole { None, Undo, Cut, Copy, Paste, Quit };

class MenuItem : public Object {
 public:
  // The class record. (The by-name search below shares the name.)
  static const ClassRecord& Lookup();
  const ClassRecord& Class() const override { return Lookup(); }
  MenuItem();
  ~MenuItem() override;

  // Default construction; runs on every entry right after it is created.
  void Constructor() {}

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  // The caption; "-" makes the entry a separator.
  const std::string& Text() const { return text_; }
  void SetText(std::string text);
  // The shortcut as text, such as "Ctrl+Q"; empty for none.
  const std::string& CommandKey() const { return commandKey_; }
  void SetCommandKey(std::string key);
  bool AutoEnable() const { return autoEnable_; }
  void SetAutoEnable(bool value) { autoEnable_ = value; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  bool IsSeparator() const { return text_ == "-"; }
  MenuRole Role() const { return role_; }
  void SetRole(MenuRole role) { role_ = role; }

  // Adds `item` as the last child.
  void AddMenu(const Ref<MenuItem>& item);
  // The direct child of that name, or null.
  Ref<MenuItem> Child(std::string_view name) const;
  // The entry of that name at any depth below this one, or null.
  Ref<MenuItem> Lookup(std::string_view name) const;
  const std::vector<Ref<MenuItem>>& Children() const { return children_; }
  MenuItem* Parent() const { return parent_; }

  // The platform's views of this entry (one per window carrying its bar).
  struct Views;
  Views& PlatformViews();

 private:
  void Refresh();
  std::string name_, text_, commandKey_;
  bool autoEnable_ = false, enabled_ = true, visible_ = true;
  MenuRole role_ = MenuRole::None;
  std::vector<Ref<MenuItem>> children_;
  MenuItem* parent_ = nullptr;
  std::unique_ptr<Views> views_;
};

// An item whose own action quits the application: its role is Quit.
class QuitMenuItem : public MenuItem {
 public:
  QuitMenuItem() { SetRole(MenuRole::Quit); }
  static const ClassRecord& Lookup();
  const ClassRecord& Class() const override { return Lookup(); }
  using MenuItem::Lookup;
};

class MenuBar : public MenuItem {
 public:
  static const ClassRecord& Lookup();
  const ClassRecord& Class() const override { return Lookup(); }
  using MenuItem::Lookup;
};

}  // namespace fw
