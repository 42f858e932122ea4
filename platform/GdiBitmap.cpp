// Bitmaps and blits. Every bitmap keeps its pixels in 32-bit words
// 0x00RRGGBB (bytes B, G, R, unused: the layout of a 32-bit DIB and of a
// cairo RGB24 surface), so a DIB section's bits are the very memory the
// cairo surface draws on; a bottom-up DIB is a surface with a negative row
// stride over the same memory. Monochrome bitmaps (CreateBitmap with one bit
// per pixel) are kept as black and white words and remember their depth for
// GetObject and for pattern brushes.
//
// Blits copy the source block first, so overlapping copies within one
// context are exact; source pixels outside the source surface are left out.
#include "platform/GdiInternal.h"
#include "platform/MetafileInternal.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace gdi {
namespace {

constexpr long long kMaxPixels = 1LL << 28;  // 1 GiB of pixels: larger requests fail

std::unique_ptr<BitmapObject> MakeBitmap(int width, int height, bool bottomUp) {
  if (width <= 0 || height <= 0 || static_cast<long long>(width) * height > kMaxPixels)
    return nullptr;
  auto bitmap = std::make_unique<BitmapObject>();
  bitmap->width = width;
  bitmap->height = height;
  bitmap->bottomUp = bottomUp;
  bitmap->memory.assign(static_cast<std::size_t>(width) * height, 0);
  auto* data = reinterpret_cast<unsigned char*>(bitmap->memory.data());
  int stride = width * 4;
  if (bottomUp) {
    data += static_cast<std::size_t>(height - 1) * stride;
    stride = -stride;
  }
  bitmap->surface = cairo_image_surface_create_for_data(data, CAIRO_FORMAT_RGB24, width, height,
                                                        stride);
  if (cairo_surface_status(bitmap->surface) != CAIRO_STATUS_SUCCESS) return nullptr;
  return bitmap;
}

HBITMAP RegisterBitmap(std::unique_ptr<BitmapObject> bitmap) {
  if (bitmap == nullptr) return nullptr;
  return static_cast<HBITMAP>(static_cast<BitmapObject*>(Register(std::move(bitmap))));
}

bool UsesSource(DWORD rop) {
  unsigned table = (rop >> 16) & 0xFF;
  return ((table >> 2) ^ table) & 0x33;
}

// A block of source pixels, copied out before the destination changes.
struct Block {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  std::vector<std::uint8_t> present;
};

Block CopyBlock(const HDC__& source, int x, int y, int width, int height) {
  Block block;
  block.width = width;
  block.height = height;
  block.pixels.assign(static_cast<std::size_t>(width) * height, 0);
  block.present.assign(block.pixels.size(), 0);
  if (source.surface == nullptr) return block;
  Pixels pixels = BeginPixels(source.surface);
  RECT area = Intersect(source.baseClip, RECT{0, 0, pixels.width, pixels.height});
  POINT start = ToSurface(source, x, y);
  for (int row = 0; row < height; ++row)
    for (int column = 0; column < width; ++column) {
      int sx = start.x + column;
      int sy = start.y + row;
      if (sx < area.left || sy < area.top || sx >= area.right || sy >= area.bottom) continue;
      std::size_t index = static_cast<std::size_t>(row) * width + column;
      block.pixels[index] = pixels.At(sx, sy) & 0xFFFFFF;
      block.present[index] = 1;
    }
  return block;
}

// Combines a block into the destination: destination pixel (i, j) of the
// rectangle takes block pixel map(i, j).
template <class Map>
void CombineBlock(HDC__& dc, const RECT& target, const Block& block, DWORD rop, Map&& map) {
  Source pattern;
  BrushSource(dc, dc.state.brush.as<BrushObject>(), &pattern);
  RectList clip = IntersectList(ClipRects(dc), target);
  if (clip.empty()) return;
  Pixels pixels = BeginPixels(dc.surface);
  for (const RECT& part : clip)
    for (int y = part.top; y < part.bottom; ++y)
      for (int x = part.left; x < part.right; ++x) {
        POINT from = map(x - target.left, y - target.top);
        if (from.x < 0 || from.y < 0 || from.x >= block.width || from.y >= block.height) continue;
        std::size_t index = static_cast<std::size_t>(from.y) * block.width + from.x;
        if (!block.present[index]) continue;
        std::uint32_t& pixel = pixels.At(x, y);
        pixel = Rop3(rop, pattern.At(x, y), block.pixels[index], pixel);
      }
  EndPixels(dc.surface);
}

// Nearest source index for destination index i of n, over a source span.
int Nearest(int i, int n, int span) {
  return static_cast<int>(std::floor((i + 0.5) * span / n));
}

}  // namespace

