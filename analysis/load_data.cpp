// The number-of-variables key filter and Load Data: a tab-delimited matrix
// file read into the module grid and shown in corrFld as fixed-width columns.

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "analysis/control_wnd.h"
#include "analysis/matrix_display.h"
#include "analysis/number_check.h"
#include "analysis/variable_count.h"
#include "app/file_types.h"
#include "app/module1.h"
#include "framework/dialogs.h"
#include "framework/files.h"
#include "framework/runtime.h"
#include "framework/text.h"

namespace {

// The longest part of a faulty field that a message quotes, in characters.
constexpr int64_t kMaxQuotedCharacters = 40;

std::string Quoted(const std::string& found) {
  if (fw::Len(found) <= kMaxQuotedCharacters) {
    return "\"" + found + "\"";
  }
  // Built step by step: a single expression trips GCC 12's -Wrestrict at -O3.
  std::string quoted = "\"";
  quoted += fw::Left(found, kMaxQuotedCharacters);
  quoted += "...\"";
  return quoted;
}

// What the user is told about the first field of the file that is no usable
// number.
std::string FieldProblem(int64_t line, int64_t field, const std::string& found, int64_t count) {
  const std::string where = "Line " + fw::Str(line) + ", field " + fw::Str(field) + " of the file";
  if (found.find_first_not_of(" \t") == std::string::npos) {
    return where + " is empty: " + Quoted(found) + ". The file needs " + fw::Str(count) +
           " lines of " + fw::Str(count) + " values separated by TAB.";
  }
  if (IsDecimalNumber(found)) {
    return where + " is too large a number: " + Quoted(found) + ".";
  }
  return where + " is not a number: " + Quoted(found) +
         ". Values must be separated by TAB and use a decimal point.";
}

// The filter text of the open-file dialog: the text type's name.
std::string TextFileFilter() {
  const fw::Ref<fw::FileType>& type = FileTypes::Text();
  if (!type) {
    throw fw::NilObjectException("The text file type is not initialized");
  }
  return type->Operator_Convert();
}

}  // namespace

// Digits, control characters and Delete reach the field; every other key
// beeps and is kept out.
bool ControlWnd::Nvariables_KeyDown(fw::TextField& /*field*/, const std::string& key) {
  const uint32_t code = fw::Asc(key);
  if (fw::TextCompare(key, "0") >= 0 && fw::TextCompare(key, "9") <= 0) {
    return false;
  }
  if (code < 32 || code == 127) {
    return false;
  }
  fw::Beep();
  return true;
}

// A file that cannot be opened or read raises IOException, which reaches the
// framework's report; corrFld changes only once every cell has proved to be a
// number, so a faulty file never leaves a plausible-looking matrix behind.
void ControlWnd::loadBtn_Action(fw::PushButton& /*button*/) {
  const std::optional<int64_t> checked = CheckedVariableCount(*Nvariables());
  if (!checked) {
    return;
  }
  const int64_t count = *checked;
  Module1::TextGrid& grid = Module1::MyData;
  grid.Redim(count, count);

  const fw::Ref<fw::FolderItem> file = fw::GetOpenFolderItem(TextFileFilter());
  if (!file) {
    return;
  }

  // Exactly count lines and count fields; anything beyond is ignored, so the
  // first variables of a larger matrix can be loaded.
  fw::Ref<fw::TextInputStream> stream = fw::TextInputStream::Open(*file);
  for (int64_t j = 1; j <= count; ++j) {
    const std::string line = stream->ReadLine();
    for (int64_t k = 1; k <= count; ++k) {
      grid(j, k) += fw::NthField(line, fw::Chr(9), k);
      fw::BackgroundTaskYield();
    }
    fw::BackgroundTaskYield();
  }
  stream->Close();

  for (int64_t j = 1; j <= count; ++j) {
    for (int64_t k = 1; k <= count; ++k) {
      // A number beyond the range of a Double would show as "Infinity".
      if (!IsDecimalNumber(grid(j, k)) || !std::isfinite(fw::Val(grid(j, k)))) {
        fw::MsgBox(FieldProblem(j, k, grid(j, k), count));
        return;
      }
    }
  }

  corrFld()->SetText("");
  for (int64_t i = 1; i <= count; ++i) {
    std::string row;
    for (int64_t j = 1; j <= count; ++j) {
      row += DisplayCell(grid(i, j), j == count);
      fw::BackgroundTaskYield();
    }
    corrFld()->SetText(corrFld()->Text() + row + fw::Chr(13) + fw::Chr(10));
    fw::BackgroundTaskYield();
  }
}
