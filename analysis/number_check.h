#pragma once
// Whether a field of a matrix file holds a number.

#include <string_view>

// A decimal number with optional sign, fraction and exponent, and blanks or
// TABs around it: "1", "-0.25", " .5 ", "5.", "+1e-3", "2E4". Not: "", "-",
// ".", "0,58", "NA", "1e", "inf", "0x1", "1 2". Only the form is judged, so a
// number too large for a Double still counts as one.
bool IsDecimalNumber(std::string_view text);
