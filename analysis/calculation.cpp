#include "analysis/calculation.h"

#include "framework/text.h"

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

Results ResultsFromDiagonal(std::span<const double> diagonal) {
  Results results;
  results.r.reserve(diagonal.size());
  results.smc.reserve(diagonal.size());
  for (const double d : diagonal) {
    const double q = 1.0 / d;
    results.smc.push_back(1.0 - q);
    // R is taken of the very value stored as SMC.
    results.r.push_back(fw::Sqrt(results.smc.back()));
  }
  return results;
}

std::string ResultLine(double r, double smc) {
  return fw::Format(r, "0.0000") + fw::Chr(9) + fw::Format(smc, "0.0000") + fw::Chr(13) +
         fw::Chr(10);
}
