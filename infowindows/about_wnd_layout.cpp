#include "infowindows/about_wnd_layout.h"

#include "app/notice.h"
#include "framework/control.h"

namespace about_wnd_layout {

using fw::kNoIndex;

namespace {

constexpr fw::Color kWhite{0x00FFFFFF};
constexpr fw::Color kAccent{0x00FF6400};

}  // namespace

const fw::PropertyList& Window() {
  static const fw::PropertyList list{
      {"Width", 400},
      {"Height", 400},
      {"MinimumWidth", 64},
      {"MinimumHeight", 64},
      {"MaximumWidth", 32000},
      {"MaximumHeight", 32000},
      {"Type", 2},
      {"Title", ""},
      {"HasCloseButton", true},
      {"HasMaximizeButton", true},
      {"HasMinimizeButton", true},
      {"HasFullScreenButton", false},
      {"Resizeable", true},
      {"Composite", false},
      {"MacProcID", 0},
      {"FullScreen", false},
      {"DefaultLocation", 0},
      {"Visible", true},
      {"HasBackgroundColor", true},
      {"BackgroundColor", kWhite},
      {"MenuBarVisible", true},
      {"LiveResize", false},
  };
  return list;
}

const fw::PropertyList& StaticText5() {
  static const fw::PropertyList list{
      {"Name", "StaticText5"},
      {"Index", kNoIndex},
      {"Left", 1},
      {"Top", 368},
      {"Width", 399},
      {"Height", 12},
      {"LockLeft", true},
      {"LockTop", true},
      {"LockRight", true},
      {"LockBottom", true},
      {"TabIndex", 0},
      {"TabPanelIndex", 0},
      {"TabStop", false},
      {"AllowAutoDeactivate", true},
      {"Enabled", true},
      {"Tooltip", ""},
      {"Multiline", true},
      {"Selectable", false},
      {"TextAlignment", 2},
      {"TextColor", kAccent},
      {"Transparent", false},
      {"Value", kNotice},
      {"Visible", true},
      {"Bold", false},
      {"Italic", false},
      {"FontName", "System"},
      {"Underline", false},
      {"FontSize", 9.0f},
      {"FontUnit", fw::FontUnit{0}},
      {"DataSource", ""},
      {"DataField", ""},
      {"InitialParent", ""},
  };
  return list;
}

const fw::PropertyList& Canvas1() {
  static const fw::PropertyList list{
      {"Name", "Canvas1"},
      {"Index", kNoIndex},
      {"Left", 74},
      {"Top", 31},
      {"Width", 251},
      {"Height", 267},
      {"LockLeft", true},
      {"LockTop", true},
      {"LockRight", false},
      {"LockBottom", false},
      {"TabIndex", 1},
      {"TabPanelIndex", 0},
      {"TabStop", false},
      {"AllowAutoDeactivate", true},
      {"Enabled", true},
      {"Tooltip", ""},
      {"AllowFocusRing", true},
      {"Visible", true},
      {"AllowFocus", false},
      {"AllowTabs", false},
      {"Transparent", true},
      {"DoubleBuffer", false},
      {"InitialParent", ""},
  };
  return list;
}

const fw::PropertyList& TextField1() {
  static const fw::PropertyList list{
      {"Name", "TextField1"},
      {"Index", kNoIndex},
      {"Left", 93},
      {"Top", 294},
      {"Width", 234},
      {"Height", 41},
      {"LockLeft", true},
      {"LockTop", true},
      {"LockRight", false},
      {"LockBottom", false},
      {"TabIndex", 2},
      {"TabPanelIndex", 0},
      {"TabStop", false},
      {"AllowAutoDeactivate", true},
      {"BackgroundColor", kWhite},
      {"HasBorder", false},
      {"Enabled", true},
      {"Format", ""},
      {"Tooltip", ""},
      {"HideSelection", true},
      {"LineHeight", 0.0},
      {"LineSpacing", 1.0},
      {"Multiline", false},
      {"HasHorizontalScrollbar", false},
      {"HasVerticalScrollbar", false},
      {"AllowStyledText", true},
      {"TextColor", kAccent},
      {"Transparent", true},
      {"AllowFocusRing", false},
      {"Visible", true},
      {"Bold", true},
      {"Italic", false},
      {"FontName", "System"},
      {"FontSize", 12.0f},
      {"FontUnit", fw::FontUnit{0}},
      {"Underline", false},
      {"Value", "Quillmere"},
      {"AllowTabs", false},
      {"TextAlignment", 2},
      {"AllowSpellChecking", false},
      {"MaximumCharactersAllowed", 0},
      {"ValidationMask", ""},
      {"ReadOnly", true},
      {"DataSource", ""},
      {"DataField", ""},
  };
  return list;
}

const fw::PropertyList& Timer1() {
  // Fires once, 4 s after the list is applied.
  static const fw::PropertyList list{
      {"Name", "Timer1"},
      {"Index", kNoIndex},
      {"RunMode", 1},
      {"Period", 4000},
  };
  return list;
}

}  // namespace about_wnd_layout
