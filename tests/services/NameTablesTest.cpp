// The name tables: a few entries of each, against the published lists.
#include "services/NameTables.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "services/LoadCaseTypes.h"

namespace {

TEST(NameTables, ElementAndDataTypes) {
  EXPECT_STREQ(ElementTypeName(0), "");
  EXPECT_STREQ(ElementTypeName(1), "From");
  EXPECT_STREQ(ElementTypeName(3), "");
  EXPECT_STREQ(ElementTypeName(16), "Cut pipe");
  EXPECT_STREQ(ElementTypeName(19), "Tie rod");
  EXPECT_STREQ(ElementTypeName(20), "");  // the hydrotest load has no name
  EXPECT_STREQ(ElementTypeName(-1), "");
  EXPECT_STREQ(DataTypeName(3), "Skewed restr");
  EXPECT_STREQ(DataTypeName(21), "Generic support");
  EXPECT_STREQ(DataTypeName(22), "");
}

TEST(NameTables, SubtypesFlangesAndComponents) {
  EXPECT_STREQ(RestraintTypeName(7), "XYZ restraint");
  EXPECT_STREQ(HangerTypeName(3), "Const support");
  EXPECT_STREQ(WeldTypeName(3), "Conc Filet weld");
  EXPECT_STREQ(BranchTypeName(9), "Branch conn.");
  EXPECT_STREQ(NordicBranchTypeName(3), "Unreinf brnch");
  EXPECT_STREQ(NordicBranchTypeName(9), "");
  EXPECT_STREQ(FlangeTypeName(2), "Double welded slip on");
  EXPECT_STREQ(FlangeTypeName(0), "???");
  EXPECT_STREQ(ComponentName(7), "Reducer");
}

TEST(NameTables, CodeNamesAgreePositionByPosition) {
  EXPECT_STREQ(PipingCodeLongName(0), "None");
  EXPECT_STREQ(PipingCodeLongName(3), "B31.3 (2016)");
  EXPECT_STREQ(PipingCodeShortName(2), "B31.1(67)");
  EXPECT_STREQ(PipingCodeLongName(24), "Z662 (2015)");
  EXPECT_STREQ(PipingCodeShortName(24), "Z662");
  EXPECT_STREQ(PipingCodeLongName(25), "");
  // Every short name is the start of its long name, except the Norwegian ones
  // whose short names carry the year.
  for (int position = 0; position < kPipingCodePositions; ++position) {
    const std::string longName = PipingCodeLongName(position);
    const std::string shortName = PipingCodeShortName(position);
    if (position == 2 || position == 15 || position == 16) continue;
    EXPECT_EQ(longName.compare(0, shortName.size(), shortName), 0) << position;
  }
}

TEST(NameTables, HangerCatalogues) {
  EXPECT_STREQ(HangerCatalogueName(0), "");
  EXPECT_STREQ(HangerCatalogueName(1), "ABB-PBS");
  EXPECT_STREQ(HangerCatalogueName(16), "Grinnell");
  EXPECT_STREQ(HangerCatalogueName(34), "Comet");
  EXPECT_STREQ(HangerCatalogueName(35), "");
}

TEST(NameTables, LoadCaseTitles) {
  EXPECT_STREQ(LoadCaseTitle(0), "");
  EXPECT_STREQ(LoadCaseTitle(1), "Sustained (W+P)");
  EXPECT_STREQ(LoadCaseTitle(10), "Operating (W+P3+T3)");
  EXPECT_STREQ(LoadCaseTitle(25), "Calculating hanger loads");
  EXPECT_STREQ(LoadCaseTitle(37), "Force spectrum");
  EXPECT_STREQ(LoadCaseTitle(40), "Buried (W+P3+T3)");
  EXPECT_STREQ(LoadCaseTitle(45), "Sustained (W+P5)");
  EXPECT_STREQ(LoadCaseTitle(57), "Expansion (T10)");
  EXPECT_STREQ(LoadCaseTitle(58), "Expansion (T1-T4)");
  EXPECT_STREQ(LoadCaseTitle(65), "Expansion (T2-T4)");
  EXPECT_STREQ(LoadCaseTitle(72), "Expansion (T3-T4)");
  EXPECT_STREQ(LoadCaseTitle(79), "Expansion (T4-T5)");
  EXPECT_STREQ(LoadCaseTitle(85), "Expansion (T5-T6)");
  EXPECT_STREQ(LoadCaseTitle(90), "Expansion (T6-T7)");
  EXPECT_STREQ(LoadCaseTitle(94), "Expansion (T7-T8)");
  EXPECT_STREQ(LoadCaseTitle(97), "Expansion (T8-T9)");
  EXPECT_STREQ(LoadCaseTitle(99), "Expansion (T9-T10)");
  EXPECT_STREQ(LoadCaseTitle(100), "Operating (W+P4+T4)");
  EXPECT_STREQ(LoadCaseTitle(106), "Operating (W+P10+T10)");
  EXPECT_STREQ(LoadCaseTitle(108), "Wind 3");
  EXPECT_STREQ(LoadCaseTitle(110), "Cold spring (W+P4+T4)");
  EXPECT_STREQ(LoadCaseTitle(123), "Buried (W+P10+T10)");
  EXPECT_STREQ(LoadCaseTitle(124), "Empty Weight (W)");
  EXPECT_STREQ(LoadCaseTitle(125), "");
  for (int type = 1; type <= kLastLoadCaseType; ++type) EXPECT_STRNE(LoadCaseTitle(type), "") << type;
}

// Every id the code names is the case its name says.
TEST(NameTables, TheNamedLoadCaseIdsAreTheCasesTheirNamesSay) {
  const std::pair<int, const char*> named[] = {
      {kCaseIdSustained, "Sustained (W+P)"},
      {kCaseIdOperating, "Operating (W+P1+T1)"},
      {kCaseIdSettlement, "Settlement"},
      {kCaseIdStaticSeismic, "Seismic (g)"},
      {kCaseIdWind, "Wind"},
      {kCaseIdColdSpringSustained, "Cold spring (W+P)"},
      {kCaseIdEmpty, "Empty"},
      {kCaseIdHydrotest, "Hydrotest"},
      {kCaseIdHangerLoads, "Calculating hanger loads"},
      {kCaseIdHangerTravel, "Calculating hanger travel"},
      {kCaseIdRecalculatingHangerLoads, "Recalculating hanger loads"},
      {kCaseIdRecalculatingHangerTravel, "Recalculating hanger travel"},
      {kCaseIdDesigningHangers, "Designing hangers"},
      {kCaseIdHangerColdLoads, "Calculating hanger loads"},
      {kCaseIdXAcceleration, "X acceleration"},
      {kCaseIdYAcceleration, "Y acceleration"},
      {kCaseIdZAcceleration, "Z acceleration"},
      {kCaseIdCombiningAccelerations, "Combining acceleration results"},
      {kCaseIdModal, "Modal analysis"},
      {kCaseIdResponseSpectrum, "Response spectrum"},
      {kCaseIdStaticAnalysis, "Static analysis"},
      {kCaseIdSeismicDisplacement, "Seismic displacement"},
      {kCaseIdMissingMass, "Missing mass"},
      {kCaseIdTimeHistory, "Time history"},
      {kCaseIdHarmonic, "Harmonic response"},
      {kCaseIdForceSpectrum, "Force spectrum"},
      {kCaseIdWind2, "Wind 2"},
      {kCaseIdWind3, "Wind 3"},
      {kCaseIdWind4, "Wind 4"},
      {kCaseIdEmptyWeight, "Empty Weight (W)"},
  };
  for (const auto& [id, title] : named) EXPECT_STREQ(LoadCaseTitle(id), title) << id;
  EXPECT_EQ(kLastLoadCaseType, kCaseIdEmptyWeight);
}

TEST(NameTables, DataItemTypeName) {
  const int swedish = 18;
  const int b313 = 3;
  EXPECT_STREQ(DataItemTypeNameForCode(12, -1, b313), "* Invalid *");
  EXPECT_STREQ(DataItemTypeNameForCode(12, 0, b313), "Branch SIF");
  EXPECT_STREQ(DataItemTypeNameForCode(12, 2, swedish), "Reinf branch");
  EXPECT_STREQ(DataItemTypeNameForCode(12, 2, 13), "Reinf branch");
  EXPECT_STREQ(DataItemTypeNameForCode(12, 2, b313), "Reinf tee");
  EXPECT_STREQ(DataItemTypeNameForCode(2, 7, b313), "XYZ restraint");
  EXPECT_STREQ(DataItemTypeNameForCode(4, 1, b313), "User hanger");
  EXPECT_STREQ(DataItemTypeNameForCode(14, 1, b313), "Butt weld");
  EXPECT_STREQ(DataItemTypeNameForCode(5, 3, b313), "Guide");
  EXPECT_STREQ(DataItemTypeNameForCode(5, 0, b313), "Guide");
}

}  // namespace
