// The layer's own icons, drawn in code at 32 x 32: information (a blue disc
// with "i"), question (a blue disc with "?"), warning (a yellow triangle with
// "!"), error (a red disc with a white "X") and the application icon (a grey
// disc). The shape is computed per pixel with a soft edge; the sign is text
// drawn white on black into a scratch bitmap, whose brightness is then the
// sign's coverage over the shape.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/Gdi.h"
#include "platform/ResourceInternal.h"

namespace platform {

namespace {

constexpr int kSize = 32;

enum class Shape { Disc, Triangle };

// Coverage (0..1) of the shape at the pixel centre (x + 0.5, y + 0.5).
double ShapeCoverage(Shape shape, int x, int y) {
  double px = x + 0.5, py = y + 0.5;
  if (shape == Shape::Disc) {
    double distance = std::hypot(px - 16.0, py - 16.0);
    return std::clamp(15.0 - distance + 0.5, 0.0, 1.0);
  }
  // Triangle with apex (16, 1.5) and base from (1, 30) to (31, 30).
  double edgeLeft = (px - 16.0) * 28.5 + (py - 1.5) * 15.0;
  double edgeRight = -(px - 16.0) * 28.5 + (py - 1.5) * 15.0;
  double length = std::hypot(28.5, 15.0);
  double inside = std::min({edgeLeft / length, edgeRight / length, 30.0 - py});
  return std::clamp(inside + 0.5, 0.0, 1.0);
}

// Brightness of the sign drawn white on black, per pixel (0..255).
std::vector<BYTE> SignCoverage(const char* sign, int top) {
  std::vector<BYTE> coverage(kSize * kSize, 0);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = kSize;
  info.bmiHeader.biHeight = -kSize;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = CreateCompatibleDC(nullptr);
  if (bitmap == nullptr || dc == nullptr || bits == nullptr) {
    if (dc != nullptr) DeleteDC(dc);
    if (bitmap != nullptr) DeleteObject(bitmap);
    return coverage;
  }
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  RECT all{0, 0, kSize, kSize};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  HFONT font = CreateFont(-22, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "DejaVu Sans");
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetTextColor(dc, RGB(255, 255, 255));
  SetBkMode(dc, TRANSPARENT);
  RECT box{0, top, kSize, kSize};
  DrawText(dc, sign, -1, &box, DT_CENTER | DT_TOP | DT_SINGLELINE);
  SelectObject(dc, oldFont);
  DeleteObject(font);
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  for (int index = 0; index < kSize * kSize; ++index)
    coverage[index] = static_cast<BYTE>((pixels[index] >> 16) & 0xFF);
  SelectObject(dc, oldBitmap);
  DeleteDC(dc);
  DeleteObject(bitmap);
  return coverage;
}

void Paint(IconImage* image, Shape shape, COLORREF fill, COLORREF edge, const char* sign,
           COLORREF signColour, int signTop) {
  image->width = image->height = kSize;
  image->pixels.assign(kSize * kSize, 0);
  std::vector<BYTE> signCover = SignCoverage(sign, signTop);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      double cover = ShapeCoverage(shape, x, y);
      if (cover <= 0.0) continue;
      // A one-pixel darker rim: where the shape shrunk by 1.5 pixels does not reach.
      double inner = shape == Shape::Disc
                         ? std::clamp(13.5 - std::hypot(x + 0.5 - 16.0, y + 0.5 - 16.0) + 0.5, 0.0, 1.0)
                         : 1.0;
      double sign01 = signCover[y * kSize + x] / 255.0;
      double channel[3];
      const COLORREF colours[3] = {fill, edge, signColour};
      for (int c = 0; c < 3; ++c) {
        auto part = [c](COLORREF colour) {
          return c == 0 ? GetRValue(colour) : c == 1 ? GetGValue(colour) : GetBValue(colour);
        };
        double base = part(colours[0]) * inner + part(colours[1]) * (1.0 - inner);
        channel[c] = base * (1.0 - sign01) + part(colours[2]) * sign01;
      }
      auto byte = [](double value) { return static_cast<std::uint32_t>(std::lround(value)) & 0xFF; };
      image->pixels[y * kSize + x] = (byte(cover * 255.0) << 24) | (byte(channel[0]) << 16) |
                                     (byte(channel[1]) << 8) | byte(channel[2]);
    }
  }
}

}  // namespace

bool MakeSystemIcon(int id, IconImage* image) {
  switch (id) {
    case 32512: Paint(image, Shape::Disc, RGB(150, 150, 150), RGB(90, 90, 90), "", 0, 0); return true;
    case 32513:
      Paint(image, Shape::Disc, RGB(210, 40, 40), RGB(140, 20, 20), "X", RGB(255, 255, 255), 3);
      return true;
    case 32514:
      Paint(image, Shape::Disc, RGB(40, 90, 200), RGB(20, 50, 140), "?", RGB(255, 255, 255), 3);
      return true;
    case 32515:
      Paint(image, Shape::Triangle, RGB(250, 200, 30), RGB(250, 200, 30), "!", RGB(0, 0, 0), 6);
      return true;
    case 32516:
      Paint(image, Shape::Disc, RGB(40, 90, 200), RGB(20, 50, 140), "i", RGB(255, 255, 255), 3);
      return true;
    default: return false;
  }
}

}  // namespace platform
