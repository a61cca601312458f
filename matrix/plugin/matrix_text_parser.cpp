#include "matrix_text_parser.h"

#include <charconv>
#include <string>
#include <system_error>
#include <utility>

namespace quillmatrix {
namespace {

bool IsSeparator(char c) {
  return c == ' ' || c == '\t';
}
bool IsLineEnd(char c) {
  return c == '\n' || c == '\r';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

enum class NumberResult { kOk, kNotANumber, kOutOfRange };

NumberResult ReadDecimal(std::string_view token, double& value) {
  const char* first = token.data();
  const char* const last = first + token.size();
  bool negative = false;
  if (first != last && (*first == '+' || *first == '-')) {
    negative = *first == '-';
    ++first;
  }
  // from_chars alone would also accept "inf", "nan" and a second sign.
  if (first == last || !(IsDigit(*first) || *first == '.')) {
    return NumberResult::kNotANumber;
  }
  double parsed = 0.0;
  const auto [end, error] = std::from_chars(first, last, parsed, std::chars_format::general);
  if (error == std::errc::invalid_argument || end != last) {
    return NumberResult::kNotANumber;
  }
  if (error == std::errc::result_out_of_range) {
    return NumberResult::kOutOfRange;
  }
  value = negative ? -parsed : parsed;
  return NumberResult::kOk;
}

// The token as a message shows it: quoted, cut at a character boundary when
// long, with control characters made visible.
std::string QuoteToken(std::string_view token) {
  const bool truncated = token.size() > kMaxQuotedTokenBytes;
  size_t length = truncated ? kMaxQuotedTokenBytes : token.size();
  if (truncated) {
    while (length > 0 && (static_cast<unsigned char>(token[length]) & 0xC0) == 0x80) {
      --length;
    }
  }
  std::string quoted = "\"";
  for (const char c : token.substr(0, length)) {
    const auto byte = static_cast<unsigned char>(c);
    quoted += (byte < 0x20 || byte == 0x7F) ? '?' : c;
  }
  quoted += truncated ? "...\"" : "\"";
  return quoted;
}

std::string Position(int64_t row, int64_t column) {
  return "Row " + std::to_string(row) + ", column " + std::to_string(column);
}

std::string ValueCount(int64_t count) {
  return std::to_string(count) + (count == 1 ? " value" : " values");
}

}  // namespace

Status ParseMatrixText(std::string_view text, DenseMatrix& matrix) {
  matrix = DenseMatrix{};
  std::vector<double> values;
  int64_t rows = 0;
  int64_t columns = 0;

  const char* p = text.data();
  const char* const end = p + text.size();
  while (p != end) {
    int64_t valuesInLine = 0;
    for (;;) {
      while (p != end && IsSeparator(*p)) {
        ++p;
      }
      if (p == end || IsLineEnd(*p)) {
        break;
      }
      const char* const tokenStart = p;
      while (p != end && !IsSeparator(*p) && !IsLineEnd(*p)) {
        ++p;
      }
      const std::string_view token(tokenStart, static_cast<size_t>(p - tokenStart));
      if (valuesInLine == 0) {
        ++rows;
      }
      ++valuesInLine;

      double value = 0.0;
      switch (ReadDecimal(token, value)) {
        case NumberResult::kOk:
          values.push_back(value);
          break;
        case NumberResult::kNotANumber:
          return Status::Failure(QM_BAD_ARGUMENT, Position(rows, valuesInLine) +
                                                      " is not a number: " + QuoteToken(token));
        case NumberResult::kOutOfRange:
          return Status::Failure(QM_OVERFLOW_OR_UNDERFLOW,
                                 Position(rows, valuesInLine) +
                                     " is too large or too close to zero: " + QuoteToken(token));
      }
    }

    if (valuesInLine > 0) {
      if (rows == 1) {
        columns = valuesInLine;
      } else if (valuesInLine != columns) {
        return Status::Failure(QM_ROW_COLUMN_MISMATCH,
                               "Row " + std::to_string(rows) + " has " + ValueCount(valuesInLine) +
                                   ", but row 1 has " + std::to_string(columns));
      }
    }

    // Here p is at the end or at a line end: CR LF, LF or CR.
    if (p != end && *p++ == '\r' && p != end && *p == '\n') {
      ++p;
    }
  }

  matrix.rows = rows;
  matrix.columns = columns;
  matrix.values = std::move(values);
  return Status::Success();
}

}  // namespace quillmatrix
