// The modal result tables; see ModalTables.h.
#include "results/ModalTables.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "model/Model.h"
#include "model/Nodes.h"
#include "platform/Input.h"
#include "platform/Menu.h"
#include "platform/Window.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "results/ShapeDisplay.h"
#include "resultsfile/ResultBlocks.h"
#include "resultsfile/ResultCases.h"
#include "resultsfile/ResultNavigation.h"
#include "resultsfile/ResultPrint.h"
#include "resultsfile/ResultsFile.h"
#include "resultsfile/TextMeasure.h"
#include "services/Frame.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/TableViews.h"
#include "services/TableWindow.h"
#include "services/Units.h"
#include "services/ViewRequests.h"

namespace {

constexpr int kShapeCommand = 216, kAnimationCommand = 221, kMagnificationCommand = 300, kGraphicsCommand = 253;
constexpr int kNextMode = 228, kPreviousMode = 229, kResultsCommand = 174;
constexpr const char* kAxisNames[6] = {"X", "Y", "Z", "XX", "YY", "ZZ"};

const ModalSummary& Modal() { return TheResults().modal; }

std::string Fixed(double value, int width, int decimals) { return FormatFixedWidth(value, width, decimals); }

double MassRatio(int mode, int direction) {
  const ModalSummary& modal = Modal();
  const double gamma = modal.participation[static_cast<std::size_t>(mode - 1)][static_cast<std::size_t>(direction)];
  return modal.totalMass != 0.0f ? gamma * gamma / modal.totalMass : 0.0;
}

double Frequency(int mode) { return Modal().frequencies[static_cast<std::size_t>(mode - 1)]; }

HMENU ViewPopup() { return ResultsFrame().menu != nullptr ? GetSubMenu(ResultsFrame().menu, 2) : nullptr; }

// The popup that holds "&Results...".
HMENU ResultsPopup() {
  HMENU menu = ResultsFrame().menu;
  if (menu == nullptr) return nullptr;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    HMENU popup = GetSubMenu(menu, i);
    if (popup == nullptr) continue;
    for (int j = 0; j < GetMenuItemCount(popup); ++j)
      if (GetMenuItemID(popup, j) == kResultsCommand) return popup;
  }
  return nullptr;
}

void RemoveItems(HMENU popup, std::initializer_list<int> ids) {
  if (popup == nullptr) return;
  for (int id : ids)
    for (int i = GetMenuItemCount(popup) - 1; i >= 0; --i)
      if (static_cast<int>(GetMenuItemID(popup, i)) == id && GetSubMenu(popup, i) == nullptr)
        DeleteMenu(popup, static_cast<UINT>(i), MF_BYPOSITION);
}

int PositionOf(HMENU popup, int id) {
  for (int i = 0; i < GetMenuItemCount(popup); ++i)
    if (static_cast<int>(GetMenuItemID(popup, i)) == id && GetSubMenu(popup, i) == nullptr) return i;
  return -1;
}

bool IsSeparator(HMENU popup, int position) {
  return position >= 0 && position < GetMenuItemCount(popup) && GetSubMenu(popup, position) == nullptr &&
         (GetMenuState(popup, static_cast<UINT>(position), MF_BYPOSITION) & MF_SEPARATOR) != 0;
}

// A group inserted before another item ends with its separator. A separator
// keeps no command to be found by, so it goes by its place: right after
// the group's last item, before the items themselves go.
void RemoveGroup(HMENU popup, std::initializer_list<int> ids, int last) {
  if (popup == nullptr) return;
  const int at = PositionOf(popup, last);
  if (at >= 0 && IsSeparator(popup, at + 1)) DeleteMenu(popup, static_cast<UINT>(at + 1), MF_BYPOSITION);
  RemoveItems(popup, ids);
}

// The stepping items share their commands with the load-case items; only
// the mode items are the modal tables' to remove.
bool HoldsModeItems(HMENU popup) {
  char text[64] = {};
  return popup != nullptr && GetMenuString(popup, kNextMode, text, sizeof text, MF_BYCOMMAND) > 0 &&
         std::string(text).rfind("Next mode", 0) == 0;
}

}  // namespace

void InsertModeShapeItems() {
  HMENU view = ViewPopup();
  if (view == nullptr || ResultsMenuHas(kShapeCommand)) return;
  InsertMenu(view, kGraphicsCommand, MF_BYCOMMAND | MF_STRING, kShapeCommand, ShapeItemText().c_str());
  InsertMenu(view, kGraphicsCommand, MF_BYCOMMAND | MF_STRING, kAnimationCommand, AnimationItemText().c_str());
  InsertMenu(view, kGraphicsCommand, MF_BYCOMMAND | MF_STRING, kMagnificationCommand, "&Magnification...");
  InsertMenu(view, kGraphicsCommand, MF_BYCOMMAND | MF_SEPARATOR, 0, nullptr);
}

