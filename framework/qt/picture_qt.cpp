// Pictures on Qt, looked up by file name in the application's resources
// folder.

#include <QDir>
#include <QImage>

#include "framework/picture.h"
#include "qt/peers.h"

namespace fw {

Picture::Picture(std::unique_ptr<Image> image) : image_(std::move(image)) {}
Picture::~Picture() = default;

int64_t Picture::Width() const {
  return image_->image.width();
}
int64_t Picture::Height() const {
  return image_->image.height();
}

Ref<Picture> RuntimeGetPictureFromResourceManager(std::string_view fileName) {
  const QString name = QString::fromUtf8(fileName.data(), static_cast<qsizetype>(fileName.size()));
  // A bare file name only: nothing outside the resources folder is read.
  if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
      name == QLatin1String("..")) {
    return nullptr;
  }
  const std::string folder = ResourcesFolder();
  if (folder.empty()) {
    return nullptr;
  }
  QImage image(QDir(QString::fromStdString(folder)).filePath(name));
  if (image.isNull()) {
    return nullptr;
  }
  auto data = std::make_unique<Picture::Image>();
  data->image = std::move(image);
  return std::make_shared<Picture>(std::move(data));
}

}  // namespace fw
