// Force spectra: the model's list of named (frequency, value) tables that
// force spectrum loads scale, and its model-file section (present from
// version 503; older files leave the list as it was). The list always ends
// with one blank record, never saved. Start reading at ReadForceSpectra.
#pragma once

#include <string>
#include <vector>

#include "shell/BinaryFile.h"

struct ForceSpectrum {
  std::string name;               // up to 31 characters
  std::vector<FloatPair> points;  // (frequency in Hz, value)
};

using ForceSpectrumList = std::vector<ForceSpectrum>;

void ClearForceSpectra(ForceSpectrumList& list);  // only the blank record
bool HasForceSpectra(const ForceSpectrumList& list);
// 0-based index of the first non-blank record of that name; -1 when the name
// is empty or absent.
int FindForceSpectrum(const ForceSpectrumList& list, const std::string& name);

void ReadForceSpectra(BinaryFile& file, int version, ForceSpectrumList& list);
void WriteForceSpectra(BinaryFile& file, const ForceSpectrumList& list);
