// The joint and support displacement tables; see JointDisplacementTables.h.
#include "results/JointDisplacementTables.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "elements/ElementForces.h"
#include "elements/HingeJoint.h"
#include "kindbase/NonlinearSupports.h"
#include "model/LayoutKeywords.h"
#include "model/ListWindow.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "model/Nodes.h"
#include "platform/Menu.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "results/OtherSelectors.h"
#include "resultsfile/ResultBlocks.h"
#include "resultsfile/ResultCases.h"
#include "resultsfile/ResultNavigation.h"
#include "resultsfile/ResultPrint.h"
#include "resultsfile/ResultsFile.h"
#include "resultsfile/TextMeasure.h"
#include "services/Assert.h"
#include "services/ListFrameState.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/TableViews.h"
#include "services/TableWindow.h"
#include "services/Units.h"
#include "services/ViewRequests.h"
#include "supports/Guide.h"
#include "supports/LimitStop.h"
#include "supports/OtherSupportLists.h"

bool g_JointResultsGlobal = false;

namespace {

constexpr int kGlobalLocalCommand = 288;
constexpr const char* kGlobalNames[6] = {"X", "Y", "Z", "XX", "YY", "ZZ"};
constexpr const char* kLocalNames[6] = {"x", "y", "z", "xx", "yy", "zz"};

const std::array<float, 6>& NodeValues(int node) {
  static const std::array<float, 6> none{};
  return node >= 1 && node < static_cast<int>(g_CaseDisplacements.size()) ? g_CaseDisplacements[static_cast<std::size_t>(node)]
                                                                          : none;
}

std::string DisplacementText(double value) { return FormatDisplacement(static_cast<float>(value)); }
std::string AngleText(double value) { return FormatAngle(static_cast<float>(value)); }
std::string ComponentText(double value, int component) {
  return component < 3 ? DisplacementText(value) : AngleText(value);
}
std::string GlobalCell(int node, int component) {
  const float value = NodeValues(node)[static_cast<std::size_t>(component)];
  return component < 3 ? FormatDisplacementOrNone(value) : FormatAngleFixedOrNone(value);
}
// An axis component with 3 decimals in 8 characters; none when it is 0.
std::string AxisComponentText(double value) {
  return std::fabs(value) < 5.0e-4 ? std::string() : std::string(FormatFixedWidth(value, 8, 3));
}

const AnalysisElement& ElementAt(int e) { return TheResults().elements[static_cast<std::size_t>(e)]; }

int ListEntry(const std::vector<int>& list, int row) {
  return row >= 1 && row <= static_cast<int>(list.size()) ? list[static_cast<std::size_t>(row) - 1] : 0;
}

std::array<double, 6> RelativeMovement(const AnalysisElement& element) {
  const std::array<float, 6>& from = NodeValues(element.node1);
  const std::array<float, 6>& to = NodeValues(element.node2);
  std::array<double, 6> d{};
  for (std::size_t i = 0; i < 6; ++i) d[i] = static_cast<double>(to[i]) - static_cast<double>(from[i]);
  return d;
}

// The movement shown for a joint: global differences or local components.
std::array<double, 6> ShownMovement(int e) {
  const AnalysisElement& element = ElementAt(e);
  const std::array<double, 6> d = RelativeMovement(element);
  return g_JointResultsGlobal ? d : JointRelativeDisplacementToLocal(TheModel(), element, d);
}

std::string Axes() { return g_JointResultsGlobal ? "global coord" : "local coord"; }
std::string AxesCapital() { return g_JointResultsGlobal ? "Global Coord" : "Local Coord"; }

// What every table here shares: its rows, caption, keys, items and popup.
class KindDisplacementTable : public ResultTableWindow {
 public:
  explicit KindDisplacementTable(ResultOpener opener, bool switches) : opener_(opener), switches_(switches) {
    linesPerRow = 1;
  }
  virtual int Rows() const = 0;
  virtual std::string Caption() const = 0;
  // The kind's columns, one heading line and one line a row: the table is
  // laid out in them when it opens and when it prints, shown or not.
  virtual int Columns() const = 0;
  TableShape Shape() const { return {Columns(), 1, 1}; }

