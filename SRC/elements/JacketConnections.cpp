// The jacket connections; see JacketConnections.h.
#include "elements/JacketConnections.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "elements/JacketEndCap.h"
#include "elements/Spider.h"
#include "kindbase/ElementAssembly.h"
#include "kindbase/KindList.h"
#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/GlSolids.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "model/Nodes.h"
#include "model/RowDrawing.h"
#include "model/ViewProjection.h"
#include "platform/Menu.h"
#include "printing/ReportOutput.h"
#include "printing/RowDetails.h"
#include "services/Assert.h"
#include "services/ReportMode.h"

namespace {

constexpr double kTie = 1.0e12;
constexpr int kDeleteConnection = 126;

bool ValidNode(const NodeTable& nodes, int index) { return index >= 1 && index <= nodes.count; }

const char* TypeText(DataType type) { return type == DataType::Spider ? "Spider" : "End Cap"; }

// The symbols' radius: the jacket's (or the pipe's) at the row, never 0.
float SymbolRadius(const Model& model, int row) {
  float r = ElementOuterRadius(model, row);
  if (r <= 0.0f) r = PipeRadiusAtRow(model, row);
  return r > 0.0f ? r : 1.0f;
}

// The pipe's direction at the node, in model units, and its view direction.
Vec3 PipeAxis(const Model& model, int node) {
  Vector3 direction{};
  PipeDirectionAtNode(model, node, direction, false);
  return {direction[0], direction[1], direction[2]};
}

// --- the list ---------------------------------------------------------------------------

class ConnectionsList : public KindListTable {
 public:
  ConnectionsList()
      : KindListTable(DataType::Spider, RowListKind::JacketConnections, "Jacket connections", "Jacket connection", 2,
                      1) {}
  std::string HeadingText(int column, int line) override {
    if (line != 0) return {};
    return column == 1 ? "Node" : column == 2 ? "Type" : "";
  }
  std::string CellText(int row, int column, int) override {
    const int layoutRow = LayoutRowOf(row);
    if (layoutRow == 0) return {};
    const LayoutRow& target = TheModel().row(layoutRow);
    if (column == 1) return NodeNumberText(target.node);
    return column == 2 ? TypeText(target.dataType) : "";
  }
  // No dialog: a connection has nothing to edit.
  void EditCurrentItem() override {}
  void ContextMenu() override {
    HMENU menu = CreatePopupMenu();
    AppendMenu(menu, MF_STRING, kDeleteConnection, "&Delete jacket connection");
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, popupPoint.x, popupPoint.y, 0, frame, nullptr);
    DestroyMenu(menu);
  }
  void WriteText() override { PrintJacketConnectionsDetails(); }
};

ConnectionsList& TheList() {
  static ConnectionsList list;
  return list;
}

}  // namespace

ElementAxes FindSpiderDirection(const Model& model, int node) {
  const Vector3 direction = SpiderDirection(model, node);
  ElementAxes axes;
  axes.x = {direction[0], direction[1], direction[2]};
  const double x1 = axes.x[0], x2 = axes.x[1], x3 = axes.x[2];
  const double h = std::sqrt(x1 * x1 + x3 * x3);
  axes.y = h < 0.0005 ? Vector3d{0.0, 0.0, 1.0} : Vector3d{-x1 * x2 / h, h, -x2 * x3 / h};
  axes.z = Cross(axes.x, axes.y);
  return axes;
}

void AssembleJacketCouplings(const Model& model, const std::vector<JacketCoupling>& couplings) {
  for (const JacketCoupling& tie : couplings) {
    if (!tie.spider) {
      AssembleRigidLink(model, tie.core, tie.jacket);
      continue;
    }
    // Node 1 the core, node 2 the jacket: tied along local y and z only.
    Matrix12d K{};
    for (int i : {1, 2}) {
      K[i][i] = K[i + 6][i + 6] = kTie;
      K[i][i + 6] = K[i + 6][i] = -kTie;
    }
    AddElementStiffness(K, FindSpiderDirection(model, tie.core), ElementEquations(model, tie.core, tie.jacket));
  }
}

TableWindow& JacketConnectionsListTable() { return TheList(); }

bool JacketConnectionsListOffered(const Model& model) { return model.lists[RowListKind::JacketConnections].count > 0; }

void OpenJacketConnectionsList() { TheList().Open(OpenJacketConnectionsList, nullptr); }

void JacketConnectionDetailsText(int row) {
  const char* type = TypeText(TheModel().row(row).dataType);
  if (g_ReportToFile)
    ReportPutCell(type);
  else
    ReportPutText(type, 13);
}

void PrintJacketConnectionsDetails() {
  KindListPrintTable table(TheList());
  DetailsRequest request = InitDetailsRequest(kDetailsDataRows, static_cast<int>(DataType::Spider), TheList().title,
                                              {{"Node", 1, 6}, {"Type", 1, 13}}, 0, {}, {}, 1);
  request.putText = JacketConnectionDetailsText;
  request.csvHeadings = {"Node,Type"};
  PrintKindDetailsSection(TheList(), table, std::move(request));
}

// --- the symbols ---------------------------------------------------------------------

std::string Spider::CellText(int column) const { return column == 2 ? "Spider" : ""; }
std::string JacketEndCap::CellText(int column) const { return column == 2 ? "End Cap" : ""; }

