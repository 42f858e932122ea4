// The limit stop's record and copy; see the header.
#include "supports/LimitStop.h"

#include "kindbase/KindRecord.h"
#include "services/BinaryFile.h"

namespace {

constexpr const char* kKind = "Limit stop";

}  // namespace

void LimitStop::Read(BinaryFile& file) {
  ReadTagIfPresent(file, tag, kKind);
  BinaryFileReadFloat(file, lowerLimit);
  BinaryFileReadFloat(file, upperLimit);
  BinaryFileReadFloat(file, dirX);
  BinaryFileReadFloat(file, dirY);
  BinaryFileReadFloat(file, dirZ);
  BinaryFileReadFloat(file, frictionCoefficient);
  BinaryFileReadFloat(file, stiffness);
  connectedNode = ReadNodeNumberField(file, kKind);
}

void LimitStop::Write(BinaryFile& file) const {
  WriteTag(file, tag);
  BinaryFileWriteFloat(file, lowerLimit);
  BinaryFileWriteFloat(file, upperLimit);
  BinaryFileWriteFloat(file, dirX);
  BinaryFileWriteFloat(file, dirY);
  BinaryFileWriteFloat(file, dirZ);
  BinaryFileWriteFloat(file, frictionCoefficient);
  BinaryFileWriteFloat(file, stiffness);
  BinaryFileWriteInt(file, connectedNode);
}

void LimitStop::CopyFrom(const DataItem& other) {
  const LimitStop& source = SameKind(*this, other);
  tag = source.tag;
  lowerLimit = source.lowerLimit;
  upperLimit = source.upperLimit;
  dirX = source.dirX;
  dirY = source.dirY;
  dirZ = source.dirZ;
  frictionCoefficient = source.frictionCoefficient;
  stiffness = source.stiffness;
  connectedNode = source.connectedNode;
}
