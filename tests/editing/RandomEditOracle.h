// The oracle of the random edit test (LayoutRandomEditTest.cpp): the
// rules the rows keep, counted by a reading of the rows of its own (not the
// program's rule code), so that a step may be asked whether it added to any
// count; and the rows as text lines, to show what a failing step changed.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "model/KindRecords.h"
#include "model/ModelGeometry.h"
#include "model/Nodes.h"
#include "model/Model.h"
#include "model/RowObjects.h"
#include "records/AllowableLoad.h"
#include "records/Compressor.h"
#include "records/Pump.h"

namespace random_edit {

using T = ElementType;

// The rules the rows keep, counted: a step may not add to any count.
enum Rule : int {
  kFirstFrom,     // the first element row is a From row
  kLocationNode,  // a Location names a node an earlier row made
  kLength,        // an element that makes its node has length
  kZeroOffsets,   // hinge, ball, Location and closing rows have no offsets
  kNamedNode,     // pumps, compressors, turbines, allowables, connected items name made nodes
  kFinite,        // every number held or derived is finite
  kHeld,          // an element is made as long as its offsets, a placed bend's arc ends as far from its corner
  kRules
};
const char* const kRuleNames[kRules] = {"the first From row leads", "a Location names a made node",
                                        "an element has length",    "joints, Locations and closings have no offsets",
                                        "named nodes are made",     "every number is finite",
                                        "the coordinates hold lengths and arcs"};
using RuleCounts = std::array<int, kRules>;

bool MakesNothing(T type) { return type == T::None || type == T::Comment || type == T::HydrotestLoad; }

// The row made as its offsets say, to within a quarter: the element as
// long, a placed bend's arc ends apart from the corner and equally far.
bool HeldAsMade(const Model& model, const LayoutRow& row, double length) {
  const auto at = [&](std::int32_t id) { return FindNodeIndex(model.nodes, id); };
  const auto apart = [&](int a, int b) { return NodeDistanceDouble(model.nodes, a, b); };
  const int end = at(row.node);
  if (row.startNode < 1 || end == 0) return true;
  if (std::fabs(apart(row.startNode, end) - length) > length / 4.0) return false;
  const BendRecord* bend = row.element != nullptr ? row.element->AsBend() : nullptr;
  if (bend == nullptr || bend->BendGeometryValid == 0) return true;
  const double a = apart(at(row.node + 100000), end), b = apart(at(row.node + 200000), end);
  return a > 0.0 && std::fabs(a - b) <= std::max(a, b) / 4.0;
}

// The oracle. Node numbers of 100000 and more stand for their plain number.
RuleCounts CountBrokenRules(const Model& model, std::vector<std::string>& notes) {
  RuleCounts counts{};
  auto note = [&](Rule rule, const std::string& text) {
    ++counts[rule];
    notes.push_back(std::string(kRuleNames[rule]) + ": " + text);
  };
  std::set<std::int32_t> made;
  bool seenElement = false;
  for (int r = 2; r <= model.rowCount; ++r) {
    const LayoutRow& row = model.row(r);
    const std::string at = "row " + std::to_string(r) + " node " + std::to_string(row.node);
    for (float value : {row.dx, row.dy, row.dz})
      if (!std::isfinite(value)) note(kFinite, at + " offset");
    if (MakesNothing(row.elementType)) continue;
    if (!seenElement && row.elementType != T::From) note(kFirstFrom, at);
    seenElement = true;
    const bool earlier = made.count(row.node) != 0;
    const bool offsets = row.dx != 0.0f || row.dy != 0.0f || row.dz != 0.0f;
    const double length = std::sqrt(double(row.dx) * row.dx + double(row.dy) * row.dy + double(row.dz) * row.dz);
    switch (row.elementType) {
      case T::From:
        break;
      case T::Location:
        if (!earlier) note(kLocationNode, at);
        if (offsets) note(kZeroOffsets, at);
        break;
      case T::HingeJoint:
      case T::BallJoint:
        if (offsets && !row.absolute) note(kZeroOffsets, at);
        break;
      default:
        if (row.absolute) break;
        if (earlier && offsets) note(kZeroOffsets, at + " closes a loop");
        if (!earlier && row.elementType != T::Elastic && !(length > 0.0001)) note(kLength, at);
        if (!earlier && length > 0.0001 && !HeldAsMade(model, row, length)) note(kHeld, at);
        break;
    }
    if (row.elementType != T::Location) made.insert(row.node);
    if (const BendRecord* bend = row.element != nullptr ? row.element->AsBend() : nullptr)
      for (std::int32_t node : {bend->intermediateNode1, bend->intermediateNode2})
        if (node != 0) made.insert(node);
  }
  // A layout with no element row (File > New gives one) breaks nothing.
  auto named = [&](std::int32_t node, const std::string& by) {
    if (node != 0 && made.count(node % 100000) == 0) note(kNamedNode, by + " names " + std::to_string(node));
  };
  for (int i = 1; i <= model.pumps.count; ++i) {
    named(model.pumps[i].suctionNode, "pump " + model.pumps[i].name);
    named(model.pumps[i].dischargeNode, "pump " + model.pumps[i].name);
  }
  for (const auto* table : {&model.compressors, &model.turbines})
    for (int i = 1; i <= table->count; ++i) {
      const RotatingEquipment& unit = (*table)[i];
      for (std::int32_t node : {unit.inletNode, unit.exhaustNode, unit.extractionNode1, unit.extractionNode2})
        named(node, "rotating equipment " + unit.description);
    }
  for (int i = 1; i <= model.allowables.count; ++i) named(model.allowables[i].node, "allowable");
  for (int r = 2; r <= model.rowCount; ++r) {
    const DataItem* item = model.row(r).item.get();
    if (item != nullptr && item->HasConnectedNode())
      named(item->ConnectedNode(), "the item of row " + std::to_string(r));
  }
  for (int i = 1; i <= model.nodes.count; ++i) {
    const NodeRecord& node = model.nodes[i];
    if (!std::isfinite(node.x) || !std::isfinite(node.y) || !std::isfinite(node.z))
      note(kFinite, "node " + std::to_string(node.id) + " coordinates");
  }
  const GraphicsSettings& view = model.graphics;
  for (float value : {view.viewLeft, view.viewBottom, view.viewRight, view.viewTop})
    if (!std::isfinite(value)) note(kFinite, "the view rectangle");
  return counts;
}

// The rows as text, one line each, to show what a failing step changed.
std::vector<std::string> RowLines(const Model& model) {
  std::vector<std::string> lines;
  for (int r = 1; r <= model.rowCount; ++r) {
    const LayoutRow& row = model.row(r);
    std::ostringstream line;
    line << r << ": node " << row.node << " type " << static_cast<int>(row.elementType) << " d " << row.dx << ","
         << row.dy << "," << row.dz << (row.absolute ? " abs" : "") << " names " << row.material << "/" << row.section
         << "/" << row.load << " data " << static_cast<int>(row.dataType);
    if (row.elementType == T::Comment && row.element != nullptr) line << " \"" << row.element->Text() << "\"";
    lines.push_back(line.str());
  }
  return lines;
}

std::string RowChanges(const std::vector<std::string>& before, const std::vector<std::string>& after) {
  std::string changes;
  for (std::size_t i = 0; i < std::max(before.size(), after.size()); ++i) {
    const std::string a = i < before.size() ? before[i] : "-", b = i < after.size() ? after[i] : "-";
    if (a != b) changes += "\n    was " + a + "\n    now " + b;
  }
  return changes.empty() ? " (no row changed)" : changes;
}

// The rows that make a node a pump, compressor, turbine, allowable,
// connected item, Location or closing row names.
std::vector<int> NamedRows(const Model& model) {
  std::set<std::int32_t> names;
  for (int i = 1; i <= model.pumps.count; ++i) names.insert({model.pumps[i].suctionNode, model.pumps[i].dischargeNode});
  for (const auto* table : {&model.compressors, &model.turbines})
    for (int i = 1; i <= table->count; ++i)
      names.insert(
          {(*table)[i].inletNode, (*table)[i].exhaustNode, (*table)[i].extractionNode1, (*table)[i].extractionNode2});
  for (int i = 1; i <= model.allowables.count; ++i) names.insert(model.allowables[i].node);
  std::set<std::int32_t> seen;
  for (int r = 2; r <= model.rowCount; ++r) {
    const LayoutRow& row = model.row(r);
    if (row.item != nullptr && row.item->HasConnectedNode()) names.insert(row.item->ConnectedNode());
    if (MakesNothing(row.elementType)) continue;
    if (row.elementType == T::Location || (seen.count(row.node) != 0 && row.elementType != T::From))
      names.insert(row.node);
    seen.insert(row.node);
  }
  std::vector<int> rows;
  std::set<std::int32_t> plain;
  for (std::int32_t node : names) plain.insert(node % 100000);
  for (int r = 2; r <= model.rowCount; ++r) {
    const LayoutRow& row = model.row(r);
    if (MakesNothing(row.elementType) || row.elementType == T::Location) continue;
    const BendRecord* bend = row.element != nullptr ? row.element->AsBend() : nullptr;
    if (plain.count(row.node) != 0 ||
        (bend != nullptr && (plain.count(bend->intermediateNode1) != 0 || plain.count(bend->intermediateNode2) != 0)))
      rows.push_back(r);
  }
  return rows;
}

}  // namespace random_edit
