// The "Details" blocks of printed sections: the block's own rules (no rows
// print nothing, a block that does not fit starts a new page whose heading
// carries it, the heading again at the top of every page it runs onto, the
// page title "Details: ..." only while results are shown, the node columns
// of element rows), and the Details part of the model report printed from
// the Layout window's "Print Model" sheet to a text and a CSV file: its
// kinds in the order of their names, the guides', limit stops' and
// threaded joints' blocks line for line; the valves', elastic elements'
// (three lines a row), hinge joints' and nozzles' (five lines a row)
// blocks and CSV line for line.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "application/LayoutWindow.h"
#include "elements/BeamList.h"
#include "elements/BeamTesting.h"
#include "elements/ElasticElement.h"
#include "elements/ElasticList.h"
#include "elements/HingeJoint.h"
#include "elements/HingeJointList.h"
#include "elements/Valve.h"
#include "elements/ValveList.h"
#include "model/RowOperations.h"
#include "platform/CommonDialog.h"
#include "platform/PropertySheet.h"
#include "printing/ReportOutput.h"
#include "printing/RowDetails.h"
#include "results/PrintSelection.h"
#include "results/ResultsTesting.h"
#include "services/ReportMode.h"
#include "supports/GenericSupport.h"
#include "supports/Guide.h"
#include "supports/Hanger.h"
#include "supports/LimitStop.h"
#include "supports/Nozzle.h"
#include "supports/OtherSupportLists.h"
#include "supports/Restraint.h"
#include "supports/SkewedRestraint.h"
#include "supports/Snubber.h"

namespace {

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts(1);
  for (char c : text) {
    if (c == separator)
      parts.emplace_back();
    else
      parts.back() += c;
  }
  return parts;
}

