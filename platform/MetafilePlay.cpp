// Playing recorded pictures onto a device context: enumeration with a
// target rectangle, and one record at a time through the ordinary drawing
// functions of the target (so a record played onto a bitmap draws what the
// recorded call drew, and played onto a printer or metafile it is recorded
// there in turn).
//
// The recording's own window and viewport origins are followed here, not
// set on the target: every position is taken to the recording's device
// coordinates, then scaled from the frame into the rectangle. Played at the
// frame's size and origin the scale is exactly one and the target draws the
// very pixels the recorded calls drew.
#include <cmath>
#include <cstring>

#include "platform/MetafileInternal.h"

namespace gdi {

namespace {

struct Playback {
  HDC target = nullptr;
  double sx = 1.0, sy = 1.0, dx = 0.0, dy = 0.0;
  POINT windowOrg{0, 0};
  POINT viewportOrg{0, 0};
  std::vector<std::pair<POINT, POINT>> saved;
};

thread_local Playback* t_playback = nullptr;

int Round(double value) { return static_cast<int>(std::lround(value)); }

POINT Map(const Playback& p, int x, int y) {
  double deviceX = static_cast<double>(x) - p.windowOrg.x + p.viewportOrg.x;
  double deviceY = static_cast<double>(y) - p.windowOrg.y + p.viewportOrg.y;
  return POINT{Round(p.dx + deviceX * p.sx), Round(p.dy + deviceY * p.sy)};
}

// A position already in the recording's device coordinates.
POINT MapDevice(const Playback& p, int x, int y) {
  return POINT{Round(p.dx + x * p.sx), Round(p.dy + y * p.sy)};
}

int ScaleLength(const Playback&, int length, double scale) {
  if (scale == 1.0) return length;
  if (length == 0) return 0;
  int scaled = Round(length * scale);
  return scaled == 0 ? (length > 0 ? 1 : -1) : scaled;
}

std::vector<POINT> MapPoints(const Playback& p, const std::int32_t* values, int count) {
  std::vector<POINT> points(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) points[static_cast<std::size_t>(i)] = Map(p, values[2 * i], values[2 * i + 1]);
  return points;
}

void Keep(HANDLETABLE* table, UINT objects, std::int32_t index, HGDIOBJ object) {
  if (index <= 0 || static_cast<UINT>(index) >= objects) {
    DeleteObject(object);
    return;
  }
  HGDIOBJ& slot = table->objectHandle[index];
  if (slot != nullptr) DeleteObject(slot);
  slot = object;
}

HGDIOBJ MakePen(const Playback& p, const std::int32_t* v) {
  int style = v[1];
  int width = ScaleLength(p, v[2], (p.sx + p.sy) / 2);
  auto colour = static_cast<COLORREF>(v[3]);
  if ((style & PS_TYPE_MASK) == PS_GEOMETRIC || (style & (PS_ENDCAP_MASK | PS_JOIN_MASK)) != 0) {
    LOGBRUSH brush{BS_SOLID, colour, 0};
    return ExtCreatePen(static_cast<DWORD>(style), static_cast<DWORD>(width), &brush, 0, nullptr);
  }
  return CreatePen(style & PS_STYLE_MASK, width, colour);
}

HGDIOBJ MakeBrush(const std::int32_t* v, std::size_t count) {
  auto style = static_cast<UINT>(v[1]);
  auto colour = static_cast<COLORREF>(v[2]);
  int width = v[3], height = v[4];
  if (style == BS_PATTERN && width > 0 && height > 0 &&
      count >= 6 + static_cast<std::size_t>(width) * height) {
    HBITMAP bitmap = CreateBitmap(width, height, 1, 32, v + 6);
    HBRUSH brush = CreatePatternBrush(bitmap);
    DeleteObject(bitmap);
    return brush;
  }
  LOGBRUSH brush{style == BS_NULL ? BS_NULL : BS_SOLID, colour, 0};
  return CreateBrushIndirect(&brush);
}

HGDIOBJ MakeFont(const Playback& p, const std::int32_t* v) {
  LOGFONT font{};
  std::memcpy(&font, v + 1, sizeof font);
  font.lfHeight = ScaleLength(p, font.lfHeight, p.sy);
  font.lfWidth = ScaleLength(p, font.lfWidth, p.sx);
  return CreateFontIndirect(&font);
}

void PlayText(HDC dc, const Playback& p, const std::int32_t* v, std::size_t count) {
  int length = v[8];
  std::size_t textWords = (static_cast<std::size_t>(length) + 3) / 4;
  if (length < 0 || count < 10 + textWords + (v[9] ? static_cast<std::size_t>(length) : 0)) return;
  std::string text(reinterpret_cast<const char*>(v + 10), static_cast<std::size_t>(length));
  std::vector<int> advances;
  if (v[9]) {
    for (int i = 0; i < length; ++i)
      advances.push_back(ScaleLength(p, v[10 + textWords + static_cast<std::size_t>(i)], p.sx));
  }
  POINT at = Map(p, v[0], v[1]);
  RECT box{};
  if (v[7]) {
    POINT a = Map(p, v[3], v[4]), b = Map(p, v[5], v[6]);
    box = RECT{a.x, a.y, b.x, b.y};
  }
  ExtTextOut(dc, at.x, at.y, static_cast<UINT>(v[2]), v[7] ? &box : nullptr, text.data(),
             static_cast<UINT>(length), v[9] ? advances.data() : nullptr);
}

void PlayClip(HDC dc, const Playback& p, const std::int32_t* v, std::size_t count) {
  if (v[0] != 0) {
    SelectClipRgn(dc, nullptr);
    return;
  }
  int rects = v[1];
  if (rects < 0 || count < 2 + 4 * static_cast<std::size_t>(rects)) return;
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  for (int i = 0; i < rects; ++i) {
    const std::int32_t* r = v + 2 + 4 * i;
    POINT a = MapDevice(p, r[0], r[1]), b = MapDevice(p, r[2], r[3]);
    HRGN part = CreateRectRgn(a.x, a.y, b.x, b.y);
    CombineRgn(region, region, part, RGN_OR);
    DeleteObject(part);
  }
  SelectClipRgn(dc, region);
  DeleteObject(region);
}

void PlayBrushRect(HDC dc, const Playback& p, DWORD type, const std::int32_t* v) {
  POINT a = Map(p, v[0], v[1]), b = Map(p, v[2], v[3]);
  RECT rect{a.x, a.y, b.x, b.y};
  if (type == EMR_INVERTRGN) {
    InvertRect(dc, &rect);
    return;
  }
  if (static_cast<UINT>(v[4]) == BS_NULL) return;
  HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(v[5]));
  if (type == EMR_FILLRGN) FillRect(dc, &rect, brush);
  else FrameRect(dc, &rect, brush);
  DeleteObject(brush);
}

void PlayPixels(HDC dc, const Playback& p, const std::int32_t* v, std::size_t count) {
  int sourceWidth = v[4], sourceHeight = v[5];
  if (sourceWidth <= 0 || sourceHeight <= 0 ||
      count < 7 + static_cast<std::size_t>(sourceWidth) * sourceHeight)
    return;
  BITMAPINFO info{};
  info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), sourceWidth, -sourceHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  POINT a = Map(p, v[0], v[1]);
  StretchDIBits(dc, a.x, a.y, ScaleLength(p, v[2], p.sx), ScaleLength(p, v[3], p.sy), 0, 0, sourceWidth,
                sourceHeight, v + 7, &info, DIB_RGB_COLORS, static_cast<DWORD>(v[6]));
}

