#pragma once
// The one-line notice the program shows and carries in its version data.

#include <string_view>

inline constexpr std::string_view kNotice = "Copyright 2024-2026 Quillmere Project";
