// Lines, curves, figures, rectangle fills and single pixels.
//
// One-pixel pens draw with our own Bresenham stepping so that a line lands on
// exactly the pixels it names and excludes its end point; dotted and dashed
// one-pixel pens step a style pattern along the whole polyline and, in OPAQUE
// background mode, paint the gaps in the background colour. Wider pens are
// stroked by cairo through the pixel centres, without antialiasing.
//
// A figure (rectangle, ellipse, polygon, rounded rectangle) draws its outline
// with the pen and its inside with the brush; the inside never covers outline
// pixels, so XOR figures are exact. The outline of a pen wider than one pixel
// lies inside the figure. With the null pen the figure is one pixel smaller
// to the right and bottom: Rectangle(l, t, r, b) then fills l..r-2, t..b-2,
// which is what the program's fills count on.
//
// Coordinates far outside the surface (a zoomed-in model) cost no more than
// the visible part: one-pixel lines step only the visible stretch, and paths
// for cairo are cut to a box around the visible area first. Ellipses and
// rounded rectangles beyond that range are not drawn.
#include "platform/GdiInternal.h"
#include "platform/MetafileInternal.h"
#include "platform/System.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <functional>

using namespace gdi;

namespace {

constexpr std::uintptr_t kSystemColourBrushes = 31;  // COLOR_ indexes 0..30, plus one

using PathBuilder = std::function<void(cairo_t*, double offset)>;

const PenObject* CurrentPen(const HDC__& dc) { return dc.state.pen.as<PenObject>(); }
const BrushObject* CurrentBrush(const HDC__& dc) { return dc.state.brush.as<BrushObject>(); }

bool IsNullPen(const PenObject* pen) { return pen == nullptr || pen->style == PS_NULL; }
bool IsThin(const PenObject* pen) { return pen->width <= 1; }

std::vector<int> StylePattern(int style) {
  switch (style) {
    case PS_DASH: return {18, 6};
    case PS_DOT: return {3, 3};
    case PS_DASHDOT: return {9, 6, 3, 6};
    case PS_DASHDOTDOT: return {9, 3, 3, 3, 3, 3};
    default: return {};
  }
}

RECT PointBounds(const std::vector<POINT>& points, int margin) {
  RECT box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  for (const POINT& p : points) {
    box.left = std::min(box.left, p.x);
    box.top = std::min(box.top, p.y);
    box.right = std::max(box.right, p.x + 1);
    box.bottom = std::max(box.bottom, p.y + 1);
  }
  if (points.empty()) return RECT{0, 0, 0, 0};
  return RECT{box.left - margin, box.top - margin, box.right + margin, box.bottom + margin};
}

// The mask area: what the primitive may touch and the clip allows.
RECT MaskBounds(const HDC__& dc, const RECT& shape) {
  return Intersect(shape, BoundingBox(ClipRects(dc)));
}

std::vector<POINT> ToSurfacePoints(const HDC__& dc, const POINT* points, int count) {
  std::vector<POINT> result;
  result.reserve(static_cast<std::size_t>(std::max(count, 0)));
  for (int i = 0; i < count; ++i) result.push_back(ToSurface(dc, points[i].x, points[i].y));
  return result;
}

// Cairo works in 24.8 fixed point: paths for it must stay well inside
// +-2^23. Points beyond `kNear` are clipped to a box around the visible area
// first, which leaves every visible pixel as it was.
constexpr long kNear = 1L << 21;

bool AllNear(const std::vector<POINT>& points) {
  for (const POINT& p : points)
    if (std::labs(p.x) >= kNear || std::labs(p.y) >= kNear) return false;
  return true;
}

// The area any visible pixel lies in, widened by `margin`.
RECT VisibleBox(const HDC__& dc, int margin) {
  RECT box = BoundingBox(ClipRects(dc));
  return RECT{box.left - margin, box.top - margin, box.right + margin, box.bottom + margin};
}

struct PointF {
  double x;
  double y;
};

// Liang-Barsky: false when the segment misses the box.
bool ClipSegment(PointF& a, PointF& b, const RECT& box) {
  double t0 = 0, t1 = 1;
  double dx = b.x - a.x, dy = b.y - a.y;
  double p[4] = {-dx, dx, -dy, dy};
  double q[4] = {a.x - box.left, box.right - a.x, a.y - box.top, box.bottom - a.y};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    double t = q[i] / p[i];
    if (p[i] < 0) t0 = std::max(t0, t);
    else t1 = std::min(t1, t);
  }
  if (t0 > t1) return false;
  PointF start{a.x + t0 * dx, a.y + t0 * dy};
  b = PointF{a.x + t1 * dx, a.y + t1 * dy};
  a = start;
  return true;
}

