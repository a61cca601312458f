#pragma once
// Controls: the base of everything a window holds, their events and the
// delegates that hook a window's methods to them.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <typeinfo>

#include "framework/exceptions.h"
#include "framework/object.h"

namespace fw {

class Window;
class Control;

// A control event's number, as handlers are hooked by it.
enum class EventNumber : int { Open = 2, KeyDown = 9, Action = 15 };

struct EventArgs {
  std::string key;  // KeyDown: the key as text
};

// A hooked handler: gets the control and the event's arguments; its Boolean
// goes back to the framework (KeyDown: True keeps the key out of the field).
using EventHandler = std::function<bool(Control& sender, const EventArgs& args)>;

template <class Target, class C>
EventHandler RuntimeCreateDelegate(void (Target::*method)(C&), Target* target) {
  return [target, method](Control& sender, const EventArgs&) {
    (target->*method)(dynamic_cast<C&>(sender));
    return false;
  };
}

template <class Target, class C>
EventHandler RuntimeCreateDelegate(bool (Target::*method)(C&, const std::string&), Target* target) {
  return [target, method](Control& sender, const EventArgs& args) {
    return (target->*method)(dynamic_cast<C&>(sender), args.key);
  };
}

// The Index a layout gives a control that belongs to no control array.
inline constexpr int64_t kNoIndex = -2147483648LL;

class Control : public Object {
 public:
  static const ClassRecord& Lookup();
  const ClassRecord& Class() const override { return Lookup(); }

  const std::string& Name() const { return name_; }
  // The window that made the control (Window::New); null once it is gone.
  Window* OwnerWindow() const { return window_; }

  // Runs the hooked handler of the event, if any, under the run time's
  // exception handling. Returns the handler's Boolean (False without one).
  bool RaiseEvent(EventNumber event, const EventArgs& args = {});
  bool HasEventHandler(EventNumber event) const { return handlers_.count(event) != 0; }

 protected:
  friend class Window;
  friend void RuntimeAddEventHandler(Control& control, EventNumber event, EventHandler handler);

  // Called when the window gives the control its name and when the window
  // goes away.
  virtual void AttachTo(Window* window) { window_ = window; }

  std::string name_;
  Window* window_ = nullptr;
  std::map<EventNumber, EventHandler> handlers_;
};

void RuntimeAddEventHandler(Control& control, EventNumber event, EventHandler handler);

}  // namespace fw
