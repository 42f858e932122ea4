// What every export of the model to a file (batch, PCF, plant design)
// does alike: the save dialog that proposes a name after the model's and
// says "&Export" on its button, writing the text beside the chosen name and
// renaming it over the name once whole (a failed write leaves no partial
// file, and any older file intact), and the list of what was left out.
#pragma once

#include <string>
#include <vector>

#include "platform/CommonDialog.h"
#include "platform/Types.h"

struct ExportFileQuestion {
  const char* title = nullptr;
  const char* filter = nullptr;     // "label\0pattern\0" pairs
  const char* extension = nullptr;  // of the name proposed, without the dot
  LPOFNHOOKPROC hook = nullptr;  // null: ExportDialogHook
};

// The save dialog's hook: "&Export" on the button, then the program's own
// file-dialog hook. A hook of its own hands the messages on to this one.
UINT_PTR ExportDialogHook(HWND hook, UINT message, WPARAM wParam, LPARAM lParam);
// The path chosen (empty when the dialog was cancelled) and the file type
// chosen, counted from 1.
std::string ChooseExportFile(HWND parent, const ExportFileQuestion& question, DWORD* filterIndex = nullptr);

// An export refused for a model that could not be made ("The model cannot
// be exported:" and why), shown over `parent`: false. True when it may go.
bool ModelMayBeExported(HWND parent);

// Writes an export's text (the program's text) to `path` in UTF-8, the
// encoding of every text file the program writes (services/
// TextFileEncoding.h), beside it first, and renames it over `path` once
// whole; the message of a failure ("Unable to open export
// file:\n<path>", "Unable to write export file:\n<path>"), empty when written.
std::string WriteExportFile(const std::string& path, const std::string& text);
// The end of every export command: the failure of the write when there is
// one, else the list of what was left out.
void ShowExportOutcome(HWND parent, const std::string& failure, const std::vector<std::string>& leftOut);

// The list of what an export left out, over `owner`, every line of it in
// the scrolling list of the import log's dialog ("The export gave N
// warnings:"); nothing when the list is empty. Every export shows it.
void ShowExportLeftOut(HWND owner, const std::vector<std::string>& leftOut);
// A warning of `heading` and the first lines of `lines` (how many more
// after them); on the standard error stream all of them.
void ShowItemList(HWND owner, const std::string& heading, const std::vector<std::string>& lines);
