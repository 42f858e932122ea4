// The ball joint's record and copy; see the header.
#include "elements/BallJoint.h"

#include "kindbase/KindRecord.h"
#include "records/ModelFileFormat.h"
#include "services/BinaryFile.h"

void BallJoint::Read(BinaryFile& file) {
  BinaryFileReadFloat(file, bendingStiffness);
  BinaryFileReadFloat(file, torsionalStiffness);
  if (g_ModelFileVersion >= 503) {
    BinaryFileReadFloat(file, bendingRotationLimit);
    BinaryFileReadFloat(file, torsionalRotationLimit);
  }
  BinaryFileReadFloat(file, bendingFrictionTorque);
  BinaryFileReadFloat(file, torsionalFrictionTorque);
  BinaryFileReadFloat(file, weight);
  CheckKindRecord(file, "Ball joint");
}

void BallJoint::Write(BinaryFile& file) const {
  BinaryFileWriteFloat(file, bendingStiffness);
  BinaryFileWriteFloat(file, torsionalStiffness);
  BinaryFileWriteFloat(file, bendingRotationLimit);
  BinaryFileWriteFloat(file, torsionalRotationLimit);
  BinaryFileWriteFloat(file, bendingFrictionTorque);
  BinaryFileWriteFloat(file, torsionalFrictionTorque);
  BinaryFileWriteFloat(file, weight);
}

void BallJoint::CopyFrom(const ElementData& other) {
  const BallJoint& source = SameKind(*this, other);
  bendingStiffness = source.bendingStiffness;
  torsionalStiffness = source.torsionalStiffness;
  bendingRotationLimit = source.bendingRotationLimit;
  torsionalRotationLimit = source.torsionalRotationLimit;
  bendingFrictionTorque = source.bendingFrictionTorque;
  torsionalFrictionTorque = source.torsionalFrictionTorque;
  weight = source.weight;
}