  void Load() {
    LoadCaseDisplacements(TheModel());
    ShowResultsTitle(Caption());
  }
  void Reload() override {
    Load();
    RefreshShownTable(*this);
  }
  bool Switches() const { return switches_; }
  ResultOpener Opener() const { return opener_; }
  void KeyDown(UINT key) override {
    if (!ResultTableKey(*this, key)) TableKeyDown(*this, key);
  }
  void Prepare() override { AddDisplacementNavigationMenu(); }
  void Close() override {
    RemoveDisplacementNavigationMenu();
    HideHighlight();
  }
  void ContextMenu() override {
    HMENU popup = CreatePopupMenu();
    AppendDisplacementMenuItems(popup);
    AppendMenu(popup, MF_SEPARATOR, 0, nullptr);
    if (switches_) {
      AppendMenu(popup, MF_STRING, kGlobalLocalCommand,
                 g_JointResultsGlobal ? "Local &Displacements" : "Global &Displacements");
      AppendMenu(popup, MF_SEPARATOR, 0, nullptr);
    }
    if (TheResultCases().count > 1) {
      AppendLoadCaseMenuItems(popup);
      AppendMenu(popup, MF_SEPARATOR, 0, nullptr);
    }
    AppendResultsMenuItems(popup);
    TrackResultTablePopup(*this, popup);
  }

 private:
  ResultOpener opener_;
  bool switches_;
};

// Prints or reports with local components, whatever the screen shows.
void WithLocalAxes(const std::function<void()>& write) {
  const bool global = g_JointResultsGlobal;
  g_JointResultsGlobal = false;
  write();
  g_JointResultsGlobal = global;
}

// A report's rows under their heading: the title centred up to `width`,
// the column headings between rules, again at the top of every page the
// rows run onto, and a rule under the last row unless it ended a page.
void WriteReportRows(const std::string& title, int width, int rows, const std::function<void()>& headings,
                     const std::function<void(int row)>& cells) {
  auto heading = [&] {
    ReportPutCentred(title, 6, width);
    ReportNewLine();
    ReportRule();
    headings();
    ReportNewLine();
    ReportRule();
  };
  if (ReportLinesLeft() < 5) ReportNewPage();
  heading();
  for (int row = 1; row <= rows; ++row) {
    if (g_ReportLine == kReportBodyLine) heading();
    cells(row);
    ReportNewLine();
  }
  if (g_ReportLine != kReportBodyLine) ReportRule();
}

// A joint's row is an analysis element of the kind's list: its two nodes,
// and its layout row highlighted. The tables, their prints and their
// reports are all in local axes; the kinds differ in the columns after the
// two nodes and in how their report lays them out.
class JointDisplacementTable : public KindDisplacementTable {
 public:
  // `elements` is the kind's list of elements in the results.
  JointDisplacementTable(ResultOpener opener, const char* name, std::vector<int> ResultsFileContents::*elements,
                         void (*equalize)(std::vector<int>&))
      : KindDisplacementTable(opener, true), name_(name), elements_(elements), equalize_(equalize) {
    nodePair = true;
  }
  int Rows() const override { return static_cast<int>(Elements().size()); }
  std::string Caption() const override { return std::string(name_) + " joint displacements in " + Axes(); }
  std::string PrintName() override { return std::string(name_) + " joint displacements"; }
  int ElementOfRow(int row) const { return ListEntry(Elements(), row); }
  void DefineColumns() override {
    widths = MeasureTableColumns(*this, rowCount, ScreenTextWidth(*this));
    equalize_(widths);
  }
  std::string HeadingText(int column, int line) override {
    if (line != 0) return {};
    if (column == 1) return "From";
    if (column == 2) return "To";
    return KindHeading(column, g_JointResultsGlobal ? kGlobalNames : kLocalNames);
  }
  std::string CellText(int row, int column, int /*line*/) override {
    const int e = ElementOfRow(row);
    if (e == 0) return {};
    const AnalysisElement& element = ElementAt(e);
    if (column == 1) return NodeNumberText(TheModel().nodes[element.node1].id);
    if (column == 2) return NodeNumberText(TheModel().nodes[element.node2].id);
    return KindCell(e, element, column);
  }
  void RowNodes(int row, std::int32_t& from, std::int32_t& to) override {
    from = to = 0;
    if (const int e = ElementOfRow(row)) {
      from = TheModel().nodes[ElementAt(e).node1].id;
      to = TheModel().nodes[ElementAt(e).node2].id;
    }
  }
  void CurrentRowChanged() override {
    if (const int e = ElementOfRow(currentRow)) HighlightElementRow(ElementAt(e).row);
  }
  void WriteText() override {
    if (Rows() == 0) return;
    LoadCaseDisplacements(TheModel());
    WithLocalAxes([this] {
      if (!g_ReportFileOpen) {
        ResultPrintTable grid(*this, Shape(), Rows());
        grid.equalize = equalize_;
        PrintResultGrid(grid, "", PrintName() + ": " + CurrentCaseTitle(), Rows());
      } else {
        WriteReport();
      }
      WriteFollowingTables();
    });
  }

