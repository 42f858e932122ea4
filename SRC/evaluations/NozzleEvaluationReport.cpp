// The nozzle evaluation report (see NozzleEvaluationReport.h).
#include "evaluations/NozzleEvaluationReport.h"

#include <string>

#include "evaluations/EvaluationReport.h"
#include "evaluations/LugEvaluationLines.h"
#include "evaluations/NozzleEvaluationLoads.h"
#include "evaluations/NozzleEvaluationModel.h"
#include "evaluations/NozzleEvaluationWrc537.h"
#include "platform/Window.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "services/Frame.h"
#include "services/General.h"
#include "services/ListFrameState.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/ReportMode.h"
#include "services/TableWindow.h"
#include "services/Units.h"

namespace {

constexpr const char* kTitle = "Local loads on nozzle";
constexpr const char* kTableTitle = "Nozzle Evaluation";

std::string& Foreground() {
  static std::string text;
  return text;
}

void Value(const char* label, const char* value, int kind) { LugReportValueLine(label, value, UnitLabel(kind)); }
void Dimension(const char* label, float value) { Value(label, FormatDimension(value), kUnitDimension); }
void Stress(const char* label, float value) { Value(label, FormatStress(value), kUnitStress); }
void Force(const char* label, float value) { Value(label, FormatForceTrim(value), kUnitForce); }
void Moment(const char* label, float value) { Value(label, FormatMomentTrim(value), kUnitMoment); }

void En13445InputData(const NozzleEvaluation& d) {
  LugReportLine("Allowable Loads on Nozzles as per EN 13445-3:2009");
  EvaluationReportWriteLine("Input Data:");
  EvaluationReportWriteLine(d.spherical ? "Local Loads on Nozzle attached to Spherical Vessel"
                                        : "Local Loads on Nozzle attached to Cylindrical Vessel");
  Dimension(d.spherical ? "Mean Shell Radius [R]:" : "Mean Shell Diameter [D]:", d.R);
  Dimension("Nominal Shell Thk. [e]:", d.e);
  Dimension("Nozzle OD [de]:", d.de);
  Dimension("Nozzle Thickness [eb]:", d.eb);
  Dimension("Mean Nozzle Dia. [d]:", d.d);
  Dimension("Rein. Pad Thk. [e2]:", d.e2);
  Dimension("Rein. Pad OD [d2]:", d.d2);
  Dimension("Shell + Rein. Pad Thk. [ec]:", d.ec);
  Stress("Shell Design Stress [f]:", d.f);
  Stress("Nozzle Design Stress [fb]:", d.fb);
  Stress("Rein. Pad Design Stress [f2]:", d.f2);
  Dimension("Corrosion Allowance [c]:", d.c);
}

void Wrc537InputData(const NozzleEvaluation& d) {
  const bool s = d.spherical;
  const char* loadCase = kNozzleLoadCaseNames[d.loadCase];
  LugReportLine("Local Shell Stresses at Nozzles");
  EvaluationReportWriteLine("Input Data:");
  EvaluationReportWriteLine(s ? "Local Shell Stresses at Nozzles attached to Spherical Shells"
                              : "Local Shell Stresses at Nozzles attached to Cylindrical Shells");
  EvaluationReportWriteLine(std::string("Load Case : ") + loadCase);
  Force("Radial Load [P]:", d.P);
  Force(s ? "Shear Load [V1]:" : "Shear Load [VC]:", d.V1);
  Force(s ? "Shear Load [V2]:" : "Shear Load [VL]:", d.V2);
  Moment(s ? "Overturning Moment [M1]:" : "Circumferential Moment [MC]:", d.M1);
  Moment(s ? "Overturning Moment [M2]:" : "Longitudinal Moment [ML]:", d.M2);
  Moment("Torsional Moment [MT]:", d.MT);
  Dimension("Vessel Thickness [T]:", d.T);
  Dimension(s ? "Vessel Mean Radius: [Rm]:" : "Vessel Radius: [Rm]:", d.Rm);
  if (s) {
    Dimension("Nozzle Thickness [t]:", d.eb);
    Dimension("Nozzle Outside Radius [ro]:", d.ro);
    Dimension("Nozzle Mean Radius [rm]:", d.rm);
  } else {
    Dimension("Attachment Radius [ro]:", d.ro);
  }
  Dimension("Fillet Radius [r]:", d.r);
  Stress("Pressure Stress at Shell [Pm]:", d.Pm);
  Stress("Bending Stress at Shell [Pb]:", d.Pb);
  Stress((std::string(loadCase) + " Allowable [All]:").c_str(), d.All);
  LugReportValueLine("Stress Conc. Factor - Tension [Kn]:", FormatFixedWidth(d.Kn, 7, 2), "-");
  LugReportValueLine("Stress Conc. Factor - Bending [Kb]:", FormatFixedWidth(d.Kb, 7, 2), "-");
}

std::string Ratio(double value) { return FormatFixedWidth(value, 8, 3); }
std::string WithUnit(double value, const char* (*format)(float), int kind) {
  std::string text = format(static_cast<float>(value));
  TrimBlanks(text);
  return text + " " + UnitLabel(kind);
}

void En13445Results(const NozzleEvaluation& d) {
  const En13445NozzleResult r = En13445NozzleLoadsOf(d);
  if (d.spherical) {
    LugReportLine("Allowable Loads on Nozzles attached to Spherical Shells as per EN 13445-3:2009");
    LugReportLine("Clause 16.4.3: Conditions of applicability");
    LugReportLine("Analysis Shell Thk.[ea]/Mean Shell Radius [R] should be >= 0.001 and <= 0.1");
    if (!r.applicable) {
      EvaluationReportWriteLine("a) ea/R = " + Ratio(r.q) + ". Condition failed ***");
      return;
    }
    EvaluationReportWriteLine("a) ea/R = " + Ratio(r.q) + " which is >= 0.001 and <= 0.1. Condition Passed.");
    EvaluationReportWriteLine(
        "b) Distances to any other local load in any direction shall not be less than SQRT(R.ec) = " +
        WithUnit(r.loadDistance, FormatDimension, kUnitDimension));
    EvaluationReportWriteLine("c) Nozzle thickness shall be maintained over a distance of SQRT(D.eb) = " +
                              WithUnit(r.thicknessLength, FormatDimension, kUnitDimension));
    LugReportLine("Clause 16.4.5: Maximum allowable individual loads");
    Force("Allowable radial nozzle load [Fz.Max]:", r.Fz);
    EvaluationReportWriteLine("");
    Moment("Allowable bending moment [Mb.Max]:", r.Mb);
    return;
  }
  LugReportLine("Allowable Loads on Nozzles attached to Cylindrical Shells as per EN 13445-3:2009");
  LugReportLine("Clause 16.5.3: Conditions of applicability");
  LugReportLine("a) Analysis Shell Thk.[ea]/Mean Shell Diameter [D] should be >= 0.001 and <= 0.1");
  if (!r.applicable) {
    EvaluationReportWriteLine("a) ea/D = " + Ratio(r.q) + ". Condition failed ***");
    return;
  }
  EvaluationReportWriteLine("a) ea/D = " + Ratio(r.q) + " which is >= 0.001 and <= 0.1. Condition Passed.");
  EvaluationReportWriteLine("b) Lambda C should be <= 10.0");
  EvaluationReportWriteLine("Lambda C = " + Ratio(r.lambda) +
                            (r.lambdaPassed ? " which is <= 10.0 Condition Passed."
                                            : " which is <= 10.0 Condition failed ***."));
  EvaluationReportWriteLine("c) Distances to any other local load in any direction shall not be less than SQRT(D.ec): " +
                            WithUnit(r.loadDistance, FormatDimension, kUnitDimension));
  EvaluationReportWriteLine("d) Nozzle thickness shall be maintained over a distance of SQRT(D.eb): " +
                            WithUnit(r.thicknessLength, FormatDimension, kUnitDimension));
  LugReportLine("Clause 16.5.5: Maximum allowable individual loads");
  Force("16.4.5.5: Allowable radial nozzle load [Fz.Max]:", r.Fz);
  EvaluationReportWriteLine("");
  Moment("16.5.5.5: Allowable circumferential moment [Mx.Max]:", r.Mb);
  EvaluationReportWriteLine("");
  Moment("16.5.5.6: Allowable longitudinal moment [My.Max]:", r.My);
}

void Wrc537Results(const NozzleEvaluation& d) {
  const Wrc537Result r = Wrc537StressesOf(d);
  if (!r.missingCurve.empty()) {
    EvaluationReportWriteLine(r.missingCurve);
    return;
  }
  const bool s = d.spherical;
  if (r.startWritten) {
    if (r.knComputed || r.kbComputed) {
      LugReportLine(s ? "Stress Concentration Factors Computed as per Fig. B-2"
                      : "Stress Concentration Factor(s) Computed as per Fig. B-2");
      if (r.knComputed) LugReportValueLine("Tension [Kn]:", FormatFixedWidth(r.Kn, 7, 2), "-");
      if (r.kbComputed) LugReportValueLine("Bending [Kb]:", FormatFixedWidth(r.Kb, 7, 2), "-");
    }
    LugReportLine(std::string(s ? "Calculation of Local Stresses in Spherical Shells as per WRC Bulletin 537 "
                                : "Calculation of Local Stresses in Cylindrical Shells as per WRC Bulletin 537 ") +
                  UnitLabel(kUnitStress));
    Wrc537StressHeading();
  }
  if (!r.foreground.empty()) {
    Foreground() = r.foreground;
    return;
  }
  for (const Wrc537Line& line : r.lines) {
    if (line.kind == Wrc537Line::kEmpty)
      EvaluationReportWriteLine("");
    else
      Wrc537StressRow(line.row.label, line.row.figure, line.row.s);
  }
  EvaluationReportWriteLine("");
  const char* intensity = d.loadCase != kNozzleOperating ? "Combined Stress Intensity (Pl)"
                          : s                             ? "Combined Stress Intensity (Pl+Q)"
                                                          : "Combined Stress Intensity (PL+Q)";
  Wrc537StressRow(intensity, "-", r.intensity);
  LugResultsTable(std::string("Stress Compliance as per ASME Section VIII Division 2 - ") +
                  kNozzleLoadCaseNames[d.loadCase] + " Load");
  StressComplianceLine(d.loadCase != kNozzleOperating ? "Stress (Pm+Pb+Pl)" : "Stress (Pm+Pb+Pl+Q)", r.calculated,
                       d.All);
}

void SetWindowTitle() {
  HWND window = ListFrame().window;
  if (window == nullptr) return;
  const std::string title = ProgramTitle + " : " + kTitle + " -  [" + TheNozzleDocument().file.title + "]";
  SetWindowText(window, title.c_str());
}

}  // namespace

