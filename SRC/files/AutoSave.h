// Automatic save: while the preference is on, a timer on the GUI thread
// writes the open model, when it is modified, every "Save interval" minutes
// to the backup folder (BackupCopy.h: the preference's folder, else the
// program's default folder). It is what protects the user's work against a
// crash: a processor fault ends the process at once (its handler may only
// write a line and exit), so at most one interval of edits is lost.
//
// Files. Each running program writes at most one file, named after the model
// and the program instance:
//     <model name without .mod, or "Untitled">.<pid>-<start>.autosave
// <pid>-<start> is the process id and its start time (/proc), so a process
// id used again after a crash never claims the crashed program's file. The
// name never ends in ".mod", so it can never overwrite a model, not even
// when the backup folder is the model's own. The file is written to a
// temporary name beside it (the same name and ".XXXXXX") and renamed, so it
// is always whole. Layout: 16 bytes "QUORVELAUTOSAVE" and a zero, the model
// path as a counted text (empty for an untitled model), then the model as
// the model file holds it.
//
// A save of the model and a clean exit delete the file; so does the timer
// when the model is no longer modified (closed or replaced without saving).
// After an error that ended the program through its last-chance handler the
// file is kept.
//
// Recovery. At start-up, a file whose program no longer runs is the mark of
// a crash: the newest such file is offered in a question. Yes opens it as
// the model it was, under its original path and marked modified, so nothing
// is written until the user saves, and that save goes where the user
// expects; the original file stays untouched until then. The file then
// becomes this program's automatic save. No deletes it (the question says
// so). The model recovered ends at the check Open ends at (ModelIntake.h):
// a file that cannot be read, or whose model Open would refuse, is left
// alone with the message, and what the reader mended is listed as Open
// lists it. Older files of other ended programs are offered at the next
// starts, one at a time.
//
// Start reading at OnAutoSaveTimer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Types.h"

constexpr const char* kAutoSaveExtension = ".autosave";

// The timer follows the preferences: StartAutomaticSave at start-up and
// RestartAutomaticSave after the preferences changed set it to the interval
// (or stop it when automatic save is off).
void StartAutomaticSave();
void RestartAutomaticSave();
// The timer's work: writes the open model when it is modified and removes
// this program's file when it is not; skipped (and tried again soon) while
// a modal window is open, since a command may be half done. True when a
// file was written.
bool AutomaticSaveNow();

// The file this program writes for the open model now.
std::string AutomaticSavePath();
// This program's instance tag, "<pid>-<start>".
const std::string& AutomaticSaveInstance();
// Deletes the file this program wrote (after a save, at a clean exit).
void RemoveAutomaticSave();
// After an error: the exit keeps the file for the next start.
void KeepAutomaticSaveAtExit();
// The shutdown's step: stops the timer and deletes the file unless kept.
void EndAutomaticSave();

// A file left by a program that no longer runs.
struct LeftAutomaticSave {
  std::string file;
  std::string modelPath;  // empty: the model was untitled
  std::int64_t modified = 0;             // seconds since the epoch
  std::int64_t modifiedNanoseconds = 0;  // the same, finer, for the order
};
// Every readable one in the backup folder and the default folder, newest
// first. Temporary files of programs that ended are deleted on the way.
std::vector<LeftAutomaticSave> FindLeftAutomaticSaves();
// Reads the file as the open model (see the head comment); false, with the
// message shown, when it cannot be read.
bool OpenLeftAutomaticSave(HWND owner, const LeftAutomaticSave& left);
// The start-up question over the newest left file; true when it was opened.
bool OfferAutomaticSaveRecovery(HWND owner);
