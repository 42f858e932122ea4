// TIME_HISTORY_DIALOG ("Time History Analysis Control", Layout > Loads >
// Time history...): the model's time history options, the time step
// (seconds, not negative), the number of time steps (not negative), the
// output interval (an empty field is 1; at least 1), the damping (0 to 99
// %) and whether the results are saved; and their lines in the model
// report while the model has time history loads.
#pragma once

#include "model/UndoFiles.h"
#include "platform/Types.h"

// 1 after OK, 0 after Cancel (or OK while results are shown). `snapshot` is
// the undo snapshot taken for the edit, dropped when nothing changed.
int TimeHistoryOptionsDialog(HWND owner, SnapshotToken snapshot);
// "Time step = ...", "Number of time steps = ...", "Output interval = ...",
// "Damping = ... (%)" on the current report road.
void PrintTimeHistoryOptions();
