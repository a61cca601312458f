#pragma once
// A matrix of doubles held by the matrix plug-in. Every operation either
// returns its result or raises one of the exceptions of matrix_exceptions.h
// (fw::PluginException if the plug-in is not bound).

#include <cstdint>
#include <memory>
#include <string>

#include "matrix/binding/matrix_exceptions.h"

struct QmEntryPoints;
struct QmMatrix;

class Matrix {
 public:
  // Holds nothing until Constructor builds it: NumRows and NumColumns give 0,
  // Element and Operator_DivideRight raise BadArgumentException.
  Matrix() = default;
  ~Matrix();
  Matrix(const Matrix&) = delete;
  Matrix& operator=(const Matrix&) = delete;

  // Builds the matrix from text: one row per non-blank line, values separated
  // by blanks or TABs. The shape comes from the text; the two counts are the
  // caller's expectation and must not be negative.
  void Constructor(int64_t numberOfRows, int64_t numberOfColumns, const std::string& matrixString);

  // x / M: x times the inverse of this square matrix.
  std::shared_ptr<Matrix> Operator_DivideRight(double x) const;

  // Indices start at 0.
  double Element(int64_t rowIndex, int64_t columnIndex) const;

  friend int64_t NumRows(const Matrix& theMatrix);
  friend int64_t NumColumns(const Matrix& theMatrix);

 private:
  const QmEntryPoints& Library() const;
  void Adopt(const QmEntryPoints& library, QmMatrix* handle);

  // The table that created handle_; it stays valid, since the plug-in is
  // never unloaded.
  const QmEntryPoints* library_ = nullptr;
  QmMatrix* handle_ = nullptr;
};

int64_t NumRows(const Matrix& theMatrix);
int64_t NumColumns(const Matrix& theMatrix);
std::shared_ptr<Matrix> operator/(double x, const Matrix& m);