 protected:
  // The heading and cell of a column after the two nodes.
  virtual std::string KindHeading(int column, const char* const* names) = 0;
  virtual std::string KindCell(int e, const AnalysisElement& element, int column) = 0;
  // The comma-separated heading line, and the report's heading and row
  // between the rules (the node columns included).
  virtual std::string CsvHeading() const = 0;
  virtual void ReportHeading() = 0;
  virtual void ReportRow(int row) = 0;
  virtual void WriteFollowingTables() {}

 private:
  void WriteReport() {
    const int rows = Rows();
    const std::string caseTitle = CurrentCaseTitle();
    if (g_ReportToFile) {
      ReportAppendLine(CsvQuoted(caseTitle + ": " + PrintName() + " (local)"));
      ReportNewLine();
      ReportAppendLine(CsvHeading());
      ReportNewLine();
      for (int row = 1; row <= rows; ++row) {
        std::vector<std::string> cells;
        for (int c = 1; c <= Columns(); ++c) cells.push_back(CellText(row, c, 0));
        WriteCsvCells(cells);
      }
      return;
    }
    BeginReportSection(PrintName(), 1);
    ReportSetTitle(caseTitle + ": " + PrintName() + " (local)");
    WriteReportRows(PrintName() + " in local coordinates: " + caseTitle, 78, rows, [this] { ReportHeading(); },
                    [this](int row) { ReportRow(row); });
  }

  const std::vector<int>& Elements() const { return TheResults().*elements_; }

  const char* name_;
  std::vector<int> ResultsFileContents::*elements_;
  void (*equalize_)(std::vector<int>&);
};

// --- ball joints ----------------------------------------------------------------------

void EqualizeBallJoints(std::vector<int>& w) {
  SpreadMaxWidth(w, 1, 2);
  SpreadMaxWidth(w, 3, 5);
}

class BallJointTable : public JointDisplacementTable {
 public:
  BallJointTable()
      : JointDisplacementTable(OpenBallJointDisplacementsTable, "Ball", &ResultsFileContents::ballJoints,
                               EqualizeBallJoints) {}
  int Columns() const override { return 6; }

 protected:
  std::string KindHeading(int column, const char* const* names) override {
    if (column >= 3 && column <= 5) return std::string(names[column]) + " " + UnitLabel(kUnitAngle);
    if (column == 6) return std::string("Bending ") + UnitLabel(kUnitAngle);
    return {};
  }
  std::string KindCell(int e, const AnalysisElement& /*element*/, int column) override {
    if (column >= 3 && column <= 5) return AngleText(ShownMovement(e)[static_cast<std::size_t>(column)]);
    if (column == 6) return AngleText(Bending(e));
    return {};
  }
  std::string CsvHeading() const override {
    const std::string angle = UnitLabel(kUnitAngle);
    return "From,To,xx " + angle + ",yy " + angle + ",zz " + angle + ",Bending " + angle;
  }
  void ReportHeading() override {
    const std::string angle = UnitLabel(kUnitAngle);
    ReportPutText("From   To", 5);
    ReportPutText("xx" + angle, 17);
    ReportPutText("yy" + angle, 26);
    ReportPutText("zz" + angle, 35);
    ReportPutText("Bending" + angle, 44);
  }
  void ReportRow(int row) override {
    constexpr int kEnds[4] = {23, 32, 41, 52};
    ReportPutText(CellText(row, 1, 0), 5);
    ReportPutText(CellText(row, 2, 0), 11);
    for (int c = 0; c < 4; ++c) ReportPutTextRight(CellText(row, c + 3, 0), kEnds[c]);
  }