// The lines of a text page, the page break of its end dropped.
std::vector<std::string> Lines(const std::string& page) {
  std::vector<std::string> lines = Split(page, '\n');
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

class RowDetailsTest : public ResultsFixture {
 protected:
  void SetUp() override {
    ResultsFixture::SetUp();
    saved_ = ThePrintChoices();
  }
  void TearDown() override {
    ThePrintChoices() = saved_;
    g_CollectContents = false;
    if (g_ReportFileOpen) ReportAbandonFile();
    ResultsFixture::TearDown();
  }

  // A straight line along X: 10 anchor, 20 guide, 30 limit stop, 40
  // hanger, 50 threaded joint, 70 restraint, 80 skewed restraint, 90
  // snubber, 100 anchor, 5 ft a pipe.
  void SupportedLine() {
    using namespace analysis_testing;
    Model& model = TheModel();
    StartModel(model, 300.0, kDensity, ModelPath());
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    for (int node = 20; node <= 60; node += 10) PipeRow(model, node, ElementType::Pipe, 60.0f);
    PutItem(model, 2, DataType::Guide);
    Guide& guide = static_cast<Guide&>(*model.row(2).item);
    guide.frictionCoefficient = 0.3f;
    PutItem(model, 3, DataType::LimitStop);
    LimitStop& stop = static_cast<LimitStop&>(*model.row(3).item);
    stop.dirY = 1.0f;
    stop.lowerLimit = 0.0f;
    stop.upperLimit = 1.0e30f;
    PutItem(model, 4, DataType::Hanger);
    Hanger& hanger = static_cast<Hanger&>(*model.row(4).item);
    hanger.kind = kRodHanger;
    PutItem(model, 5, DataType::ThreadedJoint);
    PipeRow(model, 70, ElementType::Pipe, 60.0f);
    PutItem(model, 7, DataType::Restraint);
    static_cast<Restraint&>(*model.row(7).item).restrainY = 1;
    PipeRow(model, 80, ElementType::Pipe, 60.0f);
    PutItem(model, 8, DataType::SkewedRestraint);
    SkewedRestraint& skewed = static_cast<SkewedRestraint&>(*model.row(8).item);
    skewed.stiffness = 1.0e12f;
    skewed.dirZ = 1.0f;
    PipeRow(model, 90, ElementType::Pipe, 60.0f);
    PutItem(model, 9, DataType::Snubber);
    static_cast<Snubber&>(*model.row(9).item).dirZ = 1.0f;
    PipeRow(model, 100, ElementType::Pipe, 60.0f);
    PutItem(model, 10, DataType::Anchor);
    MakeModel(model);
    SetCases(model, {1});
    EXPECT_EQ(WriteModelFile(ModelPath()), "");
    model.modified = false;
  }

  // The Details part alone, through the "Print Model" sheet's "To &File".
  void PrintDetailsTo(const std::string& path) {
    platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Model", [path](HWND sheet) {
      SendMessage(sheet, PSM_SETCURSEL, 0, 0);
      HWND page = reinterpret_cast<HWND>(SendMessage(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
      SendMessage(page, WM_COMMAND, MAKEWPARAM(1002, BN_CLICKED), 0);  // None
      HWND details = GetDlgItem(page, 1103);
      EXPECT_EQ(TextOf(details), "Details");
      CheckDlgButton(page, 1103, BST_CHECKED);
      SendMessage(page, WM_COMMAND, MAKEWPARAM(1103, BN_CLICKED), reinterpret_cast<LPARAM>(details));
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
  }

  // A request over `rows` with a one-line heading "Node" and `linesPerRow`.
  static DetailsRequest Request(int rowKind, int type, std::vector<int> rows, int linesPerRow = 1) {
    return InitDetailsRequest(rowKind, type, "Threaded Joints", {{"Node", 1, 6}}, 0, {}, std::move(rows),
                              linesPerRow);
  }

  // What `write` puts in a text file opened on page 1, by page.
  std::vector<std::vector<std::string>> TextPages(const std::function<void()>& write) {
    const std::string path = folder_ + "/block.txt";
    EXPECT_TRUE(ReportOpenFile(nullptr, path));
    write();
    EXPECT_TRUE(ReportCloseFile());
    std::vector<std::vector<std::string>> pages;
    for (const std::string& page : Split(Bytes(path), '\f'))
      if (!page.empty()) pages.push_back(Lines(page));
    return pages;
  }

  PrintChoices saved_;
};

TEST_F(RowDetailsTest, NoRowsPrintNeitherHeadingNorRule) {
  SupportedLine();
  int lineAfter = 0;
  const auto pages = TextPages([&lineAfter] {
    PrintRowDetails(Request(kDetailsDataRows, static_cast<int>(DataType::ThreadedJoint), {}));
    lineAfter = g_ReportLine;
  });
  EXPECT_EQ(lineAfter, kReportBodyLine);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].size(), 3u);  // the page header alone
}

TEST_F(RowDetailsTest, ABlockThatDoesNotFitStartsANewPageUnderItsHeading) {
  SupportedLine();
  // 57 of 59 lines used: the title, two rules, the heading line and one
  // row need five.
  const auto pages = TextPages([] {
    ReportSetTitle("Guides");
    while (g_ReportLine < 57) ReportNewLine();
    PrintRowDetails(Request(kDetailsDataRows, static_cast<int>(DataType::ThreadedJoint), {5}));
  });
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0].size(), 3u);  // nothing of the block on the first page
  ASSERT_EQ(pages[1].size(), 9u);
  EXPECT_EQ(pages[1][3], std::string(38, ' ') + "Threaded Joints");  // centred over columns 4 to 88
  EXPECT_EQ(pages[1][4], "   " + std::string(83, '-'));
  EXPECT_EQ(pages[1][5], "     Node");
  EXPECT_EQ(pages[1][6], "   " + std::string(83, '-'));
  EXPECT_EQ(pages[1][7], "     50");
  EXPECT_EQ(pages[1][8], "   " + std::string(83, '-'));
}

TEST_F(RowDetailsTest, TheHeadingOpensEveryPageTheBlockRunsOnto) {
  SupportedLine();
  // The heading takes lines 4 to 7: 52 rows on the first page (lines 8 to
  // 59), the other 8 under the heading again, then the closing rule.
  const auto pages = TextPages([] {
    PrintRowDetails(Request(kDetailsDataRows, static_cast<int>(DataType::ThreadedJoint), std::vector<int>(60, 5)));
  });
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0][7], "     50");
  EXPECT_EQ(pages[0][58], "     50");
  EXPECT_EQ(pages[1][3], std::string(38, ' ') + "Threaded Joints");  // centred over columns 4 to 88
  EXPECT_EQ(pages[1][5], "     Node");
  EXPECT_EQ(pages[1][7], "     50");
  EXPECT_EQ(pages[1].size(), 7u + 8u + 1u);
  EXPECT_EQ(pages[1][15], "   " + std::string(83, '-'));
}

