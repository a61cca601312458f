#pragma once
// Reads a matrix from text: every non-blank line is a row, values are
// separated by blanks and/or TABs, lines end at CR LF, LF or CR. The shape
// comes from the text. Values are plain decimal numbers read independently
// of the locale; "nan", "inf", "0,58" and the like are rejected.

#include <string_view>

#include "dense_matrix.h"
#include "status.h"

namespace quillmatrix {

// Longest part of a faulty token quoted in a message, in bytes.
inline constexpr size_t kMaxQuotedTokenBytes = 40;

// Fills `matrix` and returns success, or returns the first fault met
// (QM_BAD_ARGUMENT, QM_OVERFLOW_OR_UNDERFLOW, or QM_ROW_COLUMN_MISMATCH at
// the end of a row of the wrong length) and leaves `matrix` empty. May throw
// std::bad_alloc.
Status ParseMatrixText(std::string_view text, DenseMatrix& matrix);

}  // namespace quillmatrix
