// The pump report: API 610 horizontal and vertical inline checks and the
// ANSI/HI 9.6.2 checks; see RotatingEquipmentReports.h. The check state
// (largest ratio of the check, signed and tolerant and strict modes, the
// all-passed mark) lives for one report.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "evaluations/EvaluationReport.h"
#include "evaluations/PumpVocabulary.h"
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

struct CheckState {
  double largest = 0.0;
  bool signedRatios = false;
  bool tolerant = false;
  bool strict = false;
  bool strictFailed = false;
  bool allPassed = true;
};

CheckState& Check() {
  static CheckState state;
  return state;
}

std::string NodeText(std::int32_t node) { return NodeNumberText(node); }

std::string Format(const char* format, const std::string& a, const std::string& b, const std::string& c) {
  char text[200];
  std::snprintf(text, sizeof text, format, a.c_str(), b.c_str(), c.c_str());
  return text;
}

void CheckLine(const std::string& condition, const char* which, std::int32_t node) {
  EvaluationReportWriteLine(Format("Check of condition %s for %s node %s:", condition, which, NodeText(node)));
}
void PassedLine(const std::string& condition, const char* which, std::int32_t node) {
  EvaluationReportWriteLine(Format("Condition %s for %s node %s passed", condition, which, NodeText(node)));
}
void FailedLine(const std::string& condition, const char* which, std::int32_t node) {
  EvaluationReportWriteLine(Format("Condition %s for %s node %s failed ***", condition, which, NodeText(node)));
  Check().allPassed = false;
}

void CheckRow(const std::string& label, bool moment, double calculated, double allowed) {
  CheckState& state = Check();
  double ratio = allowed != 0.0 ? calculated / allowed : 0.0;
  if (!state.signedRatios) ratio = std::fabs(ratio);
  state.largest = std::max(state.largest, ratio);
  const char* status = "OK";
  if (ratio > 1.0) {
    if (state.strict) {
      status = "Failed";
      state.strictFailed = true;
    } else if (ratio > 2.0 && !state.tolerant) {
      status = "Failed";
    } else {
      status = "----";
    }
  }
  // The number formatters share one buffer: each text is kept before the next.
  const float c = static_cast<float>(calculated);
  const float a = static_cast<float>(allowed);
  const std::string calculatedText = moment ? FormatMoment(c) : FormatForce(c);
  const std::string allowedText = moment ? FormatMoment(a) : FormatForce(a);
  const std::string ratioText = FormatFixedWidth(ratio, 10, 3);
  WritePumpCheckRow(label + " " + UnitLabel(moment ? kUnitMoment : kUnitForce), calculatedText, allowedText, ratioText,
                    status);
}

double LastRatio(double calculated, double allowed) {
  const double ratio = allowed != 0.0 ? calculated / allowed : 0.0;
  return Check().signedRatios ? ratio : std::fabs(ratio);
}

// Each formatted number as its own text (the formatters share a buffer).
std::string AxisValue(float value) { return FormatFixedWidth(value, 6, 3); }
std::string LengthText(float value) { return Trim(FormatLength(value)); }
std::string StressText(double value) { return Trim(FormatStress(static_cast<float>(value))); }

void ReportHeading(const std::string& title, const std::string& kindLine, const Pump& pump, const Vec3f& axis,
                   int caseNumber, bool vertical) {
  WriteReportTitle(title);
  if (!kindLine.empty()) EvaluationReportWriteLine(kindLine);
  EvaluationReportWriteLine("Load case: " + RotatingReportCaseTitle(caseNumber));
  if (vertical) {
    EvaluationReportWriteLine("Y axis: Xcomp = " + std::string(AxisValue(axis[0])) + ", Ycomp = " + AxisValue(axis[1]) +
                              ", Zcomp = " + AxisValue(axis[2]));
    return;
  }
  EvaluationReportWriteLine("Shaft axis: Xcomp = " + std::string(AxisValue(pump.shaftAxis[0])) + ", Ycomp = " +
                            AxisValue(pump.shaftAxis[1]) + ", Zcomp = " + AxisValue(pump.shaftAxis[2]));
  EvaluationReportWriteLine("Center location: X = " + LengthText((pump.centre[0])) + ", Y = " +
                            LengthText((pump.centre[1])) + ", Z = " + LengthText((pump.centre[2])) +
                            "    " + UnitLabel(kUnitLength));
}

