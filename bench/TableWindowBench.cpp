// The table window with 7000 rows (the most a layout holds): one full
// repaint, and one scroll step (the next row, one row scrolled, repainted).
// Both must cost the same as for a short table, since a paint walks only
// the rows on the screen.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "platform/Paint.h"
#include "platform/System.h"
#include "platform/Window.h"
#include "services/TableWindow.h"

namespace {

class BenchTable : public TableWindow {
 public:
  void DefineColumns() override {
    widths[1] = 40;
    widths[2] = 80;
    widths[3] = 60;
  }
  std::string HeadingText(int column, int) override { return "Column " + std::to_string(column); }
  std::string CellText(int row, int column, int) override { return std::to_string(row * 10 + column); }
};

// A 7000-row table shown in a 700 x 500 frame, headless.
struct BenchWindows {
  TableWindowRecord record;
  BenchTable table;
  HWND frame = nullptr;
  HWND window = nullptr;

  BenchWindows() {
    setenv("QUORVEL_DISPLAY", "headless", 1);
    RegisterTableWindowClass();
    WNDCLASS frameClass{};
    frameClass.lpfnWndProc = DefWindowProc;
    frameClass.lpszClassName = "TableBenchFrame";
    RegisterClass(&frameClass);
    frame = CreateWindowEx(0, "TableBenchFrame", "Bench", WS_OVERLAPPED, 0, 0, 700, 500, nullptr, nullptr,
                           nullptr, nullptr);
    ShowWindow(frame, SW_SHOW);
    window = CreateWindowEx(WS_EX_CLIENTEDGE, kTableWindowClass, "", WS_CHILD, 0, 0, 0, 0, frame, nullptr,
                            nullptr, &record);
    TableSetColumns(table, &record, frame, 3, 1, nullptr);
    TableReset(table);
    TableSetRows(table, 7000);
    TableShowFocus(table);
    UpdateWindow(window);
  }
  ~BenchWindows() { platform::Shutdown(); }
};

void BM_TableWindowSmokeFullRepaint7000Rows(benchmark::State& state) {
  BenchWindows windows;
  TableGoTo(windows.table, 3500);
  for (auto _ : state) {
    InvalidateRect(windows.window, nullptr, FALSE);
    UpdateWindow(windows.window);
  }
}
BENCHMARK(BM_TableWindowSmokeFullRepaint7000Rows);

void BM_TableWindowSmokeScrollStep7000Rows(benchmark::State& state) {
  BenchWindows windows;
  TableGoTo(windows.table, windows.table.visibleRows);  // the next step scrolls
  for (auto _ : state) {
    BenchTable& table = windows.table;
    TableGoTo(table, table.currentRow < table.rowCount ? table.currentRow + 1 : 1);
    UpdateWindow(windows.window);
  }
}
BENCHMARK(BM_TableWindowSmokeScrollStep7000Rows);

}  // namespace
