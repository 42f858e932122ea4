// The hydrotest load row (ElementType 20): the test fluid's specific gravity
// and test pressure for the hydrotest load case, and whether the insulation
// weight is left out. It makes no element.
//
// Model-file record, the same in every version: specific gravity and
// pressure as floats, then the exclude-insulation flag as a byte.
#pragma once

#include <cstdint>
#include <string>

#include "model/RowObjects.h"

class HydrotestLoad : public ElementData {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const ElementData& other) override;
  // "Hydrotest load: Spec. gravity = 1.2,  Pressure = 150 (psi)", with
  // ",  Exclude insulation" when the flag is set (HydrotestDialog.cpp).
  std::string Text() const override;
  void FillDialog(HWND dialog) override;

  float specificGravity = 0.0f;
  float pressure = 0.0f;  // psi; 1.0e-36 = not given
  std::uint8_t excludeInsulation = 0;
};
