// Beam materials, sections and loads: byte-for-byte sections, old name widths
// and the three temperatures of files up to 690, new-record defaults, damage
// refused, lookups.
#include <gtest/gtest.h>

#include "properties/SectionTestBytes.h"
#include "records/BeamLoad.h"
#include "records/BeamMaterial.h"
#include "records/BeamSection.h"

using namespace section_test;

namespace {

BeamMaterial Steel() {
  BeamMaterial m;
  m.name = "A36";
  m.description = "Structural steel ASTM A36";
  m.E = 2.9e7f;
  m.nu = 0.3f;
  m.density = 0.2836f;
  m.alpha = 6.5e-6f;
  return m;
}

BeamSection W8() {
  BeamSection s;
  s.name = "W8X31";
  s.description = "W 8X31";
  s.A = 9.12f;
  s.Imaj = 110.0f;
  s.Imin = 37.1f;
  s.J = 0.536f;
  s.Asmaj = 2.28f;
  s.Asmin = 6.5f;
  s.depth = 8.0f;
  s.width = 8.0f;
  return s;
}

BeamLoad Hot() {
  BeamLoad l;
  l.name = "BL1";
  for (int i = 0; i < 10; ++i) l.temperature[static_cast<std::size_t>(i)] = 100.0f + 10.0f * static_cast<float>(i);
  l.additionalWeight = 1.5f;
  l.wind = 0;
  return l;
}

void EmitBeamMaterial(ByteEmitter& out, const BeamMaterial& m, std::size_t nameWidth) {
  out.Text(m.name, nameWidth).Text(m.description, 28).Float(m.E).Float(m.nu).Float(m.density).Float(m.alpha);
}

void EmitBeamSection(ByteEmitter& out, const BeamSection& s, std::size_t nameWidth) {
  out.Text(s.name, nameWidth).Text(s.description, 16);
  for (float v : {s.A, s.Imaj, s.Imin, s.J, s.Asmaj, s.Asmin, s.depth, s.width}) out.Float(v);
}

void EmitBeamLoad(ByteEmitter& out, const BeamLoad& l, std::size_t nameWidth, int temperatures) {
  out.Text(l.name, nameWidth);
  for (int i = 0; i < temperatures; ++i) out.Float(l.temperature[static_cast<std::size_t>(i)]);
  out.Float(l.additionalWeight).Byte(l.wind);
}

}  // namespace

TEST(BeamMaterialSection, RoundTripOldNamesAndDamage) {
  ModelRecordTable<BeamMaterial> table;
  AppendBeamMaterial(table, Steel());
  ByteEmitter expected;
  expected.Int(1);
  EmitBeamMaterial(expected, Steel(), 6);
  ASSERT_EQ(expected.bytes.size(), 4u + 50);
  const ByteVector written = WrittenBytes([&](BinaryFile& f) { WriteBeamMaterials(f, table); });
  EXPECT_EQ(written, expected.bytes);

  ModelRecordTable<BeamMaterial> read;
  EXPECT_EQ(ReadFromBytes(written, [&](BinaryFile& f) { ReadBeamMaterials(f, 900, read); }), "");
  ASSERT_EQ(read.count, 1);
  EXPECT_EQ(read[1].description, "Structural steel ASTM A36");
  EXPECT_EQ(read[1].E, 2.9e7f);
  EXPECT_EQ(read[1].alpha, 6.5e-6f);
  EXPECT_EQ(WrittenBytes([&](BinaryFile& f) { WriteBeamMaterials(f, read); }), written);

  ByteEmitter v679;
  v679.Int(1);
  EmitBeamMaterial(v679, Steel(), 4);
  EXPECT_EQ(ReadFromBytes(v679.bytes, [&](BinaryFile& f) { ReadBeamMaterials(f, 679, read); }), "");
  EXPECT_EQ(read[1].name, "A36");
  EXPECT_EQ(read[1].density, 0.2836f);

  ExpectEveryPrefixRefused(written, [&](BinaryFile& f) { ReadBeamMaterials(f, 900, read); });
  EXPECT_EQ(read[1].name, "A36");

  BeamMaterial cleared = Steel();
  InitBeamMaterial(cleared);
  EXPECT_TRUE(cleared.name.empty() && cleared.description.empty());
  EXPECT_EQ(cleared.E, 0.0f);
  EXPECT_EQ(FindBeamMaterialByName(read, "A36"), 1);
  EXPECT_EQ(FindBeamMaterialByName(read, "A3"), 0);
  EXPECT_EQ(FindBeamMaterialByName(read, ""), 0);
}

