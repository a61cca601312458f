// How a control raises its events on every platform: a command (a button's
// or a timer's Action) never runs inside another.

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "backend.h"
#include "framework/controls.h"
#include "framework/window.h"

namespace fw {

uint64_t RunningCommand() {
  const RunState& s = SharedRunState();
  return s.commandRunning ? s.commandsBegun : 0;
}

void RuntimeAddEventHandler(Control& control, EventNumber event, EventHandler handler) {
  control.handlers_[event] = std::move(handler);
}

bool Control::RaiseEvent(EventNumber event, const EventArgs& args) {
  auto it = handlers_.find(event);
  // A control of a closed window raises nothing: its handlers are the
  // window's methods.
  if (it == handlers_.end() || window_ == nullptr) {
    return false;
  }
  RunState& s = SharedRunState();
  if (event == EventNumber::Action && s.commandRunning) {
    // A command never runs inside another (a yield lets timers and painting
    // through): this one waits until the running one has finished.
    std::weak_ptr<Object> weak = weak_from_this();
    s.waitingCommands.emplace_back([weak, args] {
      if (auto self = std::static_pointer_cast<Control>(weak.lock())) {
        self->RaiseEvent(EventNumber::Action, args);
      }
    });
    return false;
  }
  // Copies, so that a handler may unhook itself or close the window.
  EventHandler handler = it->second;
  Ref<Object> keep = shared_from_this();
  bool result = false;
  const bool isCommand = event == EventNumber::Action;
  if (isCommand) {
    s.commandRunning = true;
    ++s.commandsBegun;
  }
  RuntimeCallHandler([&] { result = handler(*this, args); });
  if (isCommand) {
    // The commands that waited go to the event loop; nothing looks for them
    // before then.
    s.commandRunning = false;
    for (std::function<void()>& command : std::exchange(s.waitingCommands, {})) {
      PostToEventLoop(std::move(command));
    }
  }
  return result;
}

}  // namespace fw
