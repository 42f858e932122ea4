// The force spectrum load (DataType 20): names a force spectrum and the one
// global direction in which it acts at the row's node, with the unit of the
// spectrum's values and a scale factor. It acts only in the force spectrum
// analysis, which sets the spectrum's index when it checks the rows.
//
// Model-file record, 48 bytes in every version: Direction, Units, the 32-byte
// SpectrumName, ScaleFactor, UnitFactor (DirectionalLoad.h).
#pragma once

#include <cstdint>
#include <string>

#include "loads/DirectionalLoad.h"
#include "model/RowObjects.h"

struct Model;

class ForceSpectrumLoad : public DataItem {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const DataItem& other) override;
  std::string CellText(int column) const override;
  void FillDialog(HWND dialog) override;

  DirectionalLoadValues Values() const { return {Direction, Units, SpectrumName, ScaleFactor, UnitFactor}; }
  DirectionalLoadFields Fields() { return {Direction, Units, SpectrumName, ScaleFactor, UnitFactor}; }

  std::int32_t Direction = 0;
  std::int32_t Units = 0;
  std::string SpectrumName;  // up to 31 characters
  float ScaleFactor = 1.0f;
  float UnitFactor = 1.0f;
  std::int32_t SpectrumIndex = 0;  // set before a force spectrum run; not stored
};

// Whether a row's force spectrum load names `name`.
bool IsForceSpectrumInUse(const Model& model, const std::string& name);
