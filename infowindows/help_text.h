#pragma once

#include <string>
#include <string_view>

namespace infowindows {

// The fixed help text of the Instructions window: plain ASCII, 41 lines
// joined by CR LF, no line end after the last; the first line is the title.
const std::string& HelpText();

// The help text's first line, its title.
std::string_view HelpTitle();

}  // namespace infowindows