void BuildNozzleEvaluationReport() {
  const NozzleDocument& document = TheNozzleDocument();
  const auto lines = [&document] {
    Foreground().clear();
    const NozzleEvaluation& d = document.data;
    if (d.analysis == kNozzleWrc537)
      Wrc537InputData(d);
    else
      En13445InputData(d);
    if (!document.analysed) return;
    if (d.analysis == kNozzleWrc537)
      Wrc537Results(d);
    else
      En13445Results(d);
  };
  BeginEvaluationLines(EvaluationLinesStyle::Nozzle, lines);
  if (CurrentEvaluationOutput() == EvaluationOutput::Screen) EvaluationReportClearLines();
  lines();
}

void PrintNozzleReport() {
  if (g_ReportFileOpen)
    ReportSetTitle(kTitle);
  else
    BeginReportSection(kTitle, 0);
  BuildNozzleEvaluationReport();
}

void RefreshNozzleEvaluationWindow() {
  ResultTableWindow& table = EvaluationLinesTable(EvaluationLinesStyle::Nozzle);
  SetEvaluationLinesTablePrint(EvaluationLinesStyle::Nozzle, kTitle, PrintNozzleReport);
  if (NozzleModified()) TableReset(table);
  BuildNozzleEvaluationReport();
  if (!BindFirstListTable(table, 1)) return;
  table.headingLines = 0;
  TableRefreshCounted(table, kTableTitle, EvaluationReportLineCount(), 0);
  SetWindowTitle();
}

const char* NozzleReportForegroundMessage() { return Foreground().c_str(); }
