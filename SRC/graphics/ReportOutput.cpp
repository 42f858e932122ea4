// Report output state (see ReportOutput.h).
#include "graphics/ReportOutput.h"

#include "shell/StandIn.h"

STAND_IN("report output: the report file dialog, text pages and CSV writers");

bool g_ReportFileOpen = false;
bool g_ReportToFile = false;
