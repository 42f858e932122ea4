// Device contexts: creation on a surface (for the window core) or on a
// bitmap (memory contexts), the state that SaveDC keeps, coordinate mapping,
// clipping, object selection and device capabilities.
//
// Coordinates go logical -> device (window and viewport origins, text mapping
// mode only) -> surface pixels (the context's origin, a child window's place
// in its top-level surface). The clip that drawing obeys is the intersection
// of the base clip (what the window core allows), the paint clip (the update
// area of a paint) and the program's own clip region, kept in device
// coordinates as a list of rectangles.
#include "platform/GdiInternal.h"
#include "platform/MetafileInternal.h"
#include "platform/System.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace gdi {

HBITMAP DefaultBitmap();  // GdiBitmap.cpp

namespace {

struct DcTable {
  std::mutex lock;
  std::unordered_set<HDC> live;
};

DcTable& Dcs() {
  static DcTable* table = new DcTable;  // lives as long as the process
  return *table;
}

// Which context a bitmap is selected into: one at a time (the shared stock
// bitmap excepted), checked and changed under one lock since contexts on
// different threads may select the same bitmap.
std::mutex& SelectionLock() {
  static std::mutex* lock = new std::mutex;  // lives as long as the process
  return *lock;
}

bool ClaimBitmap(BitmapObject* bitmap, HDC dc) {
  if (bitmap == nullptr || bitmap->stock) return true;
  std::lock_guard guard(SelectionLock());
  if (bitmap->selectedInto != nullptr && bitmap->selectedInto != dc) return false;
  bitmap->selectedInto = dc;
  return true;
}

void LetGoOfBitmap(BitmapObject* bitmap, HDC dc) {
  if (bitmap == nullptr || bitmap->stock) return;
  std::lock_guard guard(SelectionLock());
  if (bitmap->selectedInto == dc) bitmap->selectedInto = nullptr;
}

HDC AddDc(std::unique_ptr<HDC__> dc) {
  HDC handle = dc.release();
  DcTable& table = Dcs();
  std::lock_guard guard(table.lock);
  table.live.insert(handle);
  return handle;
}

void FreeDc(HDC dc) {
  {
    DcTable& table = Dcs();
    std::lock_guard guard(table.lock);
    if (table.live.erase(dc) == 0) return;
  }
  LetGoOfBitmap(dc->state.bitmap.as<BitmapObject>(), dc);
  for (const DcState& saved : dc->saved) LetGoOfBitmap(saved.bitmap.as<BitmapObject>(), dc);
  std::unique_ptr<HDC__> owned(dc);
}

// Makes the context draw on the bitmap its state selects.
void AdoptBitmap(HDC__& dc) {
  auto* bitmap = dc.state.bitmap.as<BitmapObject>();
  if (bitmap == nullptr) return;
  dc.surface = bitmap->surface;
  dc.baseClip = RECT{0, 0, bitmap->width, bitmap->height};
}

RECT NormalisedDeviceRect(const HDC__& dc, int left, int top, int right, int bottom) {
  POINT a = ToDevice(dc, left, top);
  POINT b = ToDevice(dc, right, bottom);
  return RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

// The device area a context can draw on at all, in device coordinates.
RECT DeviceArea(const HDC__& dc) {
  return RECT{dc.baseClip.left - dc.origin.x, dc.baseClip.top - dc.origin.y,
              dc.baseClip.right - dc.origin.x, dc.baseClip.bottom - dc.origin.y};
}

int ClipResult(const HDC__& dc) { return RegionKind(ClipRects(dc)); }

}  // namespace

HDC AddDeviceDc(std::unique_ptr<HDC__> dc) { return AddDc(std::move(dc)); }
void FreeDeviceDc(HDC dc) { FreeDc(dc); }

HDC ValidDc(HDC dc) {
  if (dc == nullptr) return nullptr;
  DcTable& table = Dcs();
  std::lock_guard guard(table.lock);
  return table.live.count(dc) != 0 ? dc : nullptr;
}

namespace {

// Coordinates are kept within 27 bits, as a display device's are, so that
// the sums below and the drawing that follows never overflow.
LONG Limit(long long value) {
  constexpr long long kLimit = 1LL << 27;
  return static_cast<LONG>(std::clamp(value, -kLimit, kLimit));
}

}  // namespace

POINT ToDevice(const HDC__& dc, int x, int y) {
  return POINT{Limit(static_cast<long long>(x) - dc.state.windowOrg.x + dc.state.viewportOrg.x),
               Limit(static_cast<long long>(y) - dc.state.windowOrg.y + dc.state.viewportOrg.y)};
}

POINT ToSurface(const HDC__& dc, int x, int y) {
  POINT device = ToDevice(dc, x, y);
  return POINT{Limit(static_cast<long long>(device.x) + dc.origin.x),
               Limit(static_cast<long long>(device.y) + dc.origin.y)};
}

RectList ClipRects(const HDC__& dc) {
  if (dc.surface == nullptr) return {};
  RECT base = dc.baseClip;
  base = Intersect(base, RECT{0, 0, cairo_image_surface_get_width(dc.surface),
                              cairo_image_surface_get_height(dc.surface)});
  if (dc.hasPaintClip) base = Intersect(base, dc.paintClip);
  if (IsEmpty(base)) return {};
  if (!dc.state.hasClip) return RectList{base};
  return IntersectList(Offset(dc.state.clip, dc.origin.x, dc.origin.y), base);
}

void SelectDefaultObjects(HDC__& dc) {
  dc.state.pen = ObjectRef(GetStockObject(BLACK_PEN));
  dc.state.brush = ObjectRef(GetStockObject(WHITE_BRUSH));
  dc.state.font = ObjectRef(GetStockObject(SYSTEM_FONT));
  if (dc.memory) {
    dc.state.bitmap = ObjectRef(DefaultBitmap());
    AdoptBitmap(dc);
  }
}

}  // namespace gdi

