// Force spectra: the model's list of named (frequency, value) tables that
// force spectrum loads scale, and its model-file section (present from
// version 503; older files leave the list as it was). The list always ends
// with one blank record, never saved (PointTables.h). Start reading at
// ReadForceSpectra.
#pragma once

#include <string>
#include <vector>

#include "records/PointTables.h"


using ForceSpectrum = NamedPoints;  // (frequency in Hz, value)
using ForceSpectrumList = NamedPointsList;

void ClearForceSpectra(ForceSpectrumList& list);  // only the blank record
bool HasForceSpectra(const ForceSpectrumList& list);
// 0-based index of the first non-blank record of that name; -1 when the name
// is empty or absent.
int FindForceSpectrum(const ForceSpectrumList& list, const std::string& name);
// The value of spectrum `index` at the frequency of a mode of circular
// frequency `omega` (rad/s): omega / 2 pi.
float ForceSpectrumValueAtMode(const ForceSpectrumList& list, double omega, std::size_t index);

// Refuses as damage a point no road stores (CheckReadPointTable).
void ReadForceSpectra(BinaryFile& file, int version, ForceSpectrumList& list);
// The notes of what an older file may hold (PointTableNotes).
// The values of a model file's force spectra below 1E-37, mended to the
// typed zero with a note each (PointTables.h).
std::vector<std::string> MendForceSpectraBelowLeast(ForceSpectrumList& list);
std::vector<std::string> ForceSpectrumNotes(const ForceSpectrumList& list);
void WriteForceSpectra(BinaryFile& file, const ForceSpectrumList& list);
