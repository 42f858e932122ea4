// The per-kind row lists, the node connection counts and the branch nodes.
// Lists are filled by type code; the kinds' Count and Register operations
// are still called so that a kind can keep counters of its own. Each list
// keeps its array until a count passes its capacity, and then grows to the
// count + 16, so an edit rarely reallocates.
#include "model/Regenerate.h"

#include <algorithm>

#include "model/KindRecords.h"
#include "model/Model.h"
#include "model/RowObjects.h"
#include "model/RowOperations.h"

namespace {

constexpr int kListHeadroom = 16;

RowIndexList& List(Model& model, RowListKind kind) { return model.lists[kind]; }

void Append(RowIndexList& list, std::int32_t entry, bool store) {
  ++list.count;
  if (store) list.entries[static_cast<std::size_t>(list.count)] = entry;
}

bool HasDisplacements(const LayoutRow& row) {
  if (row.dataType != DataType::Anchor && row.dataType != DataType::Nozzle) return false;
  return row.item != nullptr && row.item->HasSpecifiedDisplacements();
}

bool HasReleases(const LayoutRow& row) {
  return row.dataType == DataType::Anchor && row.item != nullptr && row.item->HasReleases();
}

// Counts (store false) or lists (store true) one row in the lists of its kinds.
void EnterRow(Model& model, int number, bool store) {
  LayoutRow& row = model.row(number);
  RowListKind kind;
  if (row.elementType != ElementType::None && row.element &&
      RowListOfElementType(row.elementType, kind))
    Append(List(model, kind), number, store);
  if (row.dataType != DataType::None && row.item && RowListOfDataType(row.dataType, kind))
    Append(List(model, kind), number, store);
  if (!store && HasReleases(row)) ++model.lists.anchorsWithReleases;
  if (store)
    RegisterRowItems(row, number);
  else
    CountRowItems(row);
}

void ListAnchorsWithDisplacements(Model& model, bool store) {
  RowIndexList& list = List(model, RowListKind::DisplacedAnchors);
  for (int number = 1; number <= model.rowCount; ++number)
    if (HasDisplacements(model.row(number))) Append(list, number, store);
}

void AddConnection(Model& model, int index, int ends) {
  if (index >= 1 && index <= model.nodes.count)
    model.lists.connections[static_cast<std::size_t>(index)] += ends;
}

bool MakesNoElement(ElementType type) {
  return type == ElementType::From || type == ElementType::Location ||
         type == ElementType::Comment || type == ElementType::HydrotestLoad;
}

void AddArcConnections(Model& model, const LayoutRow& row) {
  const BendRecord* bend = row.element != nullptr ? row.element->AsBend() : nullptr;
  if (!bend) return;
  if (row.elementType != ElementType::Miter) {
    for (NodeId id : {bend->intermediateNode1, bend->intermediateNode2})
      if (id != 0) AddConnection(model, FindNodeIndex(model.nodes, id), 2);
  }
  if (!bend->BendGeometryValid) return;
  AddConnection(model, row.runEnd, 1);
  AddConnection(model, bend->farNode, 1);
  if (const JacketedBendRecord* jacketed = row.element->AsJacketedBend()) {
    AddConnection(model, jacketed->jacketNearNode, 1);
    AddConnection(model, jacketed->jacketFarNode, 1);
  }
}

}  // namespace

bool RowListOfElementType(ElementType type, RowListKind& kind) {
  switch (type) {
    case ElementType::Bend: kind = RowListKind::Bends; return true;
    case ElementType::Miter: kind = RowListKind::Miters; return true;
    case ElementType::JacketedPipe:
    case ElementType::JacketedBend: kind = RowListKind::JacketedPipes; return true;
    case ElementType::Valve: kind = RowListKind::Valves; return true;
    case ElementType::Reducer: kind = RowListKind::Reducers; return true;
    case ElementType::Bellows: kind = RowListKind::Bellows; return true;
    case ElementType::SlipJoint: kind = RowListKind::SlipJoints; return true;
    case ElementType::HingeJoint: kind = RowListKind::HingeJoints; return true;
    case ElementType::BallJoint: kind = RowListKind::BallJoints; return true;
    case ElementType::Rigid: kind = RowListKind::RigidElements; return true;
    case ElementType::Elastic: kind = RowListKind::ElasticElements; return true;
    case ElementType::CutPipe: kind = RowListKind::CutPipes; return true;
    case ElementType::Beam: kind = RowListKind::Beams; return true;
    case ElementType::TieRod: kind = RowListKind::TieRods; return true;
    case ElementType::HydrotestLoad: kind = RowListKind::HydrotestLoads; return true;
    default: return false;
  }
}

