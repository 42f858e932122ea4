// Regeneration: counts, per-kind row lists, branch nodes and their Branch
// SIF rows, and the growth rule of the lists.
#include <gtest/gtest.h>

#include "elements/Bend.h"
#include "model/MakeModel.h"
#include "model/ModelBuilder.h"
#include "model/Regenerate.h"
#include "supports/Anchor.h"

namespace {

Model NewModel() {
  Model model;
  InitEmptyModel(model, AnalysisOptions{});
  return model;
}

std::vector<int> Entries(const RowIndexList& list) {
  std::vector<int> entries;
  for (int index = 1; index <= list.count; ++index) entries.push_back(RowListEntry(list, index));
  return entries;
}

// A tee at node 20: a run 10-20-30 and a branch 20-40-50-60 (a From row at
// the known node 20 starts the branch there), with a valve, a bend and
// supports.
struct BranchedModel {
  Model model = NewModel();
  int teeRow = 0;
  BranchedModel() {
    const int anchorRow = AddRow(model, 10, ElementType::From);
    PutItem(model, anchorRow, DataType::Anchor);
    teeRow = AddRow(model, 20, ElementType::Pipe, 100.0f);
    PutItem(model, teeRow, DataType::BranchSif);
    const int valve = AddRow(model, 30, ElementType::Valve, 100.0f);
    PutItem(model, valve, DataType::Restraint);
    AddRow(model, 20, ElementType::From);
    AddRow(model, 40, ElementType::Pipe, 0.0f, 0.0f, 100.0f);
    const int bend = AddRow(model, 50, ElementType::Bend, 0.0f, 0.0f, 100.0f);
    auto& data = dynamic_cast<Bend&>(*model.row(bend).element);
    data.radiusType = kBendRadiusUser;
    data.radius = 10.0f;
    const int last = AddRow(model, 60, ElementType::Pipe, 100.0f);
    PutItem(model, last, DataType::Restraint);
  }
};

TEST(Regenerate, BranchedModelListsKindsInRowOrderAndFindsTheTee) {
  BranchedModel built;
  Model& model = built.model;
  MakeModel(model);
  EXPECT_EQ(Entries(model.lists[RowListKind::Valves]), std::vector<int>{3});
  EXPECT_EQ(Entries(model.lists[RowListKind::Bends]), std::vector<int>{6});
  EXPECT_EQ(Entries(model.lists[RowListKind::Restraints]), (std::vector<int>{3, 7}));
  EXPECT_EQ(Entries(model.lists[RowListKind::Anchors]), std::vector<int>{1});
  EXPECT_EQ(Entries(model.lists[RowListKind::BranchSifs]), std::vector<int>{2});
  EXPECT_EQ(model.lists[RowListKind::Miters].count, 0);
  EXPECT_EQ(model.lists[RowListKind::DisplacedAnchors].count, 0);

  // Node 20 has three element ends; the bend's arc ends have two each.
  const int tee = FindNodeIndex(model.nodes, 20);
  EXPECT_EQ(model.lists.connections[static_cast<std::size_t>(tee)], 3);
  EXPECT_EQ(model.lists.connections[static_cast<std::size_t>(FindNodeIndex(model.nodes, 100050))], 2);
  EXPECT_EQ(model.lists.connections[static_cast<std::size_t>(FindNodeIndex(model.nodes, 200050))], 2);
  EXPECT_EQ(Entries(model.lists[RowListKind::BranchNodes]), std::vector<int>{tee});
  EXPECT_EQ(model.lists.branchSifRows[1], built.teeRow);
  EXPECT_TRUE(IsBranchNode(model, tee));
  EXPECT_FALSE(IsBranchNode(model, FindNodeIndex(model.nodes, 30)));
}

TEST(Regenerate, OnlyPipesGiveEmptyElementLists) {
  Model model = NewModel();
  AddRow(model, 10, ElementType::From);
  AddRow(model, 20, ElementType::Pipe, 10.0f);
  AddRow(model, 30, ElementType::Pipe, 10.0f);
  MakeModel(model);
  for (int kind = 0; kind < kKindListCount; ++kind)
    EXPECT_EQ(model.lists.lists[static_cast<std::size_t>(kind)].count, 0) << kind;
  EXPECT_EQ(model.lists[RowListKind::BranchNodes].count, 0);
}

TEST(Regenerate, ListsGrowToCountPlusSixteenOnlyWhenFull) {
  Model model = NewModel();
  AddRow(model, 10, ElementType::From);
  AddRow(model, 20, ElementType::Bend, 10.0f);
  MakeModel(model);
  EXPECT_EQ(model.lists[RowListKind::Bends].capacity, 17);
  for (int node = 30; node < 30 + 16 * 10; node += 10) AddRow(model, node, ElementType::Bend, 10.0f);
  MakeModel(model);  // 17 bends: still room
  EXPECT_EQ(model.lists[RowListKind::Bends].count, 17);
  EXPECT_EQ(model.lists[RowListKind::Bends].capacity, 17);
  AddRow(model, 990, ElementType::Bend, 10.0f);
  MakeModel(model);  // the eighteenth
  EXPECT_EQ(model.lists[RowListKind::Bends].capacity, 34);
  EXPECT_EQ(model.lists[RowListKind::Bends].count, 18);
}

TEST(Regenerate, AnchorsWithDisplacementsAndReleases) {
  Model model = NewModel();
  const int first = AddRow(model, 10, ElementType::From);
  PutItem(model, first, DataType::Anchor);
  const int second = AddRow(model, 20, ElementType::Pipe, 10.0f);
  PutItem(model, second, DataType::Anchor);
  auto& anchor = dynamic_cast<Anchor&>(*model.row(second).item);
  anchor.releases[3] = 1;
  anchor.displacements.flags[0] = 1;
  anchor.displacements.sets = std::make_unique<DisplacementSets>();
  MakeModel(model);
  EXPECT_EQ(model.lists[RowListKind::Anchors].count, 2);
  EXPECT_EQ(Entries(model.lists[RowListKind::DisplacedAnchors]), std::vector<int>{second});
  EXPECT_EQ(model.lists.anchorsWithReleases, 1);
}

TEST(Regenerate, JacketConnectionsShareOneList) {
  Model model = NewModel();
  const int first = AddRow(model, 10, ElementType::From);
  PutItem(model, first, DataType::Spider);
  const int second = AddRow(model, 20, ElementType::JacketedPipe, 10.0f);
  PutItem(model, second, DataType::JacketEndCap);
  MakeModel(model);
  EXPECT_EQ(Entries(model.lists[RowListKind::JacketConnections]), (std::vector<int>{first, second}));
  EXPECT_EQ(Entries(model.lists[RowListKind::JacketedPipes]), std::vector<int>{second});
}

}  // namespace

