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

namespace {
// Set while a command runs.
bool commandRunning = false;
// Counts the commands begun so far.
uint64_t commandsBegun = 0;

// Commands that came while another ran, oldest first.
std::vector<std::function<void()>>& Waiting() {
  static std::vector<std::function<void()>> waiting;
  return waiting;
}
}  // namespace

uint64_t RunningCommand() {
  return commandRunning ? commandsBegun : 0;
}

bool Control::RaiseEvent(EventNumber event, const EventArgs& args) {
  auto it = handlers_.find(event);
  // A control of a closed window raises nothing: its handlers are the
  // window's methods.
  if (it == handlers_.end() || window_ == nullptr) {
    return false;
  }
  if (event == EventNumber::Action && commandRunning) {
    // A command never runs inside another (a yield lets timers and painting
    // through): this one waits until the running one has finished.
    std::weak_ptr<Object> weak = weak_from_this();
    Waiting().emplace_back([weak, args] {
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
    commandRunning = true;
    ++commandsBegun;
  }
  RuntimeCallHandler([&] { result = handler(*this, args); });
  if (isCommand) {
    commandRunning = false;
    if (!Waiting().empty()) {
      PostWaitingCommands(std::exchange(Waiting(), {}));
    }
  }
  return result;
}

}  // namespace fw