// Sutherland-Hodgman against the four sides of the box.
std::vector<PointF> ClipPolygon(std::vector<PointF> polygon, const RECT& box) {
  auto side = [&polygon](auto inside, auto cross) {
    std::vector<PointF> result;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
      const PointF& current = polygon[i];
      const PointF& previous = polygon[(i + polygon.size() - 1) % polygon.size()];
      if (inside(current)) {
        if (!inside(previous)) result.push_back(cross(previous, current));
        result.push_back(current);
      } else if (inside(previous)) {
        result.push_back(cross(previous, current));
      }
    }
    polygon = std::move(result);
  };
  auto atX = [](double x) {
    return [x](const PointF& a, const PointF& b) {
      return PointF{x, a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x)};
    };
  };
  auto atY = [](double y) {
    return [y](const PointF& a, const PointF& b) {
      return PointF{a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y), y};
    };
  };
  double l = box.left, t = box.top, r = box.right, b = box.bottom;
  side([l](const PointF& p) { return p.x >= l; }, atX(l));
  side([r](const PointF& p) { return p.x <= r; }, atX(r));
  side([t](const PointF& p) { return p.y >= t; }, atY(t));
  side([b](const PointF& p) { return p.y <= b; }, atY(b));
  return polygon;
}

// Steps one segment, end point excluded, calling `plot(x, y, step)` for
// each pixel inside `bounds`. The pixels are those of the whole segment
// (Bresenham, error starting at half the major length); only the steps that
// can fall inside the bounds are visited, so a segment to a far point costs
// no more than the part of it that shows.
template <class Plot>
void StepSegment(POINT from, POINT to, const RECT& bounds, Plot&& plot) {
  long long dx = std::llabs(static_cast<long long>(to.x) - from.x);
  long long dy = std::llabs(static_cast<long long>(to.y) - from.y);
  int sx = from.x < to.x ? 1 : -1;
  int sy = from.y < to.y ? 1 : -1;
  bool xMajor = dx >= dy;
  long long major = xMajor ? dx : dy;
  long long minor = xMajor ? dy : dx;
  if (major == 0) return;
  // Steps whose major coordinate lies inside the bounds.
  long long start = xMajor ? from.x : from.y;
  int direction = xMajor ? sx : sy;
  long long low = xMajor ? bounds.left : bounds.top;
  long long high = (xMajor ? bounds.right : bounds.bottom) - 1;
  long long first = direction > 0 ? low - start : start - high;
  long long last = direction > 0 ? high - start : start - low;
  first = std::max(first, 0LL);
  last = std::min(last, major - 1);
  for (long long i = first; i <= last; ++i) {
    // Minor steps taken after i major steps.
    long long taken = i * minor - major / 2;
    taken = taken <= 0 ? 0 : (taken + major - 1) / major;
    long long x = xMajor ? from.x + sx * i : from.x + sx * taken;
    long long y = xMajor ? from.y + sy * taken : from.y + sy * i;
    if (x >= bounds.left && x < bounds.right && y >= bounds.top && y < bounds.bottom)
      plot(static_cast<int>(x), static_cast<int>(y), i);
  }
}

// One-pixel outline of a polyline into `on` (and `gaps` for styled pens);
// the style pattern runs on along the whole polyline.
void StepPolyline(const std::vector<POINT>& points, bool closed, int style, Mask& on,
                  Mask& gaps) {
  std::vector<int> pattern = StylePattern(style);
  int period = 0;
  for (int length : pattern) period += length;
  RECT bounds{on.left, on.top, on.left + on.width, on.top + on.height};
  long long offset = 0;  // style steps before the current segment
  auto plot = [&](int x, int y, long long step) {
    bool drawn = true;
    if (period > 0) {
      int phase = static_cast<int>((offset + step) % period);
      for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (phase < pattern[i]) {
          drawn = i % 2 == 0;
          break;
        }
        phase -= pattern[i];
      }
    }
    if (drawn) on.Set(x, y);
    else gaps.Set(x, y);
  };
  auto segment = [&](POINT from, POINT to) {
    StepSegment(from, to, bounds, plot);
    offset += std::max(std::llabs(static_cast<long long>(to.x) - from.x),
                       std::llabs(static_cast<long long>(to.y) - from.y));
  };
  for (std::size_t i = 1; i < points.size(); ++i) segment(points[i - 1], points[i]);
  if (closed && points.size() > 1) segment(points.back(), points.front());
  if (closed && offset == 0 && !points.empty()) on.Set(points[0].x, points[0].y);  // a dot
}

