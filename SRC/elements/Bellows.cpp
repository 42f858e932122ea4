// The bellows' record and copy; see the header.
#include "elements/Bellows.h"

#include "elements/KindRecord.h"
#include "files/ModelFile.h"
#include "shell/BinaryFile.h"
#include "shell/StandIn.h"

// Not drawn yet: the kind keeps the base's empty drawing and pick
// operations, so the picture shows only the nodes of its rows.
STAND_IN("the bellows' convolutions in the line and rendered pictures, and their picking");

void Bellows::Read(BinaryFile& file) {
  BinaryFileReadFloat(file, axialStiffness);
  BinaryFileReadFloat(file, bendingStiffness);
  BinaryFileReadFloat(file, torsionalStiffness);
  BinaryFileReadFloat(file, lateralStiffness);
  BinaryFileReadFloat(file, pressureThrustArea);
  BinaryFileReadFloat(file, weight);
  if (g_ModelFileVersion >= 701) BinaryFileReadFloat(file, meanDiameter);
  CheckKindRecord(file, "Bellows");
}

void Bellows::Write(BinaryFile& file) const {
  BinaryFileWriteFloat(file, axialStiffness);
  BinaryFileWriteFloat(file, bendingStiffness);
  BinaryFileWriteFloat(file, torsionalStiffness);
  BinaryFileWriteFloat(file, lateralStiffness);
  BinaryFileWriteFloat(file, pressureThrustArea);
  BinaryFileWriteFloat(file, weight);
  BinaryFileWriteFloat(file, meanDiameter);
}

void Bellows::CopyFrom(const ElementData& other) {
  const Bellows& source = SameKind(*this, other);
  axialStiffness = source.axialStiffness;
  bendingStiffness = source.bendingStiffness;
  torsionalStiffness = source.torsionalStiffness;
  lateralStiffness = source.lateralStiffness;
  pressureThrustArea = source.pressureThrustArea;
  weight = source.weight;
  meanDiameter = source.meanDiameter;
}
