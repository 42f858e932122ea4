// The analysis options report; see AnalysisOptionsReport.h.
#include "analysis/AnalysisOptionsReport.h"

#include <cstdio>

#include "model/Model.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "records/AnalysisOptions.h"
#include "services/NameTables.h"
#include "services/ReportMode.h"
#include "services/StartupSwitches.h"
#include "services/Units.h"

namespace {

std::string Format(const char* format, double value) {
  char text[96];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string CodeName(int code) {
  const int position = CodeListPosition(code);
  return position < 0 ? std::string() : PipingCodeLongName(position);
}

const char* LevelText(int level) {
  static const char* const kLevels[3] = {"(Upset)", "(Emergency)", "(Faulted)"};
  return kLevels[level >= 0 && level <= 2 ? level : 0];
}

bool ServiceLevel10(int code) { return code == 8 || code == 15; }
bool ServiceLevel9(int code) { return code == 9 || code == 10 || code == 11 || code == 101 || code == 201; }

float DesignFactor(const AnalysisOptions& o) {
  const int index = o.DesignFactorIndex >= 0 && o.DesignFactorIndex < kDesignFactorCount ? o.DesignFactorIndex : 0;
  return DesignFactorTable[index];
}

std::string PressureFormula(const AnalysisOptions& o) {
  if (o.PressureStressOption == 0) return "PD / 4t";
  // The other codes take the formula itself, without the half-open
  // bracket of EN 13480's two-term form.
  return o.PipingCode == kCodeEn13480 ? "[Pd^2 / (D^2 - d^2)] + [P/2]" : "Pd^2 / (D^2 - d^2)";
}

struct Statements {
  std::string code, liberal, axial, b31j, level, designFactor, occasionalFactor;
  std::string reference, cycles, thermalLoads, thermal, modulus, hangers, bourdon, correction, pressure, peak;
  std::string cutOff, modes, missingMass, friction, vertical;
};

Statements Make(const AnalysisOptions& o) {
  Statements s;
  const int code = o.PipingCode;
  s.code = "Piping code = " + CodeName(code);
  if (CodeAllowsLiberal(code))
    s.liberal = o.LiberalAllowable != 0 ? "Use liberal allowable stresses" : "Do not use liberal allowable stresses";
  s.axial = o.IncludeAxialForce != 0 ? "Include axial force in stress calculations"
                                     : "Do not include axial force in stress calculations";
  if (CodeAllowsB31J(code))
    s.b31j = o.UseB31J != 0 ? "Use B31J for SIFs and Flexibility Factors" : "Do not use B31J for SIFs and Flexibility Factors";
  const char letter = ServiceLevelLetter(o.ServiceLevel);
  if (ServiceLevel10(code)) s.level = std::string("Equation 10 Level = ") + letter + " " + LevelText(o.ServiceLevel);
  if (ServiceLevel9(code)) s.level = std::string("Equation 9 Level = ") + letter + " " + LevelText(o.ServiceLevel);
  if (code == kCodeB31_8) s.designFactor = Format("Design factor F = %.2f", DesignFactor(o));
  if (code == kCodeEn13480) s.occasionalFactor = Format("Occasional load factor (k) = %.2f", o.OccasionalLoadFactor);
  s.reference = std::string("Reference temperature = ") + FormatTemperature(o.ReferenceTemperature) + " " +
                UnitLabel(kUnitTemperature);
  s.cycles = "Number of thermal cycles = " + std::to_string(o.ThermalCycles);
  s.thermalLoads = "Number of thermal loads = " + std::to_string(o.ThermalLoadCount);
  s.thermal = o.SolveThermalCase != 0 ? "Solve thermal case" : "Thermal = Operating - Sustained";
  s.modulus = o.UseColdModulus != 0 ? "Use modulus at reference temperature" : "Use temperature dependent modulus";
  s.hangers = o.IncludeHangerStiffness != 0 ? "Include hanger stiffness" : "Do not include hanger stiffness";
  s.bourdon = o.BourdonEffect != 0 ? "Include Bourdon effect" : "Do not include Bourdon effect";
  s.correction =
      o.PressureCorrection != 0 ? "Use pressure correction for bends" : "Do not use pressure correction for bends";
  s.pressure = PressureFormula(o);
  s.peak = Format("Peak pressure factor = %.2f", o.PeakPressureFactor);
  s.cutOff = "Cut off frequency = " + std::to_string(o.CutOffFrequency) + " Hz";
  s.modes = "Number of modes = " + std::to_string(o.ModeCount);
  s.missingMass =
      o.IncludeMissingMass != 0 ? "Include missing mass correction" : "Do not include missing mass correction";
  s.friction = o.FrictionInDynamics != 0 ? "Use friction in dynamic analysis" : "Do not use friction in dynamic analysis";
  s.vertical = std::string("Vertical direction = ") + (o.ZVertical != 0 ? 'Z' : 'Y');
  return s;
}

void PrintOnPrinter(const Statements& s) {
  BeginReportSection("Analysis options", 0);
  PrinterHeadingBar("Analysis Options");
  PrinterNewLine();
  PrinterHalfLine();
  const int x1 = PrinterTextWidth("  Temperature  ");
  const int x2 = x1 + PrinterTextWidth(":  ");
  auto group = [&](const std::string& name, const std::vector<std::string>& lines) {
    bool first = true;
    for (const std::string& line : lines) {
      if (line.empty()) continue;
      if (first) {
        PrinterTextAt(0, name);
        PrinterTextAt(x1, ":");
        first = false;
      }
      PrinterTextAt(x2, line);
      PrinterNewLine();
    }
    PrinterHalfLine();
  };
  group("  Code", {s.code, s.level, s.designFactor, s.occasionalFactor, s.axial, s.liberal, s.b31j});
  group("  Temperature", {s.reference, s.cycles, s.thermalLoads, s.thermal, s.modulus});
  group("  Pressure", {"Pressure stress = " + s.pressure, s.peak, s.bourdon, s.correction});
  group("  Dynamics", {s.cutOff, s.modes, s.missingMass, s.friction});
  group("  Misc.", {s.hangers, s.vertical});
}

}  // namespace

std::vector<std::string> AnalysisOptionStatements(const AnalysisOptions& options, bool verification) {
  const Statements s = Make(options);
  std::vector<std::string> lines{s.code, s.liberal, s.axial, s.b31j, s.level, s.designFactor, s.occasionalFactor,
                                 s.reference, s.cycles, s.thermalLoads};
  if (!verification) lines.push_back(s.thermal);
  for (const std::string& line : {s.modulus, s.hangers, s.bourdon, s.correction, "Pressure stress = " + s.pressure,
                                  s.peak, s.cutOff, s.modes, s.missingMass, s.friction, s.vertical})
    lines.push_back(line);
  std::vector<std::string> shown;
  for (const std::string& line : lines)
    if (!line.empty()) shown.push_back(line);
  return shown;
}

void PrintAnalysisOptions() {
  const AnalysisOptions& options = TheModel().options;
  if (!g_ReportFileOpen) {
    PrintOnPrinter(Make(options));
    return;
  }
  const bool verification = VerificationMode != 0;
  const Statements s = Make(options);
  if (g_ReportToFile) {
    ReportAppendLine("Options");
    ReportNewLine();
    for (const std::string& line : AnalysisOptionStatements(options, verification)) {
      if (line == s.level && s.level.rfind("Equation 9", 0) == 0) {
        ReportAppendLine(CsvQuoted(line + " "));
      } else {
        ReportAppendLine(CsvQuoted(line));
      }
      ReportNewLine();
    }
    return;
  }
  if (ReportLinesLeft() < 18) ReportNewPage();
  ReportSetTitle("Options");
  ReportPutTextCentredLine("Options");
  ReportNewLine();
  ReportRule();
  for (const std::string& line : AnalysisOptionStatements(options, verification)) {
    // The statements with a value column place it at their own columns.
    if (line == s.code) {
      ReportPutText("Piping code =", 6);
      ReportPutText(CodeName(options.PipingCode), 20);
    } else if (!s.level.empty() && line == s.level) {
      const bool ten = s.level.rfind("Equation 10", 0) == 0;
      ReportPutText(ten ? "Equation 10 Level =" : "Equation 9 Level =", 6);
      ReportPutText(std::string(1, ServiceLevelLetter(options.ServiceLevel)), ten ? 26 : 25);
      ReportPutText(LevelText(options.ServiceLevel), ten ? 28 : 27);
    } else if (!s.designFactor.empty() && line == s.designFactor) {
      ReportPutText("Design factor F =", 6);
      ReportPutText(Format("%6.2f", DesignFactor(options)), 24);
    } else if (!s.occasionalFactor.empty() && line == s.occasionalFactor) {
      ReportPutText("Occasional load factor (k) = ", 6);
      ReportPutText(Format("%6.2f", options.OccasionalLoadFactor), 35);
    } else if (line.rfind("Pressure stress = ", 0) == 0) {
      ReportPutText("Pressure stress =", 6);
      ReportPutText(s.pressure, 24);
    } else {
      ReportPutText(line, 6);
    }
    ReportNewLine();
  }
  ReportRule();
}