TEST_F(RowDetailsTest, ElementRowsShowTheirTwoNodesBendsAndMitersOne) {
  SupportedLine();
  const auto pages = TextPages([] {
    PrintRowDetails(Request(kDetailsElementRows, static_cast<int>(ElementType::Pipe), {3}));
    PrintRowDetails(Request(kDetailsElementRows, static_cast<int>(ElementType::Bend), {3}));
    PrintRowDetails(Request(kDetailsElementRows, static_cast<int>(ElementType::Elastic), {3}));
  });
  ASSERT_EQ(pages.size(), 1u);
  // Three blocks of six lines: title, rule, heading, rule, the row, rule.
  ASSERT_EQ(pages[0].size(), 3u + 3u * 6u);
  EXPECT_EQ(pages[0][7], "     20     30");  // from the previous element's node, columns 6 and 13
  EXPECT_EQ(pages[0][13], "     30");
  EXPECT_EQ(pages[0][19], "     20    30");  // an elastic element: columns 6 and 12
  const std::string path = folder_ + "/block.csv";
  ASSERT_TRUE(ReportOpenFile(nullptr, path));
  DetailsRequest request = Request(kDetailsElementRows, static_cast<int>(ElementType::Pipe), {3});
  request.csvHeadings = {"From,To"};
  PrintRowDetails(request);
  ASSERT_TRUE(ReportCloseFile());
  const std::vector<std::string> rows = Split(Bytes(path), '\n');
  ASSERT_GE(rows.size(), 8u);
  EXPECT_EQ(rows[3], "Threaded Joints,\r");
  EXPECT_EQ(rows[4], "\r");
  EXPECT_EQ(rows[5], "From,To,\r");
  EXPECT_EQ(rows[6], "\r");
  EXPECT_EQ(rows[7], "20,30,\r");
}

// The page titles a text report lists in its table of contents: the
// section's own, and while results are shown the block's "Details: ...".
TEST_F(RowDetailsTest, ThePageTitleNamesTheBlockOnlyWhileResultsAreShown) {
  BuildLine({1});
  auto contents = [this] {
    std::string listed;
    const auto pages = TextPages([] {
      g_CollectContents = true;
      OpenContentsFile();
      ReportSetTitle("Threaded Joints");
      PrintRowDetails(Request(kDetailsDataRows, static_cast<int>(DataType::ThreadedJoint), {2}));
      ReportTableOfContents();
      g_CollectContents = false;
    });
    for (const auto& page : pages)
      for (const std::string& line : page)
        if (line.find(": Page") != std::string::npos) listed += line.substr(line.find_first_not_of(' ')) + "\n";
    return listed;
  };
  EXPECT_EQ(contents(), "Threaded Joints: Page 1\n");
  Analyse();
  OpenAndChoose("RESULTS6_DIALOG", 6);
  ASSERT_TRUE(InResultsMode());
  EXPECT_EQ(contents(), "Threaded Joints: Page 1\nDetails: Threaded Joints: Page 1\n");
}

