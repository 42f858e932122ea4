// The loads of the model report and the small line helpers their printers
// share. PrintModelLoads writes, on the current report road, the pipe
// loads, the static seismic load, the wind loads, the response spectra and
// the spectrum load; each of those sections prints nothing when the model
// holds none of its data.
#pragma once

#include <string>
#include <vector>

void PrintModelLoads();

// A comma-separated line of cells (quoted where they must be), ended.
void ReportCsvLine(const std::vector<std::string>& cells);
// One text line at `column` on the text road, or the whole text as one
// cell on the comma-separated road; ended.
void ReportTextOrCellLine(const std::string& text, int column);
// "%s %s": a value and its unit label.
std::string WithUnit(const std::string& value, const char* unit);
