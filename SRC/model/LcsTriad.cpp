// The local-axes triad (see LcsTriad.h).
#include "model/LcsTriad.h"

#include <cmath>

#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/GraphicsState.h"
#include "model/Model.h"
#include "model/NodeDrawing.h"
#include "model/ViewProjection.h"
#include "services/ViewRequests.h"

namespace {

// The triad's axes are 1.25 symbol sizes long, their letters 1.5 out.
constexpr float kTriadSymbolPx = 32.0f;
constexpr float kLetterHalfPx = 5.0f;

float Length(const std::array<float, 3>& v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

void DrawInverted(LcsTriad& triad) {
  DrawOnGraphicsWindow(true, [&triad] { DrawLcsTriad(triad); });
}

}  // namespace

LcsTriad& TheLcsTriad() {
  static LcsTriad triad;
  return triad;
}

void StoreLcsFrame(LcsTriad& triad, int node, const std::array<std::array<float, 3>, 3>& axes) {
  triad.node = node;
  triad.axes = axes;
}

bool LcsTriadGeometry(const LcsTriad& triad, LcsTriadShape& shape) {
  const NodeTable& nodes = TheModel().nodes;
  if (triad.node < 1 || triad.node > nodes.count) return false;
  shape.originX = nodes[triad.node].screenX;
  shape.originY = nodes[triad.node].screenY;
  const float length = 1.25f * kTriadSymbolPx * g_SymbolScale / GraphicsScaleCopy;
  const float h = kLetterHalfPx / GraphicsScaleCopy;
  for (int axis = 0; axis < 3; ++axis) {
    const auto& v = triad.axes[static_cast<std::size_t>(axis)];
    float px = 0.0f, py = 0.0f;
    ProjectPointToView(v[0], v[1], v[2], px, py);
    shape.axisEnd[axis][0] = shape.originX + px * length;
    shape.axisEnd[axis][1] = shape.originY + py * length;
    shape.labelAt[axis][0] = shape.originX + px * length * 1.5f;
    shape.labelAt[axis][1] = shape.originY + py * length * 1.5f;
  }
  // X: two crossing strokes; Y: three meeting in the middle; Z: three.
  const float letters[8][4] = {{-h, -h, h, h},  {-h, h, h, -h},   {-h, h, 0, 0},  {h, h, 0, 0},
                               {0, 0, 0, -h},   {-h, h, h, h},    {h, h, -h, -h}, {-h, -h, h, -h}};
  const int letterOf[8] = {0, 0, 1, 1, 1, 2, 2, 2};
  for (int stroke = 0; stroke < 8; ++stroke) {
    const float* at = shape.labelAt[letterOf[stroke]];
    shape.strokes[stroke][0] = at[0] + letters[stroke][0];
    shape.strokes[stroke][1] = at[1] + letters[stroke][1];
    shape.strokes[stroke][2] = at[0] + letters[stroke][2];
    shape.strokes[stroke][3] = at[1] + letters[stroke][3];
  }
  return true;
}

void DrawLcsTriad(const LcsTriad& triad) {
  LcsTriadShape shape;
  if (!LcsTriadGeometry(triad, shape)) return;
  SelectPen2(CurrentDrawingStyle().axesPen);
  for (const auto& end : shape.axisEnd) DrawLine2(shape.originX, shape.originY, end[0], end[1]);
  SelectPen2(CurrentDrawingStyle().supportPen);
  for (const auto& stroke : shape.strokes) DrawLine2(stroke[0], stroke[1], stroke[2], stroke[3]);
}

void ToggleLcsTriad(LcsTriad& triad) {
  if (!(Length(triad.axes[0]) >= 0.01f)) return;
  // The flag changes where the triad is drawn, so that a paint never sees
  // it change under it.
  if (PaintingWindowHandle() == nullptr) {
    triad.shown = !triad.shown;
    return;
  }
  RunOnGraphicsThread([&triad] {
    DrawInverted(triad);
    triad.shown = !triad.shown;
  });
}

void EraseLcsTriad(LcsTriad& triad) {
  if (!triad.shown) return;
  ToggleLcsTriad(triad);
  triad.shown = false;
}

void RedrawShownLcsTriad() {
  LcsTriad& triad = TheLcsTriad();
  if (triad.shown && Length(triad.axes[0]) >= 0.01f) DrawInverted(triad);
}

void DrawLcsNodeLabel(const LcsTriad& triad) {
  const Model& model = TheModel();
  if (triad.node < 1 || triad.node > model.nodes.count) return;
  SetTextColour2(CurrentDrawingStyle().label);
  DrawNodeLabel(model, triad.node);
}
