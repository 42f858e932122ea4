// The metric pipe size table: its rows in millimetres as the standard gives
// them, held in inch; the series counts; the elbow radii a DIN section takes
// when a bend is made (and the rule for a size the table does not list).
#include <gtest/gtest.h>

#include "elements/BendTesting.h"
#include "records/MetricPipeSizes.h"
#include "records/PipeDimensions.h"

namespace {

TEST(MetricPipeSizesTest, RowsHoldTheMillimetreValuesInInch) {
  const auto& table = MetricSizeTable();
  EXPECT_EQ(std::make_pair(table[0].sizeText, table[0].outsideDiameter), std::make_pair(std::string("Non Std"), 0.0f));
  // Hand values: DN15 21.3, 28, 17.5 mm; DN100 114.3, 152, 102 mm; DN1600 1620, 2430, 1620 mm.
  EXPECT_EQ(table[1].sizeText, "15");
  EXPECT_NEAR(table[1].outsideDiameter, 0.8385827, 1.0e-6);
  EXPECT_NEAR(table[1].longRadius, 1.1023622, 1.0e-6);
  EXPECT_NEAR(table[1].shortRadius, 0.6889764, 1.0e-6);
  EXPECT_EQ(table[9].sizeText, "100");
  EXPECT_FLOAT_EQ(table[9].outsideDiameter, 4.5f);
  EXPECT_NEAR(table[9].longRadius, 5.9842520, 1.0e-6);
  EXPECT_EQ(table[26].sizeText, "1600");
  EXPECT_NEAR(table[26].longRadius, 95.669291, 1.0e-5);
  for (int row = 2; row < kMetricSizeRows; ++row) {
    const MetricSizeRow& size = table[static_cast<std::size_t>(row)];
    EXPECT_GT(size.outsideDiameter, table[static_cast<std::size_t>(row - 1)].outsideDiameter) << size.sizeText;
    const int dn = std::stoi(size.sizeText);
    EXPECT_EQ(size.seriesCount, dn <= 125 ? 4 : dn <= 1000 ? 5 : 2) << dn;
    if (dn >= 350) {
      EXPECT_NEAR(size.shortRadius, size.outsideDiameter, 1.0f / 25.4f) << dn;
      EXPECT_NEAR(size.longRadius / size.outsideDiameter, 1.5, 0.01) << dn;
    }
  }
}

TEST(MetricPipeSizesTest, ADinSectionGivesItsBendTheTablesRadius) {
  Model& model = TheModel();
  Bend& bend = BuildOneBendModel(model);
  PipeSection& section = model.sections[1];
  section.standard = kStandardDin;
  section.nominalSize = "100";
  section.outsideDiameter = 4.5f;
  MakeModel(model);
  EXPECT_FLOAT_EQ(bend.radius, 152.0f / 25.4f);
  bend.radiusType = kBendRadiusShort;
  MakeModel(model);
  EXPECT_FLOAT_EQ(bend.radius, 102.0f / 25.4f);
  // A size the table does not list: 1.0 or 1.5 times the diameter.
  section.nominalSize = "17";
  EXPECT_FLOAT_EQ(StandardBendRadius(section, true), 4.5f);
  EXPECT_FLOAT_EQ(StandardBendRadius(section, false), 6.75f);
  InitEmptyModel(model, AnalysisOptions());
}

}  // namespace
