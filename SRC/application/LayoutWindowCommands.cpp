// The Layout window's command switch (see LayoutWindow.h).
//
// An editing command takes its undo snapshot before it changes anything and
// discards exactly that snapshot when nothing changed, so Undo never steps
// over an edit that did nothing. An edit that fails part way (the node table
// is full) puts the model back as its snapshot holds it and says why, so a
// refused command leaves the model exactly as it was. Commands that do
// nothing while results are shown check that first. Commands that save,
// close, replace or analyse the model first commit what was typed in the
// Layout table and not entered; a command that changes rows stores the text
// typed in the current cell first, as part of its own action, so that a
// refusal gives that text back to its cell (UndoFiles.h). The commands
// whose dialogs, tables and windows come with later work say so in a
// message and leave the model alone.
#include <cstdio>
#include <iterator>

#include "analysis/AnalysisWindow.h"
#include "application/LayoutWindow.h"
#include "application/LoadCommands.h"
#include "application/MainWindow.h"
#include "codes/PressureDesignWindow.h"
#include "editing/ChangeRows.h"
#include "editing/ConnectivityCheck.h"
#include "editing/DeleteRows.h"
#include "editing/FindReplaceRows.h"
#include "editing/GenerateRows.h"
#include "editing/LayoutEditors.h"
#include "editing/LayoutTable.h"
#include "editing/NewDocument.h"
#include "editing/NodeList.h"
#include "editing/PromptDialogs.h"
#include "editing/RefineRows.h"
#include "editing/RenumberNodes.h"
#include "editing/RevisionRecordDialog.h"
#include "editing/RotateRows.h"
#include "editing/RowDialogs.h"
#include "editing/SplitRows.h"
#include "editing/TypePickers.h"
#include "editing/UndoRedo.h"
#include "editing/UnitsDialog.h"
#include "editing/WeightAndCg.h"
#include "elements/BranchSifList.h"
#include "evaluations/EquipmentLists.h"
#include "files/BatchExport.h"
#include "files/FileCommands.h"
#include "files/MergeModel.h"
#include "files/PcfExport.h"
#include "files/PlantExport.h"
#include "files/SaveQuestion.h"
#include "model/EditSteps.h"
#include "model/FindNodeDialog.h"
#include "editing/LayoutRowEdits.h"
#include "model/ListWindow.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/NodeIncrementDialog.h"
#include "model/RowOperations.h"
#include "platform/Dialog.h"
#include "platform/FileNames.h"
#include "platform/Messages.h"
#include "platform/Window.h"
#include "printing/PrintSheet.h"
#include "properties/BeamLists.h"
#include "properties/PropertyLists.h"
#include "results/QaBlock.h"
#include "services/AboutDialog.h"
#include "services/AppFonts.h"
#include "services/Frame.h"
#include "services/ListFrameState.h"
#include "services/Message.h"
#include "services/ProgramContext.h"
#include "services/RecentModels.h"
#include "services/Settings.h"
#include "services/TableWindowSupport.h"
#include "services/ViewRequests.h"