void InsertModeSteppingItems() {
  HMENU popup = ResultsPopup();
  if (popup == nullptr || ResultsMenuHas(kNextMode)) return;
  InsertMenu(popup, kResultsCommand, MF_BYCOMMAND | MF_STRING, kNextMode, "Next mode\tRight Arrow");
  InsertMenu(popup, kResultsCommand, MF_BYCOMMAND | MF_STRING, kPreviousMode, "Previous mode\tLeft Arrow");
  InsertMenu(popup, kResultsCommand, MF_BYCOMMAND | MF_SEPARATOR, 0, nullptr);
}

void RemoveModeShapeItems() {
  RemoveGroup(ViewPopup(), {kShapeCommand, kAnimationCommand, kMagnificationCommand}, kMagnificationCommand);
}

void RemoveModeSteppingItems() {
  HMENU popup = ResultsPopup();
  if (HoldsModeItems(popup)) RemoveGroup(popup, {kNextMode, kPreviousMode}, kPreviousMode);
}

HMENU ModeShapePopup(bool stepping) {
  HMENU popup = CreatePopupMenu();
  AppendMenu(popup, MF_STRING, kShapeCommand, ShapeItemText().c_str());
  AppendMenu(popup, MF_STRING, kAnimationCommand, AnimationItemText().c_str());
  if (ModeShapeShown() || AnimationRunning()) AppendMenu(popup, MF_STRING, kMagnificationCommand, "&Magnification...");
  AppendMenu(popup, MF_SEPARATOR, 0, nullptr);
  if (stepping) {
    AppendMenu(popup, MF_STRING, kNextMode, "Next Mode");
    AppendMenu(popup, MF_STRING, kPreviousMode, "Previous Mode");
    AppendMenu(popup, MF_SEPARATOR, 0, nullptr);
  }
  AppendResultsMenuItems(popup);
  return popup;
}

namespace {

// --- the frequencies table -------------------------------------------------------------

class FrequenciesTableWindow : public ResultTableWindow {
 public:
  std::string PrintName() override { return "Frequencies"; }
  void DefineColumns() override {
    std::vector<int> w = MeasureTableColumns(*this, rowCount, ScreenTextWidth(*this));
    Equalize(w, ScreenTextWidth(*this)("Modal mass/Total mas"));
    widths = w;
  }
  static void Equalize(std::vector<int>& w, int groupCaption) {
    SpreadMaxWidth(w, 3, 5);
    SpreadMaxWidth(w, 6, 8);
    const int excess = groupCaption - (w[6] + w[7] + w[8]);
    if (excess > 0)
      for (int c = 6; c <= 8; ++c) w[static_cast<std::size_t>(c)] += excess / 3;
  }
  std::string HeadingText(int column, int line) override {
    if (line == 0) {
      if (column == 1) return "Frequency";
      if (column == 2) return "Period";
      return {};
    }
    static const char* const kSecond[9] = {"", "(Hz)", "(second)", "X", "Y", "Z", "X", "Y", "Z"};
    return column >= 1 && column <= 8 ? kSecond[column] : "";
  }
  std::string CellText(int row, int column, int /*line*/) override {
    const int modes = ResultModeCount();
    if (row < 1 || row > modes + 1) return {};
    if (row == modes + 1) {
      if (column == 5) return "Total";
      if (column >= 6 && column <= 8) return Fixed(Modal().massSums[static_cast<std::size_t>(column - 6)], 10, 4);
      return {};
    }
    const double f = Frequency(row);
    switch (column) {
      case 1: return Fixed(f, 10, 3);
      case 2: return Fixed(f != 0.0 ? 1.0 / f : HUGE_VAL, 10, 4);
      case 3:
      case 4:
      case 5: return Fixed(Modal().participation[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 3)], 10, 4);
      case 6:
      case 7:
      case 8: return Fixed(MassRatio(row, column - 6), 10, 4);
      default: return {};
    }
  }
  void KeyDown(UINT key) override {
    if (key == VK_TAB) {
      CycleResultTable(GetKeyState(VK_SHIFT) < 0);
      return;
    }
    TableKeyDown(*this, key);
  }
  void CurrentRowChanged() override {
    if (currentRow < 1 || currentRow > ResultModeCount()) return;
    g_CurrentMode = currentRow;
    ModeChanged();
  }
  void Prepare() override {
    InsertModeShapeItems();
    ShowResultsButtons({296, kShapeCommand, kAnimationCommand}, true);
  }
  void Close() override {
    HideShapesOnClose();
    RemoveModeShapeItems();
    ShowResultsButtons({296, kShapeCommand, kAnimationCommand}, false);
    HideHighlight();
  }
  void PaintExtra() override { PaintHeadingGroups(*this, Groups()); }
  void DrawColumnRule(int column) override {
    if (!DrawGroupColumnRule(*this, Groups(), column)) ResultTableWindow::DrawColumnRule(column);
  }
  void ContextMenu() override { TrackResultTablePopup(*this, ModeShapePopup(false)); }
  void WriteText() override;

