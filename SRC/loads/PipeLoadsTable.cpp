// The "Loads" list (see PipeLoadsTable.h). Row r shows pipe-load record r;
// the row after the last is the spare record. Every change is bracketed by
// an undo snapshot that is discarded when nothing changed.
#include "loads/PipeLoadsTable.h"

#include <algorithm>
#include <cctype>

#include "loads/ListEdits.h"
#include "loads/PipeLoadDialog.h"
#include "loads/PipeLoadUse.h"
#include "model/ContextMenus.h"
#include "model/EditSteps.h"
#include "model/ListWindow.h"
#include "model/Model.h"
#include "model/UndoFiles.h"
#include "platform/Gdi.h"
#include "platform/Menu.h"
#include "platform/Paint.h"
#include "records/PipeLoad.h"
#include "services/Frame.h"
#include "services/General.h"
#include "services/ListFrameState.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramCommands.h"
#include "services/TableWindowSupport.h"
#include "services/Units.h"
#include "services/ViewRequests.h"

namespace {

constexpr int kNameColumn = 1;
constexpr int kDesignTemperatureColumn = 22;
constexpr int kDesignPressureColumn = 23;
constexpr int kSpecificGravityColumn = 24;
constexpr int kCopyCommand = 363;
constexpr int kPasteCommand = 364;

Model& M() { return TheModel(); }
int ThermalCount() { return M().options.ThermalLoadCount; }

// The values remembered by Copy: a copy, never a line number, since Insert
// and Delete move the records before the paste.
struct CopiedLoad {
  bool held = false;
  PipeLoad values;
};
CopiedLoad& Copied() {
  static CopiedLoad copied;
  return copied;
}

bool Shown(const PipeLoadsTable& table) {
  return table.Window() != nullptr && IsWindowVisible(table.Window()) && TableOfWindow(table.Window()) == &table;
}

// A pair column in use (columns 2 .. 21).
bool PairColumnInUse(int column) { return (column - 2) / 2 < PipeLoadPairsInUse(ThermalCount()); }

void TitleAndRows(PipeLoadsTable& table) { TableSetRowsTitled(table, "Loads", M().pipeLoads.count); }

// The record grows by four when full, as the list adds records.
void MakeRoomForOneMore(ModelRecordTable<PipeLoad>& table) {
  if (table.count >= table.capacity) ModelRecordTableGrow(table, table.capacity + 4);
}


// "L" and the smallest number no pipe or beam load is named by.
std::string FreeLoadName() {
  for (int n = 1;; ++n) {
    const std::string name = "L" + std::to_string(n);
    if (FindPipeLoadByName(M().pipeLoads, name) == 0 && FindRecordByName(M().beamLoads, name) == 0) return name;
  }
}

bool StoreName(PipeLoadsTable& table, PipeLoad& record) {
  const std::string name = g_EditFieldText;
  if (name.empty()) return false;
  if (!IsNameText(name)) ThrowFieldError("Name", "should be alpha numeric");
  if (FindRecordByName(M().beamLoads, name) != 0) ThrowFieldError("Load", "is already defined as a beam load");
  const int other = FindPipeLoadByName(M().pipeLoads, name);
  if (other != 0 && other != table.currentRow) ThrowFieldError("Load", "is already defined");
  if (name == record.name) return false;
  if (other == 0 && !record.name.empty() && FindPipeLoadByName(M().pipeLoads, record.name) != 0) {
    if (!ConfirmChange(table.frame, "Load name", record.name, name)) return false;
    RenamePipeLoad(M(), table.currentRow, name);
    if (HWND layout = ProgramCommands().layoutTableWindow(); layout != nullptr) InvalidateRect(layout, nullptr, FALSE);
    return true;
  }
  // A load typed on the spare row starts with wind on, as a new record does.
  if (record.name.empty() && table.currentRow > M().pipeLoads.count) record.wind = 1;
  record.name = name;
  return true;
}

bool StoreValue(float& field, float value) {
  if (field == value) return false;
  field = value;
  return true;
}

// A temperature cell's value by the rule of its field `which` in `record`.
float ParseCellTemperature(const PipeLoad& record, PipeLoadRuled which) {
  float value = 0.0f;
  if (ParseFieldTemperature(value) != 0) ThrowInvalidField("Temperature");
  CheckFieldRule(kPipeLoadRules[which], value, record);
  return value;
}

float ParseCellPressure() {
  float value = 0.0f;
  if (ParseFieldPressure(value) != 0) ThrowInvalidField("Pressure");
  return value;
}

bool StoreNumber(int column, PipeLoad& record) {
  const int count = ThermalCount();
  if (column >= 2 && column <= 21) {
    const int pair = (column - 2) / 2;
    TemperaturePressure& tp = record.operating[static_cast<std::size_t>(pair)];
    return column % 2 == 0 ? StoreValue(tp.temperature, ParseCellTemperature(record, PipeLoadRuled(kPipeLoadT1Rule + pair)))
                           : StoreValue(tp.pressure, ParseCellPressure());
  }
  if (column == kDesignTemperatureColumn) {
    const float value = ParseCellTemperature(record, kPipeLoadDesignTemperatureRule);
    if (value != 0.0f && value < PipeLoadMaxTemp(record, count)) throw std::string(kDesignTemperatureMessage);
    return StoreValue(record.designTemperature, value);
  }
  if (column == kDesignPressureColumn) {
    const float value = ParseCellPressure();
    if (value != 0.0f && value < PipeLoadMaxPressure(record, count)) throw std::string(kDesignPressureMessage);
    return StoreValue(record.designPressure, value);
  }
  if (column == kSpecificGravityColumn) {
    float value = 0.0f;
    if (ParseFieldReal(value) != 0) ThrowInvalidField("Specific gravity");
    CheckFieldRule(kPipeLoadRules[kPipeLoadSpecificGravityRule], value, record);
    return StoreValue(record.specificGravity, value);
  }
  return false;
}

// The design values against the operating ones; a design value of exactly
// 0 is not given yet (Enter fills it) and passes.
void CheckDesignValues(const PipeLoad& record) {
  const int count = ThermalCount();
  if (record.designPressure != 0.0f && !DesignPressureCoversOperating(record, count))
    ThrowCellError(kDesignPressureMessage, kDesignPressureColumn);
  if (record.designTemperature != 0.0f && !DesignTemperatureCoversOperating(record, count))
    ThrowCellError(kDesignTemperatureMessage, kDesignTemperatureColumn);
}

// Enter's defaults: the not-given values of the pairs in use and the
// design values from the largest operating ones.
void FillNotGiven(PipeLoad& record) {
  const int count = ThermalCount();
  for (int pair = 0; pair < PipeLoadPairsInUse(count); ++pair) {
    TemperaturePressure& tp = record.operating[static_cast<std::size_t>(pair)];
    if (tp.temperature == 0.0f) tp.temperature = M().options.ReferenceTemperature;
    if (tp.pressure == 0.0f) tp.pressure = kExplicitZero;
  }
  if (record.designTemperature == 0.0f) record.designTemperature = PipeLoadMaxTemp(record, count);
  if (record.designPressure == 0.0f) record.designPressure = PipeLoadMaxPressure(record, count);
}

bool SameNumbers(const PipeLoad& a, const PipeLoad& b) {
  for (std::size_t pair = 0; pair < a.operating.size(); ++pair)
    if (a.operating[pair].temperature != b.operating[pair].temperature ||
        a.operating[pair].pressure != b.operating[pair].pressure)
      return false;
  return a.designTemperature == b.designTemperature && a.designPressure == b.designPressure;
}

void SetListMenuItem(HMENU menu, int command, bool enabled) {
  if (menu != nullptr) EnableMenuItem(menu, static_cast<UINT>(command), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

}  // namespace

PipeLoadsTable& ThePipeLoadsTable() {
  static PipeLoadsTable table;
  return table;
}

void PipeLoadColumnWidths(const Model& model, const std::function<int(const std::string&)>& measure,
                          std::vector<int>& widths) {
  const int count = model.options.ThermalLoadCount;
  for (int column = 1; column <= kPipeLoadColumns && column < static_cast<int>(widths.size()); ++column) {
    int width = std::max(measure(PipeLoadHeadingText(column, 0)), measure(PipeLoadHeadingText(column, 1)));
    for (int index = 1; index <= model.pipeLoads.count; ++index)
      width = std::max(width, measure(PipeLoadCellText(model.pipeLoads[index], column, count)));
    widths[static_cast<std::size_t>(column)] = width;
  }
  if (widths.size() <= 21) return;
  const int shared = *std::max_element(widths.begin() + 2, widths.begin() + 22);
  for (int column = 2; column <= 21; ++column)
    widths[static_cast<std::size_t>(column)] = (column - 2) / 2 < PipeLoadPairsInUse(count) ? shared : 0;
}

void PipeLoadsTable::DefineColumns() {
  HDC dc = Dc();
  PipeLoadColumnWidths(M(), [dc](const std::string& text) { return CellTextWidth(dc, text); }, widths);
}

std::string PipeLoadsTable::HeadingText(int column, int line) { return PipeLoadHeadingText(column, line); }

std::string PipeLoadsTable::CellText(int row, int column, int /*line*/) {
  ModelRecordTable<PipeLoad>& loads = M().pipeLoads;
  if (row < 1 || row > loads.count + 1) return {};
  return PipeLoadCellText(PipeLoadSlot(loads, row), column, ThermalCount());
}

bool PipeLoadsTable::IsCellEditable(int /*row*/, int column) {
  if (column >= 2 && column <= 21) return PairColumnInUse(column);
  return column == kNameColumn || column == kDesignTemperatureColumn || column == kDesignPressureColumn ||
         column == kSpecificGravityColumn;
}

int PipeLoadsTable::FilterChar(int character) {
  const int upper = std::toupper(static_cast<unsigned char>(character));
  if (upper == ' ') return 0;
  if (currentColumn == kNameColumn)
    return std::isalnum(static_cast<unsigned char>(upper)) || upper == '-' || upper == '/' ? upper : 0;
  return IsNotNumberChar(static_cast<char>(upper)) ? 0 : upper;
}

void PipeLoadsTable::StoreCell() {
  PipeLoad& record = PipeLoadSlot(M().pipeLoads, currentRow);
  RunEdit(frame, [&] {
    return currentColumn == kNameColumn ? StoreName(*this, record) : StoreNumber(currentColumn, record);
  }, EditMessage::GoesOn, EditRefusal::Thrown);
}

void PipeLoadsTable::EditFinished() {
  ModelRecordTable<PipeLoad>& loads = M().pipeLoads;
  if (currentRow < 1 || currentRow > loads.count + 1) return;
  PipeLoad& record = PipeLoadSlot(loads, currentRow);
  if (record.name.empty()) record = PipeLoad{};
  CheckDesignValues(record);
}

void PipeLoadsTable::EnterRow(bool /*control*/) {
  ModelRecordTable<PipeLoad>& loads = M().pipeLoads;
  PipeLoad& record = PipeLoadSlot(loads, currentRow);
  if (record.name.empty()) TableFieldRequired("Name", kNameColumn);
  const bool spare = currentRow > loads.count;
  // The values not given are filled in and checked before anything
  // changes: a refusal leaves the line as it was.
  PipeLoad filled = record;
  FillNotGiven(filled);
  CheckDesignValues(filled);
  // The filled values, and the spare row made a record: one undo step,
  // none when nothing changed.
  RunEdit(frame, [&] {
    if (!spare) {
      const bool changed = !SameNumbers(record, filled);
      record = filled;
      return changed;
    }
    MakeRoomForOneMore(loads);
    ++loads.count;
    PipeLoadSlot(loads, loads.count) = filled;
    PipeLoadSlot(loads, loads.count + 1) = PipeLoad{};
    return true;
  }, EditMessage::GoesOn, EditRefusal::Thrown);
  if (!spare) {
    if (currentRow < rowCount) TableGoTo(*this, currentRow + 1);
    return;
  }
  TitleAndRows(*this);
  TableShowFocus(*this);
  TableGoTo(*this, loads.count + 1);
}

void PipeLoadsTable::InsertRow() {
  ModelRecordTable<PipeLoad>& loads = M().pipeLoads;
  const int row = currentRow;
  const bool named = row >= 1 && row <= loads.count && !loads[row].name.empty();
  if (!named || (row > 1 && loads[row - 1].name.empty())) {
    ErrorBeep();
    return;
  }
  RunEdit(frame, [&] {
    // A record is never nameless: Save would write it and Open bring back
    // a load no row can name. It starts as a new load does.
    PipeLoad made;
    InitPipeLoad(made, M().options.ReferenceTemperature);
    made.name = FreeLoadName();
    MakeRoomForOneMore(loads);
    PipeLoadSlot(loads, loads.count + 1);
    for (int index = loads.count + 1; index > row; --index) loads[index] = loads[index - 1];
    loads[row] = made;
    ++loads.count;
    return true;
  }, EditMessage::GoesOn, EditRefusal::Thrown);
  TitleAndRows(*this);
  TableShowFocus(*this);
  TableGoTo(*this, row);
}

void PipeLoadsTable::DeleteRow() {
  ModelRecordTable<PipeLoad>& loads = M().pipeLoads;
  const int row = currentRow;
  if (row < 1 || row > loads.count + 1) return;
  if (row == loads.count + 1) {
    PipeLoadSlot(loads, row) = PipeLoad{};
    TableDrawRow(*this, row);
    return;
  }
  if (IsPipeLoadInUse(M(), row)) {
    ErrorBeep();
    ShowErrorMessage(frame, "Load " + loads[row].name + " is in use, it cannot be deleted");
    return;
  }
  RunEdit(frame, [&] {
    for (int index = row; index < loads.count; ++index) loads[index] = loads[index + 1];
    loads[loads.count] = PipeLoad{};
    --loads.count;
    return true;
  }, EditMessage::GoesOn, EditRefusal::Thrown);
  TitleAndRows(*this);
  TableShowFocus(*this);
  TableGoTo(*this, std::min(row, loads.count + 1));
}

void PipeLoadsTable::EditCurrentItem() {
  if (TableEndEdit(*this)) return;
  const SnapshotToken token = TableResultsShown() ? 0 : TakeUndoSnapshot(frame);
  const int row = currentRow;
  const bool stored = PipeLoadDialog(frame, row, token) == 1;
  if (stored) {
    TableShowFocus(*this);
    TableGoTo(*this, row);
    // The line entered after the dialog (the values it lacks filled in)
    // is the same edit: one undo step, settled once.
    TableCommitInPlace(*this);
  }
  SettleEdit(frame, token);
}

void PipeLoadsTable::ContextMenu() { TablePopupInsertDeleteMenu(*this); }
void PipeLoadsTable::HeadingContextMenu(int /*column*/) { TablePopupListMenu(*this); }

void PipeLoadsTable::Prepare() {
  if (!TableResultsShown()) ShowListGraphicsButtons(true);
}
void PipeLoadsTable::Close() { ShowListGraphicsButtons(false); }
void PipeLoadsTable::CurrentRowChanged() { HighlightListRecord(HighlightLoad, currentRow, M().pipeLoads.count); }

void PipeLoadsTable::UpdateMenu() {
  UpdateTableEditMenu(*this);
  if (menuMode != 1) return;
  const bool real = currentRow >= 1 && currentRow <= M().pipeLoads.count && !TableResultsShown();
  SetListMenuItem(frameMenu, kCopyCommand, real);
  SetListMenuItem(frameMenu, kPasteCommand, real && Copied().held);
}

void PipeLoadsTable::WriteText() { PrintPipeLoads(); }

bool PipeLoadsOffered(const Model& /*model*/) { return true; }

void OpenPipeLoadsTable() {
  HWND window = ListTableWindow(0);
  TableWindowRecord* record = RecordOfWindow(window);
  if (record == nullptr) return;
  PipeLoadsTable& table = ThePipeLoadsTable();
  TableWindowClose(window);
  static const std::vector<int> kEditLengths = [] {
    std::vector<int> lengths(kPipeLoadColumns + 1, 12);
    lengths[kNameColumn] = 5;
    return lengths;
  }();
  TableSetColumns(table, record, ListFrame().window, kPipeLoadColumns, 2, &kEditLengths);
  table.editable = true;
  SetCurrentListOpener(OpenPipeLoadsTable);
  const Model& model = M();
  const int current = FindPipeLoadByName(model.pipeLoads, model.row(model.currentRow).load);
  table.currentRow = std::max(current, 1);
  TitleAndRows(table);
  TableShowFocus(table);
  TableGoTo(table, std::max(current, 1));
}

bool CopyPipeLoad() {
  PipeLoadsTable& table = ThePipeLoadsTable();
  if (!Shown(table)) return false;
  if (table.currentRow >= 1 && table.currentRow <= M().pipeLoads.count) Copied() = {true, M().pipeLoads[table.currentRow]};
  return true;
}

bool PastePipeLoad(HWND owner) {
  PipeLoadsTable& table = ThePipeLoadsTable();
  if (!Shown(table)) return false;
  ModelRecordTable<PipeLoad>& loads = M().pipeLoads;
  const int to = table.currentRow;
  if (!Copied().held || to < 1 || to > loads.count + 1 || TableResultsShown()) return true;
  RunEdit(owner, [&] {
    PipeLoad& target = PipeLoadSlot(loads, to);
    const std::string name = target.name;
    target = Copied().values;
    target.name = name;
    return true;
  });
  Copied() = {};
  TableDrawRow(table, to);
  return true;
}
