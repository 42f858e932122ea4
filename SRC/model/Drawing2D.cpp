// The 2D drawing layer's primitives, arrows and scale (see Drawing2D.h).
// The view extents and keeping a rectangle in view are in ViewExtents.cpp.
#include "model/Drawing2D.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <string>

#include "platform/Gdi.h"
#include "services/AppPens.h"

namespace {

HDC g_GraphicsDc = nullptr;
GraphicsFileWriter* g_FileWriter = nullptr;
GraphicsTextMetrics g_TextMetrics;

bool FileOutput() { return EpsOutput || DxfOutput || PltOutput; }

// The writer of the open file output; null when its flag is set but no
// writer was installed (nothing is written then).
GraphicsFileWriter* Writer() { return FileOutput() ? g_FileWriter : nullptr; }

HDC Device() { return PrintingOutput ? g_PrinterDc : g_GraphicsDc; }

int Truncate(double value) {
  if (!std::isfinite(value)) return 0;
  return static_cast<int>(std::clamp(value, -1.0e9, 1.0e9));
}

// Out-codes of the clipping: 1 above, 2 below, 4 right, 8 left.
int OutCode(float x, float y) {
  int code = 0;
  if (y > ViewWindow.top) code |= 1;
  if (y < ViewWindow.bottom) code |= 2;
  if (x > ViewWindow.right) code |= 4;
  if (x < ViewWindow.left) code |= 8;
  return code;
}

// A file writer's line: clipped for HPGL and DXF, as it is for EPS.
void WriterLine(GraphicsFileWriter& writer, float x1, float y1, float x2, float y2) {
  if (!EpsOutput && !ClipLineToView(x1, y1, x2, y2)) return;
  writer.Line(x1, y1, x2, y2);
}

// The point of a cubic Bezier at t, one coordinate.
float BezierAt(const float p[4], float t) {
  const float c = 3.0f * (p[1] - p[0]);
  const float b = 3.0f * (p[2] - p[1]) - c;
  const float a = p[3] - p[0] - c - b;
  return ((a * t + b) * t + c) * t + p[0];
}

// Where the label of an arrow goes: its lower left corner.
void ArrowLabelPosition(float tipX, float tipY, float ux, float uy, float width, float height, float& x, float& y) {
  if (ux > 0.0f) {
    x = tipX + LabelOffsetX;
    y = tipY - LabelOffsetY;
  } else if (ux < 0.0f) {
    x = tipX - (LabelOffsetX + width);
    y = tipY - LabelOffsetY;
  } else {
    x = tipX - width / 2.0f;
    y = uy > 0.0f ? tipY + LabelOffsetY : uy < 0.0f ? tipY - height : tipY - LabelOffsetY;
  }
}

}  // namespace

void SetGraphicsFileWriter(GraphicsFileWriter* writer) { g_FileWriter = writer; }

void SetGraphicsDc(HDC dc) { g_GraphicsDc = dc; }
HDC GraphicsDc() { return g_GraphicsDc; }

void SetGraphicsTextMetrics(const GraphicsTextMetrics& metrics) {
  g_TextMetrics = metrics;
  ComputeLabelOffsets();
}

int PixelX(float x) { return Truncate((double(x) - ViewWindow.left) * GraphicsScale + 0.5); }
int PixelY(float y) { return ViewHeightPx - Truncate((double(y) - ViewWindow.bottom) * GraphicsScale + 0.5); }

namespace {

// Whether a pen draws in dots or dashes: the files draw its lines dashed,
// whichever role it has (hidden lines, a bend's tangents beside its arc, a
// deflected shape), as the window and the printed page do.
bool BrokenPen(HGDIOBJ pen) {
  if (pen == nullptr) return false;
  if (pen == Pens().dottedGreyPen) return true;
  LOGPEN record{};
  if (GetObjectType(pen) != OBJ_PEN || GetObject(pen, sizeof record, &record) == 0) return false;
  const UINT style = record.lopnStyle & PS_STYLE_MASK;
  return style == PS_DOT || style == PS_DASH || style == PS_DASHDOT || style == PS_DASHDOTDOT;
}

}  // namespace

HGDIOBJ SelectPen2(HGDIOBJ pen) {
  if (GraphicsFileWriter* writer = Writer()) {
    writer->LineType(BrokenPen(pen));
    return nullptr;
  }
  if (FileOutput() || PenLocked || Device() == nullptr || pen == nullptr) return nullptr;
  return SelectObject(Device(), pen);
}

