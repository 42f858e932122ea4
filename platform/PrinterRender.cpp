// Drawing a printer page's records as vectors on a PDF page.
//
// The records are the page's device-context calls; here they are followed
// with a small context state of their own (pen, brush, font, modes,
// origins, clip) and drawn with cairo paths in device pixels, scaled to PDF
// points. Text is laid out exactly as on screen (the realised font's glyphs
// and whole-pixel advances at the printer's resolution, so what a report
// measured is what prints) and is shown with its text, so a PDF reader can
// search and copy it. Raster-only operations (XOR modes, inverted
// rectangles) have no meaning on paper and are left out.
#include <cairo.h>

#include <cmath>
#include <cstring>

#include "platform/GdiText.h"
#include "platform/MetafileInternal.h"
#include "platform/Windows1252.h"

namespace gdi {

namespace {

struct PenState {
  int style = PS_SOLID;
  int width = 0;
  COLORREF colour = 0;
};

struct BrushState {
  bool hollow = false;
  COLORREF colour = 0xFFFFFF;
};

struct PageState {
  PenState pen;
  BrushState brush;
  HFONT font = nullptr;  // owned by the renderer's font list
  COLORREF textColour = 0;
  COLORREF bkColour = 0xFFFFFF;
  int bkMode = OPAQUE;
  UINT textAlign = TA_LEFT | TA_TOP;
  int fillMode = ALTERNATE;
  POINT position{0, 0};
  POINT windowOrg{0, 0};
  POINT viewportOrg{0, 0};
  bool hasClip = false;
  RectList clip;  // device pixels
};

struct Objects {
  std::vector<PenState> pens;
  std::vector<BrushState> brushes;
  std::vector<HFONT> fonts;
  std::vector<int> kinds;  // 0 none, 1 pen, 2 brush, 3 font; by index
  std::vector<int> slots;  // index into the list of its kind
  ~Objects() {
    for (HFONT font : fonts) DeleteObject(font);
  }
};

class Renderer {
 public:
  Renderer(const DeviceTraits& device, cairo_t* cr) : device_(device), cr_(cr) {
    state_.font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  }

  void Play(const ENHMETARECORD* record);

 private:
  const DeviceTraits& device_;
  cairo_t* cr_;
  PageState state_;
  std::vector<PageState> saved_;
  Objects objects_;

  double X(int x) const { return x - state_.windowOrg.x + state_.viewportOrg.x; }
  double Y(int y) const { return y - state_.windowOrg.y + state_.viewportOrg.y; }

  void Colour(COLORREF colour) {
    cairo_set_source_rgb(cr_, GetRValue(colour) / 255.0, GetGValue(colour) / 255.0, GetBValue(colour) / 255.0);
  }

