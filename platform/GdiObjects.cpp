// Drawing objects: the table of live objects, stock objects, pens, brushes,
// regions, DeleteObject and GetObject. Fonts are made in GdiFonts.cpp and
// bitmaps in GdiBitmap.cpp, but they live in the same table.
//
// The table is guarded by one lock; objects never change after creation
// (except regions, which only SetRectRgn and CombineRgn rewrite), so drawing
// reads them without the lock while a selection keeps them alive. Stock
// objects are made on first use and never freed; deleting one does nothing.
#include "platform/GdiInternal.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace gdi {
namespace {

struct ObjectTable {
  std::mutex lock;
  std::unordered_map<HGDIOBJ, std::unique_ptr<HGDIOBJ__>> objects;
};

ObjectTable& Table() {
  static ObjectTable* table = new ObjectTable;  // lives as long as the process
  return *table;
}

Tracked* TrackedOf(HGDIOBJ handle) { return dynamic_cast<Tracked*>(handle); }

// Frees an object whose deletion waited for its last selection to end.
void FreeLocked(ObjectTable& table, HGDIOBJ handle) {
  auto found = table.objects.find(handle);
  if (found != table.objects.end()) table.objects.erase(found);
}

}  // namespace

bool IsLive(HGDIOBJ handle) {
  if (handle == nullptr) return false;
  ObjectTable& table = Table();
  std::lock_guard guard(table.lock);
  return table.objects.count(handle) != 0;
}

HGDIOBJ Register(std::unique_ptr<HGDIOBJ__> object) {
  HGDIOBJ handle = object.get();
  ObjectTable& table = Table();
  std::lock_guard guard(table.lock);
  table.objects.emplace(handle, std::move(object));
  return handle;
}

void Retain(HGDIOBJ handle) {
  if (handle == nullptr) return;
  ObjectTable& table = Table();
  std::lock_guard guard(table.lock);
  if (table.objects.count(handle) != 0) ++TrackedOf(handle)->uses;
}

void Release(HGDIOBJ handle) {
  if (handle == nullptr) return;
  ObjectTable& table = Table();
  std::lock_guard guard(table.lock);
  if (table.objects.count(handle) == 0) return;
  Tracked* tracked = TrackedOf(handle);
  if (--tracked->uses == 0 && tracked->deletePending) FreeLocked(table, handle);
}

// --- rectangle lists --------------------------------------------------------------

bool IsEmpty(const RECT& rect) { return rect.right <= rect.left || rect.bottom <= rect.top; }

