// The lug evaluation report (see LugEvaluationReport.h).
#include "evaluations/LugEvaluationReport.h"

#include <string>

#include "evaluations/EvaluationReport.h"
#include "evaluations/LugEvaluationChecks.h"
#include "evaluations/LugEvaluationLines.h"
#include "evaluations/LugEvaluationModel.h"
#include "platform/Window.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "services/Frame.h"
#include "services/ListFrameState.h"
#include "services/ProgramContext.h"
#include "services/ReportMode.h"
#include "services/TableWindow.h"
#include "services/Units.h"

namespace {

constexpr const char* kTitle = "Evaluation of Piping at Lug Attachment";

void Dimension(const char* label, float value) { LugReportValueLine(label, FormatDimension(value), UnitLabel(kUnitDimension)); }
void Stress(const char* label, float value) { LugReportValueLine(label, FormatStress(value), UnitLabel(kUnitStress)); }

void InputReport(const LugInputs& d) {
  const bool asme = LugIsAsme(d);
  LugReportLine(std::string("Evaluation of Piping at Lug Attachment as per ") + kLugCodeNames[d.code]);
  EvaluationReportWriteLine("");
  EvaluationReportWriteLine("Input Data:");
  EvaluationReportWriteLine(std::string("Lug Evaluation Code: ") + kLugCodeNames[d.code]);
  if (asme) EvaluationReportWriteLine(std::string("Level: ") + kLugLevelNames[d.level]);
  EvaluationReportWriteLine(std::string("Lug Type: ") +
                            (d.lugType == kLugRectangular ? "Rectangular" : "Hollow Circular"));
  EvaluationReportWriteLine(std::string("Weld Type (Penetration):") + LugWeldName(d));
  Dimension("Outside Diameter of Run Pipe (OD):", d.OD);
  Dimension("Nominal Wall Thickness of Run Pipe (Thk):", d.Thk);
  if (d.lugType == kLugRectangular) {
    Dimension("Half Length of Attachment in Circumferential Direction (L1):", d.L1);
    Dimension("Half Length of Attachment in Longitudinal Direction (L2):", d.L2);
  } else {
    Dimension("Outside Diameter of Hollow Circular Attachment (od):", d.od);
    Dimension("Nominal Wall Thickness of Hollow Circular Attachment (thk):", d.thk);
  }
  if (asme) {
    Stress("Sustained Stress at Run Pipe (Eq.8):", d.s1);
    Stress("Expansion Stress at Run Pipe (Eq.10):", d.s2);
    Stress("Sustained + Occasional Stress at Run Pipe (Eq.9):", d.s3);
    Stress("Settlement Stress (Eq.10a):", d.s4);
    Stress("Thermal + Sustained Stress (Eq.11):", d.s5);
    Stress("Allowable Stress at Maximum Metal Temperature (sh):", d.sh);
    Stress("Allowable Stress Range (sa):", d.sa);
    Stress("Yield Stress (sy):", d.sy);
  } else {
    Stress("Sustained Stress at Run Pipe (S1):", d.s1);
    Stress("Expansion Stress at Run Pipe (S3):", d.s2);
    Stress("Sustained + Occasional Stress at Run Pipe (S2):", d.s3);
    Stress("Thermal + Sustained Stress (S4):", d.s5);
    Stress("Creep Stress (S5):", d.s4);
    Stress("Allowable Stress at Maximum Metal Temperature (fh):", d.fh);
    Stress("Allowable Stress Range (fa):", d.fa);
    Stress("Yield Strength (ReHt):", d.ReHt);
    Stress("Creep Stress (fcr):", d.fcr);
  }
  static const char* const kSetTitles[kLugLoadSetCount] = {
      "Forces and Moments at Pipe surface: Sustained", "Forces and Moments at Pipe surface: Occasional",
      "Forces and Moments at Pipe surface: Thermal", "Forces and Moments at Pipe surface: Settlement",
      "Abs. Max. Forces and Moments occurring simultaneously at Pipe surface"};
  static const char* const kLoadNames[kLugLoadCount] = {
      "Thrust Load applied to the Attachment (W", "Circumferential Shear Load applied to the Attachment (Q1",
      "Longitudinal Shear Load applied to the Attachment (Q2", "Torsional Moment applied to the Attachment (MT",
      "Circumferential Moment applied to the Attachment (MN", "Longitudinal Moment applied to the Attachment (ML"};
  for (int set = 0; set < kLugLoadSetCount; ++set) {
    if (set == kLugSettlement && !asme) continue;
    LugReportLine(kSetTitles[set]);
    for (int load = 0; load < kLugLoadCount; ++load) {
      const float value = d.loads[static_cast<std::size_t>(set)][static_cast<std::size_t>(load)];
      const std::string label = std::string(kLoadNames[load]) + (set == kLugAbsMax ? "**):" : "):");
      if (load <= kLugQ2)
        LugReportValueLine(label, FormatForceTrim(value), UnitLabel(kUnitForce));
      else
        LugReportValueLine(label, FormatMomentTrim(value), UnitLabel(kUnitMoment));
    }
  }
  EvaluationReportWriteLine("");
}

void ResultsReport(const LugInputs& d) {
  static const char* const kCodeTitles[3] = {"ASME Sec III, Div 1(2010) Appendix Y (NC - Class 2)",
                                             "ASME Sec III, Div 1(2010) Appendix Y (ND - Class 3)",
                                             "Clause 11 - Integral Attachments, EN 13480-3 (2017)"};
  LugReportLine(kCodeTitles[d.code]);
  LugReportLine(std::string("Evaluation of Piping at ") +
                (d.lugType == kLugRectangular ? "Rectangular Attachments" : "Hollow Circular Attachments"));
  const LugCheckResult r = CheckLug(d);
  if (!r.refusal.empty()) {
    EvaluationReportWriteLine(r.refusal);
    return;
  }
  LugResultsTable(r.sectionTitle);
  for (const LugResultRow& row : r.rows) LugResultLine(row.label, row.calculated, row.allowed);
  LugResultsTable(r.weldTitle);
  for (const LugResultRow& row : r.weldRows) LugResultLine(row.label, row.calculated, row.allowed);
}

void SetWindowTitle() {
  HWND window = ListFrame().window;
  if (window == nullptr) return;
  const std::string title = ProgramTitle + " : " + kTitle + " -  [" + TheLugDocument().file.title + "]";
  SetWindowText(window, title.c_str());
}

}  // namespace

void BuildLugReport() {
  const LugDocument& document = TheLugDocument();
  const auto lines = [&document] {
    InputReport(document.data);
    if (document.analysed) ResultsReport(document.data);
  };
  BeginEvaluationLines(EvaluationLinesStyle::Lug, lines);
  if (CurrentEvaluationOutput() == EvaluationOutput::Screen) EvaluationReportClearLines();
  lines();
}

void PrintLugReport() {
  if (g_ReportFileOpen)
    ReportSetTitle(kTitle);
  else
    BeginReportSection(kTitle, 0);
  BuildLugReport();
}

void RefreshLugWindow() {
  ResultTableWindow& table = EvaluationLinesTable(EvaluationLinesStyle::Lug);
  SetEvaluationLinesTablePrint(EvaluationLinesStyle::Lug, "Lug Evaluation Module", PrintLugReport);
  if (LugModified()) TableReset(table);
  BuildLugReport();
  if (!BindFirstListTable(table, 1)) return;
  table.headingLines = 0;
  TableRefreshCounted(table, kTitle, EvaluationReportLineCount(), 0);
  SetWindowTitle();
}
