#include "analysis/calculation.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "framework/text.h"

namespace {

// How far a diagonal element may lie from 1, and (i, j) from (j, i); with a
// little more for the binary representation, so that 0.5801 against 0.58 is
// still within.
constexpr double kTolerance = 0.0001 + 1e-12;

// d is exactly 1 for a variable uncorrelated with all the others; the
// inverse may leave it a few units in the last place below.
constexpr double kLowestOne = 1.0 - 16 * std::numeric_limits<double>::epsilon();

// At most this many variables are named in a message.
constexpr size_t kMaxNamed = 10;

bool Within(double a, double b) {
  return std::abs(a - b) <= kTolerance;  // false for NaN
}

std::string Shown(double value) {
  return fw::Format(value, "0.0000");
}

std::string Place(int64_t row, int64_t column) {
  return "row " + fw::Str(row) + ", column " + fw::Str(column);
}

// "variable 2", "variables 2 and 7", "variables 2, 7 and 9", or the first
// ten and "and N more".
std::string VariableList(const std::vector<int64_t>& variables) {
  const size_t named = std::min(variables.size(), kMaxNamed);
  const size_t more = variables.size() - named;
  std::string list = variables.size() == 1 ? "variable " : "variables ";
  for (size_t k = 0; k < named; ++k) {
    if (k > 0) {
      list += (k + 1 == named && more == 0) ? " and " : ", ";
    }
    list += fw::Str(variables[k]);
  }
  if (more > 0) {
    list += " and " + fw::Str(static_cast<int64_t>(more)) + " more";
  }
  return list;
}

bool CountsAsOne(double d) {
  return d >= kLowestOne && d < 1.0;
}

}  // namespace

std::optional<std::string> IncompleteMatrixText(int64_t count, std::string_view matrixText) {
  if (fw::Len(matrixText) < count * count) {
    return "Correlation data seems to be incomplete. Reload the correlation data.";
  }
  return std::nullopt;
}

std::optional<std::string> MatrixSizeProblem(int64_t rows, int64_t columns, int64_t count) {
  if (rows != columns) {
    return "Check data. Number of rows and columns do not match.";
  }
  if (rows != count) {
    return "Check data. Are there " + fw::Str(count) + " variables?";
  }
  return std::nullopt;
}

std::optional<std::string> CorrelationShapeProblem(std::span<const double> values, int64_t count) {
  auto at = [&values, count](int64_t row, int64_t column) {
    return values[static_cast<size_t>(row * count + column)];
  };
  for (int64_t i = 0; i < count; ++i) {
    if (!Within(at(i, i), 1.0)) {
      return "The diagonal of a correlation matrix holds 1, but " + Place(i + 1, i + 1) +
             " holds " + Shown(at(i, i)) +
             ". A covariance matrix must first be turned into correlations.";
    }
    for (int64_t j = i + 1; j < count; ++j) {
      if (!Within(at(i, j), at(j, i))) {
        return "The matrix is not symmetric: " + Place(i + 1, j + 1) + " holds " + Shown(at(i, j)) +
               " but " + Place(j + 1, i + 1) + " holds " + Shown(at(j, i)) + ". Check the data.";
      }
    }
  }
  return std::nullopt;
}

std::optional<std::string> DefinitenessProblem(std::span<const double> diagonal) {
  std::vector<int64_t> outside;
  for (size_t k = 0; k < diagonal.size(); ++k) {
    if (!(std::isfinite(diagonal[k]) && diagonal[k] >= kLowestOne)) {
      outside.push_back(static_cast<int64_t>(k) + 1);
    }
  }
  if (outside.empty()) {
    return std::nullopt;
  }
  return "The matrix is not positive definite, so it is not a correlation matrix of real data: "
         "the SMC of " +
         VariableList(outside) +
         " would lie outside 0 to 1. Check the data (a typing error, or correlations computed "
         "from different cases).";
}

Results ResultsFromDiagonal(std::span<const double> diagonal) {
  Results results;
  results.r.reserve(diagonal.size());
  results.smc.reserve(diagonal.size());
  for (const double d : diagonal) {
    const double q = CountsAsOne(d) ? 1.0 : 1.0 / d;
    results.smc.push_back(1.0 - q);
    // R is taken of the very value stored as SMC.
    results.r.push_back(fw::Sqrt(results.smc.back()));
  }
  return results;
}

std::string ResultLine(double r, double smc) {
  return Shown(r) + fw::Chr(9) + Shown(smc) + fw::Chr(13) + fw::Chr(10);
}
