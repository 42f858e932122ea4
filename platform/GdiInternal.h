// The drawing layer's private records, shared by its source files only.
//
// Every drawing object lives in one table (ObjectTable in GdiObjects.cpp) so a
// stale or foreign handle is refused instead of followed. An object selected
// into a context (or kept in a saved state) is counted; DeleteObject of a
// selected object only marks it, and the last deselection frees it, so a
// context never draws with freed memory.
//
// A context (HDC__) draws into a cairo image surface in 32-bit pixels
// 0x??RRGGBB; the surface belongs to the window core or to the selected bitmap.
// All drawing is done per pixel against a coverage mask (GdiRaster.cpp): cairo
// only rasterises paths into masks, without antialiasing, and draws text.
#pragma once

#include "platform/Gdi.h"

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace gdi {

// Bookkeeping common to every drawing object.
struct Tracked {
  int uses = 0;  // guarded by the object table's lock
  bool deletePending = false;
  bool stock = false;
  virtual ~Tracked() = default;
};

struct PenObject : HPEN__, Tracked {
  int style = PS_SOLID;  // PS_ style bits only
  int width = 1;         // pixels; 0 and 1 draw one-pixel lines
  COLORREF colour = 0;
  int endCap = PS_ENDCAP_ROUND;
  int join = PS_JOIN_ROUND;
  bool extended = false;  // made by ExtCreatePen
  bool geometric = false;
};

struct BrushObject : HBRUSH__, Tracked {
  UINT style = BS_SOLID;
  COLORREF colour = 0;
  // Pattern brushes keep their own copy of the pattern in surface pixels;
  // a monochrome pattern draws its set bits in the background colour and its
  // clear bits in the text colour of the context.
  int patternWidth = 0;
  int patternHeight = 0;
  bool monochrome = false;
  std::vector<std::uint32_t> pattern;
};

struct FontFace;  // the realised font, GdiText.h

struct FontObject : HFONT__, Tracked {
  LOGFONT description{};
  std::once_flag realised;
  std::shared_ptr<const FontFace> face;  // shared by the fonts of one description
  ~FontObject() override;
};

struct BitmapObject : HBITMAP__, Tracked {
  int width = 1;
  int height = 1;
  int bitsPixel = 32;
  bool dibSection = false;
  bool bottomUp = false;
  std::vector<std::uint32_t> memory;  // width * height pixels
  cairo_surface_t* surface = nullptr;
  HDC selectedInto = nullptr;
  ~BitmapObject() override;
  void* Bits() { return memory.data(); }
};

struct RegionObject : HRGN__, Tracked {
  std::vector<RECT> rects;  // disjoint, non-empty
};

// Table of live objects: validity checks and counted selection.
bool IsLive(HGDIOBJ handle);
template <class T>
T* Find(HGDIOBJ handle) {
  return IsLive(handle) ? dynamic_cast<T*>(handle) : nullptr;
}
HGDIOBJ Register(std::unique_ptr<HGDIOBJ__> object);
void Retain(HGDIOBJ handle);
void Release(HGDIOBJ handle);

// A counted reference held by a context state.
class ObjectRef {
 public:
  ObjectRef() = default;
  explicit ObjectRef(HGDIOBJ handle) : handle_(handle) { Retain(handle_); }
  ObjectRef(const ObjectRef& other) : handle_(other.handle_) { Retain(handle_); }
  ObjectRef& operator=(const ObjectRef& other) {
    if (this != &other) {
      Retain(other.handle_);
      Release(handle_);
      handle_ = other.handle_;
    }
    return *this;
  }
  ~ObjectRef() { Release(handle_); }
  HGDIOBJ get() const { return handle_; }
  template <class T>
  T* as() const {
    return dynamic_cast<T*>(handle_);
  }

 private:
  HGDIOBJ handle_ = nullptr;
};

// Rectangle lists (clip regions).
using RectList = std::vector<RECT>;
bool IsEmpty(const RECT& rect);
RECT Intersect(const RECT& a, const RECT& b);
RectList IntersectList(const RectList& list, const RECT& rect);
RectList IntersectLists(const RectList& a, const RectList& b);
RectList SubtractRect(const RectList& list, const RECT& rect);
RECT BoundingBox(const RectList& list);
int RegionKind(const RectList& list);
RectList Offset(RectList list, int dx, int dy);

}  // namespace gdi

