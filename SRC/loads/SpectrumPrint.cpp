// The spectra and the spectrum load of the model report (see
// SpectrumPrint.h).
#include "loads/SpectrumPrint.h"

#include <cstdio>
#include <vector>

#include "loads/LoadsReport.h"
#include "model/Model.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "printing/TablePrint.h"
#include "records/Spectrum.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"

namespace {

const Model& M() { return TheModel(); }

const char* Interpolation(std::uint8_t log) { return log != 0 ? "Log" : "Linear"; }

class SpectrumPrintTable : public PrintTable {
 public:
  explicit SpectrumPrintTable(const ResponseSpectrum& spectrum) : spectrum_(spectrum) { headingLines = 2; }
  void DefineColumns() override {
    SetColumns(2);
    for (int column = 1; column <= 2; ++column) {
      int width = std::max(TextWidth(HeadingText(column, 0)), TextWidth(HeadingText(column, 1)));
      for (int row = 1; row <= static_cast<int>(spectrum_.points.size()); ++row)
        width = std::max(width, TextWidth(CellText(row, column, 0)));
      widths[static_cast<std::size_t>(column)] = width;
    }
  }
  std::string HeadingText(int column, int line) override {
    const bool period = spectrum_.periodAbscissa != 0;
    if (column == 1) return line == 0 ? (period ? "Period" : "Frequency") : (period ? "(Sec)" : "(Hz)");
    if (line == 0) return IsAccelerationUnit(spectrum_.ordinateUnit) ? "Acceleration" : "Displacement";
    return OrdinateUnitLabel(spectrum_.ordinateUnit);
  }
  std::string CellText(int row, int column, int /*line*/) override {
    const FloatPair& point = spectrum_.points[static_cast<std::size_t>(row - 1)];
    if (column == 1) return SpectrumPointText(point.x);
    return point.y == 0.0f ? std::string() : SpectrumPointText(static_cast<float>(OrdinateInUnit(point.y, spectrum_.ordinateUnit)));
  }

 private:
  const ResponseSpectrum& spectrum_;
};

std::string Title(const ResponseSpectrum& spectrum, const char* separator) {
  return "Spectrum = " + spectrum.name + separator + "1 = " + Interpolation(spectrum.logInterpolation1) + ", 2 = " +
         Interpolation(spectrum.logInterpolation2);
}

int UnitColumn(std::int32_t unit) {
  switch (unit) {
    case kOrdinateInch: return 21;
    case kOrdinateMm:
    case kOrdinateG: return 22;
    default: return 20;
  }
}

void TextSpectrum(const ResponseSpectrum& spectrum) {
  SpectrumPrintTable table(spectrum);
  const bool period = spectrum.periodAbscissa != 0;
  ReportPutCentred(Title(spectrum, ", Interpolation: "), 6, 78);
  ReportNewLine();
  ReportPutText(period ? "Period" : "Frequency", period ? 7 : 6);
  ReportPutText(table.HeadingText(2, 0), 18);
  ReportNewLine();
  ReportPutText(period ? "(sec)" : "(Hz) ", 8);
  ReportPutText(OrdinateUnitLabel(spectrum.ordinateUnit), UnitColumn(spectrum.ordinateUnit));
  ReportNewLine();
  for (int row = 1; row <= static_cast<int>(spectrum.points.size()); ++row) {
    ReportPutText(table.CellText(row, 1, 0), 8);
    ReportPutText(table.CellText(row, 2, 0), 23);
    ReportNewLine();
  }
  ReportNewLine();
}

void CsvSpectrum(const ResponseSpectrum& spectrum) {
  SpectrumPrintTable table(spectrum);
  const bool period = spectrum.periodAbscissa != 0;
  // The name goes inside its cell's quotes, not in quotes of its own.
  ReportCsvLine({"Spectrum = " + spectrum.name, " Interpolation",
                 std::string("1 = ") + Interpolation(spectrum.logInterpolation1),
                 std::string("2 = ") + Interpolation(spectrum.logInterpolation2)});
  ReportCsvLine({period ? "Period (sec)" : "Frequency (Hz)",
                 table.HeadingText(2, 0) + " " + OrdinateUnitLabel(spectrum.ordinateUnit)});
  for (int row = 1; row <= static_cast<int>(spectrum.points.size()); ++row)
    ReportCsvLine({table.CellText(row, 1, 0), table.CellText(row, 2, 0)});
}

bool Carried(const SpectrumLoad& load, std::size_t axis) {
  return !load.name[axis].empty() && load.factor[axis] != 0.0f;
}

std::string FactorText(float factor, const char* format) {
  char text[48];
  std::snprintf(text, sizeof text, format, static_cast<double>(factor));
  return text;
}

}  // namespace

