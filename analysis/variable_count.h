#pragma once
// The variable count, as Calculate and Load Data read it from the
// number-of-variables field.

#include <cstdint>
#include <optional>
#include <string_view>

#include "framework/controls.h"

inline constexpr int64_t kMinVariables = 3;
inline constexpr int64_t kMaxVariables = 99;

// Val of the text truncated toward zero: "3.9" gives 3, "-0.5" 0. A text that
// does not begin with a number gives 0; a value beyond the 64-bit range gives
// INT64_MIN. Neither is a valid count.
int64_t VariableCount(std::string_view text);

constexpr bool IsValidVariableCount(int64_t count) {
  return count >= kMinVariables && count <= kMaxVariables;
}

// Reads the count from the field once. Outside 3 to 99 it shows the range
// message and gives nothing, so the caller ends its action.
std::optional<int64_t> CheckedVariableCount(const fw::TextField& field);
