// The force spectrum load (DataType 20): names a force spectrum and the one
// global direction in which it acts at the row's node, with the unit of the
// spectrum's values and a scale factor (DirectionalLoadItem.h). It acts only
// in the force spectrum analysis, which sets the spectrum's index when it
// checks the rows.
//
// Model-file record, 48 bytes in every version: Direction, Units, the 32-byte
// SpectrumName, ScaleFactor, UnitFactor (DirectionalLoad.h).
#pragma once

#include <cstdint>
#include <string>

#include "loads/DirectionalLoadItem.h"

struct Model;

class ForceSpectrumLoad : public DirectionalLoadItem {
 public:
  void Read(BinaryFile& file) override;
  std::string& TableName() override { return SpectrumName; }
  const std::string& TableName() const override { return SpectrumName; }

  std::string SpectrumName;        // up to 31 characters
  std::int32_t SpectrumIndex = 0;  // set before a force spectrum run; not stored
};

// Whether a row's force spectrum load names `name`.
bool IsForceSpectrumInUse(const Model& model, const std::string& name);
