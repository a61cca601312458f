#pragma once
// The run time: start-up and exit, the initializer table, the event loop,
// delegates, the routine that calls functions under exception handling, and
// the default report of an unhandled exception.

#include <cstdint>
#include <exception>
#include <functional>
#include <span>
#include <string>
#include <type_traits>

#include "framework/exceptions.h"
#include "framework/object.h"

namespace fw {

// An entry of the program's initializer table: a named routine run once,
// in table order, before the main routine.
struct Initializer {
  const char* name;
  void (*run)();
};

void RuntimeInit(void* instance, void* previousInstance, const std::wstring& commandTail,
                 int showMode);
// The program's name as its user knows it, handed over at start-up before
// anything can fail: it titles a report raised before the application object
// has a title (a library missing at start-up). Until it is given, the
// platform's record of the executable's name serves.
void RuntimeSetProgramName(const std::string& name);
// Runs the framework's own class initializers, then the given table in order.
// The first entry that raises stops the table; its exception stays pending.
void RuntimePerformInitializers(std::span<const Initializer> table);
void RuntimePerformFinalizers();
// The process's exit status: the code given to Quit, or 1 after a report made
// before the event loop ran.
int RuntimeExit();

// The exception an initializer left raised, or null.
std::exception_ptr RuntimePendingException();
void RuntimeClearPendingException();

// The routine the run time calls functions through: it calls `function` with
// `argument` and returns the RuntimeException raised, or null; an exception of
// any other kind stays raised.
using ExceptionHelper = std::function<std::exception_ptr(void (*function)(void*), void* argument)>;
void RuntimeSetExceptionHelper(ExceptionHelper helper);
// Calls `body` through the installed helper; a RuntimeException or any other
// exception that escapes ends in UnhandledException. Returns false then.
bool RuntimeCallHandler(const std::function<void()>& body);

// The default report of an unhandled exception: a modal warning, titled with
// the application's title, that leads with the exception's message and names
// its class in a small detail line; the program goes on running. Before the
// event loop has started, the report also marks the run as failed.
void UnhandledException(std::exception_ptr exception);

void RuntimeInitExternalClasses();
// Completes the framework's initialization and calls `lateStartup` back.
void RunFrameworkInitialization(const std::function<void()>& lateStartup);
// Runs the event loop until Quit.
void RuntimeRun();
// Ends the event loop with `exitCode`. A second Quit while quitting does nothing.
void Quit(int64_t exitCode = 0);
bool RuntimeIsQuitting();

// Lets painting and timers run during a long loop; delivers no user input, so
// a command cannot be re-entered. Cheap: it does real work at most every few
// milliseconds.
void BackgroundTaskYield();

// Delegates: a method of a target object as a callable the framework stores.
// The target must outlive the delegate (a window outlives its controls).
using MenuHandler = std::function<bool()>;

template <class Target>
MenuHandler RuntimeCreateDelegate(bool (Target::*method)(), Target* target) {
  return [target, method] { return (target->*method)(); };
}

}  // namespace fw
