// Windows on Qt: a QMainWindow with the shared menu bar and a client area in
// which controls sit at their layout's pixel positions.

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

#if QUILL_HAVE_XCB
#include <xcb/xcb.h>
#include <QGuiApplication>
#endif

#include "framework/dialogs.h"
#include "framework/window.h"
#include "qt/peers.h"
#include "qt/testing.h"
#include "src/gui/backend.h"
#include "src/gui/label_names.h"
#include "src/gui/tab_key.h"

namespace fw {
namespace {

// Controls that take the user's typing and clicking themselves; presses on
// anything else belong to the window.
bool IsInputWidget(QWidget* widget) {
  if (auto* edit = qobject_cast<QTextEdit*>(widget->parentWidget());
      edit && edit->viewport() == widget) {
    widget = edit;
  }
  if (auto* edit = qobject_cast<QTextEdit*>(widget)) {
    return !edit->isReadOnly();
  }
  return widget->inherits("QLineEdit") || widget->inherits("QAbstractButton");
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
// another window that the window system delivers meanwhile is the window
// system catching up with something earlier (a menu that closed hands the
// activation back to the window it belongs to), not the user's doing: it
// raises no Activate, which could hide the window just shown. A window
// manager may refuse the activation; after a while it is no longer awaited.
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

// A window hidden or closed leaves no window active when it had the
// activation, and one shown and hidden in one go may still take the
// activation its showing asked for: once that has settled, the newest visible
// window gets it.
void ActivateNewestVisibleLater() {
  QTimer::singleShot(0, qApp, [] {
    QWidget* active = QApplication::activeWindow();
    if (active != nullptr && active->isVisible()) {
      return;
    }
    const auto windows = WindowRegistry();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
      if (QWidget* w = (*it)->PlatformPeer().widget; w != nullptr && w->isVisible()) {
        w->activateWindow();
        return;
      }
    }
  });
}

}  // namespace

WindowWidget::WindowWidget(Window& owner) : owner_(&owner) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  setCentralWidget(client);
  client->installEventFilter(this);
}

void WindowWidget::WatchControl(QWidget* widget) {
  widget->installEventFilter(this);
  if (auto* area = qobject_cast<QAbstractScrollArea*>(widget)) {
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
  if (event->type() == QEvent::WindowActivate && owner_ && ActivationCounts(this)) {
    Window* owner = owner_;
    RuntimeCallHandler([owner] {
      if (owner->Implements(WindowEvent::Activate)) {
        owner->Event_Activate();
      }
    });
    if (owner_) {
      UpdateMenuEnabling(*owner_);
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
  if (!owner_ || !owner_->Implements(WindowEvent::KeyDown)) {
    return false;
  }
  const std::string key = KeyDownText(event);
  if (key.empty()) {
    return false;
  }
  Ref<Window> owner = std::static_pointer_cast<Window>(owner_->shared_from_this());
  bool handled = false;
  RuntimeCallHandler([&] { handled = owner->Event_KeyDown(key); });
  return handled;
}

bool WindowWidget::RaiseMouseDown(const QPoint& globalPosition) {
  if (!owner_ || !owner_->Implements(WindowEvent::MouseDown) || !centralWidget()) {
    return false;
  }
  Ref<Window> owner = std::static_pointer_cast<Window>(owner_->shared_from_this());
  const QPoint p = centralWidget()->mapFromGlobal(globalPosition);
  bool handled = false;
  RuntimeCallHandler([&] { handled = owner->Event_MouseDown(p.x(), p.y()); });
  return handled;
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
  if (!IsInputWidget(widget)) {
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

void Window::Build() {
  if (Implements(WindowEvent::Layout)) {
    Layout();
  }
  if (Implements(WindowEvent::CreateControls)) {
    CreateControls();
  }
  // Tab order follows TabIndex among the controls that are tab stops.
  std::vector<RectControl*> tabStops;
  for (const Ref<Control>& c : controls_) {
    if (auto* r = dynamic_cast<RectControl*>(c.get()); r && r->TabStop() && r->PlatformPeer()) {
      tabStops.push_back(r);
    }
  }
  std::stable_sort(tabStops.begin(), tabStops.end(),
                   [](RectControl* a, RectControl* b) { return a->TabIndex() < b->TabIndex(); });
  for (size_t i = 1; i < tabStops.size(); ++i) {
    QWidget::setTabOrder(tabStops[i - 1]->PlatformPeer()->widget,
                         tabStops[i]->PlatformPeer()->widget);
  }
  NameTextControlsAfterLabels(*this);
  // Open events come after every control and its handlers exist.
  for (const Ref<Control>& c : std::vector<Ref<Control>>(controls_)) {
    c->RaiseEvent(EventNumber::Open);
  }
  if (Implements(WindowEvent::AddMenuHandlers)) {
    AddMenuHandlers(*this);
  }
  peer_->widget->RememberLayoutSize(static_cast<int>(width_), static_cast<int>(height_));
}

void Window::Show() {
  if (!open_ || !peer_->widget) {
    return;
  }
  if (building_) {
    visibleAfterBuild_ = true;
    return;
  }
  peer_->widget->show();
  peer_->widget->raise();
  peer_->widget->activateWindow();
  if (!peer_->widget->isActiveWindow()) {
    AwaitActivation(peer_->widget);
  }
}

void Window::Hide() {
  if (building_) {
    visibleAfterBuild_ = false;
  }
  if (peer_->widget) {
    StopAwaiting(peer_->widget);
    peer_->widget->hide();
    ActivateNewestVisibleLater();
  }
}

bool Window::Visible() const {
  if (building_) {
    return visibleAfterBuild_;
  }
  return peer_->widget && peer_->widget->isVisible();
}

void Window::Discard() {
  Ref<Window> keep = std::static_pointer_cast<Window>(shared_from_this());
  open_ = false;
  if (peer_->widget) {
    // Later: this may run inside one of the widget's own events.
    peer_->widget->Detach();
    StopAwaiting(peer_->widget);
    peer_->widget->hide();
    peer_->widget->deleteLater();
    peer_->widget.clear();
    ActivateNewestVisibleLater();
  }
  // The controls belong to no window now; a timer among them fires no more.
  for (const Ref<Control>& control : controls_) {
    control->AttachTo(nullptr);
  }
  UnregisterWindow(*this);
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

void Window::SetSize(int64_t width, int64_t height) {
  width_ = width;
  height_ = height;
  if (peer_->widget) {
    const int menuHeight = MenuBarHeight(*peer_->widget, frame_.menuBarVisible);
    peer_->widget->resize(static_cast<int>(width), static_cast<int>(height) + menuHeight);
    peer_->widget->RememberLayoutSize(static_cast<int>(width), static_cast<int>(height));
    if (!frame_.resizeable) {
      ApplySizeLimits(*peer_->widget, *peer_->client, frame_, width, height);
    }
  }
}

namespace testing {

QMainWindow* WidgetOf(const Window& window) {
  return window.PlatformPeer().widget;
}
QWidget* ClientOf(const Window& window) {
  return window.PlatformPeer().client;
}

}  // namespace testing

}  // namespace fw

namespace fw {

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
