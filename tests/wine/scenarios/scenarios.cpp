// The Windows program driven as a user would drive it, under Wine: the tests
// start quillmere.exe, press keys, click, paste through the clipboard and
// choose from menus, and read back window texts, message boxes and the exit
// status. One test a run:
//   quill_scenarios <test> <quillmere.exe> <shipped example file>

#include <windows.h>

#include <oleacc.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "accessible_names.h"
#include "check.h"
#include "desktop.h"
#include "infowindows/help_text.h"
#include "main_window.h"
#include "worked_example.h"

using namespace desktop;
using namespace std::chrono_literals;

namespace {

std::wstring gExe;
std::wstring gExample;

const std::vector<std::wstring> kMenuBar = {L"File", L"Edit", L"Window"};
const std::vector<std::wstring> kFileMenu = {L"Close", L"Quit"};
// The separator after Undo is passed over by the arrow keys.
const std::vector<std::wstring> kEditMenu = {L"Undo", L"Cut", L"Copy", L"Paste"};
const std::vector<std::wstring> kWindowMenu = {L"Control", L"About Quillmere", L"Instructions"};

const std::wstring kRange = L"Variables must range from 3-99";
const std::wstring kIncomplete =
    L"Correlation data seems to be incomplete. Reload the correlation data.";
const std::wstring kNotSquare = L"Check data. Number of rows and columns do not match.";

std::wstring W(const std::string& utf8) {
  return Wide(utf8);
}

// A path as Windows programs take it; a Unix path is on drive Z: under Wine.
std::wstring WindowsPath(std::string path) {
  if (!path.empty() && path[0] == '/') {
    path = "Z:" + path;
  }
  for (char& c : path) {
    if (c == '/') {
      c = '\\';
    }
  }
  return Wide(path);
}

std::wstring Folder(const std::wstring& path) {
  return path.substr(0, path.find_last_of(L'\\'));
}

// A fresh folder for the test's own files, under the Wine prefix's temporary
// folder; `name` may hold any letters.
std::wstring TempFolder(const std::wstring& name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::filesystem::path folder = std::filesystem::path(temp) / name;
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder.wstring();
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  const bool ok =
      file != INVALID_HANDLE_VALUE &&
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size();
  CloseHandle(file);
  if (!ok) {
    throw Stop("cannot write " + Utf8(path));
  }
}

std::string Utf16LeWithMark(const std::wstring& text) {
  std::string bytes = "\xFF\xFE";
  for (wchar_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

// Clicks OK on the message box that shows and gives its text. Like a user,
// it waits until the box has been drawn, and clicks again while the box stays:
// a click that came too early to be taken, or a box that is slow to go.
std::wstring AnswerMessageBox(const Program& program) {
  const HWND box = program.WaitForMessageBox();
  const std::wstring text = MessageBoxText(box);
  const HWND ok = GetDlgItem(box, IDOK);
  if (!ok || TextOf(ok) != L"OK") {
    throw Stop("the message box has no OK button");
  }
  const auto gone = [&] { return !IsWindow(box) || !IsWindowVisible(box); };
  WaitUntil(
      [&] { return !GetUpdateRect(box, nullptr, FALSE) && !GetUpdateRect(ok, nullptr, FALSE); });
  const auto end = std::chrono::steady_clock::now() + kPatience;
  while (!gone() && std::chrono::steady_clock::now() < end) {
    Click(ok);
    WaitUntil(gone, 5s);
  }
  if (!gone()) {
    throw Stop("the message box \"" + Utf8(text) + "\" stayed after clicks on OK; " +
               program.Seen());
  }
  program.WaitUntilResponsive();
  return text;
}

void CalculateGivesTheWorkedResults(const Program& program, const MainWindow& main) {
  ReplaceByTyping(main.Count(), L"5");
  ReplaceByPaste(main.Matrix(), W(test_support::kExample));
  CHECK_EQ(Utf8(WaitForText(main.Matrix(), W(test_support::kExample))), test_support::kExample);
  main.Press(L"Calculate");
  CHECK_EQ(Utf8(WaitForText(main.Results(), W(test_support::kExampleResults))),
           test_support::kExampleResults);
  CHECK(IsWindowVisible(main.Results()));
  CHECK(!program.FindMessageBox());
}

}  // namespace

// --- start-up ------------------------------------------------------------------

CHECK_TEST(startupShowsOnlyTheSplashUntilAKeyIsPressed) {
  Program program(gExe);
  const HWND splash = WaitForSplash(program);
  Pause(1s);
  CHECK_EQ(program.VisibleWindows().size(), size_t{1});
  CHECK_EQ(static_cast<long long>(ClientSize(splash).cx), 400LL);
  CHECK_EQ(static_cast<long long>(ClientSize(splash).cy), 400LL);
  const auto pressed = std::chrono::steady_clock::now();
  Key(VK_SPACE);
  const HWND main = program.WaitForWindow(L"Quillmere", 3s);
  // Well before the timer would have handed over.
  CHECK(std::chrono::steady_clock::now() - pressed < 2500ms);
  CHECK(WaitUntil([&] { return !IsWindowVisible(splash); }));
  CHECK(program.VisibleWindows() == std::vector<HWND>{main});
  Quit(program);
}

CHECK_TEST(startupHandsOverByItselfAfterFourSeconds) {
  Program program(gExe);
  const HWND splash = WaitForSplash(program);
  const auto shown = std::chrono::steady_clock::now();
  Pause(3s);
  CHECK(!program.FindWindow(L"Quillmere"));
  const HWND main = program.WaitForWindow(L"Quillmere", 6s);
  const auto waited = std::chrono::steady_clock::now() - shown;
  std::printf("  the main window showed %.1f s after the splash\n",
              std::chrono::duration<double>(waited).count());
  CHECK(waited >= 3500ms);
  CHECK(waited < 6s);
  CHECK(WaitUntil([&] { return !IsWindowVisible(splash); }));
  CHECK(program.VisibleWindows() == std::vector<HWND>{main});
  Quit(program);
}

// --- calculating ---------------------------------------------------------------

CHECK_TEST(calculateTheWorkedExampleTwice) {
  Program program(gExe);
  const MainWindow main = HandOver(program);
  CHECK(!IsWindowVisible(main.Results()));
  CalculateGivesTheWorkedResults(program, main);
  main.Press(L"Calculate");
  const std::string twice = test_support::kExampleResults + test_support::kExampleResults;
  CHECK_EQ(Utf8(WaitForText(main.Results(), W(twice))), twice);
  // The user copies the results for another document.
  SetClipboard(L"before");
  Click(main.Results());
  Chord({VK_CONTROL}, VK_HOME);
  Chord({VK_CONTROL, VK_SHIFT}, VK_END);
  Chord({VK_CONTROL}, 'C');
  CHECK(WaitUntil([] { return Clipboard() != L"before"; }));
  CHECK_EQ(Utf8(Clipboard()), twice);
  Quit(program);
}

// Each check's message word for word, with nothing appended; the results
// field stays hidden and empty, and the program goes on.
CHECK_TEST(calculateShowsItsFourMessages) {
  const std::string identity4 = "1 0 0 0\r\n0 1 0 0\r\n0 0 1 0\r\n0 0 0 1\r\n";
  struct Case {
    const wchar_t* count;
    std::wstring matrix;
    std::wstring message;
  };
  const std::wstring example = W(test_support::kExample);
  const Case cases[] = {
      {L"", example, kRange},
      {L"2", example, kRange},
      {L"5", example.substr(0, 24), kIncomplete},
      {L"3", L"1 0 0 0\r\n0 1 0 0\r\n0 0 1 0\r\n", kNotSquare},
      {L"5", W(identity4) + L"            ", L"Check data. Are there 5 variables?"},
  };
  Program program(gExe);
  const MainWindow main = HandOver(program);
  for (const Case& c : cases) {
    check::CaseName name(Utf8(c.message));
    ReplaceByTyping(main.Count(), c.count);
    ReplaceByPaste(main.Matrix(), c.matrix);
    main.Press(L"Calculate");
    CHECK_EQ(Utf8(AnswerMessageBox(program)), Utf8(c.message));
    Pause(300ms);
    CHECK(!program.FindMessageBox());
    CHECK(!IsWindowVisible(main.Results()));
    CHECK_EQ(Utf8(TextOf(main.Results())), std::string());
    CHECK_EQ(Utf8(TextOf(main.Matrix())), Utf8(c.matrix));
  }
  CalculateGivesTheWorkedResults(program, main);
  Quit(program);
}

// The library's report names the fault; the window keeps its texts and the
// program runs on.
CHECK_TEST(singularMatrixGivesTheReportAndTheProgramRunsOn) {
  Program program(gExe);
  const MainWindow main = HandOver(program);
  ReplaceByTyping(main.Count(), L"3");
  ReplaceByPaste(main.Matrix(), L"1 1 1\r\n1 1 1\r\n1 1 1\r\n");
  main.Press(L"Calculate");
  const std::string report = Utf8(AnswerMessageBox(program));
  check::CaseName name(report);
  CHECK(report.find("DivideByZeroException") != std::string::npos);
  CHECK(report.find("singular") != std::string::npos);
  Pause(300ms);
  CHECK(program.Running());
  CHECK(!IsWindowVisible(main.Results()));
  CalculateGivesTheWorkedResults(program, main);
  Quit(program);
}

// --- Load Data -------------------------------------------------------------------

// Through the real open-file dialog: the shipped example, the same matrix as
// UTF-16 with a byte-order mark, and a file in a folder with a name that is
// not ASCII; Calculate then works from what was loaded.
CHECK_TEST(loadDataOpensFilesThroughTheDialog) {
  const std::wstring folder = TempFolder(L"Korrelationen \u00e4\u00f6\u00fc \u03a9\u0416");
  const std::wstring utf16 = folder + L"\\utf16.txt";
  WriteBytes(utf16, Utf16LeWithMark(W(test_support::kExample)));
  const std::wstring plain = folder + L"\\Beispiel \u00e9.txt";
  WriteBytes(plain, test_support::kExample);

  Program program(gExe);
  const MainWindow main = HandOver(program);
  ReplaceByTyping(main.Count(), L"5");
  for (const std::wstring& path : {gExample, utf16, plain}) {
    check::CaseName name(Utf8(path));
    ReplaceByPaste(main.Matrix(), L"typed earlier\r\n");
    CHECK_EQ(Utf8(LoadFile(program, main, path)), std::string("text/plain (*.txt)"));
    CHECK_EQ(Utf8(WaitForText(main.Matrix(), W(test_support::kExampleDisplay))),
             test_support::kExampleDisplay);
    CHECK(!program.FindMessageBox());
  }
  main.Press(L"Calculate");
  CHECK_EQ(Utf8(WaitForText(main.Results(), W(test_support::kExampleResults))),
           test_support::kExampleResults);
  Quit(program);
}

// Load Data of a file that it refuses: the message, and the matrix field as
// it was.
void CheckLoadRefused(const Program& program, const MainWindow& main, const std::wstring& path,
                      const wchar_t* count, const std::string& message) {
  ReplaceByTyping(main.Count(), count);
  ReplaceByPaste(main.Matrix(), L"typed earlier\r\n");
  LoadFile(program, main, path);
  CHECK_EQ(Utf8(AnswerMessageBox(program)), message);
  CHECK_EQ(Utf8(TextOf(main.Matrix())), std::string("typed earlier\r\n"));
}

CHECK_TEST(loadDataRefusesABadFileAndKeepsTheField) {
  const std::wstring folder = TempFolder(L"bad file");
  const std::wstring path = folder + L"\\comma.txt";
  WriteBytes(path, "1\t0.5\t-0.25\r\n0.5\t1\t0,3\r\n-0.25\t0.3\t1\r\n");
  Program program(gExe);
  const MainWindow main = HandOver(program);
  CheckLoadRefused(program, main, path, L"3",
                   "Line 2, field 3 of the file is not a number: \"0,3\". Values must be "
                   "separated by TAB and use a decimal point.");
  Quit(program);
}

// A file that another program holds open, letting no one read it: the report
// says so and what to do; once that program lets it go, it loads.
CHECK_TEST(loadDataNamesAFileInUseByAnotherProgram) {
  const std::wstring path = TempFolder(L"in use") + L"\\held.txt";
  WriteBytes(path, test_support::kExample);
  HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  CHECK(held != INVALID_HANDLE_VALUE);
  Program program(gExe);
  const MainWindow main = HandOver(program);
  CheckLoadRefused(program, main, path, L"5",
                   "The file \"held.txt\" is in use by another program. Close it in that "
                   "program, or copy it and choose the copy.\n\nDetail: IOException");
  CloseHandle(held);
  LoadFile(program, main, path);
  CHECK_EQ(Utf8(WaitForText(main.Matrix(), W(test_support::kExampleDisplay))),
           test_support::kExampleDisplay);
  Quit(program);
}

// A load is one step for Undo: Ctrl+Z, or Edit > Undo, right after it brings
// back what the field held before, be it typed or an earlier load.
CHECK_TEST(undoTakesBackTheWholeLoad) {
  const std::wstring identity = TempFolder(L"undo") + L"\\identity.txt";
  WriteBytes(identity,
             "1\t0\t0\t0\t0\r\n0\t1\t0\t0\t0\r\n0\t0\t1\t0\t0\r\n0\t0\t0\t1\t0\r\n"
             "0\t0\t0\t0\t1\r\n");
  Program program(gExe);
  const MainWindow main = HandOver(program);
  ReplaceByTyping(main.Count(), L"5");
  Click(main.Matrix());
  Type(L"typed by hand");
  CHECK_EQ(Utf8(WaitForText(main.Matrix(), L"typed by hand")), std::string("typed by hand"));
  LoadFile(program, main, gExample);
  CHECK_EQ(Utf8(WaitForText(main.Matrix(), W(test_support::kExampleDisplay))),
           test_support::kExampleDisplay);
  Click(main.Matrix());
  Chord({VK_CONTROL}, 'Z');
  CHECK_EQ(Utf8(WaitForText(main.Matrix(), L"typed by hand")), std::string("typed by hand"));

  LoadFile(program, main, gExample);
  CHECK_EQ(Utf8(WaitForText(main.Matrix(), W(test_support::kExampleDisplay))),
           test_support::kExampleDisplay);
  LoadFile(program, main, identity);
  CHECK(WaitUntil([&] { return Utf8(TextOf(main.Matrix())).starts_with("1.0000  0.0000"); }));
  Click(main.Matrix());
  ChooseMenu(main.window, kMenuBar, L"Edit", kEditMenu, L"Undo");
  CHECK_EQ(Utf8(WaitForText(main.Matrix(), W(test_support::kExampleDisplay))),
           test_support::kExampleDisplay);
  ChooseMenu(main.window, kMenuBar, L"Edit", kEditMenu, L"Undo");
  CHECK_EQ(Utf8(WaitForText(main.Matrix(), L"typed by hand")), std::string("typed by hand"));
  CHECK(!program.FindMessageBox());
  Quit(program);
}

// --- the other windows -------------------------------------------------------

CHECK_TEST(clearEmptiesTheFieldsAndPutsTheFocusInTheCount) {
  Program program(gExe);
  const MainWindow main = HandOver(program);
  CalculateGivesTheWorkedResults(program, main);
  main.Press(L"Clear");
  CHECK(WaitUntil([&] { return !IsWindowVisible(main.Results()); }));
  CHECK_EQ(Utf8(TextOf(main.Count())), std::string());
  CHECK_EQ(Utf8(TextOf(main.Matrix())), std::string());
  CHECK_EQ(Utf8(TextOf(main.Results())), std::string());
  Type(L"7");
  CHECK_EQ(Utf8(WaitForText(main.Count(), L"7")), std::string("7"));
  Quit(program);
}

// The count takes digits only, two at most; Backspace still edits it, and
// Tab goes on to the matrix field.
CHECK_TEST(countFieldFiltersKeysAndTabMovesOn) {
  Program program(gExe);
  const MainWindow main = HandOver(program);
  Click(main.Count());
  Type(L"a5 x.-12");
  CHECK_EQ(Utf8(WaitForText(main.Count(), L"51")), std::string("51"));
  Key(VK_BACK);
  CHECK_EQ(Utf8(WaitForText(main.Count(), L"5")), std::string("5"));
  Key(VK_TAB);
  Type(L"7");
  CHECK_EQ(Utf8(WaitForText(main.Matrix(), L"7")), std::string("7"));
  CHECK_EQ(Utf8(TextOf(main.Count())), std::string("5"));
  Quit(program);
}

// The count's mask and its two-character limit hold for pasted text as for
// typed: by Ctrl+V, from the field's context menu and from the Edit menu.
// Each refused paste is followed by a key the field takes only if the paste
// left it room.
CHECK_TEST(countFieldRulesHoldForPastedText) {
  Program program(gExe);
  const MainWindow main = HandOver(program);
  Click(main.Count());
  SetClipboard(L"x7");
  Chord({VK_CONTROL}, 'V');
  Type(L"5");
  CHECK_EQ(Utf8(WaitForText(main.Count(), L"5")), std::string("5"));
  SetClipboard(L"x4");
  RightClick(main.Count());
  WaitForPopupMenu();
  ChooseFromPopupMenu(L'P');
  Type(L"3");
  CHECK_EQ(Utf8(WaitForText(main.Count(), L"53")), std::string("53"));
  SetClipboard(L"987");
  Key(VK_HOME);
  Chord({VK_SHIFT}, VK_END);
  ChooseMenu(main.window, kMenuBar, L"Edit", kEditMenu, L"Paste");
  CHECK_EQ(Utf8(WaitForText(main.Count(), L"98")), std::string("98"));
  Quit(program);
}

// The Edit menu's commands go to the focused field's own editing.
CHECK_TEST(editMenuActsOnTheFocusedField) {
  Program program(gExe);
  const MainWindow main = HandOver(program);
  const std::wstring example = W(test_support::kExample);
  SetClipboard(example);
  Click(main.Matrix());
  ChooseMenu(main.window, kMenuBar, L"Edit", kEditMenu, L"Paste");
  CHECK_EQ(Utf8(WaitForText(main.Matrix(), example)), test_support::kExample);
  ChooseMenu(main.window, kMenuBar, L"Edit", kEditMenu, L"Undo");
  CHECK_EQ(Utf8(WaitForText(main.Matrix(), L"")), std::string());
  Type(L"42");
  Chord({VK_SHIFT}, VK_HOME);
  ChooseMenu(main.window, kMenuBar, L"Edit", kEditMenu, L"Cut");
  CHECK_EQ(Utf8(WaitForText(main.Matrix(), L"")), std::string());
  CHECK(WaitUntil([] { return Clipboard() == L"42"; }));
  Click(main.Count());
  ChooseMenu(main.window, kMenuBar, L"Edit", kEditMenu, L"Paste");
  CHECK_EQ(Utf8(WaitForText(main.Count(), L"42")), std::string("42"));
  Quit(program);
}

// The height of the context menu that shows: its number of entries, seen
// from another process.
LONG ContextMenuHeight() {
  RECT box{};
  GetWindowRect(WaitForPopupMenu(), &box);
  return box.bottom - box.top;
}

// Every text area has the usual context menu, only Copy and Select All where
// the text is read-only, and its entries edit as the Edit menu does.
CHECK_TEST(textAreasHaveTheUsualContextMenu) {
  Program program(gExe);
  const MainWindow main = HandOver(program);
  const std::wstring example = W(test_support::kExample);
  SetClipboard(example);
  RightClick(main.Matrix());
  const LONG editable = ContextMenuHeight();
  ChooseFromPopupMenu(L'P');
  CHECK_EQ(Utf8(WaitForText(main.Matrix(), example)), test_support::kExample);
  RightClick(main.Matrix());
  ChooseFromPopupMenu(L'A');
  RightClick(main.Matrix());
  ChooseFromPopupMenu(L'D');
  CHECK_EQ(Utf8(WaitForText(main.Matrix(), L"")), std::string());

  main.Press(L"Info");
  const HWND instructions = program.WaitForWindow(L"Instructions");
  CHECK(WaitUntil([&] { return GetForegroundWindow() == instructions; }));
  const HWND help = ControlAt(instructions, -1, -1);
  RightClick(help);
  // Two entries of the six: Copy and Select All.
  CHECK(ContextMenuHeight() * 2 < editable);
  ChooseFromPopupMenu(L'A');
  RightClick(help);
  ChooseFromPopupMenu(L'C');
  CHECK(WaitUntil([] { return Clipboard() != W(test_support::kExample); }));
  CHECK_EQ(Utf8(Clipboard()), infowindows::HelpText());
  Quit(program);
}

// The count is centred. In the matrix, Tab types a TAB; Ctrl+Tab and
// Ctrl+Shift+Tab leave it.
CHECK_TEST(countCentredAndCtrlTabLeavesTheMatrix) {
  Program program(gExe);
  const MainWindow main = HandOver(program);
  Click(main.Matrix());
  Key(VK_TAB);
  CHECK_EQ(Utf8(WaitForText(main.Matrix(), L"\t")), std::string("\t"));
  Chord({VK_CONTROL, VK_SHIFT}, VK_TAB);
  Type(L"7");
  CHECK_EQ(Utf8(WaitForText(main.Count(), L"7")), std::string("7"));
  // The control draws the 7 in its middle, not at its left edge.
  const auto at = static_cast<DWORD>(SendMessageW(main.Count(), EM_POSFROMCHAR, 0, 0));
  CHECK(static_cast<short>(LOWORD(at)) > ClientSize(main.Count()).cx / 4);
  Chord({VK_CONTROL}, VK_TAB);
  CHECK(WaitUntil([&] { return FocusIn(main.window) == main.Matrix(); }));
  Chord({VK_CONTROL}, VK_TAB);
  CHECK(WaitUntil([&] { return FocusIn(main.window) != main.Matrix(); }));
  CHECK_EQ(Utf8(TextOf(main.Matrix())), std::string("\t"));
  Quit(program);
}

// The control's name as a screen reader asks for it, through MSAA.
std::string AccessibleName(HWND control) {
  IAccessible* accessible = nullptr;
  if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                        __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&accessible))) ||
      accessible == nullptr) {
    return "(no accessible object)";
  }
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  const HRESULT got = accessible->get_accName(self, &name);
  const std::string text = SUCCEEDED(got) && name != nullptr ? Utf8(name) : std::string();
  SysFreeString(name);
  accessible->Release();
  return text;
}

