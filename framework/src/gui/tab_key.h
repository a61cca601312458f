#pragma once
// What the Tab key does in a control. Plain Tab and Shift+Tab move the focus
// on or back, unless the control takes TABs as text (an editable field that
// allows them); Ctrl+Tab and Ctrl+Shift+Tab always move it, so that the
// keyboard can leave such a field. Alt+Tab belongs to the desktop.

namespace fw {

enum class TabMove { None, Next, Previous };

struct TabPress {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
};

struct TabTarget {
  bool allowsTabs = false;  // a text area whose AllowTabs is set
  bool readOnly = false;
};

TabMove TabKeyMove(TabPress press, TabTarget control);

}  // namespace fw
