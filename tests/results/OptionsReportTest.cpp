// The analysis options section of the model report, printed from the Layout
// window's "Print Model" sheet with only "Options" chosen, to a text file
// and to a comma-separated file: golden lines for code None, B31.8 with the
// design factor 0.72, EN 13480 with the option 1 pressure formula, and the
// verification mode, whose files leave out the thermal case statement.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/CommonDialog.h"
#include "platform/PropertySheet.h"
#include "results/PrintSelection.h"
#include "results/ResultsTesting.h"
#include "services/StartupSwitches.h"

namespace {

std::vector<std::string> Lines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == '\f') line.erase(0, 1);
    lines.push_back(line);
  }
  return lines;
}

class OptionsReportTest : public ResultsFixture {
 protected:
  void SetUp() override {
    ResultsFixture::SetUp();
    saved_ = ThePrintChoices();
  }
  void TearDown() override {
    ThePrintChoices() = saved_;
    VerificationMode = 0;
    ResultsFixture::TearDown();
  }
  // The model report with the options alone, through "To &File".
  std::vector<std::string> Report(const std::string& name) {
    const std::string path = folder_ + "/" + name;
    platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Model", [path](HWND sheet) {
      SendMessage(sheet, PSM_SETCURSEL, 0, 0);
      HWND page = reinterpret_cast<HWND>(SendMessage(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
      SendMessage(page, WM_COMMAND, MAKEWPARAM(1002, BN_CLICKED), 0);  // None
      HWND options = GetDlgItem(page, 1101);
      EXPECT_EQ(TextOf(options), PrintSectionText(PrintSection::Options));
      CheckDlgButton(page, 1101, BST_CHECKED);
      SendMessage(page, WM_COMMAND, MAKEWPARAM(1101, BN_CLICKED), reinterpret_cast<LPARAM>(options));
      platform::ExpectModal(platform::ModalKind::CommonDialog, "Print to File", [path](HWND dialog) {
        SetDlgItemText(dialog, edt1, path.c_str());
        SendMessage(dialog, WM_COMMAND, IDOK, 0);
      });
      platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG",
                            [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); });
      SendMessage(sheet, WM_COMMAND, 1002, 0);
    });
    SendMessage(LayoutFrame().window, WM_COMMAND, 106, 0);
    platform::RunUntilIdle();
    platform::CheckModalScript();
    return Lines(path);
  }
  // The section's statement lines of the text file: between the rule under
  // the centred "Options" and the closing rule.
  static std::vector<std::string> TextStatements(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    std::size_t at = 0;
    while (at < lines.size() && lines[at].find("Options") == std::string::npos) ++at;
    EXPECT_LT(at, lines.size());
    for (at += 2; at < lines.size() && lines[at].find("-----") == std::string::npos; ++at) out.push_back(lines[at]);
    return out;
  }
  static std::vector<std::string> CsvStatements(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    std::size_t at = 0;
    while (at < lines.size() && lines[at] != "Options,") ++at;
    EXPECT_LT(at, lines.size());
    for (++at; at < lines.size() && !lines[at].empty(); ++at) out.push_back(lines[at]);
    return out;
  }
  PrintChoices saved_;
};