TEST_F(RowDetailsTest, TheModelReportPrintsTheDetailsInTheOrderOfTheirNames) {
  SupportedLine();
  const std::string text = folder_ + "/details.txt", csv = folder_ + "/details.csv";
  PrintDetailsTo(text);
  PrintDetailsTo(csv);
  const std::string all = Bytes(text);
  std::size_t at = 0;
  for (const char* title : {"Anchors", "Guides", "Hangers", "Limit stops", "Restraints", "Skewed restraints",
                            "Snubbers", "Threaded Joints"}) {
    const std::size_t found = all.find(std::string(title) + "\n", at);
    ASSERT_NE(found, std::string::npos) << title << " after " << at << "\n" << all;
    at = found;
  }
  const std::vector<std::string> lines = Lines(all);
  // The page header, then the blocks line for line: each title centred,
  // its heading between rules, a line per row, a closing rule.
  const std::vector<std::string> golden{
      "                                          Anchors",
      "   -----------------------------------------------------------------------------------",
      "                                                                  Releases   Anchor",
      "     Node  KX/kx    KY/ky    KZ/kz    KXX/kxx  KYY/kyy  KZZ/kzz X Y Z XXYYZZ In Pipe",
      "                    (lb/inch)                 (in-lb/deg)",
      "   -----------------------------------------------------------------------------------",
      "     10    Rigid    Rigid    Rigid    Rigid    Rigid    Rigid                 GCS",
      "     100   Rigid    Rigid    Rigid    Rigid    Rigid    Rigid                 GCS",
      "   -----------------------------------------------------------------------------------",
      "                                          Guides",
      "   -----------------------------------------------------------------------------------",
      "     Node    Friction coefficient    Stiffness",
      "   -----------------------------------------------------------------------------------",
      "     20            0.300                 Rigid",
      "   -----------------------------------------------------------------------------------",
      "                                          Hangers",
      "   -----------------------------------------------------------------------------------",
      "                                    No.  Load  Short SpringRate HangerLoad Load",
      "     Node   Type                    of  var(%) Range                     type",
      "   -----------------------------------------------------------------------------------",
      "     40     Rod Hanger                 1",
      "   -----------------------------------------------------------------------------------",
      "                                        Limit stops",
      "   -----------------------------------------------------------------------------------",
      "          Cnect Lower Lmt Upper Lmt        Direction        Friction Stiffness",
      "     Node  Node  (inch)    (inch)   X comp   Y comp  Z comp  Coeff.  (lb/inch)",
      "   -----------------------------------------------------------------------------------",
      "     30          0.000     None              1.000                   Rigid",
      "   -----------------------------------------------------------------------------------",
      "                                        Restraints",
      "   -----------------------------------------------------------------------------------",
      "     Node     X     Y     Z",
      "   -----------------------------------------------------------------------------------",
      "     70            Yes",
      "   -----------------------------------------------------------------------------------",
      "                                     Skewed restraints",
      "   -----------------------------------------------------------------------------------",
      "     Node        Type      Stiffness     Units       X comp   Y comp   Z comp",
      "   -----------------------------------------------------------------------------------",
      "     80     Translational   Rigid      (lb/inch)                       1.000",
      "   -----------------------------------------------------------------------------------",
      "                                         Snubbers",
      "   -----------------------------------------------------------------------------------",
      "            Stiffness          Direction",
      "     Node               X comp   Y comp   Z comp",
      "   -----------------------------------------------------------------------------------",
      "     90      Rigid                         1.000",
      "   -----------------------------------------------------------------------------------",
      "                                      Threaded Joints",
      "   -----------------------------------------------------------------------------------",
      "     Node",
      "   -----------------------------------------------------------------------------------",
      "     50",
      "   -----------------------------------------------------------------------------------"};
  ASSERT_GE(lines.size(), 3u + golden.size());
  for (std::size_t i = 0; i < golden.size(); ++i) EXPECT_EQ(lines[3 + i], golden[i]) << "line " << 4 + i;
  for (std::size_t i = 3 + golden.size(); i < lines.size(); ++i)
    EXPECT_EQ(lines[i].find_first_not_of(" \f"), std::string::npos) << lines[i];
  // The comma-separated blocks.
  const std::string cells = Bytes(csv);
  const std::string body = cells.substr(cells.find("\r\n\r\nAnchors,") + 4);
  EXPECT_EQ(body,
            "Anchors,\r\n"
            "\r\n"
            "Node,Tag,KX/kx,KY/ky,KZ/kz,KXX/kxx,KYY/kyy,KZZ/kzz,Releases,Anchor in Pipe,\r\n"
            ",,(lb/inch),(lb/inch),(lb/inch),(in-lb/deg),(in-lb/deg),(in-lb/deg),X Y Z XX YY ZZ,\r\n"
            "\r\n"
            "10,,Rigid,Rigid,Rigid,Rigid,Rigid,Rigid,N N N N  N  N  ,GCS,\r\n"
            "100,,Rigid,Rigid,Rigid,Rigid,Rigid,Rigid,N N N N  N  N  ,GCS,\r\n"
            "\r\n"
            "Guides,\r\n"
            "\r\n"
            "Node,Tag,Friction coefficient,Stiffness ,(lb/inch),\r\n"
            "\r\n"
            "20,,0.300,Rigid,\r\n"
            "\r\n"
            "Hangers,\r\n"
            "\r\n"
            ",,,No.of,Load,Short,SpringRate,HangerLoad,Load,\r\n"
            "Node,Tag, Type,Hangers,var(%),Range,(lb/inch),(lb),type,\r\n"
            "\r\n"
            "40,,Rod Hanger,1,,,,,\r\n"
            "\r\n"
            "Limit stops,\r\n"
            "\r\n"
            ",,Connected,Lower Limit,Upper Limit,,Direction,,Friction,Stiffness,\r\n"
            "Node,Tag, Node,(inch),(inch),Xcomp,Ycomp,Zcomp,Coeff,(lb/inch),\r\n"
            "\r\n"
            "30,,,0.000,None,0.000,1.000,0.000,0.000,Rigid,\r\n"
            "\r\n"
            "Restraints,\r\n"
            "\r\n"
            "Node,Tag,X,Y,Z,\r\n"
            "\r\n"
            "70,,,Yes,,\r\n"
            "\r\n"
            "Skewed restraints,\r\n"
            "\r\n"
            "Node,Tag,Type,Stiffness,Units,X comp,Y comp,Z comp,\r\n"
            "\r\n"
            "80,,Translational,Rigid,(lb/inch),0.000,0.000,1.000,\r\n"
            "\r\n"
            "Snubbers,\r\n"
            "\r\n"
            ",,Stiffness,,Direction,,,\r\n"
            "Node,Tag,(lb/inch),X comp,Y comp,Z comp,\r\n"
            "\r\n"
            "90,,Rigid,0.000,0.000,1.000,\r\n"
            "\r\n"
            "Threaded Joints,\r\n"
            "\r\n"
            "Node,\r\n"
            "\r\n"
            "50,\r\n");
}

