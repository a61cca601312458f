#pragma once
// The Instructions window's layout: its own list and that of its text area.

#include "framework/property_list.h"

namespace description_wnd_layout {

const fw::PropertyList& Window();
const fw::PropertyList& DescribeFld2();

}  // namespace description_wnd_layout
