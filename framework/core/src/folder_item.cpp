#include <filesystem>
#include <system_error>

#include "framework/files.h"

namespace fw {

namespace {

// Paths are UTF-8 text; going through u8string keeps them so on every platform.
std::filesystem::path ToPath(const std::string& text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

}  // namespace

const ClassRecord& FolderItem::Lookup() {
  static const ClassRecord* record = nullptr;
  return BuildClassRecordOnce(record, [](ClassRecord& r) {
    r.name = "FolderItem";
    r.factory = [] { return std::make_shared<FolderItem>(); };
  });
}

std::string FolderItem::Name() const {
  std::filesystem::path path = ToPath(path_);
  // "reports/" names the folder "reports", not the empty text.
  if (!path.has_filename() && path.has_relative_path()) {
    path = path.parent_path();
  }
  const std::u8string name = path.filename().u8string();
  return std::string(name.begin(), name.end());
}

bool FolderItem::Exists() const {
  std::error_code error;
  return !path_.empty() && std::filesystem::exists(ToPath(path_), error);
}

bool FolderItem::IsFolder() const {
  std::error_code error;
  return !path_.empty() && std::filesystem::is_directory(ToPath(path_), error);
}

}  // namespace fw
