// The dimension tables against the published standards: a handful of rows
// of each table, the whole ANSI table against the checked B36.10M/B36.19M
// extract kept beside the tests, and the standard bend radius.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "records/PipeDimensions.h"
#include "records/PipeSection.h"

namespace {

const PipeSizeRow& Row(int standard, const std::string& size) {
  const PipeDimensionStandard& table = DimensionStandard(standard);
  const int row = FindSizeRow(table, size, 0);
  EXPECT_GE(row, 0) << size;
  return table.rows[static_cast<std::size_t>(row < 0 ? 0 : row)];
}

float Wall(int standard, const std::string& size, const std::string& schedule) {
  const PipeDimensionStandard& table = DimensionStandard(standard);
  const PipeSizeRow& row = Row(standard, size);
  const int place = FindScheduleInRow(table, row, schedule);
  return place < 0 ? -1.0f : row.thicknesses[static_cast<std::size_t>(place)];
}

TEST(PipeDimensions, EachStandardHasItsRowsAndScheduleNames) {
  EXPECT_EQ(DimensionStandard(0).RowCount(), 37);
  EXPECT_EQ(DimensionStandard(1).RowCount(), 27);
  EXPECT_EQ(DimensionStandard(2).RowCount(), 44);
  EXPECT_EQ(DimensionStandard(3).RowCount(), 24);
  EXPECT_EQ(DimensionStandard(0).scheduleNames.size(), 18u);
  EXPECT_EQ(DimensionStandard(2).scheduleNames.size(), 17u);
  for (int standard = 0; standard < 4; ++standard) {
    const PipeSizeRow& nonStandard = DimensionStandard(standard).rows[0];
    EXPECT_EQ(nonStandard.name, "Non Std");
    EXPECT_EQ(nonStandard.outsideDiameter, 0.0f);
    ASSERT_EQ(nonStandard.thicknesses.size(), 1u);
    // Walls grow within no table beyond half the diameter.
    for (const PipeSizeRow& row : DimensionStandard(standard).rows)
      for (float wall : row.thicknesses) EXPECT_LT(wall, row.outsideDiameter / 2.0f + 0.001f) << row.name;
  }
}

TEST(PipeDimensions, AnsiRowsAreThoseOfB36) {
  // ASME B36.10M / B36.19M: O.D. and walls in inch.
  EXPECT_FLOAT_EQ(Row(0, "1/2\"").outsideDiameter, 0.84f);
  EXPECT_FLOAT_EQ(Wall(0, "1/2\"", "5S"), 0.065f);
  EXPECT_FLOAT_EQ(Wall(0, "1/2\"", "XXS"), 0.294f);
  EXPECT_FLOAT_EQ(Row(0, "2\"").outsideDiameter, 2.375f);
  EXPECT_FLOAT_EQ(Wall(0, "2\"", "40"), 0.154f);
  EXPECT_FLOAT_EQ(Wall(0, "2\"", "LW"), 0.109f);
  EXPECT_FLOAT_EQ(Row(0, "6\"").outsideDiameter, 6.625f);
  EXPECT_FLOAT_EQ(Wall(0, "6\"", "40"), 0.280f);
  EXPECT_FLOAT_EQ(Wall(0, "6\"", "80"), 0.432f);
  EXPECT_FLOAT_EQ(Wall(0, "8\"", "160"), 0.906f);
  EXPECT_FLOAT_EQ(Wall(0, "8\"", "XXS"), 0.875f);
  EXPECT_FLOAT_EQ(Wall(0, "12\"", "STD"), 0.375f);
  EXPECT_FLOAT_EQ(Wall(0, "12\"", "40"), 0.406f);
  EXPECT_FLOAT_EQ(Wall(0, "24\"", "10"), 0.25f);
  const PipeSizeRow& big = Row(0, "48\"");
  EXPECT_FLOAT_EQ(big.outsideDiameter, 48.0f);
  EXPECT_EQ(big.schedules.size(), 2u);
  EXPECT_FLOAT_EQ(Wall(0, "48\"", "XS"), 0.5f);
  // 3-1/2" is made in no schedule 160.
  EXPECT_LT(Wall(0, "3-1/2\"", "160"), 0.0f);
  // Radii: long 1.5 D, short 1 D (1.5 and 1.0 inch at 1/2").
  EXPECT_FLOAT_EQ(Row(0, "1/2\"").longRadius, 1.5f);
  EXPECT_FLOAT_EQ(Row(0, "3/4\"").longRadius, 1.125f);
  EXPECT_FLOAT_EQ(Row(0, "8\"").longRadius, 12.0f);
  EXPECT_FLOAT_EQ(Row(0, "8\"").shortRadius, 8.0f);
  EXPECT_FLOAT_EQ(Row(0, "48\"").longRadius, 72.0f);
}

TEST(PipeDimensions, MetricRowsAreHeldInInch) {
  const float mm = 1.0f / 25.4f;
  EXPECT_FLOAT_EQ(Row(1, "100").outsideDiameter, 114.3f / 25.4f);
  EXPECT_FLOAT_EQ(Row(1, "100").longRadius, 152.0f / 25.4f);
  EXPECT_FLOAT_EQ(Wall(1, "100", "5"), 8.8f / 25.4f);
  EXPECT_LT(Wall(1, "100", "2"), 0.0f);
  EXPECT_FLOAT_EQ(Wall(1, "150", "2"), 4.0f / 25.4f);
  EXPECT_FLOAT_EQ(Row(1, "1200").outsideDiameter, 1220.0f / 25.4f);
  EXPECT_FLOAT_EQ(Wall(1, "1200", "2"), 12.5f / 25.4f);
  EXPECT_NEAR(Row(2, "50A").outsideDiameter, 60.5f * mm, 1e-6);
  EXPECT_FLOAT_EQ(Wall(2, "50A", "SGP"), 3.8f / 25.4f);
  EXPECT_FLOAT_EQ(Wall(2, "50A", "XXS"), 11.1f / 25.4f);
  EXPECT_NEAR(Row(2, "50A").longRadius, 3.0f, 1e-6);
  EXPECT_NEAR(Row(2, "175A").longRadius, 10.5f, 1e-6);
  for (const char* single : {"175A", "225A"}) {
    ASSERT_EQ(Row(2, single).schedules.size(), 1u) << single;
    EXPECT_EQ(DimensionStandard(2).scheduleNames[static_cast<std::size_t>(Row(2, single).schedules[0])], "SGP");
  }
  EXPECT_FLOAT_EQ(Row(3, "15").longRadius, 28.0f / 25.4f);
  EXPECT_FLOAT_EQ(Row(3, "15").shortRadius, 45.0f / 25.4f);
  EXPECT_FLOAT_EQ(Wall(3, "300", "40"), 10.0f / 25.4f);
  EXPECT_FLOAT_EQ(Row(3, "700").shortRadius, 1778.0f / 25.4f);
  EXPECT_EQ(Row(3, "700").schedules.size(), 2u);
}

// Every ANSI wall against the checked extract of B36.10M/B36.19M kept with
// the tests (data/AnsiPipeWalls.md says where it comes from). A clone
// without it fails here rather than passing over the whole table.
TEST(PipeDimensions, AnsiWallsMatchTheCheckedExtract) {
  const std::filesystem::path csv = std::filesystem::path(QUORVEL_SOURCE_DIR) / "tests/records/data/AnsiPipeWalls.csv";
  ASSERT_TRUE(std::filesystem::exists(csv)) << "no extract at " << csv;
  std::ifstream in(csv);
  std::string line;
  std::getline(in, line);
  std::vector<std::string> header;
  for (std::stringstream cells(line); std::getline(cells, line, ',');) header.push_back(line);
  int compared = 0;
  while (std::getline(in, line)) {
    std::vector<std::string> cells;
    std::stringstream stream(line);
    for (std::string cell; std::getline(stream, cell, ',');) cells.push_back(cell);
    cells.resize(header.size());
    const std::string size = cells[0] + "\"";
    EXPECT_FLOAT_EQ(Row(0, size).outsideDiameter, std::stof(cells[1])) << size;
    for (std::size_t column = 2; column < header.size(); ++column) {
      const float wall = Wall(0, size, header[column].substr(2));
      if (wall < 0.0f || cells[column].empty()) continue;
      EXPECT_NEAR(wall, std::stof(cells[column]), 1e-6) << size << " " << header[column];
      ++compared;
    }
  }
  EXPECT_GT(compared, 250);
}

TEST(PipeDimensions, StandardBendRadiusOfListedAndUnlistedSizes) {
  PipeSection section;
  section.standard = kStandardAnsi;
  section.nominalSize = "6\"";
  section.outsideDiameter = 6.625f;
  EXPECT_FLOAT_EQ(StandardBendRadius(section, false), 9.0f);
  EXPECT_FLOAT_EQ(StandardBendRadius(section, true), 6.0f);
  section.nominalSize = "6.5\"";
  EXPECT_FLOAT_EQ(StandardBendRadius(section, false), 1.5f * 6.625f);
  EXPECT_FLOAT_EQ(StandardBendRadius(section, true), 6.625f);
  // "Non Std" is not a size: row 0 is not searched.
  section.nominalSize = "Non Std";
  EXPECT_FLOAT_EQ(StandardBendRadius(section, false), 1.5f * 6.625f);
  section.standard = kStandardIso;
  section.nominalSize = "300";
  EXPECT_FLOAT_EQ(StandardBendRadius(section, true), 775.0f / 25.4f);
}

TEST(PipeDimensions, InsulationMaterials) {
  EXPECT_STREQ(InsulationMaterialName(4), "Cellular Glass");
  EXPECT_FLOAT_EQ(InsulationMaterialDensity(4), 9.0f);
  EXPECT_STREQ(InsulationMaterialName(12), "Super-X");
  EXPECT_STREQ(InsulationMaterialName(13), "");
  EXPECT_NEAR(9.0 * kCubicFootToInch, 9.0 / 1728.0, 1e-15);
}

}  // namespace
