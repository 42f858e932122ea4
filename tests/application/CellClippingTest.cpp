// A cell's text stays in its cell: after a store that reads longer than its
// column (a long number stored as a long value) or that lets the columns be
// measured again (the Materials list's spare row, whose description no
// measure counts yet), nothing of one cell is drawn over the cells beside
// it, and a column the user widened by typing keeps the width it took.
// Read from the pixels the headless layer drew.
#include "editing/ModelWindows.h"
#include "editing/UnitsDialog.h"
#include "model/ListTesting.h"
#include "platform/Gdi.h"
#include "platform/Input.h"
#include "platform/Paint.h"
#include "properties/MaterialsTable.h"
#include "services/ListFrameState.h"

namespace {

class CellClippingTest : public ListFixture {
 protected:
  static void Type(const std::string& text) {
    platform::TestTypeText(text);
    platform::RunUntilIdle();
  }
  static void Key(UINT key) {
    platform::TestKeyPress(key);
    platform::RunUntilIdle();
  }
  // Opens a list from the Layout window, the List window in front.
  static TableWindow& OpenList(int command) {
    SendMessage(LayoutFrame().window, WM_COMMAND, static_cast<WPARAM>(command), 0);
    platform::RunUntilIdle();
    SetForegroundWindow(ListFrame().window);
    platform::RunUntilIdle();
    return *TableOfWindow(ListTableWindow(0));
  }
  static int Width(TableWindow& t, const std::string& text) {
    SIZE size{0, 0};
    GetTextExtentPoint32(t.Dc(), text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
  }
  // No cell of `row` shows text in its left margin (where a text from the
  // cell before it would cross), nor, but for the cell being typed in,
  // past the end of its own text; the first cell that does ("" when none),
  // with the column and the pixel.
  static std::string TextOutsideItsCell(TableWindow& t, int row) {
    HWND window = t.Window();
    UpdateWindow(window);
    const int top = t.headingHeight + (row - t.topRow - 1) * t.rowHeight;
    const int margin = t.Metrics().cellMargin;
    for (int c = 1; c <= t.columnCount; ++c) {
      if (t.widths[static_cast<std::size_t>(c)] == 0) continue;
      const int left = t.x[static_cast<std::size_t>(c)] - t.hPosition;
      const int right = t.x[static_cast<std::size_t>(c) + 1] - t.hPosition;
      const int end = c == t.currentColumn ? right : left + margin + Width(t, t.CellText(row, c, 0));
      for (int x = left + 2; x < right - 1; ++x)
        for (int y = top + 2; y < top + t.rowHeight - 1; ++y) {
          const COLORREF pixel = platform::GetWindowPixel(window, x, y);
          const bool free = x < left + margin - 1 || x > end;
          if (free && GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) < 300)
            return "column " + std::to_string(c) + " (\"" + t.CellText(row, c, 0) + "\") has text at " +
                   std::to_string(x) + ", " + std::to_string(y);
        }
    }
    return {};
  }
  // No column is narrower than a text it shows; the first that is ("" when
  // none), with its row.
  static std::string ColumnNarrowerThanItsText(TableWindow& t) {
    for (int c = 1; c <= t.columnCount; ++c) {
      if (t.widths[static_cast<std::size_t>(c)] == 0) continue;
      for (int r = 1; r <= t.rowCount; ++r)
        if (Width(t, t.CellText(r, c, 0)) > t.widths[static_cast<std::size_t>(c)])
          return "column " + std::to_string(c) + " is narrower than \"" + t.CellText(r, c, 0) + "\" of row " +
                 std::to_string(r);
    }
    return {};
  }
};

TEST_F(CellClippingTest, ACellsTextIsNeverDrawnOverTheCellsBesideIt) {
  TheModel().options.PipingCode = 3;  // the Materials list shows Yield
  ShowModelWindows();
  platform::RunUntilIdle();

  // Pipe Loads, a new load on the spare row: T1 and P1 typed short, stored
  // long by the Tab that leaves each.
  TableWindow& loads = OpenList(190);
  const int newLoad = loads.rowCount;
  TableGoTo(loads, newLoad);
  platform::RunUntilIdle();
  Type("L2");
  Key(VK_TAB);
  Type("1e20");
  Key(VK_TAB);
  Type("2e15");
  Key(VK_TAB);
  ASSERT_EQ(loads.currentRow, newLoad);
  EXPECT_EQ(TheModel().pipeLoads[newLoad].operating[0].pressure, 2e15f);
  EXPECT_EQ(TextOutsideItsCell(loads, newLoad), "");
  // The columns follow the values stored in them.
  for (int column : {2, 3})
    EXPECT_GE(loads.widths[static_cast<std::size_t>(column)], Width(loads, loads.CellText(newLoad, column, 0)))
        << column;

  // The Materials list's spare row, typed as a new material: the long
  // description widened its column; the density reads longer stored than
  // its column is measured for, and storing it measures the columns again.
  TableWindow& materials = OpenList(188);
  ASSERT_EQ(&materials, static_cast<TableWindow*>(&TheMaterialsTable()));
  const int spare = materials.rowCount;
  TableGoTo(materials, spare);
  platform::RunUntilIdle();
  const std::string description = "abcdefghijklmnopqrstuvwxyz01234";
  Type("NEW");
  Key(VK_TAB);
  Type(description);
  Key(VK_TAB);
  Type("CS");
  Key(VK_TAB);
  Type("12345678901234567890");
  Key(VK_TAB);
  ASSERT_EQ(materials.currentRow, spare);
  ASSERT_EQ(TheModel().materials[spare].description, description);
  EXPECT_FLOAT_EQ(TheModel().materials[spare].density, 123456789012.0f);  // 12 digits: the column's length
  EXPECT_EQ(TextOutsideItsCell(materials, spare), "");
  EXPECT_GE(materials.widths[2], Width(materials, description));
  // New units show the list again, measured without the row being typed:
  // what no longer fits is cut at its cell.
  platform::ExpectModal(platform::ModalKind::Dialog, "UNITS_DIALOG", [](HWND dialog) {
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(kAllSiButton, BN_CLICKED), 0);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  SendMessage(ListFrame().window, WM_COMMAND, 431, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_EQ(TextOutsideItsCell(materials, spare), "");
}

// A material typed whole on the spare row and entered: its long density
// keeps its column wide after the list is shown again for the new record,
// in new units, and when the list is opened again.
TEST_F(CellClippingTest, EveryColumnOfTheMaterialsListIsAsWideAsItsTexts) {
  TheModel().options.PipingCode = 3;  // the Materials list shows Yield
  ShowModelWindows();
  platform::RunUntilIdle();
  TableWindow& materials = OpenList(188);
  const int spare = materials.rowCount;
  TableGoTo(materials, spare);
  platform::RunUntilIdle();
  for (const char* text : {"NEW", "abcdefghijklmnopqrstuvwxyz01234", "CS", "12345678901234567890", "0.3", "0.85"}) {
    Type(text);
    Key(VK_TAB);
  }
  Type("35000");
  Key(VK_RETURN);
  EXPECT_EQ(messages, std::vector<std::string>{"Properties are required"});
  ASSERT_EQ(TheModel().materials.count, spare);
  EXPECT_FLOAT_EQ(TheModel().materials[spare].density, 123456789012.0f);  // 12 digits: the column's length
  EXPECT_EQ(ColumnNarrowerThanItsText(materials), "");
  platform::ExpectModal(platform::ModalKind::Dialog, "UNITS_DIALOG", [](HWND dialog) {
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(kAllSiButton, BN_CLICKED), 0);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  SendMessage(ListFrame().window, WM_COMMAND, 431, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_EQ(ColumnNarrowerThanItsText(materials), "");
  OpenList(190);
  ASSERT_EQ(&OpenList(188), &materials);
  EXPECT_EQ(ColumnNarrowerThanItsText(materials), "");
}

}  // namespace
