// The graphics window's line picture printed, previewed and copied, as a
// user does it: the print sheet's "&Print" goes through the Print dialog to
// a PDF whose text carries the plot title, the model name and the date;
// "Pre&view" shows the same one-page recording; Copy (Ctrl+C) puts the
// picture on the clipboard as a recorded picture and as an image, black
// lines on white with the footer below the picture. Rendered, Print opens
// "Print OpenGL Graphics", whose choices take effect at once; the page
// carries the off-screen render at the chosen resolution, made smaller
// rather than refused when it would be too large. The view is the
// window's again after each.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "GraphicsTesting.h"
#include "graphics/GraphicsPrinter.h"
#include "graphics/GraphicsState.h"
#include "graphics/PrintSheet.h"
#include "graphics/PrinterSettings.h"
#include "platform/Clipboard.h"
#include "platform/CommonDialog.h"
#include "platform/GlContext.h"
#include "platform/Metafile.h"
#include "platform/Paint.h"
#include "shell/General.h"
#include "shell/TempFiles.h"

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

std::vector<std::string> Texts(HENHMETAFILE picture) {
  std::vector<std::string> texts;
  for (const std::vector<DWORD>& record : platform::MetafileRecords(picture))
    if (record[0] == EMR_EXTTEXTOUTA)
      texts.emplace_back(reinterpret_cast<const char*>(record.data() + 12), record[10]);
  return texts;
}

class GraphicsPrintTest : public GraphicsFixture {
 protected:
  void SetUp() override {
    GraphicsFixture::SetUp();
    folder_ = fs::path(TempFolder()) / "graphics-print";
    fs::create_directories(folder_);
  }
  void TearDown() override {
    fs::remove_all(folder_);
    GraphicsFixture::TearDown();
  }
  void ShowTitledPlant() {
    ShowPlant(40);
    TheModel().title = "Line 3 (hot";
    TheModel().path = (folder_ / "Plant.mod").string();
    RequestGraphicsRedraw();
    platform::RunUntilIdle();
    before_ = OnGraphics([] { return ViewWindow; });
    scaleBefore_ = OnGraphics([] { return GraphicsScale; });
  }
  void ExpectViewAsBefore() const {
    EXPECT_EQ(OnGraphics([] { return ViewWindow.left; }), before_.left);
    EXPECT_EQ(OnGraphics([] { return ViewWindow.top; }), before_.top);
    EXPECT_EQ(OnGraphics([] { return GraphicsScale; }), scaleBefore_);
    EXPECT_FALSE(OnGraphics([] { return PrintingOutput || MetafileOutput; }));
  }
  fs::path folder_;
  ViewLimits before_{};
  float scaleBefore_ = 0.0f;
};

TEST_F(GraphicsPrintTest, ThePictureReachesAPdfWithItsTitlesAndDate) {
  ShowTitledPlant();
  const fs::path pdf = folder_ / "picture.pdf";
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Graphics",
                        [](HWND sheet) { AppFixture::Click(GetDlgItem(sheet, IDOK)); });
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print", [pdf](HWND dialog) {
    SetDlgItemText(dialog, edt3, pdf.c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  Command(106);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  ASSERT_EQ(ReadAll(pdf).substr(0, 5), "%PDF-");
  EXPECT_EQ(GraphicsPrinter().document, nullptr);  // the recording ends with the job
  ExpectViewAsBefore();
  if (std::system("command -v pdftotext >/dev/null 2>&1") != 0) GTEST_SKIP() << "pdftotext is not installed";
  ASSERT_EQ(std::system(("pdftotext -layout '" + pdf.string() + "' '" + pdf.string() + ".txt'").c_str()), 0);
  const std::string text = ReadAll(pdf.string() + ".txt");
  for (const std::string& expected : {std::string("Line 3 (hot"), std::string("Plant"), FormatTodayDate()})
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  EXPECT_EQ(text.find('\f'), text.rfind('\f'));  // one page
}

TEST_F(GraphicsPrintTest, ThePreviewShowsTheOnePageRecording) {
  ShowTitledPlant();
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Graphics",
                        [](HWND sheet) { AppFixture::Click(GetDlgItem(sheet, 1001)); });
  Command(106);
  platform::RunUntilIdle();
  PrinterSettings& printer = GraphicsPrinter();
  ASSERT_NE(printer.previewFrame, nullptr);
  ASSERT_NE(printer.document, nullptr);
  EXPECT_EQ(printer.pageCount, 1);
  const std::vector<std::string> texts = Texts(printer.document);
  ASSERT_GE(texts.size(), 3u);
  EXPECT_EQ(texts[0], "Line 3 (hot");
  EXPECT_EQ(texts[1], "Plant");
  EXPECT_NE(std::find(texts.begin(), texts.end(), FormatTodayDate()), texts.end());
  // Node numbers of the picture are among the texts when they are shown;
  // the lines themselves are there as line records.
  std::size_t lines = 0;
  for (const std::vector<DWORD>& record : platform::MetafileRecords(printer.document))
    lines += record[0] == EMR_LINETO || record[0] == EMR_POLYLINE || record[0] == EMR_POLYLINETO;
  EXPECT_GT(lines, 10u);
  ExpectViewAsBefore();
  SendMessage(printer.previewFrame, WM_CLOSE, 0, 0);
  platform::RunUntilIdle();
  EXPECT_EQ(printer.previewFrame, nullptr);
}

