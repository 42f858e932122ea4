// The per-kind row lists: for every element kind and data kind with a list,
// the numbers of the rows that carry it, in row order, and the branch nodes
// (node indexes with more than two element ends) with the Branch SIF row at
// each. The regeneration (Regenerate.h) rebuilds them after every edit; the
// List window shows one list per kind and the analysis assembles per kind.
//
// Jacketed pipes and jacketed bends share a list, as do spiders and jacket
// end caps; From, Location, Pipe and Comment rows have none. A list holds
// its entries from index 1 (index 0 unused) and has room for capacity + 1
// entries; it grows to count + 16 only when a count passes its capacity.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/LayoutRow.h"

enum class RowListKind : int {
  Bends,
  Miters,
  JacketedPipes,  // Jacketed pipe and Jacketed bend
  Valves,
  Reducers,
  Bellows,
  SlipJoints,
  HingeJoints,
  BallJoints,
  RigidElements,
  ElasticElements,
  CutPipes,
  Beams,
  TieRods,
  HydrotestLoads,
  Anchors,
  Restraints,
  SkewedRestraints,
  Hangers,
  Guides,
  LimitStops,
  Nozzles,
  Snubbers,
  JacketConnections,  // Spider and Jacket end cap
  Flanges,
  BranchSifs,
  UserSifs,
  Welds,
  ThreadedJoints,
  Forces,
  ConcentratedMasses,
  TimeVaryingLoads,
  HarmonicLoads,
  ForceSpectrumLoads,
  GenericSupports,
  DisplacedAnchors,  // Anchor and Nozzle rows with a displacement flag set
  BranchNodes,       // node indexes, not rows
};
constexpr int kKindListCount = 35;  // the lists of element and data kinds
constexpr int kRowListCount = 37;   // with the displaced anchors and branch nodes

struct RowIndexList {
  std::vector<std::int32_t> entries = std::vector<std::int32_t>(1);  // [0] unused
  int count = 0;
  int capacity = 0;
};

struct RowIndexLists {
  std::array<RowIndexList, kRowListCount> lists;
  // For each branch node (by its place in the branch-node list) the row of
  // the Branch SIF at that node, 0 when none; same room as that list.
  std::vector<std::int32_t> branchSifRows = std::vector<std::int32_t>(1);
  int anchorsWithReleases = 0;  // Anchor items with a release flag set
  // Element ends at each node index 0 .. 9990.
  std::vector<std::int32_t> connections;
  int branchNodeCount = 0;  // nodes with more than two connections

  RowIndexList& operator[](RowListKind kind) { return lists[static_cast<std::size_t>(kind)]; }
  const RowIndexList& operator[](RowListKind kind) const {
    return lists[static_cast<std::size_t>(kind)];
  }
};

// The list a row of this kind enters; false for kinds without a list.
bool RowListOfElementType(ElementType type, RowListKind& kind);
bool RowListOfDataType(DataType type, RowListKind& kind);

// Entry `index` (1 .. count) of a list.
inline std::int32_t RowListEntry(const RowIndexList& list, int index) {
  return list.entries[static_cast<std::size_t>(index)];
}
