// The menu model's tree and the order in which a chosen command reaches its
// handlers, the same on every platform.

#include "backend.h"
#include "framework/application.h"

namespace fw {

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
