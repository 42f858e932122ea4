// The concentrated mass's record and copy; see the header.
#include "elements/ConcentratedMass.h"

#include "kindbase/KindRecord.h"
#include "services/BinaryFile.h"

void ConcentratedMass::Read(BinaryFile& file) {
  BinaryFileReadFloat(file, weight);
  BinaryFileReadFloat(file, dx);
  BinaryFileReadFloat(file, dy);
  BinaryFileReadFloat(file, dz);
  CheckKindRecord(file, "Concentrated mass");
}

void ConcentratedMass::Write(BinaryFile& file) const {
  BinaryFileWriteFloat(file, weight);
  BinaryFileWriteFloat(file, dx);
  BinaryFileWriteFloat(file, dy);
  BinaryFileWriteFloat(file, dz);
}

void ConcentratedMass::CopyFrom(const DataItem& other) {
  const ConcentratedMass& source = SameKind(*this, other);
  weight = source.weight;
  dx = source.dx;
  dy = source.dy;
  dz = source.dz;
}
