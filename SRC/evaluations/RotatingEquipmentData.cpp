// The rotating-equipment report's data; see RotatingEquipmentData.h.
#include "evaluations/RotatingEquipmentData.h"

RotatingEquipmentData& TheRotatingEquipmentData() {
  static RotatingEquipmentData data;
  return data;
}

std::string RotatingReportCaseTitle(int number) {
  const RotatingEquipmentData& data = TheRotatingEquipmentData();
  if (number < 1 || number > static_cast<int>(data.caseTitles.size())) return {};
  return data.caseTitles[static_cast<std::size_t>(number - 1)];
}
