#include "infowindows/description_wnd_layout.h"

#include "infowindows/help_text.h"

namespace description_wnd_layout {

const fw::PropertyList& Window() {
  static const fw::PropertyList list{
      {"Width", 450},
      {"Height", 500},
      {"MinimumWidth", 64},
      {"MinimumHeight", 64},
      {"MaximumWidth", 32000},
      {"MaximumHeight", 32000},
      {"Type", 0},
      {"Title", "Instructions"},
      {"HasCloseButton", true},
      {"HasMaximizeButton", false},
      {"HasMinimizeButton", true},
      {"HasFullScreenButton", false},
      {"Resizeable", true},
      {"Composite", false},
      {"MacProcID", 0},
      {"FullScreen", false},
      {"DefaultLocation", 0},
      {"Visible", true},
      {"HasBackgroundColor", false},
      {"BackgroundColor", fw::Color{0x00FFFFFF}},
      {"MenuBarVisible", true},
      {"LiveResize", false},
  };
  return list;
}

const fw::PropertyList& DescribeFld2() {
  // One unit beyond the left, top and right edges, 16 units short of the
  // bottom; locked on all four edges, so it grows and shrinks with the window.
  static const fw::PropertyList list{
      {"Name", "DescribeFld2"},
      {"Index", -2147483648LL},
      {"Left", -1},
      {"Top", -1},
      {"Width", 452},
      {"Height", 485},
      {"LockLeft", true},
      {"LockTop", true},
      {"LockRight", true},
      {"LockBottom", true},
      {"TabIndex", 0},
      {"TabPanelIndex", 0},
      {"TabStop", true},
      {"AllowAutoDeactivate", true},
      {"BackgroundColor", fw::Color{0x00FFFFFF}},
      {"HasBorder", true},
      {"Enabled", true},
      {"Format", ""},
      {"Tooltip", ""},
      {"HideSelection", true},
      {"LineHeight", 0.0},
      {"LineSpacing", 1.0},
      {"Multiline", true},
      {"HasHorizontalScrollbar", false},
      {"HasVerticalScrollbar", true},
      {"AllowStyledText", true},
      {"TextColor", fw::Color{0x00000000}},
      {"Transparent", true},
      {"AllowFocusRing", false},
      {"Visible", true},
      {"Bold", false},
      {"Italic", false},
      {"FontName", "System"},
      {"FontSize", 12.0f},
      {"FontUnit", fw::FontUnit{0}},
      {"Underline", false},
      {"Value", infowindows::HelpText()},
      {"AllowTabs", false},
      {"TextAlignment", 1},
      {"AllowSpellChecking", false},
      {"MaximumCharactersAllowed", 0},
      {"ValidationMask", ""},
      {"ReadOnly", true},
      {"DataSource", ""},
      {"DataField", ""},
      {"InitialParent", ""},
  };
  return list;
}

}  // namespace description_wnd_layout
