// The loads on the three report roads: the pipe loads as one line each
// (fewer than four thermal loads) and as blocks (ten), the static seismic
// load with its combination, a wind load with its profile, the spectra and
// the spectrum load in text and comma-separated files; and the model report
// and the "Loads" list printed through the print sheet to a PDF that reads
// back.
#include <cstdlib>
#include <sstream>

#include "loads/LoadsReport.h"
#include "loads/LoadsTesting.h"
#include "loads/PipeLoadsTable.h"
#include "loads/SpectrumPrint.h"
#include "loads/StaticSeismicDialog.h"
#include "loads/WindDialog.h"
#include "services/NumberText.h"

namespace {

class LoadsReportTest : public LoadsFixture {
 protected:
  void SetUp() override {
    LoadsFixture::SetUp();
    PipeLoad& l1 = TheModel().pipeLoads[1];
    l1.operating[0] = {450.0f, 300.0f};
    l1.operating[1] = {200.0f, 150.0f};
    l1.designTemperature = 500.0f;
    l1.designPressure = 350.0f;
    l1.specificGravity = 0.85f;
    l1.additionalWeight = 1.0f;  // lb/in: 12 lb/ft
  }
  static void WithSpectrum() {
    ResponseSpectrum s;
    s.name = "S1";
    s.ordinateUnit = kOrdinateG;
    s.points = {{1.0f, 0.2f * 386.4f}, {10.0f, 0.8f * 386.4f}};
    SetLastSpectrum(TheModel().spectra, s);
    SetDirectionSpectrum(TheModel().spectrumLoad, 1, "S1", 1.5f);
  }
  static void WithWind() {
    WindData& wind = TheModel().wind;
    wind.profileIsVelocity = 1;
    wind.loads[0].direction = {0.0f, 0.0f, 1.0f};
    wind.loads[0].velocityProfile = {{kExplicitZero, 60.0f}, {1200.0f, 100.0f}};
  }
};

TEST_F(LoadsReportTest, PipeLoadsOneLineEachWithFewThermalLoads) {
  const std::vector<std::string> text = Report(PrintPipeLoads);
  ASSERT_GE(text.size(), 7u);
  EXPECT_NE(text[0].find("Pipe Loads"), std::string::npos);
  EXPECT_EQ(text[2].substr(5, 12), "Load    T1  ");
  EXPECT_EQ(text[3].substr(5, 4), "Name");
  EXPECT_EQ(text[3].substr(12, 3), "(F)");
  const std::string& line = text[5];
  EXPECT_EQ(line.substr(5, 2), "L1");
  EXPECT_EQ(line.substr(12, 3), "450");   // T1 ends at column 15
  EXPECT_EQ(line.substr(18, 3), "300");  // P1 ends at column 21
  EXPECT_EQ(line.find("200"), std::string::npos);  // T2 is not in use
  EXPECT_EQ(line.substr(54, 3), "500");   // design temperature from column 55
  EXPECT_EQ(line.substr(65, 5), "0.850");
  EXPECT_EQ(line.substr(84, 1), "Y");
  const std::vector<std::string> csv = Report(PrintPipeLoads, true);
  ASSERT_GE(csv.size(), 4u);
  EXPECT_EQ(csv[0], "Pipe Loads,");
  EXPECT_EQ(csv[1], "Load,T1,P1,T2,P2,T3,P3,Design Temp,Design Pressure,Specific,Add.Wgt,Wind,");
  EXPECT_EQ(csv[2].substr(0, 12), "Name,(F),(ps");
  EXPECT_EQ(csv[3], "L1,450,300,,,,,500,350,0.850,12,Y,");
}

TEST_F(LoadsReportTest, PipeLoadsAsBlocksWithTenThermalLoads) {
  TheModel().options.ThermalLoadCount = 10;
  const std::vector<std::string> text = Report(PrintPipeLoads);
  ASSERT_GE(text.size(), 12u);
  EXPECT_EQ(text[2], "     Load: L1");
  EXPECT_EQ(text[4].substr(5), "T1 = 450 (F), P1 = 300 (psi), T2 = 200 (F), P2 = 150 (psi)");
  EXPECT_EQ(text[8].substr(5, 8), "T9 = 70 ");
  EXPECT_EQ(text[9].substr(5), "Design Temperature = 500 (F), Design Pressure = 350 (psi)");
  EXPECT_EQ(text[10].substr(5), "Specific Gravity = 0.850, Add. Wgt = 12 (lb/ft), Wind Load = Y");
  const std::vector<std::string> csv = Report(PrintPipeLoads, true);
  ASSERT_GE(csv.size(), 9u);
  EXPECT_EQ(csv[1], "Load: L1,");
  EXPECT_EQ(csv[2], "\"T1 = 450 (F), P1 = 300 (psi), T2 = 200 (F), P2 = 150 (psi)\",");
}

TEST_F(LoadsReportTest, SeismicWindSpectraAndTheSpectrumLoad) {
  TheModel().seismic.g = {0.15f, 0.0f, 0.1f};
  TheModel().seismic.combination = kSeismicSrss;
  WithWind();
  WithSpectrum();
  // The model report's Loads section, then its Spectrums section.
  const std::vector<std::string> text = Report([] {
    PrintModelLoads();
    PrintSpectra();
  });
  auto find = [&text](const std::string& wanted) {
    for (std::size_t at = 0; at < text.size(); ++at)
      if (text[at].find(wanted) != std::string::npos) return static_cast<int>(at);
    return -1;
  };
  // The seismic and spectrum loads stand under one "Loads" heading, centred
  // over columns 6 to 78, closed by a rule before the wind loads follow.
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text[0], std::string(39, ' ') + "Loads");
  EXPECT_EQ(text[1].find_first_not_of(" -"), std::string::npos) << text[1];
  EXPECT_NE(text[1].find("-----"), std::string::npos) << text[1];
  const int seismic = find("Static seismic load:");
  ASSERT_GE(seismic, 0);
  EXPECT_LT(seismic, find("spectrum:"));
  EXPECT_LT(find("spectrum:"), find("Wind Load 1"));
  EXPECT_EQ(text[static_cast<std::size_t>(seismic)].substr(5),
            "Static seismic load:  X = 0.15, Y = 0.00, Z = 0.10 (g's)");
  EXPECT_EQ(text[static_cast<std::size_t>(seismic) + 1].substr(37), "Square Root of Sum of Squares");
  const int wind = find("Wind Load 1");
  ASSERT_GE(wind, 0);
  EXPECT_EQ(text[static_cast<std::size_t>(wind) + 2].substr(5), "Shape factor  = 0.60");
  EXPECT_EQ(text[static_cast<std::size_t>(wind) + 3].substr(5),
            "Wind direction: X comp = 0.000, Y comp = 0.000, Z comp = 1.000");
  EXPECT_EQ(text[static_cast<std::size_t>(wind) + 5].substr(5), "Elevation  Velocity");
  EXPECT_EQ(text[static_cast<std::size_t>(wind) + 7].substr(7), "0          60");
  EXPECT_EQ(text[static_cast<std::size_t>(wind) + 8].substr(7), "100        100");
  const int spectrum = find("Spectrum = S1, Interpolation: 1 = Linear, 2 = Linear");
  ASSERT_GE(spectrum, 0);
  EXPECT_EQ(text[static_cast<std::size_t>(spectrum) + 2].substr(21, 5), "(g's)");  // at column 22
  EXPECT_EQ(text[static_cast<std::size_t>(spectrum) + 4].substr(7), "10             0.8");
  const int load = find("spectrum:");
  ASSERT_GE(load, 0);
  EXPECT_EQ(text[static_cast<std::size_t>(load)].substr(5, 1), "Y");
  EXPECT_EQ(text[static_cast<std::size_t>(load)].substr(17, 2), "S1");
  EXPECT_EQ(text[static_cast<std::size_t>(load)].substr(44, 6), "1.5000");
  EXPECT_EQ(text[static_cast<std::size_t>(load) + 2].substr(16, 4), "SRSS");
  // No seismic load, no wind load, no spectra: none of their sections.
  TheModel().seismic.g = {0.0f, 0.0f, 0.0f};
  TheModel().wind.loads[0].velocityProfile.clear();
  ClearSpectra(TheModel().spectra, TheModel().spectrumLoad);
  const std::vector<std::string> bare = Report([] {
    PrintStaticSeismic();
    PrintWindLoads();
    PrintSpectra();
    PrintSpectrumLoad();
  });
  EXPECT_TRUE(bare.empty());
  // Nor the "Loads" heading: the section starts with the pipe loads.
  const std::vector<std::string> loads = Report(PrintModelLoads);
  ASSERT_FALSE(loads.empty());
  EXPECT_NE(loads[0].find("Pipe Loads"), std::string::npos) << loads[0];
}