  static std::vector<HeadingGroup> Groups() {
    return {{3, 5, "Participation factors"}, {6, 8, "Modal mass / Total mass"}};
  }
};

FrequenciesTableWindow& TheFrequencies() {
  static FrequenciesTableWindow table;
  return table;
}

void FrequenciesTextHeading() {
  ReportPutText("Frequency  Period    Participation factors    Modal mass / Total mass", 10);
  ReportNewLine();
  ReportPutText("Mode", 5);
  ReportPutText("(Hz)", 13);
  ReportPutText("(sec)", 22);
  constexpr int kLetters[6] = {32, 41, 50, 59, 67, 75};
  for (int i = 0; i < 6; ++i) ReportPutText(kAxisNames[i % 3], kLetters[i]);
  ReportNewLine();
  ReportRule();
}

void FrequenciesTableWindow::WriteText() {
  const int modes = ResultModeCount();
  if (modes == 0) return;
  if (!g_ReportFileOpen) {
    ResultPrintTable grid(*this, modes + 1, Groups());
    grid.equalize = [](std::vector<int>& w) { Equalize(w, 0); };
    PrintResultGrid(grid, "", "Frequencies", modes + 1);
    return;
  }
  if (g_ReportToFile) {
    ReportAppendLine("Frequencies");
    ReportNewLine();
    ReportAppendLine(",Frequency,Period,Participation factors,,,Modal mass/Total mass,,");
    ReportNewLine();
    ReportAppendLine("Mode,(Hz),(sec),X,Y,Z,X,Y,Z");
    ReportNewLine();
    for (int m = 1; m <= modes; ++m) {
      const double f = Frequency(m);
      std::vector<std::string> cells{std::to_string(m), Fixed(f, 10, 4), Fixed(f != 0.0 ? 1.0 / f : HUGE_VAL, 10, 4)};

      for (int d = 0; d < 3; ++d)
        cells.push_back(Fixed(Modal().participation[static_cast<std::size_t>(m - 1)][static_cast<std::size_t>(d)], 10, 4));
      for (int d = 0; d < 3; ++d) cells.push_back(Fixed(MassRatio(m, d), 7, 4));
      WriteCsvCells(cells);
    }
    std::vector<std::string> total{"", "", "", "", "", "Total"};
    for (int d = 0; d < 3; ++d) total.push_back(Fixed(Modal().massSums[static_cast<std::size_t>(d)], 7, 4));
    WriteCsvCells(total);
    return;
  }
  BeginReportSection("Frequencies", 0);
  ReportSetTitle("Frequencies");
  if (ReportLinesLeft() < 6) ReportNewPage();
  else FrequenciesTextHeading();
  constexpr int kRatioEnds[3] = {62, 70, 78};
  for (int m = 1; m <= modes; ++m) {
    if (g_ReportLine == kReportBodyLine) FrequenciesTextHeading();
    const double f = Frequency(m);
    ReportPutTextRight(std::to_string(m), 6);
    ReportPutTextRight(Fixed(f, 10, 3), 17);
    ReportPutTextRight(Fixed(f != 0.0 ? 1.0 / f : HUGE_VAL, 10, 4), 26);
    for (int d = 0; d < 3; ++d)
      ReportPutTextRight(Fixed(Modal().participation[static_cast<std::size_t>(m - 1)][static_cast<std::size_t>(d)], 10, 4),
                         35 + 9 * d);
    for (int d = 0; d < 3; ++d) ReportPutTextRight(Fixed(MassRatio(m, d), 7, 4), kRatioEnds[d]);
    ReportNewLine();
  }
  ReportRuleBetween(48, 78);
  ReportNewLine();  // the totals stand under their rule, not on it
  ReportPutText("Total", 49);
  for (int d = 0; d < 3; ++d) ReportPutTextRight(Fixed(Modal().massSums[static_cast<std::size_t>(d)], 7, 4), kRatioEnds[d]);
  ReportNewLine();
  if (g_ReportLine != kReportBodyLine) ReportRule();
}

