// The fixture of the table window tests: the layer in test mode, the
// program's resources, a frame window that records the commands a cell
// error sends it, and a test table of our own ("TestGrid") shown in a
// table window inside that frame. What the tables tell the user goes to a
// message sink that the tests read.
//
// TestGrid has rows of (node, name, value, note). Node, name and value are
// editable with edit lengths 5, 10 and 8; note is not. Its store refuses
// input in every way the cell editor must handle:
//   node  empty            -> CI "Node is required" naming column 1
//   node  not a number     -> message text "Node =  <text>  is invalid"
//   name  "x"              -> CI "Name needs a node" naming column 1
//   name  "cmd"            -> MsgCmd with an empty message, command 700
//   name  "both"           -> MsgColCmd "Both" naming column 3, command 701
//   value not a number     -> message text "Value =  <text>  is invalid"
//   value above 1000       -> CI "Value is too large" naming column 3
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/Gdi.h"
#include "platform/Input.h"
#include "platform/Paint.h"
#include "platform/System.h"
#include "platform/TestSupport.h"
#include "platform/Window.h"
#include "resources/QuorvelResources.h"
#include "services/NumberText.h"
#include "services/TableWindow.h"
#include "services/TableWindowSupport.h"

struct GridRecord {
  int node = 0;
  std::string name;
  std::string value;
};

class TestGrid : public TableWindow {
 public:
  std::vector<GridRecord> records;  // row r is records[r - 1]
  std::vector<int> columnWidths{40, 80, 60, 50};
  int stores = 0;
  int rowChanges = 0;
  int columnMoves = 0;

  explicit TestGrid(int rows = 10) {
    for (int r = 1; r <= rows; ++r) records.push_back({r * 10, "Row" + std::to_string(r), std::to_string(r)});
    nodeSearch = true;
  }
  void DefineColumns() override {
    for (int c = 1; c <= columnCount && c <= 4; ++c) widths[static_cast<std::size_t>(c)] = columnWidths[static_cast<std::size_t>(c) - 1];
  }
  std::string HeadingText(int column, int line) override {
    static const char* names[] = {"", "Node", "Name", "Value", "Note"};
    return line == 0 && column >= 1 && column <= 4 ? names[column] : "";
  }
  std::string CellText(int row, int column, int /*line*/) override {
    if (row < 1 || row > static_cast<int>(records.size())) return "";
    const GridRecord& record = records[static_cast<std::size_t>(row) - 1];
    switch (column) {
      case 1: return std::to_string(record.node);
      case 2: return record.name;
      case 3: return record.value;
      case 4: return "note";
      default: return "";
    }
  }
  bool IsCellEditable(int /*row*/, int column) override { return column >= 1 && column <= 3; }
  void CurrentRowChanged() override { ++rowChanges; }
  void BeforeColumnMove(int /*step*/) override { ++columnMoves; }
  std::int32_t RowNode(int row) override {
    return row >= 1 && row <= static_cast<int>(records.size()) ? records[static_cast<std::size_t>(row) - 1].node : 0;
  }
  void StoreCell() override {
    ++stores;
    GridRecord& record = records[static_cast<std::size_t>(currentRow) - 1];
    const std::string text = g_EditFieldText;
    if (currentColumn == 1) {
      if (text.empty()) TableFieldRequired("Node", 1);
      char* end = nullptr;
      const long node = std::strtol(text.c_str(), &end, 10);
      if (*end != '\0') throw "Node =  " + text + "  is invalid";
      record.node = static_cast<int>(node);
    } else if (currentColumn == 2) {
      if (text == "x") ThrowCellError("Name needs a node", 1);
      if (text == "cmd") ThrowCellCommand(700);
      if (text == "both") ThrowCellCommandError("Both", 3, 701);
      record.name = text;
    } else if (currentColumn == 3) {
      char* end = nullptr;
      const double value = std::strtod(text.c_str(), &end);
      if (text.empty() || *end != '\0') throw "Value =  " + text + "  is invalid";
      if (value > 1000) ThrowCellError("Value is too large", 3);
      record.value = text;
    }
  }
};

struct ShownMessage {
  std::string text;
  TableMessageKind kind;
};

inline std::vector<int>& FrameCommands() {
  static std::vector<int> commands;
  return commands;
}

