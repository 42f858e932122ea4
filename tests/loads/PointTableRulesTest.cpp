// The rules the names and points of response spectra, time functions and
// force spectra keep, held on every road they come by: a text file (a
// negative ordinate and a blank name refused, blanks around a name dropped
// so that an existing name is asked about), a spectrum library file (the
// text file's rules, each fault named with its spectrum, the model left as
// it was), and the values grids (a value without its abscissa refused or
// reported when the focus leaves, never stored or dropped unseen).
#include <string>
#include <vector>

#include "loads/PointTablesTable.h"
#include "loads/PointTablesTesting.h"
#include "loads/SpectraTable.h"
#include "loads/SpectrumLibrary.h"
#include "loads/SpectrumValuesGrid.h"
#include "loads/TimeFunctionsTable.h"
#include "records/Spectrum.h"
#include "records/TimeFunction.h"
#include "services/Settings.h"

namespace {

class PointTableRulesTest : public PointTablesFixture {
 protected:
  static SpectrumList& Spectra() { return TheModel().spectra; }
  static TimeFunctionList& Functions() { return TheModel().timeFunctions; }
  static ResponseSpectrum Made(const std::string& name, std::vector<FloatPair> points) {
    return ResponseSpectrum{name, 0, 0, 0, kOrdinateInch, std::move(points)};
  }
  // The message reading a library of `spectra` is refused with.
  std::string LibraryRefusal(const SpectrumList& spectra) {
    WriteSpectrumLibraryFile(Path("rules.spe"), spectra);
    try {
      ReadSpectrumLibraryFile(Path("rules.spe"));
    } catch (const std::string& message) {
      return message;
    }
    return "(read)";
  }
};

TEST_F(PointTableRulesTest, TextFilesKeepTheRulesOfTheTables) {
  Layout(251);
  const std::string spectrum = "Read Spectrum from a Text File";
  ReadText(250, spectrum, "S1\n0 2\n1 -5\n2 3\n", {{{"Line 3: 1 -5", "Spectrum value should be positive"}, IDOK}});
  ReadText(250, spectrum, "   \n0 2\n1 2\n", {{{"File does not have spectrum name"}, IDOK}});
  EXPECT_FALSE(HasSpectra(Spectra()));
  EXPECT_FALSE(TheModel().modified);
  // Blanks around a name are no part of it: " S1 " is S1, asked about.
  ReadText(250, spectrum, "S1\n0 2\n1 2\n", {{{"Spectrum  \"S1\" was read", "From file: " + Path("read.txt")}, IDOK}});
  ReadText(250, spectrum, " S1 \t\n0 2\n1 4\n",
           {{{"The spectrum in the file:  \"S1\"  is already defined.", "Do you want to overwrite the spectrum ?"},
             IDCANCEL}});
  ASSERT_EQ(SpectrumCount(Spectra()), 1);
  EXPECT_EQ(Spectra()[0].points[0].y, 2.0f);
  Layout(252);
  const std::string functions = "Read Time function from a Text File";
  const std::vector<std::string> read{"Time function was read from file: " + Path("read.txt")};
  ReadText(222, functions, "F1\n0 1\n", {{read, IDOK}});
  ReadText(222, functions, "F1 \n0 9\n",
           {{{"The time function in the file:  \"F1\"  is already defined.",
              "Do you want to overwrite the time function ?"},
             IDOK},
            {read, IDOK}});
  ASSERT_EQ(SavedPointTableCount(Functions()), 1u);
  EXPECT_EQ(Functions()[0].name, "F1");
  EXPECT_EQ(Functions()[0].points[0].y, 9.0f);
}

TEST_F(PointTableRulesTest, ALibraryFileKeepsTheRulesOfATextFile) {
  const std::string refused = "Unable to read spectrum library:\n" + Path("rules.spe") + "\nSpectrum ";
  EXPECT_EQ(LibraryRefusal({Made("S1", {{1.0f, 2.0f}, {2.0f, -5.0f}})}),
            refused + "S1, point 2: Spectrum value should be positive");
  EXPECT_EQ(LibraryRefusal({Made("S1", {{1.0f, 2.0f}, {-2.0f, 5.0f}})}),
            refused + "S1, point 2: Invalid spectrum values");
  EXPECT_EQ(LibraryRefusal({Made("S1", {{2.0f, 2.0f}, {1.0f, 5.0f}})}),
            refused + "S1, point 2: Spectrum abscissas must ascend");
  EXPECT_EQ(LibraryRefusal({Made("S1", {}), Made("  ", {{1.0f, 2.0f}})}), refused + "number 2: Name is required");
  EXPECT_EQ(LibraryRefusal({Made("S1", {}), Made(" S1 ", {})}), refused + "S1 is already defined");
  EXPECT_EQ(LibraryRefusal({Made(" S1 ", {{1.0f, 2.0f}})}), "(read)");
  EXPECT_EQ(ReadSpectrumLibraryFile(Path("rules.spe"))[0].name, "S1");
  // Through the model's Library command: the refusal shown, the model and
  // its spectra as they were.
  Spectra().insert(Spectra().begin(), Made("S2", {{1.0f, 3.0f}}));
  LibraryRefusal({Made("S1", {{2.0f, 2.0f}, {1.0f, 5.0f}})});
  TheSpectrumLibrary() = SpectrumLibraryState{};
  ProgramPreferences().spectrumLibraryPath = Path("rules.spe");
  Layout(251);
  ExpectBox(MessageLines(refused + "S1, point 2: Spectrum abscissas must ascend"));
  List(270);
  platform::CheckModalScript();
  ASSERT_EQ(SpectrumCount(Spectra()), 1);
  EXPECT_EQ(Spectra()[0].name, "S2");
  EXPECT_FALSE(TheModel().modified);
  EXPECT_TRUE(TheSpectrumLibrary().spectra.empty());
}

TEST_F(PointTableRulesTest, AValueWithoutItsAbscissaIsNeverStoredUnseen) {
  // A spectrum's lone row with only its ordinate: leaving the grid is
  // refused as Enter would be, and the keyboard goes to the empty cell.
  Layout(251);
  SpectrumValuesGrid& grid = TheSpectrumValuesGrid();
  Type("S1");
  Key(VK_TAB);
  ASSERT_EQ(GetFocus(), grid.Window());
  Key(VK_TAB);
  Type("30");
  messages.clear();
  Key(VK_TAB);
  EXPECT_EQ(messages, std::vector<std::string>{"Value is required"});
  EXPECT_EQ(GetFocus(), grid.Window());
  EXPECT_EQ(grid.currentRow, 1);
  EXPECT_EQ(grid.currentColumn, 1);
  EXPECT_TRUE(Spectra()[0].points.empty());
  Type("5");
  Key(VK_TAB);
  Key(VK_TAB);
  EXPECT_EQ(GetFocus(), TheSpectraTable().Window());
  ASSERT_EQ(Spectra()[0].points.size(), 1u);
  EXPECT_EQ(Spectra()[0].points[0].x, 5.0f);
  EXPECT_EQ(Spectra()[0].points[0].y, 30.0f);
  // A time function's value typed on the entry row without its time is
  // dropped, as the points are kept, and the user told.
  Layout(252);
  PointsGrid& points = TheTimeFunctionsGrid();
  Type("F1");
  Key(VK_TAB);
  for (const char* typed : {"1", "10", "2", "20"}) {
    Type(typed);
    Key(points.currentColumn == 1 ? VK_TAB : VK_RETURN);
  }
  Key(VK_TAB);
  Type("30");
  messages.clear();
  Key(VK_TAB);
  EXPECT_EQ(GetFocus(), TheTimeFunctionsTable().Window());
  EXPECT_EQ(messages, std::vector<std::string>{"The point of row 3 was dropped: Time is required."});
  ASSERT_EQ(Functions()[0].points.size(), 2u);
  EXPECT_EQ(Functions()[0].points[1].y, 20.0f);
  // Points the grid only shows (an older model's, out of order) do not
  // keep the keyboard: leaving stores nothing.
  Spectra()[0].points = {{5.0f, 30.0f}, {1.0f, 1.0f}};
  Layout(251);
  Key(VK_TAB);
  ASSERT_EQ(GetFocus(), grid.Window());
  messages.clear();
  Key(VK_TAB);
  Key(VK_TAB);
  EXPECT_EQ(GetFocus(), TheSpectraTable().Window());
  EXPECT_TRUE(messages.empty());
}

TEST_F(PointTableRulesTest, LeavingTheSpectrumGridTakesTheKeyboardToTheRowAtFault) {
  // Three points, the first one's value cleared; Tab out of the third row
  // is refused and the keyboard goes to the first row's empty value.
  Spectra().insert(Spectra().begin(), Made("S1", {{1.0f, 0.5f}, {2.0f, 0.8f}, {3.0f, 0.3f}}));
  Layout(251);
  SpectrumValuesGrid& grid = TheSpectrumValuesGrid();
  Key(VK_TAB);
  ASSERT_EQ(GetFocus(), grid.Window());
  ASSERT_EQ(grid.currentRow, 1);
  Key(VK_TAB);
  ASSERT_EQ(grid.currentColumn, 2);
  Key(VK_HOME);
  for (int i = 0; i < 3; ++i) Key(VK_DELETE);  // "0.5"
  Key(VK_DOWN);
  Key(VK_DOWN);
  ASSERT_EQ(grid.currentRow, 3);
  ASSERT_EQ(grid.currentColumn, 2);
  messages.clear();
  Key(VK_TAB);
  EXPECT_EQ(messages, std::vector<std::string>{"Value is required"});
  EXPECT_EQ(GetFocus(), grid.Window());
  EXPECT_EQ(grid.currentRow, 1);
  EXPECT_EQ(grid.currentColumn, 2);
  ASSERT_EQ(Spectra()[0].points.size(), 3u);
  EXPECT_EQ(Spectra()[0].points[0].y, 0.5f);  // nothing stored
}

}  // namespace
