// The program's Open and Save As file dialogs for its own files (libraries,
// text and batch files): one place for the common dialog's record, so that
// every such dialog sizes, proposes and checks alike. A Save As asks before
// it overwrites; an Open wants the file to exist unless the caller reports
// a missing file itself.
//
// Every file dialog of the program, these and those that fill their own
// record, takes its buffer from FileNameBuffer and runs through
// RunFileDialog: the buffer holds any path the file system can open (a name
// of characters the program's text cannot hold takes three bytes for each
// of its own) and the proposed name whole, and a dialog that could not hand
// its path over says so rather than end as if cancelled.
#pragma once

#include <string>
#include <vector>

#include "platform/CommonDialog.h"

struct FilePathQuestion {
  const char* title = nullptr;
  const char* filter = nullptr;            // "label\0pattern\0" pairs
  const char* defaultExtension = nullptr;  // without the dot
  std::string name;                        // the name proposed
  std::string folder;                      // where the dialog opens; empty: the current folder
  bool save = false;
  bool mustExist = true;  // Open only
  LPOFNHOOKPROC hook = nullptr;
};

// The path chosen; empty when the dialog was cancelled.
std::string AskFilePath(HWND owner, const FilePathQuestion& question);

// A file dialog's buffer (lpstrFile) holding `proposed`, never cut.
std::vector<char> FileNameBuffer(const std::string& proposed = {});
// GetSaveFileName or GetOpenFileName: true with the chosen path in the
// record's buffer; false when cancelled, and, after a message to the
// record's owner, when the dialog could not give a path.
bool RunFileDialog(OPENFILENAME& record, bool save);
// The name typed in the file dialog (CDM_GETSPEC), whole.
std::string FileDialogSpec(HWND dialog);

// The extension of a path (after its last dot, when that dot is in the last
// path part, '/' and '\' both separate), lower-cased.
std::string LowerExtension(const std::string& path);
