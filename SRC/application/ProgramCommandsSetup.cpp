// The table of the program's commands, filled from the windows and
// commands that carry them.
#include "application/ProgramCommandsSetup.h"

#include "analysis/AnalysisWindow.h"
#include "application/LayoutWindow.h"
#include "application/MainWindow.h"
#include "editing/DeleteRows.h"
#include "editing/LayoutEditors.h"
#include "editing/LayoutTable.h"
#include "editing/NewDocument.h"
#include "editing/UndoRedo.h"
#include "editing/UnitsDialog.h"
#include "elements/FlangeList.h"
#include "elements/KindDetailsText.h"
#include "elements/RowObjectFactory.h"
#include "evaluations/FlangeReport.h"
#include "files/FileCommands.h"
#include "files/ModelFile.h"
#include "files/ModelIntake.h"
#include "files/SaveQuestion.h"
#include "graphics/GraphicsPrinter.h"
#include "model/EditSteps.h"
#include "model/FindNodeDialog.h"
#include "model/ListWindow.h"
#include "model/Model.h"
#include "model/ModelRules.h"
#include "model/UndoFiles.h"
#include "printing/PrinterReport.h"
#include "printing/PrinterSettings.h"
#include "printing/RowDetails.h"
#include "properties/JacketClearance.h"
#include "records/AnalysisOptions.h"
#include "results/PrintSelection.h"
#include "results/ResultsMode.h"
#include "services/Message.h"
#include "services/ProgramCommands.h"
#include "services/TableWindowSupport.h"
#include "services/Units.h"

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
  commands.openModelPath = []() -> const std::string& { return TheModel().path; };
  commands.readStoredOptions = [](HKEY version) {
    ReadAnalysisOptions(version, ProgramAnalysisOptions(), g_UnitsSettings, ProgramOptionsGraphicsSettings());
  };
  commands.writeStoredOptions = [](HKEY version) {
    WriteAnalysisOptions(version, ProgramAnalysisOptions(), g_UnitsSettings, ProgramOptionsGraphicsSettings());
  };
  commands.readStoredPrinters = LoadPrinterSettings;
  commands.writeStoredPrinters = SavePrinterSettings;
  commands.writeModelStream = WriteModelStream;
  // Undo reads its snapshots with the model reader: whatever the reader
  // throws reaches it as the message the other roads show. A snapshot
  // comes back as it was written, whatever numbers the model held.
  commands.readModelFileInto = [](const std::string& path, Model& model) {
    std::string heldValueFault;
    const std::string failure =
        CatchModelRead(path, [&] { ReadModelFileInto(path, model, nullptr, heldValueFault); });
    if (!failure.empty()) throw failure;
  };
  commands.modelWriteFault = ModelWriteFault;
  SetEditRefusalDoor(ShowModelAfterRefusedEdit);
  InstallUserActionEdits();
  commands.askNodeToFind = [](HWND owner, std::int32_t& node, std::string& text) {
    if (AskFindNode(owner) != 1) return false;
    node = g_LastFoundNode;
    text = FoundNodeText();
    return true;
  };
  commands.setCurrentLayoutRow = [](int row) { SetCurrentLayoutRow(row); };
  commands.chooseUnits = ChooseUnits;
  commands.openListMenuDialog = OpenListMenuDialog;
  commands.showList = ShowList;
  commands.layoutTableWindow = LayoutTableWindow;
  commands.updateLayoutTitle = UpdateLayoutTitle;
  SetProgramCommands(commands);
  // The rules of the whole model that live with the deletion checks and
  // the sections, asked where every edit is settled.
  ModelRuleDoors doors;
  doors.unmadeNodeReferences = UnmadeNodeReferences;
  doors.rowRefusal = JacketRowClearanceRule;
  SetModelRuleDoors(doors);
  SetRowKinds(TheRowKinds());
  SetFlangeRowFollower(FlangeReportFollowRow);
  SetRowDetailsWriter(PutKindDetailsText);
  ModelReportHooks report;
  report.showSheet = [](HWND owner) {
    if (TableResultsShown()) PrintResultsSheet(owner);
    else ShowModelPrintSheet(owner);
  };
  report.preparePages = PrepareModelReportPages;
  report.write = PrintLayoutReport;
  SetModelReportHooks(report);
  SetGraphicsPageRecorder(RecordGraphicsPage);
}
