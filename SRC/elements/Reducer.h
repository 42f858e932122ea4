// The reducer element (ElementType 9): a conical transition between two pipe
// sizes, given by the outside diameter and wall thickness at each end, with
// an optional cone angle and knuckle dimension for the code's reducer rules.
//
// Model-file record, the same in every version: OD1, Thk1, OD2, Thk2 and the
// cone angle as floats, the knuckles flag as a byte, then delta as a float.
#pragma once

#include <cstdint>

#include "model/RowObjects.h"

class Reducer : public ElementData {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const ElementData& other) override;

  float od1 = 0.0f;  // inch, at the start node
  float thk1 = 0.0f;
  float od2 = 0.0f;  // at the end node
  float thk2 = 0.0f;
  float coneAngle = 0.0f;  // degree; 0 = not given
  std::uint8_t knuckles = 0;
  float delta = 0.0f;  // knuckle dimension, inch; 0 = not given
};
