// The run time on Qt: the application instance, initializers, the event loop,
// exception handling and the background-task yield.

#include <cxxabi.h>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "framework/application.h"
#include "framework/controls.h"
#include "framework/files.h"
#include "framework/runtime.h"
#include "framework/window.h"
#include "qt/peers.h"
#include "qt/testing.h"

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

struct RuntimeState {
  int argc = 1;
  char* argv[2] = {ProcessName(), nullptr};
  std::unique_ptr<QApplication> ownApp;
  std::unique_ptr<ShortcutWatcher> watcher;
  std::exception_ptr pending;
  ExceptionHelper helper;
  bool loopStarted = false;
  bool loopRunning = false;
  bool quitting = false;
  bool failedBeforeLoop = false;
  int exitCode = 0;
  std::chrono::steady_clock::time_point lastYield{};
};

RuntimeState& State() {
  static RuntimeState state;
  return state;
}

void CallStdFunction(void* argument) {
  (*static_cast<const std::function<void()>*>(argument))();
}

// What the report says: the exception's own message, which the framework and
// the libraries write as sentences for the user, and its class as a detail.
struct Report {
  std::string message;
  std::string className;
};

std::string Demangled(const char* name) {
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> readable(
      abi::__cxa_demangle(name, nullptr, nullptr, &status), std::free);
  return status == 0 && readable ? std::string(readable.get()) : std::string(name);
}

Report Describe(std::exception_ptr exception) {
  try {
    std::rethrow_exception(exception);
  } catch (const RuntimeException& e) {
    return {e.Message(), e.ClassName()};
  } catch (const std::bad_alloc& e) {
    return {
        "There is not enough memory to finish the command. Close other programs, then try "
        "again.",
        Demangled(typeid(e).name())};
  } catch (const std::exception& e) {
    return {e.what(), Demangled(typeid(e).name())};
  } catch (...) {
    return {{}, "unknown"};
  }
}

void InitFrameworkClasses() {
  // Every class record of the framework, built before any of the program's.
  Control::Lookup();
  RectControl::Lookup();
  TextControl::Lookup();
  TextField::Lookup();
  TextArea::Lookup();
  StyledText::Lookup();
  Label::Lookup();
  PushButton::Lookup();
  Canvas::Lookup();
  Timer::Lookup();
  Window::Lookup();
  MenuItem::Lookup();
  MenuBar::Lookup();
  QuitMenuItem::Lookup();
  Application::Lookup();
  Picture::Lookup();
  FileType::Lookup();
  FolderItem::Lookup();
  TextInputStream::Lookup();
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
}

void RuntimePerformInitializers(std::span<const Initializer> table) {
  try {
    InitFrameworkClasses();
    for (const Initializer& entry : table) {
      entry.run();
    }
  } catch (...) {
    State().pending = std::current_exception();
  }
}

void RuntimePerformFinalizers() {
  // Windows go without their events: the application is ending.
  for (const Ref<Window>& window : OpenWindows()) {
    window->Discard();
  }
  if (QCoreApplication::instance() != nullptr) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  RuntimeRegisterAppObject(nullptr);
}

int RuntimeExit() {
  RuntimeState& s = State();
  if (s.watcher && qApp) {
    qApp->removeEventFilter(s.watcher.get());
  }
  s.watcher.reset();
  s.ownApp.reset();
  return s.failedBeforeLoop ? 1 : s.exitCode;
}

std::exception_ptr RuntimePendingException() {
  return State().pending;
}
void RuntimeClearPendingException() {
  State().pending = nullptr;
}

void RuntimeSetExceptionHelper(ExceptionHelper helper) {
  State().helper = std::move(helper);
}

bool RuntimeCallHandler(const std::function<void()>& body) {
  try {
    if (State().helper) {
      if (std::exception_ptr raised =
              State().helper(&CallStdFunction, const_cast<std::function<void()>*>(&body))) {
        UnhandledException(raised);
        return false;
      }
    } else {
      body();
    }
    return true;
  } catch (...) {
    UnhandledException(std::current_exception());
    return false;
  }
}

void UnhandledException(std::exception_ptr exception) {
  RuntimeState& s = State();
  Report report = Describe(exception);
  if (report.message.empty()) {
    report.message = "The command could not be finished, and no reason was given.";
  }
  std::fprintf(stderr, "%s: %s\n", report.className.c_str(), report.message.c_str());
  if (!s.loopStarted) {
    s.failedBeforeLoop = true;
  }
  if (QApplication::instance() != nullptr) {
    QMessageBox box(QMessageBox::Warning, QString::fromStdString(ApplicationTitle()),
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

void RuntimeInitExternalClasses() {}

void RunFrameworkInitialization(const std::function<void()>& lateStartup) {
  lateStartup();
}

void RuntimeRun() {
  RuntimeState& s = State();
  s.loopStarted = true;
  if (s.quitting) {
    return;
  }
  s.loopRunning = true;
  s.exitCode = QApplication::exec();
  s.loopRunning = false;
}

void Quit(int64_t exitCode) {
  RuntimeState& s = State();
  if (s.quitting) {
    return;
  }
  s.quitting = true;
  s.exitCode = static_cast<int>(exitCode);
  if (s.loopRunning) {
    QCoreApplication::exit(s.exitCode);
  }
}

bool RuntimeIsQuitting() {
  return State().quitting;
}

void BackgroundTaskYield() {
  using namespace std::chrono;
  RuntimeState& s = State();
  const auto now = steady_clock::now();
  if (now - s.lastYield < milliseconds(8)) {
    return;
  }
  s.lastYield = now;
  // Painting and timers, never the user's clicks or keys: a running command
  // cannot be entered a second time.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  s.lastYield = steady_clock::now();
}

namespace testing {
void ResetRunState() {
  for (const Ref<Window>& window : OpenWindows()) {
    window->Discard();
  }
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  RuntimeState& s = State();
  s.pending = nullptr;
  s.loopStarted = false;
  s.loopRunning = false;
  s.quitting = false;
  s.failedBeforeLoop = false;
  s.exitCode = 0;
}
int LastExitCode() {
  return State().exitCode;
}
}  // namespace testing

}  // namespace fw
