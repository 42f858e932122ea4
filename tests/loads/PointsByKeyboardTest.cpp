// Response spectra and time functions typed with the keyboard alone, as a
// user types them from Misc > Spectrums and Misc > Time functions: a name,
// Tab into the values grid, a point's two values with Tab between them,
// Return, the next point ... Return leaves the keyboard in the new row's
// first cell; Escape drops a cell's typed text; an empty entry row is
// refused with its message and the keyboard stays; Tab past the grid's
// last cell goes back to the names, where Return opens the next name.
#include <sstream>

#include "loads/PointTablesTable.h"
#include "loads/PointTablesTesting.h"
#include "loads/SpectraTable.h"
#include "loads/SpectrumValuesGrid.h"
#include "loads/TimeFunctionsTable.h"
#include "records/Spectrum.h"
#include "records/TimeFunction.h"

namespace {

class PointsByKeyboardTest : public PointTablesFixture {
 protected:
  // One point typed into the grid's entry row: abscissa, Tab, value, Return.
  static void TypePoint(const std::string& x, const std::string& y) {
    Type(x);
    Key(VK_TAB);
    Type(y);
    Key(VK_RETURN);
  }
  // The points as "x,y x,y ..." (six significant digits).
  static std::string Text(const std::vector<FloatPair>& points) {
    std::ostringstream text;
    for (const FloatPair& point : points) text << (text.tellp() > 0 ? " " : "") << point.x << "," << point.y;
    return text.str();
  }
};

TEST_F(PointsByKeyboardTest, ASpectrumIsTypedWithTheKeyboardAlone) {
  Layout(251);
  SpectraTable& names = TheSpectraTable();
  SpectrumValuesGrid& grid = TheSpectrumValuesGrid();
  ASSERT_EQ(GetFocus(), names.Window());
  Type("S1");
  Key(VK_TAB);
  ASSERT_EQ(GetFocus(), grid.Window());
  TypePoint("1", "0.5");
  // The new row's first cell has the keyboard.
  EXPECT_EQ(GetFocus(), grid.Window());
  EXPECT_EQ(grid.currentRow, 2);
  EXPECT_EQ(grid.currentColumn, 1);
  TypePoint("2", "0.8");
  TypePoint("10", "0.3");
  EXPECT_EQ(grid.currentRow, 4);
  // Escape drops a cell's typed text.
  Type("99");
  EXPECT_EQ(grid.editBuffer, "99");
  Key(VK_ESCAPE);
  EXPECT_EQ(grid.editBuffer, "");
  // Return on the empty entry row: refused with its message, the keyboard stays.
  messages.clear();
  Key(VK_RETURN);
  EXPECT_EQ(messages, std::vector<std::string>{"Value is required"});
  EXPECT_EQ(GetFocus(), grid.Window());
  EXPECT_EQ(grid.currentRow, 4);
  // Tab past the last cell: back to the names, and the points are kept.
  Key(VK_TAB);
  Key(VK_TAB);
  ASSERT_EQ(GetFocus(), names.Window());
  ASSERT_TRUE(HasSpectra(TheModel().spectra));
  EXPECT_EQ(TheModel().spectra[0].name, "S1");
  EXPECT_EQ(Text(TheModel().spectra[0].points), "1,0.5 2,0.8 10,0.3");
  // Return opens the next name; it is typed and given its points the same way.
  Key(VK_RETURN);
  EXPECT_EQ(names.currentRow, 2);
  Type("S2");
  Key(VK_TAB);
  TypePoint("5", "1");
  Key(VK_TAB);
  Key(VK_TAB);
  EXPECT_EQ(GetFocus(), names.Window());
  ASSERT_EQ(FindSpectrum(TheModel().spectra, "S2"), 1);
  EXPECT_EQ(Text(TheModel().spectra[1].points), "5,1");
  EXPECT_EQ(TheModel().spectra[0].points.size(), 3u);
  EXPECT_TRUE(TheModel().modified);
}

TEST_F(PointsByKeyboardTest, ATimeFunctionIsTypedWithTheKeyboardAlone) {
  Layout(252);
  PointTablesTable& names = TheTimeFunctionsTable();
  PointsGrid& grid = TheTimeFunctionsGrid();
  ASSERT_EQ(GetFocus(), names.Window());
  Type("F1");
  Key(VK_TAB);
  ASSERT_EQ(GetFocus(), grid.Window());
  TypePoint("0", "0");
  EXPECT_EQ(GetFocus(), grid.Window());
  EXPECT_EQ(grid.currentRow, 2);
  EXPECT_EQ(grid.currentColumn, 1);
  TypePoint("0.1", "100");
  TypePoint("0.2", "-50");
  // Tab past the last cell: the names.
  Key(VK_TAB);
  Key(VK_TAB);
  ASSERT_EQ(GetFocus(), names.Window());
  const TimeFunctionList& functions = TheModel().timeFunctions;
  ASSERT_TRUE(HasTimeFunctions(functions));
  EXPECT_EQ(functions[0].name, "F1");
  // A typed 0 is the kept zero.
  EXPECT_EQ(Text(functions[0].points), "1e-36,1e-36 0.1,100 0.2,-50");
  Key(VK_RETURN);
  EXPECT_EQ(names.currentRow, 2);
  Type("F2");
  Key(VK_TAB);
  TypePoint("0.5", "5");
  TypePoint("1", "7");
  // Back to the names through the grid's first cell with Shift+Tab.
  platform::TestKeyDown(VK_SHIFT);
  Key(VK_TAB);
  platform::TestKeyUp(VK_SHIFT);
  platform::RunUntilIdle();
  EXPECT_EQ(GetFocus(), names.Window());
  ASSERT_EQ(functions.size(), 3u);  // F1, F2 and the spare record
  EXPECT_EQ(functions[1].name, "F2");
  EXPECT_EQ(Text(functions[1].points), "0.5,5 1,7");
}

}  // namespace
