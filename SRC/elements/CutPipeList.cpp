// The Cut pipes list and its printed section; see CutPipeList.h.
#include "elements/CutPipeList.h"

#include <utility>

#include "elements/CutPipe.h"
#include "model/Model.h"
#include "printing/ReportOutput.h"
#include "printing/RowDetails.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/Units.h"

namespace {

constexpr int kColumns = 4;
constexpr int kCut = 3, kType = 4;

const CutPipe& CutOfRow(int row) { return static_cast<const CutPipe&>(*TheModel().row(row).element); }
std::string CutText(float cut) { return TrimmedText(FormatDimension(cut < 0.0f ? -cut : cut)); }
const char* TypeText(float cut) { return cut < 0.0f ? "Long" : "Short"; }

CutPipesList& TheList() {
  static CutPipesList list;
  return list;
}

}  // namespace

std::string CutPipe::CellText(int column) const {
  if (column == kCut) return CutText(cut);
  if (column == kType) return TypeText(cut);
  return {};
}

CutPipesList::CutPipesList()
    : ElementKindListTable(ElementType::CutPipe, RowListKind::CutPipes, "Cut pipes", "Cut pipe", kColumns, 1) {}

void CutPipesList::DefineColumns() {
  KindListTable::DefineColumns();
  ShareWidths(1, 2);
}

std::string CutPipesList::HeadingText(int column, int line) {
  if (line != 0) return {};
  switch (column) {
    case 1: return "From";
    case 2: return "To";
    case kCut: return std::string("Cut ") + UnitLabel(kUnitDimension);
    case kType: return "Type";
    default: return {};
  }
}

bool CutPipesList::IsCellEditable(int, int column) { return column == kCut; }

int CutPipesList::FilterChar(int character) {
  return character == ' ' || IsNotNumberChar(static_cast<char>(character)) ? 0 : character;
}

// A typed cut keeps the pipe's short or long.
bool CutPipesList::StoreElementCell(ElementData& element, int column) {
  if (column != kCut) return false;
  auto& pipe = static_cast<CutPipe&>(element);
  if (g_EditFieldText.empty()) ThrowRequiredField("Cut");
  float value = 0.0f;
  if (ParseFieldNonNegativeDimension(value) != 0) ThrowInvalidField("Cut");
  if (value == 0.0f) throw std::string("Cut should be non zero");
  const float cut = pipe.cut < 0.0f ? -value : value;
  if (cut == pipe.cut) return false;
  pipe.cut = cut;
  return true;
}

void CutPipesList::WriteText() { PrintCutPipesDetails(); }

TableWindow& CutPipesListTable() { return TheList(); }

bool CutPipesListOffered(const Model& model) { return model.lists[RowListKind::CutPipes].count > 0; }

void OpenCutPipesList() {
  static const std::vector<int> lengths = {0, 0, 0, 16, 0};
  TheList().Open(OpenCutPipesList, &lengths);
}

void CutPipeDetailsText(int row) {
  if (!g_ReportToFile) {
    PutDescribedAfterToNode(CutPipeTextLine(row), ToNodeText(row));
    return;
  }
  ReportPutCell(CutText(CutOfRow(row).cut));
  ReportPutCell(TypeText(CutOfRow(row).cut));
}

void PrintCutPipesDetails() {
  KindListPrintTable table(TheList());
  DetailsRequest request = InitDetailsRequest(
      kDetailsElementRows, static_cast<int>(ElementType::CutPipe), TheList().title,
      {{"Cut", 1, 21},
       {"Type", 1, 34},
       {"From", 2, 6},
       {"To", 2, 13}},
      1,
      {{kUnitDimension, 1, 24, 29}},
      {}, 1);
  request.putText = CutPipeDetailsText;
  request.csvHeadings = {std::string("From,To,Cut ") + UnitLabel(kUnitDimension) + ",Type"};
  PrintKindDetailsSection(TheList(), table, std::move(request));
}

std::string CutPipeTextLine(int row) {
  const CutPipe& pipe = CutOfRow(row);
  std::string line;
  PutAtColumn(line, FromNodeText(row), 6);
  PutAtColumn(line, ToNodeText(row), 14);
  PutAtColumn(line, CutText(pipe.cut), 21);
  PutAtColumn(line, TypeText(pipe.cut), 34);
  return line;
}
