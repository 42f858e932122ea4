// The nodal force's record, copy and list text; see the header.
#include "loads/Force.h"

#include "kindbase/KindRecord.h"
#include "records/ModelFileFormat.h"
#include "services/BinaryFile.h"
#include "services/Units.h"

void NodalForce::Read(BinaryFile& file) {
  for (float* value : {&FX, &FY, &FZ, &MX, &MY, &MZ}) BinaryFileReadFloat(file, *value);
  if (g_ModelFileVersion >= 641) BinaryFileReadInt(file, AddedTo);
  CheckKindRecord(file, "Force");
  // 0 is met in files as another mark of the sustained loads.
  CheckKindRange(AddedTo, 0, kAddedToLast, "Force", "added to");
}

void NodalForce::Write(BinaryFile& file) const {
  for (float value : {FX, FY, FZ, MX, MY, MZ}) BinaryFileWriteFloat(file, value);
  BinaryFileWriteInt(file, AddedTo);
}

void NodalForce::CopyFrom(const DataItem& other) {
  const NodalForce& source = SameKind(*this, other);
  FX = source.FX;
  FY = source.FY;
  FZ = source.FZ;
  MX = source.MX;
  MY = source.MY;
  MZ = source.MZ;
  AddedTo = source.AddedTo;
}

float NodalForce::Component(int index) const {
  switch (index) {
    case 0: return FX;
    case 1: return FY;
    case 2: return FZ;
    case 3: return MX;
    case 4: return MY;
    default: return MZ;
  }
}

float& NodalForce::Component(int index) {
  switch (index) {
    case 0: return FX;
    case 1: return FY;
    case 2: return FZ;
    case 3: return MX;
    case 4: return MY;
    default: return MZ;
  }
}

std::string NodalForce::CellText(int column) const {
  if (column >= 2 && column <= 7) return ComponentText(*this, column - 2);
  if (column == 8) return AddedToText(AddedTo);
  return {};
}

std::string ComponentText(const NodalForce& force, int index) {
  const float value = force.Component(index);
  if (value == 0.0f) return {};
  return index < 3 ? FormatForceTrim(value) : FormatMomentTrim(value);
}

std::string AddedToText(std::int32_t addedTo) {
  if (addedTo < 2 || addedTo > kAddedToLast) return "W+P";
  return "T" + std::to_string(addedTo - 1);
}
