// Node renumbering: the cases worked by hand, the joining of disconnected
// parts, the fault messages, and random models whose bandwidth must never be
// worse than the input order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <random>
#include <string>

#include "numeric/Renumber.h"
#include "numeric/RunState.h"

namespace {

struct FieldRecorder : AnalysisProgress {
  std::map<int, std::string> fields;
  void SetField(int field, const std::string& text) override { fields[field] = text; }
};

// Node index i has number 10·i.
const NodeNumberTextFn kNodeText = [](std::int32_t index) { return std::to_string(10 * index); };
const auto kNumberText = [](std::int32_t number) { return std::to_string(number); };

// The bandwidth in nodes of the given positions over every connection.
std::int32_t Bandwidth(const RenumberInput& input, const std::vector<std::int32_t>& positions) {
  std::int32_t width = 0;
  for (const NodePair& e : input.elements) width = std::max(width, std::abs(positions[e.a] - positions[e.b]));
  return width;
}

TEST(Renumber, StraightRunKeepsItsOrder) {
  RenumberInput input;
  input.nodeCount = 3;  // nodes 10, 20, 30
  input.elements = {{1, 2}, {2, 3}};
  FieldRecorder window;
  const RenumberResult result = RenumberNodesForBandwidth(input, window);
  ASSERT_EQ(result.fault, RenumberFault::None);
  EXPECT_EQ(result.positions, (std::vector<std::int32_t>{0, 1, 2, 3}));
  EXPECT_EQ(result.originalBandwidth, 1);
  EXPECT_EQ(result.newBandwidth, 1);
  EXPECT_EQ(result.equationCount, 18);
  EXPECT_EQ(window.fields[kFieldOriginalBandwidth], "12");
  EXPECT_EQ(window.fields[kFieldNewBandwidth], "12");
  EXPECT_EQ(window.fields[kFieldEquationCount], "18");
}

TEST(Renumber, FirstStartReachingTheBestBandwidthWins) {
  // The path 1-3-2-4 in index order has bandwidth 2. Starting from node 1
  // places 3, 2, 4 at positions 2, 3, 4 (bandwidth 1); starting from node 4
  // also reaches 1 but is not strictly better, so node 1's numbering stays.
  RenumberInput input;
  input.nodeCount = 4;
  input.elements = {{1, 3}, {3, 2}, {2, 4}};
  const RenumberResult result = RenumberNodesForBandwidth(input, SilentProgress());
  ASSERT_EQ(result.fault, RenumberFault::None);
  EXPECT_EQ(result.originalBandwidth, 2);
  EXPECT_EQ(result.newBandwidth, 1);
  EXPECT_EQ(result.positions, (std::vector<std::int32_t>{0, 1, 3, 2, 4}));
}

TEST(Renumber, NeighboursArePlacedNewestConnectionFirst) {
  // Star around node 1 with leaves 2, 3, 4 connected in that order; index
  // order has bandwidth 3. Start 1 places the leaves newest first (4, 3, 2)
  // and reaches 3 again; start 2 places 1, then 4 and 3 at positions 3 and 4:
  // bandwidth 2, which starts 3 and 4 only equal.
  RenumberInput input;
  input.nodeCount = 4;
  input.elements = {{1, 2}, {1, 3}, {1, 4}};
  const RenumberResult result = RenumberNodesForBandwidth(input, SilentProgress());
  ASSERT_EQ(result.fault, RenumberFault::None);
  EXPECT_EQ(result.originalBandwidth, 3);
  EXPECT_EQ(result.newBandwidth, 2);
  EXPECT_EQ(result.positions, (std::vector<std::int32_t>{0, 2, 1, 4, 3}));
}

TEST(Renumber, DisconnectedRunsAreJoinedBetweenTheirLeastConnectedNodes) {
  RenumberInput input;
  input.nodeCount = 6;
  input.elements = {{1, 2}, {2, 3}, {4, 5}, {5, 6}};
  std::vector<std::int32_t> positions;
  std::int32_t faultSupport = -1;
  ASSERT_EQ(MarkActiveNodes(input, positions, faultSupport), RenumberFault::None);
  ConnectionGraph graph = MakeCompactNumbering(positions);
  BuildConnections(input, positions, graph);
  std::vector<std::int32_t> label;
  ASSERT_EQ(LabelConnectedParts(graph, label), 2);
  EXPECT_EQ(LeastConnectedNode(graph, label, 1), 1);  // end node, one connection
  EXPECT_EQ(LeastConnectedNode(graph, label, 2), 4);
  ASSERT_EQ(JoinConnectedParts(graph), RenumberFault::None);
  EXPECT_EQ(ConnectionCount(graph, 1), 2);
  EXPECT_EQ(ConnectionCount(graph, 4), 2);
  EXPECT_EQ(graph.connections[1].back(), 4);
  EXPECT_EQ(graph.originalBandwidth, 3);  // the join 1-4 counts

  const RenumberResult result = RenumberNodesForBandwidth(input, SilentProgress());
  ASSERT_EQ(result.fault, RenumberFault::None);
  EXPECT_EQ(result.positionCount, 6);
  EXPECT_EQ(CheckRenumberedPositions(result.positions, 6), RenumberFault::None);
  // Joined into the chain 3-2-1-4-5-6, the best numbering is a path: bandwidth 1.
  EXPECT_EQ(result.newBandwidth, 1);
}

TEST(Renumber, ChainOfThreePartsUsesTheJoinsMadeSoFar) {
  // Parts {1,2,3}, {4}, {5,6}: part 2 is one lone node (no connection, so the
  // first node with the fewest). After joining 1-4, node 4 has one connection
  // and is chosen again to join part 3.
  RenumberInput input;
  input.nodeCount = 6;
  input.elements = {{1, 2}, {2, 3}, {5, 6}};
  input.supports = {{1, 4, false, 0, 0}};  // an anchor alone at node 4
  std::vector<std::int32_t> positions;
  std::int32_t faultSupport = -1;
  ASSERT_EQ(MarkActiveNodes(input, positions, faultSupport), RenumberFault::None);
  ConnectionGraph graph = MakeCompactNumbering(positions);
  BuildConnections(input, positions, graph);
  ASSERT_EQ(JoinConnectedParts(graph), RenumberFault::None);
  EXPECT_EQ(graph.connections[1].back(), 4);
  EXPECT_EQ(graph.connections[4], (std::vector<std::int32_t>{1, 5}));
}

TEST(Renumber, NodeCarryingOnlyAnAnchorGetsEquations) {
  RenumberInput input;
  input.nodeCount = 5;
  input.elements = {{1, 2}, {2, 3}};
  input.supports = {{1, 5, false, 0, 0}};  // node 4 is unused
  const RenumberResult result = RenumberNodesForBandwidth(input, SilentProgress());
  ASSERT_EQ(result.fault, RenumberFault::None);
  EXPECT_EQ(result.positionCount, 4);
  EXPECT_EQ(result.equationCount, 24);
  EXPECT_EQ(result.positions[4], 0);
  EXPECT_NE(result.positions[5], 0);
}

TEST(Renumber, SupportsMarkAndConnectTheirNodes) {
  // Elements 1-2-3; a hanger at node 3 hung from node 5, a limit stop with a
  // connected node not in the table (adds nothing), a generic support at 6.
  RenumberInput input;
  input.nodeCount = 6;
  input.elements = {{1, 2}, {2, 3}};
  input.supports = {{4, 3, true, 5, 50}, {6, 2, true, 0, 77}, {21, 6, false, 0, 0}};
  std::vector<std::int32_t> positions;
  std::int32_t faultSupport = -1;
  ASSERT_EQ(MarkActiveNodes(input, positions, faultSupport), RenumberFault::None);
  EXPECT_EQ(positions, (std::vector<std::int32_t>{0, 1, 1, 1, 0, 1, 1}));
  ConnectionGraph graph = MakeCompactNumbering(positions);
  BuildConnections(input, positions, graph);
  // Compact numbers: 1, 2, 3 for nodes 1-3, 4 for node 5, 5 for node 6.
  EXPECT_EQ(graph.connections[3], (std::vector<std::int32_t>{2, 4}));
  EXPECT_TRUE(graph.connections[5].empty());
}

TEST(Renumber, GuideWithUndefinedConnectedNodeStopsWithItsMessage) {
  RenumberInput input;
  input.nodeCount = 3;
  input.elements = {{1, 2}, {2, 3}};
  input.supports = {{1, 1, false, 0, 0}, {5, 2, true, 0, 999}};
  const RenumberResult result = RenumberNodesForBandwidth(input, SilentProgress());
  ASSERT_EQ(result.fault, RenumberFault::UndefinedGuideNode);
  EXPECT_EQ(result.faultSupport, 1);
  EXPECT_EQ(RenumberFaultMessage(result, input, kNodeText, kNumberText),
            "For guide at node 20, undefined connected node 999");
}

TEST(Renumber, DuplicateOrMissingPositionIsADiscontinuousModel) {
  EXPECT_EQ(CheckRenumberedPositions(std::vector<std::int32_t>{0, 1, 2, 2}, 3), RenumberFault::Discontinuous);
  EXPECT_EQ(CheckRenumberedPositions(std::vector<std::int32_t>{0, 1, 0, 3}, 3), RenumberFault::Discontinuous);
  EXPECT_EQ(CheckRenumberedPositions(std::vector<std::int32_t>{0, 3, 0, 1, 2}, 3), RenumberFault::None);
  RenumberResult result;
  result.fault = RenumberFault::Discontinuous;
  EXPECT_EQ(RenumberFaultMessage(result, RenumberInput{}, kNodeText, kNumberText), "Discontinuous model");
  result.fault = RenumberFault::NoLeastConnectedNode;
  EXPECT_EQ(RenumberFaultMessage(result, RenumberInput{}, kNodeText, kNumberText),
            "Unable to find least connected node");
}

TEST(Renumber, NeverWorseThanTheInputOrderOnRandomModels) {
  std::mt19937 random(42);
  for (int model = 0; model < 40; ++model) {
    SCOPED_TRACE(model);
    std::uniform_int_distribution<int> size(2, 120);
    RenumberInput input;
    input.nodeCount = size(random);
    // A random tree (pipe runs with branches) plus a few loops, in a
    // shuffled node order, sometimes split into two parts.
    std::vector<std::int32_t> order(input.nodeCount);
    for (int i = 0; i < input.nodeCount; ++i) order[i] = i + 1;
    std::shuffle(order.begin(), order.end(), random);
    const bool split = model % 3 == 0 && input.nodeCount > 4;
    for (int i = 1; i < input.nodeCount; ++i) {
      if (split && i == input.nodeCount / 2) continue;
      std::uniform_int_distribution<int> parent(std::max(0, i - 4), i - 1);
      input.elements.push_back({order[i], order[parent(random)]});
    }
    for (int loop = 0; loop < input.nodeCount / 20; ++loop) {
      std::uniform_int_distribution<int> any(1, input.nodeCount);
      const int a = any(random), b = any(random);
      if (a != b) input.elements.push_back({a, b});
    }
    const RenumberResult result = RenumberNodesForBandwidth(input, SilentProgress());
    ASSERT_EQ(result.fault, RenumberFault::None);
    std::vector<std::int32_t> identity(input.nodeCount + 1);
    for (int i = 0; i <= input.nodeCount; ++i) identity[i] = i;
    EXPECT_LE(Bandwidth(input, result.positions), Bandwidth(input, identity));
    EXPECT_LE(result.newBandwidth, result.originalBandwidth);
    EXPECT_EQ(CheckRenumberedPositions(result.positions, result.positionCount), RenumberFault::None);
    if (!split) {
      EXPECT_EQ(Bandwidth(input, result.positions), result.newBandwidth);
    }
  }
}

}  // namespace
