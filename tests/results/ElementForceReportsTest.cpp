// The element force sections of the load-case report, written through the
// "Print Results" sheet to a text and a comma-separated file: the pipe
// sub-section in its three layouts (plain for B31.1, in-plane and
// out-of-plane for B31.3, the stress indices of a Class 2 code's sustained
// case), golden lines of a cantilever under a tip load worked by hand; the
// global section with what each node exerts on the element.
#include <gtest/gtest.h>

#include <fstream>

#include "loads/Force.h"
#include "platform/CommonDialog.h"
#include "results/CodeResultsTesting.h"
#include "results/PrintSelection.h"
#include "services/Units.h"

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

class ElementForceReportsTest : public code_testing::CodeResultsFixture {
 protected:
  void SetUp() override {
    code_testing::CodeResultsFixture::SetUp();
    saved_ = ThePrintChoices();
  }
  void TearDown() override {
    ThePrintChoices() = saved_;
    code_testing::CodeResultsFixture::TearDown();
  }
  // Anchor 10, 120 inch along X to 20 with a tip load of 100 lb down (-Y)
  // and 50 lb along X; weightless, P 0; sustained only.
  void OpenCantilever(int code) {
    using namespace analysis_testing;
    Model& model = StartLine(code, 0.0, 0.0);
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    PipeRow(model, 20, ElementType::Pipe, 120.0f);
    PutItem(model, 2, DataType::Force);
    auto& force = static_cast<NodalForce&>(*model.row(2).item);
    force.FX = 50.0f;
    force.FY = -100.0f;
    Finish(model, {1});
    platform::ExpectModal(platform::ModalKind::Dialog, "RESULTS6_DIALOG",
                          [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
    OpenResults();
    platform::RunUntilIdle();
    ASSERT_TRUE(InResultsMode());
  }
  // The report of the two element force sections alone.
  std::vector<std::string> Report(const std::string& name) {
    ThePrintChoices() = PrintChoices{};
    ThePrintChoices()[PrintSection::ElementForcesLocal] = 1;
    ThePrintChoices()[PrintSection::ElementForcesGlobal] = 1;
    const std::string path = folder_ + "/" + name;
    platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Results",
                          [](HWND sheet) { SendMessage(sheet, WM_COMMAND, 1002, 0); });
    platform::ExpectModal(platform::ModalKind::CommonDialog, "Print to File", [path](HWND dialog) {
      SetDlgItemText(dialog, edt1, path.c_str());
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG",
                          [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); });
    SendMessage(LayoutFrame().window, WM_COMMAND, 106, 0);
    platform::RunUntilIdle();
    platform::CheckModalScript();
    return Lines(path);
  }
  // `count` lines from the one that holds `text`.
  static std::vector<std::string> From(const std::vector<std::string>& lines, const std::string& text, int count) {
    for (std::size_t i = 0; i < lines.size(); ++i)
      if (lines[i].find(text) != std::string::npos)
        return std::vector<std::string>(lines.begin() + static_cast<long>(i),
                                        lines.begin() + static_cast<long>(std::min(lines.size(), i + count)));
    ADD_FAILURE() << "no line holds " << text;
    return {};
  }
  PrintChoices saved_;
};

const std::string kRule = "   " + std::string(83, '-');

// The cantilever's hand values: fx = +50 lb (tension) at both ends, fy =
// -100 lb, the anchor end's mz = -100 x 120 / 12 = -1000 ft-lb; the
// sustained stress M / Z = 12000 / 3.2148 = 3733 psi (B31.1's 0.75 i is
// held at 1; B31.3 adds the axial 50 / 3.174 = 16 psi; the Class 2 code's
// B2 of a straight pipe is 1).
TEST_F(ElementForceReportsTest, ThePlainLayoutOfB311) {
  OpenCantilever(1);
  const std::vector<std::string> text = Report("plain.txt");
  EXPECT_EQ(From(text, "Pipe element forces in local coordinates", 7),
            (std::vector<std::string>{
                "             Pipe element forces in local coordinates: Sustained (W+P)", kRule,
                "               fx      fy      fz       mx       my       mz              SL",
                "     Node     (lb)    (lb)    (lb)    (ft-lb)  (ft-lb)  (ft-lb)   SIF    (psi)", kRule,
                "     10         50    -100       0         0        0    -1000            3733",
                "     20         50    -100       0         0        0        0               0"}));
  // The global section: what each node exerts on the element.
  EXPECT_EQ(From(text, "Element forces in global coordinates", 6),
            (std::vector<std::string>{
                "              Element forces in global coordinates: Sustained (W+P)", kRule,
                "    Node    FX (lb)   FY (lb)   FZ (lb)    MX (ft-lb)  MY (ft-lb)  MZ (ft-lb)", kRule,
                "   10          -50       100         0           0           0        1000",
                "   20           50      -100         0           0           0           0"}));
  const std::vector<std::string> csv = Report("plain.csv");
  EXPECT_EQ(From(csv, "Pipe element forces (local)", 5),
            (std::vector<std::string>{"Sustained (W+P): Pipe element forces (local),", ",fx,fy,fz,mx,my,mz,SIF,SL,",
                                      "Node,(lb),(lb),(lb),(ft-lb),(ft-lb),(ft-lb),,(psi),",
                                      "10,50,-100,0,0,0,-1000,,3733,", "20,50,-100,0,0,0,0,,0,"}));
  EXPECT_EQ(From(csv, "Element forces (global)", 4),
            (std::vector<std::string>{"Sustained (W+P): Element forces (global),",
                                      "Node,FX (lb),FY (lb),FZ (lb),MX (ft-lb),MY (ft-lb),MZ (ft-lb),",
                                      "10,-50,100,0,0,0,1000,", "20,50,-100,0,0,0,0,"}));
}

TEST_F(ElementForceReportsTest, TheInPlaneAndOutOfPlaneLayoutOfB313) {
  OpenCantilever(3);
  EXPECT_EQ(From(Report("inout.txt"), "Pipe element forces in local coordinates", 7),
            (std::vector<std::string>{
                "             Pipe element forces in local coordinates: Sustained (W+P)",
                "   ---------------------------------------...In plane... .Out of plane..------",
                "             Axial  y shear z shear Torque  Bend.Moment    Bend.Moment    SL",
                "     Node     (lb)    (lb)    (lb)  (ft-lb) (ft-lb)  SIF   (ft-lb)  SIF  (psi)", kRule,
                "     10         50    -100       0       0   -1000              0         3749",
                "     20         50    -100       0       0       0              0           16"}));
  EXPECT_EQ(From(Report("inout.csv"), "Pipe element forces (local)", 6),
            (std::vector<std::string>{"Sustained (W+P): Pipe element forces (local),",
                                      ",,,,,In plane,Out of plane,In plane,Out of plane,Torsion,",
                                      ",Axial,y shear,z shear,Torque,Bend.Moment,Bend.Moment,SIF,SIF,SIF,SL,",
                                      "Node,(lb),(lb),(lb),(ft-lb),(ft-lb),(ft-lb),,,,(psi),",
                                      "10,50,-100,0,0,-1000,0,,,,3749,", "20,50,-100,0,0,0,0,,,,16,"}));
}

TEST_F(ElementForceReportsTest, TheStressIndexLayoutOfAClass2CodesSustainedCase) {
  OpenCantilever(9);
  EXPECT_EQ(From(Report("indices.txt"), "Pipe element forces in local coordinates", 7),
            (std::vector<std::string>{
                "             Pipe element forces in local coordinates: Sustained (W+P)", kRule,
                "               fx     fy      fz     mx      my      mz                   SL",
                "     Node     (lb)   (lb)    (lb)  (ft-lb) (ft-lb) (ft-lb)   B1    B2    (psi)", kRule,
                "     10        50   -100       0       0       0   -1000    0.50  1.00    3733",
                "     20        50   -100       0       0       0       0    0.50  1.00       0"}));
  EXPECT_EQ(From(Report("indices.csv"), "Pipe element forces (local)", 5),
            (std::vector<std::string>{"Sustained (W+P): Pipe element forces (local),", ",fx,fy,fz,mx,my,mz,B1,B2,SL,",
                                      "Node,(lb),(lb),(lb),(ft-lb),(ft-lb),(ft-lb),,,(psi),",
                                      "10,50,-100,0,0,0,-1000,0.50,1.00,3733,", "20,50,-100,0,0,0,0,0.50,1.00,0,"}));
}

}  // namespace
