// References to materials and sections: the in-use test over rows, bend
// materials and jackets, renaming everywhere, the shared name checks, the
// jacket clearance check, and merging another model's records whose names
// clash (one rename map, applied once; refused when no number is free).
#include <gtest/gtest.h>

#include "elements/Bend.h"
#include "elements/JacketedPipe.h"
#include "model/Model.h"
#include "model/RowObjects.h"
#include "properties/MergeNames.h"
#include "properties/PropertyEdits.h"
#include "services/NumberText.h"

namespace {

class PropertyEditsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitEmptyModel(model, AnalysisOptions());
    for (const char* name : {"A1", "B1", "C1"}) {
      Material m;
      m.name = name;
      AppendMaterial(model.materials, m);
      PipeSection s;
      s.name = std::string("S") + name;
      s.outsideDiameter = 4.5f;
      s.thickness = 0.237f;
      AppendSection(model.sections, s);
    }
    model.sections[2].outsideDiameter = 8.625f;
    model.sections[2].thickness = 0.322f;
    Row(1, ElementType::Pipe).material = "A1";
    Row(2, ElementType::Bend);
    dynamic_cast<Bend&>(*model.row(2).element).material = "A1";
    LayoutRow& jacketed = Row(3, ElementType::JacketedPipe);
    jacketed.section = "SA1";
    auto& jacket = dynamic_cast<JacketedPipe&>(*jacketed.element);
    jacket.jacketMaterial = "A1";
    jacket.jacketSection = "SB1";
  }

  LayoutRow& Row(int number, ElementType type) {
    model.rowCount = std::max(model.rowCount, number);
    LayoutRow& row = model.row(number);
    row.node = number * 10;
    row.elementType = type;
    row.element = CreateElementData(type);
    return row;
  }

  std::string NameMessage(bool material, const std::string& name, int self) {
    g_EditFieldText = name;
    try {
      material ? CheckMaterialName(model, name, self) : CheckSectionName(model, name, self);
    } catch (const std::string& message) {
      return message;
    }
    return {};
  }

  Model model;
};

TEST_F(PropertyEditsTest, InUseAndRenameReachRowsBendsAndJackets) {
  EXPECT_TRUE(IsMaterialInUse(model, 1));
  EXPECT_FALSE(IsMaterialInUse(model, 2));
  // A bend's own material alone keeps a material in use.
  model.row(1).material = "C1";
  EXPECT_TRUE(IsMaterialInUse(model, 1));
  model.row(1).material = "A1";
  EXPECT_TRUE(IsSectionInUse(model, 1));
  EXPECT_TRUE(IsSectionInUse(model, 2));  // the jacket's section
  EXPECT_FALSE(IsSectionInUse(model, 3));
  RenameMaterial(model, 1, "Z9");
  EXPECT_EQ(model.row(1).material, "Z9");
  EXPECT_EQ(dynamic_cast<Bend&>(*model.row(2).element).material, "Z9");
  EXPECT_EQ(dynamic_cast<JacketedPipe&>(*model.row(3).element).jacketMaterial, "Z9");
  EXPECT_EQ(model.materials[1].name, "Z9");
  EXPECT_TRUE(model.modified);
  RenameSectionInRows(model, 2, "J10");
  EXPECT_EQ(dynamic_cast<JacketedPipe&>(*model.row(3).element).jacketSection, "J10");
  EXPECT_EQ(model.sections[2].name, "J10");
  EXPECT_EQ(model.row(3).section, "SA1");
}

