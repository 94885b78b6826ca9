// PNG through libpng's simplified reader: errors end in a return of 0, not
// in a jump through our frames. The streams are measured first
// (png_budget.h).
#include <png.h>

#include <memory>

#include "platform/any/picture_readers.h"
#include "platform/any/png_budget.h"

namespace platform {

bool ReadPng(const uint8_t* bytes, size_t size, const PictureLimits& limits, RgbaPicture* out) {
  if (!PngInflatesWithinBudgets(bytes, size, limits)) return false;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes, size)) return false;
  std::unique_ptr<png_image, void (*)(png_image*)> owner(&image, png_image_free);
  if (!WithinLimits(image.width, image.height, limits)) return false;
  image.format = PNG_FORMAT_RGBA;
  RgbaPicture picture;
  picture.width = static_cast<int32_t>(image.width);
  picture.height = static_cast<int32_t>(image.height);
  picture.rgba.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, picture.rgba.data(), 0, nullptr)) return false;
  if (image.warning_or_error & PNG_IMAGE_ERROR) return false;
  *out = std::move(picture);
  return true;
}

}  // namespace platform
