// The hangers' result views (see Hanger.h): "Loads on Hangers" (the load of
// one hanger, the number and the total), the hanger report of the design
// held by the results file (series, size, rate, travels, hot and cold loads,
// load variation) and the LICAD interface file written from it.
#pragma once

#include <string>

#include "platform/Types.h"

class ResultTableWindow;

// Offered by the result chooser while the results hold hangers.
bool HangerReportOffered();
void OpenHangerReport();
ResultTableWindow& HangerReportTable();
// The cells of the report's row (a hanger of the results, 1-based).
std::string HangerReportCell(int row, int column);
// The load variation of a design in whole percent ("**" at 100 or more,
// empty without a hot load).
std::string HangerVariationText(float rate, float travel, float hotLoad);

// Asks for a file name and writes the LICAD interface file.
void ExportLicadFile(HWND owner);
// Writes it to `path`; false (after the message) when it cannot be opened.
bool WriteLicadFile(HWND owner, const std::string& path);