BOOL PlayRecord(HDC dc, Playback& p, HANDLETABLE* table, const ENHMETARECORD* record, UINT objects) {
  const std::int32_t* v = Params(record);
  std::size_t count = record->nSize >= 8 ? ParamCount(record) : 0;
  auto has = [count](std::size_t needed) { return count >= needed; };
  auto points = [&](std::size_t first) -> std::vector<POINT> {
    int n = v[0];
    if (n < 0 || !has(first + 2 * static_cast<std::size_t>(n))) return {};
    return MapPoints(p, v + first, n);
  };
  switch (record->iType) {
    case EMR_HEADER:
    case EMR_EOF:
    case EMR_GDICOMMENT: return TRUE;
    case EMR_MOVETOEX:
      if (!has(2)) return FALSE;
      return MoveToEx(dc, Map(p, v[0], v[1]).x, Map(p, v[0], v[1]).y, nullptr);
    case EMR_LINETO:
      if (!has(2)) return FALSE;
      return LineTo(dc, Map(p, v[0], v[1]).x, Map(p, v[0], v[1]).y);
    case EMR_POLYLINE: {
      auto pts = points(1);
      return Polyline(dc, pts.data(), static_cast<int>(pts.size()));
    }
    case EMR_POLYLINETO: {
      auto pts = points(1);
      return PolylineTo(dc, pts.data(), static_cast<DWORD>(pts.size()));
    }
    case EMR_POLYGON: {
      auto pts = points(1);
      return Polygon(dc, pts.data(), static_cast<int>(pts.size()));
    }
    case EMR_POLYBEZIER: {
      auto pts = points(1);
      return PolyBezier(dc, pts.data(), static_cast<DWORD>(pts.size()));
    }
    case EMR_POLYBEZIERTO: {
      auto pts = points(1);
      return PolyBezierTo(dc, pts.data(), static_cast<DWORD>(pts.size()));
    }
    case EMR_POLYPOLYGON: {
      int polygons = v[0];
      if (polygons < 1 || !has(1 + static_cast<std::size_t>(polygons))) return FALSE;
      std::vector<int> counts(v + 1, v + 1 + polygons);
      std::size_t total = 0;
      for (int c : counts) total += static_cast<std::size_t>(std::max(c, 0));
      if (!has(1 + counts.size() + 2 * total)) return FALSE;
      auto pts = MapPoints(p, v + 1 + polygons, static_cast<int>(total));
      return PolyPolygon(dc, pts.data(), counts.data(), polygons);
    }
    case EMR_RECTANGLE:
    case EMR_ELLIPSE:
    case EMR_ROUNDRECT: {
      if (!has(record->iType == EMR_ROUNDRECT ? 6 : 4)) return FALSE;
      POINT a = Map(p, v[0], v[1]), b = Map(p, v[2], v[3]);
      if (record->iType == EMR_RECTANGLE) return Rectangle(dc, a.x, a.y, b.x, b.y);
      if (record->iType == EMR_ELLIPSE) return Ellipse(dc, a.x, a.y, b.x, b.y);
      return RoundRect(dc, a.x, a.y, b.x, b.y, ScaleLength(p, v[4], p.sx), ScaleLength(p, v[5], p.sy));
    }
    case EMR_SETPIXELV:
      if (!has(3)) return FALSE;
      return SetPixel(dc, Map(p, v[0], v[1]).x, Map(p, v[0], v[1]).y, static_cast<COLORREF>(v[2])) != CLR_INVALID;
    case EMR_SETBKMODE: return has(1) && SetBkMode(dc, v[0]) != 0;
    case EMR_SETPOLYFILLMODE: return has(1) && SetPolyFillMode(dc, v[0]) != 0;
    case EMR_SETROP2: return has(1) && SetROP2(dc, v[0]) != 0;
    case EMR_SETTEXTALIGN: return has(1) && SetTextAlign(dc, static_cast<UINT>(v[0])) != GDI_ERROR;
    case EMR_SETTEXTCOLOR: return has(1) && SetTextColor(dc, static_cast<COLORREF>(v[0])) != CLR_INVALID;
    case EMR_SETBKCOLOR: return has(1) && SetBkColor(dc, static_cast<COLORREF>(v[0])) != CLR_INVALID;
    case EMR_SETVIEWPORTORGEX:
      if (!has(2)) return FALSE;
      p.viewportOrg = POINT{v[0], v[1]};
      return TRUE;
    case EMR_SETWINDOWORGEX:
      if (!has(2)) return FALSE;
      p.windowOrg = POINT{v[0], v[1]};
      return TRUE;
    case EMR_SAVEDC:
      p.saved.emplace_back(p.windowOrg, p.viewportOrg);
      return SaveDC(dc) != 0;
    case EMR_RESTOREDC: {
      if (!has(1)) return FALSE;
      int level = v[0] < 0 ? static_cast<int>(p.saved.size()) + 1 + v[0] : v[0];
      if (level < 1 || level > static_cast<int>(p.saved.size())) return FALSE;
      std::tie(p.windowOrg, p.viewportOrg) = p.saved[static_cast<std::size_t>(level - 1)];
      p.saved.resize(static_cast<std::size_t>(level - 1));
      return RestoreDC(dc, v[0]);
    }
    case EMR_INTERSECTCLIPRECT:
    case EMR_EXCLUDECLIPRECT: {
      if (!has(4)) return FALSE;
      POINT a = Map(p, v[0], v[1]), b = Map(p, v[2], v[3]);
      if (record->iType == EMR_INTERSECTCLIPRECT) return IntersectClipRect(dc, a.x, a.y, b.x, b.y) != ERROR;
      return ExcludeClipRect(dc, a.x, a.y, b.x, b.y) != ERROR;
    }
    case EMR_EXTSELECTCLIPRGN:
      if (!has(2)) return FALSE;
      PlayClip(dc, p, v, count);
      return TRUE;
    case EMR_CREATEPEN:
      if (!has(4)) return FALSE;
      Keep(table, objects, v[0], MakePen(p, v));
      return TRUE;
    case EMR_CREATEBRUSHINDIRECT:
      if (!has(6)) return FALSE;
      Keep(table, objects, v[0], MakeBrush(v, count));
      return TRUE;
    case EMR_EXTCREATEFONTINDIRECTW:
      if (!has(1 + sizeof(LOGFONT) / 4)) return FALSE;
      Keep(table, objects, v[0], MakeFont(p, v));
      return TRUE;
    case EMR_SELECTOBJECT: {
      if (!has(1)) return FALSE;
      auto index = static_cast<DWORD>(v[0]);
      if (index & ENHMETA_STOCK_OBJECT) return SelectObject(dc, GetStockObject(static_cast<int>(index & 0xFF))) != nullptr;
      if (index == 0 || index >= objects || table->objectHandle[index] == nullptr) return FALSE;
      return SelectObject(dc, table->objectHandle[index]) != nullptr;
    }
    case EMR_EXTTEXTOUTA:
      if (!has(10)) return FALSE;
      PlayText(dc, p, v, count);
      return TRUE;
    case EMR_FILLRGN:
    case EMR_FRAMERGN:
    case EMR_INVERTRGN:
      if (!has(record->iType == EMR_INVERTRGN ? 4 : 6)) return FALSE;
      PlayBrushRect(dc, p, record->iType, v);
      return TRUE;
    case EMR_BITBLT: {
      if (!has(5)) return FALSE;
      POINT a = Map(p, v[0], v[1]);
      return PatBlt(dc, a.x, a.y, ScaleLength(p, v[2], p.sx), ScaleLength(p, v[3], p.sy), static_cast<DWORD>(v[4]));
    }
    case EMR_STRETCHDIBITS:
      if (!has(7)) return FALSE;
      PlayPixels(dc, p, v, count);
      return TRUE;
    default: return FALSE;
  }
}

}  // namespace

