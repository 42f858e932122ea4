// Soils through the program: Misc > Soils opening the Soils list on an
// empty table and the soil dialog refusing every bad field in order with
// the record left as it was; the type radios; a delta of 0 kept as given; a
// rename following into the sections after one question (declined, then
// accepted); the list offered in the list menu, refused without a piping
// code, and its Enter, Insert and Delete with their refusals; the
// text and comma-separated reports with the buried sections, the list
// printed from the List window to a PDF; the dialog read-only while
// results are shown; and a soil
// written to a model file and read back.
#include "properties/PropertyUiTesting.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "files/ModelFile.h"
#include "platform/CommonDialog.h"
#include "platform/PropertySheet.h"
#include "printing/ReportOutput.h"
#include "properties/SoilsTable.h"
#include "results/PrintSelection.h"
#include "services/ErrorRecords.h"
#include "services/General.h"
#include "services/ListFrameState.h"
#include "services/NumberText.h"
#include "services/TempFiles.h"
#include "services/Units.h"

namespace {

namespace fs = std::filesystem;

constexpr float kDegree = 0.017453292f;

std::string Trimmed(std::string text) {
  TrimBlanks(text);
  return text;
}

class SoilUiTest : public PropertyUiFixture {
 protected:
  void SetUp() override {
    PropertyUiFixture::SetUp();
    folder_ = fs::path(TempFolder()) / "soil-ui";
    fs::create_directories(folder_);
    TheModel().options.PipingCode = 3;
  }
  void TearDown() override {
    SetTableResultsShown(false);
    fs::remove_all(folder_);
    PropertyUiFixture::TearDown();
  }
  static Soil Sand() {
    Soil s;
    s.name = "SD";
    s.density = 120.0f / 1728.0f;
    s.delta = 30.0f * kDegree;
    s.Ks = 0.7f;
    s.groundLevel = 42.375f;
    return s;
  }
  static Soil Clay() {
    Soil s;
    s.name = "CL";
    s.type = kSoilCohesive;
    s.density = 110.0f / 1728.0f;
    s.strength = 10.0f;
    return s;
  }
  static void Answer(int button) {
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG",
                          [button](HWND box) { SendMessage(box, WM_COMMAND, button, 0); });
  }
  static void ClickRadio(HWND dialog, int item) {
    CheckRadioButton(dialog, 1401, 1402, item);
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(item, BN_CLICKED), 0);
  }
  static bool Enabled(HWND dialog, int item) { return IsWindowEnabled(GetDlgItem(dialog, item)) != FALSE; }
  // Opens the Soils list through Misc > Soils and edits the row through
  // the List frame's Edit command.
  static void EditRow(int row) {
    LayoutCommand(354);
    TableGoTo(TheSoilsTable(), row);
    SetFocus(ListTableWindow(0));
    SendMessage(ListFrame().window, WM_COMMAND, 113, 0);
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }
  std::vector<std::string> Report(const std::function<void()>& write, bool csv) {
    const fs::path path = folder_ / (csv ? "report.csv" : "report.txt");
    EXPECT_TRUE(ReportOpenFile(nullptr, path.string()));
    write();
    EXPECT_TRUE(ReportCloseFile());
    std::ifstream file(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    return lines;
  }
  fs::path folder_;
};

