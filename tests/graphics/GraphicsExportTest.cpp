// "Print Graphics to File" from the graphics window's print sheet: the
// HPGL, DXF and EPS files as written (their preambles, layers, coordinates
// and texts), a wrong extension and an unwritable file named in an error
// with nothing left behind, and the view given back after each export; the
// Plot Title and Drawing Size dialogs that the files take their title and
// paper from.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <fstream>
#include <sstream>

#include "graphics/GraphicsExport.h"
#include "graphics/GraphicsTesting.h"
#include "graphics/ViewCommands.h"
#include "platform/CommonDialog.h"
#include "platform/Menu.h"
#include "platform/Messages.h"
#include "records/DrawingGeometry.h"
#include "services/ProgramContext.h"
#include "services/TempFiles.h"
#include "services/ViewRequests.h"

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

class GraphicsExportTest : public GraphicsFixture {
 protected:
  void SetUp() override {
    GraphicsFixture::SetUp();
    folder_ = fs::path(TempFolder()) / "graphics-export";
    fs::create_directories(folder_);
    TheDrawingSize() = DrawingSize{};
  }
  void TearDown() override {
    fs::remove_all(folder_);
    TheDrawingSize() = DrawingSize{};
    GraphicsFixture::TearDown();
  }
  // Print sheet, "Print to &File", the save dialog with `path`.
  // `then` queues what the export shows afterwards.
  static void ExportThroughTheSheet(const fs::path& path, const std::function<void()>& then) {
    platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Graphics",
                          [](HWND sheet) { AppFixture::Click(GetDlgItem(sheet, 1002)); });
    platform::ExpectModal(platform::ModalKind::CommonDialog, "Print Graphics to File", [path](HWND dialog) {
      SetDlgItemText(dialog, edt1, path.c_str());
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    then();
    Command(106);
    platform::RunUntilIdle();
  }
  static void ExpectNotice(const std::string& text) {
    platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG", [text](HWND dialog) {
      char shown[64] = {};
      GetDlgItemText(dialog, 1501, shown, sizeof shown);
      EXPECT_EQ(shown, text);
    });
  }
  static void ExpectError(const std::string& first, const char* dialogName = "MESSAGE1_DIALOG") {
    platform::ExpectModal(platform::ModalKind::Dialog, dialogName, [first](HWND dialog) {
      EXPECT_EQ(LinesOfDialog(dialog).at(0), first);
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
  }
  static std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
  }
  fs::path folder_;
};

TEST_F(GraphicsExportTest, DxfCarriesItsLayersAndTheElementsInsideTheLimits) {
  ShowPlant(40);
  TheModel().title = "Line 3 (hot)";
  RequestGraphicsRedraw();
  platform::RunUntilIdle();
  const ViewLimits before = OnGraphics([] { return ViewWindow; });
  const float scaleBefore = OnGraphics([] { return GraphicsScale; });
  const fs::path path = folder_ / "plant.dxf";
  ExportThroughTheSheet(path, [] { ExpectNotice("dxf written."); });
  platform::CheckModalScript();
  const std::string dxf = ReadAll(path);
  ASSERT_FALSE(dxf.empty());
  EXPECT_EQ(dxf.rfind("  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$LIMMIN\r\n 10\r\n0.4\r\n", 0), 0u);
  // Size A landscape, 10.0 x 7.3 in, with its margins.
  EXPECT_NE(dxf.find("$LIMMAX\r\n 10\r\n10.6000\r\n 20\r\n8.1000\r\n"), std::string::npos);
  EXPECT_EQ(Count(dxf, "  0\r\nLAYER\r\n"), 23u);
  for (const char* off : {"FORCES", "OTHER", "LENGTHS", "ROW_NUMBERS"})
    EXPECT_NE(dxf.find(std::string("  2\r\n") + off + "\r\n 70\r\n0\r\n 62\r\n-7\r\n"), std::string::npos) << off;
  EXPECT_NE(dxf.find("  2\r\nELEMENTS\r\n 70\r\n0\r\n 62\r\n7\r\n"), std::string::npos);
  EXPECT_NE(dxf.find("  0\r\nTEXT\r\n  8\r\nTITLE\r\n"), std::string::npos);
  EXPECT_NE(dxf.find("  1\r\nLine 3 (hot)\r\n"), std::string::npos) << dxf.substr(dxf.find("TEXT\r\n  8\r\nTITLE"), 300);
  // Every line of the elements lies on the drawing, inside the limits.
  std::size_t lines = 0;
  const std::string entity = "LINE\r\n  8\r\nELEMENTS\r\n";
  for (std::size_t at = dxf.find(entity); at != std::string::npos; at = dxf.find(entity, at + 1)) {
    ++lines;
    std::istringstream rest(dxf.substr(at + entity.size(), 200));
    std::string code, value;
    for (int pair = 0; pair < 4 && std::getline(rest, code) && std::getline(rest, value); ++pair) {
      const double v = std::stod(value);
      EXPECT_GE(v, 0.4) << code << value;
      EXPECT_LE(v, code[1] == '1' ? 10.6 : 8.1) << code << value;
    }
  }
  EXPECT_GT(lines, 10u);
  EXPECT_EQ(dxf.substr(dxf.size() - 18), "ENDSEC\r\n  0\r\nEOF\r\n");
  // The view is the window's again.
  EXPECT_EQ(OnGraphics([] { return ViewWindow.left; }), before.left);
  EXPECT_EQ(OnGraphics([] { return ViewWindow.top; }), before.top);
  EXPECT_EQ(OnGraphics([] { return GraphicsScale; }), scaleBefore);
  EXPECT_FALSE(OnGraphics([] { return DxfOutput; }));
  EXPECT_FALSE(fs::exists(folder_ / "plant.dxf.part"));
}