void ApplyPenStyle(cairo_t* cr, const PenObject& pen) {
  cairo_set_line_width(cr, pen.width);
  cairo_line_cap_t cap = CAIRO_LINE_CAP_ROUND;
  if (pen.endCap == PS_ENDCAP_SQUARE) cap = CAIRO_LINE_CAP_SQUARE;
  if (pen.endCap == PS_ENDCAP_FLAT) cap = CAIRO_LINE_CAP_BUTT;
  cairo_set_line_cap(cr, cap);
  cairo_line_join_t join = CAIRO_LINE_JOIN_ROUND;
  if (pen.join == PS_JOIN_BEVEL) join = CAIRO_LINE_JOIN_BEVEL;
  if (pen.join == PS_JOIN_MITER) join = CAIRO_LINE_JOIN_MITER;
  cairo_set_line_join(cr, join);
  std::vector<double> dashes;
  for (int length : StylePattern(pen.style)) dashes.push_back(length * pen.width / 3.0);
  if (!dashes.empty()) cairo_set_dash(cr, dashes.data(), static_cast<int>(dashes.size()), 0);
}

// Draws a pen along points given in surface pixels.
void StrokePoints(HDC__& dc, const std::vector<POINT>& points, bool closed) {
  const PenObject* pen = CurrentPen(dc);
  if (IsNullPen(pen) || points.size() < 2) return;
  RECT bounds = MaskBounds(dc, PointBounds(points, pen->width + 2));
  if (IsEmpty(bounds)) return;
  Mask on = MakeMask(bounds);
  Mask gaps = MakeMask(bounds);
  if (IsThin(pen)) {
    StepPolyline(points, closed, pen->style, on, gaps);
  } else {
    cairo_t* cr = MaskContext(on);
    ApplyPenStyle(cr, *pen);
    if (AllNear(points)) {
      cairo_move_to(cr, points[0].x + 0.5, points[0].y + 0.5);
      for (std::size_t i = 1; i < points.size(); ++i)
        cairo_line_to(cr, points[i].x + 0.5, points[i].y + 0.5);
      if (closed) cairo_close_path(cr);
    } else {
      // Each segment on its own, cut to the visible box.
      RECT box = VisibleBox(dc, pen->width + 4);
      std::size_t count = points.size() - (closed ? 0 : 1);
      for (std::size_t i = 0; i < count; ++i) {
        const POINT& from = points[i];
        const POINT& to = points[(i + 1) % points.size()];
        PointF a{from.x + 0.5, from.y + 0.5}, b{to.x + 0.5, to.y + 0.5};
        if (!ClipSegment(a, b, box)) continue;
        cairo_move_to(cr, a.x, a.y);
        cairo_line_to(cr, b.x, b.y);
      }
    }
    cairo_stroke(cr);
    cairo_destroy(cr);
  }
  ApplyMask(dc, on, ColourSource(pen->colour), dc.state.rop2);
  if (dc.state.bkMode == OPAQUE && IsThin(pen) && !StylePattern(pen->style).empty())
    ApplyMask(dc, gaps, ColourSource(dc.state.bkColour), dc.state.rop2);
}

// The outline of a closed path as pixel centres, flattened into straight runs.
std::vector<POINT> FlattenPath(const PathBuilder& path) {
  cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
  cairo_t* cr = cairo_create(scratch);
  cairo_set_tolerance(cr, 0.1);
  path(cr, 0.5);
  cairo_path_t* flat = cairo_copy_path_flat(cr);
  std::vector<POINT> points;
  for (int i = 0; i < flat->num_data; i += flat->data[i].header.length) {
    const cairo_path_data_t& item = flat->data[i];
    if (item.header.type != CAIRO_PATH_MOVE_TO && item.header.type != CAIRO_PATH_LINE_TO) continue;
    POINT p{static_cast<LONG>(std::floor(item.header.length > 1 ? flat->data[i + 1].point.x : 0)),
            static_cast<LONG>(std::floor(item.header.length > 1 ? flat->data[i + 1].point.y : 0))};
    if (points.empty() || p.x != points.back().x || p.y != points.back().y) points.push_back(p);
  }
  cairo_path_destroy(flat);
  cairo_destroy(cr);
  cairo_surface_destroy(scratch);
  return points;
}

