#pragma once
// The one-line notice the program shows and carries in its version data.

#include <string_view>

#include "app/version.h"

inline constexpr std::string_view kNotice = version::kNotice;
