// The graphics thread's copy of the model (see DrawnModel.h).
#include "editing/DrawnModel.h"

#include <algorithm>

#include "elements/Bend.h"
#include "elements/JacketedBend.h"
#include "elements/JacketedPipe.h"
#include "model/Model.h"

namespace {

// The jacket's nodes that making the model placed.
void CopyMadeJacket(const LayoutRow& source, LayoutRow& target) {
  if (const auto* from = dynamic_cast<const JacketedPipe*>(source.element.get())) {
    auto* to = dynamic_cast<JacketedPipe*>(target.element.get());
    if (to == nullptr) return;
    to->jacketStartNode = from->jacketStartNode;
    to->jacketEndNode = from->jacketEndNode;
  }
  if (const auto* from = dynamic_cast<const JacketedBend*>(source.element.get())) {
    auto* to = dynamic_cast<JacketedBend*>(target.element.get());
    if (to == nullptr) return;
    to->jacketStartNode = from->jacketStartNode;
    to->jacketNearNode = from->jacketNearNode;
    to->jacketFarNode = from->jacketFarNode;
    std::copy(std::begin(from->jacketCentre), std::end(from->jacketCentre), std::begin(to->jacketCentre));
  }
}

// The arc that making the model placed; CopyFrom copies only the input.
void CopyMadeGeometry(const LayoutRow& source, LayoutRow& target) {
  CopyMadeJacket(source, target);
  const auto* from = dynamic_cast<const Bend*>(source.element.get());
  auto* to = dynamic_cast<Bend*>(target.element.get());
  if (from == nullptr || to == nullptr) return;
  to->BendGeometryValid = from->BendGeometryValid;
  to->bendAngle = from->bendAngle;
  std::copy(std::begin(from->centre), std::end(from->centre), std::begin(to->centre));
  to->farNode = from->farNode;
}

}  // namespace

void CopyModelForDrawing(const Model& source, Model& target) {
  target.path = source.path;
  target.title = source.title;  // the plot title of printed and exported pictures
  target.options = source.options;
  target.graphics = source.graphics;
  target.materials = source.materials;
  target.sections = source.sections;
  target.pipeLoads = source.pipeLoads;
  target.beamMaterials = source.beamMaterials;
  target.beamSections = source.beamSections;
  target.beamLoads = source.beamLoads;
  target.nodes = source.nodes;
  target.lists = source.lists;
  target.currentRow = source.currentRow;
  target.listName = source.listName;
  target.rows.clear();
  target.rowCount = std::clamp(source.rowCount, 0, kMaxLayoutRows);
  for (int number = 1; number <= target.rowCount; ++number) {
    CopyLayoutRow(target.row(number), source.row(number));
    CopyMadeGeometry(source.row(number), target.row(number));
  }
}