// --- the mode shapes table ---------------------------------------------------------------

int ResultNodeOfRow(int row) {
  const auto& nodes = TheResults().resultNodes;
  return row >= 1 && row <= static_cast<int>(nodes.size()) ? nodes[static_cast<std::size_t>(row) - 1] : 0;
}

const std::array<float, 6>& ValuesOf(int node) {
  static const std::array<float, 6> none{};
  return node >= 1 && node < static_cast<int>(g_CaseDisplacements.size()) ? g_CaseDisplacements[static_cast<std::size_t>(node)]
                                                                          : none;
}

void FillModeShapeTitle() {
  LoadModeShape(TheModel());
  if (ResultsFrame().window == nullptr || ResultModeCount() == 0) return;
  char title[64];
  std::snprintf(title, sizeof title, "Mode  %d:  %.2f Hz", g_CurrentMode, Frequency(g_CurrentMode));
  FrameSetTitle(ResultsFrame(), title);
}

class ModeShapeTableWindow : public ResultTableWindow {
 public:
  std::string PrintName() override { return CurrentModeTitle(); }
  void Reload() override {
    FillModeShapeTitle();
    RefreshKeepingShapes(*this);
  }
  void DefineColumns() override {
    std::vector<int> w = MeasureTableColumns(*this, rowCount, ScreenTextWidth(*this));
    SpreadMaxWidth(w, 2, 7);
    widths = w;
  }
  std::string HeadingText(int column, int line) override {
    if (line != 0) return {};
    if (column == 1) return "Node";
    if (column >= 2 && column <= 7) {
      const int c = column - 2;
      return ValueWithUnitLabel(kAxisNames[c], c < 3 ? kUnitDisplacement : kUnitAngle);
    }
    return {};
  }
  std::string CellText(int row, int column, int /*line*/) override {
    const int node = ResultNodeOfRow(row);
    if (node == 0) return {};
    if (column == 1) return NodeNumberText(TheModel().nodes[node].id);
    if (column < 2 || column > 7) return {};
    const float value = ValuesOf(node)[static_cast<std::size_t>(column - 2)];
    return column <= 4 ? FormatDisplacementOrNone(value) : FormatAngle(value);
  }
  std::int32_t RowNode(int row) override {
    const int node = ResultNodeOfRow(row);
    return node != 0 ? TheModel().nodes[node].id : 0;
  }
  void KeyDown(UINT key) override {
    if (key == VK_TAB) {
      CycleResultTable(GetKeyState(VK_SHIFT) < 0);
      return;
    }
    if (key == VK_LEFT || key == VK_RIGHT) {
      StepMode(key == VK_RIGHT ? 1 : -1);
      RefreshKeepingShapes(*this);
      return;
    }
    TableKeyDown(*this, key);
  }
  void CurrentRowChanged() override {
    if (AnimationRunning() || PaintInProgress()) return;
    const int node = ResultNodeOfRow(currentRow);
    if (node != 0) HighlightNode(node);
  }
  void Prepare() override {
    InsertModeShapeItems();
    InsertModeSteppingItems();
    ShowResultsButtons({295, kPreviousMode, kNextMode, 296, kShapeCommand, kAnimationCommand}, true);
  }
  void Close() override {
    HideShapesOnClose();
    HideHighlight();
    RemoveModeShapeItems();
    RemoveModeSteppingItems();
    ShowResultsButtons({295, kPreviousMode, kNextMode, 296, kShapeCommand, kAnimationCommand}, false);
  }
  void ContextMenu() override { TrackResultTablePopup(*this, ModeShapePopup(true)); }
  void WriteText() override;
};

ModeShapeTableWindow& TheModeShapes() {
  static ModeShapeTableWindow table;
  return table;
}

void ModeShapeTextHeading() {
  ReportPutCentred(CurrentModeTitle(), 6, 78);
  ReportNewLine();
  ReportRule();
  ReportPutText("Node", 6);
  const std::string displacement = std::string(" ") + UnitLabel(kUnitDisplacement);
  const std::string angle = std::string(" ") + UnitLabel(kUnitAngle);
  constexpr int kFirst[6] = {15, 26, 37, 48, 59, 70};
  for (int c = 0; c < 6; ++c)
    ReportPutCentred(kAxisNames[c] + (c < 3 ? displacement : angle), kFirst[c], kFirst[c] + 7);
  ReportNewLine();
  ReportRule();
}