TEST_F(GraphicsPrintTest, CopyOffersThePictureAndAnImageOfIt) {
  ShowTitledPlant();
  RECT client{};
  GetClientRect(Painting(), &client);
  Command(363);
  platform::RunUntilIdle();
  ASSERT_TRUE(OpenClipboard(Frame()));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_ENHMETAFILE));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
  auto picture = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
  auto image = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  ASSERT_NE(picture, nullptr);
  ASSERT_NE(image, nullptr);
  const std::vector<std::string> texts = Texts(picture);
  ASSERT_GE(texts.size(), 2u);
  EXPECT_EQ(texts[0], "Line 3 (hot");
  BITMAP info{};
  ASSERT_NE(GetObject(image, sizeof info, &info), 0);
  // The picture has the window's size; the header and footer lines add to it.
  EXPECT_EQ(info.bmWidth, client.right);
  EXPECT_GT(info.bmHeight, client.bottom);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(memory, image);
  int black = 0, white = 0, other = 0;
  for (int y = 0; y < info.bmHeight; y += 3)
    for (int x = 0; x < info.bmWidth; x += 3) {
      const COLORREF c = GetPixel(memory, x, y);
      (c == RGB(0, 0, 0) ? black : c == RGB(255, 255, 255) ? white : other)++;
    }
  // The frame's left edge is black halfway down.
  EXPECT_EQ(GetPixel(memory, 0, info.bmHeight / 2), RGB(0, 0, 0));
  SelectObject(memory, old);
  DeleteDC(memory);
  CloseClipboard();
  EXPECT_GT(black, 50);
  EXPECT_GT(white, 10 * black);  // white paper, whatever the window's background
  ExpectViewAsBefore();
}

// The render's size in the page's recording: its stretch record holds the
// source width and height after the target rectangle.
SIZE RenderSize(HENHMETAFILE document, SIZE* target = nullptr) {
  for (const std::vector<DWORD>& record : platform::MetafileRecords(document)) {
    if (record[0] != EMR_STRETCHDIBITS || record.size() < 8) continue;
    if (target != nullptr) *target = SIZE{static_cast<LONG>(record[4]), static_cast<LONG>(record[5])};
    return SIZE{static_cast<LONG>(record[6]), static_cast<LONG>(record[7])};
  }
  return SIZE{0, 0};
}

TEST_F(GraphicsPrintTest, RenderedThePageCarriesTheRenderAtTheChosenResolution) {
  ShowTitledPlant();
  if (!OnGraphics([] { return g_RenderAvailable; })) GTEST_SKIP() << "no OpenGL";
  Command(130);  // Render
  ASSERT_TRUE(g_RenderedMode);
  TheRenderedPrintOptions() = RenderedPrintOptions{};
  // Low, then Preview: the dialog's choices are kept as they are clicked.
  platform::ExpectModal(platform::ModalKind::Dialog, "PRINT_OPENGL_DIALOG", [](HWND dialog) {
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1402), static_cast<UINT>(BST_CHECKED));  // Medium at first
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1406), static_cast<UINT>(BST_CHECKED));  // White
    char text[64] = {};
    GetDlgItemText(dialog, 1501, text, sizeof text);
    EXPECT_STREQ(text, "PDF");
    CheckRadioButton(dialog, 1401, 1404, 1401);
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1401, BN_CLICKED), 0);
    SendMessage(dialog, WM_COMMAND, 1001, 0);
  });
  Command(106);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_EQ(TheRenderedPrintOptions().resolution, 0);
  PrinterSettings& printer = GraphicsPrinter();
  ASSERT_NE(printer.previewFrame, nullptr);
  ASSERT_NE(printer.document, nullptr);
  SIZE target{};
  const SIZE low = RenderSize(printer.document, &target);
  ASSERT_GT(target.cx, 1000);  // a page of printer pixels, larger than the Low render
  EXPECT_EQ(std::max(low.cx, low.cy), 1000);
  EXPECT_NEAR(static_cast<double>(low.cx) / low.cy, static_cast<double>(target.cx) / target.cy, 0.01);
  const std::vector<std::string> texts = Texts(printer.document);
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts[0], "Line 3 (hot");
  SendMessage(printer.previewFrame, WM_CLOSE, 0, 0);
  platform::RunUntilIdle();
  ExpectViewAsBefore();
  EXPECT_TRUE(g_RenderedMode);
  // HD asks for twice the page's pixels: the render is made smaller, its
  // shape kept, never beyond what the renderer draws.
  TheRenderedPrintOptions().resolution = 3;
  platform::ExpectModal(platform::ModalKind::Dialog, "PRINT_OPENGL_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, 1001, 0); });
  Command(106);
  platform::RunUntilIdle();
  ASSERT_NE(printer.previewFrame, nullptr);
  const SIZE hd = RenderSize(printer.document);
  const SIZE largest = platform::GlMaximumPictureSize();
  EXPECT_GT(hd.cx, low.cx);
  EXPECT_LE(hd.cx, largest.cx);
  EXPECT_LE(hd.cy, largest.cy);
  EXPECT_LE(static_cast<double>(hd.cx) * hd.cy, 24.0e6);
  EXPECT_NEAR(static_cast<double>(hd.cx) / hd.cy, static_cast<double>(target.cx) / target.cy, 0.01);
  SendMessage(printer.previewFrame, WM_CLOSE, 0, 0);
  platform::RunUntilIdle();
  // The window renders again with its own context: a pipe's grey is there.
  ExpectViewAsBefore();
  RequestGraphicsRedraw();
  platform::RunUntilIdle();
  RECT client{};
  GetClientRect(Painting(), &client);
  int grey = 0;
  for (int y = 0; y < client.bottom; y += 8)
    for (int x = 0; x < client.right; x += 8) grey += IsGrey(Pixel(x, y));
  EXPECT_GT(grey, 5);
  Command(130);  // back to the line picture
  TheRenderedPrintOptions() = RenderedPrintOptions{};
}

}  // namespace
