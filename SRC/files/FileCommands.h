// The file commands that the main window and the start-up call: opening the
// start-up file by its extension, importing a batch file named on the
// command line, the first-run sample model, and the File menu's open,
// open-results and import dialogs.
//
// Until the file commands are built, each of these that would open something
// says so in a message and changes nothing; an empty start-up name and the
// first-run sample model do nothing at all.
#pragma once

#include <string>

#include "platform/Types.h"

// Does nothing for an empty name; true when a file was opened.
bool OpenStartupFile(HWND mainWindow, const std::string& name);
void ImportBatchFileFromCommandLine(HWND mainWindow, const std::string& name);
void OpenSampleModelFirstRun(HWND mainWindow);
void OpenModelDialog(HWND owner);
void OpenResultsDialog(HWND owner);
void ImportModel(HWND owner);
void CloseModel();
