#pragma once
// Pictures, and looking them up by file name among the application's
// resources (see app_folders.h for where those are).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "framework/app_folders.h"
#include "framework/object.h"

namespace fw {

class Picture : public Object {
 public:
  static const ClassRecord& Lookup();
  const ClassRecord& Class() const override { return Lookup(); }
  ~Picture() override;

  int64_t Width() const;
  int64_t Height() const;

  struct Image;
  explicit Picture(std::unique_ptr<Image> image);
  const Image& PlatformImage() const { return *image_; }

 private:
  std::unique_ptr<Image> image_;
};

// The picture of that file name from the resources, or null when there is
// none (or it cannot be read).
Ref<Picture> RuntimeGetPictureFromResourceManager(std::string_view fileName);

}  // namespace fw
