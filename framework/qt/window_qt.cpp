// Windows on Qt: a QMainWindow with the shared menu bar and a client area in
// which controls sit at their layout's pixel positions.

#include <QAbstractNativeEventFilter>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

#if QUILL_HAVE_XCB
#include <xcb/xcb.h>
#include <QGuiApplication>
#endif

#include "framework/dialogs.h"
#include "framework/window.h"
#include "qt/peers.h"
#include "src/gui/backend.h"
#include "src/gui/tab_key.h"

namespace fw {
namespace {

// The control behind a watched widget (or its viewport); null for the
// client area.
constexpr char kControlProperty[] = "quillControl";
const RectControl* WatchedControl(const QObject* watched) {
  return static_cast<const RectControl*>(watched->property(kControlProperty).value<void*>());
}

// On X, Qt gives a window with an empty title the application's name. A
// window's title is what its layout says, an empty one included: the name
// the window manager shows is emptied again once Qt has set it.
void KeepEmptyTitleEmpty([[maybe_unused]] QWidget& widget) {
#if QUILL_HAVE_XCB
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
  if (connection == nullptr || !widget.windowTitle().isEmpty() ||
      !widget.testAttribute(Qt::WA_WState_Created)) {
    return;
  }
  const auto atom = [connection](const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name),
        nullptr);
    const xcb_atom_t found = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return found;
  };
  static const xcb_atom_t netWmName = atom("_NET_WM_NAME");
  static const xcb_atom_t utf8String = atom("UTF8_STRING");
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(widget.winId()),
                      netWmName, utf8String, 8, 0, nullptr);
  xcb_flush(connection);
#endif
}

int MenuBarHeight(const QMainWindow& widget, bool visible) {
  return widget.menuWidget() && visible ? widget.menuWidget()->sizeHint().height() : 0;
}

// The window's minimum and maximum sizes, the ones the window manager is
// told, are the client area's with the menu bar above it. A window that is
// not resizeable has a fixed size: the window manager neither resizes nor
// maximises it.
void ApplySizeLimits(QMainWindow& widget, QWidget& client, const Window::Frame& frame,
                     int64_t width, int64_t height) {
  const auto size = [](int64_t w, int64_t h) {
    return QSize(static_cast<int>(std::clamp<int64_t>(w, 0, QWIDGETSIZE_MAX)),
                 static_cast<int>(std::clamp<int64_t>(h, 0, QWIDGETSIZE_MAX)));
  };
  const int menu = MenuBarHeight(widget, frame.menuBarVisible);
  if (frame.resizeable) {
    client.setMinimumSize(size(frame.minWidth, frame.minHeight));
    client.setMaximumSize(size(frame.maxWidth, frame.maxHeight));
    widget.setMinimumSize(size(frame.minWidth, frame.minHeight + menu));
    widget.setMaximumSize(size(frame.maxWidth, frame.maxHeight + menu));
  } else {
    client.setFixedSize(size(width, height));
    widget.setFixedSize(size(width, height + menu));
  }
}

// The window that Show asked to be activated, until it is. An activation of
// another window that the window system delivers meanwhile is most likely the
// window manager catching up with something earlier (a window it still
// withdraws hands the activation on), not the user's doing: it raises
// nothing, as it could hide the window just shown. A window manager may
// refuse the activation; after a while it is no longer awaited. A menu's
// hand-back is told apart however late it comes (FocusHandBackWatcher).
struct AwaitedActivation {
  QPointer<QWidget> window;
  QElapsedTimer since;
};
AwaitedActivation& Awaited() {
  static AwaitedActivation awaited;
  return awaited;
}
constexpr qint64 kActivationPatienceMs = 500;

void AwaitActivation(QWidget* window) {
  Awaited().window = window;
  Awaited().since.start();
}

void StopAwaiting(QWidget* window) {
  if (Awaited().window == window) {
    Awaited().window.clear();
  }
}

// Whether the window's activation is the user's, not a stale one.
bool ActivationCounts(QWidget* activated) {
  AwaitedActivation& awaited = Awaited();
  if (!awaited.window || awaited.window == activated || !awaited.window->isVisible() ||
      awaited.since.elapsed() > kActivationPatienceMs) {
    awaited.window.clear();
    return true;
  }
  return false;
}

#if QUILL_HAVE_XCB
// On X, a window gets the focus back with a FocusIn of mode NotifyUngrab when
// a grab ends: its menu (or another popup) closed. The watcher notes on the
// window's widget which kind its latest FocusIn was, before Qt turns it into
// the window's activation.
class FocusHandBackWatcher final : public QAbstractNativeEventFilter {
 public:
  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/) override {
    if (eventType != "xcb_generic_event_t") {
      return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_FOCUS_IN) {
      return false;
    }
    const auto* focus = static_cast<const xcb_focus_in_event_t*>(message);
    // Qt ignores these too: the pointer is over the window, the focus elsewhere.
    if (focus->detail == XCB_NOTIFY_DETAIL_POINTER) {
      return false;
    }
    for (QWidget* top : QApplication::topLevelWidgets()) {
      auto* widget = qobject_cast<WindowWidget*>(top);
      if (widget != nullptr && widget->internalWinId() == focus->event) {
        widget->NoteFocusHandedBack(focus->mode == XCB_NOTIFY_MODE_UNGRAB);
      }
    }
    return false;
  }
};
#endif

}  // namespace