namespace {

constexpr int kCloseDialogsCommand = 301;

Model& M() { return TheModel(); }
LayoutTable& Table() { return TheLayoutTable(); }
bool InResults() { return TableResultsShown(); }

void ReloadAt(int row) {
  ReloadLayoutTable();
  LayoutTable& table = Table();
  if (table.windowRecord != nullptr && row >= 1) TableGoTo(table, std::min(row, table.rowCount));
}

// "Not in results" commands do nothing while results are shown.
bool EditsBlocked(int id) {
  switch (id) {
    case 104:
    case 105:
    case 128:
    case 279:
    case 126:
    case 337:
    case 40076:
    case 116:
    case 40010:
    case 40012:
    case 40022:
    case 129:
    case 40049:
    case 40067:
    case 40078:
    case 238: return InResults();
    default: return false;
  }
}

bool Analyse(HWND window) {
  if (InResults()) {
    if (ResultsFrame().window != nullptr) SendMessage(ResultsFrame().window, WM_COMMAND, 127, 0);
    return false;
  }
  if (!CommitLayoutTable() || !CommitListWindowEdits()) return false;
  if (M().modified && QuerySaveModelChanges(window) != IDYES) return false;
  return AnalyzeModel(window, false);
}

// Insert and Delete renumber every node when the preference asks for it,
// within the command's own undo step.
void AutoRenumberAfterEdit(HWND window) {
  if (ProgramPreferences().automaticRenumbering != 0) AutoRenumberNodes(window);
}

void InsertRowCommand(HWND window) {
  if (TableEndEdit(Table())) return;
  const int row = Table().currentRow;
  if (!RunEdit(window, [&] {
        if (!InsertLayoutRow(M(), row)) return false;
        AutoRenumberAfterEdit(window);
        return true;
      }, EditMessage::Refuses))
    return;
  ReloadAt(row);
  Table().rowInserted = true;
}

void DeleteRowsCommand(HWND window, bool range) {
  if (TableEndEdit(Table())) return;
  const int row = Table().currentRow;
  bool refused = false;
  const bool changed = RunEdit(window, [&] {
    const int deleted = range ? DeleteRowsDialog(window, row) : DeleteCurrentRow(Table(), window) ? 1 : 0;
    refused = deleted < 0;
    if (deleted != 1) return false;
    AutoRenumberAfterEdit(window);
    return true;
  }, EditMessage::Refuses);
  // The dialog cancelled after it refused the deletion: refused as Delete
  // is, what the command stored first goes back to its cell.
  if (refused) PutBackFailedEdit(TakeUndoSnapshot(window), false);
  if (changed) ReloadAt(row);
}

void PasteCommand(HWND window) {
  if (TableEndEdit(Table())) return;
  const int row = Table().currentRow;
  const int column = Table().currentColumn;
  if (!RunEdit(window, [&] { return PasteRows(M(), row, column); }, EditMessage::Refuses)) {
    GiveBackRefusedPaste();
    return;
  }
  ReloadAt(row);
}

// A range tool opened over the current row: one undo step when it changed
// rows, the Layout table reloaded on the same row.
template <typename Tool>
void RowRangeCommand(HWND window, Tool tool) {
  if (TableEndEdit(Table())) return;
  const int row = Table().currentRow;
  if (RunEdit(window, [&] { return tool(row); }, EditMessage::Refuses)) ReloadAt(row);
}

// The dialog gathers the request; it is applied here, inside the undo step,
// so a refusal puts the model back whole. The template row is emptied
// whatever happened.
void FindReplaceCommand(HWND window) {
  if (TableEndEdit(Table())) return;
  const int row = Table().currentRow;
  const bool modified = M().modified;
  ReplaceRequest request;
  const bool asked = FindReplaceDialog(window, request);
  // The kind dialog the template row opens marks the model, but no file
  // keeps that row: only a request that replaces something marks it.
  M().modified = modified;
  const bool changed =
      asked && RunEdit(window, [&] { return ApplyReplaceRequest(M(), request, window); }, EditMessage::Refuses);
  ClearLayoutRow(M().row(0));
  if (changed) ReloadAt(row);
}

// Split and Multiple Split: the dialog checks, the split runs inside the
// undo step (a result past the row or node limit is refused whole). The
// current row stays on the first new piece.
void SplitCommand(HWND window, bool multiple) {
  if (TableEndEdit(Table())) return;
  const int row = Table().currentRow;
  const bool changed = RunEdit(window, [&] {
    SplitRequest request;
    if (!(multiple ? MultipleSplitDialog(window, row, request) : SplitDialog(window, row, request))) return false;
    if (multiple && request.pieces < 2) return false;
    ApplySplit(M(), request);
    return true;
  }, EditMessage::Refuses);
  if (changed) ReloadAt(row);
}

// Refine Nodal Mesh: the dialog chooses, the refinement (with its questions
// and the renumbering it offers) is one undo step, none when nothing split.
void RefineCommand(HWND window) {
  if (TableEndEdit(Table())) return;
  bool buried = true;
  double frequency = 0.0;
  if (!RefineLayoutDialog(window, buried, frequency)) return;
  const int row = Table().currentRow;
  const bool changed = RunEdit(window, [&] {
    return buried ? RefineBuriedLayout(M(), window) : RefineNodalMesh(M(), frequency, window);
  }, EditMessage::Refuses);
  if (changed) ReloadAt(row);
}

void RefineBranchesCommand(HWND window) {
  if (TableEndEdit(Table())) return;
  const int row = Table().currentRow;
  if (RunEdit(window, [&] { return RefineBranchesForB31J(M(), window); }, EditMessage::Refuses)) ReloadAt(row);
}

void CombineCommand(HWND window) {
  if (TableEndEdit(Table())) return;
  int merged = 0;
  const bool changed = RunEdit(window, [&] {
    merged = CombineWithPreviousRow(M(), Table().currentRow, window);
    return merged != 0;
  }, EditMessage::Refuses);
  if (!changed) return;
  ReloadAt(merged);
  Table().CurrentRowChanged();
}

void GenerateCommand(HWND window) {
  if (TableEndEdit(Table())) return;
  int generated = 0;
  if (RunEdit(window, [&] { return (generated = GenerateRowsDialog(window)) == 1; }, EditMessage::Refuses)) {
    ReloadAt(M().rowCount);
    return;
  }
  // Cancelled after its refusal: refused, as Delete Rows is.
  if (generated < 0) PutBackFailedEdit(TakeUndoSnapshot(window), false);
}

void DeleteRowData(HWND window) {
  if (TableEndEdit(Table())) return;
  const int row = Table().currentRow;
  const bool changed = RunEdit(window, [&] {
    if (M().row(row).dataType == DataType::None) return false;
    ClearDataType(M(), row);
    return true;
  }, EditMessage::Refuses);
  if (changed) TableDrawRow(Table(), row);
  Table().CurrentRowChanged();
}

// Regenerate remakes the model from the rows as they are: when they were
// made already it changes no byte, leaves no undo step and no mark; rows
// that cannot be made keep the node table, the lists and the extents they
// had, and the attempt is no edit.
void RegenerateCommand(HWND window) {
  Model& model = M();
  const NodeTable nodes = model.nodes;
  const RowIndexLists lists = model.lists;
  const GraphicsSettings graphics = model.graphics;
  const bool modified = model.modified;
  const SnapshotToken token = TakeUndoSnapshot(window);
  try {
    RefreshAfterModelEdit(model);
  } catch (const std::string& message) {
    model.nodes = nodes;
    model.lists = lists;
    model.graphics = graphics;
    model.modified = modified;
    DiscardOwnEdit(token);
    ShowErrorMessage(window, message);
    return;
  }
  if (!SettleEdit(window, token)) return;
  Table().CurrentRowChanged();
}

void CopyRowsCommand(HWND window) {
  if (TableEndEdit(Table())) return;
  CopyRowsDialog(window, Table().currentRow);
}

void UndoRedoCommand(HWND window, bool undo) {
  // Undo takes back the text being typed first, never with an older step.
  if (undo && TableUndoTyping(Table())) return;
  if (!(undo ? UndoEdit(window) : RedoEdit(window))) return;
  UpdateLayoutTitle();
}

void GoBack(bool moveCursor) {
  Frame& layout = LayoutFrame();
  if (layout.previous_frame == nullptr || layout.previous_frame->window == nullptr) return;
  FrameGoBack(layout, moveCursor);
}

void SwitchPreviousFrame() {
  Frame& layout = LayoutFrame();
  layout.previous_frame = layout.previous_frame == &ListFrame() ? &ResultsFrame() : &ListFrame();
  GoBack(false);
}

void FindNode(HWND window) {
  if (AskFindNode(window) != 1) return;
  TableWindowFindRow(LayoutTableWindow(), g_LastFoundNode, FoundNodeText());
}

// Every table window takes the new font (AppFonts); the focus comes back here.
void FontCommand(HWND window, int id) {
  if (id == 411)
    ChooseTextFont(window);
  else
    ZoomTextFont(window, id == 40074);
}

bool SaveCommand(HWND window, bool as) {
  if (!CommitLayoutTable() || !CommitListWindowEdits()) return false;
  CheckBranchSifsAgainstCode(window);
  return as ? SaveModelAs(window) : SaveModel(window);
}

void OpenGraphics() {
  Frame& graphics = GraphicsFrame();
  if (graphics.window != nullptr) FrameOpenFrom(graphics, LayoutFrame());
}

}  // namespace


