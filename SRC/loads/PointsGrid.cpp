// The values grid of the named point tables; see PointsGrid.h.
#include "loads/PointsGrid.h"

#include <algorithm>

#include "loads/ListEdits.h"
#include "loads/LoadsReport.h"
#include "model/Model.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "printing/TablePrint.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/TableWindowSupport.h"

namespace {

class PointsPrintTable : public PrintTable {
 public:
  PointsPrintTable(const PointsGridKind& kind, const NamedPoints& record) : kind_(kind), record_(record) {
    headingLines = kind.headingLines;
  }
  void DefineColumns() override {
    SetColumns(2);
    for (int column = 1; column <= 2; ++column) {
      int width = 0;
      for (int line = 0; line < headingLines; ++line) width = std::max(width, TextWidth(HeadingText(column, line)));
      for (int row = 1; row <= static_cast<int>(record_.points.size()); ++row)
        width = std::max(width, TextWidth(CellText(row, column, 0)));
      widths[static_cast<std::size_t>(column)] = width;
    }
  }
  std::string HeadingText(int column, int line) override {
    return column >= 1 && column <= 2 && line >= 0 && line < kind_.headingLines ? kind_.headings[column - 1][line] : "";
  }
  std::string CellText(int row, int column, int /*line*/) override {
    const FloatPair& point = record_.points[static_cast<std::size_t>(row - 1)];
    return PointValueText(column == 1 ? point.x : point.y);
  }

 private:
  const PointsGridKind& kind_;
  const NamedPoints& record_;
};

}  // namespace

std::string PointsGrid::HeadingText(int column, int line) {
  return column >= 1 && column <= 2 && line >= 0 && line < kind_.headingLines ? kind_.headings[column - 1][line] : "";
}

std::string PointsGrid::CellText(int row, int column, int /*line*/) {
  if (row < 1 || row > static_cast<int>(points_.size())) return {};
  const FloatPair& point = points_[static_cast<std::size_t>(row - 1)];
  return PointValueText(column == 1 ? point.x : point.y);
}

void PointsGrid::StoreCell() {
  if (currentRow < 1 || currentRow > static_cast<int>(points_.size())) return;
  float typed = 0.0f;
  const bool bad = ParseFieldReal(typed) != 0;
  if (currentColumn == 1) {
    if (bad || typed < 0.0f) ThrowInvalidField(kind_.abscissaLabel);
  } else if (bad || (typed < 0.0f && !kind_.negativeValues)) {
    ThrowInvalidField(kind_.valueLabel);
  }
  StoreTyped(typed);
}

bool PointsGrid::Record(std::size_t index, std::string& name, std::vector<FloatPair>& points) const {
  const NamedPointsList& list = kind_.list(TheModel());
  if (index >= list.size()) return false;
  name = list[index].name;
  points = list[index].points;
  return true;
}

bool PointsGrid::Commit() {
  if (!loaded_ || !changed_ || TableResultsShown()) return false;
  Model& model = TheModel();
  NamedPointsList& list = kind_.list(model);
  changed_ = false;
  if (index_ >= list.size()) return false;
  const std::vector<FloatPair> given = GivenPoints();
  const int repeated = FirstNearDuplicate(given);
  const int unplaced = FirstValueWithoutAbscissa(given);
  RunEdit(frame, [&] {
    list[index_].points = SortedPoints(given);
    return true;
  }, EditMessage::GoesOn, EditRefusal::Thrown);
  Reload();
  // Sorting drops these points, as the points are kept; the user is told
  // the first, as Enter on its row would have.
  const std::string abscissa = kind_.abscissaLabel;
  std::string why;
  int dropped = repeated;
  if (unplaced >= 0 && (repeated < 0 || unplaced < repeated)) {
    dropped = unplaced;
    why = abscissa + " is required.";
  } else if (repeated >= 0) {
    why = "its " + abscissa + " " + FormatG6(given[static_cast<std::size_t>(repeated)].x) +
          " is that of another point.\nGive a step as two points apart in " + abscissa + ".";
  }
  if (dropped >= 0)
    ShowTableMessage(Window(), "The point of row " + std::to_string(dropped + 1) + " was dropped: " + why,
                     TableMessageKind::Warning);
  return true;
}

void PrintPointsGrid(const PointsGridKind& kind, const NamedPoints& record) {
  PointsPrintTable table(kind, record);
  TablePrint(table, kind.printTitle + record.name, static_cast<int>(record.points.size()));
}

namespace {

void TextPointTable(const PointsGridKind& kind, const NamedPoints& record, const PointTablesReportForm& form) {
  if (ReportLinesLeft() < 8) ReportNewPage();
  ReportRuleBetween(6, 83);
  ReportNewLine();
  ReportPutChar('|', 6);
  ReportPutCentred(kind.printTitle + record.name, 7, 82);
  ReportPutChar('|', 83);
  ReportNewLine();
  ReportRuleBetween(6, 83);
  ReportNewLine();
  ReportPutText(std::string(form.abscissaHeading) + "      Value", 6);
  ReportNewLine();
  for (const FloatPair& point : record.points) {
    ReportPutText(PointValueText(point.x), form.abscissaColumn);
    ReportPutText(PointValueText(point.y), form.valueColumn);
    ReportNewLine();
  }
  ReportRule();
}

void CsvPointTable(const PointsGridKind& kind, const NamedPoints& record, const PointTablesReportForm& form) {
  ReportCsvLine({kind.printTitle + record.name});
  ReportCsvLine({form.abscissaHeading, "Value"});
  for (const FloatPair& point : record.points) ReportCsvLine({PointValueText(point.x), PointValueText(point.y)});
}

}  // namespace

void PrintPointTables(const PointsGridKind& kind, const NamedPointsList& list, const PointTablesReportForm& form) {
  if (SavedPointTableCount(list) == 0) return;
  if (!g_ReportFileOpen) BeginReportSection(form.section, 0);
  else ReportSetTitle(form.section);
  for (std::size_t index = 0; index < SavedPointTableCount(list); ++index) {
    const NamedPoints& record = list[index];
    if (!g_ReportFileOpen)
      PrintPointsGrid(kind, record);
    else if (g_ReportToFile)
      CsvPointTable(kind, record, form);
    else
      TextPointTable(kind, record, form);
  }
}
