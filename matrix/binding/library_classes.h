#pragma once
// The class records of the matrix library's classes, which the program's
// initializer table builds at start-up, in alphabetical order.

#include <span>
#include <string_view>

#include "framework/object.h"

// The names of the library's classes the binding knows, alphabetically.
std::span<const std::string_view> MatrixLibraryClassNames();

// The record of the library class of that name, built on first use.
const fw::ClassRecord& MatrixLibraryClass(std::string_view name);
