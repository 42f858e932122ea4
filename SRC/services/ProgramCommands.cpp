// The table of the program's commands (see ProgramCommands.h).
#include "services/ProgramCommands.h"

#include "services/Assert.h"

namespace {

ProgramCommandTable& Table() {
  static ProgramCommandTable table;
  return table;
}

}  // namespace

void SetProgramCommands(const ProgramCommandTable& commands) {
  QV_ASSERT(commands.showMainWindow && commands.exitProgram && commands.modelSaveCheck &&
            commands.openTutorialDocument && commands.newDocumentDialog && commands.openModelDialog &&
            commands.openResultsDialog && commands.closeModel && commands.saveModelAs &&
            commands.querySaveModelChanges && commands.modelHasUnsavedChanges && commands.analyzeModel &&
            commands.openResults && commands.leaveResultsMode && commands.inResultsMode &&
            commands.openModelPath && commands.writeModelStream && commands.readModelFileInto &&
            commands.modelWriteFault && commands.askNodeToFind && commands.setCurrentLayoutRow && commands.chooseUnits &&
            commands.openListMenuDialog && commands.showList &&
            commands.layoutTableWindow && commands.updateLayoutTitle);
  Table() = commands;
}

const ProgramCommandTable& ProgramCommands() { return Table(); }
