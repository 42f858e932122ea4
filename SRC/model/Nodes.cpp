// Node table, node numbers as text and the node section of the model file
// (see Nodes.h).
#include "model/Nodes.h"

#include <cstring>

#include "services/BinaryFile.h"
#include "services/Message.h"
#include "services/NumberFormat.h"
#include "services/NumberText.h"

namespace {

thread_local char t_nodeText[16];

constexpr int kNodeRecordBytes = 6 * 4;

// The suffix letters, by the hundred-thousands digit of the id.
constexpr char kSuffixes[] = {'\0', 'A', 'B', 'C', 'D', 'J'};

NodeId SuffixAddition(char letter) {
  for (int kind = 1; kind <= 5; ++kind)
    if (kSuffixes[kind] == letter) return kind * kArcNearOffset;
  return -1;
}

}  // namespace

void ClearNodes(NodeTable& table) {
  table.nodes.assign(1, NodeRecord{});
  table.nodes.reserve(kNodeTableRoom);
  table.count = 0;
}

int AppendNode(NodeTable& table, const NodeRecord& node) {
  if (table.count >= kMaxNodes) return 0;
  const std::size_t index = static_cast<std::size_t>(table.count) + 1;
  if (table.nodes.size() <= index) table.nodes.resize(index + 1);
  table.nodes[index] = node;
  table.count = static_cast<int>(index);
  return table.count;
}

std::string NodeLimitMessage() {
  return CFormat("The model has too many nodes: at most %d nodes can be made.", kMaxNodes);
}

int FindNodeIndex(const NodeTable& table, NodeId id) {
  if (id == 0) return 0;
  for (int index = 1; index <= table.count; ++index)
    if (table[index].id == id) return index;
  return 0;
}

const char* NodeNumberText(NodeId id) {
  if (id == 0) {
    t_nodeText[0] = '\0';
  } else if (id > kGeneratedNodeBase) {
    CSnprintf(t_nodeText, sizeof t_nodeText, "%dG", id % kGeneratedNodeBase);
  } else {
    const int kind = id / kArcNearOffset;
    const char suffix = (kind >= 1 && kind <= 5) ? kSuffixes[kind] : '\0';
    if (suffix != '\0')
      CSnprintf(t_nodeText, sizeof t_nodeText, "%d%c", id % kArcNearOffset, suffix);
    else
      CSnprintf(t_nodeText, sizeof t_nodeText, "%d", id % kArcNearOffset);
  }
  return t_nodeText;
}

int ParseNodeNumber(std::string_view text, NodeId& id) {
  id = 0;
  if (text.empty()) return kNodeMissing;
  NodeId addition = 0;
  if (text.size() > 1) {
    const NodeId suffix = SuffixAddition(text.back());
    if (suffix > 0) {
      addition = suffix;
      text.remove_suffix(1);
    }
  }
  std::int32_t number = 0;
  if (ParseInteger(text, number) != 0) return kNodeInvalid;
  if (number < 1) return kNodeNotPositive;
  if (number > kMaxNodeNumber) return kNodeTooLarge;
  id = number + addition;
  return kNodeOk;
}

int ReadNodeNumberField(NodeId& id) { return ParseNodeNumber(g_EditFieldText, id); }

NodeId GetDefinedNodeNumber(const std::string& label) {
  if (g_EditFieldText.empty()) return 0;
  NodeId id = 0;
  const int code = ReadNodeNumberField(id);
  if (code != kNodeOk) ThrowFieldNodeError(label, code);
  const int index = FindNodeIndex(id);
  if (index == 0) ThrowNotDefined(label);
  if (CurrentNodeTable()[index].nodeKind == kBendNode) ThrowFieldError(label, "is bend node");
  return id;
}

const char* NodeCheckReason(int code) {
  static const char* const kReasons[] = {"",
                                         "is invalid",
                                         "Invalid node",
                                         "Node number should be > 0",
                                         "Node number should be < 100000",
                                         "Node number should be input",
                                         "Node should not have a suffix",
                                         "This node is already defined"};
  return (code >= 1 && code <= 7) ? kReasons[code] : "";
}

std::vector<bool> UsedNodeNumbers(const NodeTable& table) {
  std::vector<bool> used(static_cast<std::size_t>(kLastFreeNodeNumber) + 1, false);
  for (int index = 1; index <= table.count; ++index) {
    const NodeId id = table[index].id;
    if (id >= 1 && id <= kLastFreeNodeNumber) used[static_cast<std::size_t>(id)] = true;
  }
  return used;
}

