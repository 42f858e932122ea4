// The hinge joint's record and copy; see the header.
#include "elements/HingeJoint.h"

#include "kindbase/KindRecord.h"
#include "records/ModelFileFormat.h"
#include "services/BinaryFile.h"

void HingeJoint::Read(BinaryFile& file) {
  BinaryFileReadFloat(file, stiffness);
  if (g_ModelFileVersion >= 503) BinaryFileReadFloat(file, rotationLimit);
  BinaryFileReadFloat(file, frictionTorque);
  BinaryFileReadFloat(file, weight);
  BinaryFileReadFloats(file, axis, 3);
  CheckKindRecord(file, "Hinge joint");
}

void HingeJoint::Write(BinaryFile& file) const {
  BinaryFileWriteFloat(file, stiffness);
  BinaryFileWriteFloat(file, rotationLimit);
  BinaryFileWriteFloat(file, frictionTorque);
  BinaryFileWriteFloat(file, weight);
  BinaryFileWriteFloats(file, axis, 3);
}

void HingeJoint::CopyFrom(const ElementData& other) {
  const HingeJoint& source = SameKind(*this, other);
  stiffness = source.stiffness;
  rotationLimit = source.rotationLimit;
  frictionTorque = source.frictionTorque;
  weight = source.weight;
  for (int i = 0; i < 3; ++i) axis[i] = source.axis[i];
}
