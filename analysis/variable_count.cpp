#include "analysis/variable_count.h"

#include "framework/text.h"

int64_t VariableCount(std::string_view text) {
  return fw::DoubleToInt64(fw::Val(text));
}
