// The hinge joint (ElementType 12): a joint that turns about one axis, with a
// rotational spring, an optional rotation limit, a friction torque to
// overcome before it turns, and its own weight. The axis is kept as entered,
// in global components.
//
// Model-file record, seven floats: stiffness, rotation limit (present from
// version 503; older files give 1.0e30, no limit), friction torque, weight,
// axis X, Y, Z. The iteration state of the analysis is not stored.
#pragma once

#include "model/RowObjects.h"

class HingeJoint : public ElementData {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const ElementData& other) override;

  float stiffness = 0.0f;        // inch-pound per radian
  float rotationLimit = 1.0e30f; // radians; 5.0e29 or more = none
  float frictionTorque = 0.0f;   // inch-pound
  float weight = 0.0f;           // lb
  float axis[3] = {0.0f, 0.0f, 0.0f};
};
