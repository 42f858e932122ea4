// The time varying load (DataType 18): names a time function and the one
// global direction in which it acts at the row's node, with the unit of the
// function's values and a scale factor. It acts only in the time history
// analysis, which sets the function's index when it checks the rows.
//
// Model-file record: Direction, Units, TimeFunctionName (16 bytes in files
// before version 503, 32 bytes from it), ScaleFactor, UnitFactor; written
// with the 32-byte name, 48 bytes in all (DirectionalLoad.h).
#pragma once

#include <cstdint>
#include <string>

#include "loads/DirectionalLoad.h"
#include "model/RowObjects.h"

struct Model;

class TimeVaryingLoad : public DataItem {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const DataItem& other) override;
  std::string CellText(int column) const override;
  void FillDialog(HWND dialog) override;

  DirectionalLoadValues Values() const { return {Direction, Units, TimeFunctionName, ScaleFactor, UnitFactor}; }
  DirectionalLoadFields Fields() { return {Direction, Units, TimeFunctionName, ScaleFactor, UnitFactor}; }

  std::int32_t Direction = 0;
  std::int32_t Units = 0;
  std::string TimeFunctionName;  // up to 31 characters
  float ScaleFactor = 1.0f;
  float UnitFactor = 1.0f;
  std::int32_t TimeFunctionIndex = 0;  // set before a time history run; not stored
};

// Whether a row's time varying load names `name`.
bool IsTimeFunctionInUse(const Model& model, const std::string& name);
