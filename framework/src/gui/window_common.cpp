// What a window does the same on every platform: the registry of open
// windows, its controls by name and its menu handlers.

#include <algorithm>

#include "backend.h"
#include "framework/controls.h"
#include "framework/runtime.h"
#include "label_names.h"

namespace fw {

std::vector<Ref<Window>>& WindowRegistry() {
  static std::vector<Ref<Window>> windows;
  return windows;
}

void UnregisterWindow(Window& window) {
  std::erase_if(WindowRegistry(), [&](const Ref<Window>& w) { return w.get() == &window; });
}

Ref<Window> GetImplicitWindow(std::string_view className) {
  for (const Ref<Window>& w : WindowRegistry()) {
    if (w->Class().name == className) {
      return w;
    }
  }
  return nullptr;
}

void Window::Constructor() {
  CreatePeer();
  open_ = true;
  WindowRegistry().push_back(std::static_pointer_cast<Window>(shared_from_this()));
  building_ = true;
  try {
    Build();
  } catch (...) {
    // A window that could not be built is not kept as its class's live
    // window: the next accessor call builds a new one.
    building_ = false;
    Discard();
    throw;
  }
  building_ = false;
  if (visibleAfterBuild_) {
    Show();
  }
}

std::vector<RectControl*> TabStopsInOrder(const Window& window) {
  std::vector<RectControl*> tabStops;
  for (const Ref<Control>& c : window.Controls()) {
    if (auto* r = dynamic_cast<RectControl*>(c.get()); r && r->TabStop() && r->PlatformPeer()) {
      tabStops.push_back(r);
    }
  }
  std::stable_sort(tabStops.begin(), tabStops.end(),
                   [](RectControl* a, RectControl* b) { return a->TabIndex() < b->TabIndex(); });
  return tabStops;
}

void Window::Build() {
  if (Implements(WindowEvent::Layout)) {
    Layout();
  }
  if (Implements(WindowEvent::CreateControls)) {
    CreateControls();
  }
  // Open events come after every control and its handlers exist.
  for (const Ref<Control>& c : std::vector<Ref<Control>>(controls_)) {
    c->RaiseEvent(EventNumber::Open);
  }
  if (Implements(WindowEvent::AddMenuHandlers)) {
    AddMenuHandlers(*this);
  }
  NativeWindowBuilt(*this, TabStopsInOrder(*this));
  NameTextControlsAfterLabels(*this);
}

void Window::Show() {
  if (!open_ || !NativeWindowExists(*this)) {
    return;
  }
  if (building_) {
    // Shown once the build is done.
    visibleAfterBuild_ = true;
    return;
  }
  NativeWindowShow(*this);
}

void Window::Hide() {
  if (building_) {
    visibleAfterBuild_ = false;
  }
  if (NativeWindowExists(*this)) {
    NativeWindowHide(*this);
    PostToEventLoop(&ActivateNewestVisible);
  }
}

bool Window::Visible() const {
  if (building_) {
    return visibleAfterBuild_;
  }
  return NativeWindowExists(*this) && NativeWindowVisible(*this);
}

void Window::Discard() {
  Ref<Window> keep = std::static_pointer_cast<Window>(shared_from_this());
  open_ = false;
  if (NativeWindowExists(*this)) {
    NativeWindowDestroy(*this);
    PostToEventLoop(&ActivateNewestVisible);
  }
  // The controls belong to no window now; a timer among them fires no more.
  for (const Ref<Control>& control : controls_) {
    control->AttachTo(nullptr);
  }
  UnregisterWindow(*this);
}

void Window::SetSize(int64_t width, int64_t height) {
  width_ = width;
  height_ = height;
  if (NativeWindowExists(*this)) {
    NativeWindowResize(*this);
  }
}

void ActivateNewestVisible() {
  if (NativeActiveWindowVisible()) {
    return;
  }
  const std::vector<Ref<Window>> windows = WindowRegistry();
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    if (NativeWindowExists(**it) && NativeWindowVisible(**it)) {
      NativeWindowActivate(**it);
      return;
    }
  }
}

