// Taking a section from the beam section library: LIBRARY_USE_DIALOG
// ("Beam Library - [<file>]"), a one-column table of the library's section
// descriptions ("Beam Description"); Enter or a double-click takes the
// section, "&Library" reads another library file. Before the dialog, a
// library not yet read is read from the path remembered while the program
// runs, else the user chooses one; a library without sections is refused
// with "There are no beam sections in \n<file>".
#pragma once

#include "platform/Types.h"

// The chosen section's number in BeamLibraryTable(), or 0.
int ChooseBeamLibrarySection(HWND owner);
INT_PTR BeamLibraryPickDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
