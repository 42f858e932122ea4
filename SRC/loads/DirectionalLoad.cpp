// The shared record of time varying and force spectrum loads; see the header.
#include "loads/DirectionalLoad.h"

#include "kindbase/KindRecord.h"
#include "services/BinaryFile.h"
#include "services/NumberFormat.h"

const LoadUnit kForceUnits[kForceUnitCount] = {
    {"(lb)", 1.0f}, {"(N)", 4.4482198f}, {"(kg)", 0.45359236f}};
const LoadUnit kMomentUnits[kMomentUnitCount] = {
    {"(ft-lb)", 0.083333336f}, {"(in-lb)", 1.0f}, {"(Nm)", 0.112985f}, {"(kg-m)", 0.011521246f}};

int LoadDirectionUnitCount(std::int32_t direction) {
  return direction >= 1 && direction <= 3 ? kForceUnitCount : kMomentUnitCount;
}

const char* LoadDirectionName(std::int32_t direction) {
  static const char* const kNames[kLoadDirectionLast + 1] = {"", "FX", "FY", "FZ", "MX", "MY", "MZ"};
  return direction >= 0 && direction <= kLoadDirectionLast ? kNames[direction] : "";
}

const LoadUnit* LoadDirectionUnit(std::int32_t direction, std::int32_t units) {
  if (units < 0 || units >= LoadDirectionUnitCount(direction)) return nullptr;
  return direction >= 1 && direction <= 3 ? &kForceUnits[units] : &kMomentUnits[units];
}

std::string ScaleFactorText(float scaleFactor) { return CFormat("%.5g", static_cast<double>(scaleFactor)); }

std::string DirectionalLoadCellText(const DirectionalLoadValues& values, int column) {
  switch (column) {
    case 2: return LoadDirectionName(values.direction);
    case 3: {
      const LoadUnit* unit = LoadDirectionUnit(values.direction, values.units);
      return unit != nullptr ? unit->label : "";
    }
    case 4: return values.name;
    case 5: return ScaleFactorText(values.scaleFactor);
    default: return {};
  }
}

void ReadDirectionalLoad(BinaryFile& file, const DirectionalLoadFields& fields, std::size_t nameWidth,
                         const char* kind) {
  BinaryFileReadInt(file, fields.direction);
  BinaryFileReadInt(file, fields.units);
  ReadTextField(file, fields.name, nameWidth, kLoadTableNameWidth, kind);
  BinaryFileReadFloat(file, fields.scaleFactor);
  BinaryFileReadFloat(file, fields.unitFactor);
  CheckKindRecord(file, kind);
  CheckKindRange(fields.direction, 0, kLoadDirectionLast, kind, "direction");
  CheckKindRange(fields.units, 0, LoadDirectionUnitCount(fields.direction) - 1, kind, "units");
}

void WriteDirectionalLoad(BinaryFile& file, std::int32_t direction, std::int32_t units,
                          const std::string& name, float scaleFactor, float unitFactor) {
  BinaryFileWriteInt(file, direction);
  BinaryFileWriteInt(file, units);
  WriteTextField(file, name, kLoadTableNameWidth);
  BinaryFileWriteFloat(file, scaleFactor);
  BinaryFileWriteFloat(file, unitFactor);
}
