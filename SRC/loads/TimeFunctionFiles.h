// Time functions to and from text: the import of one or more functions
// from a text file ("&Read Time Function..." of the time functions table)
// and the comma-separated export of every function ("&Export...",
// "TimeFunctions.csv"), through the point table files (PointTableFiles.h).
//
// A time function text file holds, per function, a name line and data
// lines of a time and a value; a line beginning with "-1.e11" (in any
// letter case) ends a function and announces another. Empty lines are
// skipped; lines are read whole. The whole file is checked before anything
// changes: a fault names its line and leaves the list as it was. Times must
// not be negative (values may be), every function needs points, a time may
// not repeat within 1e-8 of another of its function (a step is two times,
// not one) nor go back ("Times must ascend"), and a name may stand only
// once in a file.
#pragma once

#include <cstddef>

#include "platform/Types.h"

// The command: the open dialog "Read Time function from a Text File", the
// questions for names that exist, the functions placed from the time
// functions table's current row (0-based `row`) on, in file order, each
// name cut to 31 characters, its points sorted, 0 read as 1.0e-36; and the
// message. True when functions were read.
bool ReadTimeFunctionsFromTextFile(HWND owner, std::size_t row);

// The command: the export dialog with "TimeFunctions.csv" proposed, then
// the comma-separated text of every function written, lines ended with CR
// LF. True when written.
bool ExportTimeFunctions(HWND owner);

