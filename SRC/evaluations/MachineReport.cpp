// The compressor (API 617) and turbine (NEMA SM 23) report; see
// RotatingEquipmentReports.h.
#include <cmath>
#include <cstdio>

#include "evaluations/EvaluationReport.h"
#include "evaluations/RotatingEquipmentData.h"
#include "evaluations/RotatingReportLines.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/Units.h"

namespace {

const char* const kTypes[4] = {"Inlet", "Exhaust", "Extr.1", "Extr.2"};

std::string Fixed(double value, int width, int decimals) { return Trim(FormatFixedWidth(value, width, decimals)); }
std::string ForceText(float value) { return Trim(FormatForce(value)); }
std::string MomentText(float value) { return Trim(FormatMoment(value)); }

const ModelRecordTable<RotatingEquipment>& Machines(int kind) {
  return kind == kCompressorKind ? TheModel().compressors : TheModel().turbines;
}
const std::vector<MachineEvaluation>& Evaluations(int kind) {
  const RotatingEquipmentData& data = TheRotatingEquipmentData();
  return kind == kCompressorKind ? data.compressorEvaluations : data.turbineEvaluations;
}

void ForceMomentHeading() {
  WriteMachineRow(kMachineForceMoment, {std::string("----- Forces ") + UnitLabel(kUnitForce) + " -----",
                                        std::string("----- Moments ") + UnitLabel(kUnitMoment) + " -----"});
}

}  // namespace

void Api617NemaReport(int number, int kind, int caseNumber) {
  BeginRotatingReport(true);
  const ModelRecordTable<RotatingEquipment>& machines = Machines(kind);
  const std::vector<MachineEvaluation>& evaluations = Evaluations(kind);
  if (number < 1 || number > machines.count || number > static_cast<int>(evaluations.size())) return;
  const int cases = static_cast<int>(TheRotatingEquipmentData().caseTypes.size());
  if (caseNumber < 1 || caseNumber > cases) return;
  const RotatingEquipment& m = machines[number];
  const MachineEvaluation& e = evaluations[static_cast<std::size_t>(number - 1)];
  const std::size_t s = static_cast<std::size_t>(caseNumber - 1);
  WriteReportTitle((kind == kCompressorKind ? "API 617 (7th Ed. 2003) report for compressor : "
                                            : "NEMA SM23 (1991) report for turbine : ") +
                   m.description);
  EvaluationReportWriteLine("Load case: " + RotatingReportCaseTitle(caseNumber));
  EvaluationReportWriteLine("Shaft axis: Xcomp = " + Fixed(m.shaftAxis[0], 6, 3) + ",  Ycomp = " +
                            Fixed(m.shaftAxis[1], 6, 3) + ",  Zcomp = " + Fixed(m.shaftAxis[2], 6, 3));
  if (!e.frameError.empty()) {
    EvaluationReportWriteLine(e.frameError);
    return;
  }
  EvaluationReportWriteLine("");
  // The nozzle loads in the machine's axes.
  ForceMomentHeading();
  WriteMachineRow(kMachineLoadHeadings, {"Node", "Type", "fx", "fy", "fz", "mx", "my", "mz"});
  for (int n = 0; n < 4; ++n) {
    const MachineNozzle& nozzle = e.nozzles[n];
    if (nozzle.at.node == 0) continue;
    const std::string node = NodeNumberText(nozzle.at.node);
    if (!nozzle.at.anchored) {
      WriteMachineRow(kMachineMessage, {node, kTypes[n], "*** not an anchor ***"});
      continue;
    }
    const Load6& l = nozzle.local[s];
    WriteMachineRow(kMachineLoads, {node, kTypes[n], ForceText(l[0]), ForceText(l[1]), ForceText(l[2]),
                                    MomentText(l[3]), MomentText(l[4]), MomentText(l[5])});
  }
  // The per-nozzle criterion 3F + M.
  WriteMachineRow(kMachineCriterionTop, {"Size", "--- Resultant ---", "Allow"});
  WriteMachineRow(kMachineCriterionUnits, {"Node", "Type", "(inch)", "F(lb)", "M(ft-lb)", "3F + M ", "able", "Ratio"});
  for (int n = 0; n < 4; ++n) {
    const MachineNozzle& nozzle = e.nozzles[n];
    if (nozzle.at.node == 0) continue;
    const std::string node = NodeNumberText(nozzle.at.node);
    if (nozzle.at.nominalSize == 0.0f) {
      WriteMachineRow(kMachineMessage, {node, kTypes[n], "*** No connected pipe ***"});
      continue;
    }
    const std::string size = Fixed(nozzle.at.nominalSize, 10, 3);
    if (!nozzle.at.anchored) {
      WriteMachineRow(kMachineSizeMessage, {node, kTypes[n], size, "*** not an anchor ***"});
      continue;
    }
    const NozzleCriterion c = NozzleCriterionOf(kind, nozzle.at.nominalSize, nozzle.local[s]);
    WriteMachineRow(kMachineCriterion, {node, kTypes[n], size, Fixed(c.f, 10, 1), Fixed(c.m, 10, 1),
                                        Fixed(c.value, 10, 1), Fixed(c.allowable, 10, 0), Fixed(c.ratio, 10, 3)});
  }
  EvaluationReportWriteLine("");
  if (kind == kTurbineKind && e.nozzles[1].at.node == 0) {
    EvaluationReportWriteLine("*** Combined resultants at Exhaust node are not available ***");
    return;
  }
  if (kind == kTurbineKind) {
    EvaluationReportWriteLine(std::string("Combined resultants at Exhaust node ") + NodeNumberText(e.nozzles[1].at.node));
  } else {
    const int reference = FindLargestConnection(e);
    EvaluationReportWriteLine("Combined resultants at largest connection " +
                              (reference >= 0 ? NodeNumberText(e.nozzles[reference].at.node) : std::string()));
  }
  EvaluationReportEndLine();
  ForceMomentHeading();
  WriteMachineRow(kMachineComponents, {"fx", "fy", "fz", "mx", "my", "mz"});
  const Load6& c = e.combined[s];
  WriteMachineRow(kMachineLabelled, {"Calculated", ForceText(c[0]), ForceText(c[1]), ForceText(c[2]), MomentText(c[3]),
                                     MomentText(c[4]), MomentText(c[5])});
  const auto& lim = e.limits;
  WriteMachineRow(kMachineLabelled, {"Allowable", ForceText(lim[0]), ForceText(lim[1]), ForceText(lim[2]),
                                     MomentText(lim[3]), MomentText(lim[4]), MomentText(lim[5])});
  bool positive = true;
  for (int i = 0; i < 6; ++i) positive = positive && lim[static_cast<std::size_t>(i)] > 0.0f;
  if (positive) {
    std::vector<std::string> ratios{"Ratio"};
    for (int i = 0; i < 6; ++i)
      ratios.push_back(Fixed(std::fabs(c[static_cast<std::size_t>(i)]) / lim[static_cast<std::size_t>(i)], 9, 3));
    WriteMachineRow(kMachineLabelled, ratios);
  }
  WriteMachineRow(kMachineCombinedTop, {"--- Resultant ---", "Allow"});
  WriteMachineRow(kMachineCombinedUnits, {"F(lb)", "M(ft-lb)", "2F + M", "able", "Ratio"});
  const double fc = std::sqrt(static_cast<double>(c[0]) * c[0] + static_cast<double>(c[1]) * c[1] +
                              static_cast<double>(c[2]) * c[2]);
  const double mc = std::sqrt(static_cast<double>(c[3]) * c[3] + static_cast<double>(c[4]) * c[4] +
                              static_cast<double>(c[5]) * c[5]) / 12.0;
  const double value = 2.0 * fc + mc;
  const bool limited = lim[6] > 0.0f;
  WriteMachineRow(kMachineCombined, {"Combined", Fixed(fc, 10, 0), Fixed(mc, 10, 0), Fixed(value, 10, 0),
                                     limited ? Fixed(lim[6], 9, 0) : "-----",
                                     limited ? Fixed(value / lim[6], 9, 3) : "-----"});
}

