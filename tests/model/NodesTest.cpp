// Nodes: number texts and parsing with every suffix and reason code, the
// next free node number, the table limits and the node section of the
// model file written and read back byte for byte.
#include "model/Nodes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "model/Model.h"
#include "services/BinaryFile.h"
#include "services/NumberText.h"

namespace {

NodeTable TableOf(const std::vector<NodeId>& ids) {
  NodeTable table;
  ClearNodes(table);
  for (NodeId id : ids) {
    NodeRecord node;
    node.id = id;
    table.nodes.push_back(node);
    ++table.count;
  }
  return table;
}

TEST(NodeNumberText, SuffixesByKind) {
  EXPECT_STREQ(NodeNumberText(0), "");
  EXPECT_STREQ(NodeNumberText(12), "12");
  EXPECT_STREQ(NodeNumberText(100012), "12A");
  EXPECT_STREQ(NodeNumberText(200012), "12B");
  EXPECT_STREQ(NodeNumberText(300012), "12C");
  EXPECT_STREQ(NodeNumberText(400012), "12D");
  EXPECT_STREQ(NodeNumberText(599999), "99999J");
  EXPECT_STREQ(NodeNumberText(100000), "0A");
  EXPECT_STREQ(NodeNumberText(1000000), "0");
  EXPECT_STREQ(NodeNumberText(1000005), "5G");
  EXPECT_STREQ(NodeNumberText(600005), "5");
}

TEST(ParseNodeNumber, SuffixesAndReasonCodes) {
  struct {
    const char* text;
    int code;
    NodeId id;
  } const cases[] = {
      {"12", kNodeOk, 12},           {"12A", kNodeOk, 100012},     {"12B", kNodeOk, 200012},
      {"12C", kNodeOk, 300012},      {"12D", kNodeOk, 400012},     {"99999J", kNodeOk, 599999},
      {"1", kNodeOk, 1},             {"99999", kNodeOk, 99999},    {"+7", kNodeOk, 7},
      {"12a", kNodeInvalid, 0},      {"A", kNodeInvalid, 0},       {"5G", kNodeInvalid, 0},
      {"1.5", kNodeInvalid, 0},      {"12AA", kNodeInvalid, 0},    {"99999999999", kNodeInvalid, 0},
      {"0", kNodeNotPositive, 0},    {"-5", kNodeNotPositive, 0},  {"0A", kNodeNotPositive, 0},
      {"100000", kNodeTooLarge, 0},  {"100000A", kNodeTooLarge, 0}, {"", kNodeMissing, 0},
  };
  for (const auto& c : cases) {
    NodeId id = 77;
    EXPECT_EQ(ParseNodeNumber(c.text, id), c.code) << c.text;
    EXPECT_EQ(id, c.id) << c.text;
  }
  g_EditFieldText = "7C";
  NodeId id = 0;
  EXPECT_EQ(ReadNodeNumberField(id), kNodeOk);
  EXPECT_EQ(id, 300007);
  g_EditFieldText.clear();
}

TEST(ParseNodeNumber, EveryTextReadsBackToItsId) {
  for (NodeId id : {1, 12, 99999, 100001, 212, 300050, 499999, 500123}) {
    NodeId back = 0;
    EXPECT_EQ(ParseNodeNumber(NodeNumberText(id), back), kNodeOk) << id;
    EXPECT_EQ(back, id);
  }
}

TEST(NodeCheckReason, TextsOfTheCodes) {
  EXPECT_STREQ(NodeCheckReason(1), "is invalid");
  EXPECT_STREQ(NodeCheckReason(2), "Invalid node");
  EXPECT_STREQ(NodeCheckReason(3), "Node number should be > 0");
  EXPECT_STREQ(NodeCheckReason(4), "Node number should be < 100000");
  EXPECT_STREQ(NodeCheckReason(5), "Node number should be input");
  EXPECT_STREQ(NodeCheckReason(6), "Node should not have a suffix");
  EXPECT_STREQ(NodeCheckReason(7), "This node is already defined");
  EXPECT_STREQ(NodeCheckReason(0), "");
  EXPECT_STREQ(NodeCheckReason(8), "");
}

TEST(FindNodeIndex, FirstMatchAndNoneForZero) {
  const NodeTable table = TableOf({10, 20, 100010, 20});
  EXPECT_EQ(FindNodeIndex(table, 20), 2);
  EXPECT_EQ(FindNodeIndex(table, 100010), 3);
  EXPECT_EQ(FindNodeIndex(table, 30), 0);
  EXPECT_EQ(FindNodeIndex(table, 0), 0);
}

TEST(NextNodeNumber, RoundIncrementsAndOthers) {
  const NodeTable empty = TableOf({});
  EXPECT_EQ(NextNodeNumber(empty, 23, 10), 30);
  EXPECT_EQ(NextNodeNumber(empty, 30, 10), 40);
  EXPECT_EQ(NextNodeNumber(empty, 23, 7), 30);
  EXPECT_EQ(NextNodeNumber(empty, 23, 5), 25);
  EXPECT_EQ(NextNodeNumber(empty, 23, 0), 0);
  EXPECT_EQ(NextNodeNumber(empty, 23, -10), 0);
  EXPECT_EQ(NextNodeNumber(empty, 23, 100000), 0);
  // Used numbers are skipped by the increment.
  const NodeTable used = TableOf({30, 40, 100050});
  EXPECT_EQ(NextNodeNumber(used, 23, 10), 50);
}

TEST(NextNodeNumber, WrapsAtTheTopAndGivesUp) {
  const NodeTable empty = TableOf({});
  EXPECT_EQ(NextNodeNumber(empty, 99985, 10), 99990);
  EXPECT_EQ(NextNodeNumber(empty, 99990, 10), 10);
  const NodeTable top = TableOf({99990});
  EXPECT_EQ(NextNodeNumber(top, 99985, 10), 10);
  std::vector<NodeId> all;
  for (NodeId id = 10; id <= 99990; id += 10) all.push_back(id);
  const NodeTable full = TableOf(all);
  EXPECT_EQ(NextNodeNumber(full, 23, 10), 0);
  all.erase(all.begin() + 4);  // 50 is free again
  const NodeTable almost = TableOf(all);
  EXPECT_EQ(NextNodeNumber(almost, 23, 10), 50);
  EXPECT_EQ(NextNodeNumber(almost, 99000, 10), 50);
}

TEST(NodeTable, AppendStopsAtTheLimitWithAMessage) {
  NodeTable table;
  ClearNodes(table);
  NodeRecord node;
  for (int i = 1; i <= kMaxNodes; ++i) {
    node.id = i;
    ASSERT_EQ(AppendNode(table, node), i);
  }
  node.id = kMaxNodes + 1;
  EXPECT_EQ(AppendNode(table, node), 0);
  EXPECT_EQ(table.count, kMaxNodes);
  EXPECT_EQ(FindNodeIndex(table, kMaxNodes + 1), 0);
  EXPECT_NE(NodeLimitMessage().find("9990"), std::string::npos);
}

// --- The node section ---------------------------------------------------------

std::string TempPath(const char* name) { return std::string(std::getenv("TMPDIR")) + "/" + name; }

std::vector<unsigned char> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void PutInt(std::vector<unsigned char>& bytes, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

// The section as an independent emitter writes it: count, then per node id,
// kind, X, Y, Z (IEEE single, little-endian) and row.
std::vector<unsigned char> SectionBytes() {
  std::vector<unsigned char> bytes;
  PutInt(bytes, 2);
  PutInt(bytes, 10);
  PutInt(bytes, 0);
  PutInt(bytes, 0x3FC00000);  // 1.5f
  PutInt(bytes, 0xC0200000);  // -2.5f
  PutInt(bytes, 0x00000000);  // 0.0f
  PutInt(bytes, 1);
  PutInt(bytes, 100020);
  PutInt(bytes, 1);
  PutInt(bytes, 0x42C80000);  // 100.0f
  PutInt(bytes, 0x3F800000);  // 1.0f
  PutInt(bytes, 0x41200000);  // 10.0f
  PutInt(bytes, 2);
  return bytes;
}

TEST(NodeSection, ReadsTheFileLayoutAndWritesItBackByteForByte) {
  const std::string source = TempPath("nodes-in.bin");
  WriteBytes(source, SectionBytes());
  BinaryFile in;
  ASSERT_TRUE(BinaryFileOpenRead(in, source));
  NodeTable table;
  ClearNodes(table);
  ReadNodes(in, table);
  BinaryFileClose(in);
  ASSERT_EQ(table.count, 2);
  EXPECT_EQ(table[1].id, 10);
  EXPECT_EQ(table[1].x, 1.5f);
  EXPECT_EQ(table[1].y, -2.5f);
  EXPECT_EQ(table[1].row, 1);
  EXPECT_EQ(table[2].id, 100020);
  EXPECT_EQ(table[2].nodeKind, kBendNode);
  EXPECT_EQ(table[2].z, 10.0f);
  EXPECT_GT(table[2].labelBounds.xmin, table[2].labelBounds.xmax);  // empty

  const std::string copy = TempPath("nodes-out.bin");
  BinaryFile out;
  ASSERT_TRUE(BinaryFileOpenWrite(out, copy));
  WriteNodes(out, table);
  ASSERT_TRUE(BinaryFileClose(out));
  EXPECT_EQ(ReadAll(copy), SectionBytes());
}

// Reads `bytes` as a node section into a table holding one node; returns the
// message thrown (empty when none).
std::string ReadDamaged(const std::vector<unsigned char>& bytes, NodeTable& table) {
  const std::string path = TempPath("nodes-damaged.bin");
  WriteBytes(path, bytes);
  BinaryFile in;
  EXPECT_TRUE(BinaryFileOpenRead(in, path));
  std::string message;
  try {
    ReadNodes(in, table);
  } catch (const std::string& text) {
    message = text;
  }
  BinaryFileClose(in);
  return message;
}

TEST(NodeSection, DamageGivesAMessageAndLeavesTheTable) {
  const std::vector<unsigned char> good = SectionBytes();
  // Every cut of the section is refused.
  for (std::size_t length = 0; length < good.size(); ++length) {
    NodeTable table = TableOf({42});
    const std::string message =
        ReadDamaged(std::vector<unsigned char>(good.begin(), good.begin() + static_cast<long>(length)), table);
    EXPECT_NE(message.find("damaged"), std::string::npos) << length;
    ASSERT_EQ(table.count, 1) << length;
    EXPECT_EQ(table[1].id, 42);
  }
  // A count beyond the node limit, a negative count, an unknown node kind.
  std::vector<unsigned char> tooMany;
  PutInt(tooMany, kMaxNodes + 1);
  tooMany.resize(4 + 24 * (kMaxNodes + 1), 0);
  NodeTable table = TableOf({42});
  EXPECT_NE(ReadDamaged(tooMany, table).find("9990"), std::string::npos);
  EXPECT_EQ(table.count, 1);
  std::vector<unsigned char> negative;
  PutInt(negative, 0xFFFFFFFF);
  EXPECT_NE(ReadDamaged(negative, table).find("negative"), std::string::npos);
  std::vector<unsigned char> badKind = SectionBytes();
  badKind[8] = 7;  // the first node's kind
  EXPECT_NE(ReadDamaged(badKind, table).find("kind 7"), std::string::npos);
  EXPECT_EQ(table.count, 1);
  // A count within the limit but beyond the bytes left is refused, not allocated.
  std::vector<unsigned char> cutShort;
  PutInt(cutShort, kMaxNodes);
  EXPECT_NE(ReadDamaged(cutShort, table).find("more than the file holds"), std::string::npos);
}

// A field that must name a node of the model: empty is none; otherwise the
// field message under the field's label, with the text as typed.
TEST(GetDefinedNodeNumber, AcceptsOnlyNodesOfTheModelThatAreNotBendNodes) {
  const NodeTable kept = TheModel().nodes;
  TheModel().nodes = TableOf({10, 20, 100020});
  TheModel().nodes[2].nodeKind = kBendNode;
  TheModel().nodes[3].nodeKind = kBendIntermediateNode;
  const std::pair<const char*, const char*> cases[] = {
      {"", "0"}, {"10", "10"}, {"20A", "100020"},  // a node of a bend's arc is on the pipe
      {"40", "Inlet node =  40  is not defined"},
      {"20", "Inlet node =  20  is bend node"},
      {"12x", "Inlet node =  12x  is invalid"},
      {"100000", "Inlet node =  100000  Node number should be < 100000"},
  };
  for (const auto& [text, answer] : cases) {
    g_EditFieldText = text;
    try {
      EXPECT_EQ(std::to_string(GetDefinedNodeNumber("Inlet node")), answer);
    } catch (const std::string& message) {
      EXPECT_EQ(message, answer);
    }
  }
  g_EditFieldText.clear();
  TheModel().nodes = kept;
}

}  // namespace
