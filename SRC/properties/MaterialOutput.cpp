// The output of the materials (see MaterialsTable.h): one block per
// material. On the printer a heading bar, the density line and the table
// against temperature; in a text report the same at fixed columns; in a
// comma-separated report cells; and the export file "Materials.csv", in
// UTF-8, whose lines end with CR LF for the spreadsheets that read it.
#include <cstdio>
#include <string>

#include "model/Model.h"
#include "platform/Windows1252.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "properties/MaterialPropertyRows.h"
#include "properties/MaterialPropertyTable.h"
#include "properties/MaterialsTable.h"
#include "records/Material.h"
#include "services/Message.h"
#include "services/ReportMode.h"
#include "services/Units.h"

namespace {

int Code() { return TheModel().options.PipingCode; }
bool SwedishOrNorwegian(int code) { return code == 18 || code == 13 || code == 14; }
bool Pipeline(int code) { return code == 19 || code == 20 || code == 22; }
bool SecondIsYield(int code) { return code == 9 || code == 10 || code == 11 || code == 101 || code == 201; }

std::string Fixed(double value, int width, int decimals) {
  char text[32];
  std::snprintf(text, sizeof text, "%*.*f", width, decimals, value);
  return text;
}

std::string TypeText(const Material& m) {
  if (m.isFrp != 0) return "Type = FRP";
  return m.type.empty() ? std::string() : "Type = " + m.type;
}

std::string DensityLine(const Material& m) {
  std::string line = "Density = " + std::string(FormatDensity(m.density)) + " " + UnitLabel(kUnitDensity) +
                     ",  Nu = " + Fixed(m.nu, 9, 3) + ",  Joint factor = " + Fixed(m.jointFactor, 5, 2);
  const std::string type = TypeText(m);
  if (!type.empty()) line += ", " + type;
  return line;
}

std::string StrengthText(const Material& m) {
  return m.strength > 0.0f ? std::string(FormatStress(m.strength)) + " " + UnitLabel(kUnitStress) : std::string();
}

// The stress values a row gives, in their order, for a non-FRP material.
std::vector<int> StressFields(int code) {
  std::vector<int> fields{code == 4 || code == 6 || code == 17 ? kMatYield : kMatAllowable};
  if (code == 17) fields.push_back(kMatRupture);
  if (SecondIsYield(code) || code == 12) fields.push_back(kMatYield);
  if (code == 12) fields.push_back(kMatRupture);
  return fields;
}

std::vector<std::string> StressHeadings(int code) {
  std::vector<std::string> headings{code == 4 || code == 17 || code == 6 ? "Yield" : code == 12 ? "Design" : "Allowable"};
  if (SecondIsYield(code)) headings.push_back("Yield");
  if (code == 12) headings.insert(headings.end(), {"Proof", "Rupture"});
  if (code == 17) headings.push_back("Rupture");
  return headings;
}

float Value(const Material& m, int row, int field) {
  return m.temps[static_cast<std::size_t>(row)].values[static_cast<std::size_t>(field)];
}

std::string NonZero(int unit, float value) {
  if (value == 0.0f) return {};
  switch (unit) {
    case kUnitTemperature: return FormatTemperature(value);
    case kUnitModulus: return FormatModulus(value);
    case kUnitThermalExpansion: return FormatThermalExpansion(value);
    default: return FormatStress(value);
  }
}

void PrintOnPrinter(const Material& m) {
  if (PrinterLinesLeft() < 8) PrinterPageHeading();
  PrinterHeadingBar("Pipe material " + m.name + ": " + m.description);
  // y is a baseline: the first line below the bar is a line further down.
  PrinterNewLine();
  PrinterTextLeft(DensityLine(m));
  PrinterNewLine();
  const int code = Code();
  if (code == 21 || code == 16) PrinterTextLeft("Tensile strength = " + StrengthText(m));
  if (code == 3 || Pipeline(code)) PrinterTextLeft("Yield strength = " + StrengthText(m));
  if (SwedishOrNorwegian(code))
    PrinterTextLeft("Circumferential joint factor = " + Fixed(m.circJointFactor, 5, 2) +
                    ",  Tensile strength = " + StrengthText(m));
  if (code == 21 || code == 16 || code == 3 || Pipeline(code) || SwedishOrNorwegian(code)) PrinterNewLine();
  PrintMaterialPropertyRows(m, false);
}

void PrintAsText(const Material& m) {
  const int code = Code();
  if (ReportLinesLeft() < m.numtemps + 8) ReportNewPage();
  ReportPutCentred("Pipe material " + m.name + ": " + m.description, 6, 78);
  ReportNewLine();
  ReportRule();
  ReportPutText(DensityLine(m), 6);
  ReportNewLine();
  if (SwedishOrNorwegian(code)) {
    ReportPutText("Circumferential joint factor = " + Fixed(m.circJointFactor, 5, 2), 6);
    ReportNewLine();
  }
  const bool tensile = code == 21 || code == 16 || SwedishOrNorwegian(code);
  if (tensile || code == 3 || Pipeline(code)) {
    ReportPutText(tensile ? "Tensile strength = " : "Yield strength = ", 6);
    if (m.strength > 0.0f) ReportPutText(StrengthText(m), 25);
    ReportNewLine();
  }
  if (m.isFrp != 0) {
    ReportPutText("Temp   Axial mod    Hoop mod   Shear mod    Alpha    Hoop All. Tors. All.  Axial. All.", 8);
    ReportNewLine();
    const int units[] = {kUnitTemperature, kUnitModulus, kUnitModulus, kUnitModulus, kUnitThermalExpansion,
                         kUnitStress, kUnitStress, kUnitStress};
    const int at[] = {10, 22, 34, 46, 58, 69, 78, 87};
    for (int i = 0; i < 8; ++i) ReportPutTextRight(UnitLabel(units[i]), at[i]);
    ReportNewLine();
    ReportRule();
    const int fields[] = {kMatTemperature, kMatModulus, kMatHoopModulus, kMatShearModulus, kMatAlpha,
                          kMatAllowable, kMatYield, kMatRupture};
    for (int r = 1; r <= m.numtemps; ++r) {
      for (int i = 0; i < 8; ++i) ReportPutTextRight(NonZero(units[i], Value(m, r, fields[i])), at[i]);
      ReportNewLine();
    }
    return;
  }
  const std::vector<std::string> headings = StressHeadings(code);
  ReportPutText("Temp", 8);
  ReportPutText("E", 19);
  ReportPutText("Alpha", 29);
  const int firstAt = code == 4 || code == 17 || code == 6 ? 41 : code == 12 ? 40 : 39;
  ReportPutText(code == 21 ? "All.(f)" : headings[0], firstAt);
  if (headings.size() > 1) ReportPutText(headings[1], code == 17 ? 51 : 52);
  if (headings.size() > 2) ReportPutText(headings[2], 62);
  ReportNewLine();
  const std::vector<int> fields = StressFields(code);
  const int valueAt[] = {45, 56, 67};
  ReportPutTextRight(UnitLabel(kUnitTemperature), 10);
  ReportPutTextRight(UnitLabel(kUnitModulus), 22);
  ReportPutTextRight(UnitLabel(kUnitThermalExpansion), 34);
  for (std::size_t i = 0; i < fields.size() && i < 3; ++i) ReportPutTextRight(UnitLabel(kUnitStress), valueAt[i]);
  ReportNewLine();
  ReportRuleBetween(6, fields.size() >= 3 ? 70 : fields.size() == 2 ? 58 : 48);
  ReportNewLine();  // the rule keeps its own line
  for (int r = 1; r <= m.numtemps; ++r) {
    ReportPutTextRight(NonZero(kUnitTemperature, Value(m, r, kMatTemperature)), 10);
    ReportPutTextRight(NonZero(kUnitModulus, Value(m, r, kMatModulus)), 22);
    ReportPutTextRight(NonZero(kUnitThermalExpansion, Value(m, r, kMatAlpha)), 34);
    for (std::size_t i = 0; i < fields.size() && i < 3; ++i)
      ReportPutTextRight(NonZero(kUnitStress, Value(m, r, fields[i])), valueAt[i]);
    ReportNewLine();
  }
}

// The rows of the export and of the comma-separated report: headings,
// units and one line per temperature.
std::vector<std::vector<std::string>> CsvRows(const Material& m) {
  const int code = Code();
  std::vector<std::vector<std::string>> rows;
  if (m.isFrp != 0) {
    rows.push_back({"Temp", "Axial mod", "Hoop mod", "Shear mod", "Alpha", "Hoop All.", "Torsional All.", "Axial All."});
    const int units[] = {kUnitTemperature, kUnitModulus, kUnitModulus, kUnitModulus, kUnitThermalExpansion,
                         kUnitStress, kUnitStress, kUnitStress};
    const int fields[] = {kMatTemperature, kMatModulus, kMatHoopModulus, kMatShearModulus, kMatAlpha,
                          kMatAllowable, kMatYield, kMatRupture};
    std::vector<std::string> unitRow;
    for (int unit : units) unitRow.push_back(UnitLabel(unit));
    rows.push_back(unitRow);
    for (int r = 1; r <= m.numtemps; ++r) {
      std::vector<std::string> row;
      for (int i = 0; i < 8; ++i) row.push_back(NonZero(units[i], Value(m, r, fields[i])));
      rows.push_back(row);
    }
    return rows;
  }
  std::vector<std::string> heading{"Temp", "E", "Alpha"};
  for (const std::string& text : StressHeadings(code)) heading.push_back(text);
  rows.push_back(heading);
  const std::vector<int> fields = StressFields(code);
  std::vector<std::string> units{UnitLabel(kUnitTemperature), UnitLabel(kUnitModulus), UnitLabel(kUnitThermalExpansion)};
  for (std::size_t i = 0; i < fields.size(); ++i) units.push_back(UnitLabel(kUnitStress));
  rows.push_back(units);
  for (int r = 1; r <= m.numtemps; ++r) {
    std::vector<std::string> row{NonZero(kUnitTemperature, Value(m, r, kMatTemperature)),
                                 NonZero(kUnitModulus, Value(m, r, kMatModulus)),
                                 NonZero(kUnitThermalExpansion, Value(m, r, kMatAlpha))};
    for (int field : fields) row.push_back(NonZero(kUnitStress, Value(m, r, field)));
    rows.push_back(row);
  }
  return rows;
}

std::string JointLines(const Material& m, const char* end) {
  char text[160];
  if (SwedishOrNorwegian(Code())) {
    std::snprintf(text, sizeof text, "Longitudinal joint factor = %.2f%sCircumferential joint factor = %.2f%s",
                  m.jointFactor, end, m.circJointFactor, end);
  } else {
    std::snprintf(text, sizeof text, "Joint factor = %.2f%s", m.jointFactor, end);
  }
  return text;
}

void PrintAsCsv(const Material& m) {
  const int code = Code();
  ReportAppendLine(CsvQuoted("Material " + m.name + ": " + m.description));
  ReportNewLine();
  g_LineText.clear();
  char nu[48];
  std::snprintf(nu, sizeof nu, "Nu = %.3f", m.nu);
  ReportPutCell("Density = " + std::string(FormatDensity(m.density)) + " " + UnitLabel(kUnitDensity));
  ReportPutCell(nu);
  if (SwedishOrNorwegian(code)) {
    ReportPutCell("Longitudinal joint factor = " + Fixed(m.jointFactor, 10, 2));
    ReportPutCell("Circumferential joint factor = " + Fixed(m.circJointFactor, 10, 2));
  } else {
    ReportPutCell("Joint factor = " + Fixed(m.jointFactor, 10, 2));
  }
  if (!TypeText(m).empty()) ReportPutCell(TypeText(m));
  ReportAppendLine(g_LineText.substr(0, g_LineText.size() - 1));
  ReportNewLine();
  if ((SwedishOrNorwegian(code) && m.strength > 0.0f) || code == 21 || code == 16) {
    ReportAppendLine("Tensile strength = " + StrengthText(m));
    ReportNewLine();
  }
  if ((Pipeline(code) && m.strength > 0.0f) || code == 3) {
    ReportAppendLine("Yield strength = " + StrengthText(m));
    ReportNewLine();
  }
  for (const std::vector<std::string>& row : CsvRows(m)) {
    g_LineText.clear();
    for (const std::string& cell : row) ReportPutCell(cell);
    ReportAppendLine(g_LineText.substr(0, g_LineText.size() - 1));
    ReportNewLine();
  }
}

}  // namespace

