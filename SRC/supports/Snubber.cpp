// The snubber's record and copy; see the header.
#include "supports/Snubber.h"

#include "kindbase/KindRecord.h"
#include "services/BinaryFile.h"

void Snubber::Read(BinaryFile& file) {
  ReadTagIfPresent(file, tag, "Snubber");
  BinaryFileReadFloat(file, stiffness);
  BinaryFileReadFloat(file, dirX);
  BinaryFileReadFloat(file, dirY);
  BinaryFileReadFloat(file, dirZ);
  CheckKindRecord(file, "Snubber");
}

void Snubber::Write(BinaryFile& file) const {
  WriteTag(file, tag);
  BinaryFileWriteFloat(file, stiffness);
  BinaryFileWriteFloat(file, dirX);
  BinaryFileWriteFloat(file, dirY);
  BinaryFileWriteFloat(file, dirZ);
}

void Snubber::CopyFrom(const DataItem& other) {
  const Snubber& source = SameKind(*this, other);
  tag = source.tag;
  stiffness = source.stiffness;
  dirX = source.dirX;
  dirY = source.dirY;
  dirZ = source.dirZ;
}
