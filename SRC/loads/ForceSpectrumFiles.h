// Force spectra to and from text: the import of one spectrum from a text
// file ("&Read Force spectrum..." of the force spectra table) and the
// comma-separated export of every spectrum ("&Export...",
// "ForceSpectrums.csv"), through the point table files (PointTableFiles.h).
//
// A force spectrum text file holds the name on its first line, then one
// point a line: a frequency in Hz and a value, neither negative. Empty lines
// are skipped; lines are read whole. The whole file is checked before
// anything changes: a fault names its line and leaves the list as it was,
// and a frequency repeating another within 1e-8 is such a fault.
#pragma once

#include <cstddef>

#include "platform/Types.h"

// The command: the open dialog "Read Force Spectrum from a Text File", the
// question when the name exists, the spectrum placed from the force
// spectra table's row (0-based `row`): its name cut to 31 characters, its
// points sorted, 0 read as 1.0e-36; and the message. True when read.
bool ReadForceSpectrumFromTextFile(HWND owner, std::size_t row);

// The command: the export dialog with "ForceSpectrums.csv" proposed, then
// the comma-separated text of every spectrum written, lines ended with CR
// LF. True when written.
bool ExportForceSpectra(HWND owner);