// Each text control is named after the label before it.
CHECK_TEST(textControlsAreNamedAfterTheirLabels) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  {
    Program program(gExe);
    const MainWindow main = HandOver(program);
    for (const test_support::AccessibleNameCase& c : test_support::kAccessibleNames) {
      check::CaseName name(c.control);
      CHECK_EQ(AccessibleName(ControlAt(main.window, c.left, c.top)), std::string(c.name));
    }
    Quit(program);
  }
  CoUninitialize();
}

// Window > About Quillmere calls the splash back; a key hands over again.
CHECK_TEST(aboutShowsTheSplashAgain) {
  Program program(gExe);
  const MainWindow main = HandOver(program);
  ChooseMenu(main.window, kMenuBar, L"Window", kWindowMenu, L"About Quillmere");
  const HWND splash = WaitForSplash(program);
  CHECK(WaitUntil([&] { return GetForegroundWindow() == splash; }));
  Key(VK_SPACE);
  CHECK(WaitUntil([&] { return !IsWindowVisible(splash); }));
  CHECK(WaitUntil([&] { return GetForegroundWindow() == main.window; }));
  Quit(program);
}

// Info shows the help text, its title bold and the rest not, and no key
// changes it; Window > Control goes back, File > Close closes it.
CHECK_TEST(infoShowsTheInstructions) {
  Program program(gExe);
  const MainWindow main = HandOver(program);
  main.Press(L"Info");
  const HWND instructions = program.WaitForWindow(L"Instructions");
  CHECK(WaitUntil([&] { return GetForegroundWindow() == instructions; }));
  const HWND text = ControlAt(instructions, -1, -1);
  const std::string help = infowindows::HelpText();
  CHECK_EQ(Utf8(TextOf(text)), help);

  Click(text);
  Chord({VK_CONTROL}, VK_HOME);
  Chord({VK_SHIFT}, VK_END);
  CHECK(SelectionIsBold(program.Process(), text));
  Chord({VK_CONTROL}, VK_END);
  Chord({VK_SHIFT}, VK_HOME);
  CHECK(!SelectionIsBold(program.Process(), text));

  Type(L"x");
  Key(VK_DELETE);
  Key(VK_BACK);
  SetClipboard(L"pasted");
  Chord({VK_CONTROL}, 'V');
  Pause(300ms);
  CHECK_EQ(Utf8(TextOf(text)), help);

  ChooseMenu(instructions, kMenuBar, L"Window", kWindowMenu, L"Control");
  CHECK(WaitUntil([&] { return GetForegroundWindow() == main.window; }));
  CHECK(IsWindowVisible(main.window));

  ChooseMenu(main.window, kMenuBar, L"Window", kWindowMenu, L"Instructions");
  CHECK(WaitUntil([&] { return GetForegroundWindow() == instructions; }));
  ChooseMenu(instructions, kMenuBar, L"File", kFileMenu, L"Close");
  CHECK(WaitUntil([&] { return !IsWindow(instructions) || !IsWindowVisible(instructions); }));
  CHECK(program.Running());
  CHECK(WaitUntil([&] { return GetForegroundWindow() == main.window; }));

  // A later Info makes a new one.
  main.Press(L"Info");
  const HWND again = program.WaitForWindow(L"Instructions");
  CHECK_EQ(Utf8(TextOf(ControlAt(again, -1, -1))), help);
  Quit(program);
}

