// The flange stresses report and its table (see FlangeStressesReport.h).
#include "evaluations/FlangeStressesReport.h"

#include <algorithm>
#include <vector>

#include "evaluations/EvaluationReport.h"
#include "evaluations/FlangeCalculation.h"
#include "evaluations/FlangeModel.h"
#include "platform/Gdi.h"
#include "platform/Window.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "services/Frame.h"
#include "services/General.h"
#include "services/ListFrameState.h"
#include "services/NumberFormat.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/ReportMode.h"
#include "services/TableWindow.h"
#include "services/Units.h"

namespace {

constexpr const char* kTitle = "Flange Stresses Report";
constexpr const char* kSection = "ASME Flange Stresses Report";

std::string Trimmed(const char* text) {
  std::string value = text;
  TrimBlanks(value);
  return value;
}

// "label = value unit".
std::string ValueLine(const char* label, const char* value, int kind) {
  return std::string(label) + " = " + Trimmed(value) + " " + UnitLabel(kind);
}

// The four value columns of the stress tables, from the widths of the
// measuring texts in the output's font.
using StressColumns = EvaluationCheckColumns;

template <typename Width>
StressColumns MeasureColumns(Width width) {
  StressColumns c;
  c.digit = width("9");
  const int number = width("9999999999");
  c.calculated = width(std::string("MMMMMMMMMM99999999") + UnitLabel(kUnitStress));
  c.allowed = c.calculated + number;
  c.ratio = c.allowed + c.digit + number;
  c.status = c.ratio + 5 * c.digit;
  return c;
}

StressColumns& PrinterColumns() {
  static StressColumns columns;
  return columns;
}

// A block's title: a heading bar on the printer, a centred and ruled line in
// the file, a plain line on the screen.
void SectionHeading(const std::string& title) {
  switch (CurrentEvaluationOutput()) {
    case EvaluationOutput::Printer:
      if (PrinterLinesLeft() < 4) PrinterPageHeading();
      PrinterHeadingBar(title);
      PrinterNewLine();
      PrinterQuarterLine();
      return;
    case EvaluationOutput::File:
      if (g_ReportToFile) {
        EvaluationReportWriteLine(title);
        return;
      }
      ReportPutCentred(title, 4, 88);
      ReportNewLine();
      ReportRule();
      return;
    case EvaluationOutput::Screen: EvaluationReportWriteLine(title); return;
  }
}

void FileRule() {
  if (CurrentEvaluationOutput() == EvaluationOutput::File && !g_ReportToFile) ReportRule();
}

// The heading row of a stress table.
void StressHeadingRow() {
  switch (CurrentEvaluationOutput()) {
    case EvaluationOutput::Printer: PrinterCheckHeadingRow(PrinterColumns()); return;
    case EvaluationOutput::File:
      if (g_ReportToFile) {
        ReportAppendLine(",Calculated,Allowed,Ratio,Status");
      } else {
        ReportPutText("Calculated   Allowed   Ratio   Status", 28);
        ReportNewLine();
      }
      ReportNewLine();
      return;
    case EvaluationOutput::Screen:
      EvaluationReportSetLine("", kEvaluationHeadingRow);
      EvaluationReportNextLine();
      return;
  }
}

void StressRow(const FlangeStressRow& row) {
  const double ratio = FlangeStressRatio(row);
  const std::string calculated = Trimmed(FormatStress(static_cast<float>(row.calculated)));
  const std::string allowed = Trimmed(FormatStress(static_cast<float>(row.allowable)));
  const std::string ratioText = Trimmed(FormatFixedWidth(ratio, 10, 3));
  const std::string status = FlangeStatusText(ratio);
  switch (CurrentEvaluationOutput()) {
    case EvaluationOutput::Printer:
      PrinterCheckRow(PrinterColumns(), row.label, calculated, allowed, ratioText, status);
      return;
    case EvaluationOutput::File:
      if (g_ReportToFile) {
        ReportAppendLine(CsvQuoted(row.label) + "," + calculated + "," + allowed + "," + ratioText + "," + status);
      } else {
        ReportPutText(row.label, 4);
        ReportPutTextRight(calculated, 36);
        ReportPutTextRight(allowed, 47);
        ReportPutTextRight(ratioText, 56);
        ReportPutText(status, 63);
      }
      ReportNewLine();
      return;
    case EvaluationOutput::Screen:
      EvaluationReportSetLine(std::string(row.label) + " ! " + calculated + " " + allowed + " " + ratioText + " " +
                                  status,
                              kEvaluationCheckRow);
      EvaluationReportNextLine();
      return;
  }
}

void StressTable(const FlangeQualificationData& d, const FlangeConditionStresses& stresses, bool seating) {
  const std::string unit = UnitLabel(kUnitStress);
  EvaluationReportWriteLine("Flange Stresses " + unit + (seating ? " - Gasket Seating Condition" : " - Operating Condition"));
  StressHeadingRow();
  for (const FlangeStressRow& row : FlangeStressRows(d, stresses, seating)) StressRow(row);
}

void InputBlocks(const FlangeQualificationData& d) {
  SectionHeading("Flange Stress Calculation as per ASME Section VIII. Div. 1 - Appendix 2");
  EvaluationReportWriteLine("");
  EvaluationReportWriteLine("Flange Details:");
  EvaluationReportWriteLine(std::string("Flange Type : ") +
                            kFlangeTypeListNames[std::clamp(d.type, 0, kFlangeTypeListCount - 1)]);
  EvaluationReportWriteLine(ValueLine("Flange Outside Diameter [A]", FormatDimension(d.outsideDiameter), kUnitDimension));
  EvaluationReportWriteLine(ValueLine("Flange Inside Diameter [B] ", FormatDimension(d.insideDiameter), kUnitDimension));
  EvaluationReportWriteLine(
      ValueLine("Inside Diameter of Reverse Flange [B'] ", FormatDimension(d.reverseInsideDiameter), kUnitDimension));
  EvaluationReportWriteLine(ValueLine("Flange Thickness [t]", FormatDimension(d.thickness), kUnitDimension));
  EvaluationReportWriteLine(ValueLine("Small End Hub Thickness [g0]", FormatDimension(d.hubSmallEnd), kUnitDimension));
  EvaluationReportWriteLine(ValueLine("Large End Hub Thickness [g1]", FormatDimension(d.hubLargeEnd), kUnitDimension));
  EvaluationReportWriteLine(ValueLine("Hub Length [h]", FormatDimension(d.hubLength), kUnitDimension));
  EvaluationReportWriteLine(
      ValueLine("Allowable Stress @ Design Temp [sf]", FormatStress(d.flangeAllowableDesign), kUnitStress));
  EvaluationReportWriteLine(
      ValueLine("Allowable Stress @ Ref. Temp [sfa]", FormatStress(d.flangeAllowableReference), kUnitStress));
  EvaluationReportWriteLine(ValueLine("Modulus @ Design Temp [E]", FormatModulus(d.modulusDesign), kUnitModulus));
  EvaluationReportWriteLine(ValueLine("Modulus @ Ref. Temp [Ea]", FormatModulus(d.modulusReference), kUnitModulus));
  EvaluationReportWriteLine("");
  EvaluationReportWriteLine("Bolting Information:");
  EvaluationReportWriteLine(ValueLine("Bolt Circle Diameter", FormatDimension(d.boltCircle), kUnitDimension));
  EvaluationReportWriteLine(std::string("Number of Bolts = ") + IntegerToText(d.boltCount));
  EvaluationReportWriteLine(ValueLine("Bolt Diameter", FormatDimension(d.boltDiameter), kUnitDimension));
  EvaluationReportWriteLine(
      ValueLine("Allowable Stress @ Ref. Temp [sa]", FormatStress(d.boltAllowableReference), kUnitStress));
  EvaluationReportWriteLine(
      ValueLine("Allowable Stress @ Design Temp [sb]", FormatStress(d.boltAllowableDesign), kUnitStress));
  EvaluationReportWriteLine("");
  EvaluationReportWriteLine("Gasket Information:");
  EvaluationReportWriteLine(ValueLine("Gasket Outside Diameter", FormatDimension(d.gasketOutside), kUnitDimension));
  EvaluationReportWriteLine(ValueLine("Gasket Inner Diameter", FormatDimension(d.gasketInside), kUnitDimension));
  EvaluationReportWriteLine(std::string("Leak Pressure Ratio [m] = ") + FormatFixedWidth(d.gasketFactor, 5, 2));
  EvaluationReportWriteLine(ValueLine("Gasket Seating Stress [y]", FormatStress(d.seatingStress), kUnitStress));
  EvaluationReportWriteLine(std::string("Facing Sketch = ") + IntegerToText(d.facingSketch));
  EvaluationReportWriteLine(std::string("Facing Column = ") + IntegerToText(d.facingColumn));
  EvaluationReportWriteLine("");
  EvaluationReportWriteLine("Load Data:");
  EvaluationReportWriteLine(ValueLine("Design Pressure", FormatPressure(d.designPressure), kUnitPressure));
  EvaluationReportWriteLine(ValueLine("Design Temperature", FormatTemperature(d.designTemperature), kUnitTemperature));
  EvaluationReportWriteLine(ValueLine("Axial Force", FormatForce(d.axialForce), kUnitForce));
  EvaluationReportWriteLine(ValueLine("Bending Moment", FormatMoment(d.bendingMoment), kUnitMoment));
  EvaluationReportWriteLine(ValueLine("Allowable Pressure", FormatPressure(d.allowablePressure), kUnitPressure));
}

void ResultBlocks(const FlangeQualificationData& d, const FlangeResults& r) {
  // The results begin on a page of their own in the text file.
  if (CurrentEvaluationOutput() == EvaluationOutput::File && !g_ReportToFile) ReportNewPage();
  SectionHeading("Flange Equivalent Pressure as per NC3658.1 of ASME Section III Class 2");
  EvaluationReportWriteLine(ValueLine("Equivalent Pressure", FormatPressure(static_cast<float>(r.Pe)), kUnitPressure));
  EvaluationReportWriteLine(
      ValueLine("ANSI B16.5 Flange Allowable Pressure Rating", FormatPressure(d.allowablePressure), kUnitPressure));
  EvaluationReportWriteLine("");
  EvaluationReportWriteLine("Stress Safety Factor: (If greater than one, then joint failure is predicted)");
  // The ratio gets its word as every stress row does: above one fails.
  const double pressureRatio = r.Pe / d.allowablePressure;
  EvaluationReportWriteLine(std::string("Equivalent Pressure / Allowable Pressure = ") +
                            FormatFixedWidth(pressureRatio, 5, 2) + "  " + FlangeStatusText(pressureRatio));
  FileRule();

  SectionHeading("Flange Stresses as per ASME Section VIII. Div. 1 - Appendix 2");
  EvaluationReportWriteLine("According to S-2(d) of Appendix S, Rigidity factors (J) should be < 1.0.");
  EvaluationReportWriteLine("");
  EvaluationReportWriteLine(CFormat("ASME Rigidity Factor 'J', Operating Case = %f", r.Joperating));
  EvaluationReportWriteLine(CFormat("ASME Rigidity Factor 'J', Seating Case   = %f", r.Jseating));
  EvaluationReportWriteLine("");
  EvaluationReportWriteLine("J < 1.0 minimizes the possibility of flange leakage.");
  FileRule();

  SectionHeading("Calculated Stresses as per ASME Section VIII. Div. 1");
  StressTable(d, r.operating, false);
  EvaluationReportWriteLine("");
  StressTable(d, r.seating, true);
}

// --- the table ---------------------------------------------------------------------------------

class StressesTable : public ResultTableWindow {
 public:
  StressesTable() {
    rowNumbers = false;
    editable = false;
  }
  std::string PrintName() override { return kTitle; }
  int TextWidth(const std::string& text) const {
    SIZE size{0, 0};
    if (!text.empty()) GetTextExtentPoint32(Dc(), text.data(), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
  }
  StressColumns Columns() const {
    return MeasureColumns([this](const std::string& text) { return TextWidth(text); });
  }
  void DefineColumns() override {
    int width = Columns().status + TextWidth("Status  ");
    for (int index = 0; index < EvaluationReportLineCount(); ++index) {
      const EvaluationLine& line = EvaluationReportLineAt(index);
      if (line.kind == kEvaluationPlainLine) width = std::max(width, TextWidth(line.text));
    }
    widths[1] = width + 2 * Metrics().cellMargin;
  }
  std::string CellText(int row, int /*column*/, int /*line*/) override {
    const EvaluationLine& line = EvaluationReportLineAt(row - 1);
    return line.kind == kEvaluationPlainLine ? line.text : std::string();
  }
  void DrawCellCustom(int row, int /*column*/, int /*line*/, int& x, int& y, const std::string& /*text*/) override {
    const EvaluationLine& line = EvaluationReportLineAt(row - 1);
    if (line.kind == kEvaluationPlainLine) return;
    const StressColumns c = Columns();
    auto right = [&](int edge, const std::string& text) { Out(x + edge - TextWidth(text), y, text); };
    if (line.kind == kEvaluationHeadingRow) {
      right(c.calculated + 2 * c.digit, "Calculated");
      right(c.allowed + c.digit, "Allowed");
      right(c.ratio, "Ratio");
      Out(x + c.status, y, "Status");
      return;
    }
    // A stress row's buffered text: the label, " ! ", then the four values.
    const EvaluationRowParts parts = SplitEvaluationRow(line.text, " ! ");
    Out(x, y, parts.label);
    const int edges[3] = {c.calculated, c.allowed, c.ratio};
    for (std::size_t i = 0; i < parts.values.size() && i < 3; ++i) right(edges[i], parts.values[i]);
    if (parts.values.size() > 3) Out(x + c.status, y, parts.values[3]);
  }
  // A report, not a grid: no rules between its lines.
  void DrawRowRule(int /*visibleRow*/) override {}
  void DrawColumnRule(int /*column*/) override {}
  void DoubleClick() override {}
  void WriteText() override {
    if (g_ReportFileOpen)
      ReportSetTitle(kSection);
    else
      BeginReportSection(kSection, 0);
    BuildFlangeStressesReport();
  }

 private:
  void Out(int x, int y, const std::string& text) const {
    if (!text.empty()) TextOut(Dc(), x, y, text.data(), static_cast<int>(text.size()));
  }
};

void SetWindowTitle(const std::string& name) {
  HWND window = ListFrame().window;
  if (window == nullptr) return;
  const std::string title = ProgramTitle + " : " + name + " -  [" + TheFlangeDocument().title + "]";
  SetWindowText(window, title.c_str());
}

}  // namespace

const char* FlangeStatusText(double ratio) { return ratio <= 1.0 ? "OK" : "----"; }

void BuildFlangeStressesReport() {
  const FlangeDocument& document = TheFlangeDocument();
  switch (CurrentEvaluationOutput()) {
    case EvaluationOutput::Printer:
      PrinterColumns() = MeasureColumns([](const std::string& text) { return PrinterTextWidth(text); });
      break;
    case EvaluationOutput::Screen: EvaluationReportClearLines(); break;
    case EvaluationOutput::File: break;
  }
  InputBlocks(document.data);
  if (document.analysed) ResultBlocks(document.data, document.results);
}

ResultTableWindow& FlangeStressesTable() {
  static StressesTable table;
  return table;
}

void ShowFlangeStressesReport() {
  ResultTableWindow& table = FlangeStressesTable();
  if (FlangeModified()) TableReset(table);
  BuildFlangeStressesReport();
  if (!BindFirstListTable(table, 1)) return;
  table.headingLines = 0;
  TableRefresh(table, kTitle, EvaluationReportLineCount(), 0);
  SetWindowTitle(kTitle);
}