// A generic support takes twelve lines; a row that would not fit whole
// under the rows before it starts the next page, under the heading again.
TEST_F(RowDetailsTest, TwelveLineRowsStayWholeOnAPage) {
  Model& model = BuildLine({1}, false);
  PutItem(model, 2, DataType::GenericSupport);
  auto& support = static_cast<GenericSupport&>(*model.row(2).item);
  support.tag = "G1";
  MakeModel(model);
  const auto pages = TextPages([] {
    PrintRowDetails(InitDetailsRequest(kDetailsDataRows, static_cast<int>(DataType::GenericSupport),
                                       "Generic Supports", {{"6x6 Stiffness", 1, 35}, {"Node", 2, 6}}, 1, {},
                                       std::vector<int>(5, 2), 12));
  });
  // Page 1: the heading on lines 4 to 8, four rows on lines 9 to 56; the
  // fifth would need lines 57 to 68.
  ASSERT_EQ(pages.size(), 2u);
  ASSERT_EQ(pages[0].size(), 56u);
  for (std::size_t first : {8u, 20u, 32u, 44u}) {
    EXPECT_EQ(pages[0][first].substr(0, 7), "     20") << first;
    EXPECT_EQ(pages[0][first + 11].find_first_not_of(' '), 69u) << first;  // K66's unit at column 70
  }
  ASSERT_EQ(pages[1].size(), 3u + 5u + 12u + 1u);
  EXPECT_EQ(pages[1][3], std::string(37, ' ') + "Generic Supports");
  EXPECT_EQ(pages[1][5], std::string(34, ' ') + "6x6 Stiffness");
  EXPECT_EQ(pages[1][6], "     Node");
  EXPECT_EQ(pages[1][8].substr(0, 7), "     20");
  EXPECT_EQ(pages[1][8].find("Rigid"), 15u);           // K11 at column 16
  EXPECT_EQ(pages[1][9].find("(lb/inch)"), 15u);       // its unit under it
  EXPECT_EQ(pages[1][20], "   " + std::string(83, '-'));
  // The section in CSV: the node and the tag on the first line only, each
  // matrix row's terms under their column, their units on the next line.
  const std::string path = folder_ + "/generic.csv";
  ASSERT_TRUE(ReportOpenFile(nullptr, path));
  PrintGenericSupportsDetails();
  ASSERT_TRUE(ReportCloseFile());
  const std::vector<std::string> rows = Split(Bytes(path), '\n');
  ASSERT_GE(rows.size(), 20u);
  EXPECT_EQ(rows[3], "Generic Supports,\r");
  EXPECT_EQ(rows[5], ",,,,6x6 Stiffness,\r");
  EXPECT_EQ(rows[6], "Node,Tag, 1,2,3,4,5,6,\r");
  EXPECT_EQ(rows[8], "20,G1,Rigid,0,0,0,0,0,\r");
  EXPECT_EQ(rows[9], ",,(lb/inch),(lb/inch),(lb/inch),(lb/deg),(lb/deg),(lb/deg),\r");
  EXPECT_EQ(rows[10], ",,,Rigid,0,0,0,0,\r");
  EXPECT_EQ(rows[18], ",,,,,,,Rigid,\r");
  EXPECT_EQ(rows[19], ",,,,,,,(in-lb/deg),\r");
}

