#include "framework/wide_text.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace fw {

std::wstring Wide(std::string_view utf8) {
  if (utf8.empty()) {
    return {};
  }
  const int in = static_cast<int>(utf8.size());
  const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), in, nullptr, 0);
  std::wstring wide(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), in, wide.data(), size);
  return wide;
}

std::string Utf8(std::wstring_view wide) {
  if (wide.empty()) {
    return {};
  }
  const int in = static_cast<int>(wide.size());
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), in, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), in, utf8.data(), size, nullptr, nullptr);
  return utf8;
}

}  // namespace fw
