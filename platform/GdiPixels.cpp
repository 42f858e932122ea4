// Pixel read-back and PNG output of bitmaps and cairo image surfaces. PNG
// files are written from a top-down copy, so bottom-up DIB sections come out
// the right way up.
#include "platform/GdiPixels.h"

#include "platform/GdiInternal.h"

#include <cstring>
#include <string>

namespace {

PixelImage ReadSurface(cairo_surface_t* surface) {
  PixelImage image;
  if (surface == nullptr || cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE)
    return image;
  gdi::Pixels pixels = gdi::BeginPixels(surface);
  image.width = pixels.width;
  image.height = pixels.height;
  image.pixels.reserve(static_cast<std::size_t>(image.width) * image.height);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) image.pixels.push_back(gdi::ToColour(pixels.At(x, y)));
  return image;
}

// A top-down RGB24 copy of the surface (null when there is nothing to copy).
cairo_surface_t* TopDownCopy(cairo_surface_t* surface) {
  if (surface == nullptr) return nullptr;
  PixelImage image = ReadSurface(surface);
  if (image.width == 0) return nullptr;
  cairo_surface_t* copy =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, image.width, image.height);
  gdi::Pixels target = gdi::BeginPixels(copy);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) target.At(x, y) = gdi::ToPixel(image.At(x, y));
  gdi::EndPixels(copy);
  return copy;
}

bool WritePng(cairo_surface_t* surface, const char* path) {
  if (path == nullptr) return false;
  cairo_surface_t* copy = TopDownCopy(surface);
  if (copy == nullptr) return false;
  bool written = cairo_surface_write_to_png(copy, path) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(copy);
  return written;
}

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

PixelImage ReadBitmapPixels(HBITMAP handle) {
  auto* bitmap = gdi::Find<gdi::BitmapObject>(handle);
  return bitmap != nullptr ? ReadSurface(bitmap->surface) : PixelImage{};
}

PixelImage ReadSurfacePixels(cairo_surface_t* surface) { return ReadSurface(surface); }

bool WriteBitmapPng(HBITMAP handle, const char* path) {
  auto* bitmap = gdi::Find<gdi::BitmapObject>(handle);
  return bitmap != nullptr && WritePng(bitmap->surface, path);
}

bool WriteSurfacePng(cairo_surface_t* surface, const char* path) { return WritePng(surface, path); }

std::string EncodeBitmapPng(HBITMAP handle) {
  auto* bitmap = gdi::Find<gdi::BitmapObject>(handle);
  cairo_surface_t* copy = bitmap != nullptr ? TopDownCopy(bitmap->surface) : nullptr;
  std::string png;
  if (copy == nullptr) return png;
  if (cairo_surface_write_to_png_stream(copy, AppendBytes, &png) != CAIRO_STATUS_SUCCESS) png.clear();
  cairo_surface_destroy(copy);
  return png;
}