  void Begin() {
    cairo_save(cr_);
    if (!state_.hasClip) return;
    for (const RECT& rect : state_.clip)
      cairo_rectangle(cr_, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    cairo_clip(cr_);
  }
  void End() { cairo_restore(cr_); }

  bool PenShows() const { return state_.pen.style != PS_NULL; }

  void StrokePath() {
    if (!PenShows()) {
      cairo_new_path(cr_);
      return;
    }
    // A hairline on paper is 0.3 point, so that a thin rule survives any
    // reader's rendering.
    double width = std::max<double>(state_.pen.width, device_.pixelsPerInchX / 240.0);
    cairo_set_line_width(cr_, width);
    int style = state_.pen.style & PS_STYLE_MASK;
    double unit = std::max(1.0, device_.pixelsPerInchX / 96.0);
    if (style == PS_DOT) {
      double dashes[] = {unit, 2 * unit};
      cairo_set_dash(cr_, dashes, 2, 0);
    } else if (style == PS_DASH) {
      double dashes[] = {6 * unit, 3 * unit};
      cairo_set_dash(cr_, dashes, 2, 0);
    } else if (style == PS_DASHDOT || style == PS_DASHDOTDOT) {
      double dashes[] = {6 * unit, 2 * unit, unit, 2 * unit};
      cairo_set_dash(cr_, dashes, 4, 0);
    }
    int cap = state_.pen.style & PS_ENDCAP_MASK;
    cairo_set_line_cap(cr_, cap == PS_ENDCAP_SQUARE ? CAIRO_LINE_CAP_SQUARE
                            : cap == PS_ENDCAP_FLAT ? CAIRO_LINE_CAP_BUTT
                                                    : CAIRO_LINE_CAP_ROUND);
    Colour(state_.pen.colour);
    cairo_stroke(cr_);
  }

  // Fills with the brush and strokes with the pen the path made by `path`.
  template <class Path>
  void Figure(Path path) {
    Begin();
    cairo_set_fill_rule(cr_, state_.fillMode == WINDING ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD);
    if (!state_.brush.hollow) {
      path();
      Colour(state_.brush.colour);
      cairo_fill(cr_);
    }
    path();
    StrokePath();
    End();
  }

  void Lines(const std::vector<std::pair<double, double>>& points) {
    if (points.size() < 2) return;
    Begin();
    cairo_move_to(cr_, points[0].first, points[0].second);
    for (std::size_t i = 1; i < points.size(); ++i) cairo_line_to(cr_, points[i].first, points[i].second);
    StrokePath();
    End();
  }

  std::vector<std::pair<double, double>> Points(const std::int32_t* v, int count) const {
    std::vector<std::pair<double, double>> points;
    for (int i = 0; i < count; ++i) points.emplace_back(X(v[2 * i]), Y(v[2 * i + 1]));
    return points;
  }

  void FillBox(double left, double top, double right, double bottom, COLORREF colour) {
    Begin();
    cairo_rectangle(cr_, left, top, right - left, bottom - top);
    Colour(colour);
    cairo_fill(cr_);
    End();
  }

  void Text(const std::int32_t* v, std::size_t count);
  void Select(std::int32_t index);
  void Keep(std::int32_t index, int kind, int slot) {
    if (index <= 0 || index > 1000000) return;
    auto at = static_cast<std::size_t>(index);
    if (objects_.kinds.size() <= at) {
      objects_.kinds.resize(at + 1, 0);
      objects_.slots.resize(at + 1, 0);
    }
    objects_.kinds[at] = kind;
    objects_.slots[at] = slot;
  }
};

void Renderer::Select(std::int32_t index) {
  auto value = static_cast<DWORD>(index);
  if (value & ENHMETA_STOCK_OBJECT) {
    switch (static_cast<int>(value & 0xFF)) {
      case WHITE_BRUSH: state_.brush = {false, 0xFFFFFF}; break;
      case LTGRAY_BRUSH: state_.brush = {false, RGB(192, 192, 192)}; break;
      case GRAY_BRUSH: state_.brush = {false, RGB(128, 128, 128)}; break;
      case DKGRAY_BRUSH: state_.brush = {false, RGB(64, 64, 64)}; break;
      case BLACK_BRUSH: state_.brush = {false, 0}; break;
      case NULL_BRUSH: state_.brush = {true, 0}; break;
      case WHITE_PEN: state_.pen = {PS_SOLID, 0, 0xFFFFFF}; break;
      case BLACK_PEN: state_.pen = {PS_SOLID, 0, 0}; break;
      case NULL_PEN: state_.pen = {PS_NULL, 0, 0}; break;
      default: state_.font = static_cast<HFONT>(GetStockObject(static_cast<int>(value & 0xFF))); break;
    }
    return;
  }
  auto at = static_cast<std::size_t>(value);
  if (at >= objects_.kinds.size()) return;
  auto slot = static_cast<std::size_t>(objects_.slots[at]);
  switch (objects_.kinds[at]) {
    case 1: state_.pen = objects_.pens[slot]; break;
    case 2: state_.brush = objects_.brushes[slot]; break;
    case 3: state_.font = objects_.fonts[slot]; break;
    default: break;
  }
}

void Renderer::Text(const std::int32_t* v, std::size_t count) {
  int length = v[8];
  std::size_t textWords = (static_cast<std::size_t>(std::max(length, 0)) + 3) / 4;
  if (length <= 0 || count < 10 + textWords + (v[9] ? static_cast<std::size_t>(length) : 0)) return;
  auto* font = Find<FontObject>(state_.font);
  if (font == nullptr) return;
  const FontFace& face = Realise(*font);
  std::string text(reinterpret_cast<const char*>(v + 10), static_cast<std::size_t>(length));
  std::vector<int> advances;
  int width = 0;
  for (int i = 0; i < length; ++i) {
    int advance = v[9] ? v[10 + textWords + static_cast<std::size_t>(i)]
                       : face.advance[static_cast<unsigned char>(text[static_cast<std::size_t>(i)])];
    advances.push_back(advance);
    width += advance;
  }
  bool updateCp = (state_.textAlign & TA_UPDATECP) != 0;
  double x = updateCp ? X(state_.position.x) : X(v[0]);
  double y = updateCp ? Y(state_.position.y) : Y(v[1]);
  switch (state_.textAlign & TA_CENTER) {
    case TA_CENTER: x -= width / 2; break;
    case TA_RIGHT: x -= width; break;
    default: break;
  }
  double baseline = y + face.metrics.tmAscent;
  if ((state_.textAlign & TA_BASELINE) == TA_BASELINE) baseline = y;
  else if (state_.textAlign & TA_BOTTOM) baseline = y - face.metrics.tmDescent;
  Begin();
  auto options = static_cast<UINT>(v[2]);
  if (v[7]) {
    double left = X(v[3]), top = Y(v[4]), right = X(v[5]), bottom = Y(v[6]);
    if (options & ETO_OPAQUE) {
      cairo_rectangle(cr_, left, top, right - left, bottom - top);
      Colour(state_.bkColour);
      cairo_fill(cr_);
    }
    if (options & ETO_CLIPPED) {
      cairo_rectangle(cr_, left, top, right - left, bottom - top);
      cairo_clip(cr_);
    }
  }
  if (state_.bkMode == OPAQUE) {
    cairo_rectangle(cr_, x, baseline - face.metrics.tmAscent, width, face.metrics.tmAscent + face.metrics.tmDescent);
    Colour(state_.bkColour);
    cairo_fill(cr_);
  }
  // One glyph per visible byte, each with its own text so that readers map
  // glyphs back to characters.
  std::vector<cairo_glyph_t> glyphs;
  std::vector<cairo_text_cluster_t> clusters;
  std::string utf8;
  double pen = x;
  for (int i = 0; i < length; ++i) {
    auto byte = static_cast<unsigned char>(text[static_cast<std::size_t>(i)]);
    if (byte >= 0x20) {
      std::string character = platform::Utf8From1252(std::string(1, static_cast<char>(byte)));
      glyphs.push_back(cairo_glyph_t{face.glyph[byte], pen, baseline});
      clusters.push_back(cairo_text_cluster_t{static_cast<int>(character.size()), 1});
      utf8 += character;
    }
    pen += advances[static_cast<std::size_t>(i)];
  }
  if (!glyphs.empty()) {
    auto textLock = LockCairoText();
    cairo_set_font_face(cr_, cairo_scaled_font_get_font_face(face.font));
    cairo_matrix_t matrix;
    cairo_scaled_font_get_font_matrix(face.font, &matrix);
    cairo_set_font_matrix(cr_, &matrix);
    cairo_font_options_t* fontOptions = cairo_font_options_create();
    cairo_font_options_set_hint_style(fontOptions, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(fontOptions, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr_, fontOptions);
    cairo_font_options_destroy(fontOptions);
    Colour(state_.textColour);
    cairo_show_text_glyphs(cr_, utf8.data(), static_cast<int>(utf8.size()), glyphs.data(),
                           static_cast<int>(glyphs.size()), clusters.data(), static_cast<int>(clusters.size()),
                           static_cast<cairo_text_cluster_flags_t>(0));
    KeepDrawnFont(face, cr_);
  }
  double thickness = std::max(1.0, face.em / 14);
  if (font->description.lfUnderline != 0) {
    double under = baseline + std::max(1, face.metrics.tmDescent / 3);
    cairo_rectangle(cr_, x, under, width, thickness);
    Colour(state_.textColour);
    cairo_fill(cr_);
  }
  End();
  if (updateCp) {
    if ((state_.textAlign & TA_CENTER) == TA_LEFT) state_.position.x += width;
    else if ((state_.textAlign & TA_CENTER) == TA_RIGHT) state_.position.x -= width;
  }
}

void Renderer::Play(const ENHMETARECORD* record) {
  const std::int32_t* v = Params(record);
  std::size_t count = ParamCount(record);
  auto has = [count](std::size_t needed) { return count >= needed; };
  auto pointsOk = [&](std::size_t first) {
    return v[0] >= 0 && has(first + 2 * static_cast<std::size_t>(v[0]));
  };
  switch (record->iType) {
    case EMR_MOVETOEX:
      if (has(2)) state_.position = POINT{v[0], v[1]};
      return;
    case EMR_LINETO:
      if (!has(2)) return;
      Lines({{X(state_.position.x), Y(state_.position.y)}, {X(v[0]), Y(v[1])}});
      state_.position = POINT{v[0], v[1]};
      return;
    case EMR_POLYLINE:
      if (pointsOk(1)) Lines(Points(v + 1, v[0]));
      return;
    case EMR_POLYLINETO:
      if (pointsOk(1) && v[0] > 0) {
        auto points = Points(v + 1, v[0]);
        points.insert(points.begin(), {X(state_.position.x), Y(state_.position.y)});
        Lines(points);
        state_.position = POINT{v[1 + 2 * (v[0] - 1)], v[2 + 2 * (v[0] - 1)]};
      }
      return;
    case EMR_POLYBEZIER:
    case EMR_POLYBEZIERTO: {
      if (!pointsOk(1) || v[0] < 3) return;
      auto points = Points(v + 1, v[0]);
      if (record->iType == EMR_POLYBEZIERTO) {
        points.insert(points.begin(), {X(state_.position.x), Y(state_.position.y)});
        state_.position = POINT{v[1 + 2 * (v[0] - 1)], v[2 + 2 * (v[0] - 1)]};
      }
      Begin();
      cairo_move_to(cr_, points[0].first, points[0].second);
      for (std::size_t i = 1; i + 2 < points.size(); i += 3)
        cairo_curve_to(cr_, points[i].first, points[i].second, points[i + 1].first, points[i + 1].second,
                       points[i + 2].first, points[i + 2].second);
      StrokePath();
      End();
      return;
    }
    case EMR_POLYGON:
      if (!pointsOk(1) || v[0] < 2) return;
      Figure([&] {
        auto points = Points(v + 1, v[0]);
        cairo_move_to(cr_, points[0].first, points[0].second);
        for (std::size_t i = 1; i < points.size(); ++i) cairo_line_to(cr_, points[i].first, points[i].second);
        cairo_close_path(cr_);
      });
      return;
    case EMR_POLYPOLYGON: {
      int polygons = v[0];
      if (polygons < 1 || !has(1 + static_cast<std::size_t>(polygons))) return;
      std::size_t total = 0;
      for (int i = 0; i < polygons; ++i) total += static_cast<std::size_t>(std::max(v[1 + i], 0));
      if (!has(1 + static_cast<std::size_t>(polygons) + 2 * total)) return;
      Figure([&] {
        const std::int32_t* next = v + 1 + polygons;
        for (int i = 0; i < polygons; ++i) {
          auto points = Points(next, v[1 + i]);
          next += 2 * v[1 + i];
          if (points.empty()) continue;
          cairo_move_to(cr_, points[0].first, points[0].second);
          for (std::size_t j = 1; j < points.size(); ++j) cairo_line_to(cr_, points[j].first, points[j].second);
          cairo_close_path(cr_);
        }
      });
      return;
    }
    case EMR_RECTANGLE:
      if (!has(4)) return;
      // The figure covers left..right-1; the pen runs along its edge pixels.
      Figure([&] {
        double half = std::max(1, state_.pen.width) / 2.0;
        cairo_rectangle(cr_, X(v[0]) + half, Y(v[1]) + half, X(v[2]) - X(v[0]) - 2 * half,
                        Y(v[3]) - Y(v[1]) - 2 * half);
      });
      return;
    case EMR_ELLIPSE:
      if (!has(4)) return;
      Figure([&] {
        double width = X(v[2]) - X(v[0]), height = Y(v[3]) - Y(v[1]);
        if (width <= 0 || height <= 0) return;
        cairo_save(cr_);
        cairo_translate(cr_, X(v[0]) + width / 2, Y(v[1]) + height / 2);
        cairo_scale(cr_, width / 2, height / 2);
        cairo_new_sub_path(cr_);
        cairo_arc(cr_, 0, 0, 1, 0, 2 * M_PI);
        cairo_close_path(cr_);
        cairo_restore(cr_);
      });
      return;
    case EMR_ROUNDRECT:
      if (!has(6)) return;
      Figure([&] {
        double l = X(v[0]), t = Y(v[1]), r = X(v[2]), b = Y(v[3]);
        double rx = std::min(std::abs(v[4]) / 2.0, (r - l) / 2), ry = std::min(std::abs(v[5]) / 2.0, (b - t) / 2);
        if (rx <= 0 || ry <= 0) {
          cairo_rectangle(cr_, l, t, r - l, b - t);
          return;
        }
        auto corner = [&](double cx, double cy, double from) {
          cairo_save(cr_);
          cairo_translate(cr_, cx, cy);
          cairo_scale(cr_, rx, ry);
          cairo_arc(cr_, 0, 0, 1, from, from + M_PI / 2);
          cairo_restore(cr_);
        };
        cairo_new_sub_path(cr_);
        corner(r - rx, t + ry, -M_PI / 2);
        corner(r - rx, b - ry, 0);
        corner(l + rx, b - ry, M_PI / 2);
        corner(l + rx, t + ry, M_PI);
        cairo_close_path(cr_);
      });
      return;
    case EMR_SETPIXELV:
      if (has(3)) FillBox(X(v[0]), Y(v[1]), X(v[0]) + 1, Y(v[1]) + 1, static_cast<COLORREF>(v[2]));
      return;
    case EMR_FILLRGN:
      if (has(6) && static_cast<UINT>(v[4]) != BS_NULL)
        FillBox(X(v[0]), Y(v[1]), X(v[2]), Y(v[3]), static_cast<COLORREF>(v[5]));
      return;
    case EMR_FRAMERGN:
      if (has(6) && static_cast<UINT>(v[4]) != BS_NULL) {
        double l = X(v[0]), t = Y(v[1]), r = X(v[2]), b = Y(v[3]);
        auto colour = static_cast<COLORREF>(v[5]);
        FillBox(l, t, r, t + 1, colour);
        FillBox(l, b - 1, r, b, colour);
        FillBox(l, t, l + 1, b, colour);
        FillBox(r - 1, t, r, b, colour);
      }
      return;
    case EMR_BITBLT: {
      if (!has(5)) return;
      auto rop = static_cast<DWORD>(v[4]);
      double l = X(v[0]), t = Y(v[1]), r = X(v[0] + v[2]), b = Y(v[1] + v[3]);
      if (rop == WHITENESS) FillBox(l, t, r, b, 0xFFFFFF);
      else if (rop == BLACKNESS) FillBox(l, t, r, b, 0);
      else if (rop == PATCOPY && !state_.brush.hollow) FillBox(l, t, r, b, state_.brush.colour);
      return;
    }
    case EMR_STRETCHDIBITS: {
      if (!has(7)) return;
      int sourceWidth = v[4], sourceHeight = v[5];
      if (sourceWidth <= 0 || sourceHeight <= 0 || !has(7 + static_cast<std::size_t>(sourceWidth) * sourceHeight))
        return;
      cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, sourceWidth, sourceHeight);
      unsigned char* data = cairo_image_surface_get_data(image);
      int stride = cairo_image_surface_get_stride(image);
      cairo_surface_flush(image);
      for (int row = 0; row < sourceHeight; ++row)
        std::memcpy(data + static_cast<std::size_t>(row) * stride, v + 7 + static_cast<std::size_t>(row) * sourceWidth,
                    static_cast<std::size_t>(sourceWidth) * 4);
      cairo_surface_mark_dirty(image);
      Begin();
      cairo_translate(cr_, X(v[0]), Y(v[1]));
      cairo_scale(cr_, static_cast<double>(v[2]) / sourceWidth, static_cast<double>(v[3]) / sourceHeight);
      cairo_set_source_surface(cr_, image, 0, 0);
      cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_GOOD);
      cairo_paint(cr_);
      End();
      cairo_surface_destroy(image);
      return;
    }
    case EMR_EXTTEXTOUTA:
      if (has(10)) Text(v, count);
      return;
    case EMR_SETTEXTCOLOR:
      if (has(1)) state_.textColour = static_cast<COLORREF>(v[0]);
      return;
    case EMR_SETBKCOLOR:
      if (has(1)) state_.bkColour = static_cast<COLORREF>(v[0]);
      return;
    case EMR_SETBKMODE:
      if (has(1)) state_.bkMode = v[0];
      return;
    case EMR_SETTEXTALIGN:
      if (has(1)) state_.textAlign = static_cast<UINT>(v[0]);
      return;
    case EMR_SETPOLYFILLMODE:
      if (has(1)) state_.fillMode = v[0];
      return;
    case EMR_SETVIEWPORTORGEX:
      if (has(2)) state_.viewportOrg = POINT{v[0], v[1]};
      return;
    case EMR_SETWINDOWORGEX:
      if (has(2)) state_.windowOrg = POINT{v[0], v[1]};
      return;
    case EMR_SAVEDC: saved_.push_back(state_); return;
    case EMR_RESTOREDC: {
      if (!has(1)) return;
      int level = v[0] < 0 ? static_cast<int>(saved_.size()) + 1 + v[0] : v[0];
      if (level < 1 || level > static_cast<int>(saved_.size())) return;
      state_ = saved_[static_cast<std::size_t>(level - 1)];
      saved_.resize(static_cast<std::size_t>(level - 1));
      return;
    }
    case EMR_INTERSECTCLIPRECT:
    case EMR_EXCLUDECLIPRECT: {
      if (!has(4)) return;
      RECT rect{static_cast<LONG>(X(std::min(v[0], v[2]))), static_cast<LONG>(Y(std::min(v[1], v[3]))),
                static_cast<LONG>(X(std::max(v[0], v[2]))), static_cast<LONG>(Y(std::max(v[1], v[3])))};
      RECT page{0, 0, device_.physicalWidth, device_.physicalHeight};
      if (!state_.hasClip) {
        state_.hasClip = true;
        state_.clip = RectList{page};
      }
      state_.clip = record->iType == EMR_INTERSECTCLIPRECT ? IntersectList(state_.clip, rect)
                                                           : SubtractRect(state_.clip, rect);
      return;
    }
    case EMR_EXTSELECTCLIPRGN: {
      if (!has(2)) return;
      if (v[0] != 0 || v[1] < 0 || !has(2 + 4 * static_cast<std::size_t>(v[1]))) {
        state_.hasClip = false;
        state_.clip.clear();
        return;
      }
      state_.hasClip = true;
      state_.clip.clear();
      for (int i = 0; i < v[1]; ++i) state_.clip.push_back(RECT{v[2 + 4 * i], v[3 + 4 * i], v[4 + 4 * i], v[5 + 4 * i]});
      return;
    }
    case EMR_CREATEPEN:
      if (!has(4)) return;
      objects_.pens.push_back(PenState{v[1], v[2], static_cast<COLORREF>(v[3])});
      Keep(v[0], 1, static_cast<int>(objects_.pens.size() - 1));
      return;
    case EMR_CREATEBRUSHINDIRECT:
      if (!has(3)) return;
      objects_.brushes.push_back(BrushState{static_cast<UINT>(v[1]) == BS_NULL, static_cast<COLORREF>(v[2])});
      Keep(v[0], 2, static_cast<int>(objects_.brushes.size() - 1));
      return;
    case EMR_EXTCREATEFONTINDIRECTW: {
      if (!has(1 + sizeof(LOGFONT) / 4)) return;
      LOGFONT description{};
      std::memcpy(&description, v + 1, sizeof description);
      objects_.fonts.push_back(CreateFontIndirect(&description));
      Keep(v[0], 3, static_cast<int>(objects_.fonts.size() - 1));
      return;
    }
    case EMR_SELECTOBJECT:
      if (has(1)) Select(v[0]);
      return;
    default: return;
  }
}

}  // namespace

void RenderPage(const Recording& page, const DeviceTraits& device, cairo_t* cr) {
  cairo_save(cr);
  // Device pixels count from the printable area's corner.
  cairo_scale(cr, 72.0 / device.pixelsPerInchX, 72.0 / device.pixelsPerInchY);
  cairo_translate(cr, device.offsetX, device.offsetY);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);
  Renderer renderer(device, cr);
  for (const ENHMETARECORD* record : RecordList(page)) renderer.Play(record);
  cairo_restore(cr);
}

}  // namespace gdi