bool TakesOwnInput(const RectControl& control) {
  if (const auto* area = dynamic_cast<const TextArea*>(&control)) {
    return !area->ReadOnly();
  }
  return dynamic_cast<const TextField*>(&control) != nullptr ||
         dynamic_cast<const PushButton*>(&control) != nullptr;
}

void WindowActivated(Window& window, Activation how) {
  Ref<Window> keep = std::static_pointer_cast<Window>(window.shared_from_this());
  // A hand-back is no activation by the user: its Activate would act on a
  // window a command from the menu just showed (the main window's hides the
  // splash that Window > About brought back).
  if (how == Activation::New && window.Implements(WindowEvent::Activate)) {
    RuntimeCallHandler([&window] { window.Event_Activate(); });
  }
  UpdateMenuEnabling(window);
}

bool RaiseWindowKeyDown(Window& window, const std::string& key) {
  if (key.empty() || !window.Implements(WindowEvent::KeyDown)) {
    return false;
  }
  Ref<Window> keep = std::static_pointer_cast<Window>(window.shared_from_this());
  bool handled = false;
  RuntimeCallHandler([&] { handled = window.Event_KeyDown(key); });
  return handled;
}

bool RaiseWindowMouseDown(Window& window, int64_t x, int64_t y) {
  if (!window.Implements(WindowEvent::MouseDown)) {
    return false;
  }
  Ref<Window> keep = std::static_pointer_cast<Window>(window.shared_from_this());
  bool handled = false;
  RuntimeCallHandler([&] { handled = window.Event_MouseDown(x, y); });
  return handled;
}

void Window::Close() {
  if (!open_) {
    return;
  }
  open_ = false;
  Ref<Window> keep = std::static_pointer_cast<Window>(shared_from_this());
  if (Implements(WindowEvent::Close)) {
    RuntimeCallHandler([this] { Event_Close(); });
  }
  Discard();
  // With no window left (the splash closed before it handed over) the user
  // has no way on and no way out: the application ends.
  if (WindowRegistry().empty()) {
    Quit(0);
  }
}

PixelBox FollowLockedEdges(PixelBox box, const EdgeLocks& locks, int dw, int dh) {
  if (locks.right && locks.left) {
    box.width += dw;
  } else if (locks.right) {
    box.x += dw;
  }
  if (locks.bottom && locks.top) {
    box.height += dh;
  } else if (locks.bottom) {
    box.y += dh;
  }
  box.width = std::max(box.width, 0);
  box.height = std::max(box.height, 0);
  return box;
}

std::vector<Ref<Window>> OpenWindows() {
  return WindowRegistry();
}

void Window::SetVisible(bool visible) {
  visible ? Show() : Hide();
}

Ref<Object> Window::New(const ClassRecord& controlClass) {
  Ref<Object> object = RuntimeNewObject(controlClass);
  auto control = std::dynamic_pointer_cast<Control>(object);
  if (!control) {
    throw IllegalCastException("The class " + controlClass.name + " is not a control");
  }
  control->AttachTo(this);
  return object;
}

void Window::AddControl(const std::string& name, const Ref<Control>& control) {
  if (!control) {
    throw NilObjectException("No control to add as " + name);
  }
  control->name_ = name;
  control->AttachTo(this);
  controls_.push_back(control);
}

Ref<Control> Window::ControlByName(std::string_view name) const {
  for (const Ref<Control>& c : controls_) {
    if (c->Name() == name) {
      return c;
    }
  }
  return nullptr;
}

void Window::AddMenuHandler(const std::string& itemName, MenuHandler handler) {
  menuHandlers_[itemName] = std::move(handler);
}

const MenuHandler* Window::MenuHandlerFor(const std::string& itemName) const {
  auto it = menuHandlers_.find(itemName);
  return it == menuHandlers_.end() ? nullptr : &it->second;
}

}  // namespace fw