void OffsetsLine(const PumpNozzleBlock& nozzle) {
  EvaluationReportWriteLine("Offsets from center: dx = " + LengthText((nozzle.offset[0])) + ", dy = " +
                            LengthText((nozzle.offset[1])) + ", dz = " + LengthText((nozzle.offset[2])) +
                            "  " + UnitLabel(kUnitLength));
}

// The API 610 nozzle header; false when it is an error line (the nozzle
// is then not checked).
bool NozzleHeader(const Pump& pump, const PumpNozzleBlock& nozzle, int which) {
  const char* name = which == 0 ? "Suction" : "Discharge";
  EvaluationReportGap();
  if (CurrentEvaluationOutput() == EvaluationOutput::Screen) EvaluationReportWriteLine("");
  const NozzleAttachment& at = nozzle.at;
  std::string line;
  char text[200];
  if (at.node == 0) {
    std::snprintf(text, sizeof text, "*** %s node is not defined ***", name);
  } else if (!at.defined) {
    std::snprintf(text, sizeof text, "*** %s node: %s is not defined ***", name, NodeText(at.node).c_str());
  } else if (!at.anchored) {
    std::snprintf(text, sizeof text, "*** %s node: %s is not an anchor ***", name, NodeText(at.node).c_str());
  } else if (at.nominalSize == 0.0f) {
    std::snprintf(text, sizeof text, "*** %s node: %s does not have connected pipe ***", name, NodeText(at.node).c_str());
  } else {
    const int location = which == 0 ? pump.suctionLocation : pump.dischargeLocation;
    std::snprintf(text, sizeof text, "%s node: %s,   Location: %s,  Size: %s (inch)", name, NodeText(at.node).c_str(),
                  PumpLocationReportWord(location).c_str(), Trim(std::string(FormatFixedWidth(at.nominalSize, 10, 3))).c_str());
    EvaluationReportWriteLine(text);
    return true;
  }
  EvaluationReportWriteLine(text);
  Check().allPassed = false;
  return false;
}

void ApiRows(const PumpNozzleBlock& n, std::size_t s) {
  const char* const forces[4] = {"FX", "FY", "FZ", "FR"};
  const char* const moments[4] = {"MX", "MY", "MZ", "MR"};
  for (int i = 0; i < 4; ++i) CheckRow(forces[i], false, std::fabs(n.force[s][static_cast<std::size_t>(i)]), n.allowedForce[s][static_cast<std::size_t>(i)]);
  WriteReportSpace();
  for (int i = 0; i < 4; ++i) CheckRow(moments[i], true, std::fabs(n.moment[s][static_cast<std::size_t>(i)]), n.allowedMoment[s][static_cast<std::size_t>(i)]);
}