using namespace gdi;

// --- the seam with the window core ------------------------------------------------

HDC CreateSurfaceDc(cairo_surface_t* surface, POINT origin, RECT clip, HWND window) {
  if (surface == nullptr) return nullptr;
  auto dc = std::make_unique<HDC__>();
  dc->surface = surface;
  dc->origin = origin;
  dc->baseClip = clip;
  dc->window = window;
  SelectDefaultObjects(*dc);
  return AddDc(std::move(dc));
}

void DestroySurfaceDc(HDC dc) {
  if (ValidDc(dc) != nullptr && !dc->memory) FreeDc(dc);
}

void ResetSurfaceDc(HDC dc, POINT origin, RECT clip) {
  if (ValidDc(dc) == nullptr || dc->memory) return;
  dc->origin = origin;
  dc->baseClip = clip;
  dc->hasPaintClip = false;
}

void SetSurfaceDcClip(HDC dc, RECT clip) {
  if (ValidDc(dc) == nullptr || dc->memory) return;
  dc->hasPaintClip = true;
  dc->paintClip = clip;
}

HWND WindowFromDC(HDC dc) { return ValidDc(dc) != nullptr ? dc->window : nullptr; }

// --- contexts -----------------------------------------------------------------------

HDC CreateCompatibleDC(HDC reference) {
  (void)reference;  // every context draws in the same 32-bit format
  auto dc = std::make_unique<HDC__>();
  dc->memory = true;
  SelectDefaultObjects(*dc);
  return AddDc(std::move(dc));
}

BOOL DeleteDC(HDC dc) {
  if (ValidDc(dc) == nullptr || (!dc->memory && dc->device == nullptr)) return FALSE;
  if (dc->device != nullptr && dc->device->technology == DT_RASPRINTER) ForgetPrinterJob(dc);
  FreeDc(dc);
  return TRUE;
}

int SaveDC(HDC dc) {
  if (ValidDc(dc) == nullptr) return 0;
  RecordValues(*dc, EMR_SAVEDC, {});
  dc->saved.push_back(dc->state);
  return static_cast<int>(dc->saved.size());
}