inline LRESULT TestFrameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    FrameCommands().push_back(LOWORD(wParam));
    return 0;
  }
  if (message == WM_ERASEBKGND) return 1;
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client{};
    GetClientRect(window, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    EndPaint(window, &paint);
    return 0;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

class TableTest : public testing::Test {
 protected:
  void SetUp() override {
    platform::EnableTestMode(true);
    platform::SetFailureHandler([](const std::string& message) { ADD_FAILURE() << message; });
    platform::RegisterResources(QuorvelResources().data(), QuorvelResources().size());
    RegisterTableWindowClass();
    WNDCLASS frameClass{};
    frameClass.lpfnWndProc = TestFrameProcedure;
    frameClass.lpszClassName = "TableTestFrame";
    frameClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClass(&frameClass);
    FrameCommands().clear();
    messages.clear();
    SetTableMessageSink([this](HWND, const std::string& text, TableMessageKind kind) {
      messages.push_back({text, kind});
    });
    SetTableInsertMode(true);
    SetTableResultsShown(false);
  }
  void TearDown() override {
    platform::RunUntilIdle();
    platform::CheckModalScript();
    SetTableMessageSink(nullptr);
    platform::Shutdown();
    platform::EnableTestMode(false);
    platform::SetFailureHandler(nullptr);
    platform::RegisterResources(nullptr, 0);
  }

  // A frame of the given client size with a table window inside; the grid
  // gets `columns` columns (edit lengths 5, 10, 8, 0) unless told otherwise.
  void MakeWindows(int width, int height) {
    frame = CreateWindowEx(0, "TableTestFrame", "Frame", WS_OVERLAPPED, 0, 0, width, height, nullptr, nullptr,
                           nullptr, nullptr);
    ShowWindow(frame, SW_SHOW);
    tableWindow = CreateWindowEx(WS_EX_CLIENTEDGE, kTableWindowClass, "", WS_CHILD, 0, 0, 0, 0, frame, nullptr,
                                 nullptr, &record);
  }
  void Bind(TableWindow& table, bool editable = true, int columns = 4) {
    static const std::vector<int> lengths{0, 5, 10, 8, 0};
    TableSetColumns(table, &record, frame, columns, 1, editable ? &lengths : nullptr);
    table.editable = editable;
    TableReset(table);
  }
  // Frame and grid shown with the focus.
  void ShowGrid(int rows = 10, int width = 600, int height = 300, bool editable = true) {
    ShowTable(grid, rows, width, height, editable);
  }
  // The same for a grid of another kind.
  void ShowTable(TestGrid& table, int rows, int width = 600, int height = 300, bool editable = true) {
    MakeWindows(width, height);
    table.records.clear();
    for (int r = 1; r <= rows; ++r) table.records.push_back({r * 10, "Row" + std::to_string(r), std::to_string(r)});
    Bind(table, editable);
    TableSetRows(table, rows);
    TableShowFocus(table);
    platform::RunUntilIdle();
  }
  // The current cell's text typed over, as a user clears a short cell first.
  void Replace(const std::string& text) {
    Key(VK_END);
    for (int i = 0; i < 12; ++i) platform::TestKeyPress(VK_BACK);
    Type(text);
  }
  int TextWidth(const std::string& text) {
    SIZE size{0, 0};
    GetTextExtentPoint32(record.dc, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
  }
  void Key(UINT key) {
    platform::TestKeyPress(key);
    platform::RunUntilIdle();
  }
  void ControlKey(UINT key) {
    platform::TestKeyDown(VK_CONTROL);
    platform::TestKeyPress(key);
    platform::TestKeyUp(VK_CONTROL);
    platform::RunUntilIdle();
  }
  void ShiftKey(UINT key) {
    platform::TestKeyDown(VK_SHIFT);
    platform::TestKeyPress(key);
    platform::TestKeyUp(VK_SHIFT);
    platform::RunUntilIdle();
  }
  void Type(const std::string& text) {
    platform::TestTypeText(text);
    platform::RunUntilIdle();
  }
  // Client y of the middle of a row shown on the screen.
  int RowMiddle(const TableWindow& table, int row) const {
    return table.headingHeight + (row - table.topRow - 1) * table.rowHeight + table.rowHeight / 2;
  }
  int ColumnLeft(const TableWindow& table, int column) const {
    return table.x[static_cast<std::size_t>(column)] - table.hPosition;
  }
  void Click(int x, int y) {
    platform::TestMouse(tableWindow, WM_LBUTTONDOWN, x, y);
    platform::TestMouse(tableWindow, WM_LBUTTONUP, x, y);
    platform::RunUntilIdle();
  }
  // Moves the virtual clock past the double-click time, so the next click is a single one.
  void Pause() { platform::AdvanceClock(GetDoubleClickTime() + 10); }

  TableWindowRecord record;
  HWND frame = nullptr;
  HWND tableWindow = nullptr;
  TestGrid grid;
  std::vector<ShownMessage> messages;
};
