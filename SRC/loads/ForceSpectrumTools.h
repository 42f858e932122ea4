// The two tools that make force spectra: converting a time function
// (CONVERT_TIME_FUNCTION, the force spectra table's "&Convert time
// function...") and the relief valve pulse (RELIEF_VALVE_LOADING, Layout >
// Misc > Relief valve loading, which also keeps the pulse as a time
// function of the spectrum's name). Both ask before overwriting a spectrum
// (and the pulse before overwriting a time function) of the name given,
// remember their frequency settings for the next use, and run the
// conversion (ForceSpectrumConversion.h) under CONVERT_PROGRESS, whose
// Cancel stops it with nothing changed. The spectrum goes where a text
// import would put it; the change is one undo step.
#pragma once

#include <cstddef>

#include "platform/Types.h"

// True when a spectrum was made; `row` is the force spectra table's
// current record (0-based).
bool ConvertTimeFunctionDialog(HWND owner, std::size_t row);
bool ReliefValveLoadingDialog(HWND owner);
