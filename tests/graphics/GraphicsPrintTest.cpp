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
#include <cairo.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "graphics/GraphicsExport.h"
#include "graphics/GraphicsPrinter.h"
#include "graphics/GraphicsTesting.h"
#include "model/GraphicsState.h"
#include "platform/Clipboard.h"
#include "platform/CommonDialog.h"
#include "platform/Gdi.h"
#include "platform/GlContext.h"
#include "platform/Menu.h"
#include "platform/Messages.h"
#include "platform/Metafile.h"
#include "platform/Paint.h"
#include "printing/PrinterSettings.h"
#include "records/DrawingGeometry.h"
#include "results/ShapeOverlay.h"
#include "model/Drawing2D.h"
#include "services/Assert.h"
#include "services/General.h"
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
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, rad3)));  // one page: no range to choose
    SetDlgItemText(dialog, edt3, pdf.c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  Command(106);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  ASSERT_EQ(ReadAll(pdf).substr(0, 5), "%PDF-");
  EXPECT_EQ(GraphicsPrinter().document, nullptr);  // the recording ends with the job
  ExpectViewAsBefore();
  ASSERT_EQ(std::system("command -v pdftotext >/dev/null 2>&1"), 0) << "pdftotext (poppler-utils) is not installed";
  ASSERT_EQ(std::system(("pdftotext -layout '" + pdf.string() + "' '" + pdf.string() + ".txt'").c_str()), 0);
  const std::string text = ReadAll(pdf.string() + ".txt");
  for (const std::string& expected : {std::string("Line 3 (hot"), std::string("Plant"), FormatTodayDate()})
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  EXPECT_EQ(text.find('\f'), text.rfind('\f'));  // one page
}

// What the window shows is what is printed and written: a shape shown
// over the model adds its lines to the page and the EPS file, and its
// title stands in the page's footer.
TEST_F(GraphicsPrintTest, AShapeShownIsPrintedAndWrittenWithItsTitle) {
  ShowTitledPlant();
  const auto picture = [] {
    return OnGraphics([] {
      SIZE extent{};
      HENHMETAFILE recorded = RecordWindowPicture(extent);
      std::size_t lines = 0;
      for (const std::vector<DWORD>& record : platform::MetafileRecords(recorded))
        lines += record[0] == EMR_LINETO || record[0] == EMR_POLYLINE || record[0] == EMR_POLYLINETO;
      std::vector<std::string> texts = Texts(recorded);
      DeleteEnhMetaFile(recorded);
      return std::make_pair(lines, texts);
    });
  };
  const auto strokes = [this](const char* name) {
    const fs::path path = folder_ / name;
    platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG", [](HWND) {});
    EXPECT_TRUE(OnGraphics([&] { return WriteGraphicsFile(nullptr, path.string()); }));
    const std::string eps = ReadAll(path);
    std::size_t count = 0;
    for (std::size_t at = eps.find("stroke"); at != std::string::npos; at = eps.find("stroke", at + 1)) ++count;
    return count;
  };
  const auto [plainLines, plainTexts] = picture();
  const std::size_t plainStrokes = strokes("plain.eps");
  // A shape of four segments along the first five nodes, each moved 10 up.
  auto overlay = std::make_shared<ShapeOverlay>();
  overlay->lines.emplace_back();
  const NodeTable& nodes = TheModel().nodes;
  for (int index = 1; index <= 5 && index <= nodes.count; ++index)
    overlay->lines.back().push_back({{nodes[index].x, nodes[index].y, nodes[index].z}, {0.0f, 10.0f, 0.0f}});
  ASSERT_EQ(overlay->lines.back().size(), 5u);
  SetShapeOverlay(overlay, 1.0f);
  SetGraphicsTitle("Deflected shape: Empty Weight (W)");
  platform::RunUntilIdle();
  const auto [shapeLines, shapeTexts] = picture();
  const std::size_t shapeStrokes = strokes("shape.eps");
  ClearShapeOverlay();
  EXPECT_GE(shapeLines, plainLines + 4) << plainLines;
  EXPECT_GE(shapeStrokes, plainStrokes + 4) << plainStrokes;
  EXPECT_EQ(std::count(plainTexts.begin(), plainTexts.end(), "Deflected shape: Empty Weight (W)"), 0);
  EXPECT_EQ(std::count(shapeTexts.begin(), shapeTexts.end(), "Deflected shape: Empty Weight (W)"), 1);
  std::string title;
  DrawGraphicsTitle(title);
  EXPECT_EQ(title, "");  // taken away with the shape
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

// The longest vertical run of result-scale colours in a PNG picture that
// starts red and ends blue, and how many neighbouring columns carry one as
// long: the colour bar, where there is one.
struct BarRun {
  int height = 0, columns = 0;
};
BarRun FindColourBar(const std::string& png) {
  BarRun found;
  cairo_surface_t* image = cairo_image_surface_create_from_png(png.c_str());
  if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(image);
    return found;
  }
  cairo_surface_flush(image);
  const int width = cairo_image_surface_get_width(image), height = cairo_image_surface_get_height(image);
  const int stride = cairo_image_surface_get_stride(image);
  const unsigned char* data = cairo_image_surface_get_data(image);
  auto at = [&](int x, int y) {
    std::uint32_t pixel = 0;
    std::memcpy(&pixel, data + y * stride + x * 4, 4);
    return RGB((pixel >> 16) & 255, (pixel >> 8) & 255, pixel & 255);
  };
  std::vector<int> runs(static_cast<std::size_t>(width), 0);
  for (int x = 0; x < width; ++x) {
    int start = -1;
    for (int y = 0; y <= height; ++y) {
      const bool scale = y < height && ScaleColour(at(x, y));
      if (scale && start < 0) start = y;
      if (scale || start < 0) continue;
      const COLORREF first = at(x, start), last = at(x, y - 1);
      const bool redToBlue = GetRValue(first) > 200 && GetBValue(first) < 60 && GetBValue(last) > 200 && GetRValue(last) < 60;
      if (redToBlue) runs[static_cast<std::size_t>(x)] = std::max(runs[static_cast<std::size_t>(x)], y - start);
      start = -1;
    }
  }
  cairo_surface_destroy(image);
  found.height = *std::max_element(runs.begin(), runs.end());
  for (int run : runs) found.columns += found.height > 0 && run >= found.height - 2;
  return found;
}

