// Materials: the section written byte for byte as the format lays it out,
// read back, old 4-byte names, damaged sections refused with the table left
// as it was, lookup by name and the table's growth.
#include <gtest/gtest.h>

#include "properties/SectionTestBytes.h"
#include "records/Material.h"

using namespace section_test;

namespace {

Material CarbonSteel() {
  Material m;
  m.name = "CS1";
  m.type = "CS";
  m.isFrp = 0;
  m.description = "Carbon steel A106 B";
  m.nu = 0.3f;
  m.density = 0.283f;
  m.jointFactor = 1.0f;
  m.circJointFactor = 0.9f;
  m.strength = 60000.0f;
  m.numtemps = 2;
  m.temps.resize(3);
  m.temps[1].values = {70.0f, 2.95e7f, 6.07e-6f, 20000.0f, 35000.0f, 0.0f, 0.0f, 0.0f};
  m.temps[2].values = {400.0f, 2.77e7f, 7.0e-6f, 18900.0f, 30000.0f, 0.0f, 0.0f, 0.0f};
  return m;
}

Material Fibreglass() {
  Material m;
  m.name = "FRP-2";
  m.type = "FR";
  m.isFrp = 1;
  m.description = "Filament wound epoxy";
  m.nu = 0.55f;
  m.density = 0.065f;
  m.jointFactor = 1.0f;
  m.circJointFactor = 1.0f;
  m.numtemps = 1;
  m.temps.resize(2);
  m.temps[1].values = {70.0f, 1.6e6f, 1.0e-5f, 9000.0f, 4500.0f, 8000.0f, 3.2e6f, 1.1e6f};
  return m;
}

void EmitMaterial(ByteEmitter& out, const Material& m, std::size_t nameWidth) {
  out.Text(m.name, nameWidth).Text(m.type, 3).Byte(m.isFrp).Text(m.description, 32);
  out.Float(m.nu).Float(m.density).Float(m.jointFactor).Float(m.circJointFactor).Float(m.strength);
  out.Int(m.numtemps);
  for (int row = 1; row <= m.numtemps; ++row)
    for (float value : m.temps[static_cast<std::size_t>(row)].values) out.Float(value);
}

ModelRecordTable<Material> TwoMaterials() {
  ModelRecordTable<Material> table;
  AppendMaterial(table, CarbonSteel());
  AppendMaterial(table, Fibreglass());
  return table;
}

void ExpectSameMaterial(const Material& a, const Material& b) {
  EXPECT_EQ(a.name, b.name);
  EXPECT_EQ(a.type, b.type);
  EXPECT_EQ(a.isFrp, b.isFrp);
  EXPECT_EQ(a.description, b.description);
  EXPECT_EQ(a.nu, b.nu);
  EXPECT_EQ(a.density, b.density);
  EXPECT_EQ(a.jointFactor, b.jointFactor);
  EXPECT_EQ(a.circJointFactor, b.circJointFactor);
  EXPECT_EQ(a.strength, b.strength);
  ASSERT_EQ(a.numtemps, b.numtemps);
  ASSERT_EQ(b.temps.size(), static_cast<std::size_t>(b.numtemps) + 1);
  for (const float value : b.temps[0].values) EXPECT_EQ(value, 0.0f);
  for (int row = 1; row <= a.numtemps; ++row)
    EXPECT_EQ(a.temps[static_cast<std::size_t>(row)].values, b.temps[static_cast<std::size_t>(row)].values);
}

}  // namespace

TEST(MaterialSection, WritesTheLayoutAndReadsItBack) {
  const ModelRecordTable<Material> table = TwoMaterials();
  ByteEmitter expected;
  expected.Int(2);
  EmitMaterial(expected, CarbonSteel(), 6);
  EmitMaterial(expected, Fibreglass(), 6);
  // 66 bytes before the rows, 32 per row.
  ASSERT_EQ(expected.bytes.size(), 4u + (66 + 64) + (66 + 32));

  const ByteVector written = WrittenBytes([&](BinaryFile& f) { WriteMaterials(f, table); });
  EXPECT_EQ(written, expected.bytes);

  ModelRecordTable<Material> read;
  EXPECT_EQ(ReadFromBytes(written, [&](BinaryFile& f) { ReadMaterials(f, 900, read); }), "");
  ASSERT_EQ(read.count, 2);
  EXPECT_EQ(read.capacity, 2);
  ExpectSameMaterial(table[1], read[1]);
  ExpectSameMaterial(table[2], read[2]);
  EXPECT_EQ(WrittenBytes([&](BinaryFile& f) { WriteMaterials(f, read); }), written);
}