// The parts of a context that SaveDC keeps.
struct DcState {
  gdi::ObjectRef pen;
  gdi::ObjectRef brush;
  gdi::ObjectRef font;
  gdi::ObjectRef bitmap;
  COLORREF textColour = 0x000000;
  COLORREF bkColour = 0xFFFFFF;
  int bkMode = OPAQUE;
  UINT textAlign = TA_LEFT | TA_TOP;
  int rop2 = R2_COPYPEN;
  int polyFillMode = ALTERNATE;
  POINT position{0, 0};
  POINT viewportOrg{0, 0};
  POINT windowOrg{0, 0};
  POINT brushOrg{0, 0};
  bool hasClip = false;
  gdi::RectList clip;  // device coordinates, when hasClip
};

namespace gdi {
struct Recording;     // MetafileInternal.h: the records a metafile or printer context takes
struct DeviceTraits;  // MetafileInternal.h: the capabilities of a printer or metafile context
}  // namespace gdi

struct HDC__ {
  cairo_surface_t* surface = nullptr;  // not owned
  bool memory = false;
  POINT origin{0, 0};                  // device (0, 0) in surface pixels
  RECT baseClip{0, 0, 0, 0};           // surface pixels
  bool hasPaintClip = false;
  RECT paintClip{0, 0, 0, 0};          // surface pixels
  HWND window = nullptr;
  int pixelFormat = 0;  // OpenGL pixel format, once set
  DcState state;
  std::vector<DcState> saved;
  // A metafile or printer context records instead of drawing (it has no
  // surface) and answers GetDeviceCaps from its device.
  std::shared_ptr<gdi::Recording> recording;
  std::shared_ptr<gdi::DeviceTraits> device;
};

namespace gdi {

HDC ValidDc(HDC dc);  // nullptr when dc is not a live context
POINT ToDevice(const HDC__& dc, int x, int y);
POINT ToSurface(const HDC__& dc, int x, int y);  // logical to surface pixels
RectList ClipRects(const HDC__& dc);              // surface pixels
void SelectDefaultObjects(HDC__& dc);

// Surface pixels.
struct Pixels {
  std::uint32_t* row0 = nullptr;
  std::ptrdiff_t stride = 0;  // in pixels, negative for bottom-up memory
  int width = 0;
  int height = 0;
  std::uint32_t& At(int x, int y) const { return row0[y * stride + x]; }
};
Pixels BeginPixels(cairo_surface_t* surface);
void EndPixels(cairo_surface_t* surface);

inline std::uint32_t ToPixel(COLORREF colour) {
  return (static_cast<std::uint32_t>(GetRValue(colour)) << 16) |
         (static_cast<std::uint32_t>(GetGValue(colour)) << 8) | GetBValue(colour);
}
inline COLORREF ToColour(std::uint32_t pixel) {
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

// Coverage of one primitive, in surface pixels (1 = covered).
struct Mask {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int stride = 0;
  std::vector<std::uint8_t> cover;
  bool Empty() const { return width <= 0 || height <= 0; }
  bool Covered(int x, int y) const {
    return x >= left && y >= top && x < left + width && y < top + height &&
           cover[static_cast<std::size_t>(y - top) * stride + (x - left)] != 0;
  }
  void Set(int x, int y) {
    if (x >= left && y >= top && x < left + width && y < top + height)
      cover[static_cast<std::size_t>(y - top) * stride + (x - left)] = 1;
  }
};
Mask MakeMask(const RECT& bounds);
// A cairo context drawing into the mask in surface coordinates, without
// antialiasing; paint with any opaque source to set coverage.
cairo_t* MaskContext(Mask& mask);
// Removes from `mask` every pixel that `other` covers.
void SubtractMask(Mask& mask, const Mask& other);

// What a primitive paints with: a colour or a brush pattern.
struct Source {
  std::uint32_t colour = 0;
  const BrushObject* brush = nullptr;  // pattern brush, or nullptr
  POINT origin{0, 0};                  // surface pixel where the pattern starts
  std::uint32_t foreground = 0;        // monochrome pattern: clear bits
  std::uint32_t background = 0;        // monochrome pattern: set bits
  std::uint32_t At(int x, int y) const;
};
Source ColourSource(COLORREF colour);
// The brush as a source in this context; false for a hollow brush.
bool BrushSource(const HDC__& dc, const BrushObject* brush, Source* source);

std::uint32_t Rop2(int rop, std::uint32_t pen, std::uint32_t destination);
std::uint32_t Rop3(DWORD rop, std::uint32_t pattern, std::uint32_t source,
                   std::uint32_t destination);

// Combines `source` into the context's surface wherever `mask` covers and the
// clip allows, with a binary raster operation.
void ApplyMask(const HDC__& dc, const Mask& mask, const Source& source, int rop2);
// The same for a whole rectangle (surface pixels), with a ternary operation
// that does not read a source bitmap.
void ApplyRect(const HDC__& dc, const RECT& rect, const Source& pattern, DWORD rop3);

}  // namespace gdi
