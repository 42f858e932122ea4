// Which layout rows the picture shows, and how: the row display flags
// (visible, transparent) and the commands that set them: F6 hides the
// current row, F9 shows every row, F7 makes the current row transparent,
// F10 every row, F11 none; the Show / Hide Elements dialog (F12,
// "HIDE_ELEMENTS_DIALOG") shows or hides a range of rows.
//
// The flags belong to the rows of the model the GUI thread owns, so the
// commands run there and ask for a new picture; the dialog runs over the
// graphics frame and hands its range to the GUI thread. A line picture is
// turned into the rendered one, where hidden and transparent rows are
// seen.
#pragma once

#include "platform/Types.h"

struct Model;

// The commands 239 (hide current), 240 (show all), 241 (current
// transparent), 242 (all transparent) and 243 (all opaque), on the GUI
// thread; true for one of them.
bool RowVisibilityCommand(int id);

// The dialog's four actions on rows from..to of `model`.
enum class HideAction { ShowOnly = 1401, ShowMore = 1402, HideOnly = 1403, HideMore = 1404 };
void ApplyHideAction(Model& model, HideAction action, int from, int to);

// The dialog over `owner` (graphics thread; nothing while results are
// shown); 1 when rows changed.
int HideElementsDialog(HWND owner);
