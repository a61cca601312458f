// The matrix plug-in as the MinGW build makes it, bound through LoadLibraryW
// and run under Wine: its parser (number reading without the locale), its
// inverse, and the binding from a folder whose name is not ASCII.

#include <windows.h>

#include <clocale>
#include <cmath>
#include <memory>
#include <string>

#include "check.h"
#include "framework/text.h"
#include "framework/wide_text.h"
#include "matrix/binding/matrix.h"
#include "matrix/binding/plugin_entrypoints.h"
#include "worked_example.h"

namespace {

std::wstring ExecutableFolder() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L'\\'));
}

using fw::Utf8;

std::shared_ptr<Matrix> FromText(int64_t count, const std::string& text) {
  auto m = std::make_shared<Matrix>();
  m->Constructor(count, count, text);
  return m;
}

using test_support::kExample;
using test_support::kExampleResults;

std::string Results(const std::string& text) {
  const auto inverse = 1.0 / *FromText(5, text);
  std::string lines;
  for (int i = 0; i < 5; ++i) {
    const double smc = 1.0 - 1.0 / inverse->Element(i, i);
    lines += fw::Format(fw::Sqrt(smc), "0.0000") + "\t" + fw::Format(smc, "0.0000") + "\r\n";
  }
  return lines;
}

}  // namespace

// Runs first: the program's folder may have any name the user gave it.
CHECK_TEST(bindsFromAFolderWithANonAsciiName) {
  const std::wstring folder = ExecutableFolder() + L"\\Programme \u00e4\u03a9\u0416";
  CreateDirectoryW(folder.c_str(), nullptr);
  CHECK(CopyFileW((ExecutableFolder() + L"\\quillmatrix.dll").c_str(),
                  (folder + L"\\quillmatrix.dll").c_str(), FALSE));
  SetPluginDirectory(Utf8(folder));
  InitPluginEntrypoints();
  CHECK(PluginEntrypointsBound());
  CHECK_EQ(NumRows(*FromText(2, "1 2\n3 4")), int64_t{2});
}

CHECK_TEST(missingLibraryIsNamed) {
  const std::wstring empty = ExecutableFolder() + L"\\leer \u00fc";
  CreateDirectoryW(empty.c_str(), nullptr);
  SetPluginDirectory(Utf8(empty));
  try {
    InitPluginEntrypoints();
    CHECK(false);
  } catch (const fw::PluginException& e) {
    const std::string message = e.Message();
    check::CaseName name(message);
    CHECK(message.find("quillmatrix.dll") != std::string::npos);
    CHECK(message.find(Utf8(empty)) != std::string::npos);
  }
  CHECK(PluginEntrypointsBound());
  SetPluginDirectory({});
}

CHECK_TEST(workedExampleGivesItsResults) {
  CHECK_EQ(Results(kExample), kExampleResults);
  const auto m = FromText(2, "1 2\n0 1\n");
  const auto inverse = m->Operator_DivideRight(3.0);
  CHECK_EQ(inverse->Element(0, 1), -6.0);
  CHECK_EQ(inverse->Element(1, 0), 0.0);
}

CHECK_TEST(readsNumbersAsWrittenWhateverTheLocale) {
  CHECK(std::setlocale(LC_ALL, "German_Germany.1252") != nullptr);
  CHECK_EQ(Results(kExample), kExampleResults);
  const auto m = FromText(1, "  0.1  ");
  CHECK_EQ(m->Element(0, 0), 0.1);
  CHECK_EQ(FromText(1, "2.2250738585072011e-308")->Element(0, 0), 2.2250738585072011e-308);
  CHECK_EQ(FromText(1, "-1E-2")->Element(0, 0), -0.01);
  std::setlocale(LC_ALL, "C");
}

CHECK_TEST(faultsRaiseTheirClassAndMessage) {
  struct Case {
    int64_t count;
    const char* text;
    const char* className;
    const char* message;
  };
  const Case cases[] = {
      {2, "1\t0,58\r\n0,58\t1\r\n", "BadArgumentException",
       "Row 1, column 2 is not a number: \"0,58\". Write every value as a number with a decimal "
       "point, such as 0.25."},
      {2, "1 nan\nnan 1", "BadArgumentException",
       "Row 1, column 2 is not a number: \"nan\". Write every value as a number with a decimal "
       "point, such as 0.25."},
      {1, "-inf", "BadArgumentException",
       "Row 1, column 1 is not a number: \"-inf\". Write every value as a number with a decimal "
       "point, such as 0.25."},
      {1, "0x10", "BadArgumentException",
       "Row 1, column 1 is not a number: \"0x10\". Write every value as a number with a decimal "
       "point, such as 0.25."},
      {2, "1e999 1\n1 1", "OverflowOrUnderflowException",
       "Row 1, column 1 is too large or too close to zero: \"1e999\". Write a value "
       "between 1e-300 and 1e300 in size, or 0."},
      {3, "1 2 3\n4 5 6\n7 8\n", "RowColumnMismatch",
       "Row 3 has 2 values, but row 1 has 3. Give every row the same number of values."},
      {3, "1 1 1\r\n1 1 1\r\n1 1 1\r\n", "DivideByZeroException",
       "The matrix is singular (or too close to singular) and cannot be inverted. Check for a "
       "variable that is a copy or a sum of others."},
  };
  for (const Case& c : cases) {
    check::CaseName name(c.text);
    try {
      const auto m = FromText(c.count, c.text);
      const auto inverse = 1.0 / *m;
      CHECK(false);
    } catch (const fw::RuntimeException& e) {
      CHECK_EQ(std::string(e.ClassName()), std::string(c.className));
      CHECK_EQ(e.Message(), std::string(c.message));
    }
  }
}

int main() {
  return check::RunAll();
}
