// The number-of-variables key filter and Load Data: a tab-delimited matrix
// file read into the module grid and shown in corrFld as fixed-width columns.

#include <cstdint>
#include <optional>
#include <string>

#include "analysis/control_wnd.h"
#include "analysis/matrix_display.h"
#include "analysis/matrix_file.h"
#include "app/file_types.h"
#include "app/module1.h"
#include "framework/dialogs.h"
#include "framework/files.h"
#include "framework/runtime.h"
#include "framework/text.h"

namespace {

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
  const std::optional<int64_t> checked = CheckedCount();
  if (!checked) {
    return;
  }
  const int64_t count = *checked;
  fw::TextGrid& grid = Module1::MyData;
  grid.Redim(count, count);

  const fw::Ref<fw::FolderItem> file = fw::GetOpenFolderItem(TextFileFilter());
  if (!file) {
    return;
  }

  // Exactly count lines and count fields; anything beyond is ignored, so the
  // first variables of a larger matrix can be loaded.
  fw::Ref<fw::TextInputStream> stream = fw::TextInputStream::Open(*file);
  ReadGrid(
      grid, count, [&stream] { return stream->ReadLine(); }, fw::BackgroundTaskYield);
  stream->Close();

  if (Refused(FirstFieldProblem(grid, count))) {
    return;
  }

  corrFld()->SetText("");
  for (int64_t i = 1; i <= count; ++i) {
    corrFld()->SetText(corrFld()->Text() + DisplayRow(grid, i, count, fw::BackgroundTaskYield));
    fw::BackgroundTaskYield();
  }
}
