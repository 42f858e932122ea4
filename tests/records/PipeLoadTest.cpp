// Pipe loads: the 103-byte record of version 900, the three older layouts
// (before 680 short names, up to 690 three pairs, up to 780 no design
// values), new-record defaults, damage refused, lookups and the highest
// values over the pairs in use.
#include <gtest/gtest.h>

#include "properties/SectionTestBytes.h"
#include "records/PipeLoad.h"
#include "services/NumberText.h"

using namespace section_test;

namespace {

PipeLoad Steam() {
  PipeLoad l;
  l.name = "STM1";
  for (int i = 0; i < 10; ++i) {
    l.operating[static_cast<std::size_t>(i)] = {300.0f + 25.0f * static_cast<float>(i),
                                                150.0f + 5.0f * static_cast<float>(i)};
  }
  l.designTemperature = 650.0f;
  l.designPressure = 300.0f;
  l.specificGravity = 0.8f;
  l.additionalWeight = 2.25f;
  l.wind = 0;
  return l;
}

// A record of the given layout; `pairs` T/P pairs, design values or not.
void EmitPipeLoad(ByteEmitter& out, const PipeLoad& l, std::size_t nameWidth, int pairs, bool design) {
  out.Text(l.name, nameWidth);
  for (int i = 0; i < pairs; ++i)
    out.Float(l.operating[static_cast<std::size_t>(i)].temperature)
        .Float(l.operating[static_cast<std::size_t>(i)].pressure);
  if (design) out.Float(l.designTemperature).Float(l.designPressure);
  out.Float(l.specificGravity).Float(l.additionalWeight).Byte(l.wind);
}

}  // namespace

TEST(PipeLoadSection, WritesTheCurrentLayoutAndReadsItBack) {
  ModelRecordTable<PipeLoad> table;
  AppendPipeLoad(table, Steam());
  ByteEmitter expected;
  expected.Int(1);
  EmitPipeLoad(expected, Steam(), 6, 10, true);
  ASSERT_EQ(expected.bytes.size(), 4u + 103);
  const ByteVector written = WrittenBytes([&](BinaryFile& f) { WritePipeLoads(f, table); });
  EXPECT_EQ(written, expected.bytes);

  ModelRecordTable<PipeLoad> read;
  EXPECT_EQ(ReadFromBytes(written, [&](BinaryFile& f) { ReadPipeLoads(f, 900, 10, read); }), "");
  ASSERT_EQ(read.count, 1);
  EXPECT_EQ(read[1].name, "STM1");
  EXPECT_EQ(read[1].operating[9].temperature, 525.0f);
  EXPECT_EQ(read[1].operating[9].pressure, 195.0f);
  EXPECT_EQ(read[1].designTemperature, 650.0f);
  EXPECT_EQ(read[1].designPressure, 300.0f);
  EXPECT_EQ(read[1].specificGravity, 0.8f);
  EXPECT_EQ(WrittenBytes([&](BinaryFile& f) { WritePipeLoads(f, read); }), written);
}

