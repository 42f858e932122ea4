// The shared span pictures; see SpanSymbols.h. Run on the graphics thread.
#include "elements/SpanSymbols.h"

#include "model/Drawing2D.h"
#include "model/GraphicsState.h"
#include "model/RowObjects.h"
#include "services/ViewRequests.h"

void SetSpanBand(Quad2& band, int startNode, int endNode, float halfWidth) {
  SpanFrame2 span;
  SpanFrame2FromNodes(span, startNode, endNode);
  float xs[4] = {0.0f, 1.0f, 1.0f, 0.0f};
  float ys[4] = {-halfWidth, -halfWidth, halfWidth, halfWidth};
  for (int i = 0; i < 4; ++i) SpanFrame2Map(span, xs[i], ys[i]);
  Quad2Set(band, xs[0], ys[0], xs[1], ys[1], xs[2], ys[2], xs[3], ys[3]);
}

void DrawBarsAcrossSpan(int startNode, int endNode, float halfWidth, std::initializer_list<float> at) {
  SpanFrame2 span;
  SpanFrame2FromNodes(span, startNode, endNode);
  for (const float fraction : at) SpanFrame2DrawLine(span, fraction, -halfWidth, fraction, halfWidth);
}

void DrawBoxFaces(const BoxSymbol& box) {
  for (const Quad2& face : box.faces) Quad2Draw(face);
}

bool EditBoxElement(ElementData& element, int rowNumber, float x, float y, bool shown, const BoxSymbol& box,
                    const Quad2& band) {
  if (!GraphicsPickInProgress()) return element.ElementData::EditDialog(rowNumber, x, y);
  if (!shown) return false;
  bool hit = false;
  if (g_RenderedMode) {
    for (const Quad2& face : box.faces) hit = hit || Quad2Contains(face, x, y);
  } else {
    hit = Quad2Contains(band, x, y);
  }
  if (hit) RequestPickedRowEdit(rowNumber, false);
  return hit;
}
