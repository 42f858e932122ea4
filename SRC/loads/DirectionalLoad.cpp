// The shared record of time varying and force spectrum loads; see the header.
#include "loads/DirectionalLoad.h"

#include "elements/KindRecord.h"
#include "shell/BinaryFile.h"

const LoadUnit kForceUnits[kForceUnitCount] = {
    {"(lb)", 1.0f}, {"(N)", 4.4482198f}, {"(kg)", 0.45359236f}};
const LoadUnit kMomentUnits[kMomentUnitCount] = {
    {"(ft-lb)", 0.083333336f}, {"(in-lb)", 1.0f}, {"(Nm)", 0.112985f}, {"(kg-m)", 0.011521246f}};

int LoadDirectionUnitCount(std::int32_t direction) {
  return direction >= 1 && direction <= 3 ? kForceUnitCount : kMomentUnitCount;
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