const char* SpectrumSumName(std::int32_t code) {
  switch (code) {
    case kSumAbsolute: return "Absolute";
    case kSumSrss: return "SRSS";
    case kSumCloselySpaced: return "Closely spaced";
    case kSumNrl: return "NRL";
    default: return "";
  }
}

std::string SpectrumPointText(float value) { return value == 0.0f ? std::string() : FormatG6(value); }

void PrintSpectra() {
  if (!HasSpectra(M().spectra)) return;
  if (!g_ReportFileOpen) BeginReportSection("Spectrums", 0);
  else ReportSetTitle("Spectrums");
  for (const ResponseSpectrum& spectrum : M().spectra) {
    if (spectrum.name.empty() && spectrum.points.empty()) continue;
    if (!g_ReportFileOpen) {
      SpectrumPrintTable table(spectrum);
      TablePrint(table, Title(spectrum, ",   Interpolation: "), static_cast<int>(spectrum.points.size()));
    } else if (g_ReportToFile) {
      CsvSpectrum(spectrum);
    } else {
      if (ReportLinesLeft() < 6) ReportNewPage();
      TextSpectrum(spectrum);
    }
  }
}

void PrintSpectrumLoad() {
  const SpectrumLoad& load = M().spectrumLoad;
  if (!HasResponseSpectrumLoad(load)) return;
  const char* axes[3] = {"X", "Y", "Z"};
  if (!g_ReportFileOpen) {
    for (std::size_t axis = 0; axis < 3; ++axis) {
      if (!Carried(load, axis)) continue;
      PrinterNewLine();
      PrinterTextLeft(std::string(axes[axis]) + " spectrum = " + load.name[axis] + ",   " +
                      FactorText(load.factor[axis], "Factor = %.4f"));
    }
    PrinterNewLine();
    PrinterTextLeft(std::string("Mode sum = ") + SpectrumSumName(load.modeSum) + ",   Direction sum = " +
                    SpectrumSumName(load.directionSum));
    PrinterNewLine();
    return;
  }
  if (g_ReportToFile) {
    ReportCsvLine({"Spectrum"});
    for (std::size_t axis = 0; axis < 3; ++axis)
      if (Carried(load, axis))
        ReportCsvLine({std::string(axes[axis]) + " spectrum:", load.name[axis],
                       FactorText(load.factor[axis], "Factor = %.4f")});
    ReportNewLine();
    ReportCsvLine({std::string("Mode sum = ") + SpectrumSumName(load.modeSum),
                   std::string("Direction sum = ") + SpectrumSumName(load.directionSum)});
    return;
  }
  for (std::size_t axis = 0; axis < 3; ++axis) {
    if (!Carried(load, axis)) continue;
    ReportPutText(axes[axis], 6);
    ReportPutText("spectrum:", 8);
    ReportPutText(load.name[axis], 18);
    ReportPutText("Factor =", 36);
    ReportPutText(FormatFixedWidth(load.factor[axis], 10, 4), 45);
    ReportNewLine();
  }
  ReportNewLine();
  ReportPutText("Mode sum =", 6);
  ReportPutText(SpectrumSumName(load.modeSum), 17);
  ReportPutText("Direction sum =", 36);
  ReportPutText(SpectrumSumName(load.directionSum), 52);
  ReportNewLine();
}
