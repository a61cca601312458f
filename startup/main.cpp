// The platform's entry point. The program reads no command line of its own;
// the run time receives the command tail and the show mode as the platform
// gives them.

#include "startup/startup.h"

#ifdef _WIN32
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previousInstance, LPWSTR commandTail,
                    int showMode) {
  return RunProgram(instance, previousInstance, commandTail ? commandTail : L"", showMode,
                    ProgramInitializers());
}

#else
#include <string>

namespace {
// The command line without the program's own name, as a command tail.
std::wstring CommandTail(int argc, char** argv) {
  std::wstring tail;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) {
      tail += L' ';
    }
    for (const char* c = argv[i]; *c; ++c) {
      tail += static_cast<wchar_t>(static_cast<unsigned char>(*c));
    }
  }
  return tail;
}
constexpr int kShowDefault = 10;
}  // namespace

int main(int argc, char** argv) {
  return RunProgram(nullptr, nullptr, CommandTail(argc, argv), kShowDefault, ProgramInitializers());
}
#endif
