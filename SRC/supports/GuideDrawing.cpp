// The guide's symbol (see Guide.h). Its size s is 1.2 pipe radii at the row
// (5 pixels at the least, so that a guide never vanishes under the node's
// mark zoomed out). In lines, in the support pen, two rails 2.5 s long along
// the pipe's screen direction, s to either side of the node: the pipe runs
// between them; the rectangle they span is picked. Rendered, a block round
// the pipe, 2.67 s along it and 2 s across, in the guide's rust colour, and
// a rod of 0.2 s to the connected node when the model has that node; the
// block's faces and the rod's outline are picked.
//
// Drawing runs on the graphics thread and never throws: a node no pipe gives
// a direction to draws its rails along the screen's x axis.
#include <GL/gl.h>

#include <algorithm>

#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/GlSolids.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "model/RowDrawing.h"
#include "supports/Guide.h"

namespace {

constexpr float kSmallestSizePx = 5.0f;
constexpr float kHalfLength = 1.25f;   // of the rails, in s
constexpr float kBlockLength = 2.6667f;  // along the pipe, in s
constexpr float kRodRadius = 0.2f;     // in s

bool ValidNode(const Model& model, int index) { return index >= 1 && index <= model.nodes.count; }

float GuideSize(const Model& model) {
  float s = 1.2f * PipeRadiusAtRow(model, DispatchedRow());
  if (!(s >= 1.0e-36f)) s = 1.0f;
  return std::max(s, SupportPixels(kSmallestSizePx));
}

Vec3 PipeAxisAt(const Model& model, int nodeIndex) {
  Vector3 direction{1.0f, 0.0f, 0.0f};
  if (PipeDirectionAtNode(model, nodeIndex, direction, false) != 0) direction = {1.0f, 0.0f, 0.0f};
  return Vec3{direction[0], direction[1], direction[2]};
}

}  // namespace

void Guide::BuildSymbol(LayoutRow& row) {
  const Model& model = TheModel();
  linked = false;
  if (!ValidNode(model, row.endNode)) return;
  const float s = GuideSize(model);
  const NodeRecord& node = model.nodes[row.endNode];
  const Vec3 at{node.x, node.y, node.z};
  const Vec3 axis = PipeAxisAt(model, row.endNode);

  float ux = 1.0f, uy = 0.0f;
  if (!SupportScreenDirection(axis, ux, uy)) {
    ux = 1.0f;
    uy = 0.0f;
  }
  const float nx = -uy, ny = ux;
  const float along[4] = {-kHalfLength * s, kHalfLength * s, kHalfLength * s, -kHalfLength * s};
  const float across[4] = {-s, -s, s, s};
  for (std::size_t i = 0; i < 4; ++i) {
    cornerX[i] = node.screenX + along[i] * ux + across[i] * nx;
    cornerY[i] = node.screenY + along[i] * uy + across[i] * ny;
  }
  Quad2Set(outline, cornerX[0], cornerY[0], cornerX[1], cornerY[1], cornerX[2], cornerY[2], cornerX[3], cornerY[3]);

  SymbolFrame3 frame;
  SymbolFrame3Set(frame, at, axis);
  BoxSymbolSet(block, at, kBlockLength * s, 2.0f * s, 2.0f * s, frame.axis1, frame.axis2);
  const int connected = connectedNode == 0 ? 0 : FindNodeIndex(model.nodes, connectedNode);
  if (connected != 0 && connected != row.endNode) {
    const NodeRecord& other = model.nodes[connected];
    TubeSymbolSet(rod, at, Vec3{other.x, other.y, other.z}, kRodRadius * s, false);
    linked = true;
  }
}

void Guide::ComputeSymbolBounds(LayoutRow& row) {
  DataItem::ComputeSymbolBounds(row);
  if (!ValidNode(TheModel(), row.endNode)) return;
  Quad2ExtendRect(outline, symbolBounds);
  Rect2Inflate(symbolBounds, SymbolMargin());
  glBounds = symbolBounds;
  BoxSymbolExtendRect(block, glBounds);
  if (linked) Quad2ExtendRect(rod.outline, glBounds);
}

void Guide::Draw2D(LayoutRow& row) {
  const Model& model = TheModel();
  if (!SupportKindShown(model, DataType::Guide) || !ValidNode(model, row.endNode)) return;
  // Made again at the scale drawn now: its least size is in pixels.
  BuildSymbol(row);
  SelectPen2(CurrentDrawingStyle().supportPen);
  DrawLine2(cornerX[0], cornerY[0], cornerX[1], cornerY[1]);
  DrawLine2(cornerX[2], cornerY[2], cornerX[3], cornerY[3]);
}

void Guide::DrawGl(LayoutRow& row) {
  if (!SupportKindShown(TheModel(), DataType::Guide)) return;
  BuildSymbol(row);
  SetSupportGlColour(row, 0.8f, 0.4f, 0.2f);
  GlDrawBoxSymbol(block);
  if (linked) ElementDrawSegment(rod);
}

void Guide::DrawPickAreas() {
  for (const Quad2& face : block.faces) Quad2Draw(face);
  if (linked) Quad2Draw(rod.outline);
}

bool Guide::EditDialog(int rowNumber, float x, float y) { return EditPickedSupport(*this, rowNumber, x, y); }

bool Guide::SymbolHit(float x, float y, bool rendered) const {
  if (!rendered) return Quad2Contains(outline, x, y);
  for (const Quad2& face : block.faces)
    if (Quad2Contains(face, x, y)) return true;
  return linked && Quad2Contains(rod.outline, x, y);
}