// --- quitting ----------------------------------------------------------------

CHECK_TEST(quittingEndsWithStatusZero) {
  enum class Way { QuitShortcut, CloseBox, FileClose, QuitShortcutOnSplash };
  const std::pair<Way, const char*> ways[] = {
      {Way::QuitShortcut, "Ctrl+Q"},
      {Way::CloseBox, "close box"},
      {Way::FileClose, "File > Close"},
      {Way::QuitShortcutOnSplash, "Ctrl+Q on the splash"},
  };
  for (const auto& [way, label] : ways) {
    check::CaseName name(label);
    Program program(gExe);
    if (way == Way::QuitShortcutOnSplash) {
      WaitForSplash(program);
      Chord({VK_CONTROL}, 'Q');
    } else {
      const MainWindow main = HandOver(program);
      if (way == Way::QuitShortcut) {
        Chord({VK_CONTROL}, 'Q');
      } else if (way == Way::CloseBox) {
        ClickCloseBox(main.window);
      } else {
        ChooseMenu(main.window, kMenuBar, L"File", kFileMenu, L"Close");
      }
    }
    const auto status = program.WaitForExit();
    CHECK(status.has_value());
    CHECK_EQ(static_cast<long long>(status.value_or(99)), 0LL);
  }
}

// Without its plug-in beside it the program reports, under its own name, the
// missing library, where it looked and what to do, before any window opens,
// and ends with a failure status.
CHECK_TEST(missingPluginGivesTheReportAndAFailureStatus) {
  const std::wstring folder = TempFolder(L"without plug-in");
  const std::filesystem::path source = Folder(gExe);
  std::filesystem::copy_file(gExe, std::filesystem::path(folder) / L"quillmere.exe");
  std::filesystem::copy(source / L"resources", std::filesystem::path(folder) / L"resources",
                        std::filesystem::copy_options::recursive);
  Program program(folder + L"\\quillmere.exe");
  CHECK_EQ(Utf8(TextOf(program.WaitForMessageBox())), std::string("Quillmere"));
  const std::string report = Utf8(AnswerMessageBox(program));
  check::CaseName name(report);
  const std::string where = Utf8(folder);
  CHECK(report.starts_with(
      "The matrix library quillmatrix.dll is missing: it was looked for in \"" + where +
      "\". Install the program again, or put quillmatrix.dll back "
      "beside the program.\n\n"));
  const auto status = program.WaitForExit();
  CHECK(status.has_value());
  CHECK_EQ(static_cast<long long>(status.value_or(0)), 1LL);
}

