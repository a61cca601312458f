// Text input streams as the MinGW build compiles them, run under Wine: file
// names with non-ASCII letters reach the wide-character file API, and the
// byte-order marks are honoured.

#include <windows.h>

#include <string>
#include <vector>

#include "check.h"
#include "framework/exceptions.h"
#include "framework/files.h"
#include "framework/wide_text.h"

namespace {

using fw::Utf8;
using fw::Wide;

// A fresh folder under the temporary folder whose name is not ASCII (and not
// in the ANSI code page either), as UTF-8.
std::string MakeFolder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) +
                              L"Korrelationen \u00e4\u00f6\u00fc \u03a9\u0416 " +
                              std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(folder.c_str(), nullptr);
  return Utf8(folder);
}

void WriteFile(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  const bool ok =
      file != INVALID_HANDLE_VALUE &&
      ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size();
  CloseHandle(file);
  CHECK(ok);
}

std::string Utf16(const std::wstring& text, bool littleEndian) {
  std::string bytes = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
  for (const wchar_t c : text) {
    const char high = static_cast<char>(c >> 8);
    const char low = static_cast<char>(c & 0xFF);
    bytes += littleEndian ? low : high;
    bytes += littleEndian ? high : low;
  }
  return bytes;
}

std::vector<std::string> ReadAll(const std::string& path) {
  auto stream = fw::TextInputStream::Open(fw::FolderItem(path));
  std::vector<std::string> lines;
  for (int i = 0; i < 100 && !stream->EndOfFile(); ++i) {
    lines.push_back(stream->ReadLine());
  }
  stream->Close();
  return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line + "|";
  }
  return text;
}

const std::string kFolder = MakeFolder();

}  // namespace

// The same two lines in every encoding the stream detects; the file name has
// letters outside the ANSI code page too.
CHECK_TEST(encodingsInAFolderWithANonAsciiName) {
  const std::wstring text = L"0.5\t\u00e9\u03a9\r\n1\t2\r\n";
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"UTF-8", Utf8(text)},
      {"UTF-8 with BOM", "\xEF\xBB\xBF" + Utf8(text)},
      {"UTF-16 LE with BOM", Utf16(text, true)},
      {"UTF-16 BE with BOM", Utf16(text, false)},
  };
  for (const Case& c : cases) {
    check::CaseName name(c.name);
    const std::string path = kFolder + "\\" + c.name + " \u0416.txt";
    WriteFile(path, c.bytes);
    const fw::FolderItem item(path);
    CHECK(item.Exists());
    CHECK(!item.IsFolder());
    CHECK_EQ(item.Name(), std::string(c.name) + " \u0416.txt");
    CHECK_EQ(Joined(ReadAll(path)), std::string("0.5\t\u00e9\u03a9|1\t2|"));
  }
}

// Without a byte-order mark, bytes that are not UTF-8 are Windows-1252,
// whatever the ANSI code page of the machine.
CHECK_TEST(windows1252WithoutMark) {
  const std::string path = kFolder + "\\1252.txt";
  WriteFile(path, "Caf\xE9\t\x80\n");
  CHECK_EQ(Joined(ReadAll(path)), std::string("Caf\u00e9\t\u20ac|"));
}

CHECK_TEST(folderAndMissingFileRaiseIOException) {
  const fw::FolderItem folder(kFolder);
  CHECK(folder.Exists());
  CHECK(folder.IsFolder());
  CHECK_THROWS(fw::IOException, fw::TextInputStream::Open(folder));
  const fw::FolderItem missing(kFolder + "\\missing \u00e4.txt");
  CHECK(!missing.Exists());
  try {
    fw::TextInputStream::Open(missing);
    CHECK(false);
  } catch (const fw::IOException& e) {
    // The message names the file as the user sees it.
    CHECK(std::string(e.what()).find("missing \u00e4.txt") != std::string::npos);
  }
}

int main() {
  return check::RunAll();
}