// Draws a closed figure: outline with the pen, inside with the brush.
// `path` adds the figure's subpaths with the given coordinate offset (0.5
// puts integer corners on pixel centres). `outlines` are the closed outlines
// for a one-pixel pen, `box` the figure's extent in surface pixels.
void DrawFigure(HDC__& dc, const PathBuilder& path, const std::vector<std::vector<POINT>>& outlines,
                const RECT& box) {
  const PenObject* pen = CurrentPen(dc);
  int margin = IsNullPen(pen) ? 1 : pen->width + 2;
  RECT bounds = MaskBounds(dc, RECT{box.left - margin, box.top - margin, box.right + margin,
                                    box.bottom + margin});
  if (IsEmpty(bounds)) return;
  Mask outline = MakeMask(bounds);
  Mask gaps = MakeMask(bounds);
  if (!IsNullPen(pen)) {
    if (IsThin(pen)) {
      for (const auto& points : outlines) StepPolyline(points, true, pen->style, outline, gaps);
    } else {
      cairo_t* cr = MaskContext(outline);
      ApplyPenStyle(cr, *pen);
      // An inside frame: the stroke clipped to the figure, twice as wide.
      path(cr, 0.5);
      cairo_clip_preserve(cr);
      cairo_set_line_width(cr, pen->width * 2.0 - 1.0);
      cairo_stroke(cr);
      cairo_destroy(cr);
    }
  }
  Source fill;
  if (BrushSource(dc, CurrentBrush(dc), &fill)) {
    Mask inside = MakeMask(bounds);
    cairo_t* cr = MaskContext(inside);
    cairo_set_fill_rule(cr, dc.state.polyFillMode == WINDING ? CAIRO_FILL_RULE_WINDING
                                                            : CAIRO_FILL_RULE_EVEN_ODD);
    // A pixel whose centre lies exactly on an edge belongs to the figure only
    // on its left and top edges: the shape moves up-left by one fixed-point step.
    cairo_translate(cr, -1.0 / 128, -1.0 / 128);
    path(cr, IsNullPen(pen) ? 0.0 : 0.5);
    cairo_fill(cr);
    cairo_destroy(cr);
    SubtractMask(inside, outline);
    SubtractMask(inside, gaps);
    ApplyMask(dc, inside, fill, dc.state.rop2);
  }
  if (!IsNullPen(pen)) {
    ApplyMask(dc, outline, ColourSource(pen->colour), dc.state.rop2);
    if (dc.state.bkMode == OPAQUE && IsThin(pen) && !StylePattern(pen->style).empty())
      ApplyMask(dc, gaps, ColourSource(dc.state.bkColour), dc.state.rop2);
  }
}

// Surface corners of a logical rectangle, ordered.
RECT SurfaceRect(const HDC__& dc, int left, int top, int right, int bottom) {
  POINT a = ToSurface(dc, left, top);
  POINT b = ToSurface(dc, right, bottom);
  return RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

}  // namespace

// --- lines ---------------------------------------------------------------------------------

BOOL MoveToEx(HDC dc, int x, int y, POINT* previous) {
  if (ValidDc(dc) == nullptr) return FALSE;
  RecordValues(*dc, EMR_MOVETOEX, {x, y});
  if (previous != nullptr) *previous = dc->state.position;
  dc->state.position = POINT{x, y};
  return TRUE;
}

BOOL LineTo(HDC dc, int x, int y) {
  if (ValidDc(dc) == nullptr) return FALSE;
  RecordValues(*dc, EMR_LINETO, {x, y});
  POINT from = dc->state.position;
  StrokePoints(*dc, {ToSurface(*dc, from.x, from.y), ToSurface(*dc, x, y)}, false);
  dc->state.position = POINT{x, y};
  return TRUE;
}

