// The layout-row section on its own: the rows, the row count limits and the
// old node numbering, read from hand-built bytes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "files/ByteEmitter.h"
#include "files/ModelFileSections.h"
#include "model/LayoutRow.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "services/BinaryFile.h"

namespace {

std::string TempPath(const std::string& name) {
  const char* folder = std::getenv("TMPDIR");
  return std::string(folder ? folder : "/tmp") + "/" + name;
}

void OpenBytes(BinaryFile& file, const std::string& bytes) {
  const std::string path = TempPath("rows.bin");
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
  }
  ASSERT_TRUE(BinaryFileOpenRead(file, path));
}

// A version 900 row without objects: a Pipe at `node` with offsets.
void EmitPipeRow(ByteEmitter& out, int node, float dx) {
  out.Int(node);
  out.Byte(0);
  out.Int(3);
  out.Int(0);
  out.Floats({dx, 0.0f, 0.0f});
  out.Fixed("M", 6);
  out.Fixed("S", 6);
  out.Fixed("L", 6);
  out.Zeros(16);
}

TEST(LayoutRows, RowsAreReadIntoTheModel) {
  ByteEmitter out;
  out.Int(2);
  EmitPipeRow(out, 110, 5.0f);
  EmitPipeRow(out, 120, 6.0f);
  BinaryFile file;
  OpenBytes(file, out.bytes());
  Model model;
  ReadLayoutRows(file, 900, model);
  EXPECT_EQ(model.rowCount, 2);
  EXPECT_EQ(model.row(2).node, 120);
  EXPECT_EQ(model.row(2).dx, 6.0f);
  EXPECT_EQ(model.row(1).material, "M");
  EXPECT_NE(model.row(1).element, nullptr);
  EXPECT_TRUE(model.row(1).drawn);
}

TEST(LayoutRows, TooManyRowsAreRefused) {
  ByteEmitter out;
  out.Int(7001);
  BinaryFile file;
  OpenBytes(file, out.bytes());
  Model model;
  try {
    ReadLayoutRows(file, 900, model);
    FAIL() << "accepted";
  } catch (const std::string& message) {
    EXPECT_EQ(message, "*** Number of rows = 7001 > maximum = 7000 ***");
  }
  EXPECT_EQ(model.rowCount, 0);
}

TEST(LayoutRows, OldNodeNumbersAreRecodedUpToVersion681) {
  // 60001 and above, 50001 ... 10001 and above, each by its step of 10000.
  EXPECT_EQ(RecodeOldNodeId(60005, 681), 600005);
  EXPECT_EQ(RecodeOldNodeId(50001, 681), 500001);
  EXPECT_EQ(RecodeOldNodeId(40010, 600), 400010);
  EXPECT_EQ(RecodeOldNodeId(30000, 681), 200000 + 10000);  // 30000 is not above 30000
  EXPECT_EQ(RecodeOldNodeId(20005, 600), 200005);
  EXPECT_EQ(RecodeOldNodeId(10005, 600), 100005);
  EXPECT_EQ(RecodeOldNodeId(10000, 600), 10000);
  EXPECT_EQ(RecodeOldNodeId(25000, 681), 205000);
  EXPECT_EQ(RecodeOldNodeId(25000, 682), 25000);
  EXPECT_EQ(RecodeOldNodeId(20005, 700), 20005);
}

TEST(LayoutRows, ANameWithoutItsTerminatorIsADamagedFile) {
  ByteEmitter out;
  out.Int(10);
  out.Byte(0);
  out.Int(3);
  out.Int(0);
  out.Floats({0.0f, 0.0f, 0.0f});
  out.Fixed("ABCDEF", 6);  // six characters fill the 6-byte field
  out.Fixed("S", 6);
  out.Fixed("L", 6);
  out.Zeros(16);
  BinaryFile file;
  OpenBytes(file, out.bytes());
  LayoutRow row;
  EXPECT_THROW(ReadLayoutRow(file, 900, 1, row), std::string);
}

}  // namespace
