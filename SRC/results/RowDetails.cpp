// The "Details" block of printed sections; see RowDetails.h.
#include "results/RowDetails.h"

#include <algorithm>
#include <utility>

#include "elements/BeamList.h"
#include "elements/JacketList.h"
#include "elements/MiterList.h"
#include "elements/ElasticList.h"
#include "elements/BellowsList.h"
#include "elements/TieRodList.h"
#include "elements/BallJointList.h"
#include "elements/HingeJointList.h"
#include "elements/SlipJointList.h"
#include "elements/CutPipeList.h"
#include "elements/RigidList.h"
#include "elements/ReducerList.h"
#include "elements/BendList.h"
#include "elements/BranchSifList.h"
#include "elements/ConcentratedMassList.h"
#include "elements/FlangeList.h"
#include "elements/JacketConnections.h"
#include "elements/UserSifList.h"
#include "elements/ValveList.h"
#include "graphics/ReportOutput.h"
#include "loads/DirectionalLoadList.h"
#include "loads/ForceList.h"
#include "loads/HarmonicList.h"
#include "model/LayoutRow.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "model/RowOperations.h"
#include "results/ResultsMode.h"
#include "shell/Units.h"
#include "supports/AnchorList.h"
#include "supports/DisplacementSets.h"
#include "supports/RestraintList.h"
#include "supports/OtherSupportLists.h"
#include "shell/ProgramCommands.h"

namespace {

// The lines a block needs besides its heading: the title, two rules and
// the line after the last row.
constexpr int kBlockFrameLines = 3;

std::string NodeOfRow(int row) {
  const Model& model = TheModel();
  if (row < 1 || row > model.rowCount) return {};
  return NodeNumberText(model.row(row).node);
}

std::string FromNodeOfRow(int row) {
  const Model& model = TheModel();
  if (row < 1 || row > model.rowCount) return {};
  const int previous = PreviousElementRow(model, row);
  return previous != 0 ? NodeNumberText(model.row(previous).node) : std::string();
}

// A node in its column on the text road; a cell in a comma-separated
// report.
void PutNode(const std::string& node, int column) {
  if (g_ReportToFile)
    ReportPutCell(node);
  else
    ReportPutText(node, column);
}

void PutRowNodes(const DetailsRequest& request, int row) {
  if (request.rowKind == kDetailsDataRows) {
    PutNode(NodeOfRow(row), 6);
    return;
  }
  const auto type = static_cast<ElementType>(request.typeCode);
  if (type == ElementType::Bend || type == ElementType::Miter) {
    PutNode(NodeOfRow(row), 6);
    return;
  }
  PutNode(FromNodeOfRow(row), 6);
  PutNode(NodeOfRow(row), type == ElementType::Elastic ? 12 : 13);
}

}  // namespace

DetailsRequest InitDetailsRequest(int rowKind, int typeCode, const std::string& title,
                                  std::vector<DetailsHeading> headings, int headingLines,
                                  std::vector<DetailsUnit> units, std::vector<int> rows, int linesPerRow) {
  DetailsRequest request;
  request.rowKind = rowKind;
  request.typeCode = typeCode;
  request.title = title;
  request.headings = std::move(headings);
  request.headingLines = headingLines;
  request.units = std::move(units);
  request.rows = std::move(rows);
  request.linesPerRow = linesPerRow < 1 ? 1 : linesPerRow;
  return request;
}

void EndRowDetailsLine() {
  if (!g_ReportToFile) return;
  if (!g_LineText.empty() && g_LineText.back() == ',') g_LineText.pop_back();
  ReportAppendLine(g_LineText);
  g_LineText.clear();
}

void PrintDetailsHeading(const DetailsRequest& request) {
  if (g_ReportToFile)
    ReportAppendLine(request.title);
  else
    ReportPutTextCentredLine(request.title);
  ReportNewLine();
  ReportRule();
  if (g_ReportToFile) {
    for (const std::string& line : request.csvHeadings) {
      ReportAppendLine(line);
      ReportNewLine();
    }
  } else {
    for (const DetailsHeading& heading : request.headings)
      ReportPutTextAtLine(heading.text, g_ReportLine + heading.line - 1, heading.column);
    for (const DetailsUnit& unit : request.units)
      ReportPutCentredAtLine(UnitLabel(unit.unitKind), g_ReportLine + unit.line - 1, unit.firstColumn,
                             unit.lastColumn);
    for (int line = 0; line <= request.headingLines; ++line) ReportNewLine();
  }
  ReportRule();
}

void PrintRowDetails(const DetailsRequest& request) {
  if (request.rows.empty()) return;
  if (ReportLinesLeft() >= request.headingLines + request.linesPerRow + kBlockFrameLines)
    PrintDetailsHeading(request);
  else
    ReportNewPage();
  if (ProgramCommands().inResultsMode()) ReportSetTitle("Details: " + request.title);
  const std::size_t count = request.rows.size();
  for (std::size_t i = 0; i < count; ++i) {
    const int row = request.rows[i];
    // A page begun on the text road, by the fit check above or by the
    // rows before, opens with the heading.
    if (!g_ReportToFile && g_ReportLine == kReportBodyLine) PrintDetailsHeading(request);
    g_LineText.clear();
    PutRowNodes(request, row);
    PutRowDetailsText(request.rowKind, request.typeCode, row);
    EndRowDetailsLine();
    ReportNewLine();
    const bool last = i + 1 == count;
    if (!last && request.linesPerRow >= 2 && ReportLinesLeft() < request.linesPerRow) ReportNewPage();
  }
  ReportRule();
}

