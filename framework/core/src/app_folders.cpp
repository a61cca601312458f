#include "framework/app_folders.h"

#include <string_view>
#include <system_error>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

// Where an installed tree keeps libraries and data, relative to the folder of
// the executable (from GNUInstallDirs); empty where nothing is installed apart
// from the executable's folder.
#ifndef QUILL_INSTALLED_LIBDIR
#define QUILL_INSTALLED_LIBDIR ""
#endif
#ifndef QUILL_INSTALLED_DATADIR
#define QUILL_INSTALLED_DATADIR ""
#endif

namespace fw {
namespace fs = std::filesystem;
namespace {

fs::path FindExecutable() {
#if defined(_WIN32)
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) {
      return {};
    }
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
#elif defined(__linux__)
  std::error_code error;
  fs::path path = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::path() : path;
#else
  return {};
#endif
}

const fs::path& Executable() {
  static const fs::path executable = FindExecutable();
  return executable;
}

// <executable's folder>/<relative>/<executable's name>, when that folder exists.
fs::path InstalledFolder(std::string_view relative) {
  const fs::path& executable = Executable();
  if (relative.empty() || executable.empty()) {
    return {};
  }
  fs::path folder = (executable.parent_path() / relative / executable.stem()).lexically_normal();
  std::error_code error;
  return fs::is_directory(folder, error) ? folder : fs::path();
}

}  // namespace

fs::path ExecutableFolder() {
  return Executable().parent_path();
}

fs::path ApplicationLibraryFolder() {
  fs::path installed = InstalledFolder(QUILL_INSTALLED_LIBDIR);
  return installed.empty() ? ExecutableFolder() : installed;
}

fs::path ApplicationResourcesFolder() {
  fs::path installed = InstalledFolder(QUILL_INSTALLED_DATADIR);
  if (!installed.empty()) {
    return installed;
  }
  const fs::path beside = ExecutableFolder();
  return beside.empty() ? beside : beside / "resources";
}

std::string ResourcesFolder() {
  return PathText(ApplicationResourcesFolder());
}

std::string PathText(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace fw
