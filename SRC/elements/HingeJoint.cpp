// The hinge joint's record and copy; see the header.
#include "elements/HingeJoint.h"

#include "elements/KindRecord.h"
#include "files/ModelFile.h"
#include "shell/BinaryFile.h"
#include "shell/StandIn.h"

// Not drawn yet: the kind keeps the base's empty drawing and pick
// operations, so the picture shows only the nodes of its rows.
STAND_IN("the hinge joint's sphere and axis in the line and rendered pictures, and their picking");

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
