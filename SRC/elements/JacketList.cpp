// The Jacketed pipes/bends list and its printed section; see JacketList.h.
#include "elements/JacketList.h"

#include <algorithm>
#include <utility>

#include "elements/JacketedBend.h"
#include "elements/JacketedPipe.h"
#include "elements/KindTable.h"
#include "model/EditSteps.h"
#include "model/Model.h"
#include "model/UndoFiles.h"
#include "platform/Paint.h"
#include "printing/ReportOutput.h"
#include "printing/RowDetails.h"
#include "properties/PropertyTables.h"
#include "services/ProgramCommands.h"
#include "services/ReportMode.h"
#include "services/Units.h"

namespace {

constexpr int kColumns = 13;
enum Column { kType = 3, kMaterial = 4, kSection = 6, kLoad = 8, kRadius = 10, kThickness = 12 };

std::string Dimension(float value) { return value != 0.0f ? TrimmedText(FormatDimension(value)) : std::string(); }

std::string BendRadiusText(std::uint8_t type, float radius) {
  if (type == kBendRadiusShort) return "Short";
  if (type == kBendRadiusUser) return Dimension(radius);
  return "Long";
}

std::string RadiusHeading() { return std::string("Bend Rad ") + UnitLabel(kUnitDimension); }
std::string ThicknessHeading() { return std::string("Bend Thk ") + UnitLabel(kUnitDimension); }

JacketedList& TheList() {
  static JacketedList list;
  return list;
}

}  // namespace

std::string JacketedPipe::CellText(int column) const {
  switch (column) {
    case kType: return "Jpipe";
    case kMaterial: return jacketMaterial;
    case kSection: return jacketSection;
    case kLoad: return jacketLoad;
    default: return {};
  }
}

std::string JacketedBend::CellText(int column) const {
  switch (column) {
    case kType: return "Jbend";
    case kMaterial: return jacketMaterial;
    case kSection: return jacketSection;
    case kLoad: return jacketLoad;
    case kRadius: return BendRadiusText(jacketRadiusType, jacketRadius);
    case kRadius + 1: return BendRadiusText(radiusType, radius);
    case kThickness: return Dimension(jacketThickness);
    case kThickness + 1: return Dimension(thickness);
    default: return {};
  }
}

JacketedList::JacketedList()
    : ElementKindListTable(ElementType::JacketedPipe, RowListKind::JacketedPipes, "Jacketed pipes/bends",
                           "Jacketed pipe", kColumns, 2) {}

void JacketedList::DefineColumns() {
  KindListTable::DefineColumns();
  ShareWidths(1, 2);
  ShareWidths(kMaterial, kColumns);
  // The spanning bend headings fit over their pairs.
  const int room = widths[kRadius] + widths[kRadius + 1];
  const int needed = std::max(DcTextWidth(Dc(), RadiusHeading()), DcTextWidth(Dc(), ThicknessHeading()));
  if (needed > room)
    for (int column = kRadius; column <= kColumns; ++column)
      widths[static_cast<std::size_t>(column)] += (needed - room + 1) / 2;
}

std::string JacketedList::HeadingText(int column, int line) {
  if (line == 0) return column == 1 ? "From" : column == 2 ? "To" : column == kType ? "Type" : "";
  if (column >= kMaterial && column <= kColumns) return column % 2 == 0 ? "Jckt" : "Core";
  return {};
}

std::string JacketedList::CellText(int row, int column, int line) {
  const int layoutRow = LayoutRowOf(row);
  if (layoutRow == 0) return {};
  const LayoutRow& target = TheModel().row(layoutRow);
  switch (column) {
    case kMaterial + 1: return target.material;
    case kSection + 1: return target.section;
    case kLoad + 1: return target.load;
    default: break;
  }
  if (column <= 2) return KindListTable::CellText(row, column, line);
  return target.element != nullptr ? target.element->CellText(column) : std::string();
}

// The row's own dialog: a jacketed pipe's or a jacketed bend's.
void JacketedList::EditCurrentItem() {
  const int layoutRow = LayoutRowOf(currentRow);
  if (layoutRow == 0) return;
  const ElementType type = TheModel().row(layoutRow).elementType;
  // A jacket that lost a node something names, or narrower than its core,
  // is refused whichever road opened the dialog.
  if (!RunEdit(frame, [&] { return RunElementKindDialog(frame, layoutRow, type); })) {
    TableShowFocus(*this);
    return;
  }
  if (HWND layout = ProgramCommands().layoutTableWindow()) InvalidateRect(layout, nullptr, FALSE);
  OpenJacketedList();
  TableShowFocus(*this);
}