// Beams: element rows, the node the beam starts from at column 6 and its
// own at 13, then beta and the released ends; in CSV the two node cells
// and the beam's cells.
TEST_F(RowDetailsTest, BeamRowsPrintTheirTwoNodesAndTheirText) {
  using namespace beam_testing;
  Model& model = TheModel();
  StartBeamModel(model);
  AnchoredFrom(model, 10);
  BeamRow(model, 20, 120.0f);
  const int second = BeamRow(model, 30, 0.0f, 120.0f);
  BeamOf(model, second).beta = 30.0f;
  BeamOf(model, second).releases[0] = 1;      // axial, at the From end
  BeamOf(model, second).releases[6 + 3] = 1;  // torsion, at the To end
  MakeModel(model);
  const auto pages = TextPages(PrintBeamsDetails);
  ASSERT_EQ(pages.size(), 1u);
  const std::string rule = "   " + std::string(83, '-');
  const std::vector<std::string> golden{std::string(43, ' ') + "Beams",
                                        rule,
                                        std::string(45, ' ') + "End Releases",
                                        "     From   To      Beta     Axial  Maj Bnd Min Bnd Torsion Maj Shr Min Shr",
                                        std::string(28, ' ') + "From To From To From To From To From To From To",
                                        rule,
                                        "     10     20     0",
                                        "     20     30     30        Y" + std::string(27, ' ') + "Y",
                                        rule};
  ASSERT_EQ(pages[0].size(), 3u + golden.size());
  for (std::size_t i = 0; i < golden.size(); ++i) EXPECT_EQ(pages[0][3 + i], golden[i]);
  EXPECT_EQ(pages[0][10].find('Y'), 29u);   // axial, From: column 30
  EXPECT_EQ(pages[0][10].rfind('Y'), 57u);  // torsion, To: column 58
  const std::string path = folder_ + "/beams.csv";
  ASSERT_TRUE(ReportOpenFile(nullptr, path));
  PrintBeamsDetails();
  ASSERT_TRUE(ReportCloseFile());
  const std::string csv = Bytes(path);
  const std::string body = csv.substr(csv.find("\r\n\r\nBeams,") + 4);
  EXPECT_EQ(body,
            "Beams,\r\n\r\n,,,,,,,,End Releases,\r\n"
            "From,To,Beta,Axial,,Maj Bnd,,Min Bnd,,Torsion,,Maj Shr,,Min Shr,\r\n"
            ",,(deg),From,To,From,To,From,To,From,To,From,To,From,To,\r\n\r\n"
            "10,20,0,,,,,,,,,,,,,\r\n"
            "20,30,30,Y,,,,,,,Y,,,,,\r\n");
}

// A line along X: 10 from, 20 pipe, 30 a valve with an added weight, 40 an
// elastic element on turned axes, 50 a hinge joint about Z with friction.
class ElementDetailsTest : public RowDetailsTest {
 protected:
  void SetUp() override {
    RowDetailsTest::SetUp();
    using namespace analysis_testing;
    Model& model = TheModel();
    StartModel(model, 300.0, kDensity, ModelPath());
    PipeRow(model, 10, ElementType::From, 0.0f);
    PipeRow(model, 20, ElementType::Pipe, 60.0f);
    PipeRow(model, 30, ElementType::Pipe, 24.0f);
    PipeRow(model, 40, ElementType::Pipe, 0.0f);
    PipeRow(model, 50, ElementType::Pipe, 0.0f);
    PipeRow(model, 60, ElementType::Pipe, 60.0f);
    Valve& valve = static_cast<Valve&>(*SetElementType(model, 3, ElementType::Valve));
    valve.weight = 250.0f;
    valve.thicknessMultiplier = 2.5f;
    valve.additionalWeight = 40.0f;
    valve.dy = 20.0f;
    ElasticElement& elastic = static_cast<ElasticElement&>(*SetElementType(model, 4, ElementType::Elastic));
    elastic.kx = 1000.0f;
    elastic.ky = 0.0f;
    elastic.kz = 3000.0f;
    elastic.kxx = 4.0e5f;
    elastic.kyy = 5.0e5f;
    elastic.kzz = 6.0e5f;
    elastic.localX[0] = 0.0f;
    elastic.localX[1] = 1.0f;
    elastic.localX[2] = 0.0f;
    elastic.localY[0] = -1.0f;
    elastic.localY[1] = 0.0f;
    elastic.localY[2] = 0.0f;
    HingeJoint& hinge = static_cast<HingeJoint&>(*SetElementType(model, 5, ElementType::HingeJoint));
    hinge.stiffness = 5000.0f;
    hinge.frictionTorque = 120.0f;
    hinge.weight = 30.0f;
    hinge.axis[2] = 1.0f;
    MakeModel(model);
    SetCases(model, {1});
    EXPECT_EQ(WriteModelFile(ModelPath()), "");
    model.modified = false;
  }

  std::string Csv(const std::string& name, void (*print)()) {
    const std::string path = folder_ + "/" + name;
    EXPECT_TRUE(ReportOpenFile(nullptr, path));
    print();
    EXPECT_TRUE(ReportCloseFile());
    return Bytes(path);
  }
};

// The lines of a one-page block from its title on (the page header
// dropped), and the CSV from the title's line on.
std::vector<std::string> BlockLines(const std::vector<std::vector<std::string>>& pages) {
  EXPECT_EQ(pages.size(), 1u);
  if (pages.empty() || pages[0].size() < 3) return {};
  return {pages[0].begin() + 3, pages[0].end()};
}