RECT Intersect(const RECT& a, const RECT& b) {
  RECT result{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
  if (IsEmpty(result)) result = RECT{0, 0, 0, 0};
  return result;
}

RectList IntersectList(const RectList& list, const RECT& rect) {
  RectList result;
  for (const RECT& each : list) {
    RECT part = Intersect(each, rect);
    if (!IsEmpty(part)) result.push_back(part);
  }
  return result;
}

RectList IntersectLists(const RectList& a, const RectList& b) {
  RectList result;
  for (const RECT& each : b) {
    RectList part = IntersectList(a, each);
    result.insert(result.end(), part.begin(), part.end());
  }
  return result;
}

RectList SubtractRect(const RectList& list, const RECT& cut) {
  RectList result;
  for (const RECT& each : list) {
    RECT inner = Intersect(each, cut);
    if (IsEmpty(inner)) {
      result.push_back(each);
      continue;
    }
    // Up to four pieces: above, below, left and right of the cut.
    RECT pieces[4] = {{each.left, each.top, each.right, inner.top},
                      {each.left, inner.bottom, each.right, each.bottom},
                      {each.left, inner.top, inner.left, inner.bottom},
                      {inner.right, inner.top, each.right, inner.bottom}};
    for (const RECT& piece : pieces)
      if (!IsEmpty(piece)) result.push_back(piece);
  }
  return result;
}

RECT BoundingBox(const RectList& list) {
  if (list.empty()) return RECT{0, 0, 0, 0};
  RECT box = list.front();
  for (const RECT& each : list) {
    box.left = std::min(box.left, each.left);
    box.top = std::min(box.top, each.top);
    box.right = std::max(box.right, each.right);
    box.bottom = std::max(box.bottom, each.bottom);
  }
  return box;
}

int RegionKind(const RectList& list) {
  if (list.empty()) return NULLREGION;
  return list.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

RectList Offset(RectList list, int dx, int dy) {
  for (RECT& each : list) {
    each.left += dx;
    each.right += dx;
    each.top += dy;
    each.bottom += dy;
  }
  return list;
}

}  // namespace gdi

using namespace gdi;

namespace {

std::unique_ptr<PenObject> MakePen(int style, int width, COLORREF colour) {
  auto pen = std::make_unique<PenObject>();
  pen->style = style & PS_STYLE_MASK;
  if (pen->style > PS_INSIDEFRAME) pen->style = PS_SOLID;
  pen->width = std::max(width, 0);
  pen->colour = colour & 0xFFFFFF;
  return pen;
}

std::unique_ptr<BrushObject> MakeSolidBrush(COLORREF colour) {
  auto brush = std::make_unique<BrushObject>();
  brush->style = BS_SOLID;
  brush->colour = colour & 0xFFFFFF;
  return brush;
}

LOGFONT StockFontDescription(int index) {
  LOGFONT font{};
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = ANSI_CHARSET;
  const char* face = "MS Sans Serif";
  switch (index) {
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
      font.lfHeight = 16;
      font.lfWeight = FW_BOLD;
      font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
      face = "System";
      break;
    case OEM_FIXED_FONT:
    case SYSTEM_FIXED_FONT:
      font.lfHeight = 15;
      font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
      face = "Fixedsys";
      break;
    case ANSI_FIXED_FONT:
      font.lfHeight = 13;
      font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
      face = "Courier";
      break;
    case ANSI_VAR_FONT:
      font.lfHeight = 13;
      font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
      break;
    default:  // DEFAULT_GUI_FONT: 8 point at 96 pixels per inch
      font.lfHeight = -11;
      font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
      face = "MS Shell Dlg";
      break;
  }
  std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  return font;
}

std::unique_ptr<HGDIOBJ__> MakeStockObject(int index) {
  switch (index) {
    case WHITE_BRUSH: return MakeSolidBrush(RGB(255, 255, 255));
    case LTGRAY_BRUSH: return MakeSolidBrush(RGB(192, 192, 192));
    case GRAY_BRUSH: return MakeSolidBrush(RGB(128, 128, 128));
    case DKGRAY_BRUSH: return MakeSolidBrush(RGB(64, 64, 64));
    case BLACK_BRUSH: return MakeSolidBrush(RGB(0, 0, 0));
    case NULL_BRUSH: {
      auto brush = MakeSolidBrush(0);
      brush->style = BS_NULL;
      return brush;
    }
    case WHITE_PEN: return MakePen(PS_SOLID, 0, RGB(255, 255, 255));
    case BLACK_PEN: return MakePen(PS_SOLID, 0, RGB(0, 0, 0));
    case NULL_PEN: return MakePen(PS_NULL, 0, 0);
    default: return nullptr;
  }
}

bool IsFontIndex(int index) {
  return index == OEM_FIXED_FONT || index == ANSI_FIXED_FONT || index == ANSI_VAR_FONT ||
         index == SYSTEM_FONT || index == DEVICE_DEFAULT_FONT || index == SYSTEM_FIXED_FONT ||
         index == DEFAULT_GUI_FONT;
}

void MarkStock(HGDIOBJ handle) {
  if (auto* tracked = dynamic_cast<Tracked*>(handle)) tracked->stock = true;
}

}  // namespace

HGDIOBJ GetStockObject(int index) {
  constexpr int kStockCount = DEFAULT_GUI_FONT + 1;
  static std::mutex lock;
  static HGDIOBJ stock[kStockCount] = {};
  if (index < 0 || index >= kStockCount) return nullptr;
  std::lock_guard guard(lock);
  if (stock[index] == nullptr) {
    if (IsFontIndex(index)) {
      LOGFONT description = StockFontDescription(index);
      stock[index] = CreateFontIndirect(&description);
    } else if (auto object = MakeStockObject(index)) {
      stock[index] = Register(std::move(object));
    }
    MarkStock(stock[index]);
  }
  return stock[index];
}

HPEN CreatePen(int style, int width, COLORREF colour) {
  auto pen = MakePen(style, width, colour);
  // A wide pen from CreatePen draws with round ends, like a geometric pen.
  pen->geometric = pen->width > 1;
  return static_cast<HPEN>(static_cast<PenObject*>(Register(std::move(pen))));
}

HPEN CreatePenIndirect(const LOGPEN* pen) {
  if (pen == nullptr) return nullptr;
  return CreatePen(static_cast<int>(pen->lopnStyle), pen->lopnWidth.x, pen->lopnColor);
}

HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD styleCount,
                  const DWORD* styles) {
  (void)styles;
  if (brush == nullptr || styleCount != 0) return nullptr;  // user styles are not offered
  bool geometric = (style & PS_TYPE_MASK) == PS_GEOMETRIC;
  if (!geometric && width != 1) return nullptr;
  auto pen = MakePen(static_cast<int>(style & PS_STYLE_MASK), static_cast<int>(width),
                     brush->lbColor);
  if (brush->lbStyle == BS_NULL) pen->style = PS_NULL;
  pen->extended = true;
  pen->geometric = geometric;
  pen->endCap = static_cast<int>(style & PS_ENDCAP_MASK);
  pen->join = static_cast<int>(style & PS_JOIN_MASK);
  return static_cast<HPEN>(static_cast<PenObject*>(Register(std::move(pen))));
}