HGDIOBJ SelectBrush2(HGDIOBJ brush) {
  if (FileOutput() || PenLocked || Device() == nullptr || brush == nullptr) return nullptr;
  return SelectObject(Device(), brush);
}

void SetTextColour2(COLORREF colour) {
  if (FileOutput() || PenLocked || Device() == nullptr) return;
  SetTextColor(Device(), colour);
}

void DrawLine2(float x1, float y1, float x2, float y2) {
  if (GraphicsFileWriter* writer = Writer()) return WriterLine(*writer, x1, y1, x2, y2);
  if (FileOutput() || Device() == nullptr) return;
  MoveToEx(Device(), PixelX(x1), PixelY(y1), nullptr);
  LineTo(Device(), PixelX(x2), PixelY(y2));
}

void DrawText2(float x, float y, const std::string& text) {
  if (GraphicsFileWriter* writer = Writer()) return writer->Text(x, y, text);
  if (FileOutput() || Device() == nullptr) return;
  TextOut(Device(), PixelX(x), PixelY(y), text.c_str(), static_cast<int>(text.size()));
}

void DrawRectangle2(float x1, float y1, float x2, float y2) {
  if (GraphicsFileWriter* writer = Writer()) {
    writer->Line(x1, y1, x2, y1);
    writer->Line(x2, y1, x2, y2);
    writer->Line(x2, y2, x1, y2);
    writer->Line(x1, y2, x1, y1);
    return;
  }
  if (FileOutput() || Device() == nullptr) return;
  Rectangle(Device(), PixelX(x1), PixelY(y2), PixelX(x2) + 1, PixelY(y1));
}

void DrawMark2(float x, float y) {
  if (GraphicsFileWriter* writer = Writer()) return writer->Mark(x, y);
  if (FileOutput() || Device() == nullptr) return;
  const int half = MarkSizePx / 2;
  const int left = PixelX(x) - half, top = PixelY(y) - half;
  if (MetafileOutput)
    Rectangle(Device(), left, top, left + MarkSizePx, top + MarkSizePx);
  else
    PatBlt(Device(), left, top, MarkSizePx, MarkSizePx, PATCOPY);
}

void DrawEllipse2(float x, float y, float r) {
  if (FileOutput()) {
    // The writers draw no curves of their own: sixteen chords keep the
    // circle (a guide's ring, a node mark) in the file.
    constexpr int kChords = 16;
    float lastX = x + r, lastY = y;
    for (int step = 1; step <= kChords; ++step) {
      const float angle = 6.2831853f * static_cast<float>(step) / kChords;
      const float nextX = x + r * std::cos(angle), nextY = y + r * std::sin(angle);
      DrawLine2(lastX, lastY, nextX, nextY);
      lastX = nextX;
      lastY = nextY;
    }
    return;
  }
  if (Device() == nullptr) return;
  Ellipse(Device(), PixelX(x - r), PixelY(y + r), PixelX(x + r), PixelY(y - r));
}

void DrawBezier2(const float xs[4], const float ys[4]) {
  if (EpsOutput) {
    if (g_FileWriter != nullptr) g_FileWriter->Bezier(xs, ys);
    return;
  }
  if (FileOutput()) {
    float lastX = xs[0], lastY = ys[0];
    for (int step = 1; step <= 8; ++step) {
      const float t = static_cast<float>(step) * 0.125f;
      const float x = BezierAt(xs, t), y = BezierAt(ys, t);
      DrawLine2(lastX, lastY, x, y);
      lastX = x;
      lastY = y;
    }
    return;
  }
  if (Device() == nullptr) return;
  POINT points[4];
  for (int i = 0; i < 4; ++i) points[i] = POINT{PixelX(xs[i]), PixelY(ys[i])};
  PolyBezier(Device(), points, 4);
}

void ArrowHead2(float x, float y, float ux, float uy, bool doubled) {
  if (GraphicsFileWriter* writer = Writer()) return writer->ArrowHead(x, y, ux, uy, doubled);
  if (FileOutput() || Device() == nullptr) return;
  const float back = ArrowHeadLength / GraphicsScale;
  const float half = ArrowHeadWidth * 0.5f / GraphicsScale;
  const float baseX = x - ux * back, baseY = y - uy * back;
  POINT corners[3] = {{PixelX(x), PixelY(y)},
                      {PixelX(baseX - uy * half), PixelY(baseY + ux * half)},
                      {PixelX(baseX + uy * half), PixelY(baseY - ux * half)}};
  Polygon(Device(), corners, 3);
  if (!doubled) return;
  const int shiftX = Truncate((ArrowHeadLength + 2.0f) * ux);
  const int shiftY = Truncate((ArrowHeadLength + 2.0f) * uy);
  for (POINT& corner : corners) {
    corner.x -= shiftX;
    corner.y += shiftY;
  }
  Polygon(Device(), corners, 3);
}

