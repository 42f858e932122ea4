// The displacement tables; see DisplacementTables.h.
#include "results/DisplacementTables.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>

#include "model/Model.h"
#include "model/Nodes.h"
#include "numeric/RunState.h"
#include "platform/Menu.h"
#include "platform/Window.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "results/OtherSelectors.h"
#include "resultsfile/ResultBlocks.h"
#include "resultsfile/ResultCases.h"
#include "resultsfile/ResultNavigation.h"
#include "resultsfile/ResultPrint.h"
#include "resultsfile/ResultsFile.h"
#include "resultsfile/TextMeasure.h"
#include "services/BinaryFile.h"
#include "services/Frame.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/TableViews.h"
#include "services/TableWindow.h"
#include "services/Units.h"
#include "services/ViewRequests.h"

bool g_ShowDeformedCoordinates = false;

namespace {

constexpr int kColumns = 10;
constexpr const char* kAxisNames[6] = {"X", "Y", "Z", "XX", "YY", "ZZ"};
constexpr int kShapeCommand = 216, kAnimationCommand = 221, kMagnificationCommand = 300, kDeformedCommand = 217;
constexpr int kGraphicsCommand = 253, kHangerSelectionCommand = 218;

int ResultNodeOfRow(int row) {
  const auto& nodes = TheResults().resultNodes;
  return row >= 1 && row <= static_cast<int>(nodes.size()) ? nodes[static_cast<std::size_t>(row) - 1] : 0;
}

const std::array<float, 6>& ValuesOf(int node) {
  static const std::array<float, 6> none{};
  return node >= 1 && node < static_cast<int>(g_CaseDisplacements.size()) ? g_CaseDisplacements[static_cast<std::size_t>(node)]
                                                                          : none;
}

std::string ComponentText(float value, int component) {
  return component < 3 ? FormatDisplacementOrNone(value) : FormatAngleFixedOrNone(value);
}

HMENU ViewPopup() { return ResultsFrame().menu != nullptr ? GetSubMenu(ResultsFrame().menu, 2) : nullptr; }

const char* DeformedItemText() {
  return g_ShowDeformedCoordinates ? "Hide deformed state coordinates" : "Show deformed state coordinates";
}

// The shape items in the View popup before "&Graphics", with their separator.
void InsertShapeItems(bool withDeformed) {
  HMENU view = ViewPopup();
  if (view == nullptr || ResultsMenuHas(kShapeCommand)) return;
  InsertMenu(view, kGraphicsCommand, MF_BYCOMMAND | MF_STRING, kShapeCommand, "&Show deflected shape\t Ctrl+D");
  InsertMenu(view, kGraphicsCommand, MF_BYCOMMAND | MF_STRING, kAnimationCommand,
             "&Show animated deflected shape\t Ctrl+Shift+A");
  InsertMenu(view, kGraphicsCommand, MF_BYCOMMAND | MF_STRING, kMagnificationCommand, "&Magnification...");
  if (withDeformed) InsertMenu(view, kGraphicsCommand, MF_BYCOMMAND | MF_STRING, kDeformedCommand, DeformedItemText());
  InsertMenu(view, kGraphicsCommand, MF_BYCOMMAND | MF_SEPARATOR, 0, nullptr);
  EnableMenuItem(view, kMagnificationCommand, MF_BYCOMMAND | MF_GRAYED);
}

void RemoveShapeItems() {
  HMENU view = ViewPopup();
  if (view == nullptr || !ResultsMenuHas(kShapeCommand)) return;
  const int count = GetMenuItemCount(view);
  for (int i = 0; i + 1 < count; ++i) {
    if (GetMenuItemID(view, i + 1) != kGraphicsCommand) continue;
    if (GetMenuItemID(view, i) == 0 && GetSubMenu(view, i) == nullptr) DeleteMenu(view, static_cast<UINT>(i), MF_BYPOSITION);
    break;
  }
  for (int id : {kShapeCommand, kAnimationCommand, kMagnificationCommand, kDeformedCommand})
    if (ResultsMenuHas(id)) DeleteMenu(view, static_cast<UINT>(id), MF_BYCOMMAND);
}

void HighlightRowNode(int node) {
  if (node == 0 || PaintInProgress()) return;
  HighlightNode(node);
}

HMENU DisplacementPopup(bool shapeItems) {
  HMENU popup = CreatePopupMenu();
  if (shapeItems) {
    AppendMenu(popup, MF_STRING, kShapeCommand, "&Show deflected shape");
    AppendMenu(popup, MF_STRING, kAnimationCommand, "&Show animated deflected shape");
    AppendMenu(popup, MF_STRING, kDeformedCommand, DeformedItemText());
    AppendMenu(popup, MF_SEPARATOR, 0, nullptr);
  }
  AppendDisplacementMenuItems(popup);
  AppendMenu(popup, MF_SEPARATOR, 0, nullptr);
  if (TheResultCases().count > 1) {
    AppendLoadCaseMenuItems(popup);
    AppendMenu(popup, MF_SEPARATOR, 0, nullptr);
  }
  AppendResultsMenuItems(popup);
  return popup;
}

// The hanger displacement file of the results shown; empty when their run
// wrote none (or another run came since).
std::string HangerDisplacementsFile() { return HangerDisplacementsFileFor(ResultsPathOf(TheModel().path)); }

bool ModelHasHangers(const Model& model) {
  for (int row = 1; row <= model.rowCount; ++row)
    if (model.row(row).dataType == DataType::Hanger) return true;
  return false;
}

// The sustained displacements of the hanger selection into the case's
// displacement records: a file whose node count or node ids are not the
// results' own, or that is short or damaged, changes nothing.
bool ReadHangerDisplacements(const std::string& path) {
  const Model& model = TheModel();
  BinaryFile file;
  if (path.empty() || !BinaryFileOpenRead(file, path)) return false;
  BinaryFileRequireFinite(file);
  std::int32_t count = 0;
  BinaryFileReadInt(file, count);
  constexpr std::int64_t kRecord = 4 + 6 * 4;
  if (count < 1 || count > model.nodes.count || BinaryFileBytesLeft(file) != count * kRecord) return false;
  std::vector<std::array<float, 6>> read(static_cast<std::size_t>(count) + 1);
  for (int node = 1; node <= count; ++node) {
    std::int32_t id = 0;
    BinaryFileReadInt(file, id);
    BinaryFileReadFloats(file, read[static_cast<std::size_t>(node)].data(), 6);
    if (id != model.nodes[node].id) return false;
  }
  if (BinaryFileReadFailed(file) || BinaryFileNonFiniteAt(file) >= 0) return false;
  if (g_CaseDisplacements.size() < read.size()) g_CaseDisplacements.resize(read.size());
  for (int node = 1; node <= count; ++node)
    g_CaseDisplacements[static_cast<std::size_t>(node)] = read[static_cast<std::size_t>(node)];
  return true;
}

// --- the displacements table ---------------------------------------------------------

class DisplacementsTableWindow : public ResultTableWindow {
 public:
  DisplacementsTableWindow() { linesPerRow = 1; }

