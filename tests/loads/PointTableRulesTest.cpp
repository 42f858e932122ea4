// The rules the names and points of response spectra, time functions and
// force spectra keep, held on every road they come by: a text file (a
// negative ordinate and a blank name refused, blanks around a name dropped
// so that an existing name is asked about), a spectrum library file (the
// text file's rules, each fault named with its spectrum, the model left as
// it was), and the values grids (a value without its abscissa refused or
// reported when the focus leaves, never stored or dropped unseen). A value
// is checked as kept (an old file's ordinate in g's converted), a line of
// numbers holds its numbers and nothing more, and a name no control
// character.
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "files/ModelFile.h"
#include "loads/ForceSpectraTable.h"
#include "loads/PairsGrid.h"
#include "loads/PointTablesTable.h"
#include "loads/PointsGrid.h"
#include "loads/PointTablesTesting.h"
#include "loads/SpectraTable.h"
#include "loads/SpectrumLibrary.h"
#include "loads/SpectrumValuesGrid.h"
#include "loads/TimeFunctionsTable.h"
#include "properties/SectionTestBytes.h"
#include "records/ForceSpectrum.h"
#include "records/Spectrum.h"
#include "records/TimeFunction.h"
#include "services/BinaryFile.h"
#include "services/NumberText.h"
#include "services/Settings.h"

