#pragma once
// The correlation-matrix field as Load Data writes it: fixed-width columns
// that the matrix library reads back as the same matrix.

#include <string>
#include <string_view>

inline constexpr int kDisplayCellWidth = 8;

// One cell of a display row: the cell's text formatted with "-0.0000". An
// inner cell is padded with blanks to 8 characters and always keeps at least
// one blank after the value, so that no two values run together; the row's
// last cell is the value alone.
std::string DisplayCell(std::string_view cellText, bool lastInRow);
