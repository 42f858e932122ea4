// Force spectra as a user meets them: the text files the import reads or
// refuses with their lines; the Force Spectrums table from Misc > Force
// spectrums with its File items (Convert only while time functions exist),
// a file read, an existing name asked about and a bad file refused with
// the spectra left as they were, the values grid (two-line
// headings, a typed 0 kept, negative values refused, 10 Hz and
// 10.000000001 Hz reduced to the first with a message), the export, a
// rename the force spectrum loads follow and Delete refusing a spectrum in
// use; a time function converted through CONVERT_TIME_FUNCTION and its
// progress dialog, refusals first; the relief valve pulse made into a
// spectrum and a time function from the Layout window; the report section.
#include <string>
#include <vector>

#include "loads/ForceSpectraTable.h"
#include "loads/ForceSpectrumFiles.h"
#include "loads/ForceSpectrumLoad.h"
#include "loads/PointTablesTable.h"
#include "loads/PointTablesTesting.h"
#include "model/RowOperations.h"
#include "platform/Menu.h"
#include "records/ForceSpectrum.h"
#include "records/PointTables.h"
#include "records/TimeFunction.h"
#include "services/ListFrameState.h"
#include "services/Message.h"
#include "services/NumberText.h"

namespace {

class ForceSpectraTest : public PointTablesFixture {
 protected:
  static PointTablesTable& Table() { return TheForceSpectraTable(); }
  static PointsGrid& Grid() { return TheForceSpectraGrid(); }
  static ForceSpectrumList& Spectra() { return TheModel().forceSpectra; }
  // A text file read by the command as the user reads one, into an empty
  // list: the open dialog answered with the file, and the message it shows
  // then (the refusal's lines, or the spectrum's name and the file) checked.
  // True when the spectrum was read.
  bool ReadText(const std::string& text, const std::vector<std::string>& box) {
    ClearForceSpectra(Spectra());
    const std::string path = Path("spectrum.txt");
    WriteText(path, text);
    ChooseFile("Read Force Spectrum from a Text File", path);
    ExpectBox(box);
    const bool read = ReadForceSpectrumFromTextFile(ListFrame().window, 0);
    platform::CheckModalScript();
    return read;
  }
  // The text refused with `message`, the list left empty.
  void ExpectRefused(const std::string& text, const std::string& message) {
    EXPECT_FALSE(ReadText(text, MessageLines(message))) << text;
    EXPECT_FALSE(HasForceSpectra(Spectra())) << text;
  }
  // The text read as the spectrum `name`: the spectrum placed.
  const ForceSpectrum& ExpectRead(const std::string& text, const std::string& name) {
    EXPECT_TRUE(ReadText(text, {"Force spectrum  \"" + name + "\" was read", "From file: " + Path("spectrum.txt")}));
    EXPECT_EQ(SavedPointTableCount(Spectra()), 1u);
    return Spectra().front();
  }
  static void RefusedOk(HWND dialog, const std::string& line) {
    ExpectBox({line});
    Press(dialog, IDOK);
    EXPECT_TRUE(IsWindowVisible(dialog));
  }
  // The progress dialog runs the conversion itself once it is shown.
  static void ExpectProgress() {
    Expect("CONVERT_PROGRESS", [](HWND dialog) {
      EXPECT_EQ(TextOf(dialog), "Converting time function");
      platform::RunUntilIdle();
    });
  }
};

TEST_F(ForceSpectraTest, TheFilesReadAndEveryFaultWithItsLine) {
  const ForceSpectrum& read = ExpectRead("Slug at elbow E-4 of the steam line to the turbine\n0 5\n\n12.5 0.75\n",
                                         "Slug at elbow E-4 of the steam");  // cut to 31, the blank at the cut gone
  EXPECT_EQ(read.name, "Slug at elbow E-4 of the steam");
  ASSERT_EQ(read.points.size(), 2u);
  EXPECT_EQ(read.points[0].x, kExplicitZero);
  EXPECT_EQ(read.points[0].y, 5.0f);
  EXPECT_EQ(read.points[1].x, 12.5f);
  ExpectRefused("", "End of file reached");
  ExpectRefused("\n1 2\n", "File does not have force spectrum name");
  ExpectRefused("S\n", "There are no force spectrum data points");
  ExpectRefused("S\n\n   \n", "There are no force spectrum data points");
  ExpectRefused("S\n10 -1\n", "Line 2: 10 -1\nSpectrum value should be positive");
  ExpectRefused("S\n1 1\n-10 1\n", "Line 3: -10 1\nFrequency should be positive");
  ExpectRefused("S\n1 1\n\n10\n", "Line 4: 10\nInvalid force spectrum values");
  ExpectRefused("S\n10 1\n10.000000001 2\n", "Line 3: 10.000000001 2\nThe frequency of line 2 is given again");
  // Values too small for a float (or below 1E-37) are refused as the cells
  // refuse them; a typed 0 is kept, and a second zero is refused.
  const std::string range = " is out of range (a value is zero, or from 1E-37 up to 1E38)";
  ExpectRefused("S\n1e-50 2e-322\n3 4\n", "Line 2: 1e-50 2e-322\nInvalid force spectrum values\nFrequency" + range);
  ExpectRefused("S\n1 2e-322\n3 4\n", "Line 2: 1 2e-322\nInvalid force spectrum values\nValue" + range);
  const ForceSpectrum& zeros = ExpectRead("S\n0 0\n3 4\n", "S");
  ASSERT_EQ(zeros.points.size(), 2u);
  EXPECT_EQ(zeros.points[0].x, kExplicitZero);
  EXPECT_EQ(zeros.points[0].y, kExplicitZero);
  ExpectRefused("S\n0 1\n0.0 2\n", "Line 3: 0.0 2\nThe frequency of line 2 is given again");
}

TEST_F(ForceSpectraTest, ReadTheGridAndTheMenus) {
  Layout(376);
  ASSERT_EQ(CurrentListOpener(), &OpenForceSpectraTable);
  EXPECT_TRUE(FileMenuHas(250));
  EXPECT_FALSE(FileMenuHas(377));  // no time function to convert
  EXPECT_TRUE(FileMenuHas(351));
  EXPECT_EQ(g_CsvExportDefaultName, "ForceSpectrums.csv");
  const std::string path = Path("slug.txt");
  WriteText(path, "Slug\n0 5\n10 0.8\n33 0.3\n");
  ChooseFile("Read Force Spectrum from a Text File", path);
  ExpectBox({"Force spectrum  \"Slug\" was read", "From file: " + path});
  List(250);
  ASSERT_TRUE(HasForceSpectra(Spectra()));
  EXPECT_EQ(Spectra()[0].points.size(), 3u);
  EXPECT_EQ(Table().rowCount, 2);
  EXPECT_TRUE(TheModel().modified);
  // Read again: the question; No keeps the spectrum.
  WriteText(path, "Slug\n1 1\n");
  ChooseFile("Read Force Spectrum from a Text File", path);
  ExpectBox({"The force spectrum in the file:  \"Slug\"  is already defined.",
             "Do you want to overwrite the force spectrum ?"},
            IDCANCEL);
  List(250);
  EXPECT_EQ(Spectra()[0].points.size(), 3u);
  // A file of the same name with a bad last line: refused with its line
  // before anything is asked or changed.
  TheModel().modified = false;
  const int depth = UndoDepth();
  WriteText(path, "Slug\n1 1\n2 2\n3 -3\n");
  ChooseFile("Read Force Spectrum from a Text File", path);
  ExpectBox({"Line 4: 3 -3", "Spectrum value should be positive"});
  List(250);
  ASSERT_EQ(Spectra().size(), 2u);
  ASSERT_EQ(Spectra()[0].points.size(), 3u);
  EXPECT_EQ(Spectra()[0].points[1].y, 0.8f);
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(UndoDepth(), depth);

  // The grid.
  TableGoTo(Table(), 1);
  platform::RunUntilIdle();
  ASSERT_EQ(TableOfWindow(ListTableWindow(1)), &Grid());
  EXPECT_EQ(Grid().HeadingText(1, 0), "Frequency");
  EXPECT_EQ(Grid().HeadingText(1, 1), "(Hz)");
  EXPECT_EQ(Grid().HeadingText(2, 1), "value");
  EXPECT_EQ(Grid().rowCount, 4);
  messages.clear();
  TypeCell(Grid(), 4, 2, "-1");
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), "Spectrum value =  -1  is invalid");
  // 10 Hz again, a hair above: the first kept, the user told.
  messages.clear();
  TypeCell(Grid(), 4, 1, "10.000000001");
  TypeCell(Grid(), 4, 2, "9");
  SetFocus(Table().Window());
  platform::RunUntilIdle();
  ASSERT_EQ(Spectra()[0].points.size(), 3u);
  EXPECT_FLOAT_EQ(Spectra()[0].points[1].y, 0.8f);
  ASSERT_FALSE(messages.empty());
  EXPECT_NE(messages.back().find("The point of row 4 was dropped: its Frequency 10"), std::string::npos);
  // The point at 0 deleted through the List window's Delete (the grid has
  // the focus), then typed again: kept as the explicit zero, first.
  TableGoTo(Table(), 1);
  platform::RunUntilIdle();
  SetFocus(Grid().Window());
  TableGoTo(Grid(), 1);
  List(126);
  EXPECT_EQ(Grid().rowCount, 3);
  TypeCell(Grid(), 3, 1, "0");
  TypeCell(Grid(), 3, 2, "7");
  EXPECT_EQ(Grid().CellText(3, 1, 0), "0");
  SetFocus(Table().Window());
  platform::RunUntilIdle();
  ASSERT_EQ(Spectra()[0].points.size(), 3u);
  EXPECT_EQ(Spectra()[0].points[0].x, kExplicitZero);
  EXPECT_EQ(Spectra()[0].points[0].y, 7.0f);

  // The export.
  const std::string csv = Path("ForceSpectrums.csv");
  ChooseFile("Export to Comma Separated Values file", csv);
  List(351);
  std::ifstream exported(csv, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(exported)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "Force spectrum = ,Slug\r\nFrequency(Hz),Spectrum value\r\n0,7\r\n10,0.8\r\n33,0.3\r\n\r\n");
}