BOOL RestoreDC(HDC dc, int level) {
  if (ValidDc(dc) == nullptr) return FALSE;
  int count = static_cast<int>(dc->saved.size());
  if (level < 0) level = count + 1 + level;
  if (level < 1 || level > count) return FALSE;
  DcState& restored = dc->saved[static_cast<std::size_t>(level - 1)];
  auto* current = dc->state.bitmap.as<BitmapObject>();
  auto* previous = restored.bitmap.as<BitmapObject>();
  if (current != previous) {
    if (!ClaimBitmap(previous, dc)) return FALSE;  // selected elsewhere meanwhile
    LetGoOfBitmap(current, dc);
  }
  dc->state = restored;
  dc->saved.resize(static_cast<std::size_t>(level - 1));
  RecordValues(*dc, EMR_RESTOREDC, {level});
  if (dc->memory) AdoptBitmap(*dc);
  return TRUE;
}

// --- selection ------------------------------------------------------------------------

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  if (ValidDc(dc) == nullptr || !IsLive(object)) return nullptr;
  DcState& state = dc->state;
  auto swap = [object](ObjectRef& slot) {
    HGDIOBJ previous = slot.get();
    slot = ObjectRef(object);
    return previous;
  };
  if (Records(*dc) && (dynamic_cast<PenObject*>(object) || dynamic_cast<BrushObject*>(object) ||
                       dynamic_cast<FontObject*>(object)))
    RecordSelect(*dc, object);
  if (dynamic_cast<PenObject*>(object)) return swap(state.pen);
  if (dynamic_cast<BrushObject*>(object)) return swap(state.brush);
  if (dynamic_cast<FontObject*>(object)) return swap(state.font);
  if (auto* region = dynamic_cast<RegionObject*>(object)) {
    return reinterpret_cast<HGDIOBJ>(static_cast<std::intptr_t>(
        SelectClipRgn(dc, static_cast<HRGN>(region))));
  }
  if (auto* bitmap = dynamic_cast<BitmapObject*>(object)) {
    if (!dc->memory) return nullptr;
    auto* current = state.bitmap.as<BitmapObject>();
    if (current != bitmap) {
      if (!ClaimBitmap(bitmap, dc)) return nullptr;
      LetGoOfBitmap(current, dc);
    }
    HGDIOBJ previous = swap(state.bitmap);
    AdoptBitmap(*dc);
    return previous;
  }
  return nullptr;
}

HGDIOBJ GetCurrentObject(HDC dc, UINT type) {
  if (ValidDc(dc) == nullptr) return nullptr;
  switch (type) {
    case OBJ_PEN: return dc->state.pen.get();
    case OBJ_BRUSH: return dc->state.brush.get();
    case OBJ_FONT: return dc->state.font.get();
    case OBJ_BITMAP: return dc->state.bitmap.get();
    default: return nullptr;
  }
}

// --- modes ------------------------------------------------------------------------------

namespace {

template <class Value, class Field>
Value Exchange(HDC dc, Field DcState::*field, Value value, Value failure) {
  if (ValidDc(dc) == nullptr) return failure;
  Value previous = static_cast<Value>(dc->state.*field);
  dc->state.*field = value;
  return previous;
}

// The same for a mode that a recording context keeps as a record.
template <class Value, class Field>
Value ExchangeRecorded(HDC dc, Field DcState::*field, Value value, Value failure, DWORD type) {
  Value previous = Exchange(dc, field, value, failure);
  if (ValidDc(dc) != nullptr) RecordValues(*dc, type, {static_cast<std::int32_t>(value)});
  return previous;
}

template <class Value, class Field>
Value Read(HDC dc, Field DcState::*field, Value failure) {
  if (ValidDc(dc) == nullptr) return failure;
  return static_cast<Value>(dc->state.*field);
}

BOOL MoveOrigin(HDC dc, POINT DcState::*field, int x, int y, POINT* previous, bool relative) {
  if (ValidDc(dc) == nullptr) return FALSE;
  POINT& origin = dc->state.*field;
  if (previous != nullptr) *previous = origin;
  origin = relative ? POINT{origin.x + x, origin.y + y} : POINT{x, y};
  if (field == &DcState::viewportOrg) RecordValues(*dc, EMR_SETVIEWPORTORGEX, {origin.x, origin.y});
  if (field == &DcState::windowOrg) RecordValues(*dc, EMR_SETWINDOWORGEX, {origin.x, origin.y});
  return TRUE;
}

}  // namespace

