// What every control shares on Qt: events, geometry, focus, fonts and colours.

#include <QApplication>
#include <QFontDatabase>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <utility>
#include <vector>

#include "framework/controls.h"
#include "framework/window.h"
#include "qt/peers.h"
#include "qt/testing.h"

namespace fw {

namespace {
// Set while a command (a button's or a timer's Action) runs.
bool commandRunning = false;
// Counts the commands begun so far.
uint64_t commandsBegun = 0;

// Commands that came while another ran, oldest first. They are posted to the
// event loop when the running one ends: nothing wakes up to look before then.
std::vector<std::function<void()>>& Waiting() {
  static std::vector<std::function<void()>> waiting;
  return waiting;
}

void PostWaiting() {
  for (std::function<void()>& command : std::exchange(Waiting(), {})) {
    QTimer::singleShot(0, qApp, std::move(command));
  }
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
    PostWaiting();
  }
  return result;
}

void RuntimeAddEventHandler(Control& control, EventNumber event, EventHandler handler) {
  control.handlers_[event] = std::move(handler);
}

RectControl::RectControl() = default;

RectControl::~RectControl() {
  if (peer_ && peer_->widget) {
    delete peer_->widget.data();
  }
}

void RectControl::Constructor() {
  if (peer_) {
    return;
  }
  if (window_ == nullptr || ClientOf(*window_) == nullptr) {
    throw NilObjectException("A control needs its window before it is constructed");
  }
  peer_ = MakePeer();
  peer_->widget->setParent(ClientOf(*window_));
  peer_->widget->setGeometry(static_cast<int>(bounds_.left), static_cast<int>(bounds_.top),
                             static_cast<int>(bounds_.width), static_cast<int>(bounds_.height));
  window_->PlatformPeer().widget->WatchControl(peer_->widget);
  peer_->widget->show();
  SetTabStop(tabStop_);
}

void RectControl::SetBounds(const Rect& bounds) {
  bounds_ = bounds;
  if (peer_ && peer_->widget) {
    peer_->widget->setGeometry(static_cast<int>(bounds.left), static_cast<int>(bounds.top),
                               static_cast<int>(bounds.width), static_cast<int>(bounds.height));
    Relayout();
  }
}

bool RectControl::Visible() const {
  return peer_ && peer_->widget && !peer_->widget->isHidden();
}

void RectControl::SetVisible(bool visible) {
  if (peer_ && peer_->widget) {
    peer_->widget->setVisible(visible);
  }
}

bool RectControl::Enabled() const {
  return peer_ && peer_->widget && peer_->widget->isEnabled();
}

void RectControl::SetEnabled(bool enabled) {
  if (peer_ && peer_->widget) {
    peer_->widget->setEnabled(enabled);
  }
}

void RectControl::SetFocus() {
  if (peer_ && peer_->widget) {
    peer_->widget->setFocus(Qt::OtherFocusReason);
  }
}

bool RectControl::HasFocus() const {
  return peer_ && peer_->widget && peer_->widget->hasFocus();
}

void RectControl::SetTabIndex(int64_t index) {
  tabIndex_ = index;
}

void RectControl::SetTabStop(bool tabStop) {
  tabStop_ = tabStop;
  if (!peer_ || !peer_->widget) {
    return;
  }
  const Qt::FocusPolicy natural =
      peer_->widget->property("naturalFocus").isValid()
          ? static_cast<Qt::FocusPolicy>(peer_->widget->property("naturalFocus").toInt())
          : Qt::StrongFocus;
  if (tabStop) {
    peer_->widget->setFocusPolicy(natural == Qt::NoFocus ? Qt::TabFocus : Qt::StrongFocus);
  } else {
    peer_->widget->setFocusPolicy(natural == Qt::NoFocus ? Qt::NoFocus : Qt::ClickFocus);
  }
}

void RectControl::SetTooltip(const std::string& text) {
  if (peer_ && peer_->widget) {
    peer_->widget->setToolTip(QString::fromStdString(text));
  }
}

QColor ToQColor(Color color) {
  return QColor((color.value >> 16) & 0xFF, (color.value >> 8) & 0xFF, color.value & 0xFF);
}

QFont ToQFont(const FontSpec& spec) {
  QFont font = spec.name == "Courier" ? QFontDatabase::systemFont(QFontDatabase::FixedFont)
               : spec.name == "System" || spec.name.empty()
                   ? QFontDatabase::systemFont(QFontDatabase::GeneralFont)
                   : QFont(QString::fromStdString(spec.name));
  if (spec.size > 0) {
    font.setPixelSize(std::max(1, static_cast<int>(spec.size + 0.5f)));
  }
  font.setBold(spec.bold);
  font.setItalic(spec.italic);
  font.setUnderline(spec.underline);
  return font;
}

void TextControl::ApplyFont() {
  if (peer_ && peer_->widget) {
    peer_->widget->setFont(ToQFont(font_));
    Relayout();
  }
}

void TextControl::ApplyColors() {
  if (!peer_ || !peer_->widget) {
    return;
  }
  QPalette palette = peer_->widget->palette();
  palette.setColor(QPalette::WindowText, ToQColor(textColor_));
  palette.setColor(QPalette::ButtonText, ToQColor(textColor_));
  palette.setColor(QPalette::Text, ToQColor(textColor_));
  if (hasBackgroundColor_) {
    palette.setColor(QPalette::Base, ToQColor(backgroundColor_));
  }
  peer_->widget->setPalette(palette);
}

namespace testing {
QWidget* WidgetOf(const RectControl& control) {
  return control.PlatformPeer() ? control.PlatformPeer()->widget.data() : nullptr;
}
}  // namespace testing

}  // namespace fw