BOOL Polyline(HDC dc, const POINT* points, int count) {
  if (ValidDc(dc) == nullptr || points == nullptr || count < 2) return FALSE;
  RecordPoints(*dc, EMR_POLYLINE, points, count);
  StrokePoints(*dc, ToSurfacePoints(*dc, points, count), false);
  return TRUE;
}

BOOL PolylineTo(HDC dc, const POINT* points, DWORD count) {
  if (ValidDc(dc) == nullptr || points == nullptr) return FALSE;
  if (count == 0) return TRUE;
  RecordPoints(*dc, EMR_POLYLINETO, points, static_cast<int>(count));
  std::vector<POINT> all{dc->state.position};
  all.insert(all.end(), points, points + count);
  StrokePoints(*dc, ToSurfacePoints(*dc, all.data(), static_cast<int>(all.size())), false);
  dc->state.position = points[count - 1];
  return TRUE;
}

namespace {

// Flattens cubic Bezier segments (start point, then three points per
// segment) into pixel points through their centres.
std::vector<POINT> FlattenBeziers(const std::vector<POINT>& points) {
  return FlattenPath([&points](cairo_t* cr, double offset) {
    cairo_move_to(cr, points[0].x + offset, points[0].y + offset);
    for (std::size_t i = 1; i + 2 < points.size(); i += 3)
      cairo_curve_to(cr, points[i].x + offset, points[i].y + offset, points[i + 1].x + offset,
                     points[i + 1].y + offset, points[i + 2].x + offset, points[i + 2].y + offset);
  });
}

}  // namespace

BOOL PolyBezier(HDC dc, const POINT* points, DWORD count) {
  if (ValidDc(dc) == nullptr || points == nullptr || count < 4 || (count - 1) % 3 != 0)
    return FALSE;
  if (Records(*dc)) {
    RecordPoints(*dc, EMR_POLYBEZIER, points, static_cast<int>(count));
    return TRUE;
  }
  std::vector<POINT> surface = ToSurfacePoints(*dc, points, static_cast<int>(count));
  std::vector<POINT> flat = FlattenBeziers(surface);
  if (flat.size() >= 2) StrokePoints(*dc, flat, false);
  return TRUE;
}

BOOL PolyBezierTo(HDC dc, const POINT* points, DWORD count) {
  if (ValidDc(dc) == nullptr || points == nullptr || count % 3 != 0) return FALSE;
  if (count == 0) return TRUE;
  if (Records(*dc)) {
    RecordPoints(*dc, EMR_POLYBEZIERTO, points, static_cast<int>(count));
    dc->state.position = points[count - 1];
    return TRUE;
  }
  std::vector<POINT> all{dc->state.position};
  all.insert(all.end(), points, points + count);
  BOOL done = PolyBezier(dc, all.data(), static_cast<DWORD>(all.size()));
  dc->state.position = points[count - 1];
  return done;
}

