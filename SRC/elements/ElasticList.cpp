// The Elastic elements list and its printed section; see ElasticList.h.
#include "elements/ElasticList.h"

#include <cstring>
#include <utility>

#include "elements/ElasticAnalysis.h"
#include "elements/ElasticDialog.h"
#include "elements/ElasticElement.h"
#include "model/ContextMenus.h"
#include "model/LcsTriad.h"
#include "model/Model.h"
#include "printing/ReportOutput.h"
#include "printing/RowDetails.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/Units.h"

namespace {

constexpr int kColumns = 8;
constexpr int kFirstStiffness = 3;
constexpr const char* kLabels[6] = {"kx", "ky", "kz", "kxx", "kyy", "kzz"};

const ElasticElement& ElasticOfRow(int row) {
  return static_cast<const ElasticElement&>(*TheModel().row(row).element);
}

float Spring(const ElasticElement& e, int i) {
  const float springs[6] = {e.kx, e.ky, e.kz, e.kxx, e.kyy, e.kzz};
  return springs[i];
}

std::string Component(float value) { return TrimmedText(FormatFixedWidth(value, 10, 3)); }

// The triad of the list's current element, drawn again where it moved.
void FollowTriad(int layoutRow) {
  LcsTriad& triad = TheLcsTriad();
  const Model& model = TheModel();
  if (layoutRow < 1 || layoutRow > model.rowCount || model.row(layoutRow).elementType != ElementType::Elastic) return;
  const ElementAxes axes = ElasticElementAxes(ElasticOfRow(layoutRow));
  std::array<std::array<float, 3>, 3> rows{};
  for (int i = 0; i < 3; ++i) {
    rows[0][i] = static_cast<float>(axes.x[i]);
    rows[1][i] = static_cast<float>(axes.y[i]);
    rows[2][i] = static_cast<float>(axes.z[i]);
  }
  const bool shown = triad.shown;
  if (shown) EraseLcsTriad(triad);
  StoreLcsFrame(triad, model.row(layoutRow).startNode, rows);
  if (shown) ToggleLcsTriad(triad);
}

ElasticElementsList& TheList() {
  static ElasticElementsList list;
  return list;
}

}  // namespace

std::string ElasticElement::CellText(int column) const {
  if (column < kFirstStiffness || column >= kFirstStiffness + 6) return {};
  const int i = column - kFirstStiffness;
  return ElasticStiffnessText(i, Spring(*this, i));
}

ElasticElementsList::ElasticElementsList()
    : ElementKindListTable(ElementType::Elastic, RowListKind::ElasticElements, "Elastic elements", "Elastic element",
                           kColumns, 2) {}

void ElasticElementsList::DefineColumns() {
  KindListTable::DefineColumns();
  ShareWidths(1, 2);
  ShareWidths(3, 5);
  ShareWidths(6, 8);
}

std::string ElasticElementsList::HeadingText(int column, int line) {
  if (column < 1 || column > kColumns) return {};
  if (line == 0) return column == 1 ? "From" : column == 2 ? "To" : kLabels[column - kFirstStiffness];
  if (column < kFirstStiffness) return {};
  return UnitLabel(column < kFirstStiffness + 3 ? kUnitStiffness : kUnitRotStiffness);
}

bool ElasticElementsList::IsCellEditable(int, int column) {
  return column >= kFirstStiffness && column < kFirstStiffness + 6;
}

int ElasticElementsList::FilterChar(int character) {
  if (character == ' ') return 0;
  const char c = static_cast<char>(character);
  return IsNotNumberChar(c) && std::strchr("RIGDrigd", c) == nullptr ? 0 : character;
}

bool ElasticElementsList::StoreElementCell(ElementData& element, int column) {
  auto& e = static_cast<ElasticElement&>(element);
  float* springs[6] = {&e.kx, &e.ky, &e.kz, &e.kxx, &e.kyy, &e.kzz};
  float& field = *springs[column - kFirstStiffness];
  const float value = ParseElasticStiffness(column - kFirstStiffness);
  if (field == value) return false;
  field = value;
  return true;
}

