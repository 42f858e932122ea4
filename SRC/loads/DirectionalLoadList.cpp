// The time varying and force spectrum loads lists and their printed
// sections; see DirectionalLoadList.h.
#include "loads/DirectionalLoadList.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "kindbase/KindList.h"
#include "loads/DirectionalLoad.h"
#include "loads/DirectionalLoadItem.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "printing/ReportOutput.h"
#include "printing/RowDetails.h"
#include "services/Message.h"
#include "services/NumberFormat.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"

namespace {

constexpr int kColumns = 5;
constexpr int kScaleColumn = 5;
constexpr int kTextColumns[kColumns] = {6, 14, 27, 38, 56};

DirectionalLoadValues ValuesOfRow(int row) {
  return static_cast<const DirectionalLoadItem&>(*TheModel().row(row).item).Values();
}

DirectionalLoadFields FieldsOf(DataItem& item) { return static_cast<DirectionalLoadItem&>(item).Fields(); }

DirectionalLoadsList& TheTimeVaryingLoadsList() {
  static DirectionalLoadsList list(DataType::TimeVaryingLoad, RowListKind::TimeVaryingLoads, "Time varying loads",
                                   "Time varying load", "Time Function");
  return list;
}

DirectionalLoadsList& TheForceSpectrumLoadsList() {
  static DirectionalLoadsList list(DataType::ForceSpectrumLoad, RowListKind::ForceSpectrumLoads,
                                   "Force spectrum loads", "Force spectrum load", "Force Spectrum");
  return list;
}

// The Details block of either kind; the headings name the table.
void PrintDirectionalLoadsTable(DirectionalLoadsList& list) {
  KindListPrintTable table(list);
  const char* headings[kColumns] = {"Node", "Direction", "Units", list.tableHeading, "Scale Factor"};
  std::vector<DetailsHeading> placed;
  for (int i = 0; i < kColumns; ++i) placed.push_back({headings[i], 1, kTextColumns[i]});
  DetailsRequest request = InitDetailsRequest(kDetailsDataRows, static_cast<int>(list.type), list.title,
                                              std::move(placed), 0, {}, {}, 1);
  request.putText = DirectionalLoadDetailsText;
  request.csvHeadings = {std::string("Node,Direction,Units,") + list.tableHeading + ",Scale Factor"};
  PrintKindDetailsSection(list, table, std::move(request));
}

}  // namespace

DirectionalLoadsList::DirectionalLoadsList(DataType kindType, RowListKind kindList, const char* kindTitle,
                                           const char* kindItem, const char* heading)
    : KindListTable(kindType, kindList, kindTitle, kindItem, kColumns, 1), tableHeading(heading) {}

std::string DirectionalLoadsList::HeadingText(int column, int line) {
  if (line != 0) return {};
  switch (column) {
    case 1: return "Node";
    case 2: return "Direction";
    case 3: return "Units";
    case 4: return tableHeading;
    case 5: return "Scale Factor";
    default: return {};
  }
}

bool DirectionalLoadsList::IsCellEditable(int /*row*/, int column) { return column == kScaleColumn; }

int DirectionalLoadsList::FilterChar(int character) {
  return character == ' ' || IsNotNumberChar(static_cast<char>(character)) ? 0 : character;
}

bool DirectionalLoadsList::StoreItemCell(DataItem& item, int column) {
  if (column != kScaleColumn) return false;
  float scale = 0.0f;
  if (ParseFieldReal(scale) != 0) ThrowInvalidField("Scale factor");
  const DirectionalLoadFields fields = FieldsOf(item);
  if (scale == fields.scaleFactor) return false;
  fields.scaleFactor = scale;
  return true;
}

void DirectionalLoadsList::EnterRow(bool /*control*/) { EditCurrentItem(); }

void DirectionalLoadsList::WriteText() {
  if (type == DataType::TimeVaryingLoad)
    PrintTimeVaryingLoadsTable();
  else
    PrintForceSpectrumLoadsTable();
}

TableWindow& TimeVaryingLoadsListTable() { return TheTimeVaryingLoadsList(); }

bool TimeVaryingLoadsListOffered(const Model& model) { return model.lists[RowListKind::TimeVaryingLoads].count > 0; }

void OpenTimeVaryingLoadsTable() {
  static const std::vector<int> lengths = {0, 0, 0, 0, 0, 16};
  TheTimeVaryingLoadsList().Open(OpenTimeVaryingLoadsTable, &lengths);
}

void PrintTimeVaryingLoadsTable() { PrintDirectionalLoadsTable(TheTimeVaryingLoadsList()); }

TableWindow& ForceSpectrumLoadsListTable() { return TheForceSpectrumLoadsList(); }

bool ForceSpectrumLoadsListOffered(const Model& model) {
  return model.lists[RowListKind::ForceSpectrumLoads].count > 0;
}

void OpenForceSpectrumLoadsTable() {
  static const std::vector<int> lengths = {0, 0, 0, 0, 0, 16};
  TheForceSpectrumLoadsList().Open(OpenForceSpectrumLoadsTable, &lengths);
}

void PrintForceSpectrumLoadsTable() { PrintDirectionalLoadsTable(TheForceSpectrumLoadsList()); }

void DirectionalLoadDetailsText(int row) {
  if (!g_ReportToFile) {
    PutDescribedAfterNode(DescribeDirectionalLoad(row), NodeNumberText(TheModel().row(row).node));
    return;
  }
  const DirectionalLoadValues values = ValuesOfRow(row);
  for (int column = 2; column < kScaleColumn; ++column) ReportPutCell(DirectionalLoadCellText(values, column));
  ReportPutCell(CFormat("%0.5g", static_cast<double>(values.scaleFactor)));
}

std::string DescribeDirectionalLoad(int row) {
  const DirectionalLoadValues values = ValuesOfRow(row);
  std::string line(kTextColumns[4] + 12, ' ');
  auto put = [&line](const std::string& text, int column) { PutAtColumn(line, text, column); };
  put(NodeNumberText(TheModel().row(row).node), kTextColumns[0]);
  for (int column = 2; column < kScaleColumn; ++column)
    put(DirectionalLoadCellText(values, column), kTextColumns[column - 1]);
  // A long name pushes the factor on rather than lose its end under it.
  const int scaleColumn = std::max(kTextColumns[4], kTextColumns[3] + static_cast<int>(values.name.size()) + 1);
  put(CFormat("%-10.5g", static_cast<double>(values.scaleFactor)), scaleColumn);
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}
