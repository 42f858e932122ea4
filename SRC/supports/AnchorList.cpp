// The anchors list and its printed section; see AnchorList.h.
#include "supports/AnchorList.h"

#include <cstring>
#include <utility>
#include <vector>

#include "model/Drawing2D.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "platform/Gdi.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "printing/RowDetails.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/Units.h"
#include "supports/Anchor.h"

namespace {

constexpr int kColumns = 15;
constexpr int kFirstRelease = 9;
constexpr int kLastRelease = 14;
constexpr int kAxesColumn = 15;
constexpr const char* kStiffnessHeadings[6] = {"KX/kx", "KY/ky", "KZ/kz", "KXX/kxx", "KYY/kyy", "KZZ/kzz"};
constexpr const char* kStiffnessLabels[6] = {"KX", "KY", "KZ", "KXX", "KYY", "KZZ"};
constexpr const char* kReleaseHeadings[6] = {"X", "Y", "Z", "XX", "YY", "ZZ"};

Anchor* AnchorAt(KindListTable& list, int row) { return static_cast<Anchor*>(list.ItemOf(row)); }

bool IsStiffnessColumn(int column) { return column >= 3 && column <= 8; }
bool IsYesNoColumn(int column) { return column >= kFirstRelease && column <= kAxesColumn; }

// One cell typed into the anchor's list, from g_EditFieldText; true when a
// value changed. Refusals throw the dialog's messages.
bool StoreAnchorCell(Anchor& anchor, int column) {
  if (column == 2) {
    if (g_EditFieldText.size() > kAnchorTagLength) ThrowFieldError("Tag", "is too long");
    if (g_EditFieldText == anchor.tag) return false;
    anchor.tag = g_EditFieldText;
    return true;
  }
  if (IsStiffnessColumn(column)) {
    const auto i = static_cast<std::size_t>(column - 3);
    float value = 0.0f;
    const int refused = i < 3 ? ParseFieldStiffness(value) : ParseFieldRotStiffness(value);
    if (refused != 0) ThrowInvalidField(kStiffnessLabels[i]);
    double sum = value;
    for (std::size_t k = 0; k < 6; ++k)
      if (k != i) sum += anchor.stiffness[k];
    if (sum == 0.0) throw std::string("No stiffnesses input");
    if (value == anchor.stiffness[i]) return false;
    anchor.stiffness[i] = value;
    return true;
  }
  bool flag = false;
  if (column == kAxesColumn) {
    if (ParseFieldYesNo(flag) != 0) ThrowInvalidField("Anchor type");
    if (flag == (anchor.AnchorInPipeLcs != 0)) return false;
    anchor.AnchorInPipeLcs = flag ? 1 : 0;
    if (flag) anchor.releases.fill(0);
    return true;
  }
  if (ParseFieldYesNo(flag) != 0) ThrowInvalidField("Release");
  std::uint8_t& release = anchor.releases[static_cast<std::size_t>(column - kFirstRelease)];
  if (flag == (release != 0)) return false;
  release = flag ? 1 : 0;
  return true;
}

// --- report forms ---------------------------------------------------------------

constexpr int kTextStiffnessColumns[6] = {12, 21, 30, 39, 48, 57};
// A release's "Y" stands under the first letter of its heading in
// "X Y Z XXYYZZ" (at column 65); two columns further on it would stand
// under the next release's heading.
constexpr int kTextReleaseColumns[6] = {65, 67, 69, 71, 73, 75};

const Anchor& AnchorOfRow(int row) { return static_cast<const Anchor&>(*TheModel().row(row).item); }

std::string StiffnessText(const Anchor& anchor, std::size_t i) {
  return i < 3 ? FormatStiffnessOrRigid(anchor.stiffness[i]) : FormatRotStiffnessOrRigid(anchor.stiffness[i]);
}

// The anchor's cells after its node in a comma-separated report.
void PutCsvCells(const Anchor& anchor) {
  ReportPutCell(anchor.tag);
  for (std::size_t i = 0; i < 6; ++i) ReportPutCell(StiffnessText(anchor, i));
  std::string releases;
  for (std::size_t i = 0; i < 6; ++i) releases += std::string(anchor.releases[i] != 0 ? "Y" : "N") + (i < 3 ? " " : "  ");
  ReportPutCell(releases);
  ReportPutCell(anchor.AnchorInPipeLcs != 0 ? "Pipe LCS" : "GCS");
}

// The printed grid: the releases under one group heading, their rules
// short below it.
class AnchorsPrintTable : public KindListPrintTable {
 public:
  using KindListPrintTable::KindListPrintTable;
  void PrintExtra() override {
    const int left = lefts[kFirstRelease], right = lefts[kLastRelease + 1];
    const std::string text = "Releases";
    PrinterTextAtXY((left + right - TextWidth(text)) / 2, originY + height + 2 * gap, text);
  }
  void PrintColumnRule(int column) override {
    if (column <= kFirstRelease || column > kLastRelease) {
      KindListPrintTable::PrintColumnRule(column);
      return;
    }
    SelectColumnPen(column);
    const int at = lefts[static_cast<std::size_t>(column)];
    MoveToEx(g_PrinterDc, at, originY + gap + descent + height, nullptr);
    LineTo(g_PrinterDc, at, pageRowsBottom);
  }
};

AnchorsList& TheAnchorsList() {
  static AnchorsList list;
  return list;
}

}  // namespace