  void Load() {
    LeaveHangerView();
    LoadCaseDisplacements(TheModel());
    ShowResultsTitle("Displacements");
  }
  void Reload() override {
    Load();
    RefreshShownTable(*this);
  }
  // The sustained displacements during hanger selection, until the next
  // load of a case: without the shape items, which show the case.
  void ShowHangerView() {
    hangerView_ = true;
    RemoveShapeItems();
    ShowResultsButtons({297, kShapeCommand, kAnimationCommand}, false);
    ReadHangerDisplacements(HangerDisplacementsFile());
    if (ResultsFrame().window != nullptr)
      FrameSetTitle(ResultsFrame(), "Sustained Load Displacements during Hanger Selection");
    RefreshShownTable(*this);
  }
  void LeaveHangerView() {
    if (!hangerView_) return;
    hangerView_ = false;
    InsertShapeItems(true);
    ShowResultsButtons({297, kShapeCommand, kAnimationCommand}, true);
  }
  std::string PrintName() override { return "Displacements"; }
  void DefineColumns() override {
    const TextWidthFunction width = ScreenTextWidth(*this);
    // Hidden coordinate columns are made 0 wide whatever they hold: their
    // cells are not written.
    const int last = g_ShowDeformedCoordinates ? 10 : 7;
    std::vector<int> measured = MeasureTableColumns(*this, rowCount, width, 1, 1);
    const bool byShape = DigitsShareWidth(width);
    for (int column = 2; column <= last; ++column) {
      const std::optional<int> fast = column <= 7 && byShape ? ValueColumnWidth(column, width) : std::nullopt;
      measured[static_cast<std::size_t>(column)] =
          fast ? *fast : MeasureTableColumns(*this, rowCount, width, column, column)[static_cast<std::size_t>(column)];
    }
    Equalize(measured);
    widths = measured;
  }
  // The width of a displacement or rotation column (2 .. 7) from its
  // heading and two cells, when the digits share one advance. Widths are
  // sums of character advances, so a fixed-decimal text is as wide as its
  // sign and its count of whole digits make it. Both formats scale the
  // value, zero the tiniest and round to fixed decimals, and each step
  // keeps the order of the values: among the texts of one sign, the one of
  // the largest magnitude has the most whole digits, and it is the text of
  // the smallest or of the largest value. None when a value is absent or
  // not finite, or an extreme's text leaves the fixed form (then a value
  // between them may too): the column is measured cell by cell.
  std::optional<int> ValueColumnWidth(int column, const TextWidthFunction& width) {
    const int component = column - 2;
    bool any = false;
    float least = 0.0f, most = 0.0f;
    for (int row = 1; row <= rowCount; ++row) {
      const int node = ResultNodeOfRow(row);
      if (node == 0) continue;
      const float value = ValuesOf(node)[static_cast<std::size_t>(component)];
      if (!std::isfinite(value) || IsAbsentValue(value)) return std::nullopt;
      least = any ? std::min(least, value) : value;
      most = any ? std::max(most, value) : value;
      any = true;
    }
    int w = 0;
    for (int line = 0; line < headingLines; ++line) {
      const std::string heading = HeadingText(column, line);
      if (!heading.empty()) w = std::max(w, width(heading));
    }
    if (!any) return w;
    for (float extreme : {least, most}) {
      const std::string text = ComponentText(extreme, component);
      if (text.find_first_not_of("-.0123456789") != std::string::npos) return std::nullopt;
      w = std::max(w, width(text));
    }
    return w;
  }
  void Equalize(std::vector<int>& w) const {
    SpreadMaxWidth(w, 2, g_ShowDeformedCoordinates ? 10 : 7);
    if (!g_ShowDeformedCoordinates) w[8] = w[9] = w[10] = 0;
  }
  std::string HeadingText(int column, int line) override {
    if (line != 1) return {};
    if (column == 1) return "Node";
    if (column >= 2 && column <= 7) {
      const int c = column - 2;
      return ValueWithUnitLabel(kAxisNames[c], c < 3 ? kUnitDisplacement : kUnitAngle);
    }
    if (column >= 8 && column <= 10) return ValueWithUnitLabel(kAxisNames[column - 8], kUnitLength);
    return {};
  }
  std::string CellText(int row, int column, int /*line*/) override {
    const int node = ResultNodeOfRow(row);
    if (node == 0) return {};
    if (column == 1) return NodeNumberText(TheModel().nodes[node].id);
    const auto& values = ValuesOf(node);
    if (column >= 2 && column <= 7) return ComponentText(values[static_cast<std::size_t>(column - 2)], column - 2);
    if (column >= 8 && column <= 10) {
      const NodeRecord& record = TheModel().nodes[node];
      const float coordinate = column == 8 ? record.x : column == 9 ? record.y : record.z;
      return FormatLength(coordinate + values[static_cast<std::size_t>(column - 8)]);
    }
    return {};
  }
  std::int32_t RowNode(int row) override {
    const int node = ResultNodeOfRow(row);
    return node != 0 ? TheModel().nodes[node].id : 0;
  }
  void KeyDown(UINT key) override {
    if (!ResultTableKey(*this, key)) TableKeyDown(*this, key);
  }
  void CurrentRowChanged() override { HighlightRowNode(ResultNodeOfRow(currentRow)); }
  void Prepare() override {
    if (!hangerView_) InsertShapeItems(true);
    AddDisplacementNavigationMenu();
    ShowResultsButtons({297, kShapeCommand, kAnimationCommand}, !hangerView_);
  }
  void Close() override {
    RemoveShapeItems();
    RemoveDisplacementNavigationMenu();
    ShowResultsButtons({297, kShapeCommand, kAnimationCommand}, false);
    HideHighlight();
  }
  void PaintExtra() override { PaintHeadingGroups(*this, Groups()); }
  void DrawColumnRule(int column) override {
    if (!DrawGroupColumnRule(*this, Groups(), column)) ResultTableWindow::DrawColumnRule(column);
  }
  void ContextMenu() override {
    HMENU popup = DisplacementPopup(!hangerView_);
    if (ModelHasHangers(TheModel()) && !HangerDisplacementsFile().empty()) {
      AppendMenu(popup, MF_SEPARATOR, 0, nullptr);
      AppendMenu(popup, MF_STRING, kHangerSelectionCommand, "Show sust. disp. during hanger selection");
    }
    TrackResultTablePopup(*this, popup);
  }
  void WriteText() override;

