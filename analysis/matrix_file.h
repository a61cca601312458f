#pragma once
// A matrix file as Load Data reads it: count lines of TAB-separated fields
// into the grid, then a check that every field is a number.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "framework/text_grid.h"

// Reads count lines through `readLine` and appends field k of line j, split
// at TAB, to cell (j, k) of the grid, for j and k from 1 to count; lines and
// fields beyond the count are not read. `yield` runs after every field and
// every line.
void ReadGrid(
    fw::TextGrid& grid, int64_t count, const std::function<std::string()>& readLine,
    const std::function<void()>& yield = [] {});

// The message for the first cell, row by row, that is no number a Double can
// hold; nothing when every cell of rows and columns 1 to count is one.
std::optional<std::string> FirstFieldProblem(const fw::TextGrid& grid, int64_t count);