// --- figures --------------------------------------------------------------------------------------

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
  if (ValidDc(dc) == nullptr) return FALSE;
  RecordValues(*dc, EMR_RECTANGLE, {left, top, right, bottom});
  RECT r = SurfaceRect(*dc, left, top, right, bottom);
  if (r.right - r.left < 1 || r.bottom - r.top < 1) return TRUE;
  // The figure ends one pixel before its right and bottom coordinates.
  const PenObject* pen = CurrentPen(*dc);
  RECT box = VisibleBox(*dc, (IsNullPen(pen) ? 0 : pen->width) + 4);
  auto path = [r, box](cairo_t* cr, double offset) {
    double left = std::max<double>(r.left + offset, box.left);
    double top = std::max<double>(r.top + offset, box.top);
    double right = std::min<double>(r.right - 1.0 + offset, box.right);
    double bottom = std::min<double>(r.bottom - 1.0 + offset, box.bottom);
    if (right > left && bottom > top) cairo_rectangle(cr, left, top, right - left, bottom - top);
  };
  std::vector<POINT> outline{{r.left, r.top}, {r.right - 1, r.top}, {r.right - 1, r.bottom - 1},
                             {r.left, r.bottom - 1}};
  if (r.right - r.left == 1 || r.bottom - r.top == 1)
    outline = {{r.left, r.top}, {r.right - 1, r.bottom - 1}};
  DrawFigure(*dc, path, {outline}, r);
  return TRUE;
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom) {
  if (ValidDc(dc) == nullptr) return FALSE;
  RecordValues(*dc, EMR_ELLIPSE, {left, top, right, bottom});
  RECT r = SurfaceRect(*dc, left, top, right, bottom);
  if (r.right - r.left < 2 || r.bottom - r.top < 2) return TRUE;
  if (!AllNear({{r.left, r.top}, {r.right, r.bottom}})) return TRUE;  // beyond the drawable range
  auto path = [r](cairo_t* cr, double offset) {
    double width = r.right - r.left - 1.0;
    double height = r.bottom - r.top - 1.0;
    cairo_save(cr);
    cairo_translate(cr, r.left + offset + width / 2, r.top + offset + height / 2);
    cairo_scale(cr, width / 2, height / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_close_path(cr);
    cairo_restore(cr);
  };
  DrawFigure(*dc, path, {FlattenPath(path)}, r);
  return TRUE;
}

BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int width, int height) {
  if (ValidDc(dc) == nullptr) return FALSE;
  RecordValues(*dc, EMR_ROUNDRECT, {left, top, right, bottom, width, height});
  RECT r = SurfaceRect(*dc, left, top, right, bottom);
  if (r.right - r.left < 2 || r.bottom - r.top < 2) return TRUE;
  if (!AllNear({{r.left, r.top}, {r.right, r.bottom}})) return TRUE;  // beyond the drawable range
  double rx = std::min(std::abs(width) / 2.0, (r.right - r.left - 1) / 2.0);
  double ry = std::min(std::abs(height) / 2.0, (r.bottom - r.top - 1) / 2.0);
  auto path = [r, rx, ry](cairo_t* cr, double offset) {
    double l = r.left + offset, t = r.top + offset;
    double w = r.right - r.left - 1.0, h = r.bottom - r.top - 1.0;
    auto corner = [cr, rx, ry](double cx, double cy, double from) {
      cairo_save(cr);
      cairo_translate(cr, cx, cy);
      cairo_scale(cr, std::max(rx, 0.01), std::max(ry, 0.01));
      cairo_arc(cr, 0, 0, 1, from, from + M_PI / 2);
      cairo_restore(cr);
    };
    cairo_new_sub_path(cr);
    corner(l + w - rx, t + ry, -M_PI / 2);
    corner(l + w - rx, t + h - ry, 0);
    corner(l + rx, t + h - ry, M_PI / 2);
    corner(l + rx, t + ry, M_PI);
    cairo_close_path(cr);
  };
  DrawFigure(*dc, path, {FlattenPath(path)}, r);
  return TRUE;
}

BOOL PolyPolygon(HDC dc, const POINT* points, const int* counts, int polygons) {
  if (ValidDc(dc) == nullptr || points == nullptr || counts == nullptr || polygons < 1)
    return FALSE;
  for (int i = 0; i < polygons; ++i)
    if (counts[i] < 2) return FALSE;
  if (Records(*dc)) {
    RecordPolyPolygon(*dc, points, counts, polygons);
    return TRUE;
  }
  std::vector<std::vector<POINT>> outlines;
  std::vector<POINT> all;
  const POINT* next = points;
  for (int i = 0; i < polygons; ++i) {
    if (counts[i] < 2) return FALSE;
    outlines.push_back(ToSurfacePoints(*dc, next, counts[i]));
    all.insert(all.end(), outlines.back().begin(), outlines.back().end());
    next += counts[i];
  }
  bool near = AllNear(all);
  const PenObject* pen = CurrentPen(*dc);
  RECT box = VisibleBox(*dc, (IsNullPen(pen) ? 0 : pen->width) + 4);
  auto path = [&outlines, near, box](cairo_t* cr, double offset) {
    for (const auto& outline : outlines) {
      std::vector<PointF> polygon;
      for (const POINT& p : outline) polygon.push_back(PointF{p.x + offset, p.y + offset});
      if (!near) polygon = ClipPolygon(std::move(polygon), box);
      if (polygon.empty()) continue;
      cairo_move_to(cr, polygon[0].x, polygon[0].y);
      for (std::size_t i = 1; i < polygon.size(); ++i) cairo_line_to(cr, polygon[i].x, polygon[i].y);
      cairo_close_path(cr);
    }
  };
  DrawFigure(*dc, path, outlines, PointBounds(all, 0));
  return TRUE;
}