 private:
  // The bending rotation is the same in both axes: from the local yy and zz.
  static double Bending(int e) {
    const AnalysisElement& element = ElementAt(e);
    const std::array<double, 6> local = JointRelativeDisplacementToLocal(TheModel(), element, RelativeMovement(element));
    return std::sqrt(local[4] * local[4] + local[5] * local[5]);
  }
};

BallJointTable& TheBallJoints() {
  static BallJointTable table;
  return table;
}

// --- flexible joints --------------------------------------------------------------------

void EqualizeFlexJoints(std::vector<int>& w) {
  EqualizePairWidth(w, 1, 2);
  SpreadMaxWidth(w, 4, 9);
}

class FlexJointTable : public JointDisplacementTable {
 public:
  FlexJointTable()
      : JointDisplacementTable(OpenFlexJointDisplacementsTable, "Flex", &ResultsFileContents::flexibleJoints,
                               EqualizeFlexJoints) {}
  int Columns() const override { return 9; }

 protected:
  std::string KindHeading(int column, const char* const* names) override {
    if (column == 3) return "Type";
    if (column >= 4 && column <= 9) {
      const int c = column - 4;
      return std::string(names[c]) + " " + UnitLabel(c < 3 ? kUnitDisplacement : kUnitAngle);
    }
    return {};
  }
  std::string KindCell(int e, const AnalysisElement& element, int column) override {
    if (column == 3) return ElementTypeMessageName(static_cast<ElementType>(element.kind));
    if (column >= 4 && column <= 9) return ComponentText(ShownMovement(e)[static_cast<std::size_t>(column - 4)], column - 4);
    return {};
  }
  std::string CsvHeading() const override {
    const std::string displacement = UnitLabel(kUnitDisplacement), angle = UnitLabel(kUnitAngle);
    return "From,To,Type,x " + displacement + ",y " + displacement + ",z " + displacement + ",xx " + angle + ",yy " +
           angle + ",zz " + angle;
  }
  void ReportHeading() override {
    const std::string displacement = UnitLabel(kUnitDisplacement), angle = UnitLabel(kUnitAngle);
    ReportPutText("From   To    Type", 5);
    constexpr int kSpans[6][2] = {{26, 32}, {35, 41}, {44, 50}, {53, 59}, {62, 68}, {71, 77}};
    for (int c = 0; c < 6; ++c)
      ReportPutCentred(std::string(kLocalNames[c]) + (c < 3 ? displacement : angle), kSpans[c][0], kSpans[c][1]);
  }
  void ReportRow(int row) override {
    constexpr int kEnds[6] = {32, 41, 50, 59, 68, 77};
    ReportPutText(CellText(row, 1, 0), 5);
    ReportPutText(CellText(row, 2, 0), 11);
    ReportPutText(CellText(row, 3, 0), 17);
    for (int c = 0; c < 6; ++c) ReportPutTextRight(CellText(row, c + 4, 0), kEnds[c]);
  }
  // The ball joints follow the flexible joints they are part of.
  void WriteFollowingTables() override {
    if (!TheResults().ballJoints.empty()) TheBallJoints().WriteText();
  }
};

FlexJointTable& TheFlexJoints() {
  static FlexJointTable table;
  return table;
}

// --- guides, hangers and limit stops ---------------------------------------------------

class SupportDisplacementTable : public KindDisplacementTable {
 public:
  SupportDisplacementTable(ResultOpener opener, bool switches, RowListKind kind, const char* name,
                           ListOpener list)
      : KindDisplacementTable(opener, switches), kind_(kind), name_(name), list_(list) {
    nodeSearch = true;
  }
  int Rows() const override { return TheModel().lists[kind_].count; }
  int LayoutRowOf(int row) const {
    const RowIndexList& list = TheModel().lists[kind_];
    return row >= 1 && row <= list.count ? RowListEntry(list, row) : 0;
  }
  int NodeOfRow(int row) const {
    const int layoutRow = LayoutRowOf(row);
    return layoutRow != 0 ? TheModel().row(layoutRow).endNode : 0;
  }
  std::string Caption() const override {
    return "Displacements at " + std::string(name_) + (Switches() ? " in " + AxesCapital() : std::string());
  }
  std::string PrintName() override { return "Displacements at " + std::string(name_); }
  bool Local() const { return Switches() && !g_JointResultsGlobal; }
  // At least the room of a node and of eight or nine digits, and as wide as
  // the widest heading and value: a small local movement ("-7.8703e-005")
  // is wider than the digits and would run into the next column.
  void DefineColumns() override {
    const TextWidthFunction width = ScreenTextWidth(*this);
    widths = MeasureTableColumns(*this, rowCount, width);
    widths[1] = std::max(widths[1], width(NodeNumberText(99999)));
    const int other = width(Switches() ? "12345678" : "12345.6789");
    for (int c = 2; c <= columnCount; ++c) widths[static_cast<std::size_t>(c)] = std::max(other, widths[static_cast<std::size_t>(c)]);
    Hide(widths);
  }
  // Global guide tables have seven columns of their eight.
  virtual void Hide(std::vector<int>& /*w*/) const {}
  std::string GlobalHeading(int column) const {
    if (column == 1) return "Node";
    if (column >= 2 && column <= 7)
      return std::string(kGlobalNames[column - 2]) + " " + UnitLabel(column <= 4 ? kUnitDisplacement : kUnitAngle);
    return {};
  }
  std::string CellText(int row, int column, int /*line*/) override {
    const int layoutRow = LayoutRowOf(row);
    if (layoutRow == 0) return {};
    if (column == 1) return NodeNumberText(TheModel().row(layoutRow).node);
    if (!Local()) return column >= 2 && column <= 7 ? GlobalCell(NodeOfRow(row), column - 2) : std::string();
    return LocalCell(layoutRow, column);
  }
  virtual std::string LocalCell(int layoutRow, int column) = 0;
  std::int32_t RowNode(int row) override {
    const int layoutRow = LayoutRowOf(row);
    return layoutRow != 0 ? TheModel().row(layoutRow).node : 0;
  }
  void CurrentRowChanged() override {
    const int layoutRow = LayoutRowOf(currentRow);
    if (layoutRow == 0) return;
    HighlightRowDataItem(layoutRow);
    // The kind's list in the List window follows the row (both run in the
    // model's list order).
    if (CurrentListOpener() == list_)
      if (HWND window = ListTableWindow(0); window != nullptr && IsWindowVisible(window)) TableWindowGoTo(window, currentRow);
  }
  void WriteText() override;

