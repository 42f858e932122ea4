// The branch SIFs list, its printed section and the check against the
// code; see BranchSifList.h.
#include "elements/BranchSifList.h"

#include <utility>

#include "elements/BranchSif.h"
#include "model/EditSteps.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "model/UndoFiles.h"
#include "platform/Dialog.h"
#include "platform/Window.h"
#include "printing/ReportOutput.h"
#include "printing/RowDetails.h"
#include "services/Message.h"
#include "services/NameTables.h"
#include "services/ProgramCommands.h"
#include "services/ReportMode.h"

namespace {

constexpr int kColumns = 2;
constexpr int kTextColumn = 13;

const BranchSif& BranchSifOfRow(int row) { return static_cast<const BranchSif&>(*TheModel().row(row).item); }

std::string TextOf(int row) {
  const AnalysisOptions& options = TheModel().options;
  return BranchSifText(BranchSifOfRow(row), options.PipingCode, options.UseB31J != 0);
}

BranchSifsList& TheBranchSifsList() {
  static BranchSifsList list;
  return list;
}

}  // namespace

BranchSifsList::BranchSifsList()
    : KindListTable(DataType::BranchSif, RowListKind::BranchSifs, "Branch SIFs", "Branch SIF", kColumns, 1) {}

std::string BranchSifsList::HeadingText(int column, int line) {
  if (line != 0) return {};
  return column == 1 ? "Node" : column == 2 ? "Type" : "";
}

void BranchSifsList::EnterRow(bool /*control*/) { EditCurrentItem(); }

void BranchSifsList::WriteText() { PrintBranchSifs(); }

TableWindow& BranchSifsListTable() { return TheBranchSifsList(); }

bool BranchSifsListOffered(const Model& model) { return model.lists[RowListKind::BranchSifs].count > 0; }

void OpenBranchSifsList() { TheBranchSifsList().Open(OpenBranchSifsList, nullptr); }

void BranchSifDetailsText(int row) {
  if (g_ReportToFile)
    ReportPutCell(TextOf(row));
  else
    ReportPutText(TextOf(row), kTextColumn);
}

void PrintBranchSifs() {
  KindListPrintTable table(TheBranchSifsList());
  DetailsRequest request = InitDetailsRequest(kDetailsDataRows, static_cast<int>(DataType::BranchSif),
                                              TheBranchSifsList().title, {{"Node", 1, 6}, {"Type", 1, kTextColumn}},
                                              0, {}, {}, 1);
  request.putText = BranchSifDetailsText;
  request.csvHeadings = {"Node, Type"};
  PrintKindDetailsSection(TheBranchSifsList(), table, std::move(request));
}

std::string DescribeBranchSif(int row) {
  std::string line(kTextColumn - 1, ' ');
  const std::string node = NodeNumberText(TheModel().row(row).node);
  line.replace(5, node.size(), node);
  return line + TextOf(row);
}

bool CheckBranchSifsAgainstCode(HWND parent) {
  Model& model = TheModel();
  const std::int32_t code = model.options.PipingCode;
  const bool b31j = model.options.UseB31J != 0;
  const std::int32_t replacement = BranchSifTypeForCode(code);
  const SnapshotToken token = TakeUndoSnapshot(parent);
  bool replaced = false;
  for (int row = 1; row <= model.rowCount; ++row) {
    LayoutRow& target = model.row(row);
    if (target.dataType != DataType::BranchSif || target.item == nullptr) continue;
    auto& item = static_cast<BranchSif&>(*target.item);
    if (!IsBranchSifTypeInvalidForCode(item.type, code, b31j)) continue;
    ProgramCommands().setCurrentLayoutRow(row);
    const std::string question = BranchSifNotValidText(item.type, code, target.node) +
                                 ".\nDo you want to replace with '" + BranchTypeName(replacement) + "'?\n";
    if (!MessageBoxDialog(parent, question, IDYES)) continue;
    item.type = replacement;
    model.modified = true;
    replaced = true;
  }
  if (!replaced) {
    PopTempFile(token);
    return false;
  }
  if (!SettleEdit(parent, token)) return false;
  if (HWND layout = ProgramCommands().layoutTableWindow(); layout != nullptr) SetFocus(layout);
  return true;
}
