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

#include <istream>
#include <string>

#include "platform/Types.h"
#include "records/PointTables.h"

// The spectrum of a force spectrum text file: its name (cut to 31
// characters) and its points in file order, 0 read as 1.0e-36. Throws the
// message text of the first fault.
NamedPoints ParseForceSpectrumText(std::istream& in);

// The command: the open dialog "Read Force Spectrum from a Text File", the
// question when the name exists, the spectrum placed from the force
// spectra table's row (0-based `row`), and the message. True when read.
bool ReadForceSpectrumFromTextFile(HWND owner, std::size_t row);
bool ReadForceSpectrumTextFile(HWND owner, const std::string& path, std::size_t row);

// The comma-separated text of every spectrum, lines ended with CR LF.
std::string ForceSpectraCsvText(const NamedPointsList& list);
bool ExportForceSpectra(HWND owner);