BOOL EnumerateRecording(HDC dc, const Recording& recording, ENHMFENUMPROC callback, void* data,
                        const RECT* rect) {
  Playback playback;
  playback.target = dc;
  if (rect != nullptr) {
    // The frame in the reference device's pixels, mapped onto the rectangle.
    const DeviceTraits& reference = recording.reference;
    double left = recording.frame.left * reference.pixelsPerInchX / 2540.0;
    double top = recording.frame.top * reference.pixelsPerInchY / 2540.0;
    double width = (recording.frame.right - recording.frame.left) * reference.pixelsPerInchX / 2540.0;
    double height = (recording.frame.bottom - recording.frame.top) * reference.pixelsPerInchY / 2540.0;
    if (width > 0 && height > 0) {
      playback.sx = (rect->right - rect->left) / width;
      playback.sy = (rect->bottom - rect->top) / height;
      playback.dx = rect->left - left * playback.sx;
      playback.dy = rect->top - top * playback.sy;
    }
  }
  std::vector<HGDIOBJ> objects(std::max<DWORD>(recording.nextHandle, 1), nullptr);
  auto* table = reinterpret_cast<HANDLETABLE*>(objects.data());
  Playback* outer = t_playback;
  t_playback = &playback;
  int saved = ValidDc(dc) != nullptr ? SaveDC(dc) : 0;
  BOOL finished = TRUE;
  for (const ENHMETARECORD* record : RecordList(recording)) {
    if (callback(dc, table, record, static_cast<int>(objects.size()), reinterpret_cast<LPARAM>(data)) == 0) {
      finished = FALSE;
      break;
    }
  }
  if (saved != 0) RestoreDC(dc, saved);
  t_playback = outer;
  for (HGDIOBJ object : objects)
    if (object != nullptr) DeleteObject(object);
  return finished;
}

}  // namespace gdi

using namespace gdi;

BOOL PlayEnhMetaFileRecord(HDC dc, HANDLETABLE* table, const ENHMETARECORD* record, UINT objects) {
  if (ValidDc(dc) == nullptr || table == nullptr || record == nullptr || record->nSize < 8) return FALSE;
  if (t_playback != nullptr && t_playback->target == dc) return PlayRecord(dc, *t_playback, table, record, objects);
  Playback alone;
  alone.target = dc;
  return PlayRecord(dc, alone, table, record, objects);
}
