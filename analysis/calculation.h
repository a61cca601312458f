#pragma once
// What Calculate computes and checks, apart from any window: the checks of
// the matrix text and of the matrix the library built from it, and R and SMC
// of every variable from the diagonal of the inverse.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The message when the matrix text has fewer than count x count characters
// (characters, not bytes: every one counts, separators and line ends too).
std::optional<std::string> IncompleteMatrixText(int64_t count, std::string_view matrixText);

// The message when the matrix built is not square, or not count x count.
std::optional<std::string> MatrixSizeProblem(int64_t rows, int64_t columns, int64_t count);

// The message when the matrix is not shaped like a correlation matrix: its
// first diagonal element that is not 1, or its first element (i, j) that is
// not (j, i), each within 0.0001, looking row by row. `values` holds the
// count x count elements row by row. Values rounded to 4 decimals from a true
// correlation matrix always pass.
std::optional<std::string> CorrelationShapeProblem(std::span<const double> values, int64_t count);

// The message when a diagonal element d of the inverse is not a finite number
// of at least 1, that is when an SMC would lie outside 0 to 1: the matrix is
// not positive definite. A d a few units in the last place below 1 counts as
// 1.
std::optional<std::string> DefinitenessProblem(std::span<const double> diagonal);

// R and SMC of every variable, in variable order.
struct Results {
  std::vector<double> r;
  std::vector<double> smc;
};

// For each diagonal element d of the inverse: SMC = 1 - 1/d, R = Sqrt(SMC);
// a d that counts as 1 gives 0 for both.
Results ResultsFromDiagonal(std::span<const double> diagonal);

// One line of the results field: R, TAB, SMC, each "0.0000", then CR LF.
std::string ResultLine(double r, double smc);
