// Node renumbering for bandwidth; see Renumber.h for the steps.
#include "numeric/Renumber.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "numeric/RunState.h"

namespace {

enum DataTypeId : std::int32_t {
  kAnchor = 1,
  kSkewedRestraint = 3,
  kHanger = 4,
  kGuide = 5,
  kLimitStop = 6,
  kGenericSupport = 21,
};

bool ConnectsNodes(std::int32_t dataType) { return dataType >= kSkewedRestraint && dataType <= kLimitStop; }

void Mark(std::vector<std::int32_t>& positions, std::int32_t node) {
  if (node > 0 && static_cast<std::size_t>(node) < positions.size()) positions[node] = 1;
}

std::int32_t CompactOf(std::span<const std::int32_t> positions, std::int32_t node) {
  if (node <= 0 || static_cast<std::size_t>(node) >= positions.size()) return 0;
  return positions[node];
}

void ConnectBothWays(ConnectionGraph& graph, std::int32_t a, std::int32_t b) {
  if (a == 0 || b == 0 || a == b) return;
  AddConnection(graph, a, b);
  AddConnection(graph, b, a);
}

// The connection lists newest first, flattened for the trials.
struct FlatConnections {
  std::vector<std::int64_t> first;  // compact -> first entry; size P + 2
  std::vector<std::int32_t> to;
};

FlatConnections Flatten(const ConnectionGraph& graph) {
  const auto P = static_cast<std::int32_t>(graph.connections.size()) - 1;
  FlatConnections flat;
  flat.first.assign(P + 2, 0);
  for (std::int32_t c = 1; c <= P; ++c) {
    flat.first[c] = static_cast<std::int64_t>(flat.to.size());
    const auto& list = graph.connections[c];
    flat.to.insert(flat.to.end(), list.rbegin(), list.rend());
  }
  flat.first[P + 1] = static_cast<std::int64_t>(flat.to.size());
  return flat;
}

// One breadth-first numbering from `start`. Returns the trial bandwidth, or
// -1 when a placement reaches `best` or the numbering misses a node.
// order, position: work arrays of size P + 1, position all zero on entry and exit.
std::int32_t RunTrial(const FlatConnections& flat, std::int32_t P, std::int32_t start, std::int32_t best,
                      std::vector<std::int32_t>& order, std::vector<std::int32_t>& position) {
  std::int32_t placed = 1;
  order[1] = start;
  position[start] = 1;
  std::int32_t bandwidth = 0;
  bool abandoned = false;
  for (std::int32_t i = 1; i <= placed && !abandoned; ++i) {
    const std::int32_t u = order[i];
    for (std::int64_t e = flat.first[u]; e < flat.first[u + 1]; ++e) {
      const std::int32_t v = flat.to[e];
      if (position[v] != 0) continue;
      position[v] = ++placed;
      order[placed] = v;
      const std::int32_t d = placed - i;
      if (d >= best) {
        abandoned = true;
        break;
      }
      bandwidth = std::max(bandwidth, d);
    }
  }
  for (std::int32_t k = 1; k <= placed; ++k) position[order[k]] = 0;
  return abandoned || placed != P ? -1 : bandwidth;
}

}  // namespace

RenumberFault MarkActiveNodes(const RenumberInput& input, std::vector<std::int32_t>& positions,
                              std::int32_t& faultSupport) {
  positions.assign(static_cast<std::size_t>(std::max(input.nodeCount, 0)) + 1, 0);
  for (const NodePair& pair : input.elements) Mark(positions, pair.a), Mark(positions, pair.b);
  for (const NodePair& pair : input.zeroLengthLinks) Mark(positions, pair.a), Mark(positions, pair.b);
  for (std::size_t row = 0; row < input.supports.size(); ++row) {
    const SupportConnection& support = input.supports[row];
    if (support.dataType == kGuide && support.connectedGiven && support.connectedNode == 0) {
      faultSupport = static_cast<std::int32_t>(row);
      return RenumberFault::UndefinedGuideNode;
    }
    if (support.dataType == kAnchor || support.dataType == kGenericSupport) Mark(positions, support.node);
    if (ConnectsNodes(support.dataType) && support.connectedGiven && support.connectedNode != 0) {
      // The row's node joins the connection below, so it must have equations
      // even when the support kind would not mark it by itself.
      Mark(positions, support.node);
      Mark(positions, support.connectedNode);
    }
  }
  return RenumberFault::None;
}