TEST_F(GraphicsExportTest, EpsEscapesItsTextsAndBoundsThePicture) {
  ShowPlant(40);
  const fs::path path = folder_ / "plant.eps";
  platform::ExpectModal(platform::ModalKind::Dialog, "PLOT_TITLE_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Plot Title");
    SetDlgItemText(dialog, 1301, "Line 3 (hot \\ wet");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  Command(342);
  platform::CheckModalScript();
  ExportThroughTheSheet(path, [] { ExpectNotice("eps written."); });
  platform::CheckModalScript();
  const std::string eps = ReadAll(path);
  EXPECT_EQ(eps.rfind("%!PS-Adobe-3.0 EPSF-3.0\r\n%%Creator:Quorvel\r\n", 0), 0u);
  EXPECT_NE(eps.find("(Line 3 \\(hot \\\\ wet) show\r\n"), std::string::npos);
  // Scale: 6.5 x 72 points over the width or 9 x 72 over the height.
  const ViewLimits view = OnGraphics([] { return ViewWindow; });
  const float scale = std::min(72.0f * 6.5f / (view.right - view.left), 72.0f * 9.0f / (view.top - view.bottom));
  const std::string box = "%%BoundingBox:70 70 " + std::to_string(static_cast<int>((view.right - view.left) * scale + 0.5f) + 74) +
                          " " + std::to_string(static_cast<int>((view.top - view.bottom) * scale + 0.5f) + 90) + "\r\n";
  EXPECT_NE(eps.find(box), std::string::npos) << eps.substr(0, 300);
  EXPECT_NE(eps.find("closepath\r\nclip\r\n"), std::string::npos);
  EXPECT_GT(Count(eps, " lineto\r\nstroke\r\n"), 10u);
  EXPECT_EQ(eps.substr(eps.size() - 7), "%%EOF\r\n");
}

