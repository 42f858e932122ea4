// Pumps and allowable loads: the pump record by its fields (57 bytes up to
// version 700, 81 after), standard 0 of old files counted as Horizontal,
// enumerations refused, the allowables section absent up to 690, the first
// record of a node found, growth and damage.
#include <gtest/gtest.h>

#include "properties/SectionTestBytes.h"
#include "records/AllowableLoad.h"
#include "records/Pump.h"

using namespace section_test;

namespace {

Pump AnsiPump() {
  Pump p;
  p.name = "P-201A charge";
  p.suctionNode = 310;
  p.suctionLocation = kNozzleEnd;
  p.dischargeNode = 320;
  p.dischargeLocation = kNozzleTop;
  p.shaftAxis = {1.0f, 0.0f, 0.0f};
  p.centre = {120.0f, 24.0f, -36.0f};
  p.vertical = 0;
  p.standard = kPumpAnsiHi962;
  p.category = 4;
  p.size = 3;
  p.boltOrMounting = 2;
  p.temperature = 350.0f;
  p.materialGroup = 17;
  return p;
}

void EmitPump(ByteEmitter& out, const Pump& p, bool version701) {
  out.Text(p.name, 16).Int(p.suctionNode).Int(p.suctionLocation).Int(p.dischargeNode).Int(p.dischargeLocation);
  for (float v : p.shaftAxis) out.Float(v);
  for (float v : p.centre) out.Float(v);
  out.Byte(p.vertical);
  // The file order: standard, category, size, material group, bolt, temperature.
  if (version701)
    out.Int(p.standard).Int(p.category).Int(p.size).Int(p.materialGroup).Int(p.boltOrMounting).Float(p.temperature);
}

void EmitAllowable(ByteEmitter& out, const Allowable& a) {
  out.Int(a.node);
  for (float v : a.values) out.Float(v);
}

}  // namespace

TEST(PumpSection, WritesEightyOneByteRecordsAndReadsThemBack) {
  ModelRecordTable<Pump> table;
  AppendPump(table, AnsiPump());
  ByteEmitter expected;
  expected.Int(1);
  EmitPump(expected, AnsiPump(), true);
  ASSERT_EQ(expected.bytes.size(), 4u + 81);
  const ByteVector written = WrittenBytes([&](BinaryFile& f) { WritePumps(f, table); });
  EXPECT_EQ(written, expected.bytes);

  ModelRecordTable<Pump> read;
  EXPECT_EQ(ReadFromBytes(written, [&](BinaryFile& f) { ReadPumps(f, 701, read); }), "");
  ASSERT_EQ(read.count, 1);
  EXPECT_EQ(read[1].name, "P-201A charge");
  EXPECT_EQ(read[1].suctionLocation, kNozzleEnd);
  EXPECT_EQ(read[1].centre[2], -36.0f);
  EXPECT_EQ(read[1].materialGroup, 17);
  EXPECT_EQ(read[1].boltOrMounting, 2);
  EXPECT_EQ(read[1].temperature, 350.0f);
  EXPECT_EQ(WrittenBytes([&](BinaryFile& f) { WritePumps(f, read); }), written);
}

TEST(PumpSection, FilesUpTo700HoldTheShortRecord) {
  Pump horizontal = AnsiPump();
  horizontal.name = "P-1";
  ByteEmitter v700;
  v700.Int(2);
  EmitPump(v700, horizontal, false);
  EmitPump(v700, horizontal, false);
  ASSERT_EQ(v700.bytes.size(), 4u + 2 * 57);
  ModelRecordTable<Pump> read;
  EXPECT_EQ(ReadFromBytes(v700.bytes, [&](BinaryFile& f) { ReadPumps(f, 700, read); }), "");
  ASSERT_EQ(read.count, 2);
  EXPECT_EQ(read[2].name, "P-1");
  EXPECT_EQ(read[2].centre[0], 120.0f);
  EXPECT_EQ(read[2].standard, 0);
  EXPECT_EQ(EffectivePumpStandard(read[2]), kPumpHorizontalApi610);
  EXPECT_EQ(read[2].category, 0);
  EXPECT_EQ(read[2].temperature, 0.0f);
  // Written again, the record takes the current layout with standard 0.
  ByteEmitter current;
  current.Int(2);
  Pump expected = horizontal;
  expected.standard = 0;
  expected.category = expected.size = expected.boltOrMounting = expected.materialGroup = 0;
  expected.temperature = 0.0f;
  EmitPump(current, expected, true);
  EmitPump(current, expected, true);
  EXPECT_EQ(WrittenBytes([&](BinaryFile& f) { WritePumps(f, read); }), current.bytes);
}

