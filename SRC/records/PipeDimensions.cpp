// Lookups in the dimension tables and the standard bend radius (see
// PipeDimensions.h); the data are PipeDimensionTables.cpp.
#include "records/PipeDimensions.h"

#include "records/PipeSection.h"
#include "services/Assert.h"

namespace {

struct Insulation {
  const char* name;
  float density;
};
constexpr Insulation kInsulation[kInsulationMaterialCount + 1] = {
    {"", 0.0f},
    {"Amosite Asbestos", 16.0f},
    {"Calcium Silicate", 15.0f},
    {"Careytemp", 10.0f},
    {"Cellular Glass", 9.0f},
    {"Fiberglass", 7.0f},
    {"High Temperature", 24.0f},
    {"Kaylo 10", 12.5f},
    {"Mineral Wool", 8.5f},
    {"Perlite", 13.0f},
    {"Poly Urethane", 2.2f},
    {"Styro Foam", 1.8f},
    {"Super-X", 25.0f},
};

}  // namespace

int FindSizeRow(const PipeDimensionStandard& table, const std::string& size, int firstRow) {
  for (int row = firstRow; row < table.RowCount(); ++row)
    if (table.rows[static_cast<std::size_t>(row)].name == size) return row;
  return -1;
}

int FindScheduleInRow(const PipeDimensionStandard& table, const PipeSizeRow& row, const std::string& schedule) {
  for (std::size_t place = 0; place < row.schedules.size(); ++place)
    if (table.scheduleNames[static_cast<std::size_t>(row.schedules[place])] == schedule)
      return static_cast<int>(place);
  return -1;
}

float StandardBendRadius(const PipeSection& section, bool shortRadius) {
  QV_ASSERT(section.standard >= 0 && section.standard <= 3);
  const PipeDimensionStandard& table = DimensionStandard(section.standard);
  const int row = FindSizeRow(table, section.nominalSize, 1);
  if (row < 0) return (shortRadius ? 1.0f : 1.5f) * section.outsideDiameter;
  const PipeSizeRow& size = table.rows[static_cast<std::size_t>(row)];
  return shortRadius ? size.shortRadius : size.longRadius;
}

const char* InsulationMaterialName(int index) {
  return index >= 1 && index <= kInsulationMaterialCount ? kInsulation[index].name : "";
}

float InsulationMaterialDensity(int index) {
  return index >= 1 && index <= kInsulationMaterialCount ? kInsulation[index].density : 0.0f;
}