// The statements every code shares after its code lines, with the default
// options, as the text file writes them.
std::vector<std::string> CommonText(bool thermal = true) {
  std::vector<std::string> lines{"     Reference temperature = 70 (F)", "     Number of thermal cycles = 7000",
                                 "     Number of thermal loads = 1"};
  if (thermal) lines.push_back("     Thermal = Operating - Sustained");
  for (const char* line :
       {"     Use modulus at reference temperature", "     Include hanger stiffness", "     Do not include Bourdon effect",
        "     Use pressure correction for bends"})
    lines.push_back(line);
  return lines;
}
std::vector<std::string> DynamicsText() {
  return {"     Peak pressure factor = 1.00",  "     Cut off frequency = 33 Hz",
          "     Number of modes = 20",         "     Include missing mass correction",
          "     Do not use friction in dynamic analysis", "     Vertical direction = Y"};
}
std::vector<std::string> Joined(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST_F(OptionsReportTest, CodeNonePrintsItsNameTheAxialLineAndTheCommonLinesOnly) {
  Model& model = BuildLine({1});
  model.options.PipingCode = 0;
  model.options.IncludeAxialForce = 1;
  std::vector<std::string> expected{"     Piping code = None", "     Include axial force in stress calculations"};
  expected = Joined(Joined(expected, CommonText()), {"     Pressure stress = PD / 4t"});
  expected = Joined(expected, DynamicsText());
  EXPECT_EQ(TextStatements(Report("none.txt")), expected);
  const std::vector<std::string> csv = CsvStatements(Report("none.csv"));
  ASSERT_EQ(csv.size(), expected.size());
  EXPECT_EQ(csv.front(), "Piping code = None,");
  EXPECT_EQ(csv[1], "Include axial force in stress calculations,");
  EXPECT_EQ(csv[10], "Pressure stress = PD / 4t,");
  EXPECT_EQ(csv.back(), "Vertical direction = Y,");
}

TEST_F(OptionsReportTest, B318ShowsItsDesignFactorAndTheLiberalAxialAndB31JLines) {
  Model& model = BuildLine({1});
  model.options.PipingCode = 6;
  model.options.DesignFactorIndex = 1;
  model.options.LiberalAllowable = 1;
  model.options.IncludeAxialForce = 1;
  std::vector<std::string> expected{"     Piping code = B31.8 (2016)", "     Use liberal allowable stresses",
                                    "     Include axial force in stress calculations",
                                    "     Do not use B31J for SIFs and Flexibility Factors",
                                    "     Design factor F =   0.72"};
  expected = Joined(Joined(expected, CommonText()), {"     Pressure stress = PD / 4t"});
  expected = Joined(expected, DynamicsText());
  EXPECT_EQ(TextStatements(Report("b318.txt")), expected);
  const std::vector<std::string> csv = CsvStatements(Report("b318.csv"));
  ASSERT_GE(csv.size(), 5u);
  EXPECT_EQ(csv[4], "Design factor F = 0.72,");
}

TEST_F(OptionsReportTest, En13480WithTheSecondFormulaAndAClass2CodesServiceLevel) {
  Model& model = BuildLine({1});
  model.options.PipingCode = 21;
  model.options.PressureStressOption = 1;
  model.options.OccasionalLoadFactor = 1.15f;
  std::vector<std::string> expected{"     Piping code = EN 13480 (2017)",
                                    "     Do not include axial force in stress calculations",
                                    "     Occasional load factor (k) =   1.15"};
  expected = Joined(Joined(expected, CommonText()), {"     Pressure stress = [Pd^2 / (D^2 - d^2)] + [P/2]"});
  expected = Joined(expected, DynamicsText());
  EXPECT_EQ(TextStatements(Report("en.txt")), expected);
  const std::vector<std::string> csv = CsvStatements(Report("en.csv"));
  ASSERT_GE(csv.size(), 12u);
  EXPECT_EQ(csv[2], "Occasional load factor (k) = 1.15,");
  EXPECT_EQ(csv[11], "Pressure stress = [Pd^2 / (D^2 - d^2)] + [P/2],");
  // Another code with the second formula writes the formula whole, and a
  // Class 2 code its service level.
  model.options.PipingCode = 9;
  model.options.ServiceLevel = 1;
  const std::vector<std::string> class2 = TextStatements(Report("class2.txt"));
  EXPECT_NE(std::find(class2.begin(), class2.end(), "     Pressure stress = Pd^2 / (D^2 - d^2)"), class2.end());
  EXPECT_NE(std::find(class2.begin(), class2.end(), "     Equation 9 Level = C (Emergency)"), class2.end());
}

TEST_F(OptionsReportTest, VerificationModeLeavesTheThermalStatementOutOfTheFiles) {
  Model& model = BuildLine({1});
  model.options.PipingCode = 0;
  VerificationMode = 502;
  std::vector<std::string> expected{"     Piping code = None", "     Do not include axial force in stress calculations"};
  expected = Joined(Joined(expected, CommonText(false)), {"     Pressure stress = PD / 4t"});
  expected = Joined(expected, DynamicsText());
  EXPECT_EQ(TextStatements(Report("verification.txt")), expected);
  const std::vector<std::string> csv = CsvStatements(Report("verification.csv"));
  EXPECT_EQ(std::find(csv.begin(), csv.end(), "Thermal = Operating - Sustained,"), csv.end());
  EXPECT_EQ(csv.size(), expected.size());
}

}  // namespace