void PrintMaterials() {
  const Model& model = TheModel();
  if (model.materials.count == 0) return;
  if (!g_ReportFileOpen) {
    BeginReportSection("Pipe materials", 0);
    for (int i = 1; i <= model.materials.count; ++i) PrintOnPrinter(model.materials[i]);
    return;
  }
  if (!g_ReportToFile) ReportSetTitle("Pipe materials");
  for (int i = 1; i <= model.materials.count; ++i)
    g_ReportToFile ? PrintAsCsv(model.materials[i]) : PrintAsText(model.materials[i]);
}

void MaterialsTable::WriteText() { PrintMaterials(); }

std::string MaterialsExportText(const Model& model) {
  std::string text;
  const char* end = "\r\n";
  for (int i = 1; i <= model.materials.count; ++i) {
    const Material& m = model.materials[i];
    char nu[48];
    std::snprintf(nu, sizeof nu, "Nu = %.3f\r\n", m.nu);
    text += CsvQuoted("Material " + m.name + ": " + m.description) + end;
    text += "Density = " + std::string(FormatDensity(m.density)) + " " + UnitLabel(kUnitDensity) + end;
    text += nu;
    text += JointLines(m, end);
    if (!TypeText(m).empty()) text += CsvQuoted(TypeText(m)) + end;
    if (SwedishOrNorwegian(Code()) && m.strength > 0.0f) text += "Tensile strength = " + StrengthText(m) + end;
    for (const std::vector<std::string>& row : CsvRows(m)) {
      for (std::size_t c = 0; c < row.size(); ++c) text += (c == 0 ? "" : ",") + CsvQuoted(row[c]);
      text += end;
    }
    text += end;
  }
  return text;
}

void ExportMaterials(HWND owner) {
  g_CsvExportDefaultName = "Materials.csv";
  if (!ExportCsvDialog(owner)) return;
  // The file is UTF-8, as every text file the program writes.
  const std::string text = platform::Utf8From1252(MaterialsExportText(TheModel()));
  const bool written = std::fwrite(text.data(), 1, text.size(), g_CsvExportFile) == text.size();
  const bool closed = std::fclose(g_CsvExportFile) == 0;
  g_CsvExportFile = nullptr;
  if (!written || !closed) ShowErrorMessage(owner, "The materials could not be written to the file.");
}