HBITMAP DefaultBitmap() {
  static HBITMAP bitmap = [] {
    auto made = MakeBitmap(1, 1, false);
    made->bitsPixel = 1;
    made->memory[0] = 0xFFFFFF;
    made->stock = true;
    return RegisterBitmap(std::move(made));
  }();
  return bitmap;
}

BitmapObject::~BitmapObject() {
  if (surface != nullptr) cairo_surface_destroy(surface);
}

}  // namespace gdi

using namespace gdi;

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
  if (ValidDc(dc) == nullptr) return nullptr;
  return RegisterBitmap(MakeBitmap(width, height, false));
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  if (planes != 1 || (bitsPerPixel != 1 && bitsPerPixel != 32)) return nullptr;
  auto bitmap = MakeBitmap(width, height, false);
  if (bitmap == nullptr) return nullptr;
  bitmap->bitsPixel = static_cast<int>(bitsPerPixel);
  const auto* bytes = static_cast<const std::uint8_t*>(bits);
  if (bitsPerPixel == 1) {
    int rowBytes = (width + 15) / 16 * 2;  // rows of whole 16-bit words
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        bool set = bytes != nullptr && (bytes[y * rowBytes + x / 8] & (0x80 >> (x % 8))) != 0;
        bitmap->memory[static_cast<std::size_t>(y) * width + x] = set ? 0xFFFFFF : 0;
      }
  } else if (bytes != nullptr) {
    std::memcpy(bitmap->memory.data(), bytes, bitmap->memory.size() * 4);
    for (auto& pixel : bitmap->memory) pixel &= 0xFFFFFF;
  }
  return RegisterBitmap(std::move(bitmap));
}

HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, void* section,
                         DWORD offset) {
  (void)dc;
  (void)offset;
  if (bits != nullptr) *bits = nullptr;
  if (info == nullptr || usage != DIB_RGB_COLORS || section != nullptr) return nullptr;
  const BITMAPINFOHEADER& header = info->bmiHeader;
  if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biPlanes != 1 ||
      header.biBitCount != 32 || header.biCompression != BI_RGB || header.biHeight == 0 ||
      header.biHeight == INT32_MIN)
    return nullptr;
  bool bottomUp = header.biHeight > 0;
  auto bitmap = MakeBitmap(header.biWidth, std::abs(header.biHeight), bottomUp);
  if (bitmap == nullptr) return nullptr;
  bitmap->dibSection = true;
  if (bits != nullptr) *bits = bitmap->Bits();
  return RegisterBitmap(std::move(bitmap));
}

BOOL BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX,
            int sourceY, DWORD rop) {
  if (!UsesSource(rop)) return PatBlt(destination, x, y, width, height, rop);
  if (ValidDc(destination) == nullptr || ValidDc(source) == nullptr) return FALSE;
  if (width <= 0 || height <= 0) return TRUE;
  Block block = CopyBlock(*source, sourceX, sourceY, width, height);
  if (Records(*destination)) {
    RecordPixels(*destination, x, y, width, height, width, height, block.pixels.data(), rop);
    return TRUE;
  }
  POINT corner = ToSurface(*destination, x, y);
  RECT target{corner.x, corner.y, corner.x + width, corner.y + height};
  CombineBlock(*destination, target, block, rop, [](int i, int j) { return POINT{i, j}; });
  return TRUE;
}