TEST_F(ForceSpectraTest, RenameDeleteConvertReliefAndReport) {
  Model& model = TheModel();
  SetLastTimeFunction(model.timeFunctions, "Step", {{kExplicitZero, 1000.0f}});
  SetLastTimeFunction(model.timeFunctions, "Empty", {});
  model.forceSpectra.insert(model.forceSpectra.begin(), NamedPoints{"Slug", {{1.0f, 2.0f}}});
  auto& load = static_cast<ForceSpectrumLoad&>(*SetDataType(model, 3, DataType::ForceSpectrumLoad));
  load.Direction = 1;
  load.SpectrumName = "Slug";
  MakeModel(model);
  Layout(376);
  EXPECT_TRUE(FileMenuHas(377));
  // Renamed after the question; the load follows. In use: not deleted.
  ExpectBox({"Do you want to change Force spectrum name", "from  \"Slug\"  to  \"SLUG 2\" ?"}, IDOK);
  TypeCell(Table(), 1, 1, "SLUG 2");
  EXPECT_EQ(load.SpectrumName, "SLUG 2");
  messages.clear();
  TableGoTo(Table(), 1);
  List(126);
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), "Force spectrum SLUG 2 is in use, it cannot be deleted");

  // Convert: refusals first, then the step at 5 frequencies up to 25 Hz.
  TableGoTo(Table(), 2);  // the spare row
  Expect("CONVERT_TIME_FUNCTION", [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1301), "Step");  // the first function's name
    SendDlgItemMessage(dialog, 1201, CB_SETCURSEL, 1, 0);
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1201, CBN_SELENDOK), 0);
    EXPECT_EQ(Field(dialog, 1301), "Empty");
    RefusedOk(dialog, "The time function does not have any values");
    SendDlgItemMessage(dialog, 1201, CB_SETCURSEL, 0, 0);
    SetField(dialog, 1301, "");
    RefusedOk(dialog, "Force spectrum name is required");
    SetField(dialog, 1301, "SLUG 2");
    ExpectBox({"The force spectrum :  \"SLUG 2\"  is already defined.", "Do you want to overwrite the force spectrum ?"},
              IDCANCEL);
    Press(dialog, IDOK);
    EXPECT_TRUE(IsWindowVisible(dialog));
    SetField(dialog, 1301, "Step spectrum");
    RefusedOk(dialog, "Maximum frequency is required");
    SetField(dialog, 1302, "0");
    RefusedOk(dialog, "Maximum frequency =  0  is invalid");
    SetField(dialog, 1302, "25");
    SetField(dialog, 1303, "0");
    RefusedOk(dialog, "Number of frequencies =  0  is invalid");
    SetField(dialog, 1303, "5");
    SetField(dialog, 1304, "100");
    RefusedOk(dialog, "Damping =  100  is invalid");
    SetField(dialog, 1304, "");
    ExpectProgress();
    Press(dialog, IDOK);
  });
  const int depth = UndoDepth();
  List(377);
  platform::CheckModalScript();
  const int made = FindForceSpectrum(Spectra(), "Step spectrum");
  ASSERT_EQ(made, 1);
  const std::vector<FloatPair>& points = Spectra()[static_cast<std::size_t>(made)].points;
  ASSERT_EQ(points.size(), 6u);
  EXPECT_FLOAT_EQ(points[5].x, 25.0f);
  EXPECT_NEAR(points[5].y, 2000.0f, 2.0f);
  EXPECT_EQ(UndoDepth(), depth + 1);
  EXPECT_EQ(Table().rowCount, 3);
  // The settings are offered again.
  Expect("CONVERT_TIME_FUNCTION", [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1302), "25");
    EXPECT_EQ(Field(dialog, 1303), "5");
    Press(dialog, IDCANCEL);
  });
  List(377);

  // The relief valve: a spectrum and a time function of its name.
  Expect("RELIEF_VALVE_LOADING", [](HWND dialog) {
    SetField(dialog, 1301, "5000");
    SetField(dialog, 1302, "0.01");
    SetField(dialog, 1303, "0.02");
    RefusedOk(dialog, "Relief duration is required");
    SetField(dialog, 1304, "-1");
    RefusedOk(dialog, "Relief duration =  -1  is invalid");
    SetField(dialog, 1304, "0.5");
    SetField(dialog, 1305, "Step");
    ExpectBox({"The time function :  \"Step\"  is already defined.", "Do you want to overwrite the time function ?"},
              IDCANCEL);
    Press(dialog, IDOK);
    EXPECT_TRUE(IsWindowVisible(dialog));
    SetField(dialog, 1305, "RV-101");
    ExpectProgress();
    Press(dialog, IDOK);
  });
  Layout(397);
  platform::CheckModalScript();
  const int pulse = FindTimeFunction(model.timeFunctions, "RV-101");
  ASSERT_GE(pulse, 0);
  EXPECT_EQ(model.timeFunctions[static_cast<std::size_t>(pulse)].points.size(), 4u);
  EXPECT_FLOAT_EQ(TimeFunctionDuration(model.timeFunctions, static_cast<std::size_t>(pulse)), 0.53f);
  const int relief = FindForceSpectrum(Spectra(), "RV-101");
  ASSERT_GE(relief, 0);
  EXPECT_EQ(Spectra()[static_cast<std::size_t>(relief)].points.size(), 6u);

  // The report section as text and as comma-separated lines.
  const std::vector<std::string> lines = Report(PrintForceSpectra);
  ASSERT_GE(lines.size(), 5u);
  EXPECT_NE(lines[1].find("Force spectrum = SLUG 2"), std::string::npos);
  EXPECT_EQ(lines[3], "     Frequencey (Hz)      Value");
  EXPECT_EQ(lines[4], "         1                2");
  const std::vector<std::string> cells = Report(PrintForceSpectra, true);
  ASSERT_GE(cells.size(), 3u);
  EXPECT_EQ(cells[0], "Force spectrum = SLUG 2,");
  EXPECT_EQ(cells[1], "Frequencey (Hz),Value,");
  EXPECT_EQ(cells[2], "1,2,");
}

}  // namespace
