// The harmonic loads list, its printed section and the settings' report
// lines; see HarmonicList.h.
#include "loads/HarmonicList.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "kindbase/KindList.h"
#include "loads/HarmonicLoad.h"
#include "loads/LoadsReport.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "model/Nodes.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "printing/RowDetails.h"
#include "services/NumberFormat.h"
#include "services/ReportMode.h"
#include "services/Units.h"

namespace {

constexpr int kColumns = 6;
constexpr const char* kHeadings[kColumns + 1] = {"", "Node", "Frequency", "Phase", "FX", "FY", "FZ"};
// The text report: line 1 headings at these columns, line 2 the units in
// these ranges; frequency and phase start under their headings, the
// amplitudes stand with their decimal points at the points.
constexpr int kTextHeadingColumns[5] = {14, 26, 38, 49, 60};
constexpr int kTextAngleUnit[2] = {25, 31};
constexpr int kTextForceUnits[3][2] = {{36, 41}, {47, 52}, {58, 63}};
constexpr int kTextPointColumns[3] = {40, 51, 62};

const HarmonicLoad& LoadOfRow(int row) { return static_cast<const HarmonicLoad&>(*TheModel().row(row).item); }

HarmonicLoadsList& TheHarmonicLoadsList() {
  static HarmonicLoadsList list;
  return list;
}

}  // namespace

HarmonicLoadsList::HarmonicLoadsList()
    : KindListTable(DataType::HarmonicLoad, RowListKind::HarmonicLoads, "Harmonic loads", "Harmonic load", kColumns,
                    2) {}

// The three amplitudes share one width, the widest of them.
void HarmonicLoadsList::DefineColumns() {
  KindListTable::DefineColumns();
  if (widths.size() <= static_cast<std::size_t>(kColumns)) return;
  const int widest = *std::max_element(widths.begin() + 4, widths.begin() + kColumns + 1);
  std::fill(widths.begin() + 4, widths.begin() + kColumns + 1, widest);
}

std::string HarmonicLoadsList::HeadingText(int column, int line) {
  if (column < 1 || column > kColumns) return {};
  if (line == 0) return kHeadings[column];
  if (line != 1) return {};
  switch (column) {
    case 2: return "(Hz)";
    case 3: return UnitLabel(kUnitAngle);
    case 4:
    case 5:
    case 6: return UnitLabel(kUnitForce);
    default: return {};
  }
}

void HarmonicLoadsList::EnterRow(bool /*control*/) { EditCurrentItem(); }

void HarmonicLoadsList::WriteText() { PrintHarmonicLoadsTable(); }

TableWindow& HarmonicLoadsListTable() { return TheHarmonicLoadsList(); }

bool HarmonicLoadsListOffered(const Model& model) { return model.lists[RowListKind::HarmonicLoads].count > 0; }

void OpenHarmonicLoadsTable() { TheHarmonicLoadsList().Open(OpenHarmonicLoadsTable, nullptr); }

void HarmonicLoadDetailsText(int row) {
  if (!g_ReportToFile) {
    PutDescribedAfterNode(DescribeHarmonicLoad(row), NodeNumberText(TheModel().row(row).node));
    return;
  }
  const HarmonicLoad& load = LoadOfRow(row);
  for (int column = 2; column <= kColumns; ++column) ReportPutCell(load.CellText(column));
}

void PrintHarmonicLoadsTable() {
  KindListPrintTable table(TheHarmonicLoadsList());
  std::vector<DetailsHeading> headings;
  for (int i = 0; i < 5; ++i) headings.push_back({kHeadings[i + 2], 1, kTextHeadingColumns[i]});
  headings.push_back({"Node", 2, 6});
  headings.push_back({"(Hz)", 2, 16});
  std::vector<DetailsUnit> units{{kUnitAngle, 2, kTextAngleUnit[0], kTextAngleUnit[1]}};
  for (const auto& range : kTextForceUnits) units.push_back({kUnitForce, 2, range[0], range[1]});
  DetailsRequest request = InitDetailsRequest(kDetailsDataRows, static_cast<int>(DataType::HarmonicLoad),
                                              TheHarmonicLoadsList().title, std::move(headings), 1,
                                              std::move(units), {}, 1);
  request.putText = HarmonicLoadDetailsText;
  std::string unitLine = std::string("Node,(Hz),") + UnitLabel(kUnitAngle);
  for (int axis = 0; axis < 3; ++axis) unitLine += std::string(",") + UnitLabel(kUnitForce);
  request.csvHeadings = {unitLine, ",Frequency,Phase,FX,FY,FZ"};
  PrintKindDetailsSection(TheHarmonicLoadsList(), table, std::move(request));
}

std::string DescribeHarmonicLoad(int row) {
  const HarmonicLoad& load = LoadOfRow(row);
  std::string line(kTextPointColumns[2] + 16, ' ');
  auto put = [&line](const std::string& text, int column) { PutAtColumn(line, text, column); };
  put(NodeNumberText(TheModel().row(row).node), 6);
  put(HarmonicFrequencyText(load.Frequency), kTextHeadingColumns[0]);
  put(HarmonicPhaseText(load.Phase), kTextAngleUnit[0]);
  for (int axis = 0; axis < 3; ++axis) {
    const std::string text = HarmonicForceText(load.Force(axis));
    if (text.empty()) continue;
    const std::size_t point = std::min(text.find('.'), text.size());
    put(text, std::max(kTextPointColumns[axis] - static_cast<int>(point), kTextForceUnits[axis][0]));
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

void PrintHarmonicSettings() {
  const Model& model = TheModel();
  if (!ModelHasHarmonicLoads(model)) return;
  const std::string lines[2] = {
      std::string("Harmonic combination = ") + HarmonicCombinationName(model.harmonic.combination),
      CFormat("Harmonic damping = %.3g (%%)", static_cast<double>(model.harmonic.damping))};
  if (!g_ReportFileOpen) {
    PrinterHalfLine();
    for (const std::string& line : lines) {
      PrinterNewLine();
      PrinterTextLeft(line);
    }
    PrinterHalfLine();
    return;
  }
  ReportNewLine();
  for (const std::string& line : lines) ReportTextOrCellLine(line, g_ReportToFile ? 1 : 6);
}