BOOL StretchBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX,
                int sourceY, int sourceWidth, int sourceHeight, DWORD rop) {
  if (!UsesSource(rop)) return PatBlt(destination, x, y, width, height, rop);
  if (ValidDc(destination) == nullptr || ValidDc(source) == nullptr) return FALSE;
  if (width == 0 || height == 0 || sourceWidth == 0 || sourceHeight == 0) return TRUE;
  // Copy the source span in its natural order; mirroring is in the mapping.
  int left = std::min(sourceX, sourceX + sourceWidth);
  int top = std::min(sourceY, sourceY + sourceHeight);
  int spanX = std::abs(sourceWidth), spanY = std::abs(sourceHeight);
  Block block = CopyBlock(*source, left, top, spanX, spanY);
  if (Records(*destination)) {
    RecordPixels(*destination, x, y, width, height, spanX, spanY, block.pixels.data(), rop);
    return TRUE;
  }
  POINT a = ToSurface(*destination, x, y);
  POINT b = ToSurface(*destination, x + width, y + height);
  RECT target{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
  int w = target.right - target.left, h = target.bottom - target.top;
  bool flipX = (width < 0) != (sourceWidth < 0);
  bool flipY = (height < 0) != (sourceHeight < 0);
  CombineBlock(*destination, target, block, rop, [=](int i, int j) {
    int u = Nearest(flipX ? w - 1 - i : i, w, spanX);
    int v = Nearest(flipY ? h - 1 - j : j, h, spanY);
    return POINT{u, v};
  });
  return TRUE;
}

int StretchDIBits(HDC dc, int x, int y, int width, int height, int sourceX, int sourceY,
                  int sourceWidth, int sourceHeight, const void* bits, const BITMAPINFO* info,
                  UINT usage, DWORD rop) {
  if (ValidDc(dc) == nullptr || bits == nullptr || info == nullptr || usage != DIB_RGB_COLORS)
    return 0;
  const BITMAPINFOHEADER& header = info->bmiHeader;
  if (header.biBitCount != 32 || header.biCompression != BI_RGB || header.biWidth <= 0 ||
      header.biHeight == 0 || header.biHeight == INT32_MIN)
    return 0;
  int rows = std::abs(header.biHeight);
  if (Records(*dc)) {
    std::vector<std::uint32_t> topDown(static_cast<std::size_t>(header.biWidth) * rows);
    for (int row = 0; row < rows; ++row) {
      int stored = header.biHeight > 0 ? rows - 1 - row : row;
      std::memcpy(topDown.data() + static_cast<std::size_t>(row) * header.biWidth,
                  static_cast<const std::uint32_t*>(bits) + static_cast<std::size_t>(stored) * header.biWidth,
                  static_cast<std::size_t>(header.biWidth) * 4);
    }
    // Only the source span is kept.
    int spanX = std::clamp(sourceWidth, 1, header.biWidth), spanY = std::clamp(sourceHeight, 1, rows);
    int left = std::clamp(sourceX, 0, header.biWidth - spanX), top = std::clamp(sourceY, 0, rows - spanY);
    std::vector<std::uint32_t> span(static_cast<std::size_t>(spanX) * spanY);
    for (int row = 0; row < spanY; ++row)
      std::memcpy(span.data() + static_cast<std::size_t>(row) * spanX,
                  topDown.data() + static_cast<std::size_t>(top + row) * header.biWidth + left,
                  static_cast<std::size_t>(spanX) * 4);
    RecordPixels(*dc, x, y, width, height, spanX, spanY, span.data(), rop);
    return rows;
  }
  // Wrap the rows in a temporary memory context and stretch from it.
  BITMAPINFO copy = *info;
  copy.bmiHeader.biHeight = -rows;
  void* target = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &copy, DIB_RGB_COLORS, &target, nullptr, 0);
  if (bitmap == nullptr) return 0;
  const auto* from = static_cast<const std::uint32_t*>(bits);
  auto* to = static_cast<std::uint32_t*>(target);
  for (int row = 0; row < rows; ++row) {
    int stored = header.biHeight > 0 ? rows - 1 - row : row;
    std::memcpy(to + static_cast<std::size_t>(row) * header.biWidth,
                from + static_cast<std::size_t>(stored) * header.biWidth,
                static_cast<std::size_t>(header.biWidth) * 4);
  }
  cairo_surface_mark_dirty(Find<BitmapObject>(bitmap)->surface);
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BOOL done = StretchBlt(dc, x, y, width, height, memory, sourceX, sourceY, sourceWidth,
                         sourceHeight, rop);
  SelectObject(memory, previous);
  DeleteDC(memory);
  DeleteObject(bitmap);
  return done ? rows : 0;
}
