#pragma once
// The program's one file type: plain text, the filter of the open-file dialog.

#include "framework/files.h"

namespace FileTypes {

// The text file type; the same object at every call, null before Initialize.
const fw::Ref<fw::FileType>& Text();

// Creates the type at start-up and registers it with the framework.
void Initialize();

}  // namespace FileTypes
