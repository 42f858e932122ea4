// Results mode: the state in which the program shows the results of the
// open model. The results file is open (read on demand by the result
// tables), the Results window shows one result table at a time, and the
// model is read-only: edit dialogs close without storing, the Layout and
// List windows' Edit menus and the Save buttons are off.
//
// OpenResults is the one entry every road takes: the Layout window's Open
// Results, a results file opened by its extension, the Analyze command once
// its run ended, and a batch run (which prepares the results without showing
// a window). It opens the file beside the model through the checked reader,
// runs the post-read steps in their fixed order, shows the Results window
// and posts the result chooser. Whatever the reader or a step refuses is
// shown and leaves the model as it was, editable, with its windows shown:
// a refused results file never closes the model it was opened for.
//
// LeaveResultsMode ("&Input", closing the model) closes the file, frees
// every array built from the results and gives the model back to editing.
#pragma once

#include <string>


struct Model;

// Opens the results of the open model; every error is shown, never thrown.
// `batch`: prepared without showing a window.
void OpenResults(bool batch = false);
// A post-read step that says itself what it refuses (the code stresses of
// a model whose checks come later, a branch connection's geometry): its
// message is shown as thrown, not as a damaged results file.
struct ResultsStepMessage {
  std::string text;
};
// The post-read steps on the open results file (throws the message of a
// refusal, a string or a ResultsStepMessage); OpenResults calls it.
void PrepareResultsAfterRead(Model& model);
// Back to editing; nothing when results are not shown.
void LeaveResultsMode();
bool InResultsMode();
bool ResultsBatchMode();
// The layout row named by the last input error of a post-read step, 0 when
// none.
extern int g_FaultRow;

void EnterResultsMenus();
void LeaveResultsMenus();
