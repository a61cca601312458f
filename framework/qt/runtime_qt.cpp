// The run time on Qt: the application instance, initializers, the event loop,
// exception handling and the background-task yield.

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>
#include <cerrno>
#include <memory>

#include "framework/application.h"
#include "framework/controls.h"
#include "framework/files.h"
#include "framework/runtime.h"
#include "framework/window.h"
#include "qt/peers.h"

namespace fw {
namespace {

// Before a shortcut is acted on, the window's menu items get their enabled
// state, as they do before a menu opens.
class ShortcutWatcher : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ShortcutOverride) {
      auto* key = static_cast<QKeyEvent*>(event);
      auto* widget = qobject_cast<QWidget*>(watched);
      if (widget &&
          (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        if (auto* top = qobject_cast<WindowWidget*>(widget->window()); top && top->Owner()) {
          UpdateMenuEnabling(*top->Owner());
        }
      }
    }
    return false;
  }
};

// Qt wants an argv; it takes the application's name from the first entry.
// The process's own name serves, so the framework names no program.
char* ProcessName() {
  static char unknown[] = "";
#ifdef __GLIBC__
  return program_invocation_name != nullptr ? program_invocation_name : unknown;
#else
  return unknown;
#endif
}

// The native objects the run time made.
struct RuntimeState {
  int argc = 1;
  char* argv[2] = {ProcessName(), nullptr};
  std::unique_ptr<QApplication> ownApp;
  std::unique_ptr<ShortcutWatcher> watcher;
  std::unique_ptr<QAbstractNativeEventFilter> focusWatcher;
};

RuntimeState& State() {
  static RuntimeState state;
  return state;
}

}  // namespace

void RuntimeInit(void* /*instance*/, void* /*previousInstance*/,
                 const std::wstring& /*commandTail*/, int /*showMode*/) {
  RuntimeState& s = State();
  if (QApplication::instance() == nullptr) {
    s.ownApp = std::make_unique<QApplication>(s.argc, s.argv);
  }
  QApplication::setQuitOnLastWindowClosed(false);
  if (!s.watcher) {
    s.watcher = std::make_unique<ShortcutWatcher>();
    qApp->installEventFilter(s.watcher.get());
  }
  if (!s.focusWatcher) {
    s.focusWatcher = MakeFocusHandBackWatcher();
    if (s.focusWatcher) {
      qApp->installNativeEventFilter(s.focusWatcher.get());
    }
  }
}

void PostToEventLoop(std::function<void()> work) {
  QTimer::singleShot(0, qApp, std::move(work));
}

void EndPostedWork() {
  if (QCoreApplication::instance() != nullptr) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

int RuntimeExit() {
  RuntimeState& s = State();
  if (s.watcher && qApp) {
    qApp->removeEventFilter(s.watcher.get());
  }
  s.watcher.reset();
  if (s.focusWatcher && qApp) {
    qApp->removeNativeEventFilter(s.focusWatcher.get());
  }
  s.focusWatcher.reset();
  s.ownApp.reset();
  return RunExitCode();
}

std::string ProgramName() {
  return QGuiApplication::applicationDisplayName().toStdString();
}

void ShowExceptionReport(const ExceptionReport& report) {
  if (QApplication::instance() != nullptr) {
    QMessageBox box(QMessageBox::Warning, QString::fromStdString(BoxTitle()),
                    QString::fromStdString(report.message), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("UnhandledExceptionReport"));
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(QStringLiteral("<small>Detail: ") +
                           QString::fromStdString(report.className).toHtmlEscaped() +
                           QStringLiteral("</small>"));
    box.exec();
  }
}

std::optional<int> RunEventLoop() {
  return QApplication::exec();
}

void ExitEventLoop(int exitCode) {
  QCoreApplication::exit(exitCode);
}

void DispatchNonInputEvents() {
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace fw