bool ModelSaveCheck(HWND window) {
  if (!CommitLayoutTable() || !CommitListWindowEdits()) return false;
  return !M().modified || QuerySaveModelChanges(window) != IDCANCEL;
}

void ExitProgram(HWND window) {
  if (!ModelSaveCheck(window)) return;
  CloseModel();
  HWND main = MainFrame().window;
  if (main != nullptr && IsWindow(main)) SendMessage(main, WM_CLOSE, 0, 0);
}

void OpenTutorialDocument(HWND window, const char* file) {
  const std::string path = ProgramFolder + file;
  if (platform::FileExists(path) && ShellOpen(path)) return;
  DialogBox(InstanceHandle, "TUTORIAL_DIALOG", window, OkCancelDialogProc);
}

void LayoutCommand(HWND window, int id) {
  if (EditsBlocked(id)) return;
  if (id >= kFirstRecentModelCommand && id < kFirstRecentModelCommand + kRecentModelSlots) {
    if (ModelSaveCheck(window)) OpenRecentModel(window, id);
    return;
  }
  switch (id) {
    case 101: if (ModelSaveCheck(window)) NewDocumentDialog(window); return;
    case 102: if (ModelSaveCheck(window)) OpenModelDialog(window); return;
    case 103:
      if (!ModelSaveCheck(window)) return;
      CloseModel();
      ShowMainWindow();
      return;
    case 104: SaveCommand(window, false); return;
    case 105: SaveCommand(window, true); return;
    case 293: if (ModelSaveCheck(window)) OpenResultsDialog(window); return;
    case 108: Analyse(window); return;
    case 351: if (CommitLayoutTable()) ExportBatchFile(window); return;
    case 40028: if (!InResults()) MergeModelDialog(window); return;
    case 40056: if (CommitLayoutTable()) ExportPcfFile(window); return;
    case 40026: if (CommitLayoutTable()) ExportPlantDesign(window); return;
    case 106: ShowPrintSheet(window); return;
    case 110: SendMessage(window, WM_CLOSE, 0, 0); return;
    case kCloseDialogsCommand: FrameCancelPopups(LayoutFrame()); return;
    case 40036: CopyRowsCommand(window); return;
    case 40027:
      if (!InResults()) EditRowOffsets(Table());
      return;
    case 385:
      if (!InResults()) EditRowSlope(Table());
      return;
    case 201: EditRowElementType(Table()); return;
    case 202: EditRowDataType(Table()); return;
    case 280: SelectMaterialDialog(Table()); return;
    case 281: SelectSectionDialog(Table()); return;
    case 282: SelectLoadDialog(Table()); return;
    case 283: EditRowMaterial(Table()); return;
    case 284: EditRowSection(Table()); return;
    case 285: EditRowLoad(Table()); return;
    case 337: CheckBends(window); return;
    case 40076: CheckBranchSifs(window); return;
    case 363: CopyCurrentRow(Table().currentRow); return;
    case 364: PasteCommand(window); return;
    case 128: InsertRowCommand(window); return;
    case 279: DeleteRowsCommand(window, true); return;
    case 117: GenerateCommand(window); return;
    case 126: DeleteRowsCommand(window, false); return;
    case 116: RowRangeCommand(window, [&](int row) { return ChangeRowsDialog(window, row) == 1; }); return;
    case 40011: CheckConnections(window); return;
    case 378: WeightAndCgDialog(window); return;
    case 129: SplitCommand(window, false); return;
    case 40067: RefineCommand(window); return;
    case 40078: RefineBranchesCommand(window); return;
    case 40049: SplitCommand(window, true); return;
    case 40022: FindReplaceCommand(window); return;
    case 40012: RowRangeCommand(window, [&](int row) { return RotateRowsDialog(window, row) == 1; }); return;
    case 40010: RowRangeCommand(window, [&](int row) { return RenumberNodesFromLayout(window, row) == 1; }); return;
    case 40061: RunEdit(window, [&] { return RevisionRecordDialog(window) == 1; }, EditMessage::Refuses); return;
    case 40048: CombineCommand(window); return;
    case 118: RegenerateCommand(window); return;
    case 384: TableCommitCell(Table(), true); return;
    case 40050: UndoRedoCommand(window, true); return;
    case 40051: UndoRedoCommand(window, false); return;
    case 253:
    case 254: OpenGraphics(); return;
    case 131:
    case 267:
      if (GraphicsFrame().window != nullptr) PostMessage(GraphicsFrame().window, WM_COMMAND, static_cast<WPARAM>(id), 0);
      return;
    case 121: ViewpointDialog(window); return;
    case 316: RunEdit(window, [&] { return QaBlockDialog(window) == 1; }, EditMessage::Refuses); return;
    case 255: GoBack(false); return;
    case 256: GoBack(true); return;
    case 257: if (InResults()) SwitchPreviousFrame(); return;
    case 336: FindNode(window); return;
    case 182: PickRowElementType(Table()); return;
    case 183: PickRowDataType(Table()); return;
    case 302: ShowList(OpenListMenuDialog(window)); return;
    case 187: ShowListByOpener(OpenNodeList); return;
    case 188:
    case 189:
    case 190:
    case 307:
    case 308:
    case 309:
    case 354:
      // On a Beam row the three property lists are the beam tables.
      if (!BeamLayoutListCommand(id) && !LayoutPropertyListCommand(id)) LoadsLayoutCommand(window, id);
      return;
    case 40054: AskFindText(window, LayoutTableWindow()); return;
    case 40055: RepeatFindText(LayoutTableWindow()); return;
    case 411:
    case 40074:
    case 40075: FontCommand(window, id); return;
    case 431: ChooseUnits(window); return;
    case 40057:
      if (CommitLayoutTable()) InternalPressureDesignCommand(window);
      return;
    case 40058:
      if (CommitLayoutTable()) ExternalPressureDesignCommand(window);
      return;
    case 238: DeleteRowData(window); return;
    case 236: ShowRowKindList(Table(), false); return;
    case 237: ShowRowKindList(Table(), true); return;
    case 379:
      RunEdit(window, [&] { return EditNodeIncrement(window); }, EditMessage::Refuses);
      TableRedrawEditCell(Table());
      return;
    case 900: ShowInfoMessage(window, "There is no help viewer on this system."); return;
    case 903: DialogBox(InstanceHandle, "ABOUT_DIALOG", window, AboutDialogProc); return;
    case 40062: OpenTutorialDocument(window, "basic_pipe_stress_analysis.pdf"); return;
    case 40065: OpenTutorialDocument(window, "Tutorial_1.pdf"); return;
    case 40066: OpenTutorialDocument(window, "Tutorial_2.pdf"); return;
    default:
      if (!LoadsLayoutCommand(window, id)) EquipmentListCommand(window, id);
      return;
  }
}
