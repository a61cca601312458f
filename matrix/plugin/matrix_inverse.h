#pragma once
// x divided by a matrix: x times its inverse.

#include "dense_matrix.h"
#include "status.h"

namespace quillmatrix {

// Below this estimate of the reciprocal condition number the inverse has
// lost nearly all of its sixteen digits and is reported as singular.
inline constexpr double kMinReciprocalCondition = 1e-13;

// Fills `result` with x * inverse(m), or returns QM_ROW_COLUMN_MISMATCH (not
// square), QM_BAD_ARGUMENT (empty matrix, x not finite), QM_DIVIDE_BY_ZERO
// (singular or nearly so) or QM_OVERFLOW_OR_UNDERFLOW (x * inverse overflows).
// May throw std::bad_alloc.
Status DivideRight(const DenseMatrix& m, double x, DenseMatrix& result);

}  // namespace quillmatrix
