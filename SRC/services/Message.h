// The program's message dialogs and field messages.
//
// Messages and questions are shown in the program's own small modal dialogs
// sized to their text: MESSAGE1_DIALOG .. MESSAGE6_DIALOG (with an icon in
// static 1901) and MESSAGE1X_DIALOG .. MESSAGE6X_DIALOG (without), one per
// number of lines, each line in static 1500 + i; SAVE_CHANGES_DIALOG and
// APPROVE_MERGE_DIALOG for the three-button questions. Lines are split at
// line feeds; runs of line feeds count as one, so empty lines disappear. A
// text with more lines than its template holds (6, or 2 for the merge
// question) is cut to that many lines. Each dialog beeps with its icon. A
// dialog that cannot be made (its template missing) or that no one could
// answer (no display) writes its lines to the standard error stream
// instead, so nothing the program says is lost and nothing waits for ever.
//
// Bad input is reported by throwing one form of message text (std::string):
// the field label, " =  ", the field text (the shared edit-field text, the
// text last read from the dialog item or cell), two blanks and the reason;
// or the label followed by " is required". Dialogs and the table cell editor
// catch it, show it with ShowErrorMessage and put the focus back.
#pragma once

#include <string>
#include <vector>

#include "platform/Types.h"

constexpr int MAX_LINES = 6;

enum class MessageIcon { None, Information, Warning, Error, Question };

// OK-only dialogs; an empty text shows nothing.
void ShowInfoMessage(HWND owner, const std::string& text);
void ShowWarningMessage(HWND owner, const std::string& text);
void ShowErrorMessage(HWND owner, const std::string& text);
// The error dialog owned by the foreground window.
void ShowErrorOnForeground(const std::string& text);

// The core of the OK-only dialogs; returns 1 when shown and closed with OK,
// 0 otherwise (nothing shown, or Cancel).
int MessageDialog(HWND owner, const std::string& text, MessageIcon icon);
// The Yes/No question with the question icon; `defaultButton` is IDYES (6)
// or IDNO (7). True for Yes.
bool MessageBoxDialog(HWND owner, const std::string& text, int defaultButton);
// "Do you want to save changes to  <name> ?": 6 Yes, 7 No or 2 Cancel; an
// empty name returns 2 without showing anything.
int AskSaveChanges(HWND owner, const std::string& name);
// "Do you want to change %s\nfrom  \"%s\"  to  \"%s\" ?"; true for Yes.
bool ConfirmChange(HWND owner, const std::string& what, const std::string& from, const std::string& to);
// The merge question: 6, 7 or 2; an empty text returns 2, a text without
// lines 0.
int ApproveMerge(HWND owner, const std::string& text);

// Set when no one can answer a dialog (a run with no display, start-up
// sets it): every message and question then goes to the standard error
// stream, as when its template is missing, and a question counts as
// answered No.
inline bool MessagesToStandardError = false;
// In such a run, whether a message written there also ends the run with
// exit code 1: a run that only waits for the user cannot go on once it has
// something to say. A batch run ends by its own rule instead.
inline bool UnansweredMessageEndsRun = false;
// Whether anyone can answer a dialog: the windows are shown on a display
// (the X11 presenter), or a test scripts the answers.
bool MessagesCanBeAnswered();
// Whether the run has no display (DISPLAY not set) and nobody asked for a
// run without one (QUORVEL_DISPLAY=headless, or a test): nothing it shows
// could be seen.
bool NoDisplayAtAll();
// The layer's message box (caption, MB_ type), or, when no one can answer
// it, its caption and text on the standard error stream as above (IDOK).
int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type);

// True while one of these dialogs is open.
bool MessageDialogOpen();
// Closes the open message dialog as Cancel (a frame closing the popups over
// it does this); then, unless results are shown, the edited cell of the
// tables of the frame that owned it (the Layout table, or the List window's
// two tables) is drawn again.
void CloseCurrentDialogAndRefresh();

// The lines a text shows: split at line feeds, empty lines dropped, at most
// `limit` lines kept.
std::vector<std::string> MessageLines(const std::string& text, int limit = MAX_LINES);

// Field messages: each throws the built text.
std::string FormatFieldError(const std::string& label, const std::string& text, const std::string& reason);
[[noreturn]] void ThrowInvalidField(const std::string& label);
[[noreturn]] void ThrowFieldError(const std::string& label, const std::string& reason);
[[noreturn]] void ThrowNotDefined(const std::string& label);
[[noreturn]] void ThrowRequiredField(const std::string& label);
