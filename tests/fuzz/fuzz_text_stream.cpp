// Fuzzes what Load Data does with a file: the text stream reads it line by
// line, each line is split at TAB, each field gets the number check and is
// formatted for the display. Checked against a plain model of line ends and
// fields written here.
//
// Input: byte 0 picks the variable count (3 to 99); if bit 7 of byte 1 is set,
// a long first line moves the rest of the file to (byte 1 & 0x7F) bytes before
// the stream's 64 KiB read boundary. The other bytes are the file.

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/number_check.h"
#include "framework/exceptions.h"
#include "framework/files.h"
#include "framework/text.h"
#include "fuzz_check.h"

// The model below is not what is tested: coverage from its loops would only
// slow the fuzzer down and steer it to the model's own branches.
#define MODEL_CODE __attribute__((no_sanitize("coverage")))

namespace {

// The stream reads its file in chunks of this size.
constexpr size_t kReadChunk = 64 * 1024;

enum class Encoding { Utf8, Utf16LE, Utf16BE };

struct Bom {
  Encoding encoding = Encoding::Utf8;
  size_t bytes = 0;
};

MODEL_CODE Bom BomOf(std::string_view file) {
  if (file.substr(0, 3) == "\xEF\xBB\xBF") {
    return {Encoding::Utf8, 3};
  }
  if (file.substr(0, 2) == "\xFF\xFE") {
    return {Encoding::Utf16LE, 2};
  }
  if (file.substr(0, 2) == "\xFE\xFF") {
    return {Encoding::Utf16BE, 2};
  }
  return {};
}

// A line of the model: its code units (bytes or UTF-16 units) without the
// line end.
using Units = std::vector<uint32_t>;

MODEL_CODE std::vector<Units> ModelLines(std::string_view file) {
  const Bom bom = BomOf(file);
  Units units;
  for (size_t at = bom.bytes; at < file.size();) {
    const auto first = static_cast<unsigned char>(file[at]);
    if (bom.encoding == Encoding::Utf8) {
      units.push_back(first);
      at += 1;
    } else if (at + 1 == file.size()) {
      units.push_back(0xFFFD);  // an odd byte at the end
      at += 1;
    } else {
      const auto second = static_cast<unsigned char>(file[at + 1]);
      units.push_back(bom.encoding == Encoding::Utf16LE ? first | (second << 8)
                                                        : (first << 8) | second);
      at += 2;
    }
  }
  std::vector<Units> lines;
  Units line;
  for (size_t i = 0; i < units.size(); ++i) {
    if (units[i] == '\r' || units[i] == '\n') {
      if (units[i] == '\r' && i + 1 < units.size() && units[i + 1] == '\n') {
        ++i;
      }
      lines.push_back(std::move(line));
      line.clear();
    } else {
      line.push_back(units[i]);
    }
  }
  if (!line.empty()) {
    lines.push_back(std::move(line));
  }
  return lines;
}

MODEL_CODE bool IsValidUtf8(std::string_view text) {
  for (size_t at = 0; at < text.size(); ++at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    size_t more = 0;
    uint32_t code = 0;
    if (lead < 0x80) {
      continue;
    } else if ((lead & 0xE0) == 0xC0) {
      more = 1;
      code = lead & 0x1Fu;
    } else if ((lead & 0xF0) == 0xE0) {
      more = 2;
      code = lead & 0x0Fu;
    } else if ((lead & 0xF8) == 0xF0) {
      more = 3;
      code = lead & 0x07u;
    } else {
      return false;
    }
    if (text.size() - at <= more) {
      return false;
    }
    for (size_t k = 1; k <= more; ++k) {
      const auto byte = static_cast<unsigned char>(text[at + k]);
      if ((byte & 0xC0) != 0x80) {
        return false;
      }
      code = (code << 6) | (byte & 0x3Fu);
    }
    const uint32_t smallest[] = {0, 0x80, 0x800, 0x10000};
    if (code < smallest[more] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      return false;
    }
    at += more;
  }
  return true;
}

// How many characters the stream must give for a line of the model: a byte
// line is kept as UTF-8 when it is valid and read as Windows-1252 (a byte a
// character) when not; UTF-16 pairs make one character.
MODEL_CODE int64_t ModelCharacters(const Units& line, Encoding encoding) {
  if (encoding == Encoding::Utf8) {
    const std::string bytes(line.begin(), line.end());
    return IsValidUtf8(bytes) ? fw::Len(bytes) : static_cast<int64_t>(bytes.size());
  }
  int64_t characters = 0;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] >= 0xD800 && line[i] <= 0xDBFF && i + 1 < line.size() && line[i + 1] >= 0xDC00 &&
        line[i + 1] <= 0xDFFF) {
      ++i;
    }
    ++characters;
  }
  return characters;
}

MODEL_CODE std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  for (size_t tab = line.find('\t'); tab != std::string_view::npos; tab = line.find('\t', start)) {
    fields.push_back(line.substr(start, tab - start));
    start = tab + 1;
  }
  fields.push_back(line.substr(start));
  return fields;
}

MODEL_CODE bool IsDigits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// What the display's pattern "-0.0000" may give: a minus only before a value
// that is not zero, digits, a point and four decimals; or an infinity.
MODEL_CODE bool IsDisplayNumber(std::string_view text) {
  if (text == "Infinity" || text == "-Infinity") {
    return true;
  }
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) {
    text.remove_prefix(1);
  }
  const size_t point = text.find('.');
  if (point == std::string_view::npos || !IsDigits(text.substr(0, point)) ||
      text.size() - point != 5 || !IsDigits(text.substr(point + 1))) {
    return false;
  }
  return !negative || text.find_first_of("123456789") != std::string_view::npos;
}

