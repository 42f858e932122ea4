// Response spectra to and from text: the import of one spectrum from a text
// file ("&Read Spectrum..." of the spectra list) and the comma-separated
// export of every spectrum ("&Export...", "Spectrums.csv").
//
// A spectrum text file holds the name on its first line, the abscissa kind
// (non-zero: period) and the ordinate unit (0 inch, 1 mm, 2 in/sec2, 3
// mm/sec2, 4 g's) on its second, then one point a line: abscissa and
// ordinate in that unit. Empty lines are skipped; lines are read whole,
// however long. The name is kept as the table keeps a typed one (blanks
// around it removed); the points keep the rules of every spectrum
// (FirstSpectrumPointFault). The file is checked whole before anything
// changes: a bad line is refused with its number and the list is left as it
// was.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "platform/Types.h"
#include "records/Spectrum.h"

// Reads a spectrum text file: name (KeptTableName), abscissa kind,
// ordinate unit and the points with the ordinates in internal units (0.0
// stored as the explicit zero). Throws the message text of the first fault.
ResponseSpectrum ParseSpectrumText(std::istream& in);

// Puts a read spectrum into the list: over the entry of the same name, else
// into the entry at `row` (0-based) when it is the blank one, else before
// it. Returns the index of the entry.
std::size_t PlaceSpectrum(SpectrumList& list, const ResponseSpectrum& spectrum, std::size_t row);

// The command: the open dialog "Read Spectrum from a Text File", the
// question when the name exists, the placement at the spectra list's
// current row and the message. True when a spectrum was read.
bool ReadSpectrumFromTextFile(HWND owner);
// The same for a path chosen already.
bool ReadSpectrumTextFile(HWND owner, const std::string& path, std::size_t row);

// The comma-separated text of every spectrum, lines ended with CR LF.
std::string SpectraCsvText(const SpectrumList& list);
// The command: the export dialog with "Spectrums.csv" proposed, then the
// text written. True when written.
bool ExportSpectra(HWND owner);
