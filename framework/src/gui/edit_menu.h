#pragma once
// The context menu of a text control: the platform's usual editing entries,
// with only Copy and Select All where the text is read-only. Each entry acts
// through the same editing as the Edit menu's.

#include <optional>
#include <string>
#include <vector>

#include "framework/menu.h"

namespace fw {

enum class EditAction { Undo, Cut, Copy, Paste, Delete, SelectAll };

// What the control holds when its menu opens.
struct EditState {
  bool readOnly = false;
  bool canUndo = false;
  bool hasSelection = false;
  bool canPaste = false;  // the clipboard holds text
  bool hasText = false;
};

struct EditEntry {
  EditAction action;
  std::string caption;  // '&' marks the access key
  bool enabled = false;
  bool separatorBefore = false;
};

std::vector<EditEntry> ContextMenuEntries(const EditState& state);

// The editing an Edit menu entry of that role does on the focused control.
std::optional<EditAction> EditActionOf(MenuRole role);

}  // namespace fw
