#include "startup/startup.h"

#include <array>

#include "app/file_types.h"
#include "app/menu.h"
#include "app/module1.h"
#include "app/notice.h"
#include "app/version.h"
#include "app/windows.h"
#include "matrix/binding/library_classes.h"
#include "matrix/binding/plugin_entrypoints.h"
#include "startup/handle_about_menu.h"

namespace {

// The program's name for the user: the application's title, and the title
// of a report raised before the application object exists.
constexpr char kProgramName[] = "Quillmere";

constexpr std::array<fw::Initializer, 15> kInitializers = {{
    {"BadArgumentException", [] { MatrixLibraryClass("BadArgumentException"); }},
    {"BadEntryNumberException", [] { MatrixLibraryClass("BadEntryNumberException"); }},
    {"DivideByZeroException", [] { MatrixLibraryClass("DivideByZeroException"); }},
    {"Matrix", [] { MatrixLibraryClass("Matrix"); }},
    {"NegativeNumberException", [] { MatrixLibraryClass("NegativeNumberException"); }},
    {"NegativeOrZeroException", [] { MatrixLibraryClass("NegativeOrZeroException"); }},
    {"OverflowOrUnderflowException", [] { MatrixLibraryClass("OverflowOrUnderflowException"); }},
    {"RowColumnMismatch", [] { MatrixLibraryClass("RowColumnMismatch"); }},
    {"ControlWnd.ctblinit", &windows::ClassInit<ControlWnd>},
    {"Menu.ctblinit", &Menu::ctblinit},
    {"AboutWnd.wrapper_Timer1.ctblinit", &windows::AboutWndTimerClassInit},
    {"AboutWnd.ctblinit", &windows::ClassInit<AboutWnd>},
    {"HandleAboutMenu.ctblinit", &HandleAboutMenu::ctblinit},
    {"DescriptionWnd.ctblinit", &windows::ClassInit<DescriptionWnd>},
    {"Module1.MyData.Init", [] { Module1::MyData.Init(); }},
}};

}  // namespace

std::span<const fw::Initializer> ProgramInitializers() {
  return kInitializers;
}

int RunProgram(void* instance, void* previousInstance, const std::wstring& commandTail,
               int showMode, std::span<const fw::Initializer> initializers) {
  fw::RuntimeInit(instance, previousInstance, commandTail, showMode);
  fw::RuntimeSetProgramName(kProgramName);
  fw::RuntimePerformInitializers(initializers);
  try {
    Main();
  } catch (...) {
    // The report itself failed; the way out stays the same.
  }
  fw::RuntimePerformFinalizers();
  return fw::RuntimeExit();
}

void Main() {
  try {
    if (std::exception_ptr pending = fw::RuntimePendingException()) {
      fw::RuntimeClearPendingException();
      std::rethrow_exception(pending);
    }
    fw::RuntimeSetExceptionHelper(&CallFunctionWithExceptionHandling);
    EarlyStartup();
    fw::RunFrameworkInitialization(&LateStartup);
    fw::RuntimeRun();
  } catch (...) {
    fw::UnhandledException(std::current_exception());
  }
}

void EarlyStartup() {
  fw::Application::SetSupportsHiDPI(true);
  fw::RuntimeInitExternalClasses();
  InitPluginEntrypoints();
  InitFileTypes();
  NewAppInstance();
  ApplicationAddMenuHandlers();
}

void InitFileTypes() {
  FileTypes::Initialize();
}

void NewAppInstance() {
  auto app = fw::RuntimeCheckCast<HandleAboutMenu>(fw::RuntimeNewObject(HandleAboutMenu::Lookup()));
  app->Constructor();
  constexpr int kStageFinal = 3;
  app->_x_SetVersionData(version::kMajor, version::kMinor, version::kBug, version::kNonRelease,
                         kStageFinal, std::string(kNotice), std::string(version::kShort), "");
  app->SetTitle(kProgramName);
  fw::RuntimeRegisterAppObject(app);
}

void ApplicationAddMenuHandlers() {
  fw::Ref<HandleAboutMenu> receiver = App();
  fw::Ref<HandleAboutMenu> target = App();
  receiver->AddMenuHandler(
      "AboutMenuItem",
      fw::RuntimeCreateDelegate(&HandleAboutMenu::AboutMenuItem_Action, target.get()));
}

void LateStartup() {
  MakeDefaultView();
}

// The splash window is the default window; its layout makes it visible.
void MakeDefaultView() {
  windows::Implicit<AboutWnd>();
}

std::exception_ptr CallFunctionWithExceptionHandling(void (*function)(void*), void* argument) {
  try {
    function(argument);
    return nullptr;
  } catch (const fw::RuntimeException&) {
    return std::current_exception();
  }
}
