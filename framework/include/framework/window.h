#pragma once
// Windows: built from their layout at creation, holding controls by name,
// carrying a menu bar, raising window events. At most one live window is
// registered under each class name, until it is closed.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/control.h"
#include "framework/menu.h"
#include "framework/object.h"
#include "framework/property_list.h"
#include "framework/runtime.h"

namespace fw {

class Window : public Object {
 public:
  static const ClassRecord& Lookup();
  const ClassRecord& Class() const override { return Lookup(); }
  Window();
  ~Window() override;

  // Builds the window: Layout, CreateControls, the controls' Open events,
  // AddMenuHandlers; registers it under its class name; shows it when its
  // layout says Visible. A build that raises leaves no window registered.
  void Constructor();

  void Show();
  void Hide();
  // Closes the window: its Close event, then it is gone. When no window is
  // left open the application quits.
  void Close();
  bool IsOpen() const { return open_; }
  // Removes the window without its Close event: at shutdown.
  void Discard();
  bool Visible() const;
  void SetVisible(bool visible);

  Ref<fw::MenuBar> MenuBar() const { return menuBar_; }
  void SetMenuBar(Ref<fw::MenuBar> bar);

  // A new control of the class for this window, not yet constructed.
  Ref<Object> New(const ClassRecord& controlClass);
  void AddControl(const std::string& name, const Ref<Control>& control);
  // The control held under that name, or null.
  Ref<Control> ControlByName(std::string_view name) const;
  const std::vector<Ref<Control>>& Controls() const { return controls_; }

  void AddMenuHandler(const std::string& itemName, MenuHandler handler);
  const MenuHandler* MenuHandlerFor(const std::string& itemName) const;

  // Window properties, as the layout sets them.
  std::string Title() const { return title_; }
  void SetTitle(const std::string& title);
  int64_t Width() const { return width_; }
  int64_t Height() const { return height_; }
  void SetSize(int64_t width, int64_t height);

  // Window events. The framework raises an event only when the object's class
  // implements it (its class record lists it).
  virtual void Layout() {}
  virtual void CreateControls() {}
  virtual void AddMenuHandlers(Window& /*window*/) {}
  virtual void Event_Activate() {}
  virtual void Event_Close() {}
  virtual void Event_EnableMenuItems() {}
  virtual bool Event_KeyDown(const std::string& /*key*/) { return false; }
  virtual bool Event_MouseDown(int64_t /*x*/, int64_t /*y*/) { return false; }

  // Whether this window's class implements the window event.
  bool Implements(WindowEvent event) const;

  // The platform side of a window. Opaque to program code.
  struct Peer;
  Peer& PlatformPeer() const { return *peer_; }

 private:
  // The platform's window behind this one, still empty.
  void CreatePeer();
  void Build();
  friend struct WindowProperties;
  friend struct Peer;
  std::unique_ptr<Peer> peer_;
  Ref<fw::MenuBar> menuBar_;
  std::vector<Ref<Control>> controls_;
  std::map<std::string, MenuHandler> menuHandlers_;
  std::string title_;
  int64_t width_ = 300, height_ = 300;
  bool open_ = false;
  bool visibleAfterBuild_ = false;
  bool building_ = false;

 public:
  // Layout properties that only shape the platform window.
  struct Frame {
    int64_t minWidth = 64, minHeight = 64, maxWidth = 32000, maxHeight = 32000;
    int64_t type = 0;  // 0 document window, 2 plain dialog-style window
    bool closeButton = true, maximizeButton = false, minimizeButton = false;
    bool resizeable = true;
    bool hasBackgroundColor = false;
    Color backgroundColor{0x00FFFFFF};
    bool menuBarVisible = true;
  };
  const Frame& FrameProperties() const { return frame_; }

 private:
  void ApplyFrame();
  Frame frame_;
};

// The live window registered under the class name, or null.
Ref<Window> GetImplicitWindow(std::string_view className);
// Every open window, in the order they were made.
std::vector<Ref<Window>> OpenWindows();

}  // namespace fw
