// The drawing colours for each background and their pens and brushes (see
// DrawingColours.h).
#include "model/DrawingColours.h"

#include "platform/Gdi.h"
#include "records/AnalysisOptions.h"

namespace {

struct Palette {
  COLORREF background, element, support, label, nodeNumber, length, rowNumber, axes, legendText, scaleText, dot,
      highlight, contrast, labelBox, rubberBand, construction, load;
};

// Dark lines on white, as on a drawing; light lines on black.
constexpr Palette kWhite{RGB(255, 255, 255), RGB(0, 0, 140),   RGB(200, 0, 0),     RGB(0, 0, 0),
                         RGB(90, 90, 90),    RGB(0, 0, 0),     RGB(0, 128, 192),   RGB(60, 60, 60),
                         RGB(0, 0, 0),       RGB(0, 0, 0),     RGB(0, 0, 0),       RGB(255, 0, 255),
                         RGB(0, 0, 0),       RGB(255, 255, 0), RGB(128, 128, 128),
                         RGB(140, 140, 170), RGB(0, 128, 0)};
constexpr Palette kBlack{RGB(0, 0, 0),       RGB(0, 220, 220),   RGB(255, 80, 80),   RGB(255, 255, 255),
                         RGB(200, 200, 200), RGB(255, 255, 255), RGB(0, 192, 128),   RGB(200, 200, 200),
                         RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 0, 255),
                         RGB(255, 255, 255), RGB(0, 0, 255),     RGB(128, 128, 128),
                         RGB(110, 140, 140), RGB(0, 230, 0)};

constexpr COLORREF kBackdrop = RGB(128, 128, 128);

struct Tools {
  DrawingStyle normal;
  DrawingStyle current;
  HPEN contrastPen = nullptr;
  HBRUSH contrastBrush = nullptr;
  HPEN backdropPen = nullptr;
  HBRUSH backdropBrush = nullptr;
  COLORREF highlight = 0;
  COLORREF contrast = 0;
};

Tools& State() {
  static Tools tools;
  return tools;
}

const Palette& CurrentPalette() { return WhiteBackground() ? kWhite : kBlack; }

void Delete(HGDIOBJ& object) {
  if (object != nullptr) DeleteObject(object);
  object = nullptr;
}

template <typename Handle>
void DeleteHandle(Handle& handle) {
  HGDIOBJ object = handle;
  Delete(object);
  handle = nullptr;
}

}  // namespace

DrawingStyle& CurrentDrawingStyle() { return State().current; }

bool WhiteBackground() { return ProgramOptionsGraphicsSettings().OpenGlWhiteBackground != 0; }

void SetWhiteBackground(bool white) { ProgramOptionsGraphicsSettings().OpenGlWhiteBackground = white ? 1 : 0; }

void SetBackgroundColours() {
  DeleteDrawingTools();
  const Palette& p = CurrentPalette();
  Tools& tools = State();
  DrawingStyle& s = tools.normal;
  s.background = p.background;
  s.element = p.element;
  s.support = p.support;
  s.label = p.label;
  s.nodeNumber = p.nodeNumber;
  s.length = p.length;
  s.rowNumber = p.rowNumber;
  s.axes = p.axes;
  s.legendText = p.legendText;
  s.scaleText = p.scaleText;
  s.dot = p.dot;
  s.construction = p.construction;
  s.load = p.load;
  s.elementPen = CreatePen(PS_SOLID, 1, p.element);
  s.supportPen = CreatePen(PS_SOLID, 1, p.support);
  // The label box and the rubber band are drawn in XOR: their colour is the
  // one that turns the background into a visible colour and back.
  s.labelPen = CreatePen(PS_SOLID, 1, p.labelBox);
  s.axesPen = CreatePen(PS_SOLID, 1, p.axes);
  s.rubberBandPen = CreatePen(PS_DOT, 1, p.rubberBand);
  s.backgroundPen = CreatePen(PS_SOLID, 1, p.background);
  // The highlighted item stands out by its colour and its blinking, on the
  // pixels of its own lines: hiding it draws it once more in the normal pen,
  // which must cover every pixel the highlight drew.
  s.highlightPen = CreatePen(PS_SOLID, 1, p.highlight);
  s.constructionPen = CreatePen(PS_DOT, 1, p.construction);
  // Loads are drawn apart from the supports that hold the pipe against them.
  s.loadPen = CreatePen(PS_SOLID, 1, p.load);
  s.dotBrush = CreateSolidBrush(p.dot);
  s.supportBrush = CreateSolidBrush(p.support);
  s.highlightBrush = CreateSolidBrush(p.highlight);
  s.backgroundBrush = CreateSolidBrush(p.background);
  tools.contrastPen = CreatePen(PS_SOLID, 1, p.contrast);
  tools.contrastBrush = CreateSolidBrush(p.contrast);
  tools.backdropPen = CreatePen(PS_SOLID, 1, kBackdrop);
  tools.backdropBrush = CreateSolidBrush(kBackdrop);
  tools.highlight = p.highlight;
  tools.contrast = p.contrast;
  tools.current = s;
}

void UseHighlightColours(bool contrast) {
  Tools& tools = State();
  DrawingStyle& s = tools.current;
  s = tools.normal;
  const COLORREF colour = contrast ? tools.contrast : tools.highlight;
  s.elementPen = s.supportPen = s.loadPen = contrast ? tools.contrastPen : tools.normal.highlightPen;
  s.supportBrush = s.dotBrush = contrast ? tools.contrastBrush : tools.normal.highlightBrush;
  s.element = s.support = s.label = s.nodeNumber = s.load = colour;
}

void UseNormalColours() { State().current = State().normal; }

void UseShapeBackdropColours() {
  Tools& tools = State();
  DrawingStyle& s = tools.current;
  s = tools.normal;
  s.elementPen = s.supportPen = s.loadPen = tools.backdropPen;
  s.supportBrush = s.dotBrush = tools.backdropBrush;
  s.element = s.support = s.label = s.load = kBackdrop;
}

void DeleteDrawingTools() {
  Tools& tools = State();
  DrawingStyle& s = tools.normal;
  DeleteHandle(s.elementPen);
  DeleteHandle(s.supportPen);
  DeleteHandle(s.labelPen);
  DeleteHandle(s.axesPen);
  DeleteHandle(s.rubberBandPen);
  DeleteHandle(s.backgroundPen);
  DeleteHandle(s.highlightPen);
  DeleteHandle(s.constructionPen);
  DeleteHandle(s.loadPen);
  DeleteHandle(s.dotBrush);
  DeleteHandle(s.supportBrush);
  DeleteHandle(s.highlightBrush);
  DeleteHandle(s.backgroundBrush);
  DeleteHandle(tools.contrastPen);
  DeleteHandle(tools.contrastBrush);
  DeleteHandle(tools.backdropPen);
  DeleteHandle(tools.backdropBrush);
  tools.current = s;
}

COLORREF HighlightColour() { return State().highlight; }

COLORREF ValueColour(bool aboveLimit) {
  return aboveLimit ? RGB(255, 0, 0) : (WhiteBackground() ? RGB(0, 128, 0) : RGB(0, 255, 0));
}
