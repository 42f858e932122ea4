// The skewed restraint's record and copy; see the header.
#include "supports/SkewedRestraint.h"

#include "kindbase/KindRecord.h"
#include "services/BinaryFile.h"

namespace {

constexpr const char* kKind = "Skewed restraint";

}  // namespace

void SkewedRestraint::Read(BinaryFile& file) {
  ReadTagIfPresent(file, tag, kKind);
  BinaryFileReadByte(file, rotational);
  BinaryFileReadFloat(file, stiffness);
  BinaryFileReadFloat(file, dirX);
  BinaryFileReadFloat(file, dirY);
  BinaryFileReadFloat(file, dirZ);
  connectedNode = ReadNodeNumberField(file, kKind);
}

void SkewedRestraint::Write(BinaryFile& file) const {
  WriteTag(file, tag);
  BinaryFileWriteByte(file, rotational);
  BinaryFileWriteFloat(file, stiffness);
  BinaryFileWriteFloat(file, dirX);
  BinaryFileWriteFloat(file, dirY);
  BinaryFileWriteFloat(file, dirZ);
  BinaryFileWriteInt(file, connectedNode);
}

void SkewedRestraint::CopyFrom(const DataItem& other) {
  const SkewedRestraint& source = SameKind(*this, other);
  tag = source.tag;
  rotational = source.rotational;
  stiffness = source.stiffness;
  dirX = source.dirX;
  dirY = source.dirY;
  dirZ = source.dirZ;
  connectedNode = source.connectedNode;
}
