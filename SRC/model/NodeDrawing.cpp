// Nodes in the picture (see NodeDrawing.h).
#include "model/NodeDrawing.h"

#include <cmath>

#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/GraphicsState.h"
#include "model/Model.h"
#include "model/Regenerate.h"
#include "model/RowDrawing.h"
#include "model/ViewProjection.h"
#include "services/NumberText.h"
#include "services/Units.h"

float g_StressLabelThreshold = 0.0f;
float g_RatioLabelThreshold = 0.0f;

void ResetLabelThresholds() { g_StressLabelThreshold = g_RatioLabelThreshold = 0.0f; }

namespace {

bool PointInDrawingArea(float x, float y) {
  return x >= PaintArea.left && x <= PaintArea.right && y >= PaintArea.bottom && y <= PaintArea.top;
}

bool PointInView(float x, float y) {
  return x >= ViewWindow.left && x <= ViewWindow.right && y >= ViewWindow.bottom && y <= ViewWindow.top;
}

void DrawValueText(const NodeRecord& node, const std::string& text) {
  DrawText2(node.screenX + LabelOffsetX, node.screenY - LabelOffsetY, text);
}

}  // namespace

void ProjectNode(NodeRecord& node) { ProjectPointToView(node.x, node.y, node.z, node.screenX, node.screenY); }

void DrawNodeMarker(NodeRecord& node) {
  Rect2& box = node.labelBounds;
  Rect2Reset(box);
  const float baseline = node.screenY - LabelOffsetY;
  Rect2Extend(box, node.screenX, node.screenY);
  Rect2Extend(box, node.screenX, baseline);
  Rect2Extend(box, node.screenX + LabelOffsetX + LabelSampleWidth, baseline + LabelSampleHeight);
  Rect2Inflate(box, Size4Px);
  Rect2ExtendRect(ViewExtents, box);
}

void NodeOnScreen(const NodeRecord& node) {
  if (PointInDrawingArea(node.screenX, node.screenY)) DrawMark2(node.screenX, node.screenY);
}

bool NodeLabelVisible(const Model& model, int nodeIndex) {
  if (nodeIndex < 1 || nodeIndex > model.nodes.count) return false;
  const GraphicsSettings& settings = model.graphics;
  const bool numbersOn = g_RenderedMode ? settings.showNodeNumbersGl != 0 : settings.show[kShowNodeNumbers] != 0;
  if (!numbersOn) return false;
  const NodeRecord& node = model.nodes[nodeIndex];
  if (node.id > 100000) return false;
  if (settings.numbersAtAllNodes != 0) return true;
  const int creator = node.row;
  if (creator >= 1 && creator <= model.rowCount) {
    const int id = model.row(creator).node;
    for (int number = 1; number <= model.rowCount; ++number)
      if (model.row(number).node == id && RowKindShown(model, number)) return true;
  }
  return settings.numberKinds[kNumberBranchPoints] != 0 && IsBranchNode(model, nodeIndex);
}

void DrawNodeLabel(const Model& model, int nodeIndex) {
  if (!NodeLabelVisible(model, nodeIndex)) return;
  const NodeRecord& node = model.nodes[nodeIndex];
  if (!RectIntersectsDrawingArea(node.labelBounds)) return;
  DrawText2(node.screenX + LabelOffsetX, node.screenY - LabelOffsetY, NodeNumberText(node.id));
}

void HighlightNodeMarker(const Model& model, int nodeIndex) {
  if (nodeIndex < 1 || nodeIndex > model.nodes.count) return;
  const NodeRecord& node = model.nodes[nodeIndex];
  const GraphicsSettings& settings = model.graphics;
  const DrawingStyle& style = CurrentDrawingStyle();
  const bool dots = g_RenderedMode ? settings.showNodeDotsGl != 0 : settings.show[kShowNodeDots] != 0;
  if (dots && RectIntersectsDrawingArea(node.labelBounds)) {
    SelectBrush2(style.highlightBrush);
    DrawMark2(node.screenX, node.screenY);
    SelectBrush2(style.dotBrush);
  }
  SetTextColour2(HighlightColour());
  DrawNodeLabel(model, nodeIndex);
}

void DrawNodeStressLabel(const NodeRecord& node, float value) {
  if (!(std::fabs(value) >= g_StressLabelThreshold) || !PointInView(node.screenX, node.screenY)) return;
  DrawValueText(node, FormatStress(value));
}

void DrawNodeRatioLabel(const NodeRecord& node, float value) {
  if (!(value >= g_RatioLabelThreshold) || !PointInView(node.screenX, node.screenY)) return;
  DrawValueText(node, FormatRatio(value));
}