COLORREF SetTextColor(HDC dc, COLORREF colour) {
  return ExchangeRecorded(dc, &DcState::textColour, colour & 0xFFFFFF, CLR_INVALID, EMR_SETTEXTCOLOR);
}
COLORREF GetTextColor(HDC dc) { return Read(dc, &DcState::textColour, CLR_INVALID); }
COLORREF SetBkColor(HDC dc, COLORREF colour) {
  return ExchangeRecorded(dc, &DcState::bkColour, colour & 0xFFFFFF, CLR_INVALID, EMR_SETBKCOLOR);
}
COLORREF GetBkColor(HDC dc) { return Read(dc, &DcState::bkColour, CLR_INVALID); }

int SetBkMode(HDC dc, int mode) {
  if (mode != OPAQUE && mode != TRANSPARENT) return 0;
  return ExchangeRecorded(dc, &DcState::bkMode, mode, 0, EMR_SETBKMODE);
}
int GetBkMode(HDC dc) { return Read(dc, &DcState::bkMode, 0); }

int SetROP2(HDC dc, int mode) {
  if (mode < R2_BLACK || mode > R2_WHITE) return 0;
  return ExchangeRecorded(dc, &DcState::rop2, mode, 0, EMR_SETROP2);
}
int GetROP2(HDC dc) { return Read(dc, &DcState::rop2, 0); }

int SetPolyFillMode(HDC dc, int mode) {
  if (mode != ALTERNATE && mode != WINDING) return 0;
  return ExchangeRecorded(dc, &DcState::polyFillMode, mode, 0, EMR_SETPOLYFILLMODE);
}
int GetPolyFillMode(HDC dc) { return Read(dc, &DcState::polyFillMode, 0); }

UINT SetTextAlign(HDC dc, UINT align) { return ExchangeRecorded(dc, &DcState::textAlign, align, GDI_ERROR, EMR_SETTEXTALIGN); }
UINT GetTextAlign(HDC dc) { return Read(dc, &DcState::textAlign, GDI_ERROR); }

BOOL SetBrushOrgEx(HDC dc, int x, int y, POINT* previous) {
  return MoveOrigin(dc, &DcState::brushOrg, x, y, previous, false);
}

BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* previous) {
  return MoveOrigin(dc, &DcState::viewportOrg, x, y, previous, false);
}
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* previous) {
  return MoveOrigin(dc, &DcState::viewportOrg, dx, dy, previous, true);
}
BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* previous) {
  return MoveOrigin(dc, &DcState::windowOrg, x, y, previous, false);
}
BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, POINT* previous) {
  return MoveOrigin(dc, &DcState::windowOrg, dx, dy, previous, true);
}
BOOL GetViewportOrgEx(HDC dc, POINT* origin) {
  if (ValidDc(dc) == nullptr || origin == nullptr) return FALSE;
  *origin = dc->state.viewportOrg;
  return TRUE;
}
BOOL GetWindowOrgEx(HDC dc, POINT* origin) {
  if (ValidDc(dc) == nullptr || origin == nullptr) return FALSE;
  *origin = dc->state.windowOrg;
  return TRUE;
}
BOOL GetCurrentPositionEx(HDC dc, POINT* position) {
  if (ValidDc(dc) == nullptr || position == nullptr) return FALSE;
  *position = dc->state.position;
  return TRUE;
}

BOOL LPtoDP(HDC dc, POINT* points, int count) {
  if (ValidDc(dc) == nullptr || points == nullptr) return FALSE;
  for (int i = 0; i < count; ++i) points[i] = ToDevice(*dc, points[i].x, points[i].y);
  return TRUE;
}

BOOL DPtoLP(HDC dc, POINT* points, int count) {
  if (ValidDc(dc) == nullptr || points == nullptr) return FALSE;
  const DcState& state = dc->state;
  for (int i = 0; i < count; ++i) {
    points[i].x += state.windowOrg.x - state.viewportOrg.x;
    points[i].y += state.windowOrg.y - state.viewportOrg.y;
  }
  return TRUE;
}

