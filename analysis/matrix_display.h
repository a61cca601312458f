#pragma once
// The correlation-matrix field as Load Data writes it: fixed-width columns
// that the matrix library reads back as the same matrix.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "framework/text_grid.h"

inline constexpr int kDisplayCellWidth = 8;

// One cell of a display row: the cell's text formatted with "-0.0000". An
// inner cell is padded with blanks to 8 characters and always keeps at least
// one blank after the value, so that no two values run together; the row's
// last cell is the value alone.
std::string DisplayCell(std::string_view cellText, bool lastInRow);

// Row `row` of the display: cells (row, 1) to (row, count) of the grid, then
// CR LF. `yield` runs after every cell.
std::string DisplayRow(
    const fw::TextGrid& grid, int64_t row, int64_t count,
    const std::function<void()>& yield = [] {});