std::string CsvFrom(const std::string& csv, const std::string& title) {
  const std::size_t at = csv.find("\r\n\r\n" + title + ",");
  return at == std::string::npos ? std::string() : csv.substr(at + 4);
}

const std::string kRule = "   " + std::string(83, '-');

// The model report's Details, printed from the Layout window's "Print
// Model" sheet: the element blocks in the order of their names, each with
// its row.
TEST_F(ElementDetailsTest, TheModelReportPrintsTheElementBlocksInTheOrderOfTheirNames) {
  const std::string text = folder_ + "/details.txt";
  PrintDetailsTo(text);
  const std::string all = Bytes(text);
  std::size_t at = 0;
  for (const char* row : {"Elastic elements\n", "     30    40 1000", "Hinge joints\n", "     40     50       87.27",
                          "Valves\n", "     20     30    250"}) {
    const std::size_t found = all.find(row, at);
    ASSERT_NE(found, std::string::npos) << row << " after " << at << "\n" << all;
    at = found;
  }
}

// A valve: the valve's text line after the two nodes, the nodes now at 6
// and 13; the offsets of the added weight only with an added weight.
TEST_F(ElementDetailsTest, ValveRowsPrintTheirNodesAndTheValvesLine) {
  const std::vector<std::string> golden{
      std::string(42, ' ') + "Valves",
      kRule,
      "                  Weight  Length  Thick Insul Add Wght   DX      DY      DZ",
      "     From   To     (lb)   (inch)    X   Wgt X  (lb)    (inch)  (inch)  (inch)",
      kRule,
      "     20     30    250             2.50  1.75   40      0       20      0",
      kRule};
  EXPECT_EQ(BlockLines(TextPages(PrintValvesDetails)), golden);
  EXPECT_EQ(CsvFrom(Csv("valves.csv", PrintValvesDetails), "Valves"),
            "Valves,\r\n\r\n"
            "From,To,(lb),(inch),,,(lb),(inch),(inch),(inch),\r\n"
            ",,Weight,Length,Thick X,Insul Wgt X,Add Wght,DX,DY,DZ,\r\n\r\n"
            "20,30,250,,2.50,1.75,40,0,20,0,\r\n");
}

// An elastic element: three lines a row, the nodes at 6 and 12, the
// rotational springs of 4, 5 and 6 x 10^5 in-lb/rad shown per degree
// (x pi/180: 6981.32, 8726.65, 10471.98); one CSV line a row.
TEST_F(ElementDetailsTest, ElasticRowsPrintThreeLinesUnderNodesAtSixAndTwelve) {
  const std::vector<std::string> golden{
      std::string(37, ' ') + "Elastic elements",
      kRule,
      "                        (lb/inch)                       (in-lb/deg)",
      "     From  To    kx         ky         kz        kxx        kyy        kzz",
      kRule,
      "     30    40 1000       0          3000       6981.32    8726.65    10471.98",
      "             x Xcomp    x Ycomp    x Zcomp    y Xcomp    y Ycomp    y Zcomp",
      "              0.000      1.000      0.000      -1.000     0.000      0.000",
      kRule};
  EXPECT_EQ(BlockLines(TextPages(PrintElasticElementsDetails)), golden);
  EXPECT_EQ(CsvFrom(Csv("elastic.csv", PrintElasticElementsDetails), "Elastic elements"),
            "Elastic elements,\r\n\r\n"
            "From,To,kx,ky,kz,kxx,kyy,kzz,xXcomp,xYcomp,xZcomp,yXcomp,yYcomp,yZcomp,\r\n"
            ",,(lb/inch),(lb/inch),(lb/inch),(in-lb/deg),(in-lb/deg),(in-lb/deg),\r\n\r\n"
            "30,40,1000,0,3000,6981.32,8726.65,10471.98,0.000,1.000,0.000,-1.000,0.000,0.000,\r\n");
}

// A hinge joint: 5000 in-lb/rad is 87.27 in-lb/deg, a friction torque of
// 120 in-lb is 10 ft-lb; zero axis components are left out of the text.
TEST_F(ElementDetailsTest, HingeRowsPrintTheirStiffnessFrictionWeightAndAxis) {
  const std::vector<std::string> golden{
      std::string(39, ' ') + "Hinge joints",
      kRule,
      "                   Rot.stiff   Frict.torq   Weight        Axis direction",
      "     From   To    (in-lb/deg)    (ft-lb)     (lb)     X comp   Y comp   Z comp",
      kRule,
      "     40     50       87.27       10          30                         1.000",
      kRule};
  EXPECT_EQ(BlockLines(TextPages(PrintHingeJointsDetails)), golden);
  EXPECT_EQ(CsvFrom(Csv("hinges.csv", PrintHingeJointsDetails), "Hinge joints"),
            "Hinge joints,\r\n\r\n"
            ",,Rot.stiff,Frict.torq,Weight,,Axis direction,\r\n"
            "From,To,(in-lb/deg),(ft-lb),(lb),X comp, Y comp, Z comp,\r\n\r\n"
            "40,50,87.27,10,30,0.000,0.000,1.000,\r\n");
}

