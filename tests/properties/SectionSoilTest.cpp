// Pipe sections and soils: the sections' three record sizes by version (52
// before 502, 56 to 679, 58 from 680), the soils section absent before 502,
// byte-for-byte round trips, enumerations and damage refused, lookups.
#include <gtest/gtest.h>

#include "properties/SectionTestBytes.h"
#include "records/PipeSection.h"
#include "records/Soil.h"

using namespace section_test;

namespace {

PipeSection EightInch() {
  PipeSection s;
  s.name = "8-40";
  s.standard = kStandardAnsi;
  s.nominalSize = "8";
  s.schedule = "40";
  s.outsideDiameter = 8.625f;
  s.thickness = 0.322f;
  s.corrosionAllowance = 0.0625f;
  s.millTolerance = 12.5f;
  s.insulationDensity = 0.0064f;
  s.insulationThickness = 2.0f;
  s.liningDensity = 0.03f;
  s.liningThickness = 0.125f;
  s.soil = "S1";
  return s;
}

PipeSection DinSection() {
  PipeSection s;
  s.name = "DN100";
  s.standard = kStandardDin;
  s.nominalSize = "Non Std";
  s.schedule = "";
  s.outsideDiameter = 4.5f;
  s.thickness = 0.157f;
  return s;
}

void EmitSection(ByteEmitter& out, const PipeSection& s, std::size_t nameWidth, bool soil) {
  out.Text(s.name, nameWidth).Int(s.standard).Text(s.nominalSize, 8).Text(s.schedule, 4);
  out.Float(s.outsideDiameter).Float(s.thickness).Float(s.corrosionAllowance).Float(s.millTolerance);
  out.Float(s.insulationDensity).Float(s.insulationThickness).Float(s.liningDensity).Float(s.liningThickness);
  if (soil) out.Text(s.soil, 4);
}

void ExpectSameSection(const PipeSection& a, const PipeSection& b) {
  EXPECT_EQ(a.name, b.name);
  EXPECT_EQ(a.standard, b.standard);
  EXPECT_EQ(a.nominalSize, b.nominalSize);
  EXPECT_EQ(a.schedule, b.schedule);
  EXPECT_EQ(a.outsideDiameter, b.outsideDiameter);
  EXPECT_EQ(a.thickness, b.thickness);
  EXPECT_EQ(a.corrosionAllowance, b.corrosionAllowance);
  EXPECT_EQ(a.millTolerance, b.millTolerance);
  EXPECT_EQ(a.insulationDensity, b.insulationDensity);
  EXPECT_EQ(a.insulationThickness, b.insulationThickness);
  EXPECT_EQ(a.liningDensity, b.liningDensity);
  EXPECT_EQ(a.liningThickness, b.liningThickness);
  EXPECT_EQ(a.soil, b.soil);
}

Soil Clay() {
  Soil s;
  s.name = "CL";
  s.type = kSoilCohesive;
  s.density = 0.0694f;
  s.strength = 7.0f;
  s.groundLevel = 120.0f;
  return s;
}

Soil Sand() {
  Soil s;
  s.name = "SND";
  s.type = kSoilCohesionless;
  s.density = 0.0637f;
  s.delta = 0.5236f;
  s.Ks = 0.45f;
  s.groundLevel = -24.0f;
  return s;
}

void EmitSoil(ByteEmitter& out, const Soil& s) {
  out.Text(s.name, 4).Byte(s.type).Float(s.density).Float(s.strength).Float(s.delta).Float(s.Ks);
  out.Float(s.groundLevel);
}

}  // namespace

TEST(PipeSectionSection, WritesFiftyEightByteRecordsAndReadsThemBack) {
  ModelRecordTable<PipeSection> table;
  AppendSection(table, EightInch());
  AppendSection(table, DinSection());
  ByteEmitter expected;
  expected.Int(2);
  EmitSection(expected, EightInch(), 6, true);
  EmitSection(expected, DinSection(), 6, true);
  ASSERT_EQ(expected.bytes.size(), 4u + 2 * 58);

  const ByteVector written = WrittenBytes([&](BinaryFile& f) { WriteSections(f, table); });
  EXPECT_EQ(written, expected.bytes);
  ModelRecordTable<PipeSection> read;
  EXPECT_EQ(ReadFromBytes(written, [&](BinaryFile& f) { ReadSections(f, 900, read); }), "");
  ASSERT_EQ(read.count, 2);
  ExpectSameSection(EightInch(), read[1]);
  ExpectSameSection(DinSection(), read[2]);
  EXPECT_EQ(WrittenBytes([&](BinaryFile& f) { WriteSections(f, read); }), written);
}

TEST(PipeSectionSection, OlderVersionsHoldShorterRecords) {
  PipeSection oldName = EightInch();
  oldName.name = "8S";
  // Version 502 to 679: 4-byte names with the soil name, 56 bytes.
  ByteEmitter v600;
  v600.Int(1);
  EmitSection(v600, oldName, 4, true);
  ASSERT_EQ(v600.bytes.size(), 4u + 56);
  ModelRecordTable<PipeSection> read;
  EXPECT_EQ(ReadFromBytes(v600.bytes, [&](BinaryFile& f) { ReadSections(f, 600, read); }), "");
  ASSERT_EQ(read.count, 1);
  ExpectSameSection(oldName, read[1]);

  // Up to version 501: no soil name, 52 bytes; the soil reads empty.
  ByteEmitter v501;
  v501.Int(1);
  EmitSection(v501, oldName, 4, false);
  ASSERT_EQ(v501.bytes.size(), 4u + 52);
  EXPECT_EQ(ReadFromBytes(v501.bytes, [&](BinaryFile& f) { ReadSections(f, 501, read); }), "");
  PipeSection noSoil = oldName;
  noSoil.soil.clear();
  ExpectSameSection(noSoil, read[1]);
}