ConnectionGraph MakeCompactNumbering(std::vector<std::int32_t>& positions) {
  ConnectionGraph graph;
  graph.nodeIndex.push_back(0);
  graph.number.push_back(0);
  for (std::size_t node = 1; node < positions.size(); ++node) {
    if (positions[node] == 0) continue;
    const auto compact = static_cast<std::int32_t>(graph.nodeIndex.size());
    graph.nodeIndex.push_back(static_cast<std::int32_t>(node));
    graph.number.push_back(compact);
    positions[node] = compact;
  }
  graph.connections.resize(graph.nodeIndex.size());
  return graph;
}

void AddConnection(ConnectionGraph& graph, std::int32_t a, std::int32_t b) {
  auto& list = graph.connections[a];
  if (std::find(list.begin(), list.end(), b) != list.end()) return;
  list.push_back(b);
  graph.originalBandwidth = std::max(graph.originalBandwidth, std::abs(graph.number[a] - graph.number[b]));
}

void BuildConnections(const RenumberInput& input, std::span<const std::int32_t> positions, ConnectionGraph& graph) {
  for (const NodePair& pair : input.elements)
    ConnectBothWays(graph, CompactOf(positions, pair.a), CompactOf(positions, pair.b));
  for (const NodePair& pair : input.zeroLengthLinks)
    ConnectBothWays(graph, CompactOf(positions, pair.a), CompactOf(positions, pair.b));
  for (const SupportConnection& support : input.supports)
    if (ConnectsNodes(support.dataType) && support.connectedGiven && support.connectedNode != 0)
      ConnectBothWays(graph, CompactOf(positions, support.node), CompactOf(positions, support.connectedNode));
}

std::int32_t ConnectionCount(const ConnectionGraph& graph, std::int32_t compact) {
  return static_cast<std::int32_t>(graph.connections[compact].size());
}

std::int32_t LabelConnectedParts(const ConnectionGraph& graph, std::vector<std::int32_t>& label) {
  const auto P = static_cast<std::int32_t>(graph.connections.size()) - 1;
  label.assign(P + 1, 0);
  std::int32_t parts = 0;
  std::vector<std::int32_t> stack;
  for (std::int32_t c = 1; c <= P; ++c) {
    if (label[c] != 0) continue;
    label[c] = ++parts;
    stack.push_back(c);
    while (!stack.empty()) {
      const std::int32_t u = stack.back();
      stack.pop_back();
      for (std::int32_t v : graph.connections[u])
        if (label[v] == 0) label[v] = parts, stack.push_back(v);
    }
  }
  return parts;
}

std::int32_t LeastConnectedNode(const ConnectionGraph& graph, std::span<const std::int32_t> label, std::int32_t part) {
  std::int32_t chosen = 0;
  std::int32_t fewest = 32000;
  for (std::size_t c = 1; c < label.size(); ++c) {
    if (label[c] != part) continue;
    const std::int32_t count = ConnectionCount(graph, static_cast<std::int32_t>(c));
    if (count == 1) return static_cast<std::int32_t>(c);
    if (count < fewest) fewest = count, chosen = static_cast<std::int32_t>(c);
  }
  return chosen;
}

RenumberFault JoinConnectedParts(ConnectionGraph& graph) {
  std::vector<std::int32_t> label;
  const std::int32_t parts = LabelConnectedParts(graph, label);
  for (std::int32_t i = 2; i <= parts; ++i) {
    // Each end is chosen with the joins made so far counted.
    const std::int32_t a = LeastConnectedNode(graph, label, i - 1);
    const std::int32_t b = LeastConnectedNode(graph, label, i);
    if (a == 0 || b == 0) return RenumberFault::NoLeastConnectedNode;
    ConnectBothWays(graph, a, b);
  }
  return RenumberFault::None;
}