#include "model/MergeRows.h"

namespace {

TEST(MergeRows, AppendedRowsAreMadeAndTheFirstBecomesCurrent) {
  Model model = NewModel();
  AddRow(model, 10, ElementType::From);
  AddRow(model, 20, ElementType::Pipe, 10.0f);
  MakeModel(model);

  std::vector<LayoutRow> merged(4);
  merged[1].node = 20;
  merged[1].elementType = ElementType::From;
  merged[1].element = CreateElementData(ElementType::From);
  merged[2].node = 30;
  merged[2].elementType = ElementType::Pipe;
  merged[2].element = CreateElementData(ElementType::Pipe);
  merged[2].dy = 5.0f;
  NodeTable mergedNodes;
  NodeRecord node;
  node.id = 20;
  AppendNode(mergedNodes, node);
  EXPECT_TRUE(MergedNodeIdsClash(model, mergedNodes));
  mergedNodes[1].id = 40;
  EXPECT_FALSE(MergedNodeIdsClash(model, mergedNodes));

  AppendMergedRows(model, merged, 2);
  EXPECT_EQ(model.rowCount, 4);
  EXPECT_EQ(model.currentRow, 3);
  EXPECT_TRUE(model.modified);
  const int index = FindNodeIndex(model.nodes, 30);
  ASSERT_NE(index, 0);
  EXPECT_FLOAT_EQ(model.nodes[index].x, 10.0f);  // from node 20 at (10, 0, 0)
  EXPECT_FLOAT_EQ(model.nodes[index].y, 5.0f);
}

}  // namespace
