// The slip joint's record and copy; see the header.
#include "elements/SlipJoint.h"

#include "kindbase/KindRecord.h"
#include "services/BinaryFile.h"

void SlipJoint::Read(BinaryFile& file) {
  BinaryFileReadFloat(file, frictionForce);
  BinaryFileReadFloat(file, frictionTorque);
  BinaryFileReadFloat(file, pressureThrustArea);
  BinaryFileReadFloat(file, weight);
  CheckKindRecord(file, "Slip joint");
}

void SlipJoint::Write(BinaryFile& file) const {
  BinaryFileWriteFloat(file, frictionForce);
  BinaryFileWriteFloat(file, frictionTorque);
  BinaryFileWriteFloat(file, pressureThrustArea);
  BinaryFileWriteFloat(file, weight);
}

void SlipJoint::CopyFrom(const ElementData& other) {
  const SlipJoint& source = SameKind(*this, other);
  frictionForce = source.frictionForce;
  frictionTorque = source.frictionTorque;
  pressureThrustArea = source.pressureThrustArea;
  weight = source.weight;
}
