// The harmonic load's record and copy; see the header.
#include "loads/HarmonicLoad.h"

#include "elements/KindRecord.h"
#include "shell/BinaryFile.h"

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
