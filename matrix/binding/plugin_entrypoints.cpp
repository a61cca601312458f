#include "matrix/binding/plugin_entrypoints.h"

#include <atomic>
#include <filesystem>
#include <mutex>
#include <string_view>
#include <utility>

#include "framework/app_folders.h"
#include "framework/exceptions.h"
#include "framework/wide_text.h"
#include "quillmatrix/entrypoints.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

using EntryPointsFunction = const QmEntryPoints* (*)();

constexpr char kEntryPointsSymbol[] = "quillmatrix_entrypoints";

std::mutex gBindingMutex;
std::string gPluginDirectory;  // UTF-8; empty: the program's library folder
std::string gBoundPath;
std::atomic<const QmEntryPoints*> gEntryPoints{nullptr};

[[noreturn]] void Fail(const std::string& libraryPath, const std::string& reason) {
  throw fw::PluginException("The matrix library \"" + libraryPath + "\" could not be loaded: " +
                            reason + ". Reinstall the program to restore the library.");
}

// The library is not where the program looks for it: what is missing, where
// it was looked for, and how to bring it back.
[[noreturn]] void FailMissing(const std::filesystem::path& library) {
  const std::filesystem::path folder = library.parent_path();
  const std::string file = fw::PathText(library.filename());
  std::error_code error;
  const bool besideProgram = std::filesystem::equivalent(folder, fw::ExecutableFolder(), error);
  throw fw::PluginException(
      "The matrix library " + file + " is missing: it was looked for in \"" + fw::PathText(folder) +
      "\". Install the program again, or put " + file +
      (besideProgram ? " back beside the program." : " back in that folder."));
}

// Why a table the plug-in returned cannot be used; empty when it can.
std::string TableFault(const QmEntryPoints* table) {
  if (table == nullptr) {
    return std::string(kEntryPointsSymbol) + " returned no table";
  }
  if (table->abi_version != QM_ABI_VERSION) {
    return "it has interface version " + std::to_string(table->abi_version) +
           ", but this program needs version " + std::to_string(QM_ABI_VERSION);
  }
  if (table->struct_size < sizeof(QmEntryPoints)) {
    return "its entry-point table has " + std::to_string(table->struct_size) +
           " bytes, but this program needs " + std::to_string(sizeof(QmEntryPoints));
  }
  if (table->create_from_text == nullptr || table->release == nullptr ||
      table->num_rows == nullptr || table->num_columns == nullptr ||
      table->divide_right == nullptr || table->element == nullptr) {
    return "its entry-point table is incomplete";
  }
  return {};
}

// The application's own library folder: the installed tree's, or the
// executable's.
std::filesystem::path DefaultFolder() {
  std::filesystem::path folder = fw::ApplicationLibraryFolder();
  if (folder.empty()) {
    throw fw::PluginException(
        "The program's folder could not be found, so the matrix library cannot be loaded. Start "
        "the program again from its installed place; if this happens again, reinstall it.");
  }
  return folder;
}

#ifdef _WIN32

constexpr wchar_t kLibraryName[] = L"quillmatrix.dll";

using fw::Utf8;
using fw::Wide;

std::string LastErrorText() {
  const DWORD code = GetLastError();
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = length > 0 ? std::wstring(text, length) : std::wstring();
  LocalFree(text);
  while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n')) {
    message.pop_back();
  }
  return Utf8(message) + " (error " + std::to_string(code) + ")";
}

std::wstring LibraryPath(const std::string& directory) {
  std::wstring folder = directory.empty() ? DefaultFolder().wstring() : Wide(directory);
  if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') {
    folder += L'\\';
  }
  return folder + kLibraryName;
}

const QmEntryPoints* LoadEntryPoints(const std::wstring& path) {
  const std::string pathText = Utf8(path);
  HMODULE module = LoadLibraryW(path.c_str());
  if (module == nullptr) {
    Fail(pathText, LastErrorText());
  }
  FARPROC symbol = GetProcAddress(module, kEntryPointsSymbol);
  if (symbol == nullptr) {
    const std::string reason = LastErrorText();
    FreeLibrary(module);
    Fail(pathText, reason);
  }
  // Through void(*)() to a function pointer of another type, as GCC asks.
  const auto entryPoints =
      reinterpret_cast<EntryPointsFunction>(reinterpret_cast<void (*)()>(symbol));
  const QmEntryPoints* table = entryPoints();
  if (const std::string fault = TableFault(table); !fault.empty()) {
    FreeLibrary(module);
    Fail(pathText, fault);
  }
  return table;  // the module stays loaded for the life of the process
}

std::string PathText(const std::wstring& path) {
  return Utf8(path);
}

#else

constexpr char kLibraryName[] = "libquillmatrix.so";

std::string LibraryPath(const std::string& directory) {
  std::string folder = directory.empty() ? fw::PathText(DefaultFolder()) : directory;
  if (!folder.empty() && folder.back() != '/') {
    folder += '/';
  }
  return folder + kLibraryName;
}

// dlerror's text, without the library path that the message names already.
std::string DlErrorText(const std::string& path) {
  const char* error = dlerror();
  std::string_view text = error != nullptr ? error : "unknown error";
  const std::string prefix = path + ": ";
  if (text.substr(0, prefix.size()) == prefix) {
    text.remove_prefix(prefix.size());
  }
  return std::string(text);
}

const QmEntryPoints* LoadEntryPoints(const std::string& path) {
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    Fail(path, DlErrorText(path));
  }
  dlerror();
  void* symbol = dlsym(handle, kEntryPointsSymbol);
  if (symbol == nullptr) {
    const std::string reason = DlErrorText(path);
    dlclose(handle);
    Fail(path, reason);
  }
  const auto entryPoints = reinterpret_cast<EntryPointsFunction>(symbol);
  const QmEntryPoints* table = entryPoints();
  if (const std::string fault = TableFault(table); !fault.empty()) {
    dlclose(handle);
    Fail(path, fault);
  }
  return table;  // the library stays loaded for the life of the process
}

std::string PathText(const std::string& path) {
  return path;
}

#endif

}  // namespace

void InitPluginEntrypoints() {
  const std::lock_guard lock(gBindingMutex);
  const auto path = LibraryPath(gPluginDirectory);
  const std::string pathText = PathText(path);
  if (gEntryPoints.load() != nullptr && pathText == gBoundPath) {
    return;
  }
  if (std::error_code error; !std::filesystem::exists(std::filesystem::path(path), error)) {
    FailMissing(path);
  }
  const QmEntryPoints* table = LoadEntryPoints(path);
  gBoundPath = pathText;
  gEntryPoints.store(table);
}

void SetPluginDirectory(std::string dir) {
  const std::lock_guard lock(gBindingMutex);
  gPluginDirectory = std::move(dir);
}

bool PluginEntrypointsBound() {
  return gEntryPoints.load() != nullptr;
}

const QmEntryPoints& BoundPluginEntrypoints() {
  const QmEntryPoints* table = gEntryPoints.load();
  if (table == nullptr) {
    throw fw::PluginException(
        "The matrix library is not loaded, so no matrix can be made. Restart the program; if "
        "this happens again, reinstall it.");
  }
  return *table;
}