NodeId NextFreeNodeNumber(const std::vector<bool>& used, NodeId after, std::int32_t increment) {
  // An increment that reaches past the highest number can give nothing.
  if (increment < 1 || increment > kLastFreeNodeNumber) return 0;
  if (after < 0) after = 0;
  const bool roundNumbers = increment == 5 || increment == 10 || increment == 15 ||
                            increment == 20 || increment == 50 || increment == 100;
  NodeId candidate = roundNumbers ? (after / increment + 1) * increment : after + increment;
  if (candidate > kLastFreeNodeNumber) candidate = increment;
  bool restarted = false;
  while (used[static_cast<std::size_t>(candidate)]) {
    candidate += increment;
    if (candidate > kLastFreeNodeNumber) {
      if (restarted) return 0;
      restarted = true;
      candidate = increment;
    }
  }
  return candidate;
}

NodeId NextNodeNumber(const NodeTable& table, NodeId after, std::int32_t increment) {
  if (increment < 1 || increment > kLastFreeNodeNumber) return 0;
  return NextFreeNodeNumber(UsedNodeNumbers(table), after, increment);
}

// --- The node section of the model file --------------------------------------

void WriteNodes(BinaryFile& file, const NodeTable& table) {
  BinaryFileWriteInt(file, table.count);
  for (int index = 1; index <= table.count; ++index) {
    BinaryFileNextRecord(file);
    const NodeRecord& node = table[index];
    BinaryFileWriteInt(file, node.id);
    BinaryFileWriteInt(file, node.nodeKind);
    BinaryFileWriteFloat(file, node.x);
    BinaryFileWriteFloat(file, node.y);
    BinaryFileWriteFloat(file, node.z);
    BinaryFileWriteInt(file, node.row);
  }
}

void ReadNodeRecord(NodeRecord& node, BinaryFile& file) {
  BinaryFileReadInt(file, node.id);
  BinaryFileReadInt(file, node.nodeKind);
  BinaryFileReadFloat(file, node.x);
  BinaryFileReadFloat(file, node.y);
  BinaryFileReadFloat(file, node.z);
  BinaryFileReadInt(file, node.row);
}

namespace {

[[noreturn]] void ThrowDamaged(const std::string& detail) {
  throw std::string("The file is damaged.\nNodes: ") + detail;
}

// Reads count and records into a fresh table of at most `limit` nodes.
NodeTable ReadNodeSection(BinaryFile& file, int limit) {
  std::int32_t count = 0;
  BinaryFileReadInt(file, count);
  if (BinaryFileReadFailed(file)) ThrowDamaged("the node count is missing.");
  if (count < 0) ThrowDamaged(CFormat("the node count %d is negative.", count));
  if (count > limit)
    ThrowDamaged(CFormat("%d nodes, more than the %d a model can hold.", count, limit));
  const std::int64_t left = BinaryFileBytesLeft(file);
  if (left >= 0 && static_cast<std::int64_t>(count) * kNodeRecordBytes > left)
    ThrowDamaged(CFormat("%d nodes, more than the file holds.", count));
  NodeTable table;
  ClearNodes(table);
  table.nodes.resize(static_cast<std::size_t>(count) + 2);
  for (int index = 1; index <= count; ++index) {
    NodeRecord& node = table[index];
    ReadNodeRecord(node, file);
    Rect2Reset(node.labelBounds);
    if (BinaryFileReadFailed(file)) ThrowDamaged(CFormat("node record %d is cut short.", index));
    if (node.nodeKind < kOrdinaryNode || node.nodeKind > kBendIntermediateNode)
      ThrowDamaged(CFormat("node %s has the unknown kind %d.", NodeNumberText(node.id), node.nodeKind));
  }
  table.count = count;
  return table;
}

}  // namespace

void ReadNodes(BinaryFile& file, NodeTable& table) {
  NodeTable read = ReadNodeSection(file, kMaxNodes);
  table = std::move(read);
}

void ThrowNodeError(int code) { ThrowFieldNodeError("Node", code); }
void ThrowFieldNodeError(const std::string& label, int code) { ThrowFieldError(label, NodeCheckReason(code)); }

std::int32_t RecodeOldNodeId(std::int32_t id, int version) {
  if (version > 681) return id;
  // Derived nodes were numbered in steps of 10000 up to version 681.
  static constexpr std::int32_t kSteps[] = {60000, 50000, 40000, 30000, 20000, 10000};
  for (std::int32_t step : kSteps)
    if (id > step) return id % step + step * 10;
  return id;
}
