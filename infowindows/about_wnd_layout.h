#pragma once
// The splash window's layout: its own list and those of its four controls.

#include "framework/property_list.h"

namespace about_wnd_layout {

const fw::PropertyList& Window();
const fw::PropertyList& StaticText5();
const fw::PropertyList& Canvas1();
const fw::PropertyList& TextField1();
const fw::PropertyList& Timer1();

}  // namespace about_wnd_layout
