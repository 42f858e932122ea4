// The beam section library window: the List frame taken over by the beam
// section library (menu BEAMLIB_MENU, accelerators BEAMLIB_ACCEL, the
// "Beam sections" table in library mode, "Beam Section Library"), with its
// file commands. While it is open the model's beam section table holds the
// library's sections and the model-modified flag is the library's changed
// flag; the main window is hidden and comes back when it closes. Opening a
// library sets the current units of Dimension, Area and Moment of inertia
// to the file's; saving stores the current ones.
//
// File commands: New (the New chooser), Open ("Open Beam Library", *.bli
// only), Close and Exit (after the save question), Save ("Beam Library
// saved"; Save As when it has no file), Save As ("Save Beam Library As",
// ".bli" added), Print. Start reading at OpenBeamLibraryWindow.
#pragma once

#include <string>

#include "platform/Types.h"

// File > Open of a *.bli: the file read whole into the library (its
// message over `owner` and false on failure, nothing changed); the caller
// then closes the model and opens the window on it.
bool ReadBeamLibraryForWindow(HWND owner, const std::string& path);
void OpenBeamLibraryWindow();
// File > New's beam section library, after the model was closed: an empty
// untitled library in the window.
void NewBeamLibrary();
bool BeamLibraryWindowOpen();
// The save question and, unless cancelled, the close; false when cancelled.
bool LeaveBeamLibraryWindow(HWND owner);
// "Do you want to save changes to <file> ?" for a changed library: Yes
// saves; IDYES, IDNO or IDCANCEL (IDNO without a question when unchanged).
int QuerySaveBeamLibrary(HWND owner);
bool SaveBeamLibrary(HWND owner);
bool SaveBeamLibraryAs(HWND owner);