// A field the number check passes has a value Val reads as the C library
// does, wherever the C library's result is a normal number, zero or infinite.
void CheckNumberField(std::string_view field) {
  const double value = fw::Val(field);
  FUZZ_CHECK(!std::isnan(value));
  const std::string text(field);
  errno = 0;
  const double expected = std::strtod(text.c_str(), nullptr);
  if (errno != ERANGE || std::isinf(expected)) {
    FUZZ_CHECK(value == expected);
  }
}

void CheckLine(const std::string& line, int64_t count) {
  const std::vector<std::string_view> fields = Fields(line);
  // Every field beyond the last one is alike: the first of them and the
  // count-th stand for the rest.
  const auto present = static_cast<int64_t>(fields.size());
  for (int64_t k = 1; k <= count; k = (k == present + 1 && k < count) ? count : k + 1) {
    const std::string field = fw::NthField(line, "\t", k);
    const size_t index = static_cast<size_t>(k - 1);
    FUZZ_CHECK(field == (index < fields.size() ? fields[index] : std::string_view()));
    if (IsDecimalNumber(field)) {
      CheckNumberField(field);
    }
    const std::string shown = fw::Str(fw::Variant(field), "-0.0000");
    FUZZ_CHECK(IsDisplayNumber(shown));
  }
}

// Moves the text after the file's byte-order mark to `before` bytes ahead of
// the read boundary, behind a first line of `padCharacters` 'a' in the file's
// encoding.
MODEL_CODE std::string WithLongFirstLine(std::string_view file, size_t before,
                                         size_t& padCharacters) {
  const Bom bom = BomOf(file);
  const size_t width = bom.encoding == Encoding::Utf8 ? 1 : 2;
  padCharacters = (kReadChunk - bom.bytes - before) / width - 1;  // and the line end
  std::string padded(file.substr(0, bom.bytes));
  const auto unit = [&](char c) {
    if (bom.encoding == Encoding::Utf16BE) {
      padded += '\0';
    }
    padded += c;
    if (bom.encoding == Encoding::Utf16LE) {
      padded += '\0';
    }
  };
  for (size_t i = 0; i < padCharacters; ++i) {
    unit('a');
  }
  unit('\n');
  padded += file.substr(bom.bytes);
  return padded;
}

// The file lives in memory; the stream opens it by its /proc path.
class MemoryFile {
 public:
  MemoryFile() : fd_(memfd_create("fuzz_text_stream", MFD_CLOEXEC)) {
    FUZZ_CHECK(fd_ >= 0);
    path_ = "/proc/self/fd/" + std::to_string(fd_);
  }
  void Write(std::string_view bytes) {
    FUZZ_CHECK(ftruncate(fd_, 0) == 0);
    size_t written = 0;
    while (written < bytes.size()) {
      const ssize_t n =
          pwrite(fd_, bytes.data() + written, bytes.size() - written, static_cast<off_t>(written));
      FUZZ_CHECK(n > 0);
      written += static_cast<size_t>(n);
    }
  }
  const std::string& Path() const { return path_; }

 private:
  int fd_;
  std::string path_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) {
    return 0;
  }
  const int64_t count = 3 + data[0] % 97;
  const std::string_view input(reinterpret_cast<const char*>(data) + 2, size - 2);
  const Bom bom = BomOf(input);
  const std::vector<Units> model = ModelLines(input);
  std::string file(input);
  const bool padded = (data[1] & 0x80) != 0;
  size_t padCharacters = 0;
  if (padded) {
    file = WithLongFirstLine(input, data[1] & 0x7F, padCharacters);
  }
  static MemoryFile memory;
  memory.Write(file);

  try {
    fw::Ref<fw::TextInputStream> stream = fw::TextInputStream::Open(fw::FolderItem(memory.Path()));
    if (padded) {
      FUZZ_CHECK(stream->ReadLine() == std::string(padCharacters, 'a'));
    }
    size_t lines = 0;  // of the model
    while (!stream->EndOfFile()) {
      FUZZ_CHECK(lines < model.size());
      const std::string line = stream->ReadLine();
      FUZZ_CHECK(IsValidUtf8(line));
      FUZZ_CHECK(line.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
      FUZZ_CHECK(fw::Len(line) == ModelCharacters(model[lines], bom.encoding));
      if (bom.encoding == Encoding::Utf8 &&
          IsValidUtf8(std::string(model[lines].begin(), model[lines].end())) &&
          line.find("\xEF\xBF\xBD") == std::string::npos) {
        FUZZ_CHECK(line == std::string(model[lines].begin(), model[lines].end()));
      }
      if (static_cast<int64_t>(lines) < count) {
        CheckLine(line, count);
      }
      ++lines;
    }
    FUZZ_CHECK(lines == model.size());
    // Past the end, as when a file has fewer lines than the count.
    FUZZ_CHECK(stream->ReadLine().empty());
    stream->Close();
    FUZZ_CHECK(stream->ReadLine().empty());
  } catch (const fw::IOException& e) {
    // Only a line over the stream's limit may be refused, and none is here.
    std::fprintf(stderr, "IOException: %s\n", e.what());
    std::abort();
  }
  return 0;
}
