#pragma once

#include <string>

namespace infowindows {

// The fixed help text of the Instructions window: plain ASCII, 41 lines
// joined by CR LF, no line end after the last; the first line is the title.
const std::string& HelpText();

}  // namespace infowindows
