// The Beams list and its printed section; see BeamList.h.
#include "elements/BeamList.h"

#include <algorithm>
#include <cctype>
#include <utility>
#include <vector>

#include "elements/BeamElement.h"
#include "model/ContextMenus.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "model/RowOperations.h"
#include "platform/Gdi.h"
#include "printing/ReportOutput.h"
#include "printing/RowDetails.h"
#include "services/General.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/TableWindowSupport.h"
#include "services/Units.h"

namespace {

constexpr int kColumns = 15;
constexpr int kBeta = 3, kFirstRelease = 4;
constexpr float kDegreesPerRadian = 57.29578f;
constexpr const char* kPairNames[6] = {"Axial", "Maj Bend", "Min Bend", "Torsion", "Maj Shear", "Min Shear"};

const Beam& BeamOfRow(int row) { return static_cast<const Beam&>(*TheModel().row(row).element); }

// The node of the element before the beam's row: the beam's From node.
NodeId FromNode(int row) {
  const Model& model = TheModel();
  const int previous = PreviousElementRow(model, row);
  return previous != 0 ? model.row(previous).node : 0;
}

std::string BetaText(const Beam& beam) {
  std::string text = FormatAngleOrNone(beam.beta / kDegreesPerRadian);
  TrimBlanks(text);
  return text;
}

bool Released(const Beam& beam, int pair, int end) { return beam.releases[static_cast<std::size_t>(end * 6 + pair)] != 0; }

BeamsList& TheBeamsList() {
  static BeamsList list;
  return list;
}

class BeamsPrintTable : public KindListPrintTable {
 public:
  using KindListPrintTable::KindListPrintTable;
  void DefineColumns() override {
    KindListPrintTable::DefineColumns();
    const int nodes = std::max(widths[1], widths[2]);
    widths[1] = widths[2] = nodes;
    int releases = 0;
    for (int c = kFirstRelease; c <= kColumns; ++c) releases = std::max(releases, widths[static_cast<std::size_t>(c)]);
    releases = std::max(releases, TextWidth("Maj Shear") / 2 + 1);
    for (int c = kFirstRelease; c <= kColumns; ++c) widths[static_cast<std::size_t>(c)] = releases;
  }
  std::string HeadingText(int column, int line) override {
    // On paper the pair names stand in the first column of each pair.
    if (line == 1 && column >= kFirstRelease && (column - kFirstRelease) % 2 == 0)
      return kPairNames[(column - kFirstRelease) / 2];
    if (line == 0 && column == kFirstRelease) return "End Releases";
    return list_.HeadingText(column, line);
  }
};

}  // namespace

BeamsList::BeamsList() : KindListTable(ElementType::Beam, RowListKind::Beams, "Beams", "Beam", kColumns, 3) {}

