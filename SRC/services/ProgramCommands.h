// The program's commands that the lower floors ask for but that live above
// them: the main, Layout and Results windows, the File menu, the save check,
// a new document, an analysis and the results mode. The application fills
// the table once at start-up (application/ProgramCommandsSetup.h); tables,
// tools and kinds call through it, so that none of them includes the
// windows and commands that stand on top of it.
//
// Callers write ProgramCommands().closeModel(). Every entry is set before
// the first window opens (SetProgramCommands refuses a table with a hole).
#pragma once

#include <cstdint>
#include <string>

#include "platform/Types.h"

struct BinaryFile;
struct Model;

struct ProgramCommandTable {
  // The main window brought up (the last of the program's windows closed).
  void (*showMainWindow)() = nullptr;
  // File > Exit of every frame: the save question, then the end.
  void (*exitProgram)(HWND window) = nullptr;
  // Asks to save a changed model; false when the user cancelled.
  bool (*modelSaveCheck)(HWND window) = nullptr;
  // A tutorial document of the program folder opened with the shell.
  void (*openTutorialDocument)(HWND window, const char* file) = nullptr;
  // File > New: the new document dialog.
  void (*newDocumentDialog)(HWND parent) = nullptr;
  // File > Open and Open Results.
  void (*openModelDialog)(HWND owner) = nullptr;
  void (*openResultsDialog)(HWND owner) = nullptr;
  // The open model closed (its windows hidden, the model emptied).
  void (*closeModel)() = nullptr;
  // File > Save As; false when nothing was saved.
  bool (*saveModelAs)(HWND owner) = nullptr;
  // The save question of a changed model (IDYES, IDNO or IDCANCEL) and
  // whether there is anything to save.
  int (*querySaveModelChanges)(HWND owner) = nullptr;
  bool (*modelHasUnsavedChanges)() = nullptr;
  // The analysis of the open model; true when it ran to the end.
  bool (*analyzeModel)(HWND owner, bool batch) = nullptr;
  // The results mode: the results of the open model shown, left, asked.
  void (*openResults)(bool batch) = nullptr;
  void (*leaveResultsMode)() = nullptr;
  bool (*inResultsMode)() = nullptr;
  // The open model's file path (empty for an untitled model), for the
  // titles of the windows.
  const std::string& (*openModelPath)() = nullptr;
  // The settings that the floors above keep under the program's version
  // key: the default analysis options (read and written after the
  // preferences) and the printers (last). A program without them (the
  // platform's own tests) leaves these empty.
  void (*readStoredOptions)(HKEY version) = nullptr;
  void (*writeStoredOptions)(HKEY version) = nullptr;
  void (*readStoredPrinters)(HKEY version) = nullptr;
  void (*writeStoredPrinters)(HKEY version) = nullptr;
  // The model in the model-file format (the undo snapshots) and read back
  // from a file into a fresh model (throws the file's message).
  void (*writeModelStream)(BinaryFile& file, const Model& model) = nullptr;
  void (*readModelFileInto)(const std::string& path, Model& model) = nullptr;
  // Why Save would refuse the model, asked of its writer in memory: the
  // first number the file would record out of the rule of a stored value,
  // named by record and field, or a text too long for its field; empty when
  // it saves. The gate of every edit asks it.
  std::string (*modelWriteFault)(const Model& model) = nullptr;
  // Ctrl+F of a table that lists nodes: the find-node prompt over `owner`;
  // the node asked for and its text, false when cancelled.
  bool (*askNodeToFind)(HWND owner, std::int32_t& node, std::string& text) = nullptr;
  // The row the Layout table and the List window make current (clamped to
  // the rows and the spare row).
  void (*setCurrentLayoutRow)(int row) = nullptr;
  // Options > Units over `owner`; true when a unit changed.
  bool (*chooseUnits)(HWND owner) = nullptr;
  // The list dialog over `owner` (the chosen entry, 0 on Cancel) and the
  // List window showing an entry of the list menu.
  int (*openListMenuDialog)(HWND owner) = nullptr;
  void (*showList)(int entry) = nullptr;
  // The Layout window's table and its title.
  HWND (*layoutTableWindow)() = nullptr;
  void (*updateLayoutTitle)() = nullptr;
};

void SetProgramCommands(const ProgramCommandTable& commands);
const ProgramCommandTable& ProgramCommands();
