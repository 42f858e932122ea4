// The built-in reference tables of pipe dimensions: the nominal sizes of the
// four dimension standards (ANSI, DIN, JIS, ISO) with their outside
// diameters, long and short bend radii and the wall thickness of each
// schedule (wall series) made in that size, and the twelve insulation
// materials with their densities. The section dialog takes diameters and
// walls from them; bends take their standard radii. Nothing of them is
// stored in model files: a section keeps only the standard, the size text
// and the schedule text, which are looked up again here.
//
// Every length is in inch. The metric standards are given in millimetres
// and held as the f32 of the millimetre value divided by 25.4. Row 0 of
// every standard is "Non Std" (all zero, one schedule of thickness 0): the
// user then types the diameter and the wall. The data are in
// PipeDimensionTables.cpp; start reading at DimensionStandard.
#pragma once

#include <string>
#include <vector>

struct PipeSection;

struct PipeSizeRow {
  std::string name;            // the nominal size text, as sections store it
  float outsideDiameter = 0.0f;
  float longRadius = 0.0f;
  float shortRadius = 0.0f;
  std::vector<int> schedules;       // indexes into the standard's schedule names, in display order
  std::vector<float> thicknesses;   // wall of each schedule, parallel to `schedules`
};

struct PipeDimensionStandard {
  std::vector<PipeSizeRow> rows;            // row 0 is "Non Std"
  std::vector<std::string> scheduleNames;
  int RowCount() const { return static_cast<int>(rows.size()); }
};

// The table of standard 0 ANSI, 1 DIN, 2 JIS or 3 ISO; any other value is a
// programming error. Built on first use.
const PipeDimensionStandard& DimensionStandard(int standard);

// The row whose name is `size` exactly, searched from `firstRow` (0 for the
// dialog, 1 for the bend radius); -1 when none.
int FindSizeRow(const PipeDimensionStandard& table, const std::string& size, int firstRow);
// The place (in the row's schedule list) of the first schedule named
// `schedule`; -1 when the row has none of that name.
int FindScheduleInRow(const PipeDimensionStandard& table, const PipeSizeRow& row, const std::string& schedule);

// The bend radius of the section's nominal size: the standard's long radius,
// or its short radius when `shortRadius` is set; for a size the standard does
// not list, 1.5 (long) or 1.0 (short) times the outside diameter.
float StandardBendRadius(const PipeSection& section, bool shortRadius);

// The insulation materials, index 1 to 12 (0 is not used): name and density
// in pound per cubic foot as the list gives it.
constexpr int kInsulationMaterialCount = 12;
const char* InsulationMaterialName(int index);
float InsulationMaterialDensity(int index);  // lb/ft3
// lb/ft3 to the internal lb/in3.
constexpr double kCubicFootToInch = 0.0005787037037037037;