std::int32_t RunRenumberingTrials(ConnectionGraph& graph) {
  const auto P = static_cast<std::int32_t>(graph.connections.size()) - 1;
  const FlatConnections flat = Flatten(graph);
  std::vector<std::int32_t> order(P + 1, 0);
  std::vector<std::int32_t> position(P + 1, 0);
  std::int32_t best = graph.originalBandwidth;
  for (std::int32_t start = 1; start <= P; ++start) {
    const std::int32_t bandwidth = RunTrial(flat, P, start, best, order, position);
    if (bandwidth < 0) continue;
    best = bandwidth;
    // The winning trial's positions, recomputed once rather than copied on every trial.
    RunTrial(flat, P, start, best + 1, order, position);
    for (std::int32_t k = 1; k <= P; ++k) graph.number[order[k]] = k;
  }
  return best;
}

void WriteBackPositions(const ConnectionGraph& graph, std::vector<std::int32_t>& positions) {
  for (std::size_t c = 1; c < graph.nodeIndex.size(); ++c) positions[graph.nodeIndex[c]] = graph.number[c];
}

RenumberFault CheckRenumberedPositions(std::span<const std::int32_t> positions, std::int32_t positionCount) {
  std::vector<char> held(static_cast<std::size_t>(std::max(positionCount, 0)) + 1, 0);
  std::int32_t count = 0;
  for (std::size_t node = 1; node < positions.size(); ++node) {
    const std::int32_t p = positions[node];
    if (p == 0) continue;
    if (p < 0 || p > positionCount || held[p] != 0) return RenumberFault::Discontinuous;
    held[p] = 1;
    ++count;
  }
  return count == positionCount ? RenumberFault::None : RenumberFault::Discontinuous;
}

RenumberResult RenumberNodesForBandwidth(const RenumberInput& input, AnalysisProgress& progress) {
  RenumberResult result;
  result.fault = MarkActiveNodes(input, result.positions, result.faultSupport);
  if (result.fault != RenumberFault::None) return result;
  ConnectionGraph graph = MakeCompactNumbering(result.positions);
  result.positionCount = static_cast<std::int32_t>(graph.nodeIndex.size()) - 1;
  BuildConnections(input, result.positions, graph);
  result.fault = JoinConnectedParts(graph);
  if (result.fault != RenumberFault::None) return result;
  result.originalBandwidth = graph.originalBandwidth;
  result.newBandwidth = RunRenumberingTrials(graph);
  WriteBackPositions(graph, result.positions);
  result.fault = CheckRenumberedPositions(result.positions, result.positionCount);
  if (result.fault != RenumberFault::None) return result;
  result.equationCount = static_cast<std::int64_t>(kDofPerNode) * result.positionCount;
  progress.SetField(kFieldOriginalBandwidth, std::to_string((result.originalBandwidth + 1) * kDofPerNode));
  progress.SetField(kFieldNewBandwidth, std::to_string((result.newBandwidth + 1) * kDofPerNode));
  progress.SetField(kFieldEquationCount, std::to_string(result.equationCount));
  return result;
}

std::string RenumberFaultMessage(const RenumberResult& result, const RenumberInput& input,
                                 const NodeNumberTextFn& nodeNumberText,
                                 const std::function<std::string(std::int32_t number)>& numberText) {
  switch (result.fault) {
    case RenumberFault::None:
      return {};
    case RenumberFault::UndefinedGuideNode: {
      const SupportConnection& guide = input.supports.at(static_cast<std::size_t>(result.faultSupport));
      return "For guide at node " + nodeNumberText(guide.node) + ", undefined connected node " +
             numberText(guide.connectedNumber);
    }
    case RenumberFault::NoLeastConnectedNode:
      return "Unable to find least connected node";
    case RenumberFault::Discontinuous:
      return "Discontinuous model";
  }
  return {};
}
