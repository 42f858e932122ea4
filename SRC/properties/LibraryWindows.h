// What the library windows that take over the List frame share (the beam
// section and the valve library): where they open the first time, the
// main window brought back when they close, the save question on leaving
// and the Exit command. Each library keeps its own file, table and texts;
// only the way a library window behaves around them is here, so that the
// libraries answer alike.
#pragma once

#include <functional>
#include <string>

#include "platform/Types.h"
#include "platform/Window.h"

class TableWindow;

// `placement` set to the library windows' rectangle when it was never set.
WINDOWPLACEMENT& LibraryWindowPlacement(WINDOWPLACEMENT& placement);

// The main window shown and in front again, with its accelerators.
void ShowMainWindowAgain();

// The save question on leaving a library: IDNO when it is not modified;
// otherwise the answer about the file `path` ("Untitled" without one),
// a Yes saved (Save As when there is no path yet) and IDCANCEL when that
// failed.
int QuerySaveLibrary(HWND owner, bool modified, const std::string& path, bool (*save)(HWND), bool (*saveAs)(HWND));

// Writes a library file with `write`; a fault it throws is shown. True
// when written.
bool WriteLibraryShowingFault(HWND owner, const std::function<void()>& write);

// Leaving an open library window: the cell being typed committed (a
// refused cell keeps the window), the save question asked (Cancel keeps
// it), then `close`. True when the window is gone or was never open.
bool LeaveLibraryWindow(HWND owner, bool open, TableWindow& table, int (*querySave)(HWND), void (*close)());

// Exit from a library window: the library is left (which may ask to save
// it), then the program closes.
void ExitFromLibrary(HWND window, bool (*leave)(HWND));
