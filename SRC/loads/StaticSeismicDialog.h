// The static seismic load's dialog SEISMIC_DIALOG ("Static Seismic Load
// (g's)"): the accelerations X, Y and Z in g's and the combination of the
// directional results, "SRSS" or "Absolute sum"; with no piping code the
// combination is the algebraic sum, shown checked and disabled. "&Reset"
// empties the three fields. OK with every value as it was closes as
// confirmed and discards the undo snapshot; accelerations all 0 remove the
// "Seismic (g)" case from the selection. The Layout window's Loads menu
// opens it (command 232).
//
// PrintStaticSeismic writes the load in the model report on the current
// road; nothing when all three accelerations are 0.
#pragma once

#include <string>

#include "model/UndoFiles.h"
#include "platform/Types.h"

constexpr int kSeismicFirstField = 1301;  // X, Y, Z: 1301 .. 1303
constexpr int kSeismicAlgebraicRadio = 1400;
constexpr int kSeismicSrssRadio = 1401;
constexpr int kSeismicAbsoluteRadio = 1402;
constexpr int kSeismicResetButton = 1001;

// 1 after OK (stored or unchanged), 0 after Cancel or in results mode.
int StaticSeismicLoadDialog(HWND owner, SnapshotToken snapshot);
INT_PTR StaticSeismicDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The rule's text: "Algebraic sum", "Absolute sum" or "Square Root of Sum
// of Squares"; always the first with no piping code.
std::string SeismicCombinationText(int combination, int pipingCode);
void PrintStaticSeismic();