 private:
  RowListKind kind_;
  const char* name_;
  ListOpener list_;
};

class GuideTable : public SupportDisplacementTable {
 public:
  GuideTable() : SupportDisplacementTable(OpenGuideDisplacementsTable, true, RowListKind::Guides, "Guides", OpenGuidesList) {}
  int Columns() const override { return 8; }
  void Hide(std::vector<int>& w) const override {
    if (!Local()) w[8] = 0;
  }
  std::string HeadingText(int column, int line) override {
    if (line != 0) return {};
    if (!Local()) return GlobalHeading(column);
    static const char* const kNames[] = {"", "Node", "x", "xx", "yy", "zz", "X comp", "Y comp", "Z comp"};
    if (column == 2) return std::string("x ") + UnitLabel(kUnitDisplacement);
    if (column >= 3 && column <= 5) return std::string(kNames[column]) + " " + UnitLabel(kUnitAngle);
    return column >= 1 && column <= 8 ? kNames[column] : "";
  }
  std::string LocalCell(int layoutRow, int column) override {
    const LayoutRow& row = TheModel().row(layoutRow);
    auto* guide = dynamic_cast<Guide*>(row.item.get());
    if (guide == nullptr || !GuideLocalAxes(*guide, row.endNode)) return {};
    const std::array<float, 6>& v = NodeValues(row.endNode);
    const Direction3* axes[3] = {&guide->axis, &guide->lateral1, &guide->lateral2};
    auto dot = [&v](const Direction3& a, std::size_t first) {
      return a[0] * v[first] + a[1] * v[first + 1] + a[2] * v[first + 2];
    };
    if (column == 2) return DisplacementText(dot(guide->axis, 0));
    if (column >= 3 && column <= 5) return AngleText(dot(*axes[column - 3], 3));
    if (column >= 6 && column <= 8) return AxisComponentText(guide->axis[static_cast<std::size_t>(column - 6)]);
    return {};
  }
};

class HangerTable : public SupportDisplacementTable {
 public:
  HangerTable() : SupportDisplacementTable(OpenHangerDisplacementsTable, false, RowListKind::Hangers, "Hangers", OpenHangersList) {}
  int Columns() const override { return 7; }
  std::string HeadingText(int column, int line) override { return line == 0 ? GlobalHeading(column) : ""; }
  std::string LocalCell(int /*layoutRow*/, int /*column*/) override { return {}; }
};

// The limit stop's local axes: x its direction made unit, y and z by the
// local-frame rule; false without a direction.
bool LimitStopAxes(const LimitStop& stop, int node, LocalFrame& frame) {
  const Direction3 d = LimitStopShownDirection(stop, node);
  const double length = Length3(d);
  if (!(length >= 1.0e-12)) return false;
  for (std::size_t i = 0; i < 3; ++i) frame.x[i] = static_cast<float>(d[i] / length);
  BuildLocalFrame(frame, TheModel().options.ZVertical != 0);
  return true;
}

class LimitStopTable : public SupportDisplacementTable {
 public:
  LimitStopTable()
      : SupportDisplacementTable(OpenLimitStopDisplacementsTable, true, RowListKind::LimitStops, "Limit stops",
                                 OpenLimitStopsList) {}
  int Columns() const override { return 7; }
  std::string HeadingText(int column, int line) override {
    if (line != 0) return {};
    if (!Local()) return GlobalHeading(column);
    static const char* const kNames[] = {"", "Node", "x", "y", "z", "X comp", "Y comp", "Z comp"};
    if (column >= 2 && column <= 4) return std::string(kNames[column]) + " " + UnitLabel(kUnitDisplacement);
    return column >= 1 && column <= 7 ? kNames[column] : "";
  }
  std::string LocalCell(int layoutRow, int column) override {
    const Model& model = TheModel();
    const LayoutRow& row = model.row(layoutRow);
    const auto* stop = dynamic_cast<const LimitStop*>(row.item.get());
    LocalFrame frame;
    if (stop == nullptr || !LimitStopAxes(*stop, row.endNode, frame)) return {};
    if (column >= 5 && column <= 7) return AxisComponentText(frame.x[static_cast<std::size_t>(column - 5)]);
    if (column < 2 || column > 4) return {};
    const Vector3& axis = column == 2 ? frame.x : column == 3 ? frame.y : frame.z;
    auto along = [&axis](int node) {
      const std::array<float, 6>& v = NodeValues(node);
      return static_cast<double>(axis[0]) * v[0] + static_cast<double>(axis[1]) * v[1] + static_cast<double>(axis[2]) * v[2];
    };
    double value = along(row.endNode);
    // With a connected node the stop holds the movement relative to it.
    if (stop->connectedNode != 0)
      if (const int connected = SupportNodeIndex(model, stop->connectedNode)) value -= along(connected);
    return DisplacementText(value);
  }
};

GuideTable& TheGuides() {
  static GuideTable table;
  return table;
}
HangerTable& TheHangers() {
  static HangerTable table;
  return table;
}
LimitStopTable& TheLimitStops() {
  static LimitStopTable table;
  return table;
}

// The report writes the columns shown (a hidden one not at all), each
// right-aligned at the end of its widest text, or comma-separated.
void SupportDisplacementTable::WriteText() {
  const int rows = Rows();
  if (rows == 0) return;
  LoadCaseDisplacements(TheModel());
  const std::string caseTitle = CurrentCaseTitle();
  const std::string title = Caption();
  const LentTableShape lent(*this, Shape(), rows);
  if (!g_ReportFileOpen) {
    ResultPrintTable grid(*this, rows);
    grid.equalize = [this](std::vector<int>& w) { Hide(w); };
    PrintResultGrid(grid, "", title + ": " + caseTitle, rows);
    return;
  }
  std::vector<int> measured = MeasureTableColumns(*this, rows, [](const std::string& text) { return static_cast<int>(text.size()); });
  Hide(measured);
  std::vector<int> shown;
  for (int c = 1; c <= columnCount; ++c)
    if (measured[static_cast<std::size_t>(c)] > 0 || c == 1) shown.push_back(c);
  if (g_ReportToFile) {
    ReportAppendLine(CsvQuoted(caseTitle + ": " + title));
    ReportNewLine();
    std::vector<std::string> heading;
    for (int c : shown) heading.push_back(HeadingText(c, 0));
    WriteCsvCells(heading);
    for (int row = 1; row <= rows; ++row) {
      std::vector<std::string> cells;
      for (int c : shown) cells.push_back(CellText(row, c, 0));
      WriteCsvCells(cells);
    }
    return;
  }
  std::vector<int> ends;
  int at = 4;
  for (int c : shown) {
    at += std::max(measured[static_cast<std::size_t>(c)], c == 1 ? 5 : 8) + 2;
    ends.push_back(at);
  }
  BeginReportSection(PrintName(), 1);
  ReportSetTitle(caseTitle + ": " + title);
  WriteReportRows(
      title + ": " + caseTitle, std::max(78, at), rows,
      [&] {
        for (std::size_t i = 0; i < shown.size(); ++i) ReportPutTextRight(HeadingText(shown[i], 0), ends[i]);
      },
      [&](int row) {
        for (std::size_t i = 0; i < shown.size(); ++i) ReportPutTextRight(CellText(row, shown[i], 0), ends[i]);
      });
}

template <typename Table>
void ShowTable(Table& table) {
  const int rows = table.Rows();
  if (rows == 0) return;
  EnterDisplacementKind(table.Opener());
  if (!BindResultsTable(table, table.Columns(), 1)) return;
  TableSetRows(table, rows);
  table.Load();
  TableShowFocus(table);
  table.CurrentRowChanged();
}

bool HasRows(const Model& model, RowListKind kind) { return model.lists[kind].count > 0; }

}  // namespace

