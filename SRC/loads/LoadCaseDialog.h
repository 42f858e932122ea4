// The "Load cases" dialog (the Layout window's Loads menu, command 231): one
// check box per case the model can run, in a fixed order that depends on
// the piping code, the thermal-load count and the loads present; checked
// when the case's flag is set. Clicking a box checks or unchecks the boxes
// the case depends on or that depend on it (a thermal range needs its two
// single thermal cases, a single thermal case the sustained and operating
// cases unless "Solve thermal case" is on, the dynamic cases the modal
// one). "&All" and "&None" check or uncheck every box. OK stores the boxes
// into the flags; the list follows at the next rebuild.
//
// The template has room for the rows: LOAD_CASES3_DIALOG to
// LOAD_CASES24_DIALOG, and LOAD_CASES110_DIALOG ("Extended Load cases")
// for 25 rows or more, widened by the number of rows.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/UndoFiles.h"
#include "platform/Types.h"
#include "records/LoadCaseList.h"

constexpr int kFirstLoadCaseBox = 1101;
constexpr int kLoadCasesAllButton = 1001;
constexpr int kLoadCasesNoneButton = 1002;

struct LoadCaseRow {
  int id = 0;
  std::string label;
};
// The rows of the dialog, in order.
std::vector<LoadCaseRow> LoadCaseDialogRows(const LoadCaseInputs& inputs);
// The template for a number of rows.
std::string LoadCaseDialogTemplate(int rows);
// The dialog's client width in dialog units for a number of rows of the
// extended template; 0 below 23 rows (the template's own size).
int LoadCaseDialogWidth(int rows);

// The boxes by case id: -1 no box, 0 unchecked, 1 checked.
using LoadCaseBoxes = std::array<std::int8_t, kLoadCaseTypeCount>;
// The consequences of the user's click on box `id`, which now shows its
// new state.
void ApplyLoadCaseClick(LoadCaseBoxes& boxes, int id, bool solveThermalCase);

// The Layout command: rebuilds the list, runs the dialog for the open
// model and returns its result (1 after OK). `snapshot` is the command's
// undo snapshot, discarded on Cancel.
int LoadCaseNames(HWND parent, SnapshotToken snapshot);
INT_PTR LoadCasesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
