// The harmonic load (DataType 19): a force at the row's node that varies as
// a sine of the given frequency and phase, with amplitudes along global X, Y
// and Z. It acts only in the harmonic analysis.
//
// Model-file record, 20 bytes in every version: Frequency, Phase, FX, FY, FZ
// as floats.
#pragma once

#include "model/RowObjects.h"

class HarmonicLoad : public DataItem {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const DataItem& other) override;

  float Frequency = 0.0f;  // Hz
  float Phase = 0.0f;      // degree
  float FX = 0.0f;         // lb
  float FY = 0.0f;
  float FZ = 0.0f;
};
