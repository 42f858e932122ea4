// The harmonic load's record, copy and list text; see the header.
#include "loads/HarmonicLoad.h"

#include "kindbase/KindRecord.h"
#include "services/BinaryFile.h"
#include "services/NumberFormat.h"
#include "services/NumberText.h"
#include "services/Units.h"

void HarmonicLoad::Read(BinaryFile& file) {
  for (float* value : {&Frequency, &Phase, &FX, &FY, &FZ}) BinaryFileReadFloat(file, *value);
  CheckKindRecord(file, "Harmonic load");
}

void HarmonicLoad::Write(BinaryFile& file) const {
  for (float value : {Frequency, Phase, FX, FY, FZ}) BinaryFileWriteFloat(file, value);
}

void HarmonicLoad::CopyFrom(const DataItem& other) {
  const HarmonicLoad& source = SameKind(*this, other);
  Frequency = source.Frequency;
  Phase = source.Phase;
  FX = source.FX;
  FY = source.FY;
  FZ = source.FZ;
}

std::string HarmonicLoad::CellText(int column) const {
  switch (column) {
    case 2: return HarmonicFrequencyText(Frequency);
    case 3: return HarmonicPhaseText(Phase);
    case 4:
    case 5:
    case 6: return HarmonicForceText(Force(column - 4));
    default: return {};
  }
}

std::string HarmonicFrequencyText(float frequency) {
  return frequency == 0.0f ? std::string() : CFormat("%.6g", static_cast<double>(frequency));
}

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;

}  // namespace

// The record holds degrees; the angle unit's text works in radians.
std::string HarmonicPhaseText(float phase) {
  return phase == 0.0f ? std::string() : FormatAngleOrNone(static_cast<float>(phase / kDegreesPerRadian));
}

int ParseFieldPhase(float& degrees) {
  float typed = 0.0f;
  if (ParseFieldReal(typed) != 0) return 1;
  // Typed in degrees the value is kept as typed, so that it reads back exactly.
  degrees = ChosenUnit(kUnitAngle) == 0 ? typed : static_cast<float>(typed * kDegreesPerRadian);
  return 0;
}

std::string HarmonicForceText(float force) { return force == 0.0f ? std::string() : FormatForceTrim(force); }

const char* HarmonicCombinationName(int combination) {
  return combination == 1 ? "Absolute Sum" : "Root Mean Square";
}