TEST_F(PropertyEditsTest, NameChecksOfDialogsAndTables) {
  ModelRecordTableAppend(model.beamMaterials, 4);
  model.beamMaterials[1].name = "W8";
  ModelRecordTableAppend(model.beamSections, 4);
  model.beamSections[1].name = "W8";
  EXPECT_EQ(NameMessage(true, "", 1), "Name is required");
  EXPECT_EQ(NameMessage(true, "A 1", 1), "Name =  A 1  should be alpha numeric");
  EXPECT_EQ(NameMessage(true, "W8", 1), "Material =  W8  is already defined as a beam material");
  EXPECT_EQ(NameMessage(true, "B1", 1), "Material =  B1  is already defined");
  EXPECT_EQ(NameMessage(true, "B1", 2), "");  // its own name
  EXPECT_EQ(NameMessage(true, "A-1/2", 1), "");
  EXPECT_EQ(NameMessage(false, "W8", 1), "Section =  W8  is already defined as a beam section");
  EXPECT_EQ(NameMessage(false, "SB1", 1), "Section =  SB1  is already defined");
}

TEST_F(PropertyEditsTest, JacketClearance) {
  // Core SA1 4.5 x 0.237 inside jacket SB1 8.625 x 0.322: bore 7.981.
  auto violated = [this](int record, float insulation, float lining) {
    PipeSection values = model.sections[record];
    values.insulationThickness = insulation;
    values.liningThickness = lining;
    return JacketClearanceViolated(model, record, values);
  };
  EXPECT_FALSE(violated(1, 1.5f, 0.0f));  // 7.5 < 7.981
  EXPECT_TRUE(violated(1, 1.8f, 0.0f));   // 8.1 > 7.981
  EXPECT_FALSE(violated(2, 0.0f, 1.5f));  // bore 4.981
  EXPECT_TRUE(violated(2, 0.0f, 1.8f));   // bore 4.381 < 4.5
}

TEST_F(PropertyEditsTest, MergedClashingNamesTakeTheFirstFreeNumbers) {
  ModelRecordTableAppend(model.beamMaterials, 4);
  model.beamMaterials[1].name = "1";  // "1" is taken by a beam material
  ModelRecordTable<Material> merged;
  for (const char* name : {"A1", "2", "NEW", "B1"}) {
    Material m;
    m.name = name;
    AppendMaterial(merged, m);
  }
  std::vector<LayoutRow> rows(4);
  rows[1].material = "A1";
  rows[2].material = "B1";
  rows[2].elementType = ElementType::Bend;
  rows[2].element = CreateElementData(ElementType::Bend);
  dynamic_cast<Bend&>(*rows[2].element).material = "A1";
  MergeMaterials(model, merged, rows, 2);
  ASSERT_EQ(model.materials.count, 7);
  // "1" belongs to a beam material and "2" to a merged one: A1 gets 3 and
  // B1 gets 4; the renamed rows do not rename again.
  EXPECT_EQ(model.materials[4].name, "3");
  EXPECT_EQ(model.materials[5].name, "2");
  EXPECT_EQ(model.materials[6].name, "NEW");
  EXPECT_EQ(model.materials[7].name, "4");
  EXPECT_EQ(rows[1].material, "3");
  EXPECT_EQ(rows[2].material, "4");
  EXPECT_EQ(dynamic_cast<Bend&>(*rows[2].element).material, "3");
  EXPECT_EQ(model.materials.capacity, 7);
}

TEST_F(PropertyEditsTest, MergeIsRefusedWhenNoNumberIsFree) {
  ModelRecordTable<PipeSection> merged;
  PipeSection s;
  s.name = "SA1";
  AppendSection(merged, s);
  auto taken = [](const std::string&) { return true; };
  EXPECT_THROW(BuildMergeRenameMap({"SA1"}, taken, "Section"), std::string);
  for (int n = 1; n <= 999; ++n) {
    PipeSection number;
    number.name = std::to_string(n);
    AppendSection(model.sections, number);
  }
  const int before = model.sections.count;
  std::vector<LayoutRow> rows(2);
  rows[1].section = "SA1";
  try {
    MergeSections(model, merged, rows, 1);
    FAIL();
  } catch (const std::string& message) {
    EXPECT_EQ(message,
              "Section SA1 is already defined and the names 1 to 999 are all in use:\nthe model cannot be merged.");
  }
  EXPECT_EQ(model.sections.count, before);
  EXPECT_EQ(rows[1].section, "SA1");
}

}  // namespace
