#pragma once
// The name each text control of the main window has for a screen reader: the
// text of the label its layout places before it. Both programs check it
// through their platform's accessibility interface.

namespace test_support {

struct AccessibleNameCase {
  const char* control;
  int left, top;  // its place in the layout
  const char* name;
};

inline constexpr AccessibleNameCase kAccessibleNames[] = {
    {"Nvariables", 200, 212, "Number of variables (3-99):"},
    {"corrFld", 20, 262, "Correlation Matrix"},
    {"mcFld", 475, 262, "R"},
};

}  // namespace test_support
