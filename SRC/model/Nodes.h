// Nodes of the generated model and node numbers as text.
//
// A NodeId is kind * 100000 + number (number 1..99999): kind 0 is a node a
// layout row names, 1/2 ("A"/"B") the near/far arc ends of a bend, 3/4
// ("C"/"D") the jacket's arc ends, 5 ("J") a jacket node beside a plain node.
// Ids above 1000000 are shown modulo 1000000 with "G".
//
// A NodeTable holds records 1..count (record 0 is "no node" and is never a
// real node). The model store keeps the current model's table (and the
// merged model's) and reaches it through CurrentNodeTable(); making the model
// fills it, at most kMaxNodes nodes: AppendNode refuses more and the caller
// says so with NodeLimitMessage(). Node indexes held anywhere are valid only
// until the next rebuild; node ids are the stable references.
//
// Every table, dialog and report shows node numbers through NodeNumberText
// and reads them through ParseNodeNumber, whose codes 1..7 map to the shared
// reason texts of NodeCheckReason. The node section of the model file is
// ReadNodes/WriteNodes; readers throw the message text (std::string) on a
// damaged section and leave the table they were given as it was.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "records/DrawingGeometry.h"

struct BinaryFile;

using NodeId = std::int32_t;

// Additions of the derived-node suffixes to a node number.
constexpr NodeId kArcNearOffset = 100000;     // "A"
constexpr NodeId kArcFarOffset = 200000;      // "B"
constexpr NodeId kJacketNearOffset = 300000;  // "C"
constexpr NodeId kJacketFarOffset = 400000;   // "D"
constexpr NodeId kJacketNodeOffset = 500000;  // "J"
constexpr NodeId kGeneratedNodeBase = 1000000;  // shown with "G"
constexpr NodeId kMaxNodeNumber = 99999;
// Highest number NextNodeNumber hands out.
constexpr NodeId kLastFreeNodeNumber = 99990;

// At most this many nodes are made; a full table has room for a few more.
constexpr int kMaxNodes = 9990;
constexpr int kNodeTableRoom = 10010;

// NodeRecord::nodeKind.
constexpr std::int32_t kOrdinaryNode = 0;
constexpr std::int32_t kBendNode = 1;  // where the tangents meet; not on the pipe
constexpr std::int32_t kBendIntermediateNode = 2;

struct NodeRecord {
  NodeId id = 0;
  std::int32_t nodeKind = kOrdinaryNode;
  float x = 0.0f, y = 0.0f, z = 0.0f;  // model coordinates, inch
  std::int32_t row = 0;                // layout row that created the node
  float screenX = 0.0f, screenY = 0.0f;  // projected position in the current view
  std::int32_t equation = 0;   // renumbered position p: owns equations 6p-5..6p; 0 none
  std::int32_t connected = 0;  // analysis word: some element ends at the node
  Rect2 labelBounds = {0.0f, 0.0f, 0.0f, 0.0f};  // screen bounds of the number label
};

struct NodeTable {
  std::vector<NodeRecord> nodes = std::vector<NodeRecord>(1);  // [0] unused
  int count = 0;

  NodeRecord& operator[](int index) { return nodes[static_cast<std::size_t>(index)]; }
  const NodeRecord& operator[](int index) const { return nodes[static_cast<std::size_t>(index)]; }
};

// The current model's node table; defined by the model store, which owns
// the current model.
NodeTable& CurrentNodeTable();

// Empties the table (count 0, record 0 zeroed).
void ClearNodes(NodeTable& table);
// Appends a copy of the record and returns its index; 0 when the table
// already holds kMaxNodes nodes (nothing is added).
int AppendNode(NodeTable& table, const NodeRecord& node);
// "Too many nodes ..." for the caller that was refused.
std::string NodeLimitMessage();

// First index (from 1) whose id equals `id`; 0 when none or id is 0.
int FindNodeIndex(const NodeTable& table, NodeId id);
inline int FindNodeIndex(NodeId id) { return FindNodeIndex(CurrentNodeTable(), id); }

// The node's number as the user reads it ("12", "12A", "5G"; "" for 0), in a
// per-thread buffer that the next call overwrites.
const char* NodeNumberText(NodeId id);

// Node check codes shared by every node field.
enum NodeCheckCode : int {
  kNodeOk = 0,
  kNodeInvalid = 1,          // "is invalid"
  kNodeInvalidNode = 2,      // "Invalid node"
  kNodeNotPositive = 3,      // "Node number should be > 0"
  kNodeTooLarge = 4,         // "Node number should be < 100000"
  kNodeMissing = 5,          // "Node number should be input"
  kNodeHasSuffix = 6,        // "Node should not have a suffix"
  kNodeAlreadyDefined = 7,   // "This node is already defined"
};
// Parses node text into `id` (set to 0 first); returns a NodeCheckCode.
int ParseNodeNumber(std::string_view text, NodeId& id);
// ParseNodeNumber on the shared edit-field text.
int ReadNodeNumberField(NodeId& id);
// A dialog field that must name a node of the model, read from the shared
// edit-field text: 0 for an empty text; otherwise the node's id, or the
// field message under `label` for text that is no node number (its node
// reason), a node the model does not have ("is not defined") and a bend node
// ("is bend node").
NodeId GetDefinedNodeNumber(const std::string& label);
// The reason text of a code 1..7; "" for any other code.
const char* NodeCheckReason(int code);
// The field message of a node check's code ("Node is invalid" ...).
[[noreturn]] void ThrowNodeError(int code);
[[noreturn]] void ThrowFieldNodeError(const std::string& label, int code);

// The next free node number after `after` by the model's node increment
// (0 or less: none); 0 when every candidate is taken.
NodeId NextNodeNumber(const NodeTable& table, NodeId after, std::int32_t increment);
// The same over a table of the numbers in use (index = number, 1 .. 99990),
// for a caller that hands out many numbers one after another.
std::vector<bool> UsedNodeNumbers(const NodeTable& table);
NodeId NextFreeNodeNumber(const std::vector<bool>& used, NodeId after, std::int32_t increment);

// The node section of the model file: count, then per node id, kind, X, Y,
// Z and row (the other fields are recomputed by making the model).
void WriteNodes(BinaryFile& file, const NodeTable& table);
void ReadNodeRecord(NodeRecord& node, BinaryFile& file);
// Reads at most kMaxNodes nodes into `table`, which is replaced only when the
// whole section was read; throws the message text otherwise.
void ReadNodes(BinaryFile& file, NodeTable& table);

// Node ids of files up to version 681 wrote derived nodes in steps of 10000.
std::int32_t RecodeOldNodeId(std::int32_t id, int version);
