// The result tables of a modal analysis: "Frequencies" (frequency, period,
// participation factors and modal mass over total mass in X, Y and Z of
// every mode, with a Total row) and "Mode shapes" (the six components of
// the current mode at every result node), their printed, text-report and
// comma-separated forms, and the stepping through the modes.
//
// The current mode (g_CurrentMode) is what both tables and the shape
// display of the graphics window share: a row of the Frequencies table
// makes its mode current; the Mode shapes table steps it with Left and
// Right (commands 229 and 228), wrapping at either end. The shape display
// (ShapeDisplay.h) is stopped before the mode changes and shown again on the
// new one. Printing the Mode shapes table prints every mode and leaves the
// mode that was current.
//
// The tables that show a mode's shape (these two and the dynamic stress
// tables) put the shape items (216, 221, 300) into the View menu while they
// are current, and those that step the mode the stepping items (228, 229)
// into the Results menu; each takes them out again when it is left.
#pragma once

#include <string>

#include "platform/Types.h"

class ResultTableWindow;

void OpenFrequenciesTable();
void OpenModeShapeTable();
ResultTableWindow& FrequenciesTable();
ResultTableWindow& ModeShapeTable();
void RegisterModalTables();

// The number of modes the results hold (0: no modal case).
int ResultModeCount();
// Steps the current mode by +1 or -1, wrapping; nothing with one mode.
void StepMode(int step);
// "Mode %d: %.2f Hz" of the current mode.
std::string CurrentModeTitle();

// The View and Results menu items of a mode-shape table (see above); an item
// already there is not added twice.
void InsertModeShapeItems();
void InsertModeSteppingItems();
void RemoveModeShapeItems();
void RemoveModeSteppingItems();
// The right-click popup of a mode-shape table: the shape items (with
// "&Magnification..." while a shape is shown), the stepping items when
// `stepping`, then the results items. The caller tracks and destroys it.
HMENU ModeShapePopup(bool stepping);
