// The material library window: the List frame taken over by the material
// library (menu MATLIB_MENU, accelerators MATLIB_ACCEL, the tool toolbar
// New, Open, Save), showing the library's materials in the Materials list
// titled "Material Library" (without the Name column) beside the property
// pane of the current material. The main window is hidden while it is open
// and shown again when it closes.
//
// While it is open the model's material table holds the library's
// materials, the model's piping code and the program's density,
// temperature, modulus, expansion and stress units are the library's, and
// the model-modified flag is the library's changed flag; closing it empties
// the table and forgets the library path.
//
// Commands: New and Open (the program's, after the save question), Close
// and Exit (after it), Save ("Material Library saved"; Save As when
// untitled), Save As ("Save Material Library As"), Import and Export of the
// batch text (MaterialLibraryBatch.h), Print, Edit, Insert, Delete, Copy
// and Paste of the list, the piping code (MATLIB_CODE_DIALOG, the list then
// reopened for the code's columns), Units (MATLIB_UNITS_DIALOG), the table
// font, Help and About.
//
// Opening a library as a document reads it first: a file that cannot be
// read leaves the open model, or the open library, exactly as it was. The
// window is the List frame's tool while open: another document opened or
// made new leaves it through the tool (the save question, then the close
// without the main window, whose place that document's windows take).
//
// Start reading at OpenMaterialLibraryDocument.
#pragma once

#include <string>

#include "platform/Types.h"

// File > Open of a *.mat or *.mdb file (`path`): the file read whole (an
// old one with the conversion's questions), then the window holding the
// list frame left (LeaveListFrameTool: this window's own save question),
// then an old library's converted file written, the model closed and the
// window opened on the library. False, with the message shown over
// `owner`, when the file could not be read or converted or a question was
// declined: what was open is then as it was (after a failed write of the
// converted file the window that was left stays closed).
bool OpenMaterialLibraryDocument(HWND owner, const std::string& path);
// The window over the loaded library, which moves into the model's
// material table with its code and units; `path` is its file (empty: an
// untitled library).
void OpenMaterialLibraryWindow(const std::string& path);
// File > New's "Material Library": an empty untitled library in its window
// (the caller has closed the model).
void NewMaterialLibrary();

// The save question and, unless cancelled, the close; false when cancelled.
// True at once when the window is not open.
bool LeaveMaterialLibraryWindow(HWND owner, bool showMainWindow = true);
// Gives the List frame back, empties the library and shows the main window
// again (no question: QuerySaveMaterialLibrary comes first). A caller that
// shows another document's windows next leaves the main window hidden.
void CloseMaterialLibraryWindow(bool showMainWindow = true);
// "Do you want to save changes to <file> ?" for a changed library: Yes
// saves (Save As when untitled); IDYES, IDNO or IDCANCEL (IDNO at once when
// nothing changed; IDCANCEL when the save failed).
int QuerySaveMaterialLibrary(HWND owner);
bool SaveMaterialLibrary(HWND owner);
bool SaveMaterialLibraryAs(HWND owner);

// The open dialog of the library ("Open Material Library", *.mat and
// *.mdb) and the reader of the chosen file into the loaded library; false
// when cancelled or not read (the reader's message shown, the loaded
// library kept).
bool OpenMaterialLibraryDialog(HWND parent);
// The loaded library for a pick: when it holds no materials, read from the
// library path when `storedPath` and that file exists, else asked for with
// the open dialog. False when no library with materials could be had
// ("There are no materials in \n<path>" said for an empty one, whose path
// is then forgotten).
bool EnsureMaterialLibraryLoaded(HWND parent, bool storedPath);

// A cell being typed in the library's list is stored first; false when the
// list refused it.
bool CommitMaterialLibraryEdit();
// The list shown again after the library's materials, code or units
// changed.
void ReopenMaterialLibraryTable();