namespace {

void PrintMachines(int kind) {
  const ModelRecordTable<RotatingEquipment>& machines = Machines(kind);
  const int cases = static_cast<int>(TheRotatingEquipmentData().caseTypes.size());
  if (machines.count == 0 || cases == 0) return;
  const bool compressor = kind == kCompressorKind;
  if (!g_ReportFileOpen) {
    if (PrinterLinesLeft() < 8) PrinterPageHeading();
    BeginReportSection(compressor ? "API 617 report" : "NEMA SM 23 report", 0);
  }
  for (int m = 1; m <= machines.count; ++m)
    for (int c = 1; c <= cases; ++c) {
      const std::string name = machines[m].description;
      if (!g_ReportFileOpen) {
        if (PrinterLinesLeft() < 8) PrinterPageHeading();
        if (c == 1) BeginReportSection((compressor ? "Compressor : " : "Turbine : ") + name, 1);
        BeginReportSection("Load case: " + RotatingReportCaseTitle(c), 2);
      } else {
        if (g_ReportLine != kReportBodyLine) ReportNewPage();
        ReportSetTitle((compressor ? "API 617 report for " : "NEMA SM 23 report for ") + name + ", " +
                       RotatingReportCaseTitle(c));
      }
      Api617NemaReport(m, kind, c);
    }
}

}  // namespace

void PrintApi617CompressorReport() { PrintMachines(kCompressorKind); }
void PrintNemaTurbineReport() { PrintMachines(kTurbineKind); }
