// The loads of the model report and the shared line helpers; see the
// header.
#include "loads/LoadsReport.h"

#include "loads/HarmonicList.h"
#include "loads/PipeLoadsTable.h"
#include "loads/SpectrumPrint.h"
#include "loads/StaticSeismicDialog.h"
#include "loads/TimeHistoryDialog.h"
#include "loads/WindDialog.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "properties/BeamLoadsTable.h"
#include "records/Spectrum.h"
#include "records/StaticSeismic.h"
#include "services/ReportMode.h"
#include "services/StartupSwitches.h"

namespace {

// The dynamic and seismic loads open the section under one "Loads"
// heading, kept whole on a page: the lines (text) or line heights
// (printer, in halves) each block takes.
struct LoadBlocks {
  bool seismic, spectrum, timeHistory, harmonic;
  bool Any() const { return seismic || spectrum || timeHistory || harmonic; }
  int TextLines() const {
    return 3 + (seismic ? 3 : 0) + (spectrum ? 4 : 0) + (timeHistory ? 5 : 0) + (harmonic ? 3 : 0);
  }
  int PrinterHalfLines() const {
    return 4 + (seismic ? 5 : 0) + (spectrum ? 8 : 0) + (timeHistory ? 9 : 0) + (harmonic ? 5 : 0);
  }
};

void LoadsHeading(const LoadBlocks& blocks) {
  if (!g_ReportFileOpen) {
    if (2 * PrinterLinesLeft() < blocks.PrinterHalfLines()) PrinterPageHeading();
    BeginReportSection("Loads", 0);
    PrinterHeadingBar("Loads");
    PrinterHalfLine();
    return;
  }
  if (g_ReportToFile) {
    ReportRule();
    ReportPutText("Loads", 1);
  } else {
    if (ReportLinesLeft() < blocks.TextLines()) ReportNewPage();
    ReportSetTitle("Loads");
    ReportPutCentred("Loads", 6, 78);
  }
  ReportNewLine();
  ReportRule();
}

}  // namespace

void PrintModelLoads() {
  const Model& model = TheModel();
  const LoadBlocks blocks{HasStaticSeismicLoad(model.seismic), HasResponseSpectrumLoad(model.spectrumLoad),
                          HasTimeHistoryLoads(model), ModelHasHarmonicLoads(model)};
  const bool verification = VerificationMode != 0;
  if (blocks.Any()) {
    LoadsHeading(blocks);
    PrintStaticSeismic();
    if (verification) PrintWindLoads();
    PrintSpectrumLoad();
    PrintTimeHistoryOptions();
    PrintHarmonicSettings();
    if (g_ReportFileOpen) {
      ReportNewLine();
      ReportRule();
    }
  }
  if (!verification) PrintWindLoads();
  PrintPipeLoads();
  PrintBeamLoads();
}

void ReportCsvLine(const std::vector<std::string>& cells) {
  g_LineText.clear();
  for (const std::string& cell : cells) ReportPutCell(cell);
  if (!g_LineText.empty()) g_LineText.pop_back();
  ReportAppendLine(g_LineText);
  ReportNewLine();
}

void ReportTextOrCellLine(const std::string& text, int column) {
  if (g_ReportToFile)
    ReportAppendLine(CsvQuoted(text));
  else
    ReportPutText(text, column);
  ReportNewLine();
}

std::string WithUnit(const std::string& value, const char* unit) { return value + " " + unit; }
