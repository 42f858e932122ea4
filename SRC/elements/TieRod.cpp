// The tie rod's record and copy; see the header.
#include "elements/TieRod.h"

#include "kindbase/KindRecord.h"
#include "services/BinaryFile.h"

void TieRod::Read(BinaryFile& file) {
  BinaryFileReadFloat(file, tensionStiffness);
  BinaryFileReadFloat(file, compressionStiffness);
  BinaryFileReadFloat(file, tensionGap);
  BinaryFileReadFloat(file, compressionGap);
  CheckKindRecord(file, "Tie rod");
}

void TieRod::Write(BinaryFile& file) const {
  BinaryFileWriteFloat(file, tensionStiffness);
  BinaryFileWriteFloat(file, compressionStiffness);
  BinaryFileWriteFloat(file, tensionGap);
  BinaryFileWriteFloat(file, compressionGap);
}

void TieRod::CopyFrom(const ElementData& other) {
  const TieRod& source = SameKind(*this, other);
  tensionStiffness = source.tensionStiffness;
  compressionStiffness = source.compressionStiffness;
  tensionGap = source.tensionGap;
  compressionGap = source.compressionGap;
}
