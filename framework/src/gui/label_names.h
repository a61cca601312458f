#pragma once
// Screen readers name a text control after the label the layout places
// before it: on its row to its left, or else above it, over its width. The
// nearest such label wins; a control with none stays unnamed.

#include <optional>
#include <vector>

#include "framework/rect_control.h"

namespace fw {

class Window;

// The index in `labels` of the label before `control`, if any.
std::optional<size_t> LabelBefore(const Rect& control, const std::vector<Rect>& labels);

// Gives every text field and text area of the window its label's text as
// its accessible name.
void NameTextControlsAfterLabels(Window& window);

}  // namespace fw