TEST_F(GraphicsExportTest, HpglPortraitTurnsThePaperAndEndsLabelsWithEtx) {
  ShowPlant(40);
  platform::ExpectModal(platform::ModalKind::Dialog, "DRAWING_SIZE_DIALOG", [](HWND dialog) {
    EXPECT_EQ(SendDlgItemMessage(dialog, 1201, CB_GETCOUNT, 0, 0), 10);
    EXPECT_EQ(SendDlgItemMessage(dialog, 1201, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1402), BST_CHECKED);
    CheckRadioButton(dialog, 1401, 1402, 1401);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  Command(347);
  platform::CheckModalScript();
  EXPECT_TRUE(TheDrawingSize().portrait);
  TheModel().title = std::string("Bad\x03") + "title";
  RequestGraphicsRedraw();
  platform::RunUntilIdle();
  const fs::path path = folder_ / "plant.PLT";
  ExportThroughTheSheet(path, [] { ExpectNotice("plt written."); });
  platform::CheckModalScript();
  const std::string plt = ReadAll(path);
  EXPECT_EQ(plt.rfind("\x1b" "E\x1b&l1O\x1b%0B\r\nIN;IP500,500,1500,1500;\r\nSC0,1000,0,1000;SI0.16,0.25;\r\nRO90;\r\n", 0), 0u);
  // The title without its control byte; every label ends with byte 3.
  EXPECT_NE(plt.find(";LBBadtitle\x03\r\n"), std::string::npos);
  EXPECT_EQ(Count(plt, ";LB"), Count(plt, "\x03\r\n"));
  EXPECT_GT(Count(plt, "SP1;PU"), 10u);
  EXPECT_EQ(plt.substr(plt.size() - 14), "SP;PG;IN;\r\n\f\x1b" "E");
  // The drawing is 6.9 in wide standing: no point beyond 6900 thousandths.
  std::size_t beyond = 0;
  for (std::size_t at = plt.find(";PD"); at != std::string::npos; at = plt.find(";PD", at + 1))
    if (std::stod(plt.substr(at + 3)) > 6900.5) ++beyond;
  EXPECT_EQ(beyond, 0u);
}

// A solid line after a dashed one is set with the HP-GL/2 default line
// type, an instruction every plotter knows.
TEST_F(GraphicsExportTest, HpglSetsSolidLinesWithTheDefaultLineType) {
  ShowPlant(40, true);
  const fs::path path = folder_ / "lines.plt";
  platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG", [](HWND) {});
  ASSERT_TRUE(OnGraphics([&] { return WriteGraphicsFile(nullptr, path.string()); }));
  const std::string plt = ReadAll(path);
  EXPECT_GT(Count(plt, "LT;\r\n"), 0u);
  EXPECT_EQ(Count(plt, "LE;"), 0u);
}

// The program's own letters (Windows-1252) come back from a PostScript
// reader as they were typed, the feet mark straight.
TEST_F(GraphicsExportTest, EpsLettersAboveAsciiReachAPostScriptReader) {
  if (std::system("command -v gs >/dev/null 2>&1") != 0) GTEST_SKIP() << "no PostScript reader (gs)";
  ShowPlant(10);
  TheModel().graphics.plotTitle = "Dampf Gr\xfc\xdf" "e caf\xe9 3'";
  TheModel().graphics.plotTitleChosen = true;
  RequestGraphicsRedraw();
  platform::RunUntilIdle();
  const fs::path path = folder_ / "letters.eps";
  platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG", [](HWND) {});
  ASSERT_TRUE(OnGraphics([&] { return WriteGraphicsFile(nullptr, path.string()); }));
  const fs::path text = folder_ / "letters.txt";
  ASSERT_EQ(std::system(("gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=txtwrite -sOutputFile='" + text.string() + "' '" +
                         path.string() + "' >/dev/null 2>&1")
                            .c_str()),
            0);
  const std::string read = ReadAll(text);
  EXPECT_NE(read.find("Dampf Gr\xc3\xbc\xc3\x9f" "e caf\xc3\xa9 3'"), std::string::npos) << read;
}

TEST_F(GraphicsExportTest, WrongExtensionsAndUnwritableFilesSaySoAndLeaveNothing) {
  ShowPlant(40);
  ExportThroughTheSheet(folder_ / "plant.dwg", [] { ExpectError("File extension must be : emf, eps, dxf or plt"); });
  platform::CheckModalScript();
  EXPECT_FALSE(fs::exists(folder_ / "plant.dwg"));
  // A file where the folder should be: the file cannot be made.
  std::ofstream(folder_ / "notes") << "x";
  const fs::path blocked = folder_ / "notes" / "plant.dxf";
  ExpectError("Unable to open DXF file for output", "MESSAGE2_DIALOG");
  EXPECT_FALSE(OnGraphics([&] { return WriteGraphicsFile(nullptr, blocked.string()); }));
  platform::CheckModalScript();
  // A name taken by a folder: written beside it, it cannot take its place;
  // the folder stays and nothing is left beside it.
  const fs::path taken = folder_ / "taken.eps";
  fs::create_directories(taken / "inside");
  ExpectError("Unable to write " + taken.string());
  EXPECT_FALSE(OnGraphics([&] { return WriteGraphicsFile(nullptr, taken.string()); }));
  platform::CheckModalScript();
  EXPECT_TRUE(fs::is_directory(taken / "inside"));
  EXPECT_FALSE(fs::exists(folder_ / "taken.eps.part"));
}

TEST_F(GraphicsExportTest, TextsDropControlBytesAndEpsEscapesItsDelimiters) {
  EXPECT_EQ(PlainFileText(std::string("A\x03" "B\tC\x7f" "D")), "ABCD");
  EXPECT_EQ(EpsFileText("f(x) \\ g"), "f\\(x\\) \\\\ g");
  // A square view on a lying A sheet widens; on a standing one it grows up.
  RunOnGraphicsThread([] {
    SaveViewSettings();
    ViewWindow = ViewLimits{-10.0f, 10.0f, -10.0f, 10.0f};
    FitViewToArea(9.8f, 6.9f);
    EXPECT_FLOAT_EQ(ViewWindow.top, 10.0f);
    EXPECT_NEAR(ViewWindow.right, 10.0f * 9.8f / 6.9f, 1e-4f);
    EXPECT_NEAR(GraphicsScale, 6.9f / 20.0f, 1e-6f);
    ViewWindow = ViewLimits{-10.0f, 10.0f, -10.0f, 10.0f};
    FitViewToArea(6.9f, 9.8f);
    EXPECT_FLOAT_EQ(ViewWindow.right, 10.0f);
    EXPECT_NEAR(ViewWindow.top, 10.0f * 9.8f / 6.9f, 1e-4f);
    RestoreViewSettings();
  });
}

// A sheet that ends without any of its buttons (destroyed with its owner,
// or the program quitting) is no Print: the window prints nothing, says
// nothing, and is left enabled.
TEST_F(GraphicsExportTest, ASheetEndedWithoutAButtonPrintsNothing) {
  ShowPlant(10);
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Graphics",
                        [](HWND sheet) { DestroyWindow(sheet); });
  Command(106);
  platform::RunUntilIdle();
  EXPECT_TRUE(IsWindowEnabled(Frame()));
  // Cancel answers nothing either; OK reaches the printer road.
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Graphics",
                        [](HWND sheet) { SendMessage(sheet, WM_COMMAND, IDCANCEL, 0); });
  Command(106);
  platform::RunUntilIdle();
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Graphics",
                        [](HWND sheet) { AppFixture::Click(GetDlgItem(sheet, IDOK)); });
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
  Command(106);
  platform::RunUntilIdle();
  platform::CheckModalScript();
}

}  // namespace
