// Check Connections (see ConnectivityCheck.h).
#include "editing/ConnectivityCheck.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "editing/LayoutTable.h"
#include "model/Model.h"
#include "model/RowOperations.h"
#include "platform/Window.h"
#include "services/Message.h"
#include "services/TableWindow.h"
#include "services/ViewRequests.h"
#include "supports/Guide.h"
#include "supports/Hanger.h"
#include "supports/LimitStop.h"
#include "supports/SkewedRestraint.h"

namespace {

bool IsCheckedElement(const LayoutRow& row) {
  if (row.node == 0) return false;
  switch (row.elementType) {
    case ElementType::None:
    case ElementType::From:
    case ElementType::Location:
    case ElementType::Comment:
    case ElementType::HydrotestLoad: return false;
    default: return true;
  }
}

std::int32_t ConnectedNodeOf(const LayoutRow& row) {
  if (const auto* item = dynamic_cast<const SkewedRestraint*>(row.item.get())) return item->connectedNode;
  if (const auto* item = dynamic_cast<const Hanger*>(row.item.get())) return item->connectedNode;
  if (const auto* item = dynamic_cast<const Guide*>(row.item.get())) return item->connectedNode;
  if (const auto* item = dynamic_cast<const LimitStop*>(row.item.get())) return item->connectedNode;
  return 0;
}

// Half the outside diameter of the row's section, within 0.05 .. 0.5 in.
double Tolerance(const Model& model, const LayoutRow& row) {
  const int section = FindSectionByName(model.sections, row.section);
  if (section < 1) return 0.05;
  return std::min(0.5, static_cast<double>(model.sections[section].outsideDiameter) / 2.0);
}

}  // namespace

namespace {

// The first element row other than `own` whose line passes through node
// `index` (number `id`) without being connected to it; 0 when none. `own`
// is the element that ends (or starts) the run there.
int TouchedElement(const Model& model, int index, std::int32_t id, int own) {
  if (index < 1 || index > model.nodes.count) return 0;
  const NodeRecord& p = model.nodes[index];
  for (int j = 1; j <= model.rowCount; ++j) {
    if (j == own) continue;
    const LayoutRow& other = model.row(j);
    if (!IsCheckedElement(other)) continue;
    if (other.runStart == index || other.runEnd == index) return 0;
    if (ConnectedNodeOf(other) != 0 && ConnectedNodeOf(other) == id) return 0;
    if (other.runStart < 1 || other.runEnd < 1) continue;
    const NodeRecord& a = model.nodes[other.runStart];
    const NodeRecord& b = model.nodes[other.runEnd];
    const double d[3] = {double(b.x) - a.x, double(b.y) - a.y, double(b.z) - a.z};
    const double ap[3] = {double(p.x) - a.x, double(p.y) - a.y, double(p.z) - a.z};
    const double length2 = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
    if (length2 < 1.0e-8) continue;
    const double t = (ap[0] * d[0] + ap[1] * d[1] + ap[2] * d[2]) / length2;
    if (t < -0.01 || t > 1.01) continue;
    double off2 = 0.0;
    for (int k = 0; k < 3; ++k) off2 += (ap[k] - t * d[k]) * (ap[k] - t * d[k]);
    const double tolerance = Tolerance(model, other);
    if (off2 < tolerance * tolerance) return j;
  }
  return 0;
}

}  // namespace

int FindTouchedElement(const Model& model, int row) {
  const LayoutRow& end = model.row(row);
  return TouchedElement(model, end.endNode, end.node, row);
}

std::vector<LooseEnd> FindLooseEnds(const Model& model) {
  std::vector<LooseEnd> ends;
  for (int r = 1; r <= model.rowCount; ++r) {
    const LayoutRow& row = model.row(r);
    // A run's start is as free as its end: a mistyped From node leaves the
    // run beside the pipe it was meant to start on.
    if (row.elementType == ElementType::From && row.node != 0) {
      const int first = NextElementRow(model, r);
      if (first != 0 && IsCheckedElement(model.row(first)))
        if (const int touched = TouchedElement(model, row.endNode, row.node, first)) ends.push_back({r, touched});
      continue;
    }
    if (!IsCheckedElement(row)) continue;
    const int next = NextElementRow(model, r);
    const bool runEnds =
        next == 0 || (model.row(next).elementType == ElementType::From && model.row(next).node != row.node);
    if (!runEnds) continue;
    if (const int touched = FindTouchedElement(model, r)) ends.push_back({r, touched});
  }
  return ends;
}

void CheckConnections(HWND owner) {
  const Model& model = TheModel();
  const std::vector<LooseEnd> ends = model.rowCount == 0 ? std::vector<LooseEnd>() : FindLooseEnds(model);
  if (ends.empty()) {
    ShowInfoMessage(owner, "There are probably no bad connections.");
    return;
  }
  for (const LooseEnd& end : ends) {
    LayoutTable& table = TheLayoutTable();
    if (table.windowRecord != nullptr) TableGoTo(table, end.row);
    HighlightElementRow(end.row);
    char text[160];
    std::snprintf(text, sizeof text, "At row = %d, Node = %d\nis probably not connected to\nelement at row %d", end.row,
                  TheModel().row(end.row).node, end.touched);
    HWND foreground = GetForegroundWindow();
    ShowInfoMessage(foreground != nullptr ? foreground : owner, text);
  }
}
