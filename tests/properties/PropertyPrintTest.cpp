// Printing the Materials list through the List window's File > Print: to
// the printer (a PDF read back) with each material's heading bar and table
// against temperature, and to a text report with the density line and the
// rows at their columns.
#include "properties/PropertyUiTesting.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/ListWindow.h"
#include "platform/CommonDialog.h"
#include "properties/MaterialsTable.h"
#include "services/TempFiles.h"
#include "services/Units.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

class PropertyPrintTest : public PropertyUiFixture {
 protected:
  void SetUp() override {
    PropertyUiFixture::SetUp();
    folder_ = fs::path(TempFolder()) / "property-print";
    fs::create_directories(folder_);
    Material& m = TheModel().materials[1];
    m.description = "Carbon steel A106 B";
    m.density = 0.283f;
    m.nu = 0.3f;
    m.jointFactor = 1.0f;
    m.numtemps = 2;
    m.temps.resize(3);
    m.temps[2].values = {650.0f, 2.61e7f, 7.33e-6f, 17000.0f, 0, 0, 0, 0};
    ShowListByOpener(OpenMaterialsTable);
    platform::RunUntilIdle();
  }
  void TearDown() override {
    fs::remove_all(folder_);
    PropertyUiFixture::TearDown();
  }
  static void AnswerSheet(int button) {
    platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Pipe Materials",
                          [button](HWND sheet) { Click(GetDlgItem(sheet, button)); });
  }
  fs::path folder_;
};

TEST_F(PropertyPrintTest, MaterialsPrintToAPdf) {
  const fs::path pdf = folder_ / "materials.pdf";
  AnswerSheet(IDOK);
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print", [pdf](HWND dialog) {
    SetDlgItemText(dialog, edt3, pdf.c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  SendMessage(ListFrame().window, WM_COMMAND, 106, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  ASSERT_TRUE(fs::exists(pdf));
  EXPECT_EQ(ReadFile(pdf).substr(0, 5), "%PDF-");
  ASSERT_EQ(std::system("command -v pdftotext >/dev/null 2>&1"), 0) << "pdftotext (poppler-utils) is not installed";
  const std::string command = "pdftotext -layout '" + pdf.string() + "' '" + pdf.string() + ".txt'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  const std::string text = ReadFile(pdf.string() + ".txt");
  for (const char* expected : {"Pipe material CS: Carbon steel A106 B", "Joint factor = 1.00", "Allowable",
                               "650", "17000", "Yield strength ="})
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  // One heading bar per material.
  EXPECT_EQ(text.find("Pipe material CS", text.find("Pipe material CS") + 1), std::string::npos) << text;
}

TEST_F(PropertyPrintTest, MaterialsPrintToAText) {
  const fs::path report = folder_ / "materials.txt";
  AnswerSheet(1002);
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print to File", [report](HWND dialog) {
    SetDlgItemText(dialog, edt1, report.c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG", [](HWND) {});
  SendMessage(ListFrame().window, WM_COMMAND, 106, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  const std::string text = ReadFile(report);
  EXPECT_NE(text.find("Pipe material CS: Carbon steel A106 B"), std::string::npos) << text;
  EXPECT_NE(text.find("     Density = 0.283 (lb/in3),  Nu =     0.300,  Joint factor =  1.00"), std::string::npos)
      << text;
  // The 650 F row: temperature ending at column 10, the allowable at 45.
  std::istringstream lines(text);
  bool found = false;
  for (std::string line; std::getline(lines, line);)
    if (line.size() >= 45 && line.substr(7, 3) == "650" && line.substr(40, 5) == "17000") found = true;
  EXPECT_TRUE(found) << text;
}

// The temperature table in a text report: E ending at column 22 and alpha
// at 34, each right-aligned in a padded field; the padding of alpha never
// covers E, and a row reads as its temperature, E, alpha and allowable.
TEST_F(PropertyPrintTest, TheTemperatureTableKeepsEachValueWhole) {
  Material& m = TheModel().materials[1];
  m.temps[1].values = {70.0f, 2.95e7f, 6.07e-6f, 20000.0f, 0, 0, 0, 0};
  const std::string modulus = FormatModulus(2.95e7f);
  const std::string alpha = FormatThermalExpansion(6.07e-6f);
  ASSERT_NE(modulus.find("29.5E+6"), std::string::npos);
  ASSERT_NE(alpha.find("6.07E-6"), std::string::npos);
  const fs::path report = folder_ / "temperatures.txt";
  AnswerSheet(1002);
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print to File", [report](HWND dialog) {
    SetDlgItemText(dialog, edt1, report.c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG", [](HWND) {});
  SendMessage(ListFrame().window, WM_COMMAND, 106, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  std::istringstream lines(ReadFile(report));
  std::string row;
  for (std::string line; std::getline(lines, line);)
    if (line.size() >= 10 && line.substr(8, 2) == "70") row = line;
  ASSERT_FALSE(row.empty());
  EXPECT_EQ(row.substr(15, 8), "29.5E+6 ") << row;  // E ends at column 22
  EXPECT_EQ(row.substr(27, 7), "6.07E-6") << row;   // alpha at 34
  std::istringstream words(row);
  std::vector<std::string> values;
  for (std::string word; words >> word;) values.push_back(word);
  EXPECT_EQ(values, (std::vector<std::string>{"70", "29.5E+6", "6.07E-6", "20000"})) << row;
}

}  // namespace
