#include "label_names.h"

#include <limits>

#include "backend.h"
#include "framework/controls.h"
#include "framework/window.h"

namespace fw {
namespace {

int64_t MiddleY(const Rect& r) {
  return r.top + r.height / 2;
}

// Left of the control on its row: the label's middle lies within the
// control's height, and the label starts before the control does.
std::optional<int64_t> DistanceOnRow(const Rect& control, const Rect& label) {
  if (MiddleY(label) < control.top || MiddleY(label) >= control.top + control.height ||
      label.left >= control.left) {
    return std::nullopt;
  }
  return control.left - (label.left + label.width);
}

// Above the control: the label's middle is above its top, and the two share
// some of their width.
std::optional<int64_t> DistanceAbove(const Rect& control, const Rect& label) {
  if (MiddleY(label) >= control.top || label.left >= control.left + control.width ||
      control.left >= label.left + label.width) {
    return std::nullopt;
  }
  return control.top - (label.top + label.height);
}

std::optional<size_t> Nearest(const Rect& control, const std::vector<Rect>& labels,
                              std::optional<int64_t> (*distance)(const Rect&, const Rect&)) {
  std::optional<size_t> best;
  int64_t bestDistance = std::numeric_limits<int64_t>::max();
  for (size_t i = 0; i < labels.size(); ++i) {
    const std::optional<int64_t> d = distance(control, labels[i]);
    // On a tie, the leftmost: the one read first.
    if (d && (*d < bestDistance ||
              (best && *d == bestDistance && labels[i].left < labels[*best].left))) {
      best = i;
      bestDistance = *d;
    }
  }
  return best;
}

}  // namespace

std::optional<size_t> LabelBefore(const Rect& control, const std::vector<Rect>& labels) {
  if (std::optional<size_t> onRow = Nearest(control, labels, &DistanceOnRow)) {
    return onRow;
  }
  return Nearest(control, labels, &DistanceAbove);
}

void NameTextControlsAfterLabels(Window& window) {
  std::vector<const Label*> labels;
  std::vector<Rect> boxes;
  for (const Ref<Control>& c : window.Controls()) {
    if (const auto* label = dynamic_cast<const Label*>(c.get())) {
      labels.push_back(label);
      boxes.push_back(label->Bounds());
    }
  }
  for (const Ref<Control>& c : window.Controls()) {
    auto* control = dynamic_cast<RectControl*>(c.get());
    const bool text = dynamic_cast<TextField*>(control) || dynamic_cast<TextArea*>(control);
    if (!text || !control->PlatformPeer()) {
      continue;
    }
    if (const std::optional<size_t> label = LabelBefore(control->Bounds(), boxes)) {
      SetAccessibleName(*control, labels[*label]->Text());
    }
  }
}

}  // namespace fw
