// Pictures for the screenshot tests: what the layer drew (its surfaces
// written as PNG) and what an X server shows, compared pixel for pixel and
// kept in the build folder to be looked at.
#pragma once

#include <png.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/TestSupport.h"
#include "platform/Types.h"

// X11 last: its macros (None, Bool, Status) would break the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

struct Picture {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;  // 0xRRGGBB
};

inline Picture ReadPicture(const std::string& path) {
  Picture picture;
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return picture;
  image.format = PNG_FORMAT_BGRA;
  picture.width = static_cast<int>(image.width);
  picture.height = static_cast<int>(image.height);
  picture.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
  if (!png_image_finish_read(&image, nullptr, picture.pixels.data(), 0, nullptr)) return Picture{};
  for (auto& pixel : picture.pixels) pixel &= 0xFFFFFF;
  return picture;
}

inline void WritePicture(const std::string& path, const Picture& picture) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(picture.width);
  image.height = static_cast<png_uint_32>(picture.height);
  image.format = PNG_FORMAT_BGRA;
  std::vector<std::uint32_t> opaque(picture.pixels);
  for (auto& pixel : opaque) pixel |= 0xFF000000u;
  png_image_write_to_file(&image, path.c_str(), 0, opaque.data(), 0, nullptr);
}

// The whole of a top-level window as the layer drew it, also kept at `path`.
inline Picture LayerPicture(HWND window, const std::string& path) {
  if (!platform::WriteWindowPng(window, path)) return Picture{};
  return ReadPicture(path);
}

// A rectangle of what the server shows in `drawable` (a window, or the root
// window for what is on the screen there).
inline Picture ServerPicture(Display* display, ::Window drawable, int x, int y, int width, int height) {
  Picture picture;
  XImage* image = XGetImage(display, drawable, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height),
                            AllPlanes, ZPixmap);
  if (image == nullptr) return picture;
  picture.width = width;
  picture.height = height;
  for (int row = 0; row < height; ++row)
    for (int column = 0; column < width; ++column)
      picture.pixels.push_back(static_cast<std::uint32_t>(XGetPixel(image, column, row)) & 0xFFFFFF);
  XDestroyImage(image);
  return picture;
}

// Pixels that differ, leaving out the rectangle `skip` (left, top, right,
// bottom in the pictures' coordinates); -1 when the sizes differ.
inline int Differences(const Picture& a, const Picture& b, RECT skip = RECT{0, 0, 0, 0}) {
  if (a.width != b.width || a.height != b.height || a.pixels.size() != b.pixels.size()) return -1;
  int count = 0;
  for (int y = 0; y < a.height; ++y)
    for (int x = 0; x < a.width; ++x) {
      if (x >= skip.left && x < skip.right && y >= skip.top && y < skip.bottom) continue;
      std::size_t index = static_cast<std::size_t>(y) * a.width + x;
      count += a.pixels[index] != b.pixels[index];
    }
  return count;
}