AnchorsList::AnchorsList() : KindListTable(DataType::Anchor, RowListKind::Anchors, "Anchors", "Anchor", kColumns, 2) {
  gapAfterHeading1 = true;
}

std::string AnchorsList::HeadingText(int column, int line) {
  if (column == 1) return line == 0 ? "Node" : "";
  if (column == 2) return line == 0 ? "Tag" : "";
  if (IsStiffnessColumn(column))
    return line == 0 ? kStiffnessHeadings[column - 3] : UnitLabel(column < 6 ? kUnitStiffness : kUnitRotStiffness);
  if (column >= kFirstRelease && column <= kLastRelease) return line == 1 ? kReleaseHeadings[column - kFirstRelease] : "";
  if (column == kAxesColumn) return line == 1 ? "Anchor in " : "";
  return {};
}

bool AnchorsList::IsCellEditable(int row, int column) {
  if (column < 2 || column > kColumns) return false;
  if (column >= kFirstRelease && column <= kLastRelease) {
    const Anchor* anchor = AnchorAt(*this, row);
    return anchor != nullptr && anchor->AnchorInPipeLcs == 0;
  }
  return true;
}

int AnchorsList::FilterChar(int character) {
  if (character == ' ') return 0;
  if (IsStiffnessColumn(currentColumn)) {
    const char c = static_cast<char>(character);
    return IsNotNumberChar(c) && std::strchr("RIGDrigd", c) == nullptr ? 0 : character;
  }
  if (IsYesNoColumn(currentColumn)) return YesNoChar(character);
  return character;
}

bool AnchorsList::StoreItemCell(DataItem& item, int column) {
  return StoreAnchorCell(static_cast<Anchor&>(item), column);
}

void AnchorsList::PaintExtra() {
  TableHeadingCentred(*this, kFirstRelease, kLastRelease, 0, "Releases");
  TableHeadingRule(*this, kFirstRelease, kLastRelease, 2);
}

void AnchorsList::DrawColumnRule(int column) {
  if (column <= kFirstRelease || column > kLastRelease) {
    KindListTable::DrawColumnRule(column);
    return;
  }
  const TableFontMetrics& m = Metrics();
  SelectColumnPen(column);
  TableVerticalLine(*this, x[static_cast<std::size_t>(column)], m.lineGap * 3 / 2 + m.charHeight, clientHeight);
}

void AnchorsList::WriteText() { PrintAnchorsDetails(); }

TableWindow& AnchorsListTable() { return TheAnchorsList(); }

bool AnchorsListOffered(const Model& model) { return model.lists[RowListKind::Anchors].count > 0; }

void OpenAnchorsList() {
  static const std::vector<int> lengths = {0, 0, static_cast<int>(kAnchorTagLength), 16, 16, 16, 16, 16, 16,
                                           1, 1, 1, 1, 1, 1, 1};
  TheAnchorsList().Open(OpenAnchorsList, &lengths);
}

void AnchorDetailsText(int row) {
  if (g_ReportToFile)
    PutCsvCells(AnchorOfRow(row));
  else
    PutDescribedAfterNode(DescribeAnchor(row), NodeNumberText(TheModel().row(row).node));
}

void PrintAnchorsDetails() {
  AnchorsPrintTable table(TheAnchorsList());
  std::vector<DetailsHeading> headings = {{"Releases", 1, 67}, {"Anchor", 1, 78}, {"Node", 2, 6}};
  for (int i = 0; i < 6; ++i) headings.push_back({kStiffnessHeadings[i], 2, kTextStiffnessColumns[i]});
  headings.push_back({"X Y Z XXYYZZ", 2, 65});
  headings.push_back({"In Pipe", 2, 78});
  DetailsRequest request =
      InitDetailsRequest(kDetailsDataRows, static_cast<int>(DataType::Anchor), TheAnchorsList().title,
                         std::move(headings), 2, {{kUnitStiffness, 3, 20, 30}, {kUnitRotStiffness, 3, 46, 58}}, {}, 1);
  request.putText = AnchorDetailsText;
  std::string units = ",";
  for (int i = 0; i < 6; ++i) units += std::string(",") + UnitLabel(i < 3 ? kUnitStiffness : kUnitRotStiffness);
  request.csvHeadings = {"Node,Tag,KX/kx,KY/ky,KZ/kz,KXX/kxx,KYY/kyy,KZZ/kzz,Releases,Anchor in Pipe",
                         units + ",X Y Z XX YY ZZ"};
  PrintKindDetailsSection(TheAnchorsList(), table, std::move(request));
}

std::string DescribeAnchor(int row) {
  const Anchor& anchor = AnchorOfRow(row);
  std::string line(80 + 8, ' ');
  auto put = [&line](const std::string& text, int column) { PutValueInLine(line, text, column); };
  put(NodeNumberText(TheModel().row(row).node), 6);
  for (std::size_t i = 0; i < 6; ++i)
    if (anchor.stiffness[i] != 0.0f) put(StiffnessText(anchor, i), kTextStiffnessColumns[i]);
  for (std::size_t i = 0; i < 6; ++i)
    if (anchor.releases[i] != 0) put("Y", kTextReleaseColumns[i]);
  put(anchor.AnchorInPipeLcs != 0 ? "Pipe LCS" : "GCS", 79);
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}
