// Calculate: R and SMC of every variable from the inverse of the correlation
// matrix typed, pasted or loaded into corrFld.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/control_wnd.h"
#include "analysis/variable_count.h"
#include "framework/dialogs.h"
#include "framework/runtime.h"
#include "framework/text.h"
#include "matrix/binding/matrix.h"

// Library exceptions are not caught: they reach the framework's report, and
// since every value is computed before the screen changes, a failed
// calculation leaves the window as it was.
void ControlWnd::CalculateBtn_Action(fw::PushButton& /*button*/) {
  const std::optional<int64_t> checked = CheckedVariableCount(*Nvariables());
  if (!checked) {
    return;
  }
  const int64_t count = *checked;

  const std::string matrixText = corrFld()->Text();
  if (fw::Len(matrixText) < count * count) {
    fw::MsgBox("Correlation data seems to be incomplete. Reload the correlation data.");
    return;
  }

  auto M = std::make_shared<Matrix>();
  M->Constructor(count, count, matrixText);
  const int64_t rows = NumRows(*M);
  const int64_t columns = NumColumns(*M);
  if (rows != columns) {
    fw::MsgBox("Check data. Number of rows and columns do not match.");
    return;
  }
  if (rows != count) {
    fw::MsgBox("Check data. Are there " + fw::Str(count) + " variables?");
    return;
  }

  const std::shared_ptr<Matrix> inverse = 1.0 / *M;
  std::vector<double> smcList(static_cast<size_t>(count));
  std::vector<double> rList(static_cast<size_t>(count));
  for (int64_t i = 0; i < count; ++i) {
    const auto k = static_cast<size_t>(i);
    const double d = inverse->Element(i, i);
    const double q = 1.0 / d;
    smcList[k] = 1.0 - q;
    rList[k] = fw::Sqrt(smcList[k]);
    fw::BackgroundTaskYield();
  }

  Rtext()->SetVisible(true);
  Rtext1()->SetVisible(true);
  text2()->SetVisible(true);
  mcFld()->SetVisible(true);

  // Appended after whatever the field holds: earlier results stay.
  for (size_t k = 0; k < rList.size(); ++k) {
    const std::string current = mcFld()->Text();
    const std::string line = fw::Format(rList[k], "0.0000") + fw::Chr(9) +
                             fw::Format(smcList[k], "0.0000") + fw::Chr(13) + fw::Chr(10);
    mcFld()->SetText(current + line);
    fw::BackgroundTaskYield();
  }
}
