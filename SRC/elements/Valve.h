// The valve element (ElementType 8): a straight piece of pipe with its own
// weight, a wall-thickness multiplier for its stiffness, an insulation-weight
// multiplier, an optional additional weight (an actuator) offset from the
// valve's centre, its length when it differs from the row's span, and the
// valve type chosen from the valve type texts.
//
// Model-file record: nine fields, the eight floats in the order below and the
// valve type as an int32, present in files above version 510 (older files
// give 0). The type indexes kValveTypeNames and is checked on reading.
#pragma once

#include <cstdint>

#include "model/RowObjects.h"
#include "properties/ValveLibrary.h"  // the valve type texts

class Valve : public ElementData {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const ElementData& other) override;

  float weight = 0.0f;                      // lb
  float length = 0.0f;                      // inch; 0 = the row's span
  float thicknessMultiplier = 3.0f;         // "Thickness  X"
  float insulationWeightMultiplier = 1.75f; // "Insulation weight  X"
  float additionalWeight = 0.0f;            // lb; 0 = none
  float dx = 0.0f;  // offset of the additional weight from the centre, inch
  float dy = 0.0f;
  float dz = 0.0f;
  std::int32_t valveType = 0;
};
