#pragma once
// What the program's three window classes share: CreateControls, the
// accessors that find controls and menu items by name at every call, the
// attachment of the shared menu bar, the class boilerplate and the
// implicit-instance accessor.

#include <string>
#include <string_view>

#include "app/windows.h"
#include "framework/controls.h"
#include "framework/menu.h"
#include "framework/window.h"

class ProgramWindow : public fw::Window {
 public:
  // The one CreateControls of every window class: each class makes its own
  // controls in CreateControls0.
  void CreateControls() override { CreateControls0(); }
  virtual void CreateControls0() = 0;

  // The menu-item accessors: the entry of that name in the window's menu bar.
  fw::Ref<fw::MenuItem> WindowMenu() const { return MenuItemNamed("WindowMenu"); }
  fw::Ref<fw::MenuItem> DescriptionMenuItem() const { return MenuItemNamed("DescriptionMenuItem"); }
  fw::Ref<fw::MenuItem> AboutMenuItem() const { return MenuItemNamed("AboutMenuItem"); }
  fw::Ref<fw::MenuItem> ControlMenuItem() const { return MenuItemNamed("ControlMenuItem"); }
  fw::Ref<fw::MenuItem> EditMenu() const { return MenuItemNamed("EditMenu"); }
  fw::Ref<fw::MenuItem> EditPaste() const { return MenuItemNamed("EditPaste"); }
  fw::Ref<fw::MenuItem> EditCopy() const { return MenuItemNamed("EditCopy"); }
  fw::Ref<fw::MenuItem> EditCut() const { return MenuItemNamed("EditCut"); }
  fw::Ref<fw::MenuItem> UntitledMenu1() const { return MenuItemNamed("UntitledMenu1"); }
  fw::Ref<fw::MenuItem> EditUndo() const { return MenuItemNamed("EditUndo"); }
  fw::Ref<fw::MenuItem> FileMenu() const { return MenuItemNamed("FileMenu"); }
  fw::Ref<fw::QuitMenuItem> FileQuit() const { return MenuItemNamed<fw::QuitMenuItem>("FileQuit"); }
  fw::Ref<fw::MenuItem> CloseMenuItem() const { return MenuItemNamed("CloseMenuItem"); }
  fw::Ref<fw::MenuItem> UntitledMenu3() const { return MenuItemNamed("UntitledMenu3"); }

 protected:
  // Layout's first step: the shared menu bar becomes this window's.
  void AttachMenuBar();

  // The control accessor: the window's control of that name, cast to T.
  template <class T>
  fw::Ref<T> ControlNamed(std::string_view name) const {
    return fw::RuntimeCheckCast<T>(ControlByName(name));
  }

  // The first steps of making a control: new for this window, constructed,
  // added under its name, fetched back by that name and cast.
  template <class T>
  fw::Ref<T> NewControl(const std::string& name) {
    auto control = fw::RuntimeCheckCast<T>(New(T::Lookup()));
    control->Constructor();
    AddControl(name, control);
    return ControlNamed<T>(name);
  }

 private:
  // The entry of that name in the window's menu bar, cast to T; raises
  // NilObjectException when the window has no bar.
  template <class T = fw::MenuItem>
  fw::Ref<T> MenuItemNamed(std::string_view name) const {
    return fw::RuntimeCheckCast<T>(MenuBarOrRaise().Lookup(name));
  }
  const fw::MenuBar& MenuBarOrRaise() const;
};

// A window class of the program: its class record, ctblinit and
// IsEventImplemented (see fw::RegisteredClass), and its implicit instance.
template <class Self>
class ProgramWindowClass : public fw::RegisteredClass<Self, ProgramWindow> {
 public:
  // The live window of the class, or a new one, which builds itself and
  // becomes visible when its layout says so. Never shows a live window.
  static fw::Ref<Self> Implicit() {
    if (fw::Ref<fw::Window> live = fw::GetImplicitWindow(Self::kClassName)) {
      return fw::RuntimeCheckCast<Self>(live);
    }
    auto window = fw::RuntimeCheckCast<Self>(fw::RuntimeNewObject(Self::Lookup()));
    window->Constructor();
    return window;
  }
};

template <class W>
fw::Ref<fw::Window> windows::Implicit() {
  return W::Implicit();
}

template <class W>
void windows::ClassInit() {
  W::ctblinit();
}
