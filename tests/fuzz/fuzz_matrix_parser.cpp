// Fuzzes the matrix text parser, and the inverse of the small square
// matrices it yields, against invariants checked independently of them.

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "matrix_inverse.h"
#include "matrix_text_parser.h"

namespace {

using quillmatrix::DenseMatrix;
using quillmatrix::Status;

bool IsSeparator(char c) {
  return c == ' ' || c == '\t';
}
bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}

// Lines that hold anything but blanks and TABs; CR LF, LF and CR end a line.
int64_t NonBlankLines(std::string_view text) {
  int64_t lines = 0;
  bool blank = true;
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsLineEnd(text[i])) {
      lines += blank ? 0 : 1;
      blank = true;
    } else if (!IsSeparator(text[i])) {
      blank = false;
    }
  }
  return lines + (blank ? 0 : 1);
}

int64_t Tokens(std::string_view text) {
  int64_t tokens = 0;
  bool inToken = false;
  for (const char c : text) {
    const bool delimiter = IsSeparator(c) || IsLineEnd(c);
    tokens += (!delimiter && !inToken) ? 1 : 0;
    inToken = !delimiter;
  }
  return tokens;
}

std::string WrittenBack(const DenseMatrix& m) {
  std::string text;
  char buffer[32];
  for (int64_t row = 0; row < m.rows; ++row) {
    for (int64_t column = 0; column < m.columns; ++column) {
      const auto result = std::to_chars(buffer, buffer + sizeof buffer, m.At(row, column));
      text.append(buffer, result.ptr);
      text += column + 1 < m.columns ? '\t' : '\n';
    }
  }
  return text;
}

void CheckFailure(const Status& status, const DenseMatrix& m) {
  FUZZ_CHECK(status.code == QM_BAD_ARGUMENT || status.code == QM_OVERFLOW_OR_UNDERFLOW ||
             status.code == QM_ROW_COLUMN_MISMATCH);
  FUZZ_CHECK(status.message.rfind("Row ", 0) == 0);
  for (const char c : status.message) {
    FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
  }
  FUZZ_CHECK(m.rows == 0 && m.columns == 0 && m.values.empty());
}

void CheckInverse(const DenseMatrix& m) {
  DenseMatrix quotient;
  const Status status = quillmatrix::DivideRight(m, 1.0, quotient);
  if (status.Ok()) {
    FUZZ_CHECK(quotient.rows == m.rows && quotient.columns == m.columns);
    for (const double v : quotient.values) {
      FUZZ_CHECK(std::isfinite(v));
    }
  } else {
    FUZZ_CHECK(status.code == QM_DIVIDE_BY_ZERO || status.code == QM_OVERFLOW_OR_UNDERFLOW);
    FUZZ_CHECK(quotient.values.empty());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  DenseMatrix m;
  const Status status = quillmatrix::ParseMatrixText(text, m);
  if (!status.Ok()) {
    CheckFailure(status, m);
    return 0;
  }

  FUZZ_CHECK((m.rows == 0) == (m.columns == 0));
  FUZZ_CHECK(m.rows * m.columns == static_cast<int64_t>(m.values.size()));
  FUZZ_CHECK(m.rows == NonBlankLines(text));
  FUZZ_CHECK(static_cast<int64_t>(m.values.size()) == Tokens(text));
  for (const double v : m.values) {
    FUZZ_CHECK(std::isfinite(v));
  }

  // Written back in shortest form, the values read the same, bit for bit.
  DenseMatrix again;
  FUZZ_CHECK(quillmatrix::ParseMatrixText(WrittenBack(m), again).Ok());
  FUZZ_CHECK(again.rows == m.rows && again.columns == m.columns);
  FUZZ_CHECK(m.values.empty() || std::memcmp(again.values.data(), m.values.data(),
                                             m.values.size() * sizeof(double)) == 0);

  if (m.rows == m.columns && m.rows > 0 && m.rows <= 16) {
    CheckInverse(m);
  }
  return 0;
}
