#pragma once
// The Qt side of the framework's objects. Only the backend and the tests'
// helpers include this.

#include <QAbstractNativeEventFilter>
#include <QImage>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <vector>

#include "framework/controls.h"
#include "framework/menu.h"
#include "framework/picture.h"
#include "framework/window.h"
#include "src/gui/backend.h"

class QAction;
class QKeyEvent;

namespace fw {

struct RectControl::Peer {
  explicit Peer(QWidget* w) : widget(w) {}
  virtual ~Peer() = default;
  // Owned by the window's client area; null once the window has gone.
  QPointer<QWidget> widget;
};

class WindowWidget;

struct Window::Peer {
  QPointer<WindowWidget> widget;
  QPointer<QWidget> client;  // the client area the controls sit in
};

// The actions that show a menu item, one per window carrying its bar.
struct MenuActions final : MenuItem::Views {
  std::vector<QPointer<QAction>> actions;
};
MenuActions& ActionsOf(MenuItem& item);

struct Picture::Image {
  QImage image;
};

struct Timer::Clock {
  QTimer timer;
};

// The QMainWindow behind a framework window.
class WindowWidget : public QMainWindow {
  Q_OBJECT
 public:
  explicit WindowWidget(Window& owner);
  Window* Owner() const { return owner_; }
  void Detach() { owner_ = nullptr; }
  // Places the controls after a resize, keeping locked edges' distances.
  void ApplyLocks();
  void RememberLayoutSize(int width, int height);
  // Lets presses on the control reach the window's KeyDown and MouseDown.
  void WatchControl(QWidget* widget, const RectControl& control);
  // Whether the window's latest focus came back to it as a grab (its menu, or
  // another popup) ended: its next activation is then a hand-back.
  void NoteFocusHandedBack(bool handedBack) { focusHandedBack_ = handedBack; }

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Raise the window's KeyDown or MouseDown when its class implements them;
  // True when the handler kept the press.
  bool RaiseKeyDown(const QKeyEvent& event);
  bool RaiseMouseDown(const QPoint& globalPosition);
  bool MoveFocusByTab(QWidget& control, const QKeyEvent& event);

  Window* owner_;
  QSize layoutSize_;
  bool focusHandedBack_ = false;
};

// Helpers shared across the backend.
// The key as text, as KeyDown reports it: the typed character, or the control
// code the framework gives editing and movement keys. Empty for a key that
// types nothing, a modifier alone: such a press raises no KeyDown.
std::string KeyDownText(const QKeyEvent& event);
QWidget* ClientOf(Window& window);
QColor ToQColor(Color color);
QFont ToQFont(const FontSpec& spec);
// Watches the window system's focus events for the focus that a closing menu
// hands back (on X; null where the platform reports none), to be installed
// on the application.
std::unique_ptr<QAbstractNativeEventFilter> MakeFocusHandBackWatcher();
// Builds the window's Qt menu bar from its menu model.
void InstallMenuBar(Window& window);
// Text areas and fields convert between the framework's CR LF line ends and
// Qt's paragraphs.
QString ToQtText(const std::string& text);
std::string FromQtText(const QString& text);

}  // namespace fw