std::array<double, 6> JointRelativeDisplacementToLocal(const Model& model, const AnalysisElement& element,
                                                       const std::array<double, 6>& d) {
  const auto type = static_cast<ElementType>(element.kind);
  switch (type) {
    case ElementType::Bellows:
    case ElementType::SlipJoint:
    case ElementType::BallJoint:
    case ElementType::Elastic: break;
    case ElementType::HingeJoint: {
      // A hinge without an axis has no local frame to show values in.
      const auto* hinge = dynamic_cast<const HingeJoint*>(model.row(element.row).element.get());
      if (hinge == nullptr || (hinge->axis[0] == 0.0f && hinge->axis[1] == 0.0f && hinge->axis[2] == 0.0f)) return {};
      break;
    }
    default: QV_ASSERT(false && "joint displacements of an element that is no joint"); return {};
  }
  const ElementAxes axes = ComputeElementEndFrames(model, type, element.row, element.node1, element.node2).end1;
  const Vector3d t{d[0], d[1], d[2]}, r{d[3], d[4], d[5]};
  return {Dot(axes.x, t), Dot(axes.y, t), Dot(axes.z, t), Dot(axes.x, r), Dot(axes.y, r), Dot(axes.z, r)};
}

void OpenBallJointDisplacementsTable() { ShowTable(TheBallJoints()); }
void OpenFlexJointDisplacementsTable() { ShowTable(TheFlexJoints()); }
// An empty list opens nothing (the selector never offers it).
void OpenGuideDisplacementsTable() { ShowTable(TheGuides()); }
void OpenHangerDisplacementsTable() { ShowTable(TheHangers()); }
void OpenLimitStopDisplacementsTable() { ShowTable(TheLimitStops()); }

bool ModelHasGuideRows(const Model& model) { return HasRows(model, RowListKind::Guides); }
bool ModelHasHangerRows(const Model& model) { return HasRows(model, RowListKind::Hangers); }
bool ModelHasLimitStopRows(const Model& model) { return HasRows(model, RowListKind::LimitStops); }

bool DisplacementKindSwitchesAxes() {
  const ResultOpener last = DisplacementFamily().last;
  return last == OpenBallJointDisplacementsTable || last == OpenFlexJointDisplacementsTable ||
         last == OpenGuideDisplacementsTable || last == OpenLimitStopDisplacementsTable;
}

void ToggleJointResultsAxes() {
  if (!DisplacementKindSwitchesAxes()) return;
  g_JointResultsGlobal = !g_JointResultsGlobal;
  ReopenResultTable();
}

void RegisterJointDisplacementTables() {
  RegisterResultTableView(TheBallJoints());
  RegisterResultTableView(TheFlexJoints());
  RegisterResultTableView(TheGuides());
  RegisterResultTableView(TheHangers());
  RegisterResultTableView(TheLimitStops());
}