std::unique_ptr<QAbstractNativeEventFilter> MakeFocusHandBackWatcher() {
#if QUILL_HAVE_XCB
  return std::make_unique<FocusHandBackWatcher>();
#else
  return nullptr;
#endif
}

WindowWidget::WindowWidget(Window& owner) : owner_(&owner) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  setCentralWidget(client);
  client->installEventFilter(this);
}

void WindowWidget::WatchControl(QWidget* widget, const RectControl& control) {
  // The control outlives its widget: its peer deletes the widget.
  const QVariant controlValue =
      QVariant::fromValue(const_cast<void*>(static_cast<const void*>(&control)));
  widget->setProperty(kControlProperty, controlValue);
  widget->installEventFilter(this);
  if (auto* area = qobject_cast<QAbstractScrollArea*>(widget)) {
    area->viewport()->setProperty(kControlProperty, controlValue);
    area->viewport()->installEventFilter(this);
  }
}

void WindowWidget::RememberLayoutSize(int width, int height) {
  layoutSize_ = QSize(width, height);
}

void WindowWidget::ApplyLocks() {
  if (!owner_ || !centralWidget() || layoutSize_.isEmpty()) {
    return;
  }
  const QSize now = centralWidget()->size();
  const int dw = now.width() - layoutSize_.width();
  const int dh = now.height() - layoutSize_.height();
  for (const Ref<Control>& control : owner_->Controls()) {
    auto* rect = dynamic_cast<RectControl*>(control.get());
    if (!rect || !rect->PlatformPeer() || !rect->PlatformPeer()->widget) {
      continue;
    }
    const Rect b = rect->Bounds();
    const PixelBox box = FollowLockedEdges({static_cast<int>(b.left), static_cast<int>(b.top),
                                            static_cast<int>(b.width), static_cast<int>(b.height)},
                                           rect->Locks(), dw, dh);
    rect->PlatformPeer()->widget->setGeometry(box.x, box.y, box.width, box.height);
  }
}

bool WindowWidget::event(QEvent* event) {
  if (event->type() == QEvent::Show || event->type() == QEvent::WindowTitleChange) {
    KeepEmptyTitleEmpty(*this);
  }
  if (event->type() == QEvent::WindowActivate && owner_) {
    const bool handedBack = std::exchange(focusHandedBack_, false);
    if (ActivationCounts(this)) {
      WindowActivated(*owner_, handedBack ? Activation::HandedBack : Activation::New);
    }
  }
  return QMainWindow::event(event);
}

void WindowWidget::closeEvent(QCloseEvent* event) {
  // The close box and Window::Close end here alike.
  event->accept();
  if (Window* owner = owner_) {
    Ref<Window> keep = std::static_pointer_cast<Window>(owner->shared_from_this());
    owner->Close();
  }
}

bool WindowWidget::RaiseKeyDown(const QKeyEvent& event) {
  return owner_ && RaiseWindowKeyDown(*owner_, KeyDownText(event));
}

bool WindowWidget::RaiseMouseDown(const QPoint& globalPosition) {
  if (!owner_ || !centralWidget()) {
    return false;
  }
  const QPoint p = centralWidget()->mapFromGlobal(globalPosition);
  return RaiseWindowMouseDown(*owner_, p.x(), p.y());
}

void WindowWidget::keyPressEvent(QKeyEvent* event) {
  if (!RaiseKeyDown(*event)) {
    QMainWindow::keyPressEvent(event);
  }
}

void WindowWidget::mousePressEvent(QMouseEvent* event) {
  if (!RaiseMouseDown(event->globalPosition().toPoint())) {
    QMainWindow::mousePressEvent(event);
  }
}

// Tab and Ctrl+Tab as the shared rule has them; false when the key is the
// control's own.
bool WindowWidget::MoveFocusByTab(QWidget& control, const QKeyEvent& event) {
  if (event.key() != Qt::Key_Tab && event.key() != Qt::Key_Backtab) {
    return false;
  }
  TabTarget target;
  if (auto* edit = qobject_cast<QTextEdit*>(&control)) {
    target = {!edit->tabChangesFocus(), edit->isReadOnly()};
  }
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  const TabMove move =
      TabKeyMove({event.key() == Qt::Key_Backtab || modifiers & Qt::ShiftModifier,
                  (modifiers & Qt::ControlModifier) != 0, (modifiers & Qt::AltModifier) != 0},
                 target);
  if (move == TabMove::None) {
    return false;
  }
  focusNextPrevChild(move == TabMove::Next);
  return true;
}