namespace {

class PointTableRulesTest : public PointTablesFixture {
 protected:
  static SpectrumList& Spectra() { return TheModel().spectra; }
  static TimeFunctionList& Functions() { return TheModel().timeFunctions; }
  static ResponseSpectrum Made(const std::string& name, std::vector<FloatPair> points) {
    return ResponseSpectrum{name, 0, 0, 0, kOrdinateInch, std::move(points)};
  }
  static std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
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

TEST_F(PointTableRulesTest, AnOrdinateBeyondAFloatOnceConvertedIsRefusedByEveryReader) {
  // 1e36 g's is 3.864e38 in/sec2, above the largest float (3.40282e38);
  // 6.68e35 g's is 2.581e38 in/sec2, a float but above the limit of a
  // stored value (1E38), which the cell refuses; 2.5e35 g's is 9.66e37
  // in/sec2 and is kept.
  auto library = [this](float g) {
    section_test::ByteEmitter out;
    out.Text("QUORVELWSPE5100", 16).Int(1).Text("OBE", 32).Byte(0).Byte(0).Byte(0).Int(kOrdinateG);
    out.Pairs({{1.0f, 0.5f}, {10.0f, g}});
    section_test::WriteByteFile(Path("old.spe"), out.bytes);
    return Path("old.spe");
  };
  EXPECT_NEAR(ReadSpectrumLibraryFile(library(2.5e35f))[0].points[1].y, 9.66e37, 9.66e37 * 1e-6);
  for (const float g : {1.0e36f, 6.68e35f})
    try {
      ReadSpectrumLibraryFile(library(g));
      ADD_FAILURE() << "a library whose ordinate passes the limit was read";
    } catch (const std::string& message) {
      EXPECT_EQ(message, "Unable to read spectrum library:\n" + Path("old.spe") +
                             "\nSpectrum OBE, point 2: Invalid spectrum values" +
                             (g == 1.0e36f ? "" : ": a value is out of range (a value is zero, or from 1E-37 up to 1E38)"));
    }
  // The model file's spectra section of a file of version 510: refused, the
  // list as it was.
  auto section = [](float g) {
    section_test::ByteEmitter out;
    out.Int(1).Text("OBE", 32).Byte(0).Byte(0).Byte(0).Int(kOrdinateG).Pairs({{1.0f, 0.5f}, {10.0f, g}});
    out.Text("OBE", 32).Float(1.0f).Text("", 32).Float(1.0f).Text("", 32).Float(1.0f);
    return out.bytes;
  };
  SpectrumList list{Made("S2", {{1.0f, 3.0f}}), ResponseSpectrum{}};
  SpectrumLoad load;
  auto read = [&](BinaryFile& file) { ReadSpectraSection(file, 510, list, load); };
  EXPECT_EQ(section_test::ReadFromBytes(section(1.0e36f), read),
            "The file is damaged.\nSpectra: spectrum OBE, point 2: Invalid spectrum values");
  ASSERT_EQ(SpectrumCount(list), 1);
  EXPECT_EQ(list[0].name, "S2");
  EXPECT_EQ(load.name[0], "");
  EXPECT_EQ(section_test::ReadFromBytes(section(6.68e35f), read),
            "The file is damaged.\nSpectra: spectrum OBE, point 2: Invalid spectrum values: a value is out of range (a "
            "value is zero, or from 1E-37 up to 1E38)");
  EXPECT_EQ(section_test::ReadFromBytes(section(2.5e35f), read), "");
  EXPECT_NEAR(list[0].points[1].y, 9.66e37, 9.66e37 * 1e-6);
  // The text file, likewise.
  Layout(251);
  ReadText(250, "Read Spectrum from a Text File", "OBE\n0 4\n1 0.5\n10 1e36\n",
           {{{"Line 4: 10 1e36", "Invalid spectrum values",
              "Ordinate is out of range (a value is zero, or from 1E-37 up to 1E38)"},
             IDOK}});
  EXPECT_FALSE(HasSpectra(Spectra()));
}

// Values near zero and near the float limit, typed into a grid's cell and
// read from a text file, in pairs of one cell and its file: every pair
// agrees, and with the rule worked out by hand (the value stored, in
// internal units, is zero or from 1E-37 up to 1E38; an ordinate in g's is
// stored 386.4 times larger).
TEST_F(PointTableRulesTest, EdgeValuesAgreeBetweenTheCellsAndTheTextFiles) {
  const std::vector<std::string> values{"2E38", "1E38", "3.4E38", "1E39",  "9.9E37", "1E37",    "1E-37",
                                        "9.99E-38", "1E-38", "1E-40", "1E-45", "6.68E35", "2.5E35", "1E-39"};
  Functions().insert(Functions().begin(), TimeFunction{"F0", {}});
  TheModel().forceSpectra.insert(TheModel().forceSpectra.begin(), ForceSpectrum{"P0", {}});
  Spectra().insert(Spectra().begin(), ResponseSpectrum{"S0", 0, 0, 0, kOrdinateG, {}});
  const struct {
    int table, read, column;
    const char *title, *invalid, *field, *header;
    double factor;
  } roads[] = {
      {252, 222, 1, "Read Time function from a Text File", "Invalid time function values", "Time", "", 1.0},
      {252, 222, 2, "Read Time function from a Text File", "Invalid time function values", "Value", "", 1.0},
      {376, 250, 2, "Read Force Spectrum from a Text File", "Invalid force spectrum values", "Value", "", 1.0},
      {251, 250, 2, "Read Spectrum from a Text File", "Invalid spectrum values", "Ordinate", "0 4\n", 386.4},
  };
  int pairs = 0, agree = 0, named = 0;
  for (const auto& road : roads) {
    for (const std::string& value : values) {
      const double stored = std::strtod(value.c_str(), nullptr) * road.factor;
      const bool kept = std::fabs(stored) >= 1e-37 && std::fabs(stored) < 1e38;
      Layout(road.table);
      TableWindow& grid = road.table == 252   ? static_cast<TableWindow&>(TheTimeFunctionsGrid())
                          : road.table == 376 ? static_cast<TableWindow&>(TheForceSpectraGrid())
                                              : static_cast<TableWindow&>(TheSpectrumValuesGrid());
      // The grid shows the current record, whatever an earlier test of the
      // process left it showing.
      if (auto* pairs = dynamic_cast<PairsGrid*>(&grid)) pairs->Load(0);
      // The row holds a point before and after, so leaving it drops nothing.
      TypeCell(grid, 1, 3 - road.column, "1");
      TypeCell(grid, 1, road.column, "5");
      messages.clear();
      TypeCell(grid, 1, road.column, value);
      const bool cellKept = messages.empty();
      EXPECT_EQ(cellKept, kept) << road.field << " cell " << value;
      // The file's line, and what it is refused with when the rule says so.
      const std::string name = "T" + std::to_string(++named);
      const std::string line = road.column == 1 ? value + " 1" : "1 " + value;
      const int number = road.factor == 1.0 ? 2 : 3;
      std::vector<std::string> box{"Line " + std::to_string(number) + ": " + line, road.invalid,
                                   std::string(road.field) + " is out of range (a value is zero, or from 1E-37 up to 1E38)"};
      if (kept && road.table == 252) box = {"Time function was read from file: " + Path("read.txt")};
      if (kept && road.table == 376) box = {"Force spectrum  \"" + name + "\" was read", "From file: " + Path("read.txt")};
      if (kept && road.table == 251) box = {"Spectrum  \"" + name + "\" was read", "From file: " + Path("read.txt")};
      ReadText(road.read, road.title, name + "\n" + road.header + line + "\n", {{box, IDOK}});
      const bool fileKept = road.table == 252   ? FindPointTable(Functions(), name) >= 0
                            : road.table == 376 ? FindPointTable(TheModel().forceSpectra, name) >= 0
                                                : FindSpectrum(Spectra(), name) >= 0;
      ++pairs;
      agree += cellKept == fileKept;
      EXPECT_EQ(fileKept, kept) << road.field << " file " << value;
    }
  }
  EXPECT_EQ(agree, pairs);
  EXPECT_EQ(pairs, 56);
}

TEST_F(PointTableRulesTest, ALineOfNumbersHoldsItsNumbersAndNothingMore) {
  // A decimal comma would be read as the point (1, 0), text after a number
  // as the number before it.
  Layout(251);
  const std::string spectrum = "Read Spectrum from a Text File";
  for (const char* line : {"1 0,2", "1 0.2xyz", "1 0.2 99", "1,5 2"})
    ReadText(250, spectrum, std::string("S1\n0 4\n0.5 0.1\n") + line + "\n",
             {{{std::string("Line 4: ") + line, "Invalid spectrum values"}, IDOK}});
  ReadText(250, spectrum, "S1\n0 4 junk 9\n1 0.2\n", {{{"Line 2: 0 4 junk 9", "File does not have spectrum units"}, IDOK}});
  ReadText(250, spectrum, "S1\n0 4.5\n1 0.2\n", {{{"Line 2: 0 4.5", "File does not have spectrum units"}, IDOK}});
  EXPECT_FALSE(HasSpectra(Spectra()));
  EXPECT_FALSE(TheModel().modified);
  // Blanks and tabs after the numbers are no text.
  ReadText(250, spectrum, "S1\n0 4 \t\n1 0.2\t \n", {{{"Spectrum  \"S1\" was read", "From file: " + Path("read.txt")}, IDOK}});
  ASSERT_EQ(SpectrumCount(Spectra()), 1);
  EXPECT_NEAR(Spectra()[0].points[0].y, 0.2 * 386.4, 1e-4);
  TheModel().modified = false;
  Layout(252);
  const std::string functions = "Read Time function from a Text File";
  ReadText(222, functions, "F1\n0 1\n1 0,2\n", {{{"Line 3: 1 0,2", "Invalid time function values"}, IDOK}});
  ReadText(222, functions, "F1\n0 1\n-1.e11\nF2\n1 2\n2 -0.5e\n",
           {{{"Line 6: 2 -0.5e", "Invalid time function values"}, IDOK}});
  EXPECT_FALSE(HasTimeFunctions(Functions()));
  Layout(376);
  ReadText(250, "Read Force Spectrum from a Text File", "Slug\n1 1\n2 0.2 99\n",
           {{{"Line 3: 2 0.2 99", "Invalid force spectrum values"}, IDOK}});
  EXPECT_FALSE(HasForceSpectra(TheModel().forceSpectra));
  EXPECT_FALSE(TheModel().modified);
}

TEST_F(PointTableRulesTest, ANameHoldingAControlCharacterIsRefusedByItsLine) {
  // "OB", a zero byte, "E" would show as OB in every list, beside another
  // OB; the message shows the byte, so that it does not end there.
  using namespace std::string_literals;
  Layout(251);
  const std::string spectrum = "Read Spectrum from a Text File";
  ReadText(250, spectrum, "OB\0E\n0 4\n1 0.2\n"s,
           {{{"Line 1: OB<00>E", "A name may not hold a control character"}, IDOK}});
  ReadText(250, spectrum, "O\x01" "B\n0 4\n1 0.2\n",
           {{{"Line 1: O<01>B", "A name may not hold a control character"}, IDOK}});
  EXPECT_FALSE(HasSpectra(Spectra()));
  Layout(252);
  ReadText(222, "Read Time function from a Text File", "F1\n0 1\n-1.e11\nF\tX\n0 2\n",
           {{{"Line 4: F\tX", "A name may not hold a control character"}, IDOK}});
  EXPECT_FALSE(HasTimeFunctions(Functions()));
  Layout(376);
  ReadText(250, "Read Force Spectrum from a Text File", "S\0X\n1 1\n"s,
           {{{"Line 1: S<00>X", "A name may not hold a control character"}, IDOK}});
  EXPECT_FALSE(HasForceSpectra(TheModel().forceSpectra));
  EXPECT_FALSE(TheModel().modified);
  // Nor does a name typed or pasted into a table's cell.
  Layout(251);
  messages.clear();
  TypeCell(TheSpectraTable(), 1, 1, "O\x01" "B");
  EXPECT_EQ(messages, std::vector<std::string>{"Spectrum =  O<01>B  may not hold a control character"});
  EXPECT_TRUE(Spectra()[0].name.empty());
  Layout(252);
  messages.clear();
  TypeCell(TheTimeFunctionsTable(), 1, 1, "F\tX");
  EXPECT_EQ(messages, std::vector<std::string>{"Time function =  F<09>X  may not hold a control character"});
  EXPECT_TRUE(Functions()[0].name.empty());
  EXPECT_FALSE(TheModel().modified);
  // A library's name field ends at its zero, and may hold no other control
  // character.
  EXPECT_EQ(LibraryRefusal({Made("S1", {}), Made("O\x7f" "B", {})}),
            "Unable to read spectrum library:\n" + Path("rules.spe") +
                "\nSpectrum number 2: A name may not hold a control character");
}

TEST_F(PointTableRulesTest, AModelFileRefusesWhatOnlyDamageMakesAndNotesWhatOlderFilesHold) {
  // What no road of any version stored: the file is refused, by its table
  // and point; a save that would write it keeps the file before.
  Model& model = TheModel();
  const std::string path = Path("rules.mod");
  WriteText(path, "before");
  auto refusal = [&](const std::string& reason) {
    return "The model file written could not be read back:\nThe file is damaged.\n" + reason +
           "\nThe model was not saved.";
  };
  Functions().insert(Functions().begin(), TimeFunction{"F1", {{0.1f, 1.0f}, {0.05f, 2.0f}}});
  EXPECT_EQ(WriteModelFileFrom(model, path),
            refusal("Time functions: time function F1, point 2: the time is not above that of point 1"));
  Functions()[0].points = {{1.0e-9f, 1.0f}, {5.0e-9f, 2.0f}};  // 4e-9 apart: one of them would be dropped
  EXPECT_EQ(WriteModelFileFrom(model, path),
            refusal("Time functions: time function F1, point 2: the time is not above that of point 1"));
  Functions()[0].points = {{-0.1f, 1.0f}};
  EXPECT_EQ(WriteModelFileFrom(model, path), refusal("Time functions: time function F1, point 1: Time should be positive"));
  Functions()[0].points = {{0.1f, -1.0f}};  // a negative value is a time function's own
  model.forceSpectra.insert(model.forceSpectra.begin(), ForceSpectrum{"Slug", {{1.0f, 2.0f}, {2.0f, -1.0f}}});
  EXPECT_EQ(WriteModelFileFrom(model, path),
            refusal("Force spectra: force spectrum Slug, point 2: Spectrum value should be positive"));
  model.forceSpectra[0].points = {{0.0f, 5.0f}, {2.0f, 1.0f}};
  Spectra().insert(Spectra().begin(), Made("S1", {{-1.0f, 2.0f}}));
  EXPECT_EQ(WriteModelFileFrom(model, path), refusal("Spectra: spectrum S1, point 1: Invalid spectrum values"));
  EXPECT_EQ(FileText(path), "before");
  // What older readers and grids took: the model opens with a note of each,
  // and the lookup refuses a spectrum whose points break the rules rather
  // than read them as if they kept them.
  Spectra()[0].points = {{1.0f, 2.0f}, {2.0f, -1.0f}};
  Spectra().insert(Spectra().end() - 1, Made(" S3 ", {{2.0f, 1.0f}, {1.0f, 1.0f}}));
  Functions().insert(Functions().end() - 1, TimeFunction{"F\x01X", {{1.0f, 1.0f}}});
  Functions().insert(Functions().end() - 1, TimeFunction{"F1", {{1.0f, 1.0f}}});
  ASSERT_EQ(WriteModelFileFrom(model, path), "");
  Model read;
  std::vector<std::string> notes;
  ReadModelFileInto(path, read, &notes);
  EXPECT_EQ(notes, (std::vector<std::string>{
                       "Spectra: spectrum \"S1\", point 2: Spectrum value should be positive; the analysis "
                       "refuses the spectrum until it is mended",
                       "Spectra: spectrum \" S3 \": its name has blanks around it",
                       "Spectra: spectrum \" S3 \", point 2: Spectrum abscissas must ascend; the analysis refuses "
                       "the spectrum until it is mended",
                       "Force spectra: force spectrum \"Slug\", point 1: a value at frequency 0, which the analysis "
                       "takes; an edit of the points drops it (Frequency is required)",
                       "Time functions: time function \"F<01>X\": its name holds a control character",
                       "Time functions: time function \"F1\": the name is given twice; only the first of that name "
                       "is used"}));
  ASSERT_EQ(SpectrumCount(read.spectra), 2);
  EXPECT_EQ(read.spectra[1].name, " S3 ");
  EXPECT_EQ(read.spectra[1].points[1].x, 1.0f);
  SpectrumLoad load;
  load.name = {"S1", "", " S3 "};
  for (int direction : {0, 2})
    try {
      SpectrumValue(read.spectra, load, 10.0, direction, false);
      ADD_FAILURE() << "the lookup read a spectrum whose points break the rules";
    } catch (const std::string& message) {
      EXPECT_EQ(message, direction == 0 ? "Spectrum S1, point 2: Spectrum value should be positive"
                                        : "Spectrum  S3 , point 2: Spectrum abscissas must ascend");
    }
}

TEST_F(PointTableRulesTest, AByteOrderMarkIsNoPartOfANameAndACharacterTheModelCannotHoldIsNamed) {
  const std::string mark = "\xEF\xBB\xBF";
  Layout(251);
  ReadText(250, "Read Spectrum from a Text File", mark + "OBE\n0 2\n1 2\n",
           {{{"Spectrum  \"OBE\" was read", "From file: " + Path("read.txt")}, IDOK}});
  ASSERT_EQ(SpectrumCount(Spectra()), 1);
  EXPECT_EQ(Spectra()[0].name, "OBE");
  // "中" (U+4E2D) has no Windows-1252 byte: named, not kept as "?".
  ReadText(250, "Read Spectrum from a Text File", "S\xE4\xB8\xAD\n0 2\n1 2\n",
           {{{"Line 1: S?", "The character U+4E2D cannot be kept in the model (Windows-1252 lacks it)"}, IDOK}});
  EXPECT_EQ(SpectrumCount(Spectra()), 1);
  Layout(252);
  ReadText(222, "Read Time function from a Text File", mark + "F1\n0 1\n",
           {{{"Time function was read from file: " + Path("read.txt")}, IDOK}});
  EXPECT_EQ(Functions()[0].name, "F1");
  ReadText(222, "Read Time function from a Text File", "F2\n0 1\n-1.e11\nF\xE2\x82\xAC\xE2\x86\x92\n0 2\n",
           {{{"Line 4: F\x80?", "The character U+2192 cannot be kept in the model (Windows-1252 lacks it)"}, IDOK}});
  EXPECT_EQ(SavedPointTableCount(Functions()), 1u);
}

TEST_F(PointTableRulesTest, AModelFileRefusesAValueBeyondTheLimitAndMendsOneBelowTheLeast) {
  // 2E38 no cell stores: only damage brings it, and the file is refused by
  // its table and point; Save writes no such model. 1E-40 an older text
  // reader kept as the line spelled it (Save refuses it too): it is read as
  // the typed zero, with a note, and the model differs from its file.
  Model& model = TheModel();
  const std::string path = Path("edges.mod");
  Functions().insert(Functions().begin(), TimeFunction{"F1", {{1.0f, 2.0e38f}}});
  EXPECT_EQ(WriteModelFileFrom(model, path),
            "Time function F1, point 1: the value 2E+38 is out of range (a value is zero, or from 1E-37 up to "
            "1E38)\nThe model was not saved.");
  Functions()[0].points = {{1.0e-40f, 2.0f}, {1.0f, 9.99e-38f}};
  Spectra().insert(Spectra().begin(), Made("S1", {{1.0f, 1.0e-45f}}));
  EXPECT_EQ(WriteModelFileFrom(model, path).rfind("Spectrum S1, point 1: the value 1.401E-45 is out of range", 0), 0u);
  BinaryFile file;
  ASSERT_TRUE(BinaryFileOpenWrite(file, path));
  WriteModelStream(file, model);
  ASSERT_TRUE(BinaryFileClose(file));
  Model read;
  std::vector<std::string> notes;
  ReadModelFileInto(path, read, &notes);
  ASSERT_EQ(notes.size(), 3u);
  EXPECT_EQ(notes[1], "Time functions: time function \"F1\", point 1: the time 1E-40 is below 1E-37, the least a "
                      "value may be but zero, and is taken as 0");
  for (const float mended : {read.timeFunctions[0].points[0].x, read.timeFunctions[0].points[1].y,
                             read.spectra[0].points[0].y})
    EXPECT_EQ(mended, kExplicitZero);
  EXPECT_TRUE(read.modified);
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
