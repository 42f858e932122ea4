// The loads of the model report and the shared line helpers; see the
// header.
#include "loads/LoadsReport.h"

#include "graphics/ReportOutput.h"
#include "loads/ForceSpectraTable.h"
#include "loads/HarmonicList.h"
#include "loads/PipeLoadsTable.h"
#include "loads/SpectrumPrint.h"
#include "loads/StaticSeismicDialog.h"
#include "loads/TimeFunctionsTable.h"
#include "loads/TimeHistoryDialog.h"
#include "loads/WindDialog.h"

void PrintModelLoads() {
  PrintPipeLoads();
  PrintStaticSeismic();
  PrintWindLoads();
  PrintSpectra();
  PrintSpectrumLoad();
  PrintHarmonicSettings();
  PrintTimeHistoryOptions();
  PrintTimeFunctions();
  PrintForceSpectra();
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
