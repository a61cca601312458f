#pragma once
// The variable count, as Calculate and Load Data read it from the
// number-of-variables field.

#include <cstdint>
#include <string_view>

inline constexpr int64_t kMinVariables = 3;
inline constexpr int64_t kMaxVariables = 99;

// What the user is told when the count lies outside 3 to 99.
inline constexpr std::string_view kCountRangeMessage = "Variables must range from 3-99";

// Val of the text truncated toward zero: "3.9" gives 3, "-0.5" 0. A text that
// does not begin with a number gives 0; a value beyond the 64-bit range gives
// INT64_MIN. Neither is a valid count.
int64_t VariableCount(std::string_view text);

constexpr bool IsValidVariableCount(int64_t count) {
  return count >= kMinVariables && count <= kMaxVariables;
}
