// The ball joint (ElementType 13): a joint that turns freely in every
// direction against a bending and a torsional spring, each with an optional
// rotation limit and friction torque, and with its own weight.
//
// Model-file record, seven floats: bending stiffness, torsional stiffness,
// bending and torsional rotation limits (both present from version 503;
// older files give 1.0e30, no limit), bending and torsional friction torque,
// weight. The iteration state of the analysis is not stored.
#pragma once

#include "model/RowObjects.h"

class BallJoint : public ElementData {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const ElementData& other) override;

  float bendingStiffness = 0.0f;    // inch-pound per radian
  float torsionalStiffness = 0.0f;
  float bendingRotationLimit = 1.0e30f;  // radians; 5.0e29 or more = none
  float torsionalRotationLimit = 1.0e30f;
  float bendingFrictionTorque = 0.0f;  // inch-pound
  float torsionalFrictionTorque = 0.0f;
  float weight = 0.0f;  // lb
};