void WriteOneModeShape(ModeShapeTableWindow& t, int rows) {
  const std::string title = CurrentModeTitle();
  if (!g_ReportFileOpen) {
    ResultPrintTable grid(t, rows);
    grid.equalize = [](std::vector<int>& w) { SpreadMaxWidth(w, 2, 7); };
    PrintResultGrid(grid, "", title, rows);
    return;
  }
  if (g_ReportToFile) {
    ReportAppendLine(CsvQuoted(title + ": Mode shape"));
    ReportNewLine();
    std::vector<std::string> heading{"Node"};
    for (int c = 0; c < 6; ++c)
      heading.push_back(std::string(kAxisNames[c]) + " " + UnitLabel(c < 3 ? kUnitDisplacement : kUnitAngle));
    WriteCsvCells(heading);
    for (int row = 1; row <= rows; ++row) {
      std::vector<std::string> cells;
      for (int column = 1; column <= 7; ++column) cells.push_back(t.CellText(row, column, 0));
      WriteCsvCells(cells);
    }
    return;
  }
  if (ReportLinesLeft() < 5) ReportNewPage();
  ReportSetTitle(title + ": Mode shape");
  if (g_ReportLine != kReportBodyLine) ModeShapeTextHeading();
  constexpr int kEnds[6] = {21, 32, 43, 54, 65, 76};
  for (int row = 1; row <= rows; ++row) {
    if (g_ReportLine == kReportBodyLine) ModeShapeTextHeading();
    ReportPutText(t.CellText(row, 1, 0), 6);
    for (int c = 0; c < 6; ++c) ReportPutTextRight(t.CellText(row, c + 2, 0), kEnds[c]);
    ReportNewLine();
  }
  if (g_ReportLine != kReportBodyLine) ReportRule();
}

void ModeShapeTableWindow::WriteText() {
  const int modes = ResultModeCount();
  const int rows = static_cast<int>(TheResults().resultNodes.size());
  if (modes == 0 || rows == 0) return;
  if (g_ReportFileOpen && !g_ReportToFile) BeginReportSection("Mode shapes", 1);
  const int kept = g_CurrentMode;
  for (int m = 1; m <= modes; ++m) {
    g_CurrentMode = m;
    LoadModeShape(TheModel());
    WriteOneModeShape(*this, rows);
  }
  g_CurrentMode = kept;
  LoadModeShape(TheModel());
}

}  // namespace

int ResultModeCount() { return Modal().present ? static_cast<int>(Modal().frequencies.size()) : 0; }

std::string CurrentModeTitle() {
  if (g_CurrentMode < 1 || g_CurrentMode > ResultModeCount()) return "Mode";
  char title[64];
  std::snprintf(title, sizeof title, "Mode %d: %.2f Hz", g_CurrentMode, Frequency(g_CurrentMode));
  return title;
}

void OpenFrequenciesTable() {
  const int modes = ResultModeCount();
  if (modes == 0) return;
  SetResultsReopenCommand(OpenFrequenciesTable);
  FrequenciesTableWindow& table = TheFrequencies();
  if (!BindResultsTable(table, 8, 2)) return;
  table.gapAfterHeading1 = true;
  TableSetRows(table, modes + 1);
  table.currentRow = std::clamp(g_CurrentMode, 1, modes);
  if (ResultsFrame().window != nullptr) FrameSetTitle(ResultsFrame(), "Frequencies");
  TableShowFocus(table);
}

void OpenModeShapeTable() {
  const int rows = static_cast<int>(TheResults().resultNodes.size());
  if (rows == 0 || ResultModeCount() == 0) return;
  SetResultsReopenCommand(OpenModeShapeTable);
  ModeShapeTableWindow& table = TheModeShapes();
  if (!BindResultsTable(table, 7, 1)) return;
  table.nodeSearch = true;
  TableSetRows(table, rows);
  FillModeShapeTitle();
  TableShowFocus(table);
  table.CurrentRowChanged();
}

void StepMode(int step) {
  const int modes = ResultModeCount();
  if (modes <= 1) return;
  const bool animated = AnimationRunning();
  StopAnimation();
  StopPainting();
  g_CurrentMode += step;
  if (g_CurrentMode < 1) g_CurrentMode = modes;
  if (g_CurrentMode > modes) g_CurrentMode = 1;
  FillModeShapeTitle();
  if (ModeShapeShown()) ShowModeShape();
  if (animated) StartAnimation();
}

ResultTableWindow& FrequenciesTable() { return TheFrequencies(); }
ResultTableWindow& ModeShapeTable() { return TheModeShapes(); }

void RegisterModalTables() {
  RegisterResultTableView(TheFrequencies());
  RegisterResultTableView(TheModeShapes());
}