void HorizontalApi610(const Pump& pump, const PumpEvaluation& e, int caseNumber) {
  CheckState& state = Check();
  state = CheckState{};
  const std::size_t s = static_cast<std::size_t>(caseNumber - 1);
  ReportHeading("API 610 (11th ed.), Sep 2010 / ISO 13709 report for pump : " + pump.name, "", pump, e.axis, caseNumber,
                false);
  for (int which = 0; which < 2; ++which) {
    const PumpNozzleBlock& n = e.nozzles[which];
    const char* name = which == 0 ? "suction" : "discharge";
    if (!NozzleHeader(pump, n, which)) continue;
    OffsetsLine(n);
    EvaluationReportGap();
    CheckLine("F.1.1", name, n.at.node);
    WritePumpHeadingRow();
    state.largest = 0.0;
    ApiRows(n, s);
    if (state.largest > 1.0) {
      EvaluationReportGap();
      if (state.largest > 2.0) {
        FailedLine("F.1.2.a", name, n.at.node);
        continue;
      }
      const double interaction = std::fabs(n.force[s][3] / (1.5 * n.allowedForce[s][3])) +
                                 std::fabs(n.moment[s][3] / (1.5 * n.allowedMoment[s][3]));
      char value[32];
      std::snprintf(value, sizeof value, "%.3f", interaction);
      WritePumpInteractionRow("(FR/1.5FRT4) + (MR/1.5MRT4) =", value, interaction < 2.0 ? "OK" : "Failed");
      // An interaction of 2 or more fails the nozzle: the combined check
      // of both nozzles is not made on loads one nozzle cannot take.
      if (interaction >= 2.0) FailedLine("F.1.2.b", name, n.at.node);
    } else {
      EvaluationReportGap();
      PassedLine("F.1.1", name, n.at.node);
    }
  }
  if (!state.allPassed) return;
  state.strict = true;
  state.strictFailed = false;
  EvaluationReportWriteLine("");
  EvaluationReportWriteLine("Check of Condition F.1.2.c:");
  WritePumpHeadingRow();
  double f[3] = {0, 0, 0}, m[3] = {0, 0, 0};
  double frAllowed = 0.0, myAllowed = 0.0, mrAllowed = 0.0;
  for (const PumpNozzleBlock& n : e.nozzles) {
    const auto& F = n.force[s];
    const auto& M = n.moment[s];
    const double dx = n.offset[0], dy = n.offset[1], dz = n.offset[2];
    for (int i = 0; i < 3; ++i) f[i] += F[static_cast<std::size_t>(i)];
    m[0] += M[0] + dy * F[2] - dz * F[1];
    m[1] += M[1] + dz * F[0] - dx * F[2];
    m[2] += M[2] + dx * F[1] - dy * F[0];
    frAllowed += n.allowedForce[s][3];
    myAllowed += n.allowedMoment[s][1];
    mrAllowed += n.allowedMoment[s][3];
  }
  CheckRow("FRC", false, std::sqrt(f[0] * f[0] + f[1] * f[1] + f[2] * f[2]), 1.5 * frAllowed);
  CheckRow("MYC", true, std::fabs(m[1]), 2.0 * myAllowed);
  CheckRow("MRC", true, std::sqrt(m[0] * m[0] + m[1] * m[1] + m[2] * m[2]), 1.5 * mrAllowed);
  EvaluationReportGap();
  EvaluationReportWriteLine(state.strictFailed ? "Condition F.1.2.c failed ***" : "Condition F.1.2.c passed");
  state.strict = false;
}

void VerticalInlineApi610(const Pump& pump, const PumpEvaluation& e, int caseNumber) {
  CheckState& state = Check();
  state = CheckState{};
  state.tolerant = true;
  const std::size_t s = static_cast<std::size_t>(caseNumber - 1);
  ReportHeading("API 610 (11th ed.), Sep 2010 / ISO 13709 report for vertical inline pump : " + pump.name, "", pump,
                e.axis, caseNumber, true);
  for (int which = 0; which < 2; ++which) {
    const PumpNozzleBlock& n = e.nozzles[which];
    const char* name = which == 0 ? "suction" : "discharge";
    if (!NozzleHeader(pump, n, which)) continue;
    EvaluationReportGap();
    CheckLine("F.1.1", name, n.at.node);
    WritePumpHeadingRow();
    state.largest = 0.0;
    ApiRows(n, s);
    EvaluationReportGap();
    if (state.largest <= 1.0) {
      PassedLine("F.1.1", name, n.at.node);
      continue;
    }
    CheckLine("F.2", name, n.at.node);
    const std::array<float, 2> schedule = Schedule40Properties(n.at.nominalSize);
    const double area = schedule[0], modulus = schedule[1];
    const auto& F = n.force[s];
    const auto& M = n.moment[s];
    const double bending = std::sqrt(static_cast<double>(M[0]) * M[0] + static_cast<double>(M[2]) * M[2]) / modulus;
    const double sigma = which == 0 ? bending - F[1] / area : bending + F[1] / area;
    const double tau = std::sqrt(static_cast<double>(F[0]) * F[0] + static_cast<double>(F[2]) * F[2]) / area +
                       0.5 * std::fabs(M[1]) / modulus;
    const double stress = sigma / 2.0 + std::sqrt(sigma * sigma / 4.0 + tau * tau);
    const double allowed = ChosenUnit(kUnitStress) == 0 ? 5950.0 : 5946.54;
    const std::string text = "S = " + StressText(stress) + " " + UnitLabel(kUnitStress) +
                             ",  Allowed = " + StressText(allowed) + " " +
                             UnitLabel(kUnitStress);
    WritePumpStressRow(text, stress < allowed ? "OK" : "Failed");
  }
  if (CurrentEvaluationOutput() == EvaluationOutput::Printer) PrinterNewLine();
}

// --- ANSI/HI 9.6.2 ------------------------------------------------------------------------

const char* const kLoadLabels[6] = {"FX", "FY", "FZ", "MX", "MY", "MZ"};

