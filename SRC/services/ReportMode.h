// The road a report takes, which the number texts read too (they keep their
// usual digits on a printed or exported report). Set by the report output
// (printing/ReportOutput.h).
#pragma once

// The print file is open: reports take the file road.
inline bool g_ReportFileOpen = false;
// CSV mode: the open print file is a comma-separated file.
inline bool g_ReportToFile = false;
