#pragma once
// The main window's layout: the window's property list and those of its
// fifteen controls, each applied in its stored order.

#include "framework/property_list.h"

namespace ControlWndLayout {

const fw::PropertyList& Window();

const fw::PropertyList& Canvas1();
const fw::PropertyList& Nvariables();
const fw::PropertyList& corrFld();
const fw::PropertyList& mcFld();
const fw::PropertyList& ClearBtn();
const fw::PropertyList& CalculateBtn();
const fw::PropertyList& StaticText1();
const fw::PropertyList& TextArea1();
const fw::PropertyList& StaticText3();
const fw::PropertyList& loadBtn();
const fw::PropertyList& infoBtn();
const fw::PropertyList& Label1();
const fw::PropertyList& Rtext();
const fw::PropertyList& text2();
const fw::PropertyList& Rtext1();

}  // namespace ControlWndLayout
