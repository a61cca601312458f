// The Windows Installer package as a lab's IT and a user meet it, under Wine
// in a prefix of its own: silent installs and removals through msiexec, the
// installed files, shortcut and installed-apps entry, the installed program
// driven through real input, and what is left in the prefix afterwards. The
// steps build on one another and run in their order:
//   msi_install <package.msi> <product code> <later package.msi>
//               <later product code> <upgrade code>

#include <windows.h>
// After windows.h:
#include <msi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "check.h"
#include "desktop.h"
#include "main_window.h"
#include "worked_example.h"

using namespace desktop;
using namespace std::chrono_literals;

namespace {

std::wstring gPackage;
std::wstring gProductCode;
std::wstring gLaterPackage;
std::wstring gLaterProductCode;
std::wstring gUpgradeCode;

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) {
    c = static_cast<wchar_t>(std::towlower(c));
  }
  return text;
}

std::wstring KnownFolder(REFKNOWNFOLDERID id) {
  PWSTR path = nullptr;
  if (FAILED(SHGetKnownFolderPath(id, 0, nullptr, &path))) {
    throw Stop("no known folder");
  }
  std::wstring folder(path);
  CoTaskMemFree(path);
  return folder;
}

std::wstring InstallFolder() {
  return KnownFolder(FOLDERID_ProgramFiles) + L"\\Quillmere";
}

