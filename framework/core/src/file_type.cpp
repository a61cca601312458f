#include <map>
#include <memory>
#include <mutex>

#include "framework/files.h"

namespace fw {

namespace {

// The registry keeps its own copy of each type, so a registered type outlives
// the object it was converted from. Entries are never removed or replaced, and
// the registry is never destroyed, so the pointers RegisteredFileType hands
// out stay valid for the life of the process.
struct FileTypeRegistry {
  std::mutex mutex;
  std::map<std::string, std::unique_ptr<FileType>, std::less<>> types;
};

FileTypeRegistry& Registry() {
  static auto* registry = new FileTypeRegistry;
  return *registry;
}

std::unique_ptr<FileType> CopyOf(const FileType& type) {
  auto copy = std::make_unique<FileType>();
  copy->Name = type.Name;
  copy->Extensions = type.Extensions;
  copy->MacType = type.MacType;
  copy->MacCreator = type.MacCreator;
  copy->MimeType = type.MimeType;
  copy->ConformsTo = type.ConformsTo;
  copy->Imported = type.Imported;
  return copy;
}

}  // namespace

const ClassRecord& FileType::Lookup() {
  static const ClassRecord* record = nullptr;
  return BuildClassRecordOnce(record, [](ClassRecord& r) {
    r.name = "FileType";
    r.factory = [] { return std::make_shared<FileType>(); };
  });
}

std::string FileType::Operator_Convert() const {
  FileTypeRegistry& registry = Registry();
  const std::lock_guard lock(registry.mutex);
  if (registry.types.find(Name) == registry.types.end()) {
    registry.types.emplace(Name, CopyOf(*this));
  }
  return Name;
}

const FileType* RegisteredFileType(std::string_view name) {
  FileTypeRegistry& registry = Registry();
  const std::lock_guard lock(registry.mutex);
  const auto found = registry.types.find(name);
  return found == registry.types.end() ? nullptr : found->second.get();
}

}  // namespace fw
