#pragma once
// The run time's two-dimensional array of text.

#include <cstdint>
#include <string>
#include <vector>

namespace fw {

// Indexed (row, column) from 0, as a dynamic array with upper bounds:
// Redim(2, 3) gives 3 x 4 cells.
class TextGrid {
 public:
  // No cells: both upper bounds are -1.
  void Init() { Redim(-1, -1); }
  // Resizes to the upper bounds given; every cell is empty afterwards.
  // Bounds below -1 count as -1.
  void Redim(int64_t upperRow, int64_t upperColumn);

  // The upper bound of dimension 1 (rows) or 2 (columns).
  int64_t UBound(int dimension) const;

  // Raises OutOfBoundsException outside the bounds.
  std::string& Cell(int64_t row, int64_t column);
  const std::string& Cell(int64_t row, int64_t column) const;
  std::string& operator()(int64_t row, int64_t column) { return Cell(row, column); }
  const std::string& operator()(int64_t row, int64_t column) const { return Cell(row, column); }

 private:
  size_t IndexOf(int64_t row, int64_t column) const;

  int64_t upperRow_ = -1;
  int64_t upperColumn_ = -1;
  std::vector<std::string> cells_;
};

}  // namespace fw
