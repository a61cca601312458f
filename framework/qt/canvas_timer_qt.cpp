// Canvases and timers on Qt.

#include <QPainter>
#include <QWidget>

#include "framework/controls.h"
#include "qt/peers.h"

namespace fw {
namespace {

class CanvasWidget : public QWidget {
 public:
  explicit CanvasWidget(Canvas& owner) : owner_(owner) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    if (Ref<Picture> picture = owner_.Backdrop()) {
      QPainter painter(this);
      painter.drawImage(QPoint(0, 0), picture->PlatformImage().image);
    }
  }

 private:
  Canvas& owner_;
};

}  // namespace

RectControl::PeerPtr Canvas::MakePeer() {
  auto* widget = new CanvasWidget(*this);
  widget->setProperty("naturalFocus", static_cast<int>(Qt::NoFocus));
  return std::make_unique<Peer>(widget);
}

void Canvas::SetBackdrop(Ref<Picture> picture) {
  backdrop_ = std::move(picture);
  if (PlatformPeer() && PlatformPeer()->widget) {
    PlatformPeer()->widget->update();
  }
}

Timer::Timer() = default;
Timer::~Timer() = default;

void Timer::Restart() {
  if (!clock_) {
    clock_ = std::make_unique<Clock>();
    // A coarse timer may fire up to 5 % early; Period is a promise.
    clock_->timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&clock_->timer, &QTimer::timeout, &clock_->timer,
                     [this] { RaiseEvent(EventNumber::Action); });
  }
  clock_->timer.stop();
  if (runMode_ == 0 || window_ == nullptr) {
    return;
  }
  clock_->timer.setSingleShot(runMode_ == 1);
  clock_->timer.start(static_cast<int>(std::clamp<int64_t>(period_, 0, INT32_MAX)));
}

void Timer::AttachTo(Window* window) {
  Control::AttachTo(window);
  if (window == nullptr && clock_) {
    clock_->timer.stop();  // a closed window's timer fires no more
  }
}

}  // namespace fw