void TextExtent2(const std::string& text, float& width, float& height) {
  const float characters = static_cast<float>(text.size());
  if (PltOutput) {
    width = characters * 0.09f / GraphicsScale;
    height = 0.1f / GraphicsScale;
    return;
  }
  if (DxfOutput) {
    width = characters * 0.07f / GraphicsScale;
    height = 0.09f / GraphicsScale;
    return;
  }
  if (EpsOutput) {
    // The file's 9 point Helvetica: about half its size per character.
    width = characters * 5.0f / GraphicsScale;
    height = 9.0f / GraphicsScale;
    return;
  }
  SIZE size{static_cast<LONG>(characters * g_TextMetrics.averageWidth), g_TextMetrics.ascent};
  if (HDC dc = Device()) GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size);
  width = static_cast<float>(size.cx) / GraphicsScale;
  height = static_cast<float>(size.cy) / GraphicsScale;
}

bool ClipLineToView(float& x1, float& y1, float& x2, float& y2) {
  const float dx = x2 - x1, dy = y2 - y1;
  int code1 = OutCode(x1, y1), code2 = OutCode(x2, y2);
  // Each pass puts one end on a border, so four passes settle any line.
  for (int pass = 0; pass < 8; ++pass) {
    if ((code1 & code2) != 0) return false;
    if (code1 == 0 && code2 == 0) return true;
    if (code1 == 0) {
      std::swap(x1, x2);
      std::swap(y1, y2);
      std::swap(code1, code2);
    }
    if (code1 & 1) {
      x1 += (ViewWindow.top - y1) * dx / dy;
      y1 = ViewWindow.top;
    } else if (code1 & 2) {
      x1 += (ViewWindow.bottom - y1) * dx / dy;
      y1 = ViewWindow.bottom;
    } else if (code1 & 4) {
      y1 += (ViewWindow.right - x1) * dy / dx;
      x1 = ViewWindow.right;
    } else {
      y1 += (ViewWindow.left - x1) * dy / dx;
      x1 = ViewWindow.left;
    }
    code1 = OutCode(x1, y1);
  }
  return (code1 | code2) == 0;
}

void DrawArrow2(float x1, float y1, float x2, float y2, int style) {
  const float dx = x2 - x1, dy = y2 - y1;
  const float length = std::hypot(dx, dy);
  if (!(length > 0.0f)) return;
  const float ux = dx / length, uy = dy / length;
  const float head = ArrowHeadLength / GraphicsScale / length;
  const float f = 1.0f - head;
  switch (style) {
    case 1:
      DrawLine2(x2, y2, x2 - dx * f, y2 - dy * f);
      ArrowHead2(x1, y1, -ux, -uy, false);
      return;
    case 2:
      DrawLine2(x1, y1, x1 + dx * (1.0f - 2.0f * head), y1 + dy * (1.0f - 2.0f * head));
      ArrowHead2(x2, y2, ux, uy, true);
      return;
    case 3:
      DrawLine2(x1, y1, x2, y2);
      ArrowHead2(x1, y1, -ux, -uy, true);
      return;
    case 4:
      DrawLine2(x1, y1, x2, y2);
      ArrowHead2(x1, y1, -ux, -uy, false);
      ArrowHead2(x2, y2, ux, uy, false);
      return;
    default:
      DrawLine2(x1, y1, x1 + dx * f, y1 + dy * f);
      ArrowHead2(x2, y2, ux, uy, false);
      return;
  }
}

void DrawArrowFrom2(float x, float y, float ux, float uy, float lengthPx, int style) {
  DrawArrow2(x, y, x + ux * lengthPx / GraphicsScale, y + uy * lengthPx / GraphicsScale, style);
}

