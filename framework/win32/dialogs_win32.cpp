// Message boxes, the beep and the common open-file dialog on Win32.

#include "framework/dialogs.h"
#include "framework/files.h"
#include "win32/win32.h"

namespace fw {
namespace {

// "Text (*.txt)\0*.txt\0" for each registered type the filter names, ending
// in a second NUL.
std::wstring FilterText(std::string_view filter) {
  std::wstring out;
  size_t start = 0;
  while (start <= filter.size()) {
    size_t end = filter.find(';', start);
    if (end == std::string_view::npos) {
      end = filter.size();
    }
    std::string_view name = filter.substr(start, end - start);
    while (!name.empty() && name.front() == ' ')
      name.remove_prefix(1);
    while (!name.empty() && name.back() == ' ')
      name.remove_suffix(1);
    if (const FileType* type = name.empty() ? nullptr : RegisteredFileType(name)) {
      std::wstring patterns;
      std::string_view extensions = type->Extensions;
      size_t at = 0;
      while (at <= extensions.size()) {
        size_t stop = extensions.find(';', at);
        if (stop == std::string_view::npos) {
          stop = extensions.size();
        }
        std::string_view ext = extensions.substr(at, stop - at);
        while (!ext.empty() && (ext.front() == ' ' || ext.front() == '.'))
          ext.remove_prefix(1);
        while (!ext.empty() && ext.back() == ' ')
          ext.remove_suffix(1);
        if (!ext.empty()) {
          patterns += (patterns.empty() ? L"*." : L";*.") + Wide(ext);
        }
        at = stop + 1;
      }
      if (!patterns.empty()) {
        std::wstring shown = patterns;
        for (wchar_t& c : shown) {
          c = c == L';' ? L' ' : c;
        }
        out += Wide(type->Name) + L" (" + shown + L")" + L'\0' + patterns + L'\0';
      }
    }
    start = end + 1;
  }
  if (!out.empty()) {
    out += L'\0';
  }
  return out;
}

}  // namespace

void MsgBox(const std::string& message) {
  const std::wstring title = DialogTitle();
  MessageBoxW(ModalOwner(), Wide(message).c_str(), title.c_str(), MB_OK | MB_TASKMODAL);
}

void Beep() {
  MessageBeep(MB_OK);
}

Ref<FolderItem> GetOpenFolderItem(std::string_view filter) {
  std::wstring file(32768, L'\0');
  const std::wstring filters = FilterText(filter);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = ModalOwner();
  ofn.lpstrFilter = filters.empty() ? nullptr : filters.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.Flags =
      OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameW(&ofn)) {
    return nullptr;
  }
  file.resize(wcslen(file.c_str()));
  return std::make_shared<FolderItem>(Utf8(file));
}

}  // namespace fw
