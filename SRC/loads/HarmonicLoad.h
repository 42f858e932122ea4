// The harmonic load (DataType 19): a force at the row's node that varies as
// a sine of the given frequency and phase, with amplitudes along global X, Y
// and Z. It acts only in the harmonic analysis, which also reads the
// model-wide harmonic settings (damping, combination; Model.h).
//
// Model-file record, 20 bytes in every version: Frequency, Phase, FX, FY, FZ
// as floats.
//
// The module is split by concern: HarmonicLoad.cpp (record, copy, list
// text), HarmonicDialogs.cpp (HARMONIC_LOAD_DIALOG and the settings'
// HARMONIC_DIALOG), HarmonicList.cpp (the "Harmonic loads" list, its
// printed section and the settings' report lines).
#pragma once

#include <string>

#include "model/RowObjects.h"

class HarmonicLoad : public DataItem {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const DataItem& other) override;
  std::string CellText(int column) const override;
  void FillDialog(HWND dialog) override;

  float Force(int axis) const { return axis == 0 ? FX : axis == 1 ? FY : FZ; }

  float Frequency = 0.0f;  // Hz
  float Phase = 0.0f;      // degree
  float FX = 0.0f;         // lb
  float FY = 0.0f;
  float FZ = 0.0f;
};

// The list's and the reports' texts: the frequency ("%.6g"), the phase in
// the angle unit and an amplitude in the force unit, each empty for 0.
std::string HarmonicFrequencyText(float frequency);
std::string HarmonicPhaseText(float phase);
std::string HarmonicForceText(float force);
// The phase typed in the angle unit (the shared edit-field text) into
// degrees; 0 when good.
int ParseFieldPhase(float& degrees);
// "Root Mean Square" for 0, "Absolute Sum" for 1.
const char* HarmonicCombinationName(int combination);
