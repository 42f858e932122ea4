// The import log: what an import of a batch or neutral file passed over or
// changed, one entry per line with the line of the file it came from,
// shown once the model is open; the same dialog shows what the conversion
// of an old model took in place of values out of range, and what an export
// left out or writes so that it reads back otherwise.
//
// Every entry is shown: the log dialog (IMPORT_LOG_DIALOG) holds them in a
// scrolling list under the count. The dialog is as wide as the widest entry
// allows within the screen; an entry wider than that goes on as indented
// rows below it, cut at blanks, so no part of it lies outside the list.
// With nobody to answer a dialog the whole log goes to the standard error
// stream.
#pragma once

#include <string>
#include <vector>

#include "platform/Types.h"

// Shows `log` over `owner`; nothing when it is empty. `road` names what
// gave the log in the heading: "import", "conversion" or "export".
void ShowImportLog(HWND owner, const std::vector<std::string>& log, const char* road = "import");

// The log's heading: "The import gave N warnings:" (or "The conversion ...").
std::string ImportLogHeading(std::size_t count, const char* road = "import");
