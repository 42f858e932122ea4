// The nodal force's record and copy; see the header.
#include "loads/Force.h"

#include "elements/KindRecord.h"
#include "files/ModelFile.h"
#include "shell/BinaryFile.h"
#include "shell/StandIn.h"

// Not drawn yet: the item keeps the base's empty drawing operations and
// its bounds at the node, so the picture shows no symbol there.
STAND_IN("the nodal force's labelled arrows in the line picture, and their picking");

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