const wchar_t kUninstall[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// msiexec with these arguments, as an administrator's script runs it; its
// exit status.
long long Msiexec(const std::wstring& arguments) {
  const std::wstring command = L"msiexec.exe " + arguments;
  const PROCESS_INFORMATION info = StartProcess(nullptr, command, nullptr);
  const DWORD waited = WaitForSingleObject(info.hProcess, 180000);
  DWORD status = 0;
  GetExitCodeProcess(info.hProcess, &status);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  if (waited != WAIT_OBJECT_0) {
    throw Stop("msiexec did not end: " + Utf8(arguments));
  }
  return status;
}

long long InstallSilently(const std::wstring& package) {
  return Msiexec(L"/i \"" + package + L"\" /qn");
}

// The product codes installed under the upgrade code.
std::set<std::wstring> InstalledProducts() {
  std::set<std::wstring> products;
  wchar_t code[39];
  for (DWORD i = 0; MsiEnumRelatedProductsW(gUpgradeCode.c_str(), 0, i, code) == ERROR_SUCCESS;
       ++i) {
    products.insert(code);
  }
  return products;
}

// --- what the prefix holds ----------------------------------------------------

// Every file and folder of drive C:, and every registry key and value name
// under the machine's and the user's Software, in lower case: folders and keys
// as their paths ("hklm\software\..."), files and values as the path of
// their folder or key, "|" and their name.
using Snapshot = std::set<std::wstring>;

std::wstring FileEntry(const std::filesystem::path& file) {
  return Lower(file.parent_path().wstring() + L"|" + file.filename().wstring());
}

// Keys that Wine rewrites by itself now and then, with no program asking.
const std::set<std::wstring> kRewrittenByWine = {
    L"hklm\\software\\microsoft\\windows nt\\currentversion\\networkcards",
    L"hklm\\software\\wow6432node\\microsoft\\windows nt\\currentversion\\networkcards"};

void AddKey(HKEY root, const std::wstring& rootName, const std::wstring& path, Snapshot& into) {
  if (kRewrittenByWine.contains(Lower(rootName + L"\\" + path))) {
    return;
  }
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS) {
    return;
  }
  const std::wstring name = Lower(rootName + L"\\" + path);
  into.insert(name);
  std::vector<wchar_t> buffer(32768);
  for (DWORD i = 0;; ++i) {
    DWORD length = static_cast<DWORD>(buffer.size());
    if (RegEnumValueW(key, i, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    into.insert(name + L"|" + Lower(std::wstring(buffer.data(), length)));
  }
  std::vector<std::wstring> subkeys;
  for (DWORD i = 0;; ++i) {
    DWORD length = static_cast<DWORD>(buffer.size());
    if (RegEnumKeyExW(key, i, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    subkeys.emplace_back(buffer.data(), length);
  }
  RegCloseKey(key);
  for (const std::wstring& subkey : subkeys) {
    AddKey(root, rootName, path + L"\\" + subkey, into);
  }
}

Snapshot TakeSnapshot() {
  Snapshot snapshot;
  namespace fs = std::filesystem;
  std::error_code error;
  for (fs::recursive_directory_iterator
           entry(L"C:\\", fs::directory_options::skip_permission_denied, error),
       end;
       entry != end; entry.increment(error)) {
    snapshot.insert(entry->is_directory() ? Lower(entry->path().wstring())
                                          : FileEntry(entry->path()));
  }
  AddKey(HKEY_LOCAL_MACHINE, L"HKLM", L"Software", snapshot);
  AddKey(HKEY_CURRENT_USER, L"HKCU", L"Software", snapshot);
  return snapshot;
}

bool Within(const std::wstring& entry, const std::wstring& place) {
  const std::wstring lower = Lower(place);
  return entry == lower || entry.starts_with(lower + L"\\") || entry.starts_with(lower + L"|");
}

bool WithinAny(const std::wstring& entry, const std::vector<std::wstring>& places) {
  return std::any_of(places.begin(), places.end(),
                     [&entry](const std::wstring& place) { return Within(entry, place); });
}

// Whether a file or a value lies in the folder or key, at any depth.
bool HoldsAnything(const std::wstring& entry, const Snapshot& snapshot) {
  const std::wstring below = entry + L"\\";
  for (auto next = snapshot.lower_bound(below); next != snapshot.end() && next->starts_with(below);
       ++next) {
    if (next->find(L'|') != std::wstring::npos) {
      return true;
    }
  }
  const auto value = snapshot.lower_bound(entry + L"|");
  return value != snapshot.end() && value->starts_with(entry + L"|");
}

// Where Windows Installer keeps its own records and copies of the installed
// packages. On Windows they exist before any package; under Wine the first
// package makes them, and they stay, empty, when the last one has gone.
std::vector<std::wstring> InstallerStores() {
  return {KnownFolder(FOLDERID_Windows) + L"\\Installer", L"HKLM\\Software\\Classes\\Installer",
          L"HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Installer"};
}

// The entries of `now` that `before` lacks and that lie in none of the places.
std::wstring Unexpected(const Snapshot& before, const Snapshot& now,
                        const std::vector<std::wstring>& places) {
  std::wstring unexpected;
  for (const std::wstring& entry : now) {
    if (!before.contains(entry) && !WithinAny(entry, places)) {
      unexpected += entry + L"\n";
    }
  }
  return unexpected;
}

// What an install added to `before`, giving `installed`, that is still in
// `now`, but for folders and keys of the Installer's own stores that hold
// nothing any more. (What the program or its dialogs wrote meanwhile is no
// concern of the package's.)
std::wstring LeftBehind(const Snapshot& before, const Snapshot& installed, const Snapshot& now) {
  const std::vector<std::wstring> stores = InstallerStores();
  std::wstring left;
  for (const std::wstring& entry : now) {
    const bool emptyStore = WithinAny(entry, stores) && entry.find(L'|') == std::wstring::npos &&
                            !HoldsAnything(entry, now);
    if (installed.contains(entry) && !before.contains(entry) && !emptyStore) {
      left += entry + L"\n";
    }
  }
  return left;
}

// --- the Start-menu shortcut ----------------------------------------------------

struct Shortcut {
  std::wstring file;
  std::wstring target;
  std::wstring folder;
  std::wstring icon;
};

// "Quillmere" in the Start menu's Programs, for all users (where Windows puts
// it for a package installed per machine) or for the user (where Wine does).
std::vector<std::wstring> ShortcutPlaces() {
  return {KnownFolder(FOLDERID_CommonPrograms) + L"\\Quillmere.lnk",
          KnownFolder(FOLDERID_Programs) + L"\\Quillmere.lnk"};
}

Shortcut ReadShortcut() {
  Shortcut shortcut;
  for (const std::wstring& place : ShortcutPlaces()) {
    if (std::filesystem::exists(place)) {
      shortcut.file = place;
    }
  }
  if (shortcut.file.empty()) {
    throw Stop("no Start-menu shortcut");
  }
  IShellLinkW* link = nullptr;
  IPersistFile* file = nullptr;
  wchar_t text[MAX_PATH] = L"";
  int index = 0;
  const bool read =
      SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&link))) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
      SUCCEEDED(file->Load(shortcut.file.c_str(), STGM_READ)) &&
      SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, 0)) && (shortcut.target = text, true) &&
      SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH)) && (shortcut.folder = text, true) &&
      SUCCEEDED(link->GetIconLocation(text, MAX_PATH, &index)) && (shortcut.icon = text, true);
  if (file) {
    file->Release();
  }
  if (link) {
    link->Release();
  }
  if (!read) {
    throw Stop("cannot read the shortcut " + Utf8(shortcut.file));
  }
  return shortcut;
}