bool Individual(const PumpNozzleBlock& n) { return n.at.node != 0 || n.at.anchored; }
bool Combined(const PumpNozzleBlock& n) { return n.at.node != 0 && n.at.anchored; }

double Applied(const PumpNozzleBlock& n, std::size_t s, int i, bool signedValue) {
  const double v = i < 3 ? n.force[s][static_cast<std::size_t>(i)] : n.moment[s][static_cast<std::size_t>(i - 3)];
  return signedValue ? v : std::fabs(v);
}

// Rows of the components `which` against `allowed`; the sum of the ratios
// (absolute or signed as the mode says) and of their squares.
void AnsiRows(const PumpNozzleBlock& n, std::size_t s, const Load6& allowed, std::initializer_list<int> which,
              double& sum, double& squares) {
  for (int i : which) {
    const double a = allowed[static_cast<std::size_t>(i)];
    const double c = Applied(n, s, i, Check().signedRatios);
    CheckRow(kLoadLabels[i], i >= 3, c, a);
    const double r = LastRatio(c, a);
    sum += Check().signedRatios ? r : std::fabs(r);
    squares += r * r;
  }
}

std::string Value2(const char* format, double value) {
  char text[96];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

void AnsiEndSuction(const Pump& pump, const PumpEvaluation& e, std::size_t s) {
  CheckState& state = Check();
  const char* const names[2] = {"suction", "discharge"};
  double sum = 0.0, squares = 0.0;
  for (int which = 0; which < 2; ++which) {
    const PumpNozzleBlock& n = e.nozzles[which];
    if (!Individual(n)) continue;
    OffsetsLine(n);
    if (which == 0) {
      EvaluationReportWriteLine("");
      EvaluationReportWriteLine("Assessment of Individual loading as per Eq.1 of Table 9.6.2.1.4a:");
    }
    CheckLine("9.6.2.1.4a Eq.1", names[which], n.at.node);
    WritePumpHeadingRow();
    state.largest = 0.0;
    AnsiRows(n, s, e.sets[s][static_cast<std::size_t>(which)][0], {0, 1, 2, 3, 4, 5}, sum, squares);
    if (state.largest > 1.0) {
      FailedLine("9.6.2.1.4a Eq.1", names[which], n.at.node);
      return;
    }
    PassedLine("9.6.2.1.4a Eq.1", names[which], n.at.node);
  }
  (void)pump;
  EvaluationReportGap();
  EvaluationReportWriteLine("Assessment of Nozzle stress, hold-down bolt stress, pumps slippage ");
  EvaluationReportWriteLine("as per Eq.2 of Table 9.6.2.1.4a:");
  double eq2 = 0.0;
  squares = 0.0;
  for (int which = 0; which < 2; ++which) {
    const PumpNozzleBlock& n = e.nozzles[which];
    if (!Combined(n)) continue;
    WritePumpHeadingRow();
    AnsiRows(n, s, e.sets[s][static_cast<std::size_t>(which)][1], {0, 1, 2, 3, 4, 5}, eq2, squares);
  }
  eq2 *= 0.5;
  EvaluationReportWriteLine("Condition: Eq.2 = (1/2)x[Sum of (Abs. value of Individual Ratio) above] <= 1.0 ");
  if (eq2 > 1.0) {
    EvaluationReportWriteLine(Value2("Eq.2 = %.2f > 1.00. Condition failed ***", eq2));
    return;
  }
  EvaluationReportWriteLine(Value2("Eq.2 = %.2f <= 1.00. Condition passed", eq2));
  double eq[2] = {0.0, 0.0};
  for (int equation = 0; equation < 2; ++equation) {
    EvaluationReportWriteLine("");
    EvaluationReportWriteLine(equation == 0 ? "Assessment of y-axis movement as per Eq. 3 of Table 9.6.2.1.4a:"
                                            : "Assessment of z-axis movement as per Eq. 4 of Table 9.6.2.1.4a:");
    state.signedRatios = true;
    for (int which = 0; which < 2; ++which) {
      const PumpNozzleBlock& n = e.nozzles[which];
      if (!Combined(n)) continue;
      WritePumpHeadingRow();
      const Load6& allowed = e.sets[s][static_cast<std::size_t>(which)][static_cast<std::size_t>(2 + equation)];
      if (equation == 0) AnsiRows(n, s, allowed, {1, 3, 4, 5}, eq[0], squares);
      else if (which == 0) AnsiRows(n, s, allowed, {0, 2, 3, 4, 5}, eq[1], squares);
      else AnsiRows(n, s, allowed, {0, 1, 2, 3, 4, 5}, eq[1], squares);
    }
    state.signedRatios = false;
    const int number = 3 + equation;
    EvaluationReportWriteLine("Condition: Eq." + std::to_string(number) +
                              " = Sum of above Ratios shall be >= -1.00 and <= 1.00");
    const std::string prefix = "Eq." + std::to_string(number) + " = %.2f";
    if (eq[equation] < -1.0 || eq[equation] > 1.0) {
      EvaluationReportWriteLine(Value2((prefix + ". Condition failed ***").c_str(), eq[equation]));
      return;
    }
    EvaluationReportWriteLine(Value2((prefix + "; which is >= -1.0 and <= 1.00. Condition passed").c_str(), eq[equation]));
  }
  EvaluationReportWriteLine("");
  EvaluationReportWriteLine("Assessment of Combined axis as per Eq.5 of Table 9.6.2.1.4a:");
  EvaluationReportWriteLine("Condition:Eq.5 = SQRT(Eq.3^2 + Eq.4^2) <= 1.0");
  const double eq5 = std::sqrt(eq[0] * eq[0] + eq[1] * eq[1]);
  EvaluationReportWriteLine(Value2(eq5 > 1.0 ? "Eq.5 = %.2f > 1.00. Condition failed ***" : "Eq.5 = %.2f <= 1.00. Condition passed", eq5));
}

void AnsiB732(const PumpEvaluation& e, std::size_t s) {
  const char* const names[2] = {"suction", "discharge"};
  double sum = 0.0, squares = 0.0;
  for (int which = 0; which < 2; ++which) {
    const PumpNozzleBlock& n = e.nozzles[which];
    if (!Individual(n)) continue;
    if (which == 0) {
      EvaluationReportWriteLine("");
      EvaluationReportWriteLine("Assessment of Individual loading as per Eq.1 of Table 9.6.2.1.4a:");
    }
    CheckLine("9.6.2.2.4a Eq.6", names[which], n.at.node);
    WritePumpHeadingRow();
    Check().largest = 0.0;
    AnsiRows(n, s, e.single[s], {0, 1, 2, 3, 4, 5}, sum, squares);
    if (Check().largest > 1.0) {
      FailedLine("9.6.2.2.4a Eq.6", names[which], n.at.node);
      return;
    }
    PassedLine("9.6.2.2.4a Eq.6", names[which], n.at.node);
  }
}

void AnsiAxialSplit(const PumpEvaluation& e, std::size_t s) {
  const char* const names[2] = {"suction", "discharge"};
  double sum = 0.0, squares = 0.0;
  for (int which = 0; which < 2; ++which) {
    const PumpNozzleBlock& n = e.nozzles[which];
    if (!Individual(n)) continue;
    if (which == 0) {
      OffsetsLine(n);
      EvaluationReportWriteLine("");
      EvaluationReportWriteLine("Assessment of Individual loading as per Eq.1 of Table 9.6.2.1.4a:");
    }
    CheckLine("9.6.2.3.4 Eq.1", names[which], n.at.node);
    WritePumpHeadingRow();
    AnsiRows(n, s, e.single[s], {0, 1, 2, 3, 4, 5}, sum, squares);
  }
  EvaluationReportWriteLine("Condition: Eq.1 of 9.6.2.3.4 should be <= 1.00");
  const double eq1 = std::sqrt(squares);
  EvaluationReportWriteLine(
      Value2(eq1 > 1.0 ? "Eq.1 = %.2f > 1.00. Condition failed ***" : "Eq.1 = %.2f <= 1.00. Condition passed", eq1));
}

void AnsiVerticalTurbine(const Pump& pump, const PumpEvaluation& e, std::size_t s) {
  const std::string condition = pump.dischargeLocation == 0 ? "9.6.2.4.2a" : "9.6.2.4.2b";
  const char* const names[2] = {"suction", "discharge"};
  for (int which = 0; which < 2; ++which) {
    const PumpNozzleBlock& n = e.nozzles[which];
    double sum = 0.0, squares = 0.0;
    if (Individual(n)) {
      if (which == 0) {
        EvaluationReportWriteLine("");
        EvaluationReportWriteLine("Assessment of Individual loading as per Eq.1 of Table 9.6.2.1.4a:");
      }
      CheckLine(condition, names[which], n.at.node);
      WritePumpHeadingRow();
      AnsiRows(n, s, e.single[s], {0, 1, 2, 3, 4, 5}, sum, squares);
    } else if (which == 0) {
      continue;
    }
    const char* nozzle = which == 0 ? "Suction" : "Discharge";
    const std::string failed = std::string("Eq.1 = %.2f > 1.00. ") + nozzle + " condition failed ***";
    const std::string passed = std::string("Eq.1 = %.2f <= 1.00. ") + nozzle + " condition passed";
    EvaluationReportWriteLine(Value2(sum > 1.0 ? failed.c_str() : passed.c_str(), sum));
    if (which == 0 && sum > 1.0) return;
  }
}

void AnsiHiReport(const Pump& pump, const PumpEvaluation& e, int caseNumber) {
  CheckState& state = Check();
  state = CheckState{};
  const int category = pump.category;
  const bool vertical = category == 1 || category == 5;
  const char* kind = "Horizontal end suction single stage pump";
  if (category == 1) kind = "ANSI/ASME B73.2 pump Assessment of applied nozzle loads";
  if (category == 4) kind = "Axial split case pumps Assessment of applied nozzle loads";
  if (category == 5) kind = "Vertical Turbine pump Assessment of applied nozzle loads";
  ReportHeading("ANSI/HI 9.6.2-2011 report for pump : " + pump.name, kind, pump, e.axis, caseNumber, vertical);
  if (!e.notAvailable.empty()) {
    EvaluationReportWriteLine(e.notAvailable);
    return;
  }
  const std::size_t s = static_cast<std::size_t>(caseNumber - 1);
  switch (category) {
    case 1: AnsiB732(e, s); return;
    case 4: AnsiAxialSplit(e, s); return;
    case 5: AnsiVerticalTurbine(pump, e, s); return;
    default: AnsiEndSuction(pump, e, s); return;
  }
}

}  // namespace

