// Compressors and turbines: the 44-byte record of both sections byte for
// byte, the room of a table read from a file and its growth, damage refused.
#include <gtest/gtest.h>

#include "properties/SectionTestBytes.h"
#include "records/Compressor.h"

using namespace section_test;

namespace {

RotatingEquipment Centrifugal() {
  RotatingEquipment r;
  r.description = "K-101 booster";
  r.inletNode = 100;
  r.exhaustNode = 200;
  r.extractionNode1 = 1000310;  // a generated node number
  r.extractionNode2 = 0;
  r.shaftAxis = {1.0f, 0.0f, -0.5f};
  return r;
}

void EmitEquipment(ByteEmitter& out, const RotatingEquipment& r) {
  out.Text(r.description, 16).Int(r.inletNode).Int(r.exhaustNode).Int(r.extractionNode1).Int(r.extractionNode2);
  out.Float(r.shaftAxis[0]).Float(r.shaftAxis[1]).Float(r.shaftAxis[2]);
}

}  // namespace

TEST(CompressorSections, BothKindsRoundTripByteForByte) {
  ModelRecordTable<RotatingEquipment> compressors;
  AppendRotatingEquipment(compressors, Centrifugal());
  RotatingEquipment turbine = Centrifugal();
  turbine.description = "T-7 steam drive";  // fifteen characters fill the field
  turbine.shaftAxis = {0.0f, 0.0f, 1.0f};
  ModelRecordTable<RotatingEquipment> turbines;
  AppendRotatingEquipment(turbines, turbine);
  AppendRotatingEquipment(turbines, Centrifugal());

  ByteEmitter expected;
  expected.Int(1);
  EmitEquipment(expected, Centrifugal());
  ASSERT_EQ(expected.bytes.size(), 4u + 44);
  const ByteVector written = WrittenBytes([&](BinaryFile& f) { WriteCompressors(f, compressors); });
  EXPECT_EQ(written, expected.bytes);

  ByteEmitter expectedTurbines;
  expectedTurbines.Int(2);
  EmitEquipment(expectedTurbines, turbine);
  EmitEquipment(expectedTurbines, Centrifugal());
  const ByteVector writtenTurbines = WrittenBytes([&](BinaryFile& f) { WriteTurbines(f, turbines); });
  EXPECT_EQ(writtenTurbines, expectedTurbines.bytes);

  ModelRecordTable<RotatingEquipment> read;
  EXPECT_EQ(ReadFromBytes(writtenTurbines, [&](BinaryFile& f) { ReadTurbines(f, 900, read); }), "");
  ASSERT_EQ(read.count, 2);
  EXPECT_EQ(read[1].description, "T-7 steam drive");
  EXPECT_EQ(read[2].extractionNode1, 1000310);
  EXPECT_EQ(read[2].shaftAxis[2], -0.5f);
  EXPECT_EQ(WrittenBytes([&](BinaryFile& f) { WriteTurbines(f, read); }), writtenTurbines);
}

TEST(CompressorSections, ThreeReadGiveRoomThreeAndAFourthGrowsItToSeven) {
  ByteEmitter three;
  three.Int(3);
  for (int i = 0; i < 3; ++i) EmitEquipment(three, Centrifugal());
  ModelRecordTable<RotatingEquipment> table;
  EXPECT_EQ(ReadFromBytes(three.bytes, [&](BinaryFile& f) { ReadCompressors(f, 700, table); }), "");
  EXPECT_EQ(table.capacity, 3);
  EXPECT_EQ(AppendRotatingEquipment(table, Centrifugal()), 4);
  EXPECT_EQ(table.capacity, 7);
}

TEST(CompressorSections, DamageIsRefusedAndTheTableKept) {
  ModelRecordTable<RotatingEquipment> table;
  AppendRotatingEquipment(table, Centrifugal());
  const ByteVector written = WrittenBytes([&](BinaryFile& f) { WriteCompressors(f, table); });
  ExpectEveryPrefixRefused(written, [&](BinaryFile& f) { ReadCompressors(f, 900, table); });
  RotatingEquipment longName = Centrifugal();
  longName.description = "K-101 booster stage";
  ByteEmitter noZero;
  noZero.Int(1);
  EmitEquipment(noZero, longName);
  EXPECT_EQ(ReadFromBytes(noZero.bytes, [&](BinaryFile& f) { ReadTurbines(f, 900, table); }),
            "The file is damaged.\nTurbines: a text without its terminator");
  EXPECT_EQ(table.count, 1);
  EXPECT_EQ(table[1].description, "K-101 booster");
}
