// The menu model's tree and the order in which a chosen command reaches its
// handlers, the same on every platform.

#include "backend.h"
#include "edit_menu.h"
#include "framework/application.h"
#include "framework/window.h"

namespace fw {

MenuItem::MenuItem() = default;
MenuItem::~MenuItem() = default;

MenuItem::Views& MenuItem::PlatformViews() {
  if (!views_) {
    views_ = MakeMenuViews();
  }
  return *views_;
}

void MenuItem::Refresh() {
  if (views_) {
    RefreshMenuViews(*this);
  }
}

void MenuItem::SetVisible(bool value) {
  if (visible_ == value) {
    return;
  }
  visible_ = value;
  Refresh();
  MenuItemVisibilityChanged(*this, WindowsCarrying(*this));
}

std::vector<Window*> WindowsCarrying(const MenuItem& item) {
  const MenuItem* top = &item;
  while (top->Parent() != nullptr) {
    top = top->Parent();
  }
  std::vector<Window*> windows;
  for (const Ref<Window>& w : OpenWindows()) {
    if (w->MenuBar().get() == top) {
      windows.push_back(w.get());
    }
  }
  return windows;
}

void MenuItem::AddMenu(const Ref<MenuItem>& item) {
  if (!item) {
    throw NilObjectException("No menu item to add to " + name_);
  }
  item->parent_ = this;
  children_.push_back(item);
}

Ref<MenuItem> MenuItem::Child(std::string_view name) const {
  for (const Ref<MenuItem>& c : children_) {
    if (c->Name() == name) {
      return c;
    }
  }
  return nullptr;
}

Ref<MenuItem> MenuItem::Lookup(std::string_view name) const {
  for (const Ref<MenuItem>& c : children_) {
    if (c->Name() == name) {
      return c;
    }
    if (Ref<MenuItem> found = c->Lookup(name)) {
      return found;
    }
  }
  return nullptr;
}

void MenuItem::SetText(std::string text) {
  text_ = std::move(text);
  Refresh();
}

void MenuItem::SetCommandKey(std::string key) {
  commandKey_ = std::move(key);
  Refresh();
}

void MenuItem::SetEnabled(bool value) {
  enabled_ = value;
  Refresh();
}

namespace {

// Leaves take their enabled state from AutoEnable and the window's
// EnableMenuItems; a menu with items stays enabled so it can open.
void ResetToAutoEnable(MenuItem& item) {
  for (const Ref<MenuItem>& child : item.Children()) {
    if (child->Children().empty()) {
      child->SetEnabled(child->AutoEnable());
    } else {
      ResetToAutoEnable(*child);
    }
  }
}

}  // namespace

void UpdateMenuEnabling(Window& window) {
  Ref<MenuBar> bar = window.MenuBar();
  if (!bar || !window.IsOpen()) {
    return;
  }
  ResetToAutoEnable(*bar);
  if (window.Implements(WindowEvent::EnableMenuItems)) {
    RuntimeCallHandler([&window] { window.Event_EnableMenuItems(); });
  }
}

void MenuItemChosen(Window* window, MenuItem& item) {
  if (const std::optional<EditAction> edit = EditActionOf(item.Role());
      edit && window != nullptr && NativeWindowExists(*window)) {
    NativeEditFocusedControl(*window, *edit);
  }
  RunMenuHandlers(window, item);
}

void RunMenuHandlers(Window* window, MenuItem& item) {
  const std::string name = item.Name();
  bool handled = false;
  bool anyHandler = false;
  if (window != nullptr) {
    if (const MenuHandler* h = window->MenuHandlerFor(name)) {
      anyHandler = true;
      RuntimeCallHandler([&] { handled = (*h)(); });
    }
  }
  if (!handled) {
    if (Ref<Application> app = GetAppObject()) {
      if (const MenuHandler* h = app->MenuHandlerFor(name)) {
        anyHandler = true;
        RuntimeCallHandler([&] { handled = (*h)(); });
      }
    }
  }
  if (!anyHandler && item.Role() == MenuRole::Quit) {
    Quit(0);
  }
}

}  // namespace fw