void PumpNozzleReport(int number, int caseNumber) {
  const Model& model = TheModel();
  RotatingEquipmentData& data = TheRotatingEquipmentData();
  BeginRotatingReport(false);
  if (number < 1 || number > model.pumps.count || number > static_cast<int>(data.pumpEvaluations.size())) return;
  if (caseNumber < 1 || caseNumber > static_cast<int>(data.caseTypes.size())) return;
  const Pump& pump = model.pumps[number];
  const PumpEvaluation& e = data.pumpEvaluations[static_cast<std::size_t>(number - 1)];
  if (!e.frameError.empty()) {
    WriteReportTitle("Pump : " + pump.name);
    EvaluationReportWriteLine("Load case: " + RotatingReportCaseTitle(caseNumber));
    EvaluationReportWriteLine(e.frameError);
    return;
  }
  const int standard = EffectivePumpStandard(pump);
  if (standard == kPumpAnsiHi962) AnsiHiReport(pump, e, caseNumber);
  else if (pump.vertical != 0 || standard == kPumpVerticalInlineApi610) VerticalInlineApi610(pump, e, caseNumber);
  else HorizontalApi610(pump, e, caseNumber);
}

void PrintApi610PumpReport() {
  const Model& model = TheModel();
  const RotatingEquipmentData& data = TheRotatingEquipmentData();
  const int cases = static_cast<int>(data.caseTypes.size());
  if (model.pumps.count == 0 || cases == 0) return;
  if (!g_ReportFileOpen) {
    if (PrinterLinesLeft() < 8) PrinterPageHeading();
    BeginReportSection("API 610 report", 0);
  }
  for (int p = 1; p <= model.pumps.count; ++p)
    for (int c = 1; c <= cases; ++c) {
      if (!g_ReportFileOpen) {
        if (PrinterLinesLeft() < 8) PrinterPageHeading();
        if (c == 1) BeginReportSection("Pump : " + model.pumps[p].name, 1);
        BeginReportSection("Load case: " + RotatingReportCaseTitle(c), 2);
      } else {
        if (g_ReportLine != kReportBodyLine) ReportNewPage();
        ReportSetTitle("API 610 (11th ed.), Sep 2010 / ISO 13709 report for pump " + model.pumps[p].name + ", " +
                       RotatingReportCaseTitle(c));
      }
      PumpNozzleReport(p, c);
    }
}
