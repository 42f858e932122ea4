// Node renumbering for a narrow stiffness profile.
//
// The nodes that take part in the analysis (both nodes of every analysis
// element and zero-length link, and the nodes that supports mark) get compact
// numbers 1..P in node-table order; their connections are gathered newest
// first; disconnected parts are chained together between their least
// connected nodes; then every node in turn starts a breadth-first numbering
// and the first numbering with the smallest bandwidth wins. A trial stops as
// soon as one placement reaches the best bandwidth so far, and when no start
// beats the compact order that order stays, so the result is never worse
// than the input order.
//
// Input is plain: node indexes 1..nodeCount, element and link node pairs and
// the support rows in layout order; output is the renumbered position of every
// node (0 when it takes no part). Faults come back as a status; the caller
// throws `RenumberFaultMessage`. Each step is its own routine.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "numeric/EquationNumbers.h"

class AnalysisProgress;

struct NodePair {
  std::int32_t a = 0;  // node indexes, 1-based
  std::int32_t b = 0;
};

// A layout row with a data item that marks or connects nodes.
struct SupportConnection {
  std::int32_t dataType = 0;           // 1 anchor, 3 skewed restraint, 4 hanger, 5 guide, 6 limit stop, 21 generic
  std::int32_t node = 0;               // the row's node index
  bool connectedGiven = false;         // the row names a connected node
  std::int32_t connectedNode = 0;      // its node index, 0 when not in the node table
  std::int32_t connectedNumber = 0;    // the connected node number as given (for the guide message)
};

struct RenumberInput {
  std::int32_t nodeCount = 0;
  std::vector<NodePair> elements;         // analysis elements in element order
  std::vector<NodePair> zeroLengthLinks;  // in list order
  std::vector<SupportConnection> supports;
};

enum class RenumberFault { None, UndefinedGuideNode, NoLeastConnectedNode, Discontinuous };

struct RenumberResult {
  RenumberFault fault = RenumberFault::None;
  std::int32_t faultSupport = 0;          // index into supports of the guide at fault
  std::vector<std::int32_t> positions;    // by node index, size nodeCount + 1
  std::int32_t positionCount = 0;         // P
  std::int64_t equationCount = 0;         // E = 6P
  std::int32_t originalBandwidth = 0;     // b0, in nodes
  std::int32_t newBandwidth = 0;          // best, in nodes
};

// The connection graph over compact numbers 1..P, newest connection first.
struct ConnectionGraph {
  std::vector<std::int32_t> nodeIndex;                 // compact -> node index; size P + 1
  std::vector<std::int32_t> number;                    // compact -> current number; size P + 1
  std::vector<std::vector<std::int32_t>> connections;  // compact -> connected compact numbers, oldest first
  std::int32_t originalBandwidth = 0;                  // b0
};

// Runs every step and shows "Original bandwidth", "New bandwidth" and
// "Number of equations" in the analysis window.
RenumberResult RenumberNodesForBandwidth(const RenumberInput& input, AnalysisProgress& progress);

// The steps, in order.
// Marks the active nodes; positions: size nodeCount + 1, output (1 = active).
RenumberFault MarkActiveNodes(const RenumberInput& input, std::vector<std::int32_t>& positions,
                              std::int32_t& faultSupport);
ConnectionGraph MakeCompactNumbering(std::vector<std::int32_t>& positions);
void AddConnection(ConnectionGraph& graph, std::int32_t a, std::int32_t b);
void BuildConnections(const RenumberInput& input, std::span<const std::int32_t> positions, ConnectionGraph& graph);
std::int32_t ConnectionCount(const ConnectionGraph& graph, std::int32_t compact);
// Labels the connected parts; label: by compact number, size P + 1, output.
std::int32_t LabelConnectedParts(const ConnectionGraph& graph, std::vector<std::int32_t>& label);
// The compact number of the node that joins part c to its neighbours; 0 when
// the part has no node.
std::int32_t LeastConnectedNode(const ConnectionGraph& graph, std::span<const std::int32_t> label, std::int32_t part);
RenumberFault JoinConnectedParts(ConnectionGraph& graph);
// Tries every start; returns the best bandwidth and leaves the winning
// numbering in graph.number.
std::int32_t RunRenumberingTrials(ConnectionGraph& graph);
void WriteBackPositions(const ConnectionGraph& graph, std::vector<std::int32_t>& positions);
// Every active node must hold a position of its own.
RenumberFault CheckRenumberedPositions(std::span<const std::int32_t> positions, std::int32_t positionCount);

// The program's message for a fault. nodeNumberText formats a node index;
// numberText formats a node number that the node table does not hold.
std::string RenumberFaultMessage(const RenumberResult& result, const RenumberInput& input,
                                 const NodeNumberTextFn& nodeNumberText,
                                 const std::function<std::string(std::int32_t number)>& numberText);