TEST_F(SoilUiTest, MiscSoilsOpensTheListAndTheDialogRefusesEachBadFieldInOrder) {
  const Model& model = TheModel();
  platform::ExpectModal(platform::ModalKind::Dialog, "SOIL_DIALOG", [&model](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Soil # 1");
    // A new soil is cohesionless: delta and Ks open, the strength closed.
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1402), BST_CHECKED);
    EXPECT_TRUE(Enabled(dialog, 1304) && Enabled(dialog, 1305));
    EXPECT_FALSE(Enabled(dialog, 1303) || Enabled(dialog, 1503));
    EXPECT_EQ(Field(dialog, 1602), UnitLabel(kUnitInsulationDensity));
    EXPECT_EQ(Field(dialog, 1606), UnitLabel(kUnitLength));
    ExpectRefusal(dialog, "Name is required");
    SetDlgItemText(dialog, 1301, "A*");
    ExpectRefusal(dialog, "Name =  A*  should be alpha numeric");
    SetDlgItemText(dialog, 1301, "SD");
    ExpectRefusal(dialog, "Density is required");
    SetDlgItemText(dialog, 1302, "0");
    ExpectRefusal(dialog, "Density =  0  is invalid");
    SetDlgItemText(dialog, 1302, "120");
    ExpectRefusal(dialog, "Delta is required");
    SetDlgItemText(dialog, 1304, "75.1");
    ExpectRefusal(dialog, "Delta =  75.1  is invalid");
    SetDlgItemText(dialog, 1304, "-1");
    ExpectRefusal(dialog, "Delta =  -1  is invalid");
    SetDlgItemText(dialog, 1304, "75");
    ExpectRefusal(dialog, "Ks is required");
    SetDlgItemText(dialog, 1305, "-0.7");
    ExpectRefusal(dialog, "Ks =  -0.7  is invalid");
    SetDlgItemText(dialog, 1305, "0.7");
    SetDlgItemText(dialog, 1306, "abc");
    ExpectRefusal(dialog, "Ground level =  abc  is invalid");
    // Cohesive: delta and Ks emptied and closed, the strength required.
    ClickRadio(dialog, 1401);
    EXPECT_EQ(Field(dialog, 1304), "");
    EXPECT_EQ(Field(dialog, 1305), "");
    EXPECT_FALSE(Enabled(dialog, 1304) || Enabled(dialog, 1305) || Enabled(dialog, 1505));
    EXPECT_TRUE(Enabled(dialog, 1303));
    SetDlgItemText(dialog, 1306, "");
    ExpectRefusal(dialog, "Strength is required");
    SetDlgItemText(dialog, 1303, "0");
    ExpectRefusal(dialog, "Strength =  0  is invalid");
    // Every refusal left the record as it was.
    EXPECT_EQ(model.soils[1].name, "");
    EXPECT_EQ(model.soils[1].density, 0.0f);
    ClickRadio(dialog, 1402);
    EXPECT_EQ(Field(dialog, 1303), "");
    SetDlgItemText(dialog, 1304, "75");
    SetDlgItemText(dialog, 1305, "0.7");
    SetDlgItemText(dialog, 1306, Trimmed(FormatLength(42.375f)).c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EditRow(1);
  EXPECT_EQ(CurrentListOpener(), &OpenSoilsTable);
  ASSERT_EQ(model.soils.count, 1);
  const Soil& s = model.soils[1];
  EXPECT_EQ(s.name, "SD");
  EXPECT_EQ(s.type, kSoilCohesionless);
  EXPECT_NEAR(s.density, 120.0 / 1728.0, 1e-7);
  EXPECT_NEAR(s.delta, 75.0 * kDegree, 1e-6);
  EXPECT_FLOAT_EQ(s.Ks, 0.7f);
  EXPECT_EQ(s.strength, 0.0f);
  EXPECT_NEAR(s.groundLevel, 42.375f, 1e-3);
  EXPECT_TRUE(model.modified);
  EXPECT_EQ(TheSoilsTable().CellText(1, 2, 0), "Cohesionless");
  EXPECT_EQ(TheSoilsTable().CellText(1, 4, 0), "");
}

TEST_F(SoilUiTest, AZeroDeltaIsKeptAsGivenAndACohesiveSoilKeepsOnlyItsStrength) {
  Model& model = TheModel();
  AppendSoil(model.soils, Sand());
  AppendSoil(model.soils, Sand());
  model.soils[2].name = "S2";
  platform::ExpectModal(platform::ModalKind::Dialog, "SOIL_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Soil # 1");
    EXPECT_EQ(Field(dialog, 1301), "SD");
    EXPECT_EQ(Field(dialog, 1305), FormatFixedWidth(0.7, 10, 2));
    SetDlgItemText(dialog, 1304, "0");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EditRow(1);
  EXPECT_EQ(model.soils[1].delta, 1.0e-36f);
  EXPECT_NE(TheSoilsTable().CellText(1, 5, 0), "");
  platform::ExpectModal(platform::ModalKind::Dialog, "SOIL_DIALOG", [](HWND dialog) {
    ClickRadio(dialog, 1401);
    SetDlgItemText(dialog, 1303, "10");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EditRow(2);
  const Soil& clay = model.soils[2];
  EXPECT_EQ(clay.type, kSoilCohesive);
  EXPECT_FLOAT_EQ(clay.strength, 10.0f);
  EXPECT_EQ(clay.delta, 0.0f);
  EXPECT_EQ(clay.Ks, 0.0f);
  SoilsTable& table = TheSoilsTable();
  EXPECT_EQ(table.CellText(2, 2, 0), "Cohesive");
  EXPECT_EQ(table.CellText(2, 5, 0), "");
  EXPECT_EQ(table.CellText(2, 6, 0), "");
  EXPECT_EQ(Trimmed(table.CellText(2, 4, 0)), Trimmed(FormatStress(10.0f)));
  // The cohesive soil opens with its strength and delta and Ks closed.
  platform::ExpectModal(platform::ModalKind::Dialog, "SOIL_DIALOG", [](HWND dialog) {
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1401), BST_CHECKED);
    EXPECT_FALSE(Enabled(dialog, 1304));
    EXPECT_EQ(Field(dialog, 1303), FormatStress(10.0f));
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  model.modified = false;
  EditRow(2);
  EXPECT_FALSE(model.modified);
}

TEST_F(SoilUiTest, ARenameFollowsIntoTheSectionsAfterOneQuestion) {
  Model& model = TheModel();
  AppendSoil(model.soils, Sand());
  AppendSoil(model.soils, Clay());
  PipeSection other = model.sections[1];
  other.name = "S6";
  AppendSection(model.sections, other);
  model.sections[1].soil = "SD";
  model.sections[2].soil = "SD";
  platform::ExpectModal(platform::ModalKind::Dialog, "SOIL_DIALOG", [&model](HWND dialog) {
    SetDlgItemText(dialog, 1301, "CL");
    ExpectRefusal(dialog, "Soil =  CL  is already defined");
    SetDlgItemText(dialog, 1301, "GR");
    Answer(IDCANCEL);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(Field(dialog, 1301), "SD");  // declined: the old name is back
    EXPECT_EQ(model.sections[1].soil, "SD");
    SetDlgItemText(dialog, 1301, "GR");
    Answer(IDOK);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EditRow(1);
  EXPECT_EQ(model.soils[1].name, "GR");
  EXPECT_EQ(model.sections[1].soil, "GR");
  EXPECT_EQ(model.sections[2].soil, "GR");
  EXPECT_EQ(model.soils[2].name, "CL");
}

TEST_F(SoilUiTest, TheListRefusesAnUnnamedEntryAndASoilInUse) {
  Model& model = TheModel();
  AppendSoil(model.soils, Sand());
  AppendSoil(model.soils, Clay());
  model.sections[1].soil = "SD";
  // Soils belong to the piping codes: with none, Misc > Soils does nothing.
  model.options.PipingCode = 0;
  LayoutCommand(354);
  EXPECT_NE(CurrentListOpener(), &OpenSoilsTable);
  model.options.PipingCode = 3;
  // With soils the list menu offers them; the List window's Misc > Soils
  // shows them too.
  LayoutCommand(189);
  ChooseList("&Soils");
  ASSERT_EQ(CurrentListOpener(), &OpenSoilsTable);
  LayoutCommand(189);
  SendMessage(ListFrame().window, WM_COMMAND, 354, 0);
  platform::RunUntilIdle();
  SoilsTable& table = TheSoilsTable();
  ASSERT_EQ(CurrentListOpener(), &OpenSoilsTable);
  EXPECT_EQ(table.rowCount, 3);  // two soils and the entry row
  // Enter on the entry row: its name is required.
  TableGoTo(table, 3);
  try {
    table.EnterRow(false);
    ADD_FAILURE() << "an unnamed soil was appended";
  } catch (const CI& refusal) {
    EXPECT_EQ(refusal.message, "Name is required");
    EXPECT_EQ(refusal.column, 1);
  }
  EXPECT_EQ(model.soils.count, 2);
  // Delete on the entry row changes nothing.
  table.DeleteRow();
  EXPECT_EQ(model.soils.count, 2);
  // A soil a section names stays.
  TableGoTo(table, 1);
  messages.clear();
  table.DeleteRow();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Soil SD is in use, it cannot be deleted");
  EXPECT_EQ(model.soils.count, 2);
  // Insert before the first; Delete of an unused soil closes the gap.
  table.InsertRow();
  ASSERT_EQ(model.soils.count, 3);
  EXPECT_EQ(model.soils[1].name, "");
  EXPECT_EQ(model.soils[2].name, "SD");
  TableGoTo(table, 3);
  table.DeleteRow();
  ASSERT_EQ(model.soils.count, 2);
  EXPECT_EQ(model.soils[2].name, "SD");
}

TEST_F(SoilUiTest, TheReportsListTheSoilsAndTheBuriedSections) {
  Model& model = TheModel();
  AppendSoil(model.soils, Sand());
  AppendSoil(model.soils, Clay());
  PipeSection other = model.sections[1];
  other.name = "S6";
  AppendSection(model.sections, other);
  model.sections[1].soil = "SD";
  // The model report carries the soils after the sections.
  const std::vector<std::string> text = Report([] { PrintSelectedSections(); }, false);
  auto find = [&text](const std::string& start, std::size_t column, std::size_t from = 0) {
    for (std::size_t i = from; i < text.size(); ++i)
      if (text[i].size() > column && text[i].compare(column, start.size(), start) == 0) return i;
    return text.size();
  };
  const std::size_t heading = find("Name     Type      Density    Strength    Delta        Ks     Ground Level", 3);
  ASSERT_LT(heading, text.size());
  const std::size_t sand = find("SD   Cohesionless", 3);
  ASSERT_LT(sand, text.size());
  EXPECT_GT(sand, heading);
  const std::string& line = text[sand];
  const std::string density = FormatInsulationDensity(Sand().density);
  EXPECT_EQ(line.substr(23, density.size()), density) << line;
  const std::string delta = FormatAngleOrNone(Sand().delta);
  EXPECT_EQ(line.substr(45, delta.size()), delta) << line;
  const std::string ks = FormatFixedWidth(0.7, 10, 2);
  EXPECT_EQ(line.substr(56, ks.size()), ks) << line;
  const std::size_t clay = find("CL   Cohesive", 3);
  ASSERT_LT(clay, text.size());
  EXPECT_EQ(text[clay].substr(34, std::string(FormatStress(10.0f)).size()), FormatStress(10.0f)) << text[clay];
  const std::size_t buried = find("Section   Soil", 3);
  ASSERT_LT(buried, text.size());
  EXPECT_LT(find("S4        SD", 3, buried), text.size());
  EXPECT_EQ(find("S6", 3, buried), text.size());  // no soil: not listed

  const std::vector<std::string> csv = Report([] { PrintSoils(); }, true);
  std::string all;
  for (const std::string& l : csv) all += l + "\n";
  // Every comma-separated line ends with a comma.
  std::ostringstream units;
  units << ",," << CsvQuoted(UnitLabel(kUnitInsulationDensity)) << "," << CsvQuoted(UnitLabel(kUnitStress)) << ","
        << CsvQuoted(UnitLabel(kUnitAngle)) << ",," << CsvQuoted(UnitLabel(kUnitLength)) << ",\n";
  EXPECT_NE(all.find("Soils,\n"), std::string::npos) << all;
  EXPECT_NE(all.find("Name,Type,Density,Strength,Delta,Ks,Ground Level"), std::string::npos) << all;
  EXPECT_NE(all.find(units.str()), std::string::npos) << all;
  EXPECT_NE(all.find("SD,Cohesionless," + Trimmed(FormatInsulationDensity(Sand().density)) + ",," +
                     Trimmed(FormatAngleOrNone(Sand().delta)) + ",0.70," +
                     CsvQuoted(Trimmed(FormatLength(42.375f))) + ",\n"),
            std::string::npos)
      << all;
  EXPECT_NE(all.find("CL,Cohesive," + Trimmed(FormatInsulationDensity(Clay().density)) + "," +
                     Trimmed(FormatStress(10.0f)) + ",,,,\n"),
            std::string::npos)
      << all;
  // Every section, with or without a soil.
  EXPECT_NE(all.find("Buried Sections,\nSection,Soil,\nS4,SD,\nS6,,\n"), std::string::npos) << all;
}

TEST_F(SoilUiTest, ASoilEnteredInTheDialogRoundTripsThroughTheModelFile) {
  Model& model = TheModel();
  platform::ExpectModal(platform::ModalKind::Dialog, "SOIL_DIALOG", [](HWND dialog) {
    SetDlgItemText(dialog, 1301, "CL");
    ClickRadio(dialog, 1401);
    SetDlgItemText(dialog, 1302, "110");
    SetDlgItemText(dialog, 1303, "10");
    SetDlgItemText(dialog, 1306, Trimmed(FormatLength(-6.0f)).c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EditRow(1);
  ASSERT_EQ(model.soils.count, 1);
  model.sections[1].soil = "CL";
  const Soil entered = model.soils[1];
  const std::string first = (folder_ / "buried.qvm").string(), second = (folder_ / "again.qvm").string();
  ASSERT_EQ(WriteModelFile(first), "");
  ASSERT_EQ(ReadModelFile(first), "");
  const Model& read = TheModel();
  ASSERT_EQ(read.soils.count, 1);
  const Soil& s = read.soils[1];
  EXPECT_EQ(s.name, entered.name);
  EXPECT_EQ(s.type, kSoilCohesive);
  EXPECT_EQ(s.density, entered.density);
  EXPECT_EQ(s.strength, entered.strength);
  EXPECT_EQ(s.groundLevel, entered.groundLevel);
  EXPECT_EQ(read.sections[1].soil, "CL");
  // Written again from what was read, and once more: the same bytes.
  const std::string third = (folder_ / "third.qvm").string();
  ASSERT_EQ(WriteModelFile(second), "");
  ASSERT_EQ(ReadModelFile(second), "");
  ASSERT_EQ(WriteModelFile(third), "");
  auto bytes = [](const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
  };
  EXPECT_EQ(bytes(second), bytes(third));
  EXPECT_EQ(TheModel().soils[1].strength, entered.strength);
}

TEST_F(SoilUiTest, TheListPrintsToAPdfFromTheListWindow) {
  Model& model = TheModel();
  AppendSoil(model.soils, Sand());
  AppendSoil(model.soils, Clay());
  LayoutCommand(354);
  ASSERT_EQ(CurrentListOpener(), &OpenSoilsTable);
  const fs::path pdf = folder_ / "soils.pdf";
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Soils",
                        [](HWND sheet) { Click(GetDlgItem(sheet, IDOK)); });
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print", [pdf](HWND dialog) {
    SetDlgItemText(dialog, edt3, pdf.c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  SendMessage(ListFrame().window, WM_COMMAND, 106, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  ASSERT_TRUE(fs::exists(pdf));
  ASSERT_EQ(std::system("command -v pdftotext >/dev/null 2>&1"), 0) << "pdftotext (poppler-utils) is not installed";
  const std::string command = "pdftotext -layout '" + pdf.string() + "' '" + pdf.string() + ".txt'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::ifstream file(pdf.string() + ".txt", std::ios::binary);
  std::ostringstream read;
  read << file.rdbuf();
  const std::string text = read.str();
  for (const char* expected : {"Soils", "Ground Level", "Cohesionless", "Cohesive", "0.70"})
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
}

TEST_F(SoilUiTest, WhileResultsAreShownTheDialogOnlyShowsTheSoil) {
  Model& model = TheModel();
  AppendSoil(model.soils, Sand());
  LayoutCommand(354);
  ASSERT_EQ(CurrentListOpener(), &OpenSoilsTable);
  SetTableResultsShown(true);
  platform::ExpectModal(platform::ModalKind::Dialog, "SOIL_DIALOG", [](HWND dialog) {
    EXPECT_FALSE(Enabled(dialog, 1401) || Enabled(dialog, 1402));
    EXPECT_NE(GetWindowLongPtr(GetDlgItem(dialog, 1301), GWL_STYLE) & ES_READONLY, 0);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
    SetDlgItemText(dialog, 1302, "99");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  model.modified = false;
  TableGoTo(TheSoilsTable(), 1);
  TheSoilsTable().EditCurrentItem();
  platform::CheckModalScript();
  SetTableResultsShown(false);
  EXPECT_NEAR(model.soils[1].density, Sand().density, 1e-9);
  EXPECT_FALSE(model.modified);
}

}  // namespace
