// The Layout report of the largest model (7000 rows): written to a text
// file, to a CSV file, and recorded and printed to a PDF through the text
// printer (the report the Layout window prints: the Layout table and the
// node coordinates). Each run reports the pages written. Names containing
// "Smoke" are the quick CI run.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "editing/LayoutEditors.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/RowObjects.h"
#include "platform/Window.h"
#include "printing/PrinterSettings.h"
#include "printing/ReportOutput.h"
#include "services/Frame.h"

namespace {

std::string Folder() {
  const char* folder = std::getenv("TMPDIR");
  return folder != nullptr && *folder != '\0' ? folder : "/tmp";
}

// A zigzag of pipes with a valve every tenth row and a restraint every fifth.
void BuildLayout(int rows) {
  Model& model = TheModel();
  InitEmptyModel(model, AnalysisOptions{});
  model.title = "Benchmark rack";
  for (int number = 1; number <= rows; ++number) {
    LayoutRow& row = model.row(number);
    row.node = 10 * number;
    row.elementType = number == 1 ? ElementType::From : (number % 10 == 0 ? ElementType::Valve : ElementType::Pipe);
    row.element = CreateElementData(row.elementType);
    row.dx = number % 2 ? 120.0f : 0.0f;
    row.dz = number % 2 ? 0.0f : 120.0f;
    if (number % 5 == 0) {
      row.dataType = DataType::Restraint;
      row.item = CreateDataItem(row.dataType);
    }
  }
  model.row(2).material = "A106";
  model.row(2).section = "S8";
  model.row(2).load = "L1";
  model.rowCount = rows;
  MakeModel(model);
}

void FileReport(benchmark::State& state, const char* extension) {
  BuildLayout(static_cast<int>(state.range(0)));
  const std::string path = Folder() + "/quorvel_bench_layout." + extension;
  for (auto _ : state) {
    if (!ReportOpenFile(nullptr, path)) {
      state.SkipWithError("the report file could not be opened");
      return;
    }
    PrintLayout();
    state.counters["pages"] = g_ReportPage;
    if (!ReportCloseFile()) state.SkipWithError("the report file could not be written");
  }
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
  std::remove(path.c_str());
}

void TextReport(benchmark::State& state) { FileReport(state, "txt"); }
void CsvReport(benchmark::State& state) { FileReport(state, "csv"); }
BENCHMARK(TextReport)->Name("BM_LayoutReportSmokeText")->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(TextReport)->Name("BM_LayoutReportText")->Arg(7000)->Unit(benchmark::kMillisecond);
BENCHMARK(CsvReport)->Name("BM_LayoutReportCsv")->Arg(7000)->Unit(benchmark::kMillisecond);

// Recording on the PDF printer and printing every page, as File > Print of
// the Layout window does after its Print dialog.
void PdfReport(benchmark::State& state) {
  setenv("QUORVEL_DISPLAY", "headless", 1);
  const std::string home = Folder() + "/quorvel_bench_home";
  std::filesystem::create_directories(home);
  setenv("HOME", home.c_str(), 1);
  BuildLayout(static_cast<int>(state.range(0)));
  WNDCLASS windowClass{};
  windowClass.lpfnWndProc = DefWindowProc;
  windowClass.lpszClassName = "PrintBenchOwner";
  RegisterClass(&windowClass);
  LayoutFrame().window = CreateWindowEx(0, "PrintBenchOwner", "Layout", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                        nullptr, nullptr, nullptr);
  PrinterSettings& printer = TextPrinter();
  printer.InitDefaults();
  printer.owner = LayoutFrame().window;
  for (auto _ : state) {
    try {
      HDC dc = printer.CreatePrinterDc();
      printer.ComputePrintArea(dc);
      printer.Record(dc, printer.printableWidth, printer.printableHeight);
      printer.firstPage = 1;
      printer.lastPage = printer.pageCount;
      printer.PrintPages(dc);
      state.counters["pages"] = printer.pageCount;
      printer.DeleteDocument();
      DeleteDC(dc);
    } catch (const std::string& text) {
      state.SkipWithError(text.c_str());
      return;
    }
  }
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(home + "/Quorvel.pdf"));
  DestroyWindow(LayoutFrame().window);
  LayoutFrame().window = nullptr;
  std::filesystem::remove_all(home);
}
BENCHMARK(PdfReport)->Name("BM_LayoutReportSmokePdf")->Arg(200)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(PdfReport)->Name("BM_LayoutReportPdf")->Arg(7000)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