void Spider::BuildSymbol(LayoutRow& row) {
  const Model& model = TheModel();
  shown = ValidNode(model.nodes, row.endNode);
  if (!shown) return;
  const float r = SymbolRadius(model, DispatchedRow()), R = 1.03f * r;
  const NodeRecord& node = model.nodes[row.endNode];
  SymbolFrame3 frame;
  SymbolFrame3Set(frame, {node.x, node.y, node.z}, PipeAxis(model, row.endNode));
  const float ends[3][2] = {{R, 0.0f}, {-0.5f * R, 0.866f * R}, {-0.5f * R, -0.866f * R}};
  for (int i = 0; i < 3; ++i)
    TubeSymbolFromLocal(spokes[i], frame, {0.0f, 0.0f, 0.0f}, {0.0f, ends[i][0], ends[i][1]}, 0.15f * r, true);
  // In lines: the same spokes projected, at least 8 pixels long.
  float longest = 0.0f;
  for (int i = 0; i < 3; ++i) {
    float vx = 0.0f, vy = 0.0f;
    ProjectPointToView(node.x + ends[i][0] * frame.axis2[0] + ends[i][1] * frame.axis3[0],
                       node.y + ends[i][0] * frame.axis2[1] + ends[i][1] * frame.axis3[1],
                       node.z + ends[i][0] * frame.axis2[2] + ends[i][1] * frame.axis3[2], vx, vy);
    float cx = 0.0f, cy = 0.0f;
    ProjectPointToView(node.x, node.y, node.z, cx, cy);
    tips[i][0] = vx - cx;
    tips[i][1] = vy - cy;
    longest = std::max(longest, std::hypot(tips[i][0], tips[i][1]));
  }
  const float scale = longest < Size8Px ? (longest > 0.0f ? Size8Px / longest : 0.0f) : 1.0f;
  for (auto& tip : tips) {
    tip[0] *= scale;
    tip[1] *= scale;
  }
  if (longest <= 0.0f) {  // seen end on at a point: a fixed three-legged sign
    const float signs[3][2] = {{0.0f, 1.0f}, {0.866f, -0.5f}, {-0.866f, -0.5f}};
    for (int i = 0; i < 3; ++i) {
      tips[i][0] = signs[i][0] * Size8Px;
      tips[i][1] = signs[i][1] * Size8Px;
    }
  }
  x = node.screenX;
  y = node.screenY;
}

void Spider::ComputeSymbolBounds(LayoutRow& /*row*/) {
  Rect2Reset(symbolBounds);
  Rect2Reset(glBounds);
  if (!shown) return;
  Rect2Extend(symbolBounds, x, y);
  for (const auto& tip : tips) Rect2Extend(symbolBounds, x + tip[0], y + tip[1]);
  for (const TubeSymbol& spoke : spokes) Quad2ExtendRect(spoke.outline, glBounds);
}

void Spider::Draw2D(LayoutRow& /*row*/) {
  if (!shown) return;
  SelectPen2(CurrentDrawingStyle().supportPen);
  for (const auto& tip : tips) DrawLine2(x, y, x + tip[0], y + tip[1]);
}

void Spider::DrawGl(LayoutRow& /*row*/) {
  if (!shown) return;
  if (GlElementColourIsSet()) glColor3f(0.4f, 0.6f, 0.8f);
  for (const TubeSymbol& spoke : spokes) ElementDrawSegment(spoke);
}

void Spider::DrawPickAreas() {
  for (const TubeSymbol& spoke : spokes) Quad2Draw(spoke.outline);
}

void JacketEndCap::BuildSymbol(LayoutRow& row) {
  const Model& model = TheModel();
  shown = ValidNode(model.nodes, row.endNode);
  if (!shown) return;
  const float R = 1.02f * SymbolRadius(model, DispatchedRow());
  const NodeRecord& node = model.nodes[row.endNode];
  const Vec3 axis = PipeAxis(model, row.endNode);
  SymbolFrame3 frame;
  SymbolFrame3Set(frame, {node.x, node.y, node.z}, axis);
  TubeSymbolFromLocal(disc, frame, {-0.075f * R, 0.0f, 0.0f}, {0.075f * R, 0.0f, 0.0f}, R, true);
  // In lines, across the pipe's screen direction.
  float ux = 0.0f, uy = 0.0f;
  ProjectDirectionToView(axis[0], axis[1], axis[2], ux, uy);
  const float length = std::hypot(ux, uy);
  if (length > 0.0f) {
    ux /= length;
    uy /= length;
  } else {
    ux = 1.0f;
    uy = 0.0f;
  }
  const float half = std::max(R, Size6Px);
  x1 = node.screenX - uy * half;
  y1 = node.screenY + ux * half;
  x2 = node.screenX + uy * half;
  y2 = node.screenY - ux * half;
}

void JacketEndCap::ComputeSymbolBounds(LayoutRow& /*row*/) {
  Rect2Reset(symbolBounds);
  Rect2Reset(glBounds);
  if (!shown) return;
  Rect2Extend(symbolBounds, x1, y1);
  Rect2Extend(symbolBounds, x2, y2);
  Quad2ExtendRect(disc.outline, glBounds);
}

void JacketEndCap::Draw2D(LayoutRow& /*row*/) {
  if (!shown) return;
  SelectPen2(CurrentDrawingStyle().supportPen);
  DrawLine2(x1, y1, x2, y2);
}

void JacketEndCap::DrawGl(LayoutRow& /*row*/) {
  if (!shown) return;
  if (GlElementColourIsSet()) glColor3f(0.4f, 0.6f, 0.8f);
  ElementDrawSegment(disc);
}

void JacketEndCap::DrawPickAreas() { Quad2Draw(disc.outline); }
