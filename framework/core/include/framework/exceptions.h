#pragma once
// The run time's exception classes. Every framework and library operation may
// raise one; the program catches none, and whatever escapes a handler ends in
// the framework's report of an unhandled exception.

#include <stdexcept>
#include <string>

namespace fw {

class RuntimeException : public std::runtime_error {
 public:
  explicit RuntimeException(const std::string& message = {}) : std::runtime_error(message) {}
  // The class name the report shows, such as "NilObjectException".
  virtual const char* ClassName() const noexcept { return "RuntimeException"; }
  std::string Message() const { return what(); }
};

#define FW_DECLARE_EXCEPTION(Name, Base)                              \
  class Name : public Base {                                          \
   public:                                                            \
    using Base::Base;                                                 \
    const char* ClassName() const noexcept override { return #Name; } \
  }

FW_DECLARE_EXCEPTION(NilObjectException, RuntimeException);
FW_DECLARE_EXCEPTION(IllegalCastException, RuntimeException);
FW_DECLARE_EXCEPTION(IOException, RuntimeException);
FW_DECLARE_EXCEPTION(OutOfBoundsException, RuntimeException);
FW_DECLARE_EXCEPTION(UnsupportedFormatException, RuntimeException);
FW_DECLARE_EXCEPTION(KeyNotFoundException, RuntimeException);
FW_DECLARE_EXCEPTION(PluginException, RuntimeException);

}  // namespace fw
