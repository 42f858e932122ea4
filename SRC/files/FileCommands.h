// The file commands: the File > Open dialog, opening a file by its
// extension (from the dialog, the command line, the recent-models list),
// closing the model, File > Save and Save As, the start-up file and the
// first-run sample model.
//
// The open model's path is TheModel().path (empty: untitled). The file
// dialogs start in the model folder of the settings (ModelDialogFolder),
// which start-up takes from the newest recent model and every chosen model
// file moves; it outlives the path, so the next dialog starts there, also
// after a restart.
//
// Opening is safe at every step: an unknown extension is refused before
// anything is closed; a model file is read into a fresh model and only a
// whole read replaces the open model (a failed read leaves it exactly as it
// was); the snapshots of the replaced model are deleted with it, so an undo
// never crosses from one model into another. A results file opens the model
// of the same name, then its results (results/ResultsMode.h). A material
// library (*.mat, or an old *.mdb converted) is read whole before the model
// or the window holding the list frame gives way to the library window
// (properties/MaterialLibraryWindow.h); a flange qualification file (*.flg)
// is read whole before they give way to the flange qualification tool
// (evaluations/FlangeTool.h). A valve library (*.val) or beam section
// library (*.bli) read whole closes the model and shows its window.
// Whichever library window or tool holds the list frame is left first
// (after its save question); when the file then cannot be read the main
// window comes back. The other library and evaluation files are refused
// with a message until their readers exist. Closing the model closes an
// open material library window too.
//
// Saving writes a temporary file beside the target and renames it over the
// target, so a failed save never destroys the previous file; the file it
// replaces is kept as its backup copy first when the preferences ask for one
// (BackupCopy.h).
#pragma once

#include <string>

#include "platform/Types.h"

// Start-up: installs the recent-models opener, then opens the file named on
// the command line by its extension. Does nothing for an empty name; true
// when a file was opened. A name without a folder is taken from the current
// folder; double quotes and surrounding blanks are dropped.
bool OpenStartupFile(HWND mainWindow, const std::string& name);
// The path a command-line name stands for: double quotes and surrounding
// blanks dropped, the current folder put before a name without one; empty
// when the line names no file.
std::string StartupFilePath(const std::string& name);
// Start-up with a batch file named: imports it, analyses the model and opens
// its results (files/BatchImport.h). Does nothing for an empty name.
void ImportBatchFileFromCommandLine(HWND mainWindow, const std::string& name);
// The program folder's sample (services/ProgramSample.h), untitled as every
// road opens it; nothing when it is missing; an untitled empty model when it
// cannot be read.
void OpenSampleModelFirstRun(HWND mainWindow);
void OpenModelDialog(HWND owner);
void OpenResultsDialog(HWND owner);
// The Import command (main window 350): after the save question, the file
// dialog, then the batch import (files/BatchImport.h).
void ImportModel(HWND owner);

// Opens `path` by its extension (any case); messages are shown over `owner`.
bool OpenFileByExtension(HWND owner, const std::string& path);
// Makes `path` the model path and its folder the model folder.
void ChooseModelFile(const std::string& path);
// Untitled: no path, not modified; the model folder stays.
void ResetModelTitle();
// Hides the model windows (the List window with its list closed), forgets
// copied rows, makes the open model a new empty untitled one and deletes
// every undo and redo snapshot.
void CloseModel();
// File > Save: to the model path, or through Save As when untitled. True
// when the model was written (its modified flag is then clear).
bool SaveModel(HWND owner);
// File > Save As: asks for a path ("Save As", *.mod), writes the model there
// and makes it the model path. False when cancelled or not written.
bool SaveModelAs(HWND owner);
