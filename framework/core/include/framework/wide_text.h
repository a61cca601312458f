#pragma once
// UTF-8 text to and from the UTF-16 of the wide-character Windows API: the
// one pair of conversions for the Win32 backend, the plug-in binding and the
// Windows test programs. Malformed UTF-8 becomes U+FFFD. Windows only.

#ifdef _WIN32

#include <string>
#include <string_view>

namespace fw {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

}  // namespace fw

#endif
