#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

#include "framework/exceptions.h"
#include "framework/files.h"
#include "text_decoding.h"

namespace fw {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kChunkBytes = 64 * 1024;

fs::path ToPath(const std::string& text) {
  return fs::path(std::u8string(text.begin(), text.end()));
}

[[noreturn]] void RaiseCannotOpen(const std::string& name, const std::string& reason) {
  throw IOException("The file \"" + name + "\" could not be opened: " + reason +
                    ". Choose a text file that you are allowed to read.");
}

// Another program holds the file open and lets no one else read it (a
// sharing violation). Only Windows locks files so.
bool HeldByAnotherProgram([[maybe_unused]] const fs::path& path) {
#ifdef _WIN32
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
    return false;
  }
  const DWORD error = GetLastError();
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
#else
  return false;
#endif
}

std::string ReasonOf(std::errc code) {
  return std::make_error_code(code).message();
}

}  // namespace

struct TextInputStream::Impl {
  enum class Encoding { Utf8, Utf16LE, Utf16BE };

  std::string name;  // for messages
  std::ifstream file;
  Encoding encoding = Encoding::Utf8;

  // Unread bytes are buffer[begin, end).
  std::unique_ptr<char[]> buffer = std::make_unique<char[]>(kChunkBytes);
  std::size_t begin = 0, end = 0;
  bool sourceExhausted = false;

  std::size_t linesRead = 0;
  // Set once a line is refused: the rest of the file cannot be trusted to
  // line up, so every later ReadLine raises the same error.
  std::string failure;

  std::size_t Available() const { return end - begin; }
  bool AtEnd() const { return Available() == 0 && sourceExhausted; }

  // Tops the buffer up until `wanted` bytes are unread or the file is
  // exhausted; whether `wanted` bytes are now there.
  bool Fill(std::size_t wanted) {
    if (Available() >= wanted) {
      return true;
    }
    if (begin > 0) {
      std::memmove(buffer.get(), buffer.get() + begin, Available());
      end -= begin;
      begin = 0;
    }
    while (end < wanted && !sourceExhausted) {
      const std::size_t room = kChunkBytes - end;
      file.read(buffer.get() + end, static_cast<std::streamsize>(room));
      const auto got = static_cast<std::size_t>(file.gcount());
      end += got;
      if (got < room) {
        if (file.bad()) {
          throw IOException("The file \"" + name +
                            "\" could not be read to the end. Check that its disk or network "
                            "drive is still there, then try again.");
        }
        sourceExhausted = true;
      }
    }
    return Available() >= wanted;
  }

  [[noreturn]] void RefuseLongLine() {
    failure = "Line " + std::to_string(linesRead + 1) +
              " of the file is longer than 1 MiB and cannot be read. Check that this is the "
              "text file you meant to choose.";
    throw IOException(failure);
  }

  void DetectEncoding() {
    Fill(3);
    const auto* bytes = reinterpret_cast<const unsigned char*>(buffer.get() + begin);
    if (Available() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
      begin += 3;
    } else if (Available() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
      encoding = Encoding::Utf16LE;
      begin += 2;
    } else if (Available() >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) {
      encoding = Encoding::Utf16BE;
      begin += 2;
    }
  }

  std::string ReadBytesLine() {
    std::string line;
    while (Available() > 0 || Fill(1)) {
      const char* const from = buffer.get() + begin;
      const char* const to = buffer.get() + end;
      const char* hit = from;
      while (hit != to && *hit != '\n' && *hit != '\r') {
        ++hit;
      }
      const auto taken = static_cast<std::size_t>(hit - from);
      if (line.size() + taken > kMaxLineBytes) {
        RefuseLongLine();
      }
      line.append(from, taken);
      begin += taken;
      if (hit != to) {
        const char lineEnd = *hit;
        ++begin;
        if (lineEnd == '\r' && Fill(1) && buffer[begin] == '\n') {
          ++begin;
        }
        break;
      }
    }
    return text_decoding::DecodeUtf8OrWindows1252(std::move(line));
  }

