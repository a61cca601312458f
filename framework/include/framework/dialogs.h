#pragma once
// Modal message boxes and the system beep.

#include <functional>
#include <string>

namespace fw {

// Shows `message` in a modal box with an OK button; returns when the user has
// dismissed it.
void MsgBox(const std::string& message);
void Beep();

}  // namespace fw
