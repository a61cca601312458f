#pragma once
// The program's frame: the ordered start-up, the main routine with its
// last-resort report of exceptions, the event loop and the way out to the
// exit status.

#include <exception>
#include <span>
#include <string>

#include "framework/runtime.h"

// The initializer table: the matrix library's classes, then the program's
// own class records and module data, in this order.
std::span<const fw::Initializer> ProgramInitializers();

// What the platform's entry point runs: the run time's start, the
// initializers, Main, the finalizers and the run time's exit, whose result is
// the exit status. `initializers` is the table to run (the program's own,
// unless a test gives another).
int RunProgram(void* instance, void* previousInstance, const std::wstring& commandTail,
               int showMode, std::span<const fw::Initializer> initializers);

void Main();
void EarlyStartup();
void InitFileTypes();
void NewAppInstance();
void ApplicationAddMenuHandlers();
void LateStartup();
void MakeDefaultView();

// The routine the run time calls functions through: calls `function` with
// `argument`; returns the RuntimeException it raised, no longer pending, or
// null; an exception of any other class stays raised.
std::exception_ptr CallFunctionWithExceptionHandling(void (*function)(void*), void* argument);