// --- high DPI ------------------------------------------------------------------

// At 144 DPI every layout pixel is one and a half.
CHECK_TEST(highDpiScalesTheLayout) {
  HKEY desktop = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE,
                  nullptr, &desktop, nullptr);
  const auto setDpi = [&](DWORD dpi) {
    RegSetValueExW(desktop, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                   sizeof dpi);
  };
  setDpi(144);
  try {
    Program program(gExe);
    MainWindow main = HandOver(program);
    main.scale = 1.5;
    CHECK_EQ(static_cast<long long>(ClientSize(main.window).cx), 975LL);
    CHECK_EQ(static_cast<long long>(ClientSize(main.window).cy), 840LL);
    RECT count{};
    GetWindowRect(main.Count(), &count);
    CHECK_EQ(static_cast<long long>(count.right - count.left), 60LL);
    CHECK_EQ(static_cast<long long>(count.bottom - count.top), 30LL);
    CalculateGivesTheWorkedResults(program, main);
    Quit(program);
  } catch (...) {
    setDpi(96);
    RegCloseKey(desktop);
    throw;
  }
  setDpi(96);
  RegCloseKey(desktop);
}

// --- resources, as Windows itself reads them ---------------------------------------

CHECK_TEST(resourcesReadBackThroughTheSystem) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(gExe.c_str(), &ignored);
  CHECK(size > 0);
  std::vector<char> block(size);
  CHECK(GetFileVersionInfoW(gExe.c_str(), 0, size, block.data()));
  const auto text = [&](const wchar_t* key) {
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + key;
    if (!VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) {
      return std::string("(none)");
    }
    return Utf8(std::wstring(value, length ? length - 1 : 0));
  };
  CHECK_EQ(text(L"ProductName"), std::string("Quillmere"));
  CHECK_EQ(text(L"ProductVersion"), std::string("2.0"));
  CHECK_EQ(text(L"FileVersion"), std::string("2.0.0.0"));

  HMODULE image = LoadLibraryExW(gExe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  CHECK(image != nullptr);
  CHECK(FindResourceW(image, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)) != nullptr);
  HICON icon = static_cast<HICON>(LoadImageW(image, MAKEINTRESOURCEW(102), IMAGE_ICON, 32, 32, 0));
  CHECK(icon != nullptr);
  ICONINFO info{};
  CHECK(icon && GetIconInfo(icon, &info));
  BITMAP bitmap{};
  GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
  CHECK_EQ(static_cast<long long>(bitmap.bmWidth), 32LL);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  DestroyIcon(icon);
  FreeLibrary(image);
}

