// The units dialog "UNITS_DIALOG": one drop-down list per unit kind (1201
// Length ... 1220 Velocity), each offering the kind's usual units, and three
// buttons that choose a whole unit system (English, SI, Metric; the angle
// keeps its unit under SI and Metric). Nothing is stored until OK.
//
// ChooseUnits is the Units command of the Layout and List windows. It
// commits a cell being typed in the shown tables first (its text is in the
// units it was typed in), takes an undo snapshot (a changed unit is an edit
// of the model: the model file keeps the units), and runs the dialog. OK
// with a change makes the choice the program's units and the model's, marks
// the model modified (not while results are shown) and redraws every open
// table and the graphics; Cancel, or OK with nothing changed, discards the
// snapshot, so no undo step does nothing.
//
// A unit that the list does not usually offer (a model file may hold one,
// e.g. "(N/m)" for the additional weight) is offered too while it is the
// current one, so that OK never changes a unit the user did not touch.
#pragma once

#include "platform/Types.h"

constexpr int kUnitsFirstCombo = 1201;
constexpr int kAllEnglishButton = 1001;
constexpr int kAllSiButton = 1002;
constexpr int kAllMetricButton = 1003;

// The number of units the list of a kind offers (before a current unit
// beyond them is added).
int UnitsOffered(int kind);
// The unit a system button chooses for a kind, or -1 when it leaves it.
int UnitOfSystem(int button, int kind);

INT_PTR UnitsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The Units command; true when the units changed.
bool ChooseUnits(HWND owner);
