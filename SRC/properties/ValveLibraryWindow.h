// The valve library window: the List frame taken over by the valve library
// (menu VALVLIB_MENU, accelerators VALVLIB_ACCEL, the table "Valve Library"
// in its first table window), with the library's file commands, its edit
// dialog and find and replace (ValveLibraryDialogs.cpp). The main window is
// hidden while it is open and shown again when it closes.
//
// The table has seven columns: Description, Nom Dia, OD, Rating,
// Connection Type, Length and Weight, and one empty line after the last
// valve, where typing appends one. A valve needs its description and its
// nominal size before the line is left with Enter. Insert (Ctrl+I,
// Ctrl+Ins) puts an empty valve at the current line, Delete removes it, a
// double click opens VALVE_LIBRARY_DIALOGNEW. Every change sets the
// library's modified flag; leaving the library asks whether to save it.
//
// File commands: Open ("Open Valve Library", *.val only), Save (to its
// file, or Save As when it has none; "Valve Library saved"), Save As
// ("Save Valve Library As", extension .val added), Close and Exit (after
// the save question), New (the New chooser). Start reading at
// OpenValveLibraryWindow.
#pragma once

#include <string>

#include "platform/Types.h"

class TableWindow;

// Switches the program to the valve library window over the library in
// memory; the main window is hidden.
void OpenValveLibraryWindow(HWND owner);
// Gives the List frame back, empties the library and shows the main window
// again (no question: QuerySaveValveLibrary comes first).
void CloseValveLibraryWindow();
bool ValveLibraryWindowOpen();
// The save question and, unless cancelled, the close; false when cancelled.
bool LeaveValveLibraryWindow(HWND owner);

// File > New's "Valve Library": an empty untitled library in its window.
void NewValveLibrary(HWND owner);
// File > Open of a *.val file: reads it into the library (over `owner` the
// message of a failure, and nothing changes); its path becomes the library
// path. The caller then opens the window.
bool ReadValveLibraryIntoMemory(HWND owner, const std::string& path);

// Reads the library path's file (the preference "Valve Library path") into
// the library; its message over `owner` and false on failure.
bool ReadValveLibrary(HWND owner);
// Writes the library to its file and says "Valve Library saved".
bool SaveValveLibrary(HWND owner);
// Asks for a file ("Save Valve Library As") and saves there.
bool SaveValveLibraryAs(HWND owner);
// Asks for a *.val file ("Open Valve Library") and reads it; a name of
// another extension gives "File extension must be : val".
bool OpenValveLibraryFile(HWND owner);
// "Do you want to save changes to <file> ?" for a modified library: Yes
// saves (Save As when untitled); returns IDYES, IDNO or IDCANCEL (IDNO
// without a question when nothing changed).
int QuerySaveValveLibrary(HWND owner);

// The library's table, its cells and its print (shared with the tests).
TableWindow& ValveLibraryTable();
// Refreshes the table and the window title after the library changed.
void RefreshValveLibraryWindow(int row);

// The two dialogs of the window (ValveLibraryDialogs.cpp): the valve of
// `entry` (count + 1: a new one) edited, true when stored; find and replace
// of descriptions, true when something was replaced.
bool EditValveLibraryEntry(HWND owner, int entry);
bool FindAndReplaceValveDescriptions(HWND owner);
