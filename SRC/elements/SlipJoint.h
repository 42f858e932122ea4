// The slip joint (ElementType 11): a joint that slides along and turns about
// the pipe axis once its friction force or friction torque is overcome, with
// a pressure thrust area and its own weight.
//
// Model-file record, the same in every version: friction force, friction
// torque, pressure thrust area and weight as floats. The iteration state of
// the analysis is not stored.
#pragma once

#include "model/RowObjects.h"

class SlipJoint : public ElementData {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const ElementData& other) override;

  float frictionForce = 0.0f;   // lb
  float frictionTorque = 0.0f;  // inch-pound
  float pressureThrustArea = 0.0f;  // square inch
  float weight = 0.0f;          // lb
};
