#pragma once
// The plug-in's matrix: doubles in row-major order, so that the parser can
// append values as it reads them and no copy is needed afterwards.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quillmatrix {

struct DenseMatrix {
  int64_t rows = 0;
  int64_t columns = 0;
  std::vector<double> values;  // rows * columns, row by row

  double At(int64_t row, int64_t column) const {
    return values[static_cast<size_t>(row * columns + column)];
  }
};

}  // namespace quillmatrix
