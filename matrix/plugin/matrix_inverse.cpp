#include "matrix_inverse.h"

#include <cmath>
#include <string>
#include <utility>

#include <Eigen/Dense>

namespace quillmatrix {
namespace {

using RowMajorMatrix = Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>;

Status Singular() {
  return Status::Failure(QM_DIVIDE_BY_ZERO,
                         "The matrix is singular (or too close to singular) and cannot be "
                         "inverted. Check for a variable that is a copy or a sum of others.");
}

// Eigen's condition estimate costs a dozen triangular solves, a sixth of
// the inverse at 99 variables. Its estimate of |inverse|_1 is a lower bound,
// so the estimated reciprocal condition is never below the one computed from
// the inverse itself. Where that is clear of the limit by a margin wider
// than any rounding, the estimate would pass too and is skipped; everywhere
// else it decides, so the same matrices count as singular.
bool ClearlyWellConditioned(const Eigen::Map<const RowMajorMatrix>& m,
                            const Eigen::MatrixXd& inverse) {
  constexpr double kMargin = 16.0;
  const double norm = m.cwiseAbs().colwise().sum().maxCoeff();
  const double inverseNorm = inverse.cwiseAbs().colwise().sum().maxCoeff();
  return 1.0 / (norm * inverseNorm) >= kMargin * kMinReciprocalCondition;
}

}  // namespace

Status DivideRight(const DenseMatrix& m, double x, DenseMatrix& result) {
  result = DenseMatrix{};
  if (m.rows != m.columns) {
    return Status::Failure(QM_ROW_COLUMN_MISMATCH,
                           "Only a square matrix can be inverted, but this one has " +
                               std::to_string(m.rows) + " rows and " + std::to_string(m.columns) +
                               " columns. Give the matrix as many rows as it has columns.");
  }
  if (m.rows == 0) {
    return Status::Failure(QM_BAD_ARGUMENT,
                           "An empty matrix cannot be inverted. Enter the matrix's values first.");
  }
  if (!std::isfinite(x)) {
    return Status::Failure(
        QM_BAD_ARGUMENT,
        "The number divided by the matrix is not finite. Divide a finite number by it.");
  }

  const Eigen::Map<const RowMajorMatrix> source(m.values.data(), m.rows, m.columns);
  const Eigen::PartialPivLU<Eigen::MatrixXd> lu(source);
  const Eigen::MatrixXd inverse = lu.inverse();
  if (!inverse.allFinite()) {
    return Singular();
  }
  // A NaN estimate (from a zero pivot) must count as singular too.
  if (!ClearlyWellConditioned(source, inverse) && !(lu.rcond() >= kMinReciprocalCondition)) {
    return Singular();
  }

  DenseMatrix scaled;
  scaled.rows = m.rows;
  scaled.columns = m.columns;
  scaled.values.resize(m.values.size());
  Eigen::Map<RowMajorMatrix> out(scaled.values.data(), m.rows, m.columns);
  out = x * inverse;
  if (!out.allFinite()) {
    return Status::Failure(
        QM_OVERFLOW_OR_UNDERFLOW,
        "The result of dividing by the matrix is too large for a number. Check the "
        "matrix for values that are far too small or far too large.");
  }
  result = std::move(scaled);
  return Status::Success();
}

}  // namespace quillmatrix