TEST(BeamSectionSection, RoundTripOldNamesAndDamage) {
  ModelRecordTable<BeamSection> table;
  AppendBeamSection(table, W8());
  ByteEmitter expected;
  expected.Int(1);
  EmitBeamSection(expected, W8(), 6);
  ASSERT_EQ(expected.bytes.size(), 4u + 54);
  const ByteVector written = WrittenBytes([&](BinaryFile& f) { WriteBeamSections(f, table); });
  EXPECT_EQ(written, expected.bytes);

  ModelRecordTable<BeamSection> read;
  EXPECT_EQ(ReadFromBytes(written, [&](BinaryFile& f) { ReadBeamSections(f, 900, read); }), "");
  ASSERT_EQ(read.count, 1);
  EXPECT_EQ(read[1].name, "W8X31");
  EXPECT_EQ(read[1].Asmin, 6.5f);
  EXPECT_EQ(read[1].width, 8.0f);
  EXPECT_EQ(WrittenBytes([&](BinaryFile& f) { WriteBeamSections(f, read); }), written);

  BeamSection shortName = W8();
  shortName.name = "W8";
  ByteEmitter v600;
  v600.Int(1);
  EmitBeamSection(v600, shortName, 4);
  EXPECT_EQ(ReadFromBytes(v600.bytes, [&](BinaryFile& f) { ReadBeamSections(f, 600, read); }), "");
  EXPECT_EQ(read[1].name, "W8");
  EXPECT_EQ(read[1].J, 0.536f);

  BeamSection longDescription = W8();
  longDescription.description = "W 8X31 EXTRA LONG";  // 17 characters in a 16-byte field
  ByteEmitter noZero;
  noZero.Int(1);
  EmitBeamSection(noZero, longDescription, 6);
  EXPECT_EQ(ReadFromBytes(noZero.bytes, [&](BinaryFile& f) { ReadBeamSections(f, 900, read); }),
            "The file is damaged.\nBeam sections: a text without its terminator");
  EXPECT_EQ(read[1].name, "W8");
  ExpectEveryPrefixRefused(written, [&](BinaryFile& f) { ReadBeamSections(f, 900, read); });
  EXPECT_EQ(FindBeamSectionByName(read, "W8"), 1);
  EXPECT_EQ(FindBeamSectionByName(read, "W8X31"), 0);
}

TEST(BeamLoadSection, RoundTripAndNewRecordDefaults) {
  BeamLoad fresh = Hot();
  InitBeamLoad(fresh, 70.0f);
  EXPECT_TRUE(fresh.name.empty());
  for (float t : fresh.temperature) EXPECT_EQ(t, 70.0f);
  EXPECT_EQ(fresh.additionalWeight, 0.0f);
  EXPECT_EQ(fresh.wind, 1);

  ModelRecordTable<BeamLoad> table;
  AppendBeamLoad(table, Hot());
  ByteEmitter expected;
  expected.Int(1);
  EmitBeamLoad(expected, Hot(), 6, 10);
  ASSERT_EQ(expected.bytes.size(), 4u + 51);
  const ByteVector written = WrittenBytes([&](BinaryFile& f) { WriteBeamLoads(f, table); });
  EXPECT_EQ(written, expected.bytes);
  ModelRecordTable<BeamLoad> read;
  EXPECT_EQ(ReadFromBytes(written, [&](BinaryFile& f) { ReadBeamLoads(f, 900, 70.0f, read); }), "");
  ASSERT_EQ(read.count, 1);
  EXPECT_EQ(read[1].temperature, Hot().temperature);
  EXPECT_EQ(read[1].wind, 0);
  EXPECT_EQ(WrittenBytes([&](BinaryFile& f) { WriteBeamLoads(f, read); }), written);
  ExpectEveryPrefixRefused(written, [&](BinaryFile& f) { ReadBeamLoads(f, 900, 70.0f, read); });
  EXPECT_EQ(FindBeamLoadByName(read, "BL1"), 1);
  EXPECT_EQ(FindBeamLoadByName(read, ""), 0);
}

TEST(BeamLoadSection, FilesUpTo690HoldThreeTemperatures) {
  ByteEmitter v690;
  v690.Int(1);
  EmitBeamLoad(v690, Hot(), 6, 3);
  ModelRecordTable<BeamLoad> read;
  EXPECT_EQ(ReadFromBytes(v690.bytes, [&](BinaryFile& f) { ReadBeamLoads(f, 690, 68.0f, read); }), "");
  ASSERT_EQ(read.count, 1);
  EXPECT_EQ(read[1].temperature[0], 100.0f);
  EXPECT_EQ(read[1].temperature[2], 120.0f);
  for (int i = 3; i < 10; ++i) EXPECT_EQ(read[1].temperature[static_cast<std::size_t>(i)], 68.0f);
  EXPECT_EQ(read[1].additionalWeight, 1.5f);
  EXPECT_EQ(read[1].wind, 0);

  ByteEmitter v600;
  v600.Int(1);
  BeamLoad shortName = Hot();
  shortName.name = "B2";
  EmitBeamLoad(v600, shortName, 4, 3);
  EXPECT_EQ(ReadFromBytes(v600.bytes, [&](BinaryFile& f) { ReadBeamLoads(f, 600, 68.0f, read); }), "");
  EXPECT_EQ(read[1].name, "B2");
}