TEST(PumpSection, EnumerationsAndDamageAreRefused) {
  ModelRecordTable<Pump> table;
  AppendPump(table, AnsiPump());
  const ByteVector written = WrittenBytes([&](BinaryFile& f) { WritePumps(f, table); });
  auto read = [&](BinaryFile& f) { ReadPumps(f, 900, table); };
  for (int field = 0; field < 4; ++field) {
    Pump bad = AnsiPump();
    if (field == 0) bad.standard = 4;
    if (field == 1) bad.category = 6;
    if (field == 2) bad.materialGroup = 18;
    if (field == 3) bad.dischargeLocation = 3;
    ByteEmitter out;
    out.Int(1);
    EmitPump(out, bad, true);
    EXPECT_EQ(ReadFromBytes(out.bytes, read),
              "The file is damaged.\nPumps: pump P-201A charge has an unknown standard, category, "
              "material group or nozzle location")
        << "field " << field;
  }
  ExpectEveryPrefixRefused(written, read);
  EXPECT_EQ(WrittenBytes([&](BinaryFile& f) { WritePumps(f, table); }), written);
}

TEST(PumpRecord, InitAndGrowth) {
  Pump p = AnsiPump();
  InitPumpRecord(p);
  EXPECT_TRUE(p.name.empty());
  EXPECT_EQ(p.standard, kPumpHorizontalApi610);
  EXPECT_EQ(p.vertical, 0);
  EXPECT_EQ(p.category, 0);
  EXPECT_EQ(p.temperature, 0.0f);
  ModelRecordTable<Pump> table;
  ModelRecordTableSizeForRead(table, 2);
  EXPECT_EQ(AppendPump(table, AnsiPump()), 3);
  EXPECT_EQ(table.capacity, 6);  // capacity + 4 usable
}

TEST(AllowableSection, RoundTripAbsentUpTo690AndFirstOfANode) {
  ModelRecordTable<Allowable> table;
  AppendAllowable(table, Allowable{1200, {500.0f, -250.0f, 0.0f, 12000.0f, 0.0f, 9000.5f}});
  AppendAllowable(table, Allowable{1300, {100.0f, 100.0f, 100.0f, 0.0f, 0.0f, 0.0f}});
  AppendAllowable(table, Allowable{1200, {1.0f, 2.0f, 3.0f, 4.0f, 5.0f, 6.0f}});
  ByteEmitter expected;
  expected.Int(3);
  for (int i = 1; i <= 3; ++i) EmitAllowable(expected, table[i]);
  ASSERT_EQ(expected.bytes.size(), 4u + 3 * 28);
  const ByteVector written = WrittenBytes([&](BinaryFile& f) { WriteAllowables(f, table); });
  EXPECT_EQ(written, expected.bytes);

  ModelRecordTable<Allowable> read;
  EXPECT_EQ(ReadFromBytes(written, [&](BinaryFile& f) { ReadAllowables(f, 691, read); }), "");
  ASSERT_EQ(read.count, 3);
  EXPECT_EQ(read.capacity, 3);
  EXPECT_EQ(read[1].values[5], 9000.5f);
  EXPECT_EQ(FindAllowableByNode(read, 1200), 1);
  EXPECT_EQ(FindAllowableByNode(read, 1300), 2);
  EXPECT_EQ(FindAllowableByNode(read, 1400), 0);
  EXPECT_EQ(FindAllowableByNode(read, 0), 0);
  EXPECT_EQ(WrittenBytes([&](BinaryFile& f) { WriteAllowables(f, read); }), written);

  // Up to version 690 there is no section: nothing is read, the table stays.
  EXPECT_EQ(ReadFromBytes(ByteVector{}, [&](BinaryFile& f) { ReadAllowables(f, 690, read); }), "");
  EXPECT_EQ(read.count, 3);

  ExpectEveryPrefixRefused(written, [&](BinaryFile& f) { ReadAllowables(f, 900, read); });
  EXPECT_EQ(read.count, 3);
  EXPECT_EQ(AppendAllowable(read, Allowable{}), 4);
  EXPECT_EQ(read.capacity, 7);
}
