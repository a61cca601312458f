// The run time's work that is the same on every platform: the framework's
// class records, the initializer table, the routine handlers are called
// through, and what the report of an unhandled exception says.

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <new>
#include <typeinfo>

#include "backend.h"
#include "framework/application.h"
#include "framework/controls.h"
#include "framework/files.h"
#include "framework/picture.h"

namespace fw {
namespace {

void CallStdFunction(void* argument) {
  (*static_cast<const std::function<void()>*>(argument))();
}

std::string Demangled(const char* name) {
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> readable(
      abi::__cxa_demangle(name, nullptr, nullptr, &status), std::free);
  return status == 0 && readable ? std::string(readable.get()) : std::string(name);
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

ExceptionReport DescribeException(std::exception_ptr exception) {
  ExceptionReport report;
  try {
    std::rethrow_exception(exception);
  } catch (const RuntimeException& e) {
    report = {e.Message(), e.ClassName()};
  } catch (const std::bad_alloc& e) {
    report = {
        "There is not enough memory to finish the command. Close other programs, then try "
        "again.",
        Demangled(typeid(e).name())};
  } catch (const std::exception& e) {
    report = {e.what(), Demangled(typeid(e).name())};
  } catch (...) {
    report = {{}, "unknown"};
  }
  if (report.message.empty()) {
    report.message = "The command could not be finished, and no reason was given.";
  }
  return report;
}

void RuntimePerformInitializers(std::span<const Initializer> table) {
  try {
    InitFrameworkClasses();
    for (const Initializer& entry : table) {
      entry.run();
    }
  } catch (...) {
    SharedRunState().pending = std::current_exception();
  }
}

std::exception_ptr RuntimePendingException() {
  return SharedRunState().pending;
}
void RuntimeClearPendingException() {
  SharedRunState().pending = nullptr;
}

void RuntimeSetExceptionHelper(ExceptionHelper helper) {
  SharedRunState().helper = std::move(helper);
}

bool RuntimeCallHandler(const std::function<void()>& body) {
  try {
    if (SharedRunState().helper) {
      if (std::exception_ptr raised = SharedRunState().helper(
              &CallStdFunction, const_cast<std::function<void()>*>(&body))) {
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

}  // namespace fw
