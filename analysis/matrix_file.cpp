#include "analysis/matrix_file.h"

#include <cmath>

#include "analysis/number_check.h"
#include "framework/text.h"
#include "framework/visible_text.h"

namespace {

// The longest part of a faulty field that a message quotes, in characters.
constexpr int64_t kMaxQuotedCharacters = 40;

// The field as a message shows it: quoted, cut after 40 characters, with
// control characters made visible.
std::string Quoted(const std::string& found) {
  const bool cut = fw::Len(found) > kMaxQuotedCharacters;
  const std::string shown = cut ? fw::Left(found, kMaxQuotedCharacters) : found;
  std::string quoted = "\"";
  quoted += fw::VisibleText(shown);
  quoted += cut ? "...\"" : "\"";
  return quoted;
}

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

}  // namespace

void ReadGrid(fw::TextGrid& grid, int64_t count, const std::function<std::string()>& readLine,
              const std::function<void()>& yield) {
  for (int64_t j = 1; j <= count; ++j) {
    const std::string line = readLine();
    for (int64_t k = 1; k <= count; ++k) {
      grid(j, k) += fw::NthField(line, fw::Chr(9), k);
      yield();
    }
    yield();
  }
}

std::optional<std::string> FirstFieldProblem(const fw::TextGrid& grid, int64_t count) {
  for (int64_t j = 1; j <= count; ++j) {
    for (int64_t k = 1; k <= count; ++k) {
      // A number beyond the range of a Double would show as "Infinity".
      if (!IsDecimalNumber(grid(j, k)) || !std::isfinite(fw::Val(grid(j, k)))) {
        return FieldProblem(j, k, grid(j, k), count);
      }
    }
  }
  return std::nullopt;
}
