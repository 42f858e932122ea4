// Shared by the two files of the report output core: the page writer of the
// open report file and the page's lines.
#pragma once

#include <string>
#include <vector>

// Writes the page's lines (trimmed) to the open report file; the last page
// of a CSV report drops its trailing empty lines.
void WriteReportPage(bool last);
std::vector<std::string> ReportPageLines();
// Lists the contents titles set since the last text on the page the text
// now placed is on (a page's own heading is not a section's text).
void ReportPlaceContentsTitles();