bool WindowWidget::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!owner_ || !widget || widget == this) {
    return false;
  }
  // Presses on the window's passive controls (labels, pictures, read-only
  // text) reach the window's own KeyDown and MouseDown. They are consumed
  // then, or they would travel on to the client area and be reported twice.
  const RectControl* control = WatchedControl(widget);
  if (control == nullptr || !TakesOwnInput(*control)) {
    if (event->type() == QEvent::MouseButtonPress && owner_->Implements(WindowEvent::MouseDown)) {
      RaiseMouseDown(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
      return true;
    }
    if (event->type() == QEvent::KeyPress && owner_->Implements(WindowEvent::KeyDown)) {
      RaiseKeyDown(*static_cast<QKeyEvent*>(event));
      return true;
    }
  }
  return event->type() == QEvent::KeyPress &&
         MoveFocusByTab(*widget, *static_cast<QKeyEvent*>(event));
}

void WindowWidget::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  ApplyLocks();
}

QWidget* ClientOf(Window& window) {
  return window.PlatformPeer().client;
}

Window::Window() : peer_(std::make_unique<Peer>()) {}

Window::~Window() {
  if (peer_->widget) {
    peer_->widget->Detach();
    delete peer_->widget.data();
  }
}

void Window::CreatePeer() {
  peer_->widget = new WindowWidget(*this);
  peer_->widget->setObjectName(QString::fromStdString(Class().name));
  peer_->client = peer_->widget->centralWidget();
}

bool NativeWindowExists(const Window& window) {
  return !window.PlatformPeer().widget.isNull();
}

void NativeWindowBuilt(Window& window, const std::vector<RectControl*>& tabOrder) {
  for (size_t i = 1; i < tabOrder.size(); ++i) {
    QWidget::setTabOrder(tabOrder[i - 1]->PlatformPeer()->widget,
                         tabOrder[i]->PlatformPeer()->widget);
  }
  window.PlatformPeer().widget->RememberLayoutSize(static_cast<int>(window.Width()),
                                                   static_cast<int>(window.Height()));
}

void NativeWindowShow(Window& window) {
  WindowWidget* widget = window.PlatformPeer().widget;
  widget->show();
  widget->raise();
  widget->activateWindow();
  if (!widget->isActiveWindow()) {
    AwaitActivation(widget);
  }
}

void NativeWindowHide(Window& window) {
  WindowWidget* widget = window.PlatformPeer().widget;
  StopAwaiting(widget);
  widget->hide();
}

bool NativeWindowVisible(const Window& window) {
  return window.PlatformPeer().widget->isVisible();
}

void NativeWindowActivate(Window& window) {
  window.PlatformPeer().widget->activateWindow();
}

bool NativeActiveWindowVisible() {
  const QWidget* active = QApplication::activeWindow();
  return active != nullptr && active->isVisible();
}

void NativeWindowDestroy(Window& window) {
  QPointer<WindowWidget>& widget = window.PlatformPeer().widget;
  // Later: this may run inside one of the widget's own events.
  widget->Detach();
  StopAwaiting(widget);
  widget->hide();
  widget->deleteLater();
  widget.clear();
}

void NativeWindowResize(Window& window) {
  Window::Peer& peer = window.PlatformPeer();
  const Window::Frame& frame = window.FrameProperties();
  const int width = static_cast<int>(window.Width()), height = static_cast<int>(window.Height());
  peer.widget->resize(width, height + MenuBarHeight(*peer.widget, frame.menuBarVisible));
  peer.widget->RememberLayoutSize(width, height);
  if (!frame.resizeable) {
    ApplySizeLimits(*peer.widget, *peer.client, frame, window.Width(), window.Height());
  }
}

void Window::SetMenuBar(Ref<fw::MenuBar> bar) {
  menuBar_ = std::move(bar);
  InstallMenuBar(*this);
}

void Window::SetTitle(const std::string& title) {
  title_ = title;
  if (peer_->widget) {
    peer_->widget->setWindowTitle(QString::fromStdString(title));
  }
}

void Window::ApplyFrame() {
  WindowWidget* widget = peer_->widget;
  if (!widget) {
    return;
  }
  const Frame& f = frame_;
  Qt::WindowFlags flags =
      (f.type == 2 ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (f.closeButton)
    flags |= Qt::WindowCloseButtonHint;
  if (f.minimizeButton)
    flags |= Qt::WindowMinimizeButtonHint;
  if (f.maximizeButton && f.resizeable)
    flags |= Qt::WindowMaximizeButtonHint;
  widget->setWindowFlags(flags);
  QWidget* client = peer_->client;
  ApplySizeLimits(*widget, *client, f, width_, height_);
  client->setAutoFillBackground(f.hasBackgroundColor);
  if (f.hasBackgroundColor) {
    QPalette palette = client->palette();
    palette.setColor(QPalette::Window, ToQColor(f.backgroundColor));
    client->setPalette(palette);
  }
  if (widget->menuWidget()) {
    widget->menuWidget()->setVisible(f.menuBarVisible);
  }
}

}  // namespace fw
