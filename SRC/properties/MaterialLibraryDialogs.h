// The small dialogs of the material library: the piping code and the units
// of the library window (MATLIB_CODE_DIALOG, MATLIB_UNITS_DIALOG), and the
// library picker (LIBRARY_USE_DIALOG) through which a material of the
// loaded library is copied into the model, from the material dialog's
// "&Library" and the Materials list's "&Library..." command.
//
// The picker shows the loaded library's descriptions in a one-column table
// (at most 12 rows at a time, a scroll bar beyond), its file in the title
// ("Material Library - [steel.mat (/lib)]") and its piping code
// ("Piping code : B31.3"); OK or a double click picks the current row,
// "&Library" reads another library into it. Units change only how values
// are shown: a library keeps its values in internal units.
#pragma once

#include "platform/Types.h"

// The code list's entries; 1 when the piping code changed (and the
// library's changed flag is set), else 0.
int MatlibCodeDialog(HWND owner);
// The five kinds' units; 1 after OK (the changed flag set), 0 after Cancel.
int MatlibUnitsDialog(HWND owner);
// The 1-based number of the library material picked, or 0. The loaded
// library must hold materials.
int PickLibraryMaterial(HWND owner);

// The Materials list's "&Library..." on a model's material: a material
// picked from the library replaces the
// current record's values (its name stays), after a question when its
// description differs. True when the record changed.
bool CopyMaterialFromLibrary(HWND parent, int record);