  char16_t UnitAt(std::size_t at) const {
    const auto first = static_cast<unsigned char>(buffer[at]);
    const auto second = static_cast<unsigned char>(buffer[at + 1]);
    return encoding == Encoding::Utf16LE ? static_cast<char16_t>(first | (second << 8))
                                         : static_cast<char16_t>((first << 8) | second);
  }

  std::string ReadUtf16Line() {
    std::u16string units;
    std::size_t lineBytes = 0;
    while (true) {
      if (!Fill(2)) {
        if (Available() == 1) {  // an odd byte at the very end
          if (lineBytes + 1 > kMaxLineBytes) {
            RefuseLongLine();
          }
          units += u'\uFFFD';
          ++begin;
        }
        break;
      }
      const char16_t unit = UnitAt(begin);
      begin += 2;
      if (unit == u'\n') {
        break;
      }
      if (unit == u'\r') {
        if (Fill(2) && UnitAt(begin) == u'\n') {
          begin += 2;
        }
        break;
      }
      lineBytes += 2;
      if (lineBytes > kMaxLineBytes) {
        RefuseLongLine();
      }
      units += unit;
    }
    return text_decoding::Utf16ToUtf8(units);
  }
};

const ClassRecord& TextInputStream::Lookup() {
  static const ClassRecord* record = nullptr;
  return BuildClassRecordOnce(record, [](ClassRecord& r) { r.name = "TextInputStream"; });
}

Ref<TextInputStream> TextInputStream::Open(const FolderItem& file) {
  const std::string name = file.Name();
  const fs::path path = ToPath(file.NativePath());

  // Checked up front: a folder or a pipe would otherwise open and then fail
  // or block on the first read.
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (status.type() == fs::file_type::not_found || file.NativePath().empty()) {
    RaiseCannotOpen(name, ReasonOf(std::errc::no_such_file_or_directory));
  }
  if (error) {
    RaiseCannotOpen(name, error.message());
  }
  if (status.type() == fs::file_type::directory) {
    RaiseCannotOpen(name, ReasonOf(std::errc::is_a_directory));
  }
  if (status.type() != fs::file_type::regular) {
    RaiseCannotOpen(name, "Not a regular file");
  }

  auto impl = std::make_unique<Impl>();
  impl->name = name;
  errno = 0;
  // The stream's own buffer is redundant: every read is a whole chunk.
  impl->file.rdbuf()->pubsetbuf(nullptr, 0);
  impl->file.open(path, std::ios::binary);
  if (!impl->file.is_open()) {
    // Also the case of a file removed since it was chosen.
    const int code = errno;
    if (HeldByAnotherProgram(path)) {
      throw IOException("The file \"" + name +
                        "\" is in use by another program. Close it in that program, or copy it "
                        "and choose the copy.");
    }
    RaiseCannotOpen(name, code != 0 ? std::generic_category().message(code) : "Unknown error");
  }
  impl->DetectEncoding();
  return Ref<TextInputStream>(new TextInputStream(std::move(impl)));
}

TextInputStream::TextInputStream(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

TextInputStream::~TextInputStream() {
  Close();
}

std::string TextInputStream::ReadLine(std::string_view /*encoding*/) {
  if (!impl_->failure.empty()) {
    throw IOException(impl_->failure);
  }
  if (EndOfFile()) {
    return {};
  }
  std::string line =
      impl_->encoding == Impl::Encoding::Utf8 ? impl_->ReadBytesLine() : impl_->ReadUtf16Line();
  ++impl_->linesRead;
  // Looks ahead so that EndOfFile is exact right after the last line.
  impl_->Fill(1);
  return line;
}

bool TextInputStream::EndOfFile() const {
  return impl_->AtEnd();
}

void TextInputStream::Close() {
  if (impl_->file.is_open()) {
    impl_->file.close();
  }
  impl_->buffer.reset();
  impl_->begin = impl_->end = 0;
  impl_->sourceExhausted = true;
  impl_->failure.clear();
}

}  // namespace fw
