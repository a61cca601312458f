#pragma once
// The program's two named pictures, read from the application's resources on
// first use and kept for the life of the process.

#include <string>
#include <string_view>

#include "framework/picture.h"

// A picture looked up by file name while its cache is empty. A lookup that
// finds nothing leaves the cache empty, so the next call looks again; a found
// picture is read once and shared by every caller.
class NamedPicture {
 public:
  explicit NamedPicture(std::string_view fileName) : fileName_(fileName) {}
  NamedPicture(const NamedPicture&) = delete;
  NamedPicture& operator=(const NamedPicture&) = delete;

  fw::Ref<fw::Picture> Get();

 private:
  std::string fileName_;
  fw::Ref<fw::Picture> cache_;
};

// The main window's logo, "R128.png".
fw::Ref<fw::Picture> R128();
// The splash window's picture, "R256.png".
fw::Ref<fw::Picture> R256();