// Nozzles: five lines a row (the nozzle's data, then the vessel and its
// three stiffnesses a line each), a cylindrical and a spherical vessel;
// one CSV line a row.
TEST_F(RowDetailsTest, NozzleRowsPrintTheirDataThenTheVesselAndStiffnesses) {
  using namespace analysis_testing;
  Model& model = TheModel();
  StartModel(model, 300.0, kDensity, ModelPath());
  PipeRow(model, 10, ElementType::From, 0.0f);
  PipeRow(model, 20, ElementType::Pipe, 60.0f);
  PipeRow(model, 30, ElementType::Pipe, 60.0f);
  PutItem(model, 2, DataType::Nozzle);
  Nozzle& cylinder = static_cast<Nozzle&>(*model.row(2).item);
  cylinder.tag = "N1";
  cylinder.nozzleOd = 8.625f;
  cylinder.nozzleThickness = 0.5f;
  cylinder.vesselOd = 96.0f;
  cylinder.vesselThickness = 1.0f;
  cylinder.l1 = 40.0f;
  cylinder.l2 = 120.0f;
  cylinder.elasticModulus = 29.0e6f;
  cylinder.vesselAxis = {0.0f, 1.0f, 0.0f};
  cylinder.axialStiffness = 2.0e6f;
  cylinder.circumferentialStiffness = 5.0e7f;
  cylinder.longitudinalStiffness = 8.0e7f;
  PutItem(model, 3, DataType::Nozzle);
  Nozzle& sphere = static_cast<Nozzle&>(*model.row(3).item);
  sphere.spherical = 1;
  sphere.nozzleOd = 6.625f;
  sphere.nozzleThickness = 0.28f;
  sphere.vesselOd = 60.0f;
  sphere.vesselThickness = 0.75f;
  sphere.elasticModulus = 29.0e6f;
  MakeModel(model);
  // 5.0e7 and 8.0e7 in-lb/rad are 8.727E+5 and 1.396E+6 in-lb/deg.
  const std::vector<std::string> golden{
      std::string(42, ' ') + "Nozzles",
      kRule,
      "            Nozzl OD Nozl Thk Vessl OD Vesl Thk  Modulus",
      "     Node                                                   X comp    Y comp    Z comp",
      kRule,
      "     20        8.625      0.5       96        1    29.0E+6             1.000",
      "            Vessel Type = Cylindrical L1 =1016    L2 = 3048",
      "            Axial stiffness =2.000E+6",
      "            Circumferential bending stiffness =8.727E+5",
      "            Longitudinal    bending stiffness =1.396E+6",
      "     30        6.625     0.28       60     0.75    29.0E+6",
      "            Vessel Type = Spherical",
      "            Axial stiffness =0",
      "            Circumferential bending stiffness =0",
      "            Longitudinal    bending stiffness =0",
      kRule};
  EXPECT_EQ(BlockLines(TextPages(PrintNozzlesDetails)), golden);
  const std::string path = folder_ + "/nozzles.csv";
  ASSERT_TRUE(ReportOpenFile(nullptr, path));
  PrintNozzlesDetails();
  ASSERT_TRUE(ReportCloseFile());
  EXPECT_EQ(CsvFrom(Bytes(path), "Nozzles"),
            "Nozzles,\r\n\r\n"
            ",,Nozzle OD,Nozzle Thk, Vessel OD/R, Vessel Thk, Modulus,,Vessel Axis,,,\r\n"
            "Node,Tag,(inch),(inch),(inch),(inch),(psi),Xcomp,Ycomp,Zcomp,\r\n\r\n"
            "20,N1,8.625,0.5,96,1,29.0E+6,0.000,1.000,0.000,\",Vessel Type = Cylindrical,L1 = 1016,L2 = 3048,"
            "Axial stiffness = 2.000E+6,Circumferential bending stiffness = 8.727E+5,"
            "Longitudinal bending stiffness = 1.396E+6\",\r\n"
            "30,,6.625,0.28,60,0.75,29.0E+6,0.000,0.000,0.000,\"Vessel Type = Spherical,Axial stiffness = 0,"
            "Circumferential bending stiffness = 0,Longitudinal bending stiffness = 0\",\r\n");
}

}  // namespace