void BeamsList::DefineColumns() {
  KindListTable::DefineColumns();
  HDC dc = Dc();
  auto width = [dc](const std::string& text) {
    SIZE size{0, 0};
    if (dc != nullptr && !text.empty()) GetTextExtentPoint32(dc, text.data(), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
  };
  const int nodes = std::max(widths[1], widths[2]);
  widths[1] = widths[2] = nodes;
  int releases = 0;
  for (int c = kFirstRelease; c <= kColumns; ++c) releases = std::max(releases, widths[static_cast<std::size_t>(c)]);
  for (const char* name : kPairNames) releases = std::max(releases, (width(name) + 1) / 2);
  for (int c = kFirstRelease; c <= kColumns; ++c) widths[static_cast<std::size_t>(c)] = releases;
  if (width("End Releases") > 12 * releases) {
    const int wider = (width("End Releases") + 11) / 12;
    for (int c = kFirstRelease; c <= kColumns; ++c) widths[static_cast<std::size_t>(c)] = wider;
  }
}

// Line 0 holds the group heading (painted), line 1 the names, line 2 the
// unit and the ends.
std::string BeamsList::HeadingText(int column, int line) {
  if (line == 1) {
    if (column == 1) return "From";
    if (column == 2) return "To";
    if (column == kBeta) return "Beta";
    return {};
  }
  if (line == 2) {
    if (column == kBeta) return UnitLabel(kUnitAngle);
    if (column >= kFirstRelease && column <= kColumns) return (column - kFirstRelease) % 2 == 0 ? "From" : "To";
  }
  return {};
}

std::string BeamsList::CellText(int row, int column, int line) {
  const int layoutRow = LayoutRowOf(row);
  if (layoutRow == 0) return {};
  if (column == 1) return NodeNumberText(FromNode(layoutRow));
  if (column == 2) return NodeNumberText(TheModel().row(layoutRow).node);
  return KindListTable::CellText(row, column, line);
}

bool BeamsList::IsCellEditable(int, int column) { return column == kBeta && !TableResultsShown(); }

int BeamsList::FilterChar(int character) {
  const char c = static_cast<char>(std::toupper(character));
  return c == ' ' || IsNotNumberChar(c) ? 0 : c;
}

bool BeamsList::StoreElementCell(ElementData& element, int column) {
  if (column != kBeta) return false;
  auto& beam = static_cast<Beam&>(element);
  float radians = 0.0f;
  if (ParseFieldAngle(radians) != 0) ThrowInvalidField("Beta");
  const float beta = radians * kDegreesPerRadian;
  if (!StoredValueAcceptable(beta)) ThrowInvalidField("Beta");
  if (beta == beam.beta) return false;
  beam.beta = beta;
  beam.boxesBuilt = false;
  return true;
}

void BeamsList::PaintExtra() {
  TableHeadingCentred(*this, kFirstRelease, kColumns, 0, "End Releases");
  TableHeadingRule(*this, kFirstRelease, kColumns, 2);
  for (int pair = 0; pair < 6; ++pair) {
    const int first = kFirstRelease + 2 * pair;
    TableHeadingCentred(*this, first, first + 1, 1, kPairNames[pair]);
  }
}

// Inside the group the rules start under "End Releases", and between the
// From and To of a pair under the pair's name.
void BeamsList::DrawColumnRule(int column) {
  if (column <= kFirstRelease || column > kColumns) {
    KindListTable::DrawColumnRule(column);
    return;
  }
  const TableFontMetrics& m = Metrics();
  SelectColumnPen(column);
  const bool insidePair = (column - kFirstRelease) % 2 == 1;
  const int top = insidePair ? m.lineGap * 5 / 2 + 2 * m.charHeight : m.lineGap * 3 / 2 + m.charHeight;
  TableVerticalLine(*this, x[static_cast<std::size_t>(column)], top, clientHeight);
}

void BeamsList::ContextMenu() { TablePopupEditMenu(*this, itemName); }
void BeamsList::Prepare() { DisableTableDeleteItem(*this); }
void BeamsList::Close() { EnableTableDeleteItem(*this); }
void BeamsList::WriteText() { PrintBeamsDetails(); }

TableWindow& BeamsListTable() { return TheBeamsList(); }

bool BeamsListOffered(const Model& model) { return model.lists[RowListKind::Beams].count > 0; }

void OpenBeamsList() {
  static const std::vector<int> lengths = {0, 0, 0, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  TheBeamsList().Open(OpenBeamsList, &lengths);
}

void BeamDetailsText(int row) {
  if (g_ReportToFile) {
    DescribeBeam(row);
    return;
  }
  const Beam& beam = BeamOfRow(row);
  ReportPutText(BetaText(beam), 20);
  for (int pair = 0; pair < 6; ++pair) {
    if (Released(beam, pair, 0)) ReportPutText("Y", 30 + 8 * pair);
    if (Released(beam, pair, 1)) ReportPutText("Y", 34 + 8 * pair);
  }
}

void PrintBeamsDetails() {
  BeamsPrintTable table(TheBeamsList());
  DetailsRequest request =
      InitDetailsRequest(kDetailsElementRows, static_cast<int>(ElementType::Beam), TheBeamsList().title,
                         {{"End Releases", 1, 46},
                          {"From", 2, 6},
                          {"To", 2, 13},
                          {"Beta", 2, 21},
                          {"Axial  Maj Bnd Min Bnd Torsion Maj Shr Min Shr", 2, 30},
                          {"From To From To From To From To From To From To", 3, 29}},
                         2, {}, {}, 1);
  request.putText = BeamDetailsText;
  request.csvHeadings = {
      ",,,,,,,,End Releases", "From,To,Beta,Axial,,Maj Bnd,,Min Bnd,,Torsion,,Maj Shr,,Min Shr",
      std::string(",,") + UnitLabel(kUnitAngle) + ",From,To,From,To,From,To,From,To,From,To,From,To"};
  PrintKindDetailsSection(TheBeamsList(), table, std::move(request));
}

void DescribeBeam(int row) {
  const Beam& beam = BeamOfRow(row);
  ReportPutCell(BetaText(beam));
  for (int pair = 0; pair < 6; ++pair) {
    ReportPutCell(Released(beam, pair, 0) ? "Y" : "");
    ReportPutCell(Released(beam, pair, 1) ? "Y" : "");
  }
}