  static std::vector<HeadingGroup> Groups() {
    std::vector<HeadingGroup> groups{{2, 7, "Displacements (global)"}};
    if (g_ShowDeformedCoordinates) groups.push_back({8, 10, "Deformed state coordinates"});
    return groups;
  }

 private:
  bool hangerView_ = false;
};

DisplacementsTableWindow& TheDisplacements() {
  static DisplacementsTableWindow table;
  return table;
}

void TextHeading(const std::string& caseTitle) {
  ReportPutCentred("Displacements: " + caseTitle, 6, 78);
  ReportNewLine();
  ReportRule();
  ReportPutText("Node", 6);
  const std::string displacement = std::string(" ") + UnitLabel(kUnitDisplacement);
  const std::string angle = UnitLabel(kUnitAngle);
  ReportPutCentred("X" + displacement, 15, 22);
  ReportPutCentred("Y" + displacement, 26, 33);
  ReportPutCentred("Z" + displacement, 37, 44);
  ReportPutCentred("XX" + angle, 48, 55);
  ReportPutCentred("YY" + angle, 59, 66);
  ReportPutCentred("ZZ" + angle, 70, 77);
  ReportNewLine();
  ReportRule();
}

void DisplacementsTableWindow::WriteText() {
  DisplacementsTableWindow& t = *this;
  const int rows = static_cast<int>(TheResults().resultNodes.size());
  const std::string caseTitle = CurrentCaseTitle();
  if (!g_ReportFileOpen) {
    ResultPrintTable grid(t, rows, Groups());
    grid.equalize = [&t](std::vector<int>& w) { t.Equalize(w); };
    BeginReportSection("Displacements", 1);
    PrintResultGrid(grid, "", "Displacements: " + caseTitle, rows);
    return;
  }
  if (g_ReportToFile) {
    ReportAppendLine(CsvQuoted(caseTitle + ": Displacements"));
    ReportNewLine();
    const bool deformed = g_ShowDeformedCoordinates;
    WriteCsvCells(deformed ? std::vector<std::string>{"", "", "", "Displacements (global)", "", "", "",
                                                      "Deformed state coordinates", "", ""}
                           : std::vector<std::string>{"", "", "", "Displacements (global)", "", ""});
    std::vector<std::string> names{"", "X", "Y", "Z", "XX", "YY", "ZZ"};
    if (deformed) names.insert(names.end(), {"X", "Y", "Z"});
    WriteCsvCells(names);
    std::vector<std::string> units{"Node"};
    for (int c = 0; c < 6; ++c) units.push_back(UnitLabel(c < 3 ? kUnitDisplacement : kUnitAngle));
    if (deformed)
      for (int c = 0; c < 3; ++c) units.push_back(UnitLabel(kUnitLength));
    WriteCsvCells(units);
    for (int row = 1; row <= rows; ++row) {
      std::vector<std::string> cells;
      for (int column = 1; column <= (deformed ? 10 : 7); ++column) cells.push_back(t.CellText(row, column, 0));
      WriteCsvCells(cells);
    }
    return;
  }
  if (ReportLinesLeft() < 5) ReportNewPage();
  ReportSetTitle(caseTitle + ": Displacements");
  TextHeading(caseTitle);
  constexpr int kEnds[6] = {21, 32, 43, 54, 65, 76};
  for (int row = 1; row <= rows; ++row) {
    if (g_ReportLine == kReportBodyLine) TextHeading(caseTitle);
    ReportPutText(t.CellText(row, 1, 0), 6);
    for (int c = 0; c < 6; ++c) ReportPutTextRight(t.CellText(row, c + 2, 0), kEnds[c]);
    ReportNewLine();
  }
  if (g_ReportLine != kReportBodyLine) ReportRule();
}

// --- the minimum and maximum table ---------------------------------------------------

class MinMaxTableWindow : public ResultTableWindow {
 public:
  void Load() {
    LoadCaseDisplacements(TheModel());
    ShowResultsTitle("Minimum & Maximum Displacements");
  }
  void Reload() override {
    Load();
    RefreshShownTable(*this);
  }
  std::string PrintName() override { return "Minimum & Maximum Displacements"; }
  // At least the room of "Direction" and of "123.45678", and as wide as
  // the widest text: a large movement shows in exponent form
  // ("-8.889E+009"), wider than the digits, and would run into the node.
  void DefineColumns() override {
    const TextWidthFunction width = ScreenTextWidth(*this);
    widths = MeasureTableColumns(*this, rowCount, width);
    widths[1] = std::max(widths[1], width("Direction"));
    const int other = width("123.45678");
    for (std::size_t c = 2; c <= 4; ++c) widths[c] = std::max(other, widths[c]);
  }
  std::string HeadingText(int column, int line) override {
    if (line != 0) return {};
    static const char* const kHeadings[5] = {"", "Direction", "Type", "Value", "Node"};
    return column >= 1 && column <= 4 ? kHeadings[column] : "";
  }
  std::string CellText(int row, int column, int /*line*/) override {
    if (row < 1 || row > 12) return {};
    const int component = (row - 1) / 2;
    const bool maximum = row % 2 == 0;
    const DisplacementExtreme& extreme = g_DisplacementExtremes[static_cast<std::size_t>(component)];
    switch (column) {
      case 1: return maximum ? UnitLabel(component < 3 ? kUnitDisplacement : kUnitAngle) : kAxisNames[component];
      case 2: return maximum ? "Maximum" : "Minimum";
      case 3: {
        const int node = maximum ? extreme.maximumNode : extreme.minimumNode;
        return node == 0 ? std::string() : ComponentText(maximum ? extreme.maximum : extreme.minimum, component);
      }
      case 4: {
        const int node = maximum ? extreme.maximumNode : extreme.minimumNode;
        return node != 0 ? NodeNumberText(TheModel().nodes[node].id) : "";
      }
      default: return {};
    }
  }
  int NodeOfRow(int row) const {
    if (row < 1 || row > 12) return 0;
    const DisplacementExtreme& extreme = g_DisplacementExtremes[static_cast<std::size_t>((row - 1) / 2)];
    return row % 2 == 0 ? extreme.maximumNode : extreme.minimumNode;
  }
  std::int32_t RowNode(int row) override {
    const int node = NodeOfRow(row);
    return node != 0 ? TheModel().nodes[node].id : 0;
  }
  void KeyDown(UINT key) override {
    if (!ResultTableKey(*this, key)) TableKeyDown(*this, key);
  }
  void CurrentRowChanged() override { HighlightRowNode(NodeOfRow(currentRow)); }
  void Prepare() override { AddDisplacementNavigationMenu(); }
  void Close() override {
    RemoveDisplacementNavigationMenu();
    HideHighlight();
  }
  void ContextMenu() override { TrackResultTablePopup(*this, DisplacementPopup(false)); }
  void WriteText() override {
    const std::string caseTitle = CurrentCaseTitle();
    if (!g_ReportFileOpen) {
      ResultPrintTable grid(*this, 12);
      BeginReportSection("Minimum & Maximum Displacements", 1);
      PrintResultGrid(grid, "", "Minimum & Maximum Displacements: " + caseTitle, 12);
      return;
    }
    if (g_ReportToFile) {
      ReportAppendLine(CsvQuoted(caseTitle + ": Minimum & Maximum Displacements"));
      ReportNewLine();
      WriteCsvCells({"Direction", "Type", "Value", "Node"});
      for (int row = 1; row <= 12; ++row) WriteCsvCells({CellText(row, 1, 0), CellText(row, 2, 0), CellText(row, 3, 0), CellText(row, 4, 0)});
      return;
    }
    if (ReportLinesLeft() < 5) ReportNewPage();
    ReportSetTitle(caseTitle + ": Minimum & Maximum Displacements");
    ReportPutCentred("Minimum & Maximum Displacements: " + caseTitle, 6, 78);
    ReportNewLine();
    ReportRule();
    ReportPutText("Direction", 6);
    ReportPutText("Type", 18);
    ReportPutTextRight("Value", 40);
    ReportPutTextRight("Node", 50);
    ReportNewLine();
    ReportRule();
    for (int row = 1; row <= 12; ++row) {
      ReportPutText(CellText(row, 1, 0), 6);
      ReportPutText(CellText(row, 2, 0), 18);
      ReportPutTextRight(CellText(row, 3, 0), 40);
      ReportPutTextRight(CellText(row, 4, 0), 50);
      ReportNewLine();
    }
    ReportRule();
  }
};

MinMaxTableWindow& TheMinMax() {
  static MinMaxTableWindow table;
  return table;
}

template <typename Table>
void ShowTable(Table& table, int columns, int headingLines, int rows, bool groupGap) {
  if (!BindResultsTable(table, columns, headingLines)) return;
  table.gapAfterHeading1 = groupGap;
  table.nodeSearch = true;
  TableSetRows(table, rows);
  table.Load();
  TableShowFocus(table);
  table.CurrentRowChanged();
}

}  // namespace

void OpenDisplacementsTable() {
  const int rows = static_cast<int>(TheResults().resultNodes.size());
  if (rows == 0) return;
  EnterDisplacementKind(OpenDisplacementsTable);
  ShowTable(TheDisplacements(), kColumns, 2, rows, true);
}

void OpenMinMaxDisplacementsTable() {
  EnterDisplacementKind(OpenMinMaxDisplacementsTable);
  ShowTable(TheMinMax(), 4, 1, 12, false);
}

void ShowHangerSelectionDisplacements() {
  if (TheResults().resultNodes.empty()) return;
  OpenDisplacementsTable();
  TheDisplacements().ShowHangerView();
}

void ToggleDeformedCoordinates() {
  g_ShowDeformedCoordinates = !g_ShowDeformedCoordinates;
  OpenDisplacementsTable();
}

ResultTableWindow& DisplacementsTable() { return TheDisplacements(); }
ResultTableWindow& MinMaxDisplacementsTable() { return TheMinMax(); }

void RegisterDisplacementTables() {
  RegisterResultTableView(TheDisplacements());
  RegisterResultTableView(TheMinMax());
}
