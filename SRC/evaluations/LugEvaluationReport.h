// The lug evaluation report: the input data and, once analysed, the code
// and attachment titles, the run-pipe checks and the weld check. One
// routine writes it on the screen (the tool's table in the List frame,
// "Evaluation of Piping at Lug Attachment"), the printer and the text or
// comma-separated page, through the shared evaluation lines.
#pragma once

void BuildLugReport();
void PrintLugReport();
void RefreshLugWindow();