HBRUSH CreateSolidBrush(COLORREF colour) {
  return static_cast<HBRUSH>(static_cast<BrushObject*>(Register(MakeSolidBrush(colour))));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush) {
  if (brush == nullptr) return nullptr;
  if (brush->lbStyle == BS_SOLID) return CreateSolidBrush(brush->lbColor);
  if (brush->lbStyle == BS_NULL) return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  if (brush->lbStyle == BS_PATTERN)
    return CreatePatternBrush(reinterpret_cast<HBITMAP>(brush->lbHatch));
  return nullptr;
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
  auto* source = Find<BitmapObject>(bitmap);
  if (source == nullptr) return nullptr;
  auto brush = std::make_unique<BrushObject>();
  brush->style = BS_PATTERN;
  brush->patternWidth = source->width;
  brush->patternHeight = source->height;
  brush->monochrome = source->bitsPixel == 1;
  Pixels pixels = BeginPixels(source->surface);
  brush->pattern.reserve(static_cast<std::size_t>(source->width) * source->height);
  for (int y = 0; y < source->height; ++y)
    for (int x = 0; x < source->width; ++x) brush->pattern.push_back(pixels.At(x, y) & 0xFFFFFF);
  return static_cast<HBRUSH>(static_cast<BrushObject*>(Register(std::move(brush))));
}

// --- regions -------------------------------------------------------------------------

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  auto region = std::make_unique<RegionObject>();
  RECT rect{std::min(left, right), std::min(top, bottom), std::max(left, right),
            std::max(top, bottom)};
  if (!IsEmpty(rect)) region->rects.push_back(rect);
  return static_cast<HRGN>(static_cast<RegionObject*>(Register(std::move(region))));
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
  if (rect == nullptr) return nullptr;
  return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

BOOL SetRectRgn(HRGN handle, int left, int top, int right, int bottom) {
  auto* region = Find<RegionObject>(handle);
  if (region == nullptr) return FALSE;
  RECT rect{std::min(left, right), std::min(top, bottom), std::max(left, right),
            std::max(top, bottom)};
  region->rects.clear();
  if (!IsEmpty(rect)) region->rects.push_back(rect);
  return TRUE;
}