void DrawArrowLabel2(float x, float y, float ux, float uy, float lengthPx, const std::string& text) {
  // A nearly axial arrow counts as axial, so its label sits centred on it.
  if (std::fabs(ux) < 0.05f) ux = 0.0f;
  if (std::fabs(uy) < 0.05f) uy = 0.0f;
  const float tipX = x + ux * lengthPx / GraphicsScale, tipY = y + uy * lengthPx / GraphicsScale;
  float width = 0.0f, height = 0.0f, textX = 0.0f, textY = 0.0f;
  TextExtent2(text, width, height);
  ArrowLabelPosition(tipX, tipY, ux, uy, width, height, textX, textY);
  DrawText2(textX, textY, text);
}

void DrawLabelledArrow2(float x, float y, float ux, float uy, float lengthPx, int style, const std::string& text) {
  DrawArrowFrom2(x, y, ux, uy, lengthPx, style);
  DrawArrowLabel2(x, y, ux, uy, lengthPx, text);
}

void LabelledArrowExtendRect(float x, float y, float ux, float uy, float lengthPx, int, const std::string& text,
                             Rect2& rect) {
  const float tipX = x + ux * lengthPx / GraphicsScale, tipY = y + uy * lengthPx / GraphicsScale;
  float width = 0.0f, height = 0.0f, textX = 0.0f, textY = 0.0f;
  TextExtent2(text, width, height);
  ArrowLabelPosition(tipX, tipY, ux, uy, width, height, textX, textY);
  Rect2Extend(rect, x, y);
  Rect2Extend(rect, tipX, tipY);
  Rect2Extend(rect, textX, textY);
  Rect2Extend(rect, textX + width, textY + height);
}

void Rect2Draw(const Rect2& rect) {
  DrawLine2(rect.xmin, rect.ymin, rect.xmax, rect.ymin);
  DrawLine2(rect.xmax, rect.ymin, rect.xmax, rect.ymax);
  DrawLine2(rect.xmax, rect.ymax, rect.xmin, rect.ymax);
  DrawLine2(rect.xmin, rect.ymax, rect.xmin, rect.ymin);
}

void Quad2Draw(const Quad2& quad) {
  for (int i = 0; i < 4; ++i) DrawLine2(quad.x[i], quad.y[i], quad.x[(i + 1) % 4], quad.y[(i + 1) % 4]);
}

void Triangle2Draw(const Triangle2& triangle) {
  for (int i = 0; i < 3; ++i)
    DrawLine2(triangle.x[i], triangle.y[i], triangle.x[(i + 1) % 3], triangle.y[(i + 1) % 3]);
}

bool RectIntersectsView(const Rect2& rect) {
  return Rect2Meets(rect, ViewWindow.left, ViewWindow.right, ViewWindow.bottom, ViewWindow.top);
}

bool RectIntersectsDrawingArea(const Rect2& rect) {
  return Rect2Meets(rect, PaintArea.left, PaintArea.right, PaintArea.bottom, PaintArea.top);
}

void SetGraphicsScale(float scale) {
  // A scale that is not a positive number would spread through every
  // coordinate of the picture.
  if (!(scale > 0.0f) || !std::isfinite(scale)) scale = 1.0f;
  GraphicsScale = GraphicsScaleCopy = scale;
  Size6Px = 6.0f / scale;
  Size8Px = 8.0f / scale;
  Size10Px = 10.0f / scale;
  Size12Px = 12.0f / scale;
  Size7Px = 7.0f / scale;
  Size4Px = 4.0f / scale;
  ComputeLabelOffsets();
}

void ComputeLabelOffsets() {
  LabelOffsetX = static_cast<float>(std::max(g_TextMetrics.averageWidth / 2 + 3, 6)) / GraphicsScale;
  LabelOffsetY = static_cast<float>(g_TextMetrics.ascent - g_TextMetrics.internalLeading) / GraphicsScale * 0.5f;
  TextExtent2("1234", LabelSampleWidth, LabelSampleHeight);
}

void SetArrowSize(float basePx) {
  ArrowHeadLength = basePx * 0.075f;
  ArrowHeadWidth = basePx * 0.055f;
  ArrowLength = basePx * 0.25f;
}

float SymbolMargin() { return Size4Px; }

namespace {

std::mutex g_TitleLock;
std::string g_GraphicsTitle;

}  // namespace

void DrawGraphicsTitle(std::string& buffer) {
  std::lock_guard<std::mutex> lock(g_TitleLock);
  buffer = g_GraphicsTitle;
}

void SetGraphicsTitle(const std::string& title) {
  std::lock_guard<std::mutex> lock(g_TitleLock);
  g_GraphicsTitle = title;
}