// --- clipping --------------------------------------------------------------------------------

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
  if (ValidDc(dc) == nullptr) return ERROR;
  RecordValues(*dc, EMR_INTERSECTCLIPRECT, {left, top, right, bottom});
  RECT rect = NormalisedDeviceRect(*dc, left, top, right, bottom);
  DcState& state = dc->state;
  if (!state.hasClip) {
    state.hasClip = true;
    state.clip = IsEmpty(rect) ? RectList{} : RectList{rect};
  } else {
    state.clip = IntersectList(state.clip, rect);
  }
  return ClipResult(*dc);
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
  if (ValidDc(dc) == nullptr) return ERROR;
  RecordValues(*dc, EMR_EXCLUDECLIPRECT, {left, top, right, bottom});
  RECT rect = NormalisedDeviceRect(*dc, left, top, right, bottom);
  DcState& state = dc->state;
  if (!state.hasClip) {
    state.hasClip = true;
    RECT area = DeviceArea(*dc);
    state.clip = IsEmpty(area) ? RectList{} : RectList{area};
  }
  state.clip = SubtractRect(state.clip, rect);
  return ClipResult(*dc);
}

int SelectClipRgn(HDC dc, HRGN handle) {
  if (ValidDc(dc) == nullptr) return ERROR;
  if (handle == nullptr) {
    RecordRects(*dc, {}, true);
    dc->state.hasClip = false;
    dc->state.clip.clear();
    return ClipResult(*dc);
  }
  auto* region = Find<RegionObject>(handle);
  if (region == nullptr) return ERROR;
  RecordRects(*dc, region->rects, false);
  dc->state.hasClip = true;
  dc->state.clip = region->rects;  // copied: the region may be deleted afterwards
  return ClipResult(*dc);
}

int GetClipBox(HDC dc, RECT* box) {
  if (ValidDc(dc) == nullptr || box == nullptr) return ERROR;
  RectList clip = ClipRects(*dc);
  RECT surfaceBox = BoundingBox(clip);
  if (clip.empty()) {
    *box = RECT{0, 0, 0, 0};
    return NULLREGION;
  }
  // Surface pixels back to logical coordinates.
  const DcState& state = dc->state;
  int dx = -dc->origin.x - state.viewportOrg.x + state.windowOrg.x;
  int dy = -dc->origin.y - state.viewportOrg.y + state.windowOrg.y;
  *box = RECT{surfaceBox.left + dx, surfaceBox.top + dy, surfaceBox.right + dx,
              surfaceBox.bottom + dy};
  return RegionKind(clip);
}

// --- capabilities -------------------------------------------------------------------------------

namespace {

constexpr int kPixelsPerInch = 96;

int Millimetres(int pixels) {
  return static_cast<int>(std::lround(pixels * 25.4 / kPixelsPerInch));
}

// The screen the layer presents, in pixels: every context of the screen
// (window or memory) reports it as its resolution.
SIZE ScreenSize() { return SIZE{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

}  // namespace

int GetDeviceCaps(HDC dc, int index) {
  if (ValidDc(dc) == nullptr) return 0;
  if (int value = 0; DeviceCaps(*dc, index, &value)) return value;
  SIZE screen = ScreenSize();
  switch (index) {
    case DRIVERVERSION: return 0x4000;
    case TECHNOLOGY: return DT_RASDISPLAY;
    case HORZRES: return screen.cx;
    case VERTRES: return screen.cy;
    case HORZSIZE: return Millimetres(screen.cx);
    case VERTSIZE: return Millimetres(screen.cy);
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case NUMBRUSHES: return -1;
    case NUMPENS: return -1;
    case NUMFONTS: return 0;
    case RASTERCAPS:
      return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB;
    case LOGPIXELSX:
    case LOGPIXELSY: return kPixelsPerInch;
    case SIZEPALETTE: return 0;
    case COLORRES: return 24;
    default: return 0;
  }
}
