// Merging a model file into the open one (see MergeModel.h).
#include "files/MergeModel.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "editing/LayoutTable.h"
#include "editing/ModelWindows.h"
#include "editing/RenumberNodes.h"
#include "editing/UndoRedo.h"
#include "files/ExportFiles.h"
#include "files/ImportLog.h"
#include "files/ModelFile.h"
#include "files/ModelIntake.h"
#include "loads/ForceSpectrumLoad.h"
#include "loads/PipeLoadUse.h"
#include "loads/TimeVaryingLoad.h"
#include "model/MergeRows.h"
#include "model/Model.h"
#include "model/UndoFiles.h"
#include "platform/CommonDialog.h"
#include "platform/FileNames.h"
#include "properties/PropertyEdits.h"
#include "records/ForceSpectrum.h"
#include "records/PipeLoad.h"
#include "records/TimeFunction.h"
#include "services/DialogHook.h"
#include "services/FileDialogs.h"
#include "services/Message.h"
#include "services/ProgramContext.h"
#include "services/Settings.h"

namespace {

constexpr char kOldMagic[] = "QUORVEL.MOD";

// The first bytes of an old-format file, which cannot be merged.
bool HasOldHeader(const std::string& path) {
  std::ifstream input(platform::FileSystemPath(path), std::ios::binary);
  char header[sizeof kOldMagic] = {};
  if (!input.read(header, sizeof header)) return false;
  return std::memcmp(header, kOldMagic, sizeof kOldMagic) == 0;
}

// The merged rows in the form the table merges take: slot 0 unused, the
// rows, and one spare slot after them.
std::vector<LayoutRow> TakeRows(Model& merged) {
  std::vector<LayoutRow> rows(static_cast<std::size_t>(merged.rowCount) + 2);
  for (int number = 1; number <= merged.rowCount; ++number)
    rows[static_cast<std::size_t>(number)] = std::move(merged.row(number));
  return rows;
}

template <typename Record, typename Append>
void AppendAll(ModelRecordTable<Record>& target, ModelRecordTable<Record>& merged, Append append) {
  for (int index = 1; index <= merged.count; ++index) append(target, merged[index]);
}

// The notes of the read that name a merged row ("Layout row 3: a Location
// ...: its DX, DY, DZ were set to zero", as Open notes it), numbered as the
// row is appended from `firstMergedRow` on; the others name what a merge
// does not take (load cases, spectra, wind).
std::vector<std::string> MergedRowNotes(const std::vector<std::string>& notes, int firstMergedRow) {
  static const std::string kHead = "Layout row ";
  std::vector<std::string> kept;
  for (const std::string& note : notes) {
    if (note.rfind(kHead, 0) != 0) continue;
    const std::size_t digits = note.find(':', kHead.size());
    if (digits == std::string::npos) continue;
    const int row = std::atoi(note.substr(kHead.size(), digits - kHead.size()).c_str());
    kept.push_back(kHead + std::to_string(firstMergedRow + row - 1) + note.substr(digits));
  }
  return kept;
}

UINT_PTR MergeDialogHook(HWND hook, UINT message, WPARAM wParam, LPARAM lParam) {
  return FileDialogHookProc(hook, message, wParam, lParam);
}

}  // namespace

void AppendMergedModel(Model& model, Model& merged) {
  std::vector<LayoutRow> rows = TakeRows(merged);
  const int count = merged.rowCount;
  MergeMaterials(model, merged.materials, rows, count);
  MergeSoils(model, merged.soils, merged.sections);
  MergeSections(model, merged.sections, rows, count);
  MergePipeLoads(model, merged.pipeLoads, rows, count);
  MergeBeamMaterials(model, merged.beamMaterials, rows, count);
  MergeBeamLoads(model, merged.beamLoads, rows, count);
  MergeBeamSections(model, merged.beamSections, rows, count);
  AppendAll(model.allowables, merged.allowables, AppendAllowable);
  AppendMergedRows(model, rows, count);
  AppendAll(model.pumps, merged.pumps, AppendPump);
  AppendAll(model.compressors, merged.compressors, AppendRotatingEquipment);
  AppendAll(model.turbines, merged.turbines, AppendRotatingEquipment);
}

std::vector<std::string> MissingMergedReferences(const Model& model, int firstMergedRow) {
  std::vector<std::string> lines;
  for (int number = std::max(firstMergedRow, 1); number <= model.rowCount; ++number) {
    const LayoutRow& row = model.row(number);
    if (const auto* load = dynamic_cast<const TimeVaryingLoad*>(row.item.get()))
      if (!load->TimeFunctionName.empty() && FindTimeFunction(model.timeFunctions, load->TimeFunctionName) < 0)
        lines.push_back("Row " + std::to_string(number) + ": time function " + load->TimeFunctionName +
                        " is not in the model");
    if (const auto* load = dynamic_cast<const ForceSpectrumLoad*>(row.item.get()))
      if (!load->SpectrumName.empty() && FindForceSpectrum(model.forceSpectra, load->SpectrumName) < 0)
        lines.push_back("Row " + std::to_string(number) + ": force spectrum " + load->SpectrumName +
                        " is not in the model");
  }
  return lines;
}