bool RowListOfDataType(DataType type, RowListKind& kind) {
  static constexpr RowListKind kByCode[] = {
      RowListKind::Anchors,          RowListKind::Restraints,       RowListKind::SkewedRestraints,
      RowListKind::Hangers,          RowListKind::Guides,           RowListKind::LimitStops,
      RowListKind::Nozzles,          RowListKind::Snubbers,         RowListKind::JacketConnections,
      RowListKind::JacketConnections, RowListKind::Flanges,         RowListKind::BranchSifs,
      RowListKind::UserSifs,         RowListKind::Welds,            RowListKind::ThreadedJoints,
      RowListKind::Forces,           RowListKind::ConcentratedMasses, RowListKind::TimeVaryingLoads,
      RowListKind::HarmonicLoads,    RowListKind::ForceSpectrumLoads, RowListKind::GenericSupports,
  };
  const int code = static_cast<int>(type);
  if (code < 1 || code > kDataTypeLast) return false;
  kind = kByCode[code - 1];
  return true;
}

void ResetModelCounts(Model& model) {
  for (RowIndexList& list : model.lists.lists) list.count = 0;
  model.lists.anchorsWithReleases = 0;
}

void RecountModelItems(Model& model) {
  ResetModelCounts(model);
  for (int number = 1; number <= model.rowCount; ++number) EnterRow(model, number, false);
  ListAnchorsWithDisplacements(model, false);
  CountNodeConnections(model);
}

void GrowModelArrays(Model& model) {
  for (int index = 0; index < kRowListCount; ++index) {
    RowIndexList& list = model.lists.lists[static_cast<std::size_t>(index)];
    if (list.count <= list.capacity) continue;
    list.capacity = list.count + kListHeadroom;
    list.entries.assign(static_cast<std::size_t>(list.capacity) + 1, 0);
    if (index == static_cast<int>(RowListKind::BranchNodes))
      model.lists.branchSifRows.assign(static_cast<std::size_t>(list.capacity) + 1, 0);
  }
}

void CountNodeConnections(Model& model) {
  model.lists.connections.assign(kMaxNodes + 1, 0);
  for (int number = 1; number <= model.rowCount; ++number) {
    const LayoutRow& row = model.row(number);
    if (row.node == 0 || MakesNoElement(row.elementType) || row.runStart == 0 || row.runEnd == 0)
      continue;
    AddConnection(model, row.runStart, 1);
    AddConnection(model, row.runEnd, 1);
    if (IsBendElementType(row.elementType)) AddArcConnections(model, row);
  }
  int branches = 0;
  for (int index = 1; index <= model.nodes.count; ++index)
    if (model.lists.connections[static_cast<std::size_t>(index)] > 2) ++branches;
  model.lists.branchNodeCount = branches;
  model.lists[RowListKind::BranchNodes].count = branches;
}

void FindBranchNodes(Model& model) {
  RowIndexList& list = List(model, RowListKind::BranchNodes);
  list.count = 0;
  for (int index = 1; index <= model.nodes.count; ++index)
    if (model.lists.connections[static_cast<std::size_t>(index)] > 2) Append(list, index, true);
  if (list.count == 0) return;
  std::fill(model.lists.branchSifRows.begin(), model.lists.branchSifRows.end(), 0);
  for (int number = 1; number <= model.rowCount; ++number) {
    const LayoutRow& row = model.row(number);
    if (row.dataType != DataType::BranchSif) continue;
    for (int place = 1; place <= list.count; ++place)
      if (RowListEntry(list, place) == row.endNode)
        model.lists.branchSifRows[static_cast<std::size_t>(place)] = number;
  }
}

void RegenerateModel(Model& model) {
  RecountModelItems(model);
  GrowModelArrays(model);
  ResetModelCounts(model);
  for (int number = 1; number <= model.rowCount; ++number) EnterRow(model, number, true);
  // ResetModelCounts cleared the release counter with the lists.
  for (int number = 1; number <= model.rowCount; ++number)
    if (HasReleases(model.row(number))) ++model.lists.anchorsWithReleases;
  ListAnchorsWithDisplacements(model, true);
  FindBranchNodes(model);
}

bool IsBranchNode(const Model& model, int nodeIndex) {
  const RowIndexList& list = model.lists[RowListKind::BranchNodes];
  for (int place = 1; place <= list.count; ++place)
    if (RowListEntry(list, place) == nodeIndex) return true;
  return false;
}
