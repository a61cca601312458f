// The C interface of the plug-in. Every entry point catches everything: an
// exception must never unwind into a caller that may not even be C++.

#include "quillmatrix/entrypoints.h"

#include <cstring>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>

#include "dense_matrix.h"
#include "matrix_inverse.h"
#include "matrix_text_parser.h"
#include "status.h"

struct QmMatrix {
  quillmatrix::DenseMatrix data;
};

namespace {

using quillmatrix::Status;

// Copies as much of the message as fits, without cutting a UTF-8 sequence.
void WriteError(char* error, size_t errorSize, std::string_view message) noexcept {
  if (error == nullptr || errorSize == 0) {
    return;
  }
  const std::string_view fitting = quillmatrix::CutAtCharacter(message, errorSize - 1);
  if (!fitting.empty()) {
    std::memcpy(error, fitting.data(), fitting.size());
  }
  error[fitting.size()] = '\0';
}

template <typename Operation>
int Guarded(char* error, size_t errorSize, Operation&& operation) noexcept {
  WriteError(error, errorSize, {});
  try {
    const Status status = operation();
    WriteError(error, errorSize, status.message);
    return status.code;
  } catch (const std::bad_alloc&) {
    WriteError(error, errorSize,
               "There is not enough memory for the matrix. Close other programs, or use a smaller "
               "matrix.");
    return QM_OUT_OF_MEMORY;
  } catch (const std::length_error&) {
    WriteError(error, errorSize,
               "There is not enough memory for the matrix. Close other programs, or use a smaller "
               "matrix.");
    return QM_OUT_OF_MEMORY;
  } catch (const std::exception& e) {
    WriteError(error, errorSize, e.what());
    return QM_BAD_ARGUMENT;
  } catch (...) {
    WriteError(error, errorSize,
               "The matrix library failed unexpectedly. Try again; if it fails again, restart the "
               "program.");
    return QM_BAD_ARGUMENT;
  }
}

Status NoResultPlace() {
  return Status::Failure(QM_BAD_ARGUMENT,
                         "The matrix library was given no place for its result. This is a fault in "
                         "the program; please report it.");
}

Status NoMatrix() {
  return Status::Failure(
      QM_BAD_ARGUMENT,
      "The matrix library was given no matrix. This is a fault in the program; please report it.");
}

int CreateFromText(int64_t rows, int64_t columns, const char* utf8, size_t length, QmMatrix** out,
                   char* error, size_t errorSize) {
  return Guarded(error, errorSize, [&]() -> Status {
    if (out == nullptr) {
      return NoResultPlace();
    }
    *out = nullptr;
    if (rows < 0 || columns < 0) {
      return Status::Failure(QM_BAD_ARGUMENT,
                             "The number of rows and columns must not be negative, but they are " +
                                 std::to_string(rows) + " and " + std::to_string(columns) +
                                 ". Give counts of 0 or more.");
    }
    if (utf8 == nullptr && length != 0) {
      return Status::Failure(
          QM_BAD_ARGUMENT,
          "No text was given for the matrix. This is a fault in the program; please report it.");
    }
    auto matrix = std::make_unique<QmMatrix>();
    const Status status =
        quillmatrix::ParseMatrixText(std::string_view(utf8, length), matrix->data);
    if (status.Ok()) {
      *out = matrix.release();
    }
    return status;
  });
}

void Release(QmMatrix* m) {
  delete m;
}

int64_t NumRows(const QmMatrix* m) {
  return m == nullptr ? 0 : m->data.rows;
}

int64_t NumColumns(const QmMatrix* m) {
  return m == nullptr ? 0 : m->data.columns;
}

int DivideRight(const QmMatrix* m, double x, QmMatrix** out, char* error, size_t errorSize) {
  return Guarded(error, errorSize, [&]() -> Status {
    if (out == nullptr) {
      return NoResultPlace();
    }
    *out = nullptr;
    if (m == nullptr) {
      return NoMatrix();
    }
    auto result = std::make_unique<QmMatrix>();
    const Status status = quillmatrix::DivideRight(m->data, x, result->data);
    if (status.Ok()) {
      *out = result.release();
    }
    return status;
  });
}

int Element(const QmMatrix* m, int64_t row, int64_t column, double* out, char* error,
            size_t errorSize) {
  return Guarded(error, errorSize, [&]() -> Status {
    if (out == nullptr) {
      return NoResultPlace();
    }
    if (m == nullptr) {
      return NoMatrix();
    }
    const quillmatrix::DenseMatrix& data = m->data;
    if (row < 0 || row >= data.rows || column < 0 || column >= data.columns) {
      const std::string element =
          "Element (" + std::to_string(row) + ", " + std::to_string(column) + ")";
      if (data.rows == 0 || data.columns == 0) {
        return Status::Failure(QM_BAD_ENTRY_NUMBER,
                               element +
                                   " cannot be read: the matrix is empty. Enter the matrix's "
                                   "values first.");
      }
      return Status::Failure(QM_BAD_ENTRY_NUMBER,
                             element + " is outside the " + std::to_string(data.rows) + " x " +
                                 std::to_string(data.columns) +
                                 " matrix. Rows and columns are counted from 0, so the last "
                                 "element is (" +
                                 std::to_string(data.rows - 1) + ", " +
                                 std::to_string(data.columns - 1) + ").");
    }
    *out = data.At(row, column);
    return Status::Success();
  });
}

constexpr QmEntryPoints kEntryPoints = {
    QM_ABI_VERSION,  static_cast<uint32_t>(sizeof(QmEntryPoints)),
    &CreateFromText, &Release,
    &NumRows,        &NumColumns,
    &DivideRight,    &Element,
};

}  // namespace

extern "C" QM_EXPORT const QmEntryPoints* quillmatrix_entrypoints(void) {
  return &kEntryPoints;
}