bool MergeModelFile(HWND parent, const std::string& path) {
  Model& model = TheModel();
  if (HasOldHeader(path)) {
    ShowErrorMessage(parent, "Version 4.xx model cannot be merged");
    return false;
  }
  Model merged;
  std::vector<std::string> notes;
  std::string fault;
  if (const std::string failure = CatchModelRead(path, [&] { ReadModelFileInto(path, merged, &notes, fault); });
      !failure.empty()) {
    ShowErrorMessage(parent, failure);
    return false;
  }
  // A number of the file out of range is refused as Open refuses it, by
  // the merged file's rows, before anything is asked.
  if (!fault.empty()) {
    ShowErrorMessage(parent, "Model file: " + path + "\n" + ModelIntakeRefusal(merged, IntakeRoad::kMerge, fault));
    return false;
  }
  if ((merged.options.ZVertical != 0) != (model.options.ZVertical != 0)) {
    ShowErrorMessage(parent, "Vertical axis differs from original model");
    return false;
  }
  if (MergedNodeIdsClash(model, merged.nodes)) {
    const int answer = ApproveMerge(parent,
                                    "New elements' node numbers are clashing with old elements' node numbers.\n"
                                    "Do you want to Renumber Nodes to be merged?");
    if (answer != IDYES && answer != IDNO) return false;
    if (answer == IDYES && RenumberMergedNodes(parent, merged) != 1) return false;
  }
  const int sum = model.rowCount + merged.rowCount;
  if (sum > kMaxLayoutRows) {
    ShowErrorMessage(parent, "*** Number of rows after merging model will be equal to " + std::to_string(sum) +
                                 ", which is > than maximum = " + std::to_string(kMaxLayoutRows) + " ***");
    return false;
  }
  if (!CommitLayoutTable()) return false;
  const bool modified = model.modified;
  const SnapshotToken token = TakeUndoSnapshot(parent);
  const int first = model.rowCount + 1;
  try {
    AppendMergedModel(model, merged);
  } catch (const std::string& message) {
    // Nothing of the merge stays: the model is read back from the snapshot
    // taken before it began.
    RestoreUndoSnapshot(token, modified);
    PopTempFile(token);
    ReloadLayoutTable();
    ShowErrorMessage(parent, message);
    return false;
  }
  model.modified = true;
  if (!SettleLayoutEdit(parent, token)) return false;
  // The merged model is one Save takes and that reads back as it is;
  // otherwise nothing of the merge stays.
  if (const std::string refusal = ModelIntakeRefusal(model, IntakeRoad::kMerge); !refusal.empty()) {
    RestoreUndoSnapshot(token, modified);
    PopTempFile(token);
    ReloadLayoutTable();
    ShowErrorMessage(parent, refusal);
    return false;
  }
  ReloadLayoutTable();
  PointerToLayoutCentre();
  model.currentRow = std::min(first, std::max(model.rowCount, 1));
  ShowImportLog(parent, MergedRowNotes(notes, first), "merge");
  const std::vector<std::string> missing = MissingMergedReferences(model, first);
  ShowItemList(parent,
               "The merged rows name " + std::to_string(missing.size()) +
                   (missing.size() == 1 ? " item" : " items") + " the model does not have:",
               missing);
  return true;
}

void MergeModelDialog(HWND parent) {
  const std::string& path = TheModel().path;
  const std::size_t separator = path.find_last_of("/\\");
  std::vector<char> buffer = FileNameBuffer(separator == std::string::npos ? path : path.substr(separator + 1));
  OPENFILENAME record{};
  record.lStructSize = sizeof record;
  record.hwndOwner = parent;
  record.hInstance = InstanceHandle;
  record.lpstrFilter = "Model files (*.mod)\0*.mod\0";
  record.nFilterIndex = 1;
  record.lpstrFile = buffer.data();
  record.nMaxFile = static_cast<DWORD>(buffer.size());
  const std::string& folder = ModelDialogFolder().folder;
  record.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  record.lpstrTitle = "Merge Model";
  record.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                 OFN_ENABLEHOOK;
  record.lpfnHook = MergeDialogHook;
  if (!RunFileDialog(record, false)) return;
  MergeModelFile(parent, buffer.data());
}