void JacketedList::PaintExtra() {
  const char* pairs[3] = {"Material", "Section", "Load"};
  for (int i = 0; i < 3; ++i) {
    TableHeadingCentred(*this, kMaterial + 2 * i, kMaterial + 2 * i + 1, 0, pairs[i]);
    TableHeadingRule(*this, kMaterial + 2 * i, kMaterial + 2 * i + 1, 2);
  }
  TableHeadingCentred(*this, kRadius, kRadius + 1, 0, RadiusHeading());
  TableHeadingRule(*this, kRadius, kRadius + 1, 2);
  TableHeadingCentred(*this, kThickness, kThickness + 1, 0, ThicknessHeading());
  TableHeadingRule(*this, kThickness, kThickness + 1, 2);
}

void JacketedList::WriteText() { PrintJacketedDetails(); }

TableWindow& JacketedListTable() { return TheList(); }

bool JacketedListOffered(const Model& model) { return model.lists[RowListKind::JacketedPipes].count > 0; }

void OpenJacketedList() { TheList().Open(OpenJacketedList, nullptr); }

void JacketedDetailsText(int row) {
  if (!g_ReportToFile) {
    PutDescribedAfterToNode(JacketedTextLine(row), ToNodeText(row));
    return;
  }
  const LayoutRow& target = TheModel().row(row);
  ReportPutCell(target.material);
  ReportPutCell(target.section);
  ReportPutCell(target.load);
  if (const auto* pipe = dynamic_cast<const JacketedPipe*>(target.element.get())) {
    ReportPutCell(pipe->jacketMaterial);
    ReportPutCell(pipe->jacketSection);
    ReportPutCell(pipe->jacketLoad);
  } else if (const auto* bend = dynamic_cast<const JacketedBend*>(target.element.get())) {
    ReportPutCell(bend->jacketMaterial);
    ReportPutCell(bend->jacketSection);
    ReportPutCell(bend->jacketLoad);
    ReportPutCell(BendRadiusText(bend->radiusType, bend->radius));
  }
}

void PrintJacketedDetails() {
  KindListPrintTable table(TheList());
  DetailsRequest request = InitDetailsRequest(
      kDetailsElementRows, static_cast<int>(ElementType::JacketedPipe), TheList().title,
      {{"Core", 1, 21},
       {"Core", 1, 29},
       {"Core", 1, 37},
       {"Jacket", 1, 44},
       {"Jacket", 1, 52},
       {"Jacket", 1, 60},
       {"Bend Radius", 1, 68},
       {"From", 2, 6},
       {"To", 2, 13},
       {"Material Section  Load  Material Section  Load", 2, 19}},
      1,
      {},
      {}, 1);
  request.putText = JacketedDetailsText;
  request.csvHeadings = {"From,To,Material,Section,Load,Material,Section,Load,", ",,Core,Core,Core,Jacket,Jacket,Jacket,Bend Radius"};
  PrintKindDetailsSection(TheList(), table, std::move(request));
}

std::string JacketedTextLine(int row) {
  const LayoutRow& target = TheModel().row(row);
  std::string line;
  PutAtColumn(line, FromNodeText(row), 6);
  PutAtColumn(line, ToNodeText(row), 14);
  PutAtColumn(line, target.material, 21);
  PutAtColumn(line, target.section, 30);
  PutAtColumn(line, target.load, 38);
  if (const auto* pipe = dynamic_cast<const JacketedPipe*>(target.element.get())) {
    PutAtColumn(line, pipe->jacketMaterial, 45);
    PutAtColumn(line, pipe->jacketSection, 54);
    PutAtColumn(line, pipe->jacketLoad, 62);
  } else if (const auto* bend = dynamic_cast<const JacketedBend*>(target.element.get())) {
    PutAtColumn(line, bend->jacketMaterial, 45);
    PutAtColumn(line, bend->jacketSection, 54);
    PutAtColumn(line, bend->jacketLoad, 62);
    PutAtColumn(line, BendRadiusText(bend->radiusType, bend->radius), 70);
  }
  return line;
}