BOOL Polygon(HDC dc, const POINT* points, int count) {
  return PolyPolygon(dc, points, &count, 1);
}

// --- rectangles of pixels ------------------------------------------------------------------------

int FillRect(HDC dc, const RECT* rect, HBRUSH handle) {
  if (ValidDc(dc) == nullptr || rect == nullptr) return 0;
  if (Records(*dc)) {
    RecordBrushRect(*dc, EMR_FILLRGN, *rect, handle);
    return 1;
  }
  Source source;
  // A class background may name a system colour as its index + 1.
  auto value = reinterpret_cast<std::uintptr_t>(handle);
  if (value >= 1 && value <= kSystemColourBrushes) {
    source = ColourSource(GetSysColor(static_cast<int>(value - 1)));
  } else {
    auto* brush = Find<BrushObject>(handle);
    if (brush == nullptr) return 0;
    if (!BrushSource(*dc, brush, &source)) return 1;
  }
  ApplyRect(*dc, SurfaceRect(*dc, rect->left, rect->top, rect->right, rect->bottom), source,
            PATCOPY);
  return 1;
}

int FrameRect(HDC dc, const RECT* rect, HBRUSH handle) {
  if (ValidDc(dc) == nullptr || rect == nullptr) return 0;
  auto* brush = Find<BrushObject>(handle);
  if (brush == nullptr) return 0;
  RecordBrushRect(*dc, EMR_FRAMERGN, *rect, handle);
  Source source;
  if (!BrushSource(*dc, brush, &source)) return 1;
  RECT r = SurfaceRect(*dc, rect->left, rect->top, rect->right, rect->bottom);
  if (IsEmpty(r)) return 1;
  RECT sides[4] = {{r.left, r.top, r.right, r.top + 1},
                   {r.left, r.bottom - 1, r.right, r.bottom},
                   {r.left, r.top + 1, r.left + 1, r.bottom - 1},
                   {r.right - 1, r.top + 1, r.right, r.bottom - 1}};
  for (const RECT& side : sides) ApplyRect(*dc, side, source, PATCOPY);
  return 1;
}

BOOL InvertRect(HDC dc, const RECT* rect) {
  if (ValidDc(dc) == nullptr || rect == nullptr) return FALSE;
  RecordBrushRect(*dc, EMR_INVERTRGN, *rect, nullptr);
  ApplyRect(*dc, SurfaceRect(*dc, rect->left, rect->top, rect->right, rect->bottom), Source{},
            DSTINVERT);
  return TRUE;
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
  if (ValidDc(dc) == nullptr) return FALSE;
  RecordValues(*dc, EMR_BITBLT, {x, y, width, height, static_cast<std::int32_t>(rop)});
  Source source;
  bool usesPattern = (((rop >> 16) ^ (rop >> 20)) & 0x0F) != 0;
  if (!BrushSource(*dc, CurrentBrush(*dc), &source) && usesPattern) return TRUE;
  ApplyRect(*dc, SurfaceRect(*dc, x, y, x + width, y + height), source, rop);
  return TRUE;
}

// --- pixels ------------------------------------------------------------------------------------------

namespace {

bool Visible(const HDC__& dc, POINT p) {
  for (const RECT& rect : ClipRects(dc))
    if (p.x >= rect.left && p.x < rect.right && p.y >= rect.top && p.y < rect.bottom) return true;
  return false;
}

}  // namespace

COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour) {
  if (ValidDc(dc) == nullptr) return CLR_INVALID;
  if (Records(*dc)) {
    RecordValues(*dc, EMR_SETPIXELV, {x, y, static_cast<std::int32_t>(colour)});
    return colour & 0xFFFFFF;
  }
  POINT p = ToSurface(*dc, x, y);
  if (!Visible(*dc, p)) return CLR_INVALID;
  Pixels pixels = BeginPixels(dc->surface);
  pixels.At(p.x, p.y) = ToPixel(colour);
  EndPixels(dc->surface);
  return colour & 0xFFFFFF;
}

COLORREF GetPixel(HDC dc, int x, int y) {
  if (ValidDc(dc) == nullptr) return CLR_INVALID;
  POINT p = ToSurface(*dc, x, y);
  if (!Visible(*dc, p)) return CLR_INVALID;
  return ToColour(BeginPixels(dc->surface).At(p.x, p.y));
}
