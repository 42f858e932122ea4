// The pressure design window and its tables; see PressureDesignWindow.h.
#include "codes/PressureDesignWindow.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "codes/PressureDesign.h"
#include "model/ListWindow.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "platform/Gdi.h"
#include "platform/Menu.h"
#include "platform/Window.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "printing/TablePrint.h"
#include "services/Frame.h"
#include "services/ListFrameState.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramCommands.h"
#include "services/ProgramContext.h"
#include "services/ReportMode.h"
#include "services/TableWindow.h"
#include "services/Units.h"
#include "services/ViewRequests.h"

namespace {

constexpr const char* kInternalTitle = "Internal Pressure Design: EN 13480-3 (2017)";
constexpr const char* kExternalTitle = "External Pressure Design: EN 13480-3 (2017)";
constexpr const char* kNoTextReport = "Text file printing not possible for Pressure Design";
constexpr int kInternalColumns = 17, kExternalColumns = 21;
constexpr std::size_t kProblemsShown = 12;

struct WindowState {
  bool shown = false;
  HMENU keptMenu = nullptr, menu = nullptr;
  HACCEL accelerators = nullptr;
};

WindowState& State() {
  static WindowState state;
  return state;
}

std::string Unit(int kind) { return UnitLabel(kind); }
std::string Stars() { return kNotFiniteText; }

// A value: stars when not formed, empty when `blankZero` and 0.
std::string Value(double value, const char* (*format)(float), bool blankZero = false) {
  if (IsNotFormed(value) || !std::isfinite(value)) return Stars();
  if (blankZero && value == 0.0) return {};
  return format(static_cast<float>(value));
}

std::string Fraction(double value, bool blankZero) {
  if (IsNotFormed(value) || !std::isfinite(value)) return Stars();
  if (blankZero && value == 0.0) return {};
  return FormatFixedWidth(value, 7, 2);
}

std::string NodeText(std::int32_t id) { return id != 0 ? NodeNumberText(id) : std::string(); }

// The allowable stress, stars when the material gives none.
std::string AllowableText(float f) { return f < 1.1f ? Stars() : std::string(FormatStress(f)); }

std::string ConeAngleText(float angle) {
  if (angle == 0.0f) return {};
  return FormatAngleOrNone(angle);
}

// --- the cells -----------------------------------------------------------------------------

std::string InternalHeading(int column, int line) {
  static const char* const first[] = {"",         "From",   "To",   "Element", "Des.Temp", "Des.Press",
                                      "All.Stress", "OD1",  "OD2",  "Cor.All", "Radius",   "Cone Angle",
                                      "ea1",      "ea2",    "ep1",  "ep2",     "Uf1",      "Uf2"};
  if (column < 1 || column > kInternalColumns) return {};
  if (line == 0) return first[column];
  switch (column) {
    case 3: return "Type";
    case 4: return Unit(kUnitTemperature);
    case 5: return Unit(kUnitPressure);
    case 6: return Unit(kUnitStress);
    case 11: return Unit(kUnitAngle);
    case 16: return "(ep1/ea1)";
    case 17: return "(ep2/ea2)";
    default: return column >= 7 && column <= 15 ? Unit(kUnitDimension) : std::string();
  }
}

std::string InternalCell(const InternalDesignRecord& r, int column) {
  const bool bendRecord = r.type == kDesignBend || r.type == kDesignJacketedBend;
  switch (column) {
    case 1: return bendRecord ? std::string() : NodeText(r.fromNode);
    case 2: return bendRecord ? std::string() : NodeText(r.toNode);
    case 3: return PressureDesignTypeName(r.type);
    case 4: return FormatTemperature(r.designTemperature);
    case 5: return FormatPressure(r.p);
    case 6: return AllowableText(r.f);
    case 7: return Value(r.OD1, FormatDimension);
    case 8: return Value(r.OD2, FormatDimension);
    case 9: return Value(r.c, FormatDimension);
    case 10: return Value(r.R, FormatDimension, true);
    case 11: return ConeAngleText(r.coneAngle);
    case 12: return Value(r.ea1, FormatDimension);
    case 13: return Value(r.ea2, FormatDimension);
    case 14: return Value(r.ep1, FormatDimension, true);
    case 15: return Value(r.ep2, FormatDimension, true);
    case 16: return Fraction(r.Uf1, true);
    case 17: return Fraction(r.Uf2, true);
    default: return {};
  }
}

std::string ExternalHeading(int column, int line) {
  static const char* const first[] = {"",       "From",   "To",     "Element", "Temp", "Press (Pc)", "All.Stress",
                                      "Yield",  "E",      "OD1",    "OD2",     "Thk1", "Thk2",       "Cor.All",
                                      "Radius", "Length", "Cone Angle", "Pr",  "K.Pc", "",           "Ix",
                                      "Ixa"};
  if (column < 1 || column > kExternalColumns) return {};
  if (line == 0) return first[column];
  switch (column) {
    case 3: return "Type";
    case 4: return Unit(kUnitTemperature);
    case 5: case 17: case 18: return Unit(kUnitPressure);
    case 6: case 7: return Unit(kUnitStress);
    case 8: return Unit(kUnitModulus);
    case 15: return Unit(kUnitLength);
    case 16: return Unit(kUnitAngle);
    case 19: return "(Pr/K.Pc)";
    case 20: case 21: return Unit(kUnitMomentOfInertia);
    default: return column >= 9 && column <= 14 ? Unit(kUnitDimension) : std::string();
  }
}

std::string ExternalCell(const ExternalDesignRecord& r, int column) {
  switch (column) {
    case 1: return NodeText(r.fromNode);
    case 2: return NodeText(r.toNode);
    case 3: return PressureDesignTypeName(r.type);
    case 4: return FormatTemperature(r.designTemperature);
    case 5: return FormatPressure(r.Pc);
    case 6: return AllowableText(r.f);
    case 7: return Value(r.sigmaE, FormatStress);
    case 8: return Value(r.E, FormatModulus);
    case 9: return Value(r.OD1, FormatDimension);
    case 10: return Value(r.OD2, FormatDimension);
    case 11: return Value(r.t1, FormatDimension);
    case 12: return Value(r.t2, FormatDimension);
    case 13: return Value(r.c, FormatDimension);
    case 14: return Value(r.Rb, FormatDimension, true);
    case 15: return Value(r.L, FormatLength, true);
    case 16: return ConeAngleText(r.coneAngle);
    case 17: return Value(r.Pr, FormatPressure);
    case 18: return Value(r.KPc, FormatPressure);
    case 19: return Fraction(r.PrRatio, false);
    case 20: return Value(r.Ix, FormatMomentOfInertia, true);
    case 21: return Value(r.Ixa, FormatMomentOfInertia, true);
    default: return {};
  }
}

int TextWidthOn(HDC dc, const std::string& text) {
  if (dc == nullptr || text.empty()) return 0;
  SIZE size{0, 0};
  GetTextExtentPoint32(dc, text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

// --- the table window ----------------------------------------------------------------------

class PressureDesignTable : public ItemListTableWindow {
 public:
  explicit PressureDesignTable(bool external) : external_(external) {}

  int Count() const {
    return external_ ? static_cast<int>(ExternalDesignRecords().size()) : static_cast<int>(InternalDesignRecords().size());
  }
  int Columns() const { return external_ ? kExternalColumns : kInternalColumns; }
  const char* Title() const { return external_ ? kExternalTitle : kInternalTitle; }

  std::string PrintName() override { return Title(); }
  bool CanInsert() override { return false; }
  bool CanDelete() override { return false; }
  void DefineColumns() override {
    HDC dc = Dc();
    for (int column = 1; column <= columnCount && column < static_cast<int>(widths.size()); ++column) {
      int width = std::max(TextWidthOn(dc, HeadingText(column, 0)), TextWidthOn(dc, HeadingText(column, 1)));
      for (int row = 1; row <= rowCount; ++row) width = std::max(width, TextWidthOn(dc, CellText(row, column, 0)));
      widths[static_cast<std::size_t>(column)] = width;
    }
  }
  std::string HeadingText(int column, int line) override {
    return external_ ? ExternalHeading(column, line) : InternalHeading(column, line);
  }
  std::string CellText(int row, int column, int /*line*/) override {
    if (row < 1 || row > Count()) return {};
    const auto index = static_cast<std::size_t>(row) - 1;
    return external_ ? ExternalCell(ExternalDesignRecords()[index], column)
                     : InternalCell(InternalDesignRecords()[index], column);
  }
  void CurrentRowChanged() override {
    const int row = LayoutRowOf(currentRow);
    if (row != 0) HighlightElementRow(row);
  }
  void Close() override { HideHighlight(); }
  void WriteText() override;

  int LayoutRowOf(int row) const {
    if (row < 1 || row > Count()) return 0;
    const auto index = static_cast<std::size_t>(row) - 1;
    return external_ ? ExternalDesignRecords()[index].row : InternalDesignRecords()[index].row;
  }

 private:
  bool external_;
};

PressureDesignTable& Internal() {
  static PressureDesignTable table(false);
  return table;
}

PressureDesignTable& External() {
  static PressureDesignTable table(true);
  return table;
}

PressureDesignTable* ShownTable() {
  HWND window = ListTableWindow(0);
  if (window == nullptr || !PressureDesignShown()) return nullptr;
  return dynamic_cast<PressureDesignTable*>(TableOfWindow(window));
}

// The printed grid: the table's headings and cells, each column as wide as
// its widest text in the report font.
class PressureDesignPrintout : public PrintTable {
 public:
  explicit PressureDesignPrintout(PressureDesignTable& table) : table_(table) {
    headingLines = 2;
    rowsToPrint = table.Count();
  }
  void DefineColumns() override {
    SetColumns(table_.Columns());
    for (int column = 1; column <= columnCount; ++column) {
      int width = std::max(TextWidth(table_.HeadingText(column, 0)), TextWidth(table_.HeadingText(column, 1)));
      for (int row = 1; row <= rowsToPrint; ++row) width = std::max(width, TextWidth(table_.CellText(row, column, 0)));
      widths[static_cast<std::size_t>(column)] = width;
    }
  }
  std::string HeadingText(int column, int line) override { return table_.HeadingText(column, line); }
  std::string CellText(int row, int column, int line) override { return table_.CellText(row, column, line); }

 private:
  PressureDesignTable& table_;
};

void WriteCsv(PressureDesignTable& table) {
  const int columns = table.Columns();
  g_LineText.clear();
  ReportPutCell(table.Title());
  ReportAppendLine(g_LineText);
  ReportNewLine();
  g_LineText = "From,To,Element Type,";
  const int lastUnit = table.Columns() == kInternalColumns ? 15 : 18;
  for (int column = 4; column <= lastUnit; ++column) ReportPutCell(table.HeadingText(column, 1));
  if (columns == kInternalColumns) g_LineText += "Uf1, Uf2";
  else g_LineText += "Pr/K.Pc";
  ReportAppendLine(g_LineText);
  ReportNewLine();
  for (int row = 1; row <= table.Count(); ++row) {
    g_LineText.clear();
    for (int column = 1; column <= columns; ++column) ReportPutCell(table.CellText(row, column, 0));
    if (!g_LineText.empty() && g_LineText.back() == ',') g_LineText.pop_back();
    ReportAppendLine(g_LineText);
    ReportNewLine();
  }
}

void PressureDesignTable::WriteText() {
  if (Count() == 0) return;
  if (!g_ReportFileOpen) {
    BeginReportSection(external_ ? "Pressure Design - External Pressure" : "Pressure Design - Internal Pressure", 0);
    PressureDesignPrintout grid(*this);
    TablePrint(grid, Title(), Count());
    return;
  }
  if (!g_ReportToFile) {
    ShowInfoMessage(frame, kNoTextReport);
    return;
  }
  WriteCsv(*this);
}

// A text report is refused before any file is opened; a comma-separated one
// goes through the report file road.
void PrintToFile(HWND owner) {
  PressureDesignTable* table = ShownTable();
  if (table == nullptr) return;
  if (!PrintToFileDialog(owner)) return;
  if (!g_ReportToFile) {
    ShowInfoMessage(owner, kNoTextReport);
    return;
  }
  if (!ReportOpenFile(owner, g_OutputFileName)) return;
  WriteCsv(*table);
  ReportWrittenMessage(owner);
}

bool Command(HWND window, int commandId) {
  switch (commandId) {
    case 901: ShowInfoMessage(window, "There is no help viewer on this system."); return true;
    case 902: ProgramCommands().openTutorialDocument(window, "Tutorial_1.pdf"); return true;
    default: return false;
  }
}

void Show(PressureDesignTable& table, void (*opener)()) {
  if (table.Count() == 0) return;
  OpenPressureDesignWindow();
  if (!BindFirstListTable(table, table.Columns(), 2)) return;
  table.editable = false;
  table.rowNumbers = true;
  SetCurrentListOpener(opener);
  TableRefreshCounted(table, table.Title(), table.Count(), 1);
  table.CurrentRowChanged();
}

// The rows the design left out, in one warning (the first dozen named).
void SayProblems(HWND owner, const std::vector<std::string>& problems) {
  if (problems.empty()) return;
  std::string text = "These rows are left out of the pressure design:";
  for (std::size_t i = 0; i < problems.size() && i < kProblemsShown; ++i) text += "\n" + problems[i];
  if (problems.size() > kProblemsShown)
    text += "\n... and " + std::to_string(problems.size() - kProblemsShown) + " more";
  ShowWarningMessage(owner, text);
}

// Closing the frame gives it back and closes the List window as usual.
void CloseFrame(HWND window) {
  ClosePressureDesign();
  SendMessage(window, WM_CLOSE, 0, 0);
}

// Nothing of the design is kept to be saved: leaving it never asks.
bool Leave(HWND) {
  ClosePressureDesign();
  return true;
}

ListFrameTool& Tool() {
  static ListFrameTool tool;
  tool.command = Command;
  tool.close = CloseFrame;
  tool.leave = Leave;
  tool.accelerators = State().accelerators;
  tool.printToFile = PrintToFile;
  return tool;
}

}  // namespace

bool PressureDesignShown() { return State().shown; }

void OpenPressureDesignWindow() {
  Frame& frame = ListFrame();
  WindowState& state = State();
  if (!state.shown) {
    state.keptMenu = frame.menu;
    state.menu = LoadMenu(InstanceHandle, "PRESSURE_DESIGN");
    state.accelerators = LoadAccelerators(InstanceHandle, "PRESSURE_DESIGN_ACCEL");
    if (frame.window != nullptr && state.menu != nullptr) FrameSetMenu(frame, state.menu);
    if (ActiveWindow == frame.window && ActiveAccelerators == ListAccelerators) ActiveAccelerators = state.accelerators;
    state.shown = true;
    SetListFrameTool(&Tool());
  }
  if (frame.window != nullptr) FrameShow(frame);
}

void ClosePressureDesign() {
  WindowState& state = State();
  if (!state.shown) return;
  Frame& frame = ListFrame();
  if (HWND table = ListTableWindow(0)) TableWindowClose(table);
  if (frame.window != nullptr) FrameSetMenu(frame, state.keptMenu);
  else frame.menu = state.keptMenu;
  if (ActiveAccelerators == state.accelerators) ActiveAccelerators = ListAccelerators;
  if (state.menu != nullptr) DestroyMenu(state.menu);
  if (state.accelerators != nullptr) DestroyAcceleratorTable(state.accelerators);
  state = WindowState{};
  // The List window no longer shows the design, and no longer owes it the frame.
  if (CurrentListOpener() == ShowInternalPressureDesign || CurrentListOpener() == ShowExternalPressureDesign)
    SetCurrentListOpener(nullptr);
  SetListFrameTool(nullptr);
}

void ShowInternalPressureDesign() { Show(Internal(), ShowInternalPressureDesign); }
void ShowExternalPressureDesign() { Show(External(), ShowExternalPressureDesign); }

TableWindow& InternalPressureDesignTable() { return Internal(); }
TableWindow& ExternalPressureDesignTable() { return External(); }

void WritePressureDesignCsv() {
  if (PressureDesignTable* table = ShownTable()) WriteCsv(*table);
}

void InternalPressureDesignCommand(HWND owner) {
  const Model& model = TheModel();
  if (CountInternalDesignRecords(model) == 0) {
    ShowInfoMessage(owner, "There are no elements");
    return;
  }
  InternalDesignRun run = InternalPressureDesign(model);
  InternalDesignRecords() = std::move(run.records);
  ShowInternalPressureDesign();
  SayProblems(PressureDesignShown() ? ListFrame().window : owner, run.problems);
}

void ExternalPressureDesignCommand(HWND owner) {
  const Model& model = TheModel();
  if (CountExternalDesignRecords(model) == 0) {
    ShowInfoMessage(owner, "External pressure not defined.");
    return;
  }
  ExternalDesignRun run = ExternalPressureDesign(model);
  ExternalDesignRecords() = std::move(run.records);
  ShowExternalPressureDesign();
  SayProblems(PressureDesignShown() ? ListFrame().window : owner, run.problems);
}
