// The 2D drawing layer: every 2D picture of the model (the wireframe window,
// printed pages, metafiles and the HPGL, DXF and EPS exports) is drawn
// through these free operations, which take view units (Part of the view
// projection, ViewProjection.h) and send each primitive to the one output
// that is current. Element kinds, data items, node labels and legends never
// talk to a device or a writer directly.
//
// Output selection: the flags `EpsOutput`, `DxfOutput` and `PltOutput` are
// tested in that order by every primitive and send it to the open file
// writer (GraphicsFileWriter, installed by the writer that sets its flag);
// with none set it goes to GDI: the printer's device context while
// `PrintingOutput` is set, else the graphics window's own device context
// (SetGraphicsDc). `MetafileOutput` changes only how marks are drawn, and
// `PenLocked` makes pen, brush and text-colour selections do nothing while an
// item is erased with the background colours already selected.
//
// The state (view window, output size, scale and the sizes derived from it,
// label offsets, arrow sizes, the model's view extents, the drawing limits
// of a paint) is one program-wide set that belongs to the graphics thread;
// whoever changes it from elsewhere stops a paint first (StopPainting).
//
// GDI mapping: pixel x = trunc((x - left) * scale + 0.5), pixel y =
// ViewHeightPx - trunc((y - bottom) * scale + 0.5). Lines on the HPGL and DXF
// writers are clipped to the view window (Cohen-Sutherland); GDI clips itself.
#pragma once

#include <string>

#include "platform/Types.h"
#include "records/DrawingGeometry.h"

// left, right, bottom, top in view units (x to the right, y up).
struct ViewLimits {
  float left;
  float right;
  float bottom;
  float top;
};

inline bool EpsOutput = false;
inline bool DxfOutput = false;
inline bool PltOutput = false;
inline bool PrintingOutput = false;
// The printer or page device context the report road draws on while
// PrintingOutput is set.
inline HDC g_PrinterDc = nullptr;
inline bool MetafileOutput = false;
inline bool PenLocked = false;

inline ViewLimits ViewWindow{-12.0f, 12.0f, -12.0f, 12.0f};
// The part of the view being repainted; items outside it are not drawn.
inline ViewLimits PaintArea{-12.0f, 12.0f, -12.0f, 12.0f};
inline int ViewWidthPx = 0;
inline int ViewHeightPx = 0;
inline float GraphicsScale = 1.0f;  // pixels per view unit, never 0
inline float GraphicsScaleCopy = 1.0f;
// 6, 8, 10, 12, 7 and 4 pixels in view units at the current scale.
inline float Size6Px = 6.0f, Size8Px = 8.0f, Size10Px = 10.0f, Size12Px = 12.0f, Size7Px = 7.0f, Size4Px = 4.0f;
inline int MarkSizePx = 4;  // side of a node mark
inline float LabelOffsetX = 6.0f;
inline float LabelOffsetY = 0.0f;
inline float LabelSampleWidth = 0.0f;   // extent of "1234"
inline float LabelSampleHeight = 0.0f;
// Arrow sizes in pixels (SetArrowSize).
inline float ArrowHeadLength = 7.2f;
inline float ArrowHeadWidth = 5.28f;
inline float ArrowLength = 24.0f;
inline Rect2 ViewExtents{-12.0f, -12.0f, 12.0f, 12.0f};

// The file writers (HPGL, DXF, EPS) receive the primitives through this
// interface while their flag is set.
class GraphicsFileWriter {
 public:
  virtual ~GraphicsFileWriter() = default;
  virtual void LineType(bool dashed) = 0;
  virtual void Line(float x1, float y1, float x2, float y2) = 0;
  virtual void Text(float x, float y, const std::string& text) = 0;
  virtual void Mark(float x, float y) = 0;
  virtual void ArrowHead(float x, float y, float ux, float uy, bool doubled) = 0;
  // Only the EPS writer draws curves; the others get eight lines.
  virtual void Bezier(const float xs[4], const float ys[4]) = 0;
};
void SetGraphicsFileWriter(GraphicsFileWriter* writer);

// The device context that GDI output goes to while PrintingOutput is clear
// (the painting window's own one), and the text metrics of the graphics font
// on it, which the label offsets are computed from.
void SetGraphicsDc(HDC dc);
HDC GraphicsDc();
struct GraphicsTextMetrics {
  int averageWidth = 7;
  int ascent = 13;
  int internalLeading = 2;
};
void SetGraphicsTextMetrics(const GraphicsTextMetrics& metrics);

// View units to GDI pixels.
int PixelX(float x);
int PixelY(float y);

// Primitives.
HGDIOBJ SelectPen2(HGDIOBJ pen);
HGDIOBJ SelectBrush2(HGDIOBJ brush);
void SetTextColour2(COLORREF colour);
void DrawLine2(float x1, float y1, float x2, float y2);
void DrawText2(float x, float y, const std::string& text);
void DrawRectangle2(float x1, float y1, float x2, float y2);
void DrawMark2(float x, float y);
void DrawEllipse2(float x, float y, float r);
void DrawBezier2(const float xs[4], const float ys[4]);
void ArrowHead2(float x, float y, float ux, float uy, bool doubled);
void TextExtent2(const std::string& text, float& width, float& height);

// Cohen-Sutherland against the view window: false when nothing is left.
bool ClipLineToView(float& x1, float& y1, float& x2, float& y2);

// Arrows (styles 0 to 4: single head at P2, single head at P1, double head at
// P2 for moments, double head at P1, heads at both ends).
void DrawArrow2(float x1, float y1, float x2, float y2, int style);
void DrawArrowFrom2(float x, float y, float ux, float uy, float lengthPx, int style);
void DrawArrowLabel2(float x, float y, float ux, float uy, float lengthPx, const std::string& text);
void DrawLabelledArrow2(float x, float y, float ux, float uy, float lengthPx, int style, const std::string& text);
void LabelledArrowExtendRect(float x, float y, float ux, float uy, float lengthPx, int style, const std::string& text,
                             Rect2& rect);

// Drawing the geometric records.
void Rect2Draw(const Rect2& rect);
void Quad2Draw(const Quad2& quad);
void Triangle2Draw(const Triangle2& triangle);
bool RectIntersectsView(const Rect2& rect);
bool RectIntersectsDrawingArea(const Rect2& rect);

// Scale and derived sizes: a scale of 0 becomes 1.
void SetGraphicsScale(float scale);
void ComputeLabelOffsets();
void SetArrowSize(float basePx);
// The symbol margin that row and item bounds are grown by.
float SymbolMargin();
// Set while the graphics window forwards a command to another window: the
// view then never shifts.
inline bool g_ForwardingCommand = false;

// The title line of the current result picture; empty outside the result
// displays. The result displays set it (any thread) as they show a
// deflected or mode shape and clear it as they take the shape away; the
// printed page puts it in its footer.
void DrawGraphicsTitle(std::string& buffer);
void SetGraphicsTitle(const std::string& title);
