#include "matrix/binding/library_classes.h"

#include <array>
#include <map>
#include <string>

#include "framework/exceptions.h"

namespace {
// The library classes the binding knows.
constexpr std::array<std::string_view, 8> kNames = {
    "BadArgumentException",         "BadEntryNumberException",
    "DivideByZeroException",        "Matrix",
    "NegativeNumberException",      "NegativeOrZeroException",
    "OverflowOrUnderflowException", "RowColumnMismatch"};
}  // namespace

const fw::ClassRecord& MatrixLibraryClass(std::string_view name) {
  // Like every class record, these live for the whole process.
  static auto& records = *new std::map<std::string, const fw::ClassRecord*, std::less<>>;
  auto it = records.find(name);
  if (it == records.end()) {
    bool known = false;
    for (std::string_view n : kNames) {
      known = known || n == name;
    }
    if (!known) {
      throw fw::KeyNotFoundException("The matrix library has no class named " + std::string(name) +
                                     ". Reinstall the program so that its library matches it.");
    }
    it = records.emplace(std::string(name), nullptr).first;
  }
  return fw::BuildClassRecordOnce(it->second,
                                  [name](fw::ClassRecord& r) { r.name = std::string(name); });
}