int CombineRgn(HRGN destination, HRGN source1, HRGN source2, int mode) {
  auto* target = Find<RegionObject>(destination);
  auto* first = Find<RegionObject>(source1);
  if (target == nullptr || first == nullptr) return ERROR;
  if (mode == RGN_COPY) {
    target->rects = first->rects;
    return RegionKind(target->rects);
  }
  auto* second = Find<RegionObject>(source2);
  if (second == nullptr) return ERROR;
  RectList result;
  auto minus = [](RectList list, const RectList& cut) {
    for (const RECT& each : cut) list = SubtractRect(list, each);
    return list;
  };
  switch (mode) {
    case RGN_AND: result = IntersectLists(first->rects, second->rects); break;
    case RGN_OR:
      result = minus(first->rects, second->rects);
      result.insert(result.end(), second->rects.begin(), second->rects.end());
      break;
    case RGN_DIFF: result = minus(first->rects, second->rects); break;
    case RGN_XOR: {
      result = minus(first->rects, second->rects);
      RectList other = minus(second->rects, first->rects);
      result.insert(result.end(), other.begin(), other.end());
      break;
    }
    default: return ERROR;
  }
  target->rects = std::move(result);
  return RegionKind(target->rects);
}

int GetRgnBox(HRGN handle, RECT* box) {
  auto* region = Find<RegionObject>(handle);
  if (region == nullptr || box == nullptr) return ERROR;
  *box = BoundingBox(region->rects);
  return RegionKind(region->rects);
}

BOOL PtInRegion(HRGN handle, int x, int y) {
  auto* region = Find<RegionObject>(handle);
  if (region == nullptr) return FALSE;
  for (const RECT& each : region->rects)
    if (x >= each.left && x < each.right && y >= each.top && y < each.bottom) return TRUE;
  return FALSE;
}

// --- deleting and describing -------------------------------------------------------------

BOOL DeleteObject(HGDIOBJ handle) {
  if (handle == nullptr) return FALSE;
  auto& table = gdi::Table();
  std::lock_guard guard(table.lock);
  auto found = table.objects.find(handle);
  if (found == table.objects.end()) return FALSE;
  Tracked* tracked = dynamic_cast<Tracked*>(handle);
  if (tracked->stock) return TRUE;
  if (tracked->uses > 0) {
    tracked->deletePending = true;  // freed when its last selection ends
    return TRUE;
  }
  table.objects.erase(found);
  return TRUE;
}

DWORD GetObjectType(HGDIOBJ handle) {
  if (!IsLive(handle)) return 0;
  if (auto* pen = dynamic_cast<PenObject*>(handle)) return pen->extended ? OBJ_EXTPEN : OBJ_PEN;
  if (dynamic_cast<BrushObject*>(handle)) return OBJ_BRUSH;
  if (dynamic_cast<FontObject*>(handle)) return OBJ_FONT;
  if (dynamic_cast<BitmapObject*>(handle)) return OBJ_BITMAP;
  if (dynamic_cast<RegionObject*>(handle)) return OBJ_REGION;
  return 0;
}

namespace {

template <class Record>
int CopyRecord(const Record& record, int size, void* buffer) {
  if (buffer == nullptr) return static_cast<int>(sizeof(Record));
  if (size < static_cast<int>(sizeof(Record))) return 0;
  std::memcpy(buffer, &record, sizeof(Record));
  return static_cast<int>(sizeof(Record));
}

}  // namespace

int GetObject(HGDIOBJ handle, int size, void* buffer) {
  if (!IsLive(handle)) return 0;
  if (auto* pen = dynamic_cast<PenObject*>(handle)) {
    LOGPEN record{static_cast<UINT>(pen->style | pen->endCap | pen->join |
                                    (pen->geometric && pen->extended ? PS_GEOMETRIC : 0)),
                  POINT{pen->width, 0}, pen->colour};
    return CopyRecord(record, size, buffer);
  }
  if (auto* brush = dynamic_cast<BrushObject*>(handle)) {
    LOGBRUSH record{brush->style, brush->colour, 0};
    return CopyRecord(record, size, buffer);
  }
  if (auto* font = dynamic_cast<FontObject*>(handle)) return CopyRecord(font->description, size, buffer);
  if (auto* bitmap = dynamic_cast<BitmapObject*>(handle)) {
    BITMAP record{0, bitmap->width, bitmap->height, bitmap->width * 4, 1,
                  static_cast<WORD>(bitmap->bitsPixel),
                  bitmap->dibSection ? bitmap->Bits() : nullptr};
    if (bitmap->bitsPixel == 1) record.bmWidthBytes = (bitmap->width + 15) / 16 * 2;
    return CopyRecord(record, size, buffer);
  }
  return 0;
}
