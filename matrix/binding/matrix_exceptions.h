#pragma once
// The matrix library's exception classes. Matrix raises the one that matches
// the plug-in's result code, with the plug-in's message. Running out of
// memory raises a plain fw::RuntimeException, so that it meets the same
// report as every other failure.

#include "framework/exceptions.h"

namespace quillmatrix {

// FW_DECLARE_EXCEPTION inherits the constructors through the base's plain name.
using fw::RuntimeException;

FW_DECLARE_EXCEPTION(BadArgumentException, RuntimeException);
FW_DECLARE_EXCEPTION(BadEntryNumberException, RuntimeException);
FW_DECLARE_EXCEPTION(DivideByZeroException, RuntimeException);
FW_DECLARE_EXCEPTION(NegativeNumberException, RuntimeException);
FW_DECLARE_EXCEPTION(NegativeOrZeroException, RuntimeException);
FW_DECLARE_EXCEPTION(OverflowOrUnderflowException, RuntimeException);
FW_DECLARE_EXCEPTION(RowColumnMismatch, RuntimeException);

}  // namespace quillmatrix

// The program names them without a namespace.
using quillmatrix::BadArgumentException;
using quillmatrix::BadEntryNumberException;
using quillmatrix::DivideByZeroException;
using quillmatrix::NegativeNumberException;
using quillmatrix::NegativeOrZeroException;
using quillmatrix::OverflowOrUnderflowException;
using quillmatrix::RowColumnMismatch;