TEST(PipeLoadSection, OlderLayoutsByVersion) {
  ModelRecordTable<PipeLoad> read;

  // Version 780: ten pairs, no design values; with three thermal loads in
  // use the design values are the highest of T1..T3 and P1..P3.
  ByteEmitter v780;
  v780.Int(1);
  EmitPipeLoad(v780, Steam(), 6, 10, false);
  EXPECT_EQ(ReadFromBytes(v780.bytes, [&](BinaryFile& f) { ReadPipeLoads(f, 780, 3, read); }), "");
  EXPECT_EQ(read[1].operating[9].temperature, 525.0f);
  EXPECT_EQ(read[1].designTemperature, 350.0f);
  EXPECT_EQ(read[1].designPressure, 160.0f);

  // Version 690: three pairs; T4..P10 stay 0, not the new-record defaults.
  ByteEmitter v690;
  v690.Int(1);
  EmitPipeLoad(v690, Steam(), 6, 3, false);
  EXPECT_EQ(ReadFromBytes(v690.bytes, [&](BinaryFile& f) { ReadPipeLoads(f, 690, 10, read); }), "");
  EXPECT_EQ(read[1].operating[2].temperature, 350.0f);
  for (int i = 3; i < 10; ++i) {
    EXPECT_EQ(read[1].operating[static_cast<std::size_t>(i)].temperature, 0.0f);
    EXPECT_EQ(read[1].operating[static_cast<std::size_t>(i)].pressure, 0.0f);
  }
  EXPECT_EQ(read[1].designTemperature, 350.0f);  // the highest over all ten, zeros included
  EXPECT_EQ(read[1].additionalWeight, 2.25f);

  // Version 679: four-byte names.
  PipeLoad shortName = Steam();
  shortName.name = "WAT";
  ByteEmitter v679;
  v679.Int(1);
  EmitPipeLoad(v679, shortName, 4, 3, false);
  EXPECT_EQ(ReadFromBytes(v679.bytes, [&](BinaryFile& f) { ReadPipeLoads(f, 679, 1, read); }), "");
  EXPECT_EQ(read[1].name, "WAT");
  EXPECT_EQ(read[1].designTemperature, 300.0f);  // T1 alone is in use
  EXPECT_EQ(read[1].designPressure, 150.0f);
  EXPECT_EQ(read[1].wind, 0);
}

TEST(PipeLoadSection, DamageIsRefusedAndTheTableKept) {
  ModelRecordTable<PipeLoad> table;
  AppendPipeLoad(table, Steam());
  const ByteVector before = WrittenBytes([&](BinaryFile& f) { WritePipeLoads(f, table); });
  auto read = [&](BinaryFile& f) { ReadPipeLoads(f, 900, 10, table); };
  ByteEmitter tooMany;
  tooMany.Int(2);
  EmitPipeLoad(tooMany, Steam(), 6, 10, true);
  EXPECT_EQ(ReadFromBytes(tooMany.bytes, read),
            "The file is damaged.\nPipe loads: count = 2, more than the file holds");
  ExpectEveryPrefixRefused(before, read);
  EXPECT_EQ(WrittenBytes([&](BinaryFile& f) { WritePipeLoads(f, table); }), before);
}

TEST(PipeLoadRecord, DefaultsLookupAndMaxima) {
  PipeLoad fresh = Steam();
  InitPipeLoad(fresh, 70.0f);
  EXPECT_TRUE(fresh.name.empty());
  for (const TemperaturePressure& pair : fresh.operating) {
    EXPECT_EQ(pair.temperature, 70.0f);
    EXPECT_TRUE(IsExplicitZero(pair.pressure));
  }
  EXPECT_EQ(fresh.designTemperature, 70.0f);
  EXPECT_TRUE(IsExplicitZero(fresh.designPressure));
  EXPECT_EQ(fresh.specificGravity, 0.0f);
  EXPECT_EQ(fresh.wind, 1);

  EXPECT_EQ(PipeLoadPairsInUse(1), 1);
  EXPECT_EQ(PipeLoadPairsInUse(3), 3);
  EXPECT_EQ(PipeLoadPairsInUse(4), 10);
  PipeLoad cold = Steam();
  cold.operating[1].temperature = -50.0f;  // T2 below T1: the highest stays T1
  EXPECT_EQ(PipeLoadMaxTemp(cold, 2), 300.0f);
  EXPECT_EQ(PipeLoadMaxTemp(cold, 10), 525.0f);
  EXPECT_EQ(PipeLoadMaxPressure(cold, 2), 155.0f);

  ModelRecordTable<PipeLoad> table;
  EXPECT_EQ(FindPipeLoadByName(table, "STM1"), 0);
  AppendPipeLoad(table, Steam());
  AppendPipeLoad(table, fresh);
  EXPECT_EQ(FindPipeLoadByName(table, "STM1"), 1);
  EXPECT_EQ(FindPipeLoadByName(table, "STM"), 0);
  EXPECT_EQ(FindPipeLoadByName(table, ""), 0);  // the unnamed record is never found
}
