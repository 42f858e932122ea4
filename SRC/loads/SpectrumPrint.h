// The response spectra and the spectrum load in the model report: the
// "Spectrums" section with one table of points per spectrum (abscissa and
// ordinate in the spectrum's own unit), and the spectrum load (the
// spectrum and factor of each direction, the mode and direction sums),
// printed only when a direction carries a spectrum.
#pragma once

#include <cstdint>
#include <string>

void PrintSpectra();
void PrintSpectrumLoad();

// "Absolute", "SRSS", "Closely spaced" or "NRL" for the sum codes 1 .. 4.
const char* SpectrumSumName(std::int32_t code);
// A point's cell text: the abscissa, or the ordinate in the spectrum's
// unit, "%.6G"; empty for 0.
std::string SpectrumPointText(float value);
