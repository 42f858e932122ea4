// The snubber's record and copy; see the header.
#include "supports/Snubber.h"

#include "elements/KindRecord.h"
#include "shell/BinaryFile.h"
#include "shell/StandIn.h"

// Not drawn yet: the item keeps the base's empty drawing operations and
// its bounds at the node, so the picture shows no symbol there.
STAND_IN("the snubber's symbol in the line and rendered pictures, and its picking");

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
