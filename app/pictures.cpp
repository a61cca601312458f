#include "app/pictures.h"

fw::Ref<fw::Picture> NamedPicture::Get() {
  if (!cache_) {
    cache_ = fw::RuntimeGetPictureFromResourceManager(fileName_);
  }
  return cache_;
}

// Process-wide and unguarded: pictures are only used on the UI thread.
fw::Ref<fw::Picture> R128() {
  static NamedPicture picture("R128.png");
  return picture.Get();
}

fw::Ref<fw::Picture> R256() {
  static NamedPicture picture("R256.png");
  return picture.Get();
}
