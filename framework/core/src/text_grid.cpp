#include "framework/text_grid.h"

#include <algorithm>

#include "framework/exceptions.h"

namespace fw {

void TextGrid::Redim(int64_t upperRow, int64_t upperColumn) {
  upperRow = std::max<int64_t>(upperRow, -1);
  upperColumn = std::max<int64_t>(upperColumn, -1);
  std::vector<std::string> fresh(static_cast<size_t>((upperRow + 1) * (upperColumn + 1)));
  cells_.swap(fresh);
  upperRow_ = upperRow;
  upperColumn_ = upperColumn;
}

int64_t TextGrid::UBound(int dimension) const {
  switch (dimension) {
    case 1:
      return upperRow_;
    case 2:
      return upperColumn_;
    default:
      throw OutOfBoundsException("The grid has no dimension " + std::to_string(dimension));
  }
}

size_t TextGrid::IndexOf(int64_t row, int64_t column) const {
  if (row < 0 || row > upperRow_ || column < 0 || column > upperColumn_) {
    throw OutOfBoundsException("Cell (" + std::to_string(row) + ", " + std::to_string(column) +
                               ") is outside the grid");
  }
  return static_cast<size_t>(row * (upperColumn_ + 1) + column);
}

std::string& TextGrid::Cell(int64_t row, int64_t column) {
  return cells_[IndexOf(row, column)];
}

const std::string& TextGrid::Cell(int64_t row, int64_t column) const {
  return cells_[IndexOf(row, column)];
}

}  // namespace fw