TEST_F(LoadsReportTest, SeismicAndSpectraAsCommaSeparatedLines) {
  TheModel().seismic.g = {0.15f, 0.0f, 0.0f};
  TheModel().options.PipingCode = 0;  // always the algebraic sum
  WithSpectrum();
  const std::vector<std::string> csv = Report(
      [] {
        PrintStaticSeismic();
        PrintSpectra();
      },
      true);
  ASSERT_GE(csv.size(), 7u);
  EXPECT_EQ(csv[0], "Static seismic load,");
  EXPECT_EQ(csv[1], "X = 0.15,Y = 0.00,Z = 0.00 (g's),");
  EXPECT_EQ(csv[2], "Acceleration load combination = ,Algebraic sum,");
  EXPECT_EQ(csv[3], "Spectrum = S1, Interpolation,1 = Linear,2 = Linear,");
  EXPECT_EQ(csv[4], "Frequency (Hz),Acceleration (g's),");
  EXPECT_EQ(csv[5], "1,0.2,");
  EXPECT_EQ(csv[6], "10,0.8,");
}

TEST_F(LoadsReportTest, TheModelReportAndTheLoadsListPrintToAPdf) {
  ASSERT_EQ(std::system("command -v pdftotext >/dev/null 2>&1"), 0) << "pdftotext (poppler-utils) is not installed";
  TheModel().seismic.g = {0.15f, 0.0f, 0.0f};
  WithWind();
  WithSpectrum();
  auto print = [this](HWND frame, const std::string& caption, const std::string& name) {
    const std::string pdf = Path(name);
    platform::ExpectModal(platform::ModalKind::PropertySheet, caption,
                          [](HWND sheet) { SendMessage(sheet, WM_COMMAND, IDOK, 0); });
    platform::ExpectModal(platform::ModalKind::CommonDialog, "Print", [pdf](HWND dialog) {
      SetDlgItemText(dialog, edt3, pdf.c_str());
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    SendMessage(frame, WM_COMMAND, 106, 0);
    platform::RunUntilIdle();
    platform::CheckModalScript();
    const std::string command = "pdftotext -layout '" + pdf + "' '" + pdf + ".txt'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    std::ifstream file(pdf + ".txt");
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  };
  const std::string model = print(LayoutFrame().window, "Print Model", "model.pdf");
  for (const char* expected : {"Pipe Loads", "Static seismic load:", "Wind load 1", "Shape factor",
                               "Spectrum = S1", "Y spectrum = S1"})
    EXPECT_NE(model.find(expected), std::string::npos) << expected << "\n" << model;
  Layout(190);
  const std::string list = print(ListFrame().window, "Print Pipe Loads", "loads.pdf");
  EXPECT_NE(list.find("Pipe Loads"), std::string::npos) << list;
  EXPECT_NE(list.find("450"), std::string::npos) << list;
}

}  // namespace
