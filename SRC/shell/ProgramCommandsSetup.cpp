// The table of the program's commands, filled from the windows and
// commands that carry them.
#include "shell/ProgramCommandsSetup.h"

#include "analysis/AnalysisWindow.h"
#include "files/FileCommands.h"
#include "files/SaveQuestion.h"
#include "model/LayoutWindow.h"
#include "model/NewDocument.h"
#include "results/ResultsMode.h"
#include "shell/MainWindow.h"
#include "shell/ProgramCommands.h"

void InstallProgramCommands() {
  ProgramCommandTable commands;
  commands.showMainWindow = ShowMainWindow;
  commands.exitProgram = ExitProgram;
  commands.modelSaveCheck = ModelSaveCheck;
  commands.openTutorialDocument = OpenTutorialDocument;
  commands.newDocumentDialog = NewDocumentDialog;
  commands.openModelDialog = OpenModelDialog;
  commands.openResultsDialog = OpenResultsDialog;
  commands.closeModel = CloseModel;
  commands.saveModelAs = SaveModelAs;
  commands.querySaveModelChanges = QuerySaveModelChanges;
  commands.modelHasUnsavedChanges = ModelHasUnsavedChanges;
  commands.analyzeModel = AnalyzeModel;
  commands.openResults = OpenResults;
  commands.leaveResultsMode = LeaveResultsMode;
  commands.inResultsMode = InResultsMode;
  commands.layoutTableWindow = LayoutTableWindow;
  commands.updateLayoutTitle = UpdateLayoutTitle;
  SetProgramCommands(commands);
}