// Rendered, a stress picture goes to paper with its colour scale as the
// window shows it: the bar, 25 by 192 pixels of the screen's 96 per inch
// (so 0.26 by 2 inches on the page), red at the top and blue at the foot,
// with its five texts beside it.
TEST_F(GraphicsPrintTest, RenderedAStressPictureIsPrintedWithItsColourScale) {
  ShowTitledPlant();
  if (!OnGraphics([] { return g_RenderAvailable; })) GTEST_SKIP() << "no OpenGL";
  Command(130);  // Render
  ASSERT_TRUE(g_RenderedMode);
  TheRenderedPrintOptions() = RenderedPrintOptions{};
  const std::array<std::string, 5> scale = {"2.100E+004 psi", "1.600E+004 psi", "1.100E+004 psi", "6.000E+003 psi",
                                            "1.000E+003 psi"};
  ShowStressPicture(1000.0f, 21000.0f, 4000.0f, 18000.0f, scale);
  // The preview's recording writes the scale's texts.
  platform::ExpectModal(platform::ModalKind::Dialog, "PRINT_OPENGL_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, 1001, 0); });
  Command(106);
  PrinterSettings& printer = GraphicsPrinter();
  ASSERT_NE(printer.document, nullptr);
  const std::vector<std::string> texts = Texts(printer.document);
  for (const std::string& text : scale) EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
  SendMessage(printer.previewFrame, WM_CLOSE, 0, 0);
  platform::RunUntilIdle();
  // Printed to a PDF, the page carries the bar.
  const fs::path pdf = folder_ / "stresses.pdf";
  platform::ExpectModal(platform::ModalKind::Dialog, "PRINT_OPENGL_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); });
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print", [pdf](HWND dialog) {
    SetDlgItemText(dialog, edt3, pdf.c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  Command(106);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  ASSERT_EQ(ReadAll(pdf).substr(0, 5), "%PDF-");
  ExpectViewAsBefore();
  ASSERT_EQ(std::system("command -v pdftoppm >/dev/null 2>&1 && command -v pdftotext >/dev/null 2>&1"), 0)
      << "pdftoppm or pdftotext (poppler-utils) is not installed";
  ASSERT_EQ(std::system(("pdftotext -layout '" + pdf.string() + "' '" + pdf.string() + ".txt'").c_str()), 0);
  const std::string text = ReadAll(pdf.string() + ".txt");
  for (const std::string& expected : scale) EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  const std::string png = std::string(QUORVEL_BINARY_DIR) + "/graphics-rendered-stresses";
  ASSERT_EQ(std::system(("pdftoppm -r 96 -png -singlefile '" + pdf.string() + "' '" + png + "'").c_str()), 0);
  const BarRun bar = FindColourBar(png + ".png");
  EXPECT_NEAR(bar.height, 192, 3);
  EXPECT_NEAR(bar.columns, 25, 3);
  ClearResultPicture();
  Command(130);  // back to the line picture
}

}  // namespace

namespace {

std::uint32_t Word(const std::string& bytes, std::size_t at) {
  std::uint32_t word = 0;
  for (int i = 3; i >= 0; --i) word = (word << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  return word;
}

// "Print to File" with an .emf name: a file whose records chain from the
// header to the end, which an independent reader turns into a drawing
// with the picture's title and lines.
TEST_F(GraphicsPrintTest, TheLinePictureBecomesAnEnhancedMetafileFile) {
  ShowTitledPlant();
  const fs::path path = folder_ / "picture.emf";
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Graphics",
                        [](HWND sheet) { AppFixture::Click(GetDlgItem(sheet, 1002)); });
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print Graphics to File", [path](HWND dialog) {
    SetDlgItemText(dialog, edt1, path.c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  std::string notice;
  platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG", [&notice](HWND dialog) {
    char shown[64] = {};
    GetDlgItemText(dialog, 1501, shown, sizeof shown);
    notice = shown;
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  Command(106);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_EQ(notice, "emf written.");
  const std::string bytes = ReadAll(path);
  ASSERT_GT(bytes.size(), 200u);
  EXPECT_EQ(Word(bytes, 0), 1u);                 // the header
  EXPECT_EQ(Word(bytes, 40), 0x464D4520u);       // " EMF"
  EXPECT_EQ(Word(bytes, 48), bytes.size());      // its length
  // The records chain to the end record, their count as the header says.
  std::size_t at = 0, records = 0, lines = 0;
  std::uint32_t last = 0;
  while (at + 8 <= bytes.size()) {
    last = Word(bytes, at);
    const std::uint32_t size = Word(bytes, at + 4);
    ASSERT_GE(size, 8u);
    ASSERT_EQ(size % 4, 0u);
    lines += last == EMR_LINETO || last == EMR_POLYLINE;
    ++records;
    at += size;
  }
  EXPECT_EQ(at, bytes.size());
  EXPECT_EQ(last, EMR_EOF);
  EXPECT_EQ(records, Word(bytes, 52));
  EXPECT_GT(lines, 10u);
  EXPECT_FALSE(fs::exists(path.string() + ".part"));
  ExpectViewAsBefore();
  if (std::system("command -v emf2svg-conv >/dev/null 2>&1") != 0) GTEST_SKIP() << "emf2svg-conv is not installed";
  const std::string svg = path.string() + ".svg";
  ASSERT_EQ(std::system(("emf2svg-conv -i '" + path.string() + "' -o '" + svg + "' >/dev/null 2>&1").c_str()), 0);
  const std::string drawing = ReadAll(svg);
  EXPECT_NE(drawing.find("Line 3 (hot"), std::string::npos) << drawing.substr(0, 2000);
  EXPECT_NE(drawing.find("Plant"), std::string::npos);
  EXPECT_GT(std::count(drawing.begin(), drawing.end(), '<'), 20);
  // Every line of the picture lies inside its frame, below the header.
  const std::size_t frame = drawing.find("<rect ");
  ASSERT_NE(frame, std::string::npos);
  const double frameTop = std::stod(drawing.substr(drawing.find("y=\"", frame) + 3));
  EXPECT_GT(frameTop, 5.0);
  int paths = 0;
  for (std::size_t at = drawing.find("d=\"M "); at != std::string::npos; at = drawing.find("d=\"M ", at + 1)) {
    const std::size_t comma = drawing.find(',', at);
    EXPECT_GE(std::stod(drawing.substr(comma + 1)), frameTop) << drawing.substr(at, 60);
    ++paths;
  }
  EXPECT_GT(paths, 10);
}

}  // namespace