bool IsIcon(const std::wstring& path) {
  HICON icon =
      static_cast<HICON>(LoadImageW(nullptr, path.c_str(), IMAGE_ICON, 32, 32, LR_LOADFROMFILE));
  if (icon) {
    DestroyIcon(icon);
  }
  return icon != nullptr;
}

// --- installed files and the installed-apps entry -------------------------------

std::string InstalledFiles() {
  std::set<std::string> files;
  std::error_code error;
  for (std::filesystem::recursive_directory_iterator entry(InstallFolder(), error), end;
       entry != end; entry.increment(error)) {
    if (entry->is_regular_file()) {
      files.insert(Utf8(entry->path().lexically_relative(InstallFolder()).wstring()));
    }
  }
  std::string list;
  for (const std::string& file : files) {
    list += file + " ";
  }
  return list;
}

std::string UninstallValue(const std::wstring& productCode, const wchar_t* name) {
  wchar_t value[512] = L"";
  DWORD size = sizeof value;
  const std::wstring key = kUninstall + productCode;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) !=
      ERROR_SUCCESS) {
    return "(none)";
  }
  return Utf8(value);
}

bool HasUninstallEntry(const std::wstring& productCode) {
  HKEY key = nullptr;
  const std::wstring path = kUninstall + productCode;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key) !=
      ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

std::wstring ProductIcon(const std::wstring& productCode) {
  wchar_t path[MAX_PATH] = L"";
  DWORD length = MAX_PATH;
  MsiGetProductInfoW(productCode.c_str(), INSTALLPROPERTY_PRODUCTICON, path, &length);
  return path;
}

