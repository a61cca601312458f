#pragma once
// File types, folder items, the open-file dialog and text input streams.

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>

#include "framework/object.h"

namespace fw {

// A kind of file the program opens; converting it to text registers it with
// the framework (once) and yields its Name, which the open-file dialog takes
// as its filter.
class FileType : public Object {
 public:
  static const ClassRecord& Lookup();
  const ClassRecord& Class() const override { return Lookup(); }

  std::string Name, Extensions, MacType, MacCreator, MimeType, ConformsTo;
  bool Imported = false;

  std::string Operator_Convert() const;
  explicit operator std::string() const { return Operator_Convert(); }
};

// The registered type of that name, or null.
const FileType* RegisteredFileType(std::string_view name);

class FolderItem : public Object {
 public:
  static const ClassRecord& Lookup();
  const ClassRecord& Class() const override { return Lookup(); }

  explicit FolderItem(std::string path = {}) : path_(std::move(path)) {}
  const std::string& NativePath() const { return path_; }
  std::string Name() const;
  bool Exists() const;
  bool IsFolder() const;

 private:
  std::string path_;
};

// Shows the open-file dialog for the registered file type(s) named by
// `filter` (names separated by ';'). Null when the user cancels.
Ref<FolderItem> GetOpenFolderItem(std::string_view filter);

// Reads a text file line by line. A UTF-8 or UTF-16 byte-order mark is
// honoured; without one the text is UTF-8, and bytes that are not valid UTF-8
// are read as Windows-1252. Lines end at CR LF, LF or CR.
class TextInputStream : public Object {
 public:
  static const ClassRecord& Lookup();
  const ClassRecord& Class() const override { return Lookup(); }

  // The longest line ReadLine accepts, in bytes of the file.
  static constexpr std::size_t kMaxLineBytes = 1 << 20;

  // Raises IOException when the file cannot be opened (missing, a folder,
  // unreadable).
  static Ref<TextInputStream> Open(const FolderItem& file);
  ~TextInputStream() override;

  // The next line without its line end, as UTF-8; the empty text once the
  // file is exhausted. Raises IOException on a read error or a line longer
  // than kMaxLineBytes. `encoding` is accepted for symmetry and ignored: the
  // stream detects the encoding itself.
  std::string ReadLine(std::string_view encoding = {});
  bool EndOfFile() const;
  void Close();

  struct Impl;

 private:
  explicit TextInputStream(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace fw
