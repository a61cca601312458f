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

// R and SMC of every variable, in variable order.
struct Results {
  std::vector<double> r;
  std::vector<double> smc;
};

// For each diagonal element d of the inverse: SMC = 1 - 1/d, R = Sqrt(SMC).
Results ResultsFromDiagonal(std::span<const double> diagonal);

// One line of the results field: R, TAB, SMC, each "0.0000", then CR LF.
std::string ResultLine(double r, double smc);
