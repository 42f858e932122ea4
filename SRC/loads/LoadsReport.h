// The loads of the model report and the small line helpers their printers
// share. PrintModelLoads writes, on the current report road, the "Loads"
// section: under one "Loads" heading the static seismic load (in
// verification mode also the wind loads), the response spectrum load, the
// time-history and the harmonic settings, when the model has any of them;
// then the wind loads, the pipe loads and the beam loads. Each part prints
// nothing when the model holds none of its data.
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
