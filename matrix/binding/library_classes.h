#pragma once
// The class records of the matrix library's classes, which the program's
// initializer table builds at start-up, in alphabetical order.

#include <string_view>

#include "framework/object.h"

// The record of the library class of that name, built on first use.
const fw::ClassRecord& MatrixLibraryClass(std::string_view name);
