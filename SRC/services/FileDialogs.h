// The program's Open and Save As file dialogs for its own files (libraries,
// text and batch files): one place for the common dialog's record, so that
// every such dialog sizes, proposes and checks alike. A Save As asks before
// it overwrites; an Open wants the file to exist unless the caller reports
// a missing file itself.
#pragma once

#include <string>

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

// The extension of a path (after its last dot, when that dot is in the last
// path part, '/' and '\' both separate), lower-cased.
std::string LowerExtension(const std::string& path);