TEST(MaterialSection, FilesBefore680HoldFourByteNames) {
  Material m = CarbonSteel();
  m.name = "A53";
  Material full = Fibreglass();
  full.name = "ABCD";  // an old name may fill its four bytes
  ByteEmitter old;
  old.Int(2);
  EmitMaterial(old, m, 4);
  EmitMaterial(old, full, 4);

  ModelRecordTable<Material> read;
  EXPECT_EQ(ReadFromBytes(old.bytes, [&](BinaryFile& f) { ReadMaterials(f, 679, read); }), "");
  ASSERT_EQ(read.count, 2);
  ExpectSameMaterial(m, read[1]);
  ExpectSameMaterial(full, read[2]);
  // Written back, the names take their six bytes.
  ByteEmitter current;
  current.Int(2);
  EmitMaterial(current, m, 6);
  EmitMaterial(current, full, 6);
  EXPECT_EQ(WrittenBytes([&](BinaryFile& f) { WriteMaterials(f, read); }), current.bytes);
}

TEST(MaterialSection, DamagedSectionsAreRefusedAndTheTableKept) {
  ModelRecordTable<Material> table = TwoMaterials();
  const ByteVector before = WrittenBytes([&](BinaryFile& f) { WriteMaterials(f, table); });
  auto read = [&](BinaryFile& f) { ReadMaterials(f, 900, table); };

  ByteEmitter negative;
  negative.Int(-1);
  EXPECT_EQ(ReadFromBytes(negative.bytes, read), "The file is damaged.\nMaterials: count = -1");

  ByteEmitter tooMany;
  tooMany.Int(1000);
  EmitMaterial(tooMany, CarbonSteel(), 6);
  EXPECT_EQ(ReadFromBytes(tooMany.bytes, read),
            "The file is damaged.\nMaterials: count = 1000, more than the file holds");

  Material rows = CarbonSteel();
  rows.numtemps = 41;
  rows.temps.resize(42);
  ByteEmitter tooManyRows;
  tooManyRows.Int(1);
  EmitMaterial(tooManyRows, rows, 6);
  EXPECT_EQ(ReadFromBytes(tooManyRows.bytes, read),
            "The file is damaged.\nMaterials: material CS1 has 41 temperature rows");

  Material unterminated = CarbonSteel();
  unterminated.name = "ABCDEF";
  ByteEmitter noZero;
  noZero.Int(1);
  EmitMaterial(noZero, unterminated, 6);
  EXPECT_EQ(ReadFromBytes(noZero.bytes, read),
            "The file is damaged.\nMaterials: a text without its terminator");

  ExpectEveryPrefixRefused(before, read);
  EXPECT_EQ(WrittenBytes([&](BinaryFile& f) { WriteMaterials(f, table); }), before);
}

TEST(MaterialTable, FindByNameAndGrowth) {
  ModelRecordTable<Material> table;
  EXPECT_EQ(FindMaterialByName(table, "CS1"), 0);
  EXPECT_EQ(AppendMaterial(table, CarbonSteel()), 1);
  EXPECT_EQ(table.capacity, 4);  // a new model's table grows by 4
  EXPECT_EQ(AppendMaterial(table, Fibreglass()), 2);
  EXPECT_EQ(FindMaterialByName(table, "FRP-2"), 2);
  EXPECT_EQ(FindMaterialByName(table, "CS1"), 1);
  EXPECT_EQ(FindMaterialByName(table, "cs1"), 0);
  EXPECT_EQ(FindMaterialByName(table, ""), 0);
  for (int added = 0; added < 3; ++added) AppendMaterial(table, CarbonSteel());
  EXPECT_EQ(table.count, 5);
  EXPECT_EQ(table.capacity, 8);
  EXPECT_EQ(FindMaterialByName(table, "CS1"), 1);  // the first of equal names
}
