#pragma once
// Outcome of a plug-in operation: a QM_* code and, on failure, the message
// that goes back to the caller.

#include <cstddef>
#include <string>
#include <string_view>
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

// The longest start of `text` of at most `limit` bytes that does not cut a
// UTF-8 sequence, for messages shortened to fit.
inline std::string_view CutAtCharacter(std::string_view text, size_t limit) {
  if (text.size() <= limit) {
    return text;
  }
  size_t length = limit;
  while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) {
    --length;
  }
  return text.substr(0, length);
}

}  // namespace quillmatrix
