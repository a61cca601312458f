#pragma once
// Outcome of a plug-in operation: a QM_* code and, on failure, the message
// that goes back to the caller.

#include <string>
#include <utility>

#include "quillmatrix/entrypoints.h"

namespace quillmatrix {

struct Status {
  int code = QM_OK;
  std::string message;

  bool Ok() const { return code == QM_OK; }
  static Status Success() { return {}; }
  static Status Failure(int failureCode, std::string text) {
    return {failureCode, std::move(text)};
  }
};

}  // namespace quillmatrix
