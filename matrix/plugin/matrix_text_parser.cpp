#include "matrix_text_parser.h"

#include <charconv>
#include <cstdint>
#include <string>
#include <system_error>
#include <utility>

#include "framework/visible_text.h"

namespace quillmatrix {
namespace {

bool IsSeparator(char c) {
  return c == ' ' || c == '\t';
}
bool IsLineEnd(char c) {
  return c == '\n' || c == '\r';
}
bool IsDelimiter(char c) {
  return IsSeparator(c) || IsLineEnd(c);
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

enum class NumberResult { kOk, kNotANumber, kOutOfRange };

// Any token: decides what the fast path in ReadToken leaves open.
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

// No more digits than this fit the 64-bit accumulator.
constexpr int64_t kMaxPlainDigits = 19;
constexpr uint64_t kMaxExactInteger = uint64_t{1} << 53;
// The fraction has no more digits than the token, and every power of ten up
// to 1e22 is exact as a double.
constexpr double kExactPowersOfTen[kMaxPlainDigits + 1] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,
                                                           1e7,  1e8,  1e9,  1e10, 1e11, 1e12, 1e13,
                                                           1e14, 1e15, 1e16, 1e17, 1e18, 1e19};

// Reads the token that starts at `p` into `value` and returns where it ends.
// Decimals as typed or pasted ("0.5800", "-12", ".5") take the fast path:
// digits that form an exact integer, divided by an exact power of ten, is
// one correctly rounded operation and so the value from_chars would give.
// Every other token goes to ReadDecimal.
const char* ReadToken(const char* p, const char* const end, double& value, NumberResult& result) {
  const char* const start = p;
  const bool negative = *p == '-';
  if (*p == '+' || *p == '-') {
    ++p;
  }
  uint64_t digits = 0;  // wraps past kMaxPlainDigits, which the check below refuses
  const char* const integerStart = p;
  while (p != end && IsDigit(*p)) {
    digits = digits * 10 + static_cast<uint64_t>(*p++ - '0');
  }
  int64_t digitCount = p - integerStart;
  int64_t fractionDigits = 0;
  if (p != end && *p == '.') {
    const char* const fractionStart = ++p;
    while (p != end && IsDigit(*p)) {
      digits = digits * 10 + static_cast<uint64_t>(*p++ - '0');
    }
    fractionDigits = p - fractionStart;
    digitCount += fractionDigits;
  }
  if ((p == end || IsDelimiter(*p)) && digitCount > 0 && digitCount <= kMaxPlainDigits &&
      digits <= kMaxExactInteger) {
    const double magnitude =
        static_cast<double>(digits) / kExactPowersOfTen[static_cast<size_t>(fractionDigits)];
    value = negative ? -magnitude : magnitude;
    result = NumberResult::kOk;
    return p;
  }
  while (p != end && !IsDelimiter(*p)) {
    ++p;
  }
  result = ReadDecimal(std::string_view(start, static_cast<size_t>(p - start)), value);
  return p;
}

// The token as a message shows it: quoted, cut at a character boundary when
// long, with control characters made visible.
std::string QuoteToken(std::string_view token) {
  const bool truncated = token.size() > kMaxQuotedTokenBytes;
  std::string quoted = "\"";
  quoted += fw::VisibleText(CutAtCharacter(token, kMaxQuotedTokenBytes));
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
      if (valuesInLine == 0) {
        ++rows;
      }
      ++valuesInLine;

      const char* const tokenStart = p;
      double value = 0.0;
      NumberResult result = NumberResult::kOk;
      p = ReadToken(p, end, value, result);
      if (result == NumberResult::kOk) {
        values.push_back(value);
        continue;
      }
      const std::string_view token(tokenStart, static_cast<size_t>(p - tokenStart));
      if (result == NumberResult::kNotANumber) {
        return Status::Failure(QM_BAD_ARGUMENT, Position(rows, valuesInLine) +
                                                    " is not a number: " + QuoteToken(token) +
                                                    ". Write every value as a number with a "
                                                    "decimal point, such as 0.25.");
      }
      return Status::Failure(QM_OVERFLOW_OR_UNDERFLOW,
                             Position(rows, valuesInLine) +
                                 " is too large or too close to zero: " + QuoteToken(token) +
                                 ". Write a value between 1e-300 and 1e300 in size, or 0.");
    }

    if (valuesInLine > 0) {
      if (rows == 1) {
        columns = valuesInLine;
        // The other rows are likely about as long as the first: room for
        // them all at once spares growing the values step by step.
        const auto firstRowBytes = static_cast<size_t>(p - text.data());
        values.reserve(static_cast<size_t>(columns) * (text.size() / firstRowBytes + 1));
      } else if (valuesInLine != columns) {
        return Status::Failure(QM_ROW_COLUMN_MISMATCH,
                               "Row " + std::to_string(rows) + " has " + ValueCount(valuesInLine) +
                                   ", but row 1 has " + std::to_string(columns) +
                                   ". Give every row the same number of values.");
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
