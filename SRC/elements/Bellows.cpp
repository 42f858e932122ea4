// The bellows' record and copy; see the header.
#include "elements/Bellows.h"

#include "kindbase/KindRecord.h"
#include "records/ModelFileFormat.h"
#include "services/BinaryFile.h"

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
