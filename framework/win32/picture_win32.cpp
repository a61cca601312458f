// Pictures on Win32: PNG files decoded by WIC, looked up by file name in the
// resources folder beside the executable, and scaled to a window's DPI.

#include "framework/app_folders.h"
#include "framework/picture.h"
#include "win32/win32.h"
// After windows.h.
#include <wincodec.h>

namespace fw {
namespace {

// Releases a COM interface when it goes out of scope.
template <class T>
struct Com {
  T* p = nullptr;
  Com() = default;
  Com(const Com&) = delete;
  Com& operator=(const Com&) = delete;
  ~Com() {
    if (p != nullptr) {
      p->Release();
    }
  }
  T** operator&() { return &p; }
  T* operator->() const { return p; }
};

Com<IWICImagingFactory>* Factory() {
  static Com<IWICImagingFactory>* factory = [] {
    auto* f = new Com<IWICImagingFactory>;
    CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                     reinterpret_cast<void**>(&f->p));
    return f;
  }();
  return factory;
}

// The source's pixels as premultiplied BGRA at `width` x `height`.
bool CopyPixels(IWICBitmapSource* source, UINT width, UINT height, std::vector<uint8_t>* pixels) {
  Com<IWICFormatConverter> converter;
  if (FAILED(Factory()->p->CreateFormatConverter(&converter)) ||
      FAILED(converter->Initialize(source, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone,
                                   nullptr, 0.0, WICBitmapPaletteTypeCustom))) {
    return false;
  }
  pixels->resize(static_cast<size_t>(width) * height * 4);
  return SUCCEEDED(
      converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(pixels->size()), pixels->data()));
}

}  // namespace

Picture::Picture(std::unique_ptr<Image> image) : image_(std::move(image)) {}
Picture::~Picture() = default;

int64_t Picture::Width() const {
  return image_->width;
}
int64_t Picture::Height() const {
  return image_->height;
}

Ref<Picture> RuntimeGetPictureFromResourceManager(std::string_view fileName) {
  // A bare file name only: nothing outside the resources folder is read.
  if (fileName.empty() || fileName.find_first_of("/\\:") != std::string_view::npos ||
      fileName == "..") {
    return nullptr;
  }
  if (Factory()->p == nullptr) {
    return nullptr;
  }
  const std::wstring path = (ApplicationResourcesFolder() / Wide(fileName)).wstring();
  Com<IWICBitmapDecoder> decoder;
  Com<IWICBitmapFrameDecode> frame;
  auto image = std::make_unique<Picture::Image>();
  if (FAILED(Factory()->p->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                     WICDecodeMetadataCacheOnDemand, &decoder)) ||
      FAILED(decoder->GetFrame(0, &frame)) ||
      FAILED(frame->GetSize(&image->width, &image->height)) ||
      !CopyPixels(frame.p, image->width, image->height, &image->pixels)) {
    return nullptr;
  }
  return std::make_shared<Picture>(std::move(image));
}

HBITMAP ScaledBitmap(const Picture& picture, UINT dpi, SIZE* size) {
  const Picture::Image& image = picture.PlatformImage();
  const UINT width = static_cast<UINT>(Scale(image.width, dpi));
  const UINT height = static_cast<UINT>(Scale(image.height, dpi));
  std::vector<uint8_t> pixels;
  if (width == image.width && height == image.height) {
    pixels = image.pixels;
  } else {
    Com<IWICBitmap> source;
    Com<IWICBitmapScaler> scaler;
    if (Factory()->p == nullptr ||
        FAILED(Factory()->p->CreateBitmapFromMemory(
            image.width, image.height, GUID_WICPixelFormat32bppPBGRA, image.width * 4,
            static_cast<UINT>(image.pixels.size()), const_cast<BYTE*>(image.pixels.data()),
            &source)) ||
        FAILED(Factory()->p->CreateBitmapScaler(&scaler)) ||
        FAILED(scaler->Initialize(source.p, width, height, WICBitmapInterpolationModeFant)) ||
        !CopyPixels(scaler.p, width, height, &pixels)) {
      return nullptr;
    }
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = static_cast<LONG>(width);
  info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr) {
    return nullptr;
  }
  std::copy(pixels.begin(), pixels.end(), static_cast<uint8_t*>(bits));
  *size = {static_cast<LONG>(width), static_cast<LONG>(height)};
  return bitmap;
}

}  // namespace fw