void ElasticElementsList::CurrentRowChanged() {
  KindListTable::CurrentRowChanged();
  FollowTriad(LayoutRowOf(currentRow));
}

void ElasticElementsList::Close() {
  ElementKindListTable::Close();
  SetLcsListOpener(nullptr);
  EraseLcsTriad(TheLcsTriad());
}

void ElasticElementsList::WriteText() { PrintElasticElementsDetails(); }

TableWindow& ElasticElementsListTable() { return TheList(); }

bool ElasticElementsListOffered(const Model& model) { return model.lists[RowListKind::ElasticElements].count > 0; }

void OpenElasticElementsList() {
  static const std::vector<int> lengths = {0, 0, 0, 16, 16, 16, 16, 16, 16};
  TheList().Open(OpenElasticElementsList, &lengths);
  SetLcsListOpener(OpenElasticElementsList);
  FollowTriad(TheList().LayoutRowOf(TheList().currentRow));
}

void ElasticElementDetailsText(int row) {
  if (!g_ReportToFile) {
    const std::vector<std::string> lines = ElasticElementTextLines(row);
    PutDescribedAfterToNode(lines[0], ToNodeText(row), 11);
    for (std::size_t i = 1; i < lines.size(); ++i) {
      ReportNewLine();
      ReportAppendLine(lines[i]);
    }
    return;
  }
  const ElasticElement& e = ElasticOfRow(row);
  for (int i = 0; i < 6; ++i) ReportPutCell(ElasticStiffnessText(i, Spring(e, i)));
  for (float value : e.localX) ReportPutCell(Component(value));
  for (float value : e.localY) ReportPutCell(Component(value));
}

void PrintElasticElementsDetails() {
  KindListPrintTable table(TheList());
  DetailsRequest request = InitDetailsRequest(
      kDetailsElementRows, static_cast<int>(ElementType::Elastic), TheList().title,
      {{"From", 2, 6},
       {"To", 2, 12},
       {"kx", 2, 18},
       {"ky", 2, 29},
       {"kz", 2, 40},
       {"kxx", 2, 50},
       {"kyy", 2, 61},
       {"kzz", 2, 72}},
      1,
      {{kUnitStiffness, 1, 18, 41},
       {kUnitRotStiffness, 1, 50, 74}},
      {}, 3);
  request.putText = ElasticElementDetailsText;
  request.csvHeadings = {"From,To,kx,ky,kz,kxx,kyy,kzz,xXcomp,xYcomp,xZcomp,yXcomp,yYcomp,yZcomp",
                         CsvCellsLine(",," + CsvUnitCells({kUnitStiffness, kUnitStiffness, kUnitStiffness, kUnitRotStiffness, kUnitRotStiffness, kUnitRotStiffness}))};
  PrintKindDetailsSection(TheList(), table, std::move(request));
}

std::vector<std::string> ElasticElementTextLines(int row) {
  const ElasticElement& e = ElasticOfRow(row);
  const int at[6] = {15, 26, 37, 48, 59, 70};
  std::string first, third;
  PutAtColumn(first, FromNodeText(row), 4);
  PutAtColumn(first, ToNodeText(row), 11);
  for (int i = 0; i < 6; ++i) PutAtColumn(first, ElasticStiffnessText(i, Spring(e, i)), at[i]);
  std::string second;
  PutAtColumn(second, "x Xcomp    x Ycomp    x Zcomp    y Xcomp    y Ycomp    y Zcomp", 14);
  const float components[6] = {e.localX[0], e.localX[1], e.localX[2], e.localY[0], e.localY[1], e.localY[2]};
  for (int i = 0; i < 6; ++i) PutAtColumn(third, FormatFixedWidth(components[i], 10, 3), at[i]);
  return {first, second, third};
}
