// The Miter bends list and its printed section; see MiterList.h.
#include "elements/MiterList.h"

#include <algorithm>
#include <utility>

#include "elements/BendFields.h"
#include "elements/MiterBend.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "model/Nodes.h"
#include "printing/ReportOutput.h"
#include "printing/RowDetails.h"
#include "services/NumberFormat.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/Units.h"

namespace {

constexpr int kColumns = 11;
enum Column { kRadius = 2, kThickness, kMaterial, kFactor, kOutFactor, kSif, kOutSif, kAxialSif, kTorsionSif, kType };
constexpr int kCodeB31_3 = 3;

bool UseB31J() { return TheModel().options.UseB31J != 0; }
bool Separate() { return CodeUsesInOutPlaneSifs(TheModel().options.PipingCode); }
bool SifPair() { return Separate() || UseB31J(); }
bool B31_3() { return TheModel().options.PipingCode == kCodeB31_3; }

bool Shown(int column) {
  switch (column) {
    case kOutFactor:
    case kTorsionSif: return UseB31J();
    case kOutSif: return SifPair();
    case kAxialSif: return B31_3();
    default: return column >= 1 && column <= kColumns;
  }
}

const MiterBend& MiterOfRow(int row) { return static_cast<const MiterBend&>(*TheModel().row(row).element); }
std::string Dimension(float value) { return TrimmedText(FormatDimension(value)); }
std::string SifText(float value) { return value > 1.0f ? TrimmedText(FormatSif(value)) : std::string(); }
const char* SpacingText(std::int32_t spacing) { return spacing == kMiterWidely ? "Widely spaced" : "Closely spaced"; }

MitersList& TheList() {
  static MitersList list;
  return list;
}

}  // namespace

std::string MiterBend::CellText(int column) const {
  switch (column) {
    case kRadius: return Dimension(radius);
    case kThickness: return thickness != 0.0f ? Dimension(thickness) : std::string();
    case kMaterial: return material;
    case kFactor: return BendFactorText(flexibilityFactor);
    case kOutFactor: return BendFactorText(outPlaneFlexibilityFactor);
    case kSif: return SifText(inPlaneSif);
    case kOutSif: return SifText(outPlaneSif);
    case kAxialSif: return SifText(axialSif);
    case kTorsionSif: return SifText(torsionSif);
    case kType: return SpacingText(spacing);
    default: return {};
  }
}

MitersList::MitersList()
    : ElementKindListTable(ElementType::Miter, RowListKind::Miters, "Miter bends", "Miter bend", kColumns, 2) {
  fromToColumns = false;
}

void MitersList::DefineColumns() {
  KindListTable::DefineColumns();
  for (int column = 1; column <= kColumns; ++column)
    if (!Shown(column)) widths[static_cast<std::size_t>(column)] = 0;
  if (SifPair()) ShareWidths(kSif, kOutSif);
}

std::string MitersList::HeadingText(int column, int line) {
  if (!Shown(column)) return {};
  if (line == 0) {
    switch (column) {
      case kRadius: return "Radius";
      case kThickness: return "Thk";
      case kFactor: return "Flex.F.";
      case kOutFactor: return "Flex.F";
      case kSif: return SifPair() ? "InPln" : "SIF";
      case kOutSif: return "OutPl";
      case kAxialSif: return "Axial";
      case kTorsionSif: return "Torsion";
      default: return {};
    }
  }
  switch (column) {
    case 1: return "Node";
    case kRadius:
    case kThickness: return UnitLabel(kUnitDimension);
    case kMaterial: return "Matl";
    case kFactor: return UseB31J() ? "In Pln" : "";
    case kOutFactor: return "Out Pln";
    case kSif: return SifPair() ? "SIF" : "";
    case kType: return "Type";
    default: return "SIF";
  }
}

std::string MitersList::CellText(int row, int column, int line) {
  return Shown(column) ? KindListTable::CellText(row, column, line) : std::string();
}

void MitersList::WriteText() { PrintMitersDetails(); }

TableWindow& MitersListTable() { return TheList(); }

bool MitersListOffered(const Model& model) { return model.lists[RowListKind::Miters].count > 0; }

void OpenMitersList() { TheList().Open(OpenMitersList, nullptr); }

void MiterDetailsText(int row) {
  if (!g_ReportToFile) {
    PutDescribedAfterNode(MiterTextLine(row), NodeNumberText(TheModel().row(row).node));
    return;
  }
  const MiterBend& m = MiterOfRow(row);
  ReportPutCell(Dimension(m.radius));
  ReportPutCell(Dimension(m.thickness));
  ReportPutCell(m.material);
  auto factor = [](float value) { return TrimmedText(FormatFixedWidth(value, 10, 3)); };
  ReportPutCell(m.flexibilityFactor >= 0.0f ? factor(m.flexibilityFactor) : std::string());
  ReportPutCell(UseB31J() && m.outPlaneFlexibilityFactor > 0.0f ? factor(m.outPlaneFlexibilityFactor) : std::string());
  for (float sif : {m.inPlaneSif, m.outPlaneSif, m.axialSif, m.torsionSif}) ReportPutCell(SifText(sif));
  ReportPutCell(SpacingText(m.spacing));
}

void PrintMitersDetails() {
  KindListPrintTable table(TheList());
  DetailsRequest request = InitDetailsRequest(
      kDetailsElementRows, static_cast<int>(ElementType::Miter), TheList().title,
      {{Separate() ? "Radius  Thickness         Flex.    InPln   OutPln" : "Radius  Thickness         Flex.", 1, 13},
       {"Node", 2, 6},
       {Separate() ? "Matl   Factor   SIF     SIF      Type" : "Matl   Factor   SIF     Type", 2, 32}},
      1,
      {{kUnitDimension, 2, 12, 19}, {kUnitDimension, 2, 21, 28}},
      {}, 1);
  request.putText = MiterDetailsText;
  request.csvHeadings = {",Radius,Thickness",
                         CsvCellsLine("Node," + CsvUnitCells({kUnitDimension, kUnitDimension}) +
                                      "Material,Flex. Factor In Plane,Flex. Factor Out Plane,"
                                      "Inplane SIF,Outplane SIF,Axial SIF,Torsion SIF,Type,")};
  PrintKindDetailsSection(TheList(), table, std::move(request));
}

std::string MiterTextLine(int row) {
  const MiterBend& m = MiterOfRow(row);
  std::string line;
  PutAtColumn(line, NodeNumberText(TheModel().row(row).node), 6);
  PutAtColumn(line, Dimension(m.radius), 13);
  if (m.thickness != 0.0f) PutAtColumn(line, Dimension(m.thickness), 22);
  if (!m.material.empty()) PutAtColumn(line, m.material, 32);
  if (m.flexibilityFactor >= 0.0f) PutAtColumn(line, CFormat("%.5g", m.flexibilityFactor), 39);
  if (m.inPlaneSif > 1.0f) PutAtColumn(line, SifText(m.inPlaneSif), 48);
  if (Separate()) {
    if (m.outPlaneSif > 1.0f) PutAtColumn(line, SifText(m.outPlaneSif), 57);
    PutAtColumn(line, SpacingText(m.spacing), 66);
  } else {
    PutAtColumn(line, SpacingText(m.spacing), 57);
  }
  return line;
}
