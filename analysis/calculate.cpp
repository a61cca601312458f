// Calculate: moves the count and the matrix text from the window into the
// calculation, and its results or its message back.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/calculation.h"
#include "analysis/control_wnd.h"
#include "framework/runtime.h"
#include "matrix/binding/matrix.h"

// Library exceptions are not caught: they reach the framework's report, and
// since every value is computed before the screen changes, a failed
// calculation leaves the window as it was.
void ControlWnd::CalculateBtn_Action(fw::PushButton& /*button*/) {
  const std::optional<int64_t> checked = CheckedCount();
  if (!checked) {
    return;
  }
  const int64_t count = *checked;

  const std::string matrixText = corrFld()->Text();
  if (Refused(IncompleteMatrixText(count, matrixText))) {
    return;
  }

  auto M = std::make_shared<Matrix>();
  M->Constructor(count, count, matrixText);
  const int64_t rows = NumRows(*M);
  const int64_t columns = NumColumns(*M);
  if (Refused(MatrixSizeProblem(rows, columns, count))) {
    return;
  }

  std::vector<double> values;
  for (int64_t i = 0; i < count; ++i) {
    for (int64_t j = 0; j < count; ++j) {
      values.push_back(M->Element(i, j));
    }
  }
  if (Refused(CorrelationShapeProblem(values, count))) {
    return;
  }

  const std::shared_ptr<Matrix> inverse = 1.0 / *M;
  std::vector<double> diagonal;
  for (int64_t i = 0; i < count; ++i) {
    diagonal.push_back(inverse->Element(i, i));
    fw::BackgroundTaskYield();
  }
  if (Refused(DefinitenessProblem(diagonal))) {
    return;
  }
  const Results results = ResultsFromDiagonal(diagonal);

  Rtext()->SetVisible(true);
  Rtext1()->SetVisible(true);
  text2()->SetVisible(true);
  mcFld()->SetVisible(true);

  // Appended after whatever the field holds: earlier results stay.
  for (size_t k = 0; k < results.r.size(); ++k) {
    mcFld()->SetText(mcFld()->Text() + ResultLine(results.r[k], results.smc[k]));
    fw::BackgroundTaskYield();
  }
}