std::string FileBytes(const std::wstring& path) {
  std::ifstream file(std::filesystem::path(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

const char kInstalledFiles[] =
    "README.txt examples\\five_variables.txt quillmatrix.dll quillmere.exe "
    "resources\\R128.png resources\\R256.png ";

// The prefix before the first install and after it, for the check that
// nothing of it stays.
Snapshot gBefore;
Snapshot gInstalled;

void ExpectNothingLeft(const Snapshot& before, const Snapshot& installed) {
  CHECK(InstalledProducts().empty());
  CHECK(!std::filesystem::exists(InstallFolder()));
  for (const std::wstring& place : ShortcutPlaces()) {
    CHECK(!std::filesystem::exists(place));
  }
  CHECK_EQ(Utf8(LeftBehind(before, installed, TakeSnapshot())), std::string());
}

}  // namespace

CHECK_TEST(silentInstallPutsTheFilesTheShortcutAndTheEntryInPlace) {
  gBefore = TakeSnapshot();
  CHECK_EQ(InstallSilently(gPackage), 0LL);
  gInstalled = TakeSnapshot();

  CHECK_EQ(InstalledFiles(), std::string(kInstalledFiles));
  // CR LF after every line, so that every Notepad shows the lines.
  const std::string readme = FileBytes(InstallFolder() + L"\\README.txt");
  CHECK(readme.starts_with("Quillmere 2.0 for 64-bit Windows\r\n"));
  size_t lineEnds = 0;
  for (size_t at = readme.find('\n'); at != std::string::npos; at = readme.find('\n', at + 1)) {
    CHECK(at > 0 && readme[at - 1] == '\r');
    ++lineEnds;
  }
  CHECK(lineEnds > 10);

  const Shortcut shortcut = ReadShortcut();
  CHECK_EQ(Utf8(Lower(shortcut.target)), Utf8(Lower(InstallFolder() + L"\\quillmere.exe")));
  CHECK_EQ(Utf8(Lower(shortcut.folder)), Utf8(Lower(InstallFolder() + L"\\")));
  CHECK(IsIcon(shortcut.icon));

  CHECK(InstalledProducts() == std::set<std::wstring>{gProductCode});
  CHECK_EQ(UninstallValue(gProductCode, L"DisplayName"), std::string("Quillmere"));
  CHECK_EQ(UninstallValue(gProductCode, L"DisplayVersion"), std::string("2.0.0"));
  CHECK_EQ(UninstallValue(gProductCode, L"Publisher"), std::string("Quillmere Project"));
  CHECK(IsIcon(ProductIcon(gProductCode)));

  // Nothing but the program's folder, its shortcut, its entry and the
  // Installer's own records.
  std::vector<std::wstring> places = InstallerStores();
  places.push_back(InstallFolder());
  places.push_back(FileEntry(shortcut.file));
  places.push_back(L"HKLM\\" + std::wstring(kUninstall) + gProductCode);
  CHECK_EQ(Utf8(Unexpected(gBefore, gInstalled, places)), std::string());
}

// Started from the Start-menu shortcut's target in its working folder, the
// installed program loads the installed example through the open-file dialog
// and computes the worked example. It writes no file or folder (what the
// open-file dialog keeps in the registry is the system's own).
CHECK_TEST(theShortcutStartsTheInstalledProgramForTheWorkedExample) {
  const Snapshot before = TakeSnapshot();
  const Shortcut shortcut = ReadShortcut();
  Program program(shortcut.target);
  const MainWindow main = HandOver(program);
  ReplaceByTyping(main.Count(), L"5");
  LoadFile(program, main, shortcut.folder + L"examples\\five_variables.txt");
  CHECK_EQ(Utf8(WaitForText(main.Matrix(), Wide(test_support::kExampleDisplay))),
           test_support::kExampleDisplay);
  main.Press(L"Calculate");
  CHECK_EQ(Utf8(WaitForText(main.Results(), Wide(test_support::kExampleResults))),
           test_support::kExampleResults);
  CHECK(!program.FindMessageBox());
  Quit(program);
  CHECK_EQ(Utf8(Unexpected(before, TakeSnapshot(), {L"HKLM", L"HKCU"})), std::string());
}

CHECK_TEST(installingThePackageOverItselfChangesNothing) {
  const Snapshot before = TakeSnapshot();
  CHECK_EQ(InstallSilently(gPackage), 0LL);
  CHECK_EQ(Utf8(Unexpected(before, TakeSnapshot(), InstallerStores())), std::string());
  CHECK(InstalledProducts() == std::set<std::wstring>{gProductCode});
  CHECK_EQ(InstalledFiles(), std::string(kInstalledFiles));
}

CHECK_TEST(silentUninstallLeavesNothingBehind) {
  CHECK_EQ(Msiexec(L"/x \"" + gPackage + L"\" /qn"), 0LL);
  ExpectNothingLeft(gBefore, gInstalled);
}

// A later version replaces this one instead of standing beside it; this one
// does not go over the later one; the later one goes as cleanly.
CHECK_TEST(aLaterVersionReplacesThisOne) {
  const Snapshot before = TakeSnapshot();
  CHECK_EQ(InstallSilently(gPackage), 0LL);
  CHECK_EQ(InstallSilently(gLaterPackage), 0LL);
  const Snapshot installed = TakeSnapshot();
  CHECK(InstalledProducts() == std::set<std::wstring>{gLaterProductCode});
  CHECK(!HasUninstallEntry(gProductCode));
  CHECK_EQ(UninstallValue(gLaterProductCode, L"DisplayName"), std::string("Quillmere"));
  CHECK_EQ(InstalledFiles(), std::string(kInstalledFiles));

  CHECK(InstallSilently(gPackage) != 0);
  CHECK(InstalledProducts() == std::set<std::wstring>{gLaterProductCode});

  CHECK_EQ(Msiexec(L"/x " + gLaterProductCode + L" /qn"), 0LL);
  ExpectNothingLeft(before, installed);
}

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr,
                 "usage: msi_install <package.msi> <product code> <later package.msi> "
                 "<later product code> <upgrade code>\n");
    return 2;
  }
  gPackage = Wide(argv[1]);
  gProductCode = Wide(argv[2]);
  gLaterPackage = Wide(argv[3]);
  gLaterProductCode = Wide(argv[4]);
  gUpgradeCode = Wide(argv[5]);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const int status = check::RunAll();
  CoUninitialize();
  return status;
}
