#include "matrix/binding/matrix.h"

#include <array>

#include "matrix/binding/plugin_entrypoints.h"
#include "quillmatrix/entrypoints.h"

namespace {

// Holds the plug-in's message for one call.
using ErrorBuffer = std::array<char, 1024>;

[[noreturn]] void Raise(int code, const ErrorBuffer& error) {
  const std::string message(error.data());
  switch (code) {
    case QM_BAD_ARGUMENT:
      throw BadArgumentException(message);
    case QM_BAD_ENTRY_NUMBER:
      throw BadEntryNumberException(message);
    case QM_DIVIDE_BY_ZERO:
      throw DivideByZeroException(message);
    case QM_NEGATIVE_NUMBER:
      throw NegativeNumberException(message);
    case QM_NEGATIVE_OR_ZERO:
      throw NegativeOrZeroException(message);
    case QM_OVERFLOW_OR_UNDERFLOW:
      throw OverflowOrUnderflowException(message);
    case QM_ROW_COLUMN_MISMATCH:
      throw RowColumnMismatch(message);
    case QM_OUT_OF_MEMORY:
      throw fw::RuntimeException(message);
    default:
      throw fw::RuntimeException(
          "The matrix library reported a failure this program does not know (code " +
          std::to_string(code) + "). Reinstall the program so that its library matches it." +
          (message.empty() ? std::string() : " The library said: " + message));
  }
}

void Check(int code, const ErrorBuffer& error) {
  if (code != QM_OK) {
    Raise(code, error);
  }
}

}  // namespace

Matrix::~Matrix() {
  if (handle_ != nullptr) {
    library_->release(handle_);
  }
}

const QmEntryPoints& Matrix::Library() const {
  // A matrix the plug-in made keeps its table; an empty one needs the binding.
  return library_ != nullptr ? *library_ : BoundPluginEntrypoints();
}

void Matrix::Adopt(const QmEntryPoints& library, QmMatrix* handle) {
  if (handle_ != nullptr) {
    library_->release(handle_);
  }
  library_ = &library;
  handle_ = handle;
}

void Matrix::Constructor(int64_t numberOfRows, int64_t numberOfColumns,
                         const std::string& matrixString) {
  const QmEntryPoints& library = BoundPluginEntrypoints();
  ErrorBuffer error{};
  QmMatrix* created = nullptr;
  Check(library.create_from_text(numberOfRows, numberOfColumns, matrixString.data(),
                                 matrixString.size(), &created, error.data(), error.size()),
        error);
  Adopt(library, created);
}

std::shared_ptr<Matrix> Matrix::Operator_DivideRight(double x) const {
  const QmEntryPoints& library = Library();
  // Made first, so that nothing can fail between the plug-in's result and
  // its owner.
  auto quotient = std::make_shared<Matrix>();
  ErrorBuffer error{};
  QmMatrix* result = nullptr;
  Check(library.divide_right(handle_, x, &result, error.data(), error.size()), error);
  quotient->Adopt(library, result);
  return quotient;
}

double Matrix::Element(int64_t rowIndex, int64_t columnIndex) const {
  ErrorBuffer error{};
  double value = 0.0;
  Check(Library().element(handle_, rowIndex, columnIndex, &value, error.data(), error.size()),
        error);
  return value;
}

int64_t NumRows(const Matrix& theMatrix) {
  return theMatrix.Library().num_rows(theMatrix.handle_);
}

int64_t NumColumns(const Matrix& theMatrix) {
  return theMatrix.Library().num_columns(theMatrix.handle_);
}

std::shared_ptr<Matrix> operator/(double x, const Matrix& m) {
  return m.Operator_DivideRight(x);
}
