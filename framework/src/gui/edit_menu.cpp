#include "edit_menu.h"

namespace fw {

std::vector<EditEntry> ContextMenuEntries(const EditState& s) {
  const bool editable = !s.readOnly;
  std::vector<EditEntry> entries;
  if (editable) {
    entries.push_back({EditAction::Undo, "&Undo", s.canUndo, false});
    entries.push_back({EditAction::Cut, "Cu&t", s.hasSelection, true});
  }
  entries.push_back({EditAction::Copy, "&Copy", s.hasSelection, false});
  if (editable) {
    entries.push_back({EditAction::Paste, "&Paste", s.canPaste, false});
    entries.push_back({EditAction::Delete, "&Delete", s.hasSelection, false});
  }
  entries.push_back({EditAction::SelectAll, "Select &All", s.hasText, true});
  return entries;
}

std::optional<EditAction> EditActionOf(MenuRole role) {
  switch (role) {
    case MenuRole::Undo:
      return EditAction::Undo;
    case MenuRole::Cut:
      return EditAction::Cut;
    case MenuRole::Copy:
      return EditAction::Copy;
    case MenuRole::Paste:
      return EditAction::Paste;
    case MenuRole::None:
    case MenuRole::Quit:
      break;
  }
  return std::nullopt;
}

}  // namespace fw
