#include "analysis/variable_count.h"

#include "framework/dialogs.h"
#include "framework/text.h"

int64_t VariableCount(std::string_view text) {
  return fw::DoubleToInt64(fw::Val(text));
}

std::optional<int64_t> CheckedVariableCount(const fw::TextField& field) {
  const int64_t count = VariableCount(field.Text());
  if (!IsValidVariableCount(count)) {
    fw::MsgBox("Variables must range from 3-99");
    return std::nullopt;
  }
  return count;
}