TEST(PipeSectionSection, DamageIsRefusedAndTheTableKept) {
  ModelRecordTable<PipeSection> table;
  AppendSection(table, EightInch());
  const ByteVector before = WrittenBytes([&](BinaryFile& f) { WriteSections(f, table); });
  auto read = [&](BinaryFile& f) { ReadSections(f, 900, table); };

  PipeSection unknown = DinSection();
  unknown.standard = 4;
  ByteEmitter badStandard;
  badStandard.Int(1);
  EmitSection(badStandard, unknown, 6, true);
  EXPECT_EQ(ReadFromBytes(badStandard.bytes, read),
            "The file is damaged.\nPipe sections: section DN100 has an unknown dimension standard");

  PipeSection longSchedule = EightInch();
  longSchedule.schedule = "XXSX";  // four characters leave no room for the zero
  ByteEmitter noZero;
  noZero.Int(1);
  EmitSection(noZero, longSchedule, 6, true);
  EXPECT_EQ(ReadFromBytes(noZero.bytes, read),
            "The file is damaged.\nPipe sections: a text without its terminator");

  ExpectEveryPrefixRefused(before, read);
  EXPECT_EQ(WrittenBytes([&](BinaryFile& f) { WriteSections(f, table); }), before);
}

TEST(PipeSectionTable, InitFindAndGrowth) {
  PipeSection record = EightInch();
  InitSection(record);
  ExpectSameSection(PipeSection{}, record);
  EXPECT_EQ(record.standard, 0);

  ModelRecordTable<PipeSection> table;
  ModelRecordTableSizeForRead(table, 3);  // a file of three sections
  table[1] = EightInch();
  table[2] = DinSection();
  table[3].name = "X";
  EXPECT_EQ(FindSectionByName(table, "DN100"), 2);
  EXPECT_EQ(FindSectionByName(table, "dn100"), 0);
  EXPECT_EQ(FindSectionByName(table, ""), 0);
  EXPECT_EQ(AppendSection(table, DinSection()), 4);
  EXPECT_EQ(table.capacity, 7);
}

TEST(SoilSection, RoundTripAndAbsentBefore502) {
  ModelRecordTable<Soil> table;
  AppendSoil(table, Clay());
  AppendSoil(table, Sand());
  ByteEmitter expected;
  expected.Int(2);
  EmitSoil(expected, Clay());
  EmitSoil(expected, Sand());
  ASSERT_EQ(expected.bytes.size(), 4u + 2 * 25);
  const ByteVector written = WrittenBytes([&](BinaryFile& f) { WriteSoils(f, table); });
  EXPECT_EQ(written, expected.bytes);

  ModelRecordTable<Soil> read;
  EXPECT_EQ(ReadFromBytes(written, [&](BinaryFile& f) { ReadSoils(f, 502, read); }), "");
  ASSERT_EQ(read.count, 2);
  EXPECT_EQ(read[1].name, "CL");
  EXPECT_EQ(read[1].type, kSoilCohesive);
  EXPECT_EQ(read[1].strength, 7.0f);
  EXPECT_EQ(read[2].name, "SND");
  EXPECT_EQ(read[2].delta, 0.5236f);
  EXPECT_EQ(read[2].Ks, 0.45f);
  EXPECT_EQ(read[2].groundLevel, -24.0f);
  EXPECT_EQ(WrittenBytes([&](BinaryFile& f) { WriteSoils(f, read); }), written);

  // A version 501 file has no soils section: nothing is read, the table stays.
  EXPECT_EQ(ReadFromBytes(ByteVector{}, [&](BinaryFile& f) { ReadSoils(f, 501, read); }), "");
  EXPECT_EQ(read.count, 2);
}

TEST(SoilSection, DamageIsRefusedAndTheTableKept) {
  ModelRecordTable<Soil> table;
  AppendSoil(table, Sand());
  const ByteVector before = WrittenBytes([&](BinaryFile& f) { WriteSoils(f, table); });
  auto read = [&](BinaryFile& f) { ReadSoils(f, 900, table); };
  Soil odd = Clay();
  odd.type = 2;
  ByteEmitter badType;
  badType.Int(1);
  EmitSoil(badType, odd);
  EXPECT_EQ(ReadFromBytes(badType.bytes, read), "The file is damaged.\nSoils: soil CL has an unknown type");
  ExpectEveryPrefixRefused(before, read);
  EXPECT_EQ(table.count, 1);
  EXPECT_EQ(FindSoilByName(table, "SND"), 1);
  EXPECT_EQ(FindSoilByName(table, "CL"), 0);
  EXPECT_EQ(FindSoilByName(table, ""), 0);
}
