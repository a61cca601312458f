#include "analysis/matrix_display.h"

#include "framework/text.h"

std::string DisplayCell(std::string_view cellText, bool lastInRow) {
  std::string value = fw::Str(fw::Variant(std::string(cellText)), "-0.0000");
  if (lastInRow) {
    return value;
  }
  const int64_t length = fw::Len(value);
  value.append(length < kDisplayCellWidth ? static_cast<size_t>(kDisplayCellWidth - length) : 1,
               ' ');
  return value;
}

std::string DisplayRow(const fw::TextGrid& grid, int64_t row, int64_t count,
                       const std::function<void()>& yield) {
  std::string text;
  for (int64_t column = 1; column <= count; ++column) {
    text += DisplayCell(grid(row, column), column == count);
    yield();
  }
  return text + "\r\n";
}
