#pragma once
// The module data: the grid Load Data reads the matrix file into.

#include "framework/text_grid.h"

namespace Module1 {

using TextGrid = fw::TextGrid;

// The matrix as read by Load Data: cell (j, k) is field k of line j, as text;
// row 0 and column 0 stay empty. Emptied by Clear.
extern TextGrid MyData;

}  // namespace Module1