// --- speed -------------------------------------------------------------------------

// Load Data and Calculate at 99 variables, timed from the closing of the
// open-file dialog, or from the click, to the field's new text.
CHECK_TEST(ninetyNineVariablesAreQuick) {
  // Correlations 0.5^|i - j|: a matrix that can be inverted.
  std::string contents;
  for (int i = 1; i <= 99; ++i) {
    for (int j = 1; j <= 99; ++j) {
      char cell[16];
      std::snprintf(cell, sizeof cell, "%.4f", std::pow(0.5, std::abs(i - j)));
      contents += std::string(cell) + (j < 99 ? "\t" : "\r\n");
    }
  }
  const std::wstring path = TempFolder(L"ninety-nine") + L"\\99.txt";
  WriteBytes(path, contents);
  Program program(gExe);
  const MainWindow main = HandOver(program);
  ReplaceByTyping(main.Count(), L"99");
  LoadFile(program, main, path);
  const auto load = std::chrono::steady_clock::now();
  CHECK(WaitUntil([&] { return TextOf(main.Matrix()).size() > 99 * 99 * 6; }, 2 * kPatience));
  const auto loaded = std::chrono::steady_clock::now();
  main.Press(L"Calculate");
  CHECK(WaitUntil([&] { return Utf8(TextOf(main.Results())).size() == 99 * 15; }, 2 * kPatience));
  CHECK_EQ(Utf8(TextOf(main.Results())).substr(0, 30),
           std::string("0.5000\t0.2500\r\n0.6325\t0.4000\r\n"));
  const auto calculated = std::chrono::steady_clock::now();
  CHECK(!program.FindMessageBox());
  std::printf("  at 99 variables: Load Data %.2f s, Calculate %.2f s\n",
              std::chrono::duration<double>(loaded - load).count(),
              std::chrono::duration<double>(calculated - loaded).count());
  CHECK(calculated - loaded < 3s);
  Quit(program);
}

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: quill_scenarios <test> <quillmere.exe> <example file>\n");
    return 2;
  }
  gExe = WindowsPath(argv[2]);
  gExample = WindowsPath(argv[3]);
  return check::RunAll(argv[1]);
}
