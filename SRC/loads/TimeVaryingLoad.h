// The time varying load (DataType 18): names a time function and the one
// global direction in which it acts at the row's node, with the unit of the
// function's values and a scale factor (DirectionalLoadItem.h). It acts only
// in the time history analysis, which sets the function's index when it
// checks the rows.
//
// Model-file record: Direction, Units, TimeFunctionName (16 bytes in files
// before version 503, 32 bytes from it), ScaleFactor, UnitFactor; written
// with the 32-byte name, 48 bytes in all (DirectionalLoad.h).
#pragma once

#include <cstdint>
#include <string>

#include "loads/DirectionalLoadItem.h"

struct Model;

class TimeVaryingLoad : public DirectionalLoadItem {
 public:
  void Read(BinaryFile& file) override;
  std::string& TableName() override { return TimeFunctionName; }
  const std::string& TableName() const override { return TimeFunctionName; }

  std::string TimeFunctionName;        // up to 31 characters
  std::int32_t TimeFunctionIndex = 0;  // set before a time history run; not stored
};

// Whether a row's time varying load names `name`.
bool IsTimeFunctionInUse(const Model& model, const std::string& name);