void PutDescribedAfterNode(const std::string& described, const std::string& node) {
  if (g_ReportToFile) return;
  const std::size_t after = std::min(described.size(), 5 + node.size());
  const std::size_t first = described.find_first_not_of(' ', after);
  if (first == std::string::npos) return;
  ReportPutText(described.substr(first), static_cast<int>(first) + 1);
}

void PutDescribedAfterToNode(const std::string& described, const std::string& toNode, int toColumn) {
  if (g_ReportToFile) return;
  const std::size_t after = std::min(described.size(), static_cast<std::size_t>(toColumn - 1) + toNode.size());
  const std::size_t first = described.find_first_not_of(' ', after);
  if (first == std::string::npos) return;
  ReportPutText(described.substr(first), static_cast<int>(first) + 1);
}

std::string CsvUnitCells(std::initializer_list<int> unitKinds) {
  std::string saved = std::move(g_LineText);
  g_LineText.clear();
  for (int unit : unitKinds) ReportPutUnits(unit);
  std::string cells = std::move(g_LineText);
  g_LineText = std::move(saved);
  return cells;
}

std::string CsvCellsLine(std::string cells) {
  if (!cells.empty() && cells.back() == ',') cells.pop_back();
  return cells;
}

bool PutRowDetailsText(int rowKind, int typeCode, int row) {
  const Model& model = TheModel();
  if (row < 1 || row > model.rowCount) return false;
  const LayoutRow& layoutRow = model.row(row);
  if (rowKind == kDetailsDataRows) {
    if (layoutRow.item == nullptr) return false;
    switch (layoutRow.dataType) {
      case DataType::Anchor:
        if (typeCode == kSpecifiedDisplacementsDetails)
          SpecifiedDisplacementsDetailsText(row);
        else
          AnchorDetailsText(row);
        return true;
      case DataType::Nozzle:
        if (typeCode == kSpecifiedDisplacementsDetails)
          SpecifiedDisplacementsDetailsText(row);
        else
          NozzleDetailsText(row);
        return true;
      case DataType::Restraint: RestraintDetailsText(row); return true;
      case DataType::SkewedRestraint: SkewedRestraintDetailsText(row); return true;
      case DataType::Guide: GuideDetailsText(row); return true;
      case DataType::LimitStop: LimitStopDetailsText(row); return true;
      case DataType::Snubber: SnubberDetailsText(row); return true;
      case DataType::Hanger: HangerDetailsText(row); return true;
      case DataType::GenericSupport: GenericSupportDetailsText(row); return true;
      case DataType::BranchSif: BranchSifDetailsText(row); return true;
      case DataType::ConcentratedMass: ConcentratedMassDetailsText(row); return true;
      case DataType::Flange: FlangeDetailsText(row); return true;
      case DataType::Force: NodalForceDetailsText(row); return true;
      case DataType::UserSif: UserSifDetailsText(row); return true;
      case DataType::Weld: WeldDetailsText(row); return true;
      case DataType::Spider:
      case DataType::JacketEndCap: JacketConnectionDetailsText(row); return true;
      case DataType::HarmonicLoad: HarmonicLoadDetailsText(row); return true;
      case DataType::TimeVaryingLoad:
      case DataType::ForceSpectrumLoad: DirectionalLoadDetailsText(row); return true;
      // A threaded joint has nothing past its node.
      case DataType::ThreadedJoint: return true;
      default: return false;
    }
  }
  if (rowKind != kDetailsElementRows || layoutRow.element == nullptr) return false;
  switch (layoutRow.elementType) {
    case ElementType::Bend: BendDetailsText(row); return true;
    case ElementType::Beam: BeamDetailsText(row); return true;
    case ElementType::Valve: ValveDetailsText(row); return true;
    case ElementType::Reducer: ReducerDetailsText(row); return true;
    case ElementType::Rigid: RigidElementDetailsText(row); return true;
    case ElementType::CutPipe: CutPipeDetailsText(row); return true;
    case ElementType::SlipJoint: SlipJointDetailsText(row); return true;
    case ElementType::HingeJoint: HingeJointDetailsText(row); return true;
    case ElementType::BallJoint: BallJointDetailsText(row); return true;
    case ElementType::TieRod: TieRodDetailsText(row); return true;
    case ElementType::Bellows: BellowsDetailsText(row); return true;
    case ElementType::Elastic: ElasticElementDetailsText(row); return true;
    case ElementType::Miter: MiterDetailsText(row); return true;
    case ElementType::JacketedPipe:
    case ElementType::JacketedBend: JacketedDetailsText(row); return true;
    default: return false;
  }
}
