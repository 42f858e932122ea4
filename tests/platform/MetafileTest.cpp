// Recorded pictures and printers: a picture played at its own size draws
// the very pixels the drawing did, scaled it lands in its rectangle; copies
// keep every record; comments carry their data and enumeration stops when
// asked. A PDF printer job writes one readable PDF per job, in pages, and
// never leaves a partial file; a job that cannot write names the file; a
// CUPS printer (a stand-in lpstat and lp on the PATH) gets the job through
// lp and its spool file is removed.
#include "platform/GdiTestCanvas.h"
#include "platform/PlatformTest.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/Metafile.h"
#include "platform/Printer.h"

namespace {

namespace fs = std::filesystem;

// A drawing that uses every kind of record the reports use.
void Draw(HDC dc) {
  HPEN thin = CreatePen(PS_SOLID, 1, RGB(0, 0, 200));
  LOGBRUSH solid{BS_SOLID, RGB(200, 0, 0), 0};
  HPEN thick = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_SQUARE, 3, &solid, 0, nullptr);
  HPEN dotted = CreatePen(PS_DOT, 0, RGB(0, 0, 0));
  HBRUSH grey = CreateSolidBrush(RGB(232, 232, 232));
  HFONT font = CreateFont(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "DejaVu Sans");
  SelectObject(dc, thin);
  SelectObject(dc, grey);
  Rectangle(dc, 4, 4, 60, 40);
  SelectObject(dc, thick);
  MoveToEx(dc, 70, 10, nullptr);
  LineTo(dc, 150, 30);
  SelectObject(dc, dotted);
  POINT line[] = {{10, 50}, {80, 50}, {80, 90}};
  Polyline(dc, line, 3);
  SelectObject(dc, GetStockObject(BLACK_BRUSH));
  POINT triangle[] = {{120, 50}, {150, 90}, {100, 90}};
  Polygon(dc, triangle, 3);
  Ellipse(dc, 160, 40, 188, 70);
  RECT fill{160, 75, 190, 92};
  FillRect(dc, &fill, grey);
  SetPixel(dc, 2, 94, RGB(0, 128, 0));
  int saved = SaveDC(dc);
  SetViewportOrgEx(dc, 6, 2, nullptr);
  IntersectClipRect(dc, 0, 0, 120, 80);
  SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 90, 0));
  SetTextAlign(dc, TA_BASELINE | TA_LEFT);
  TextOut(dc, 10, 70, "Pipe 10-20 \xB0", 12);
  RestoreDC(dc, saved);
  SelectObject(dc, GetStockObject(SYSTEM_FONT));
  SelectObject(dc, GetStockObject(BLACK_PEN));
  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  for (HGDIOBJ object : {static_cast<HGDIOBJ>(thin), static_cast<HGDIOBJ>(thick), static_cast<HGDIOBJ>(dotted),
                         static_cast<HGDIOBJ>(grey), static_cast<HGDIOBJ>(font)})
    DeleteObject(object);
}

// 192 x 96 screen pixels: exactly 5080 x 2540 hundredths of a millimetre.
HENHMETAFILE Recorded() {
  RECT frame{0, 0, 5080, 2540};
  HDC recorder = CreateEnhMetaFile(nullptr, nullptr, &frame, "Test\0Picture\0");
  EXPECT_NE(recorder, nullptr);
  Draw(recorder);
  return CloseEnhMetaFile(recorder);
}

int CountNonWhite(const Canvas& canvas) {
  PixelImage image = canvas.Pixels();
  int count = 0;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) count += image.At(x, y) != RGB(255, 255, 255);
  return count;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

bool HavePdfToText() { return std::system("command -v pdftotext >/dev/null 2>&1") == 0; }

std::string PdfText(const fs::path& pdf) {
  fs::path text = pdf;
  text += ".txt";
  std::string command = "pdftotext -layout '" + pdf.string() + "' '" + text.string() + "'";
  EXPECT_EQ(std::system(command.c_str()), 0);
  return ReadFile(text);
}

class MetafileTest : public PlatformTest {
 protected:
  fs::path folder_ = fs::temp_directory_path() / ("quorvel-metafile-" + std::to_string(getpid()));
  void SetUp() override {
    PlatformTest::SetUp();
    fs::create_directories(folder_);
  }
  void TearDown() override {
    fs::remove_all(folder_);
    PlatformTest::TearDown();
  }
};

TEST_F(MetafileTest, PlayedPictureDrawsTheSamePixelsAsTheDrawing) {
  Canvas direct(192, 96), played(192, 96), scaled(192, 96);
  Draw(direct.dc());
  HENHMETAFILE picture = Recorded();
  ASSERT_NE(picture, nullptr);
  RECT whole{0, 0, 192, 96};
  ASSERT_TRUE(PlayEnhMetaFile(played.dc(), picture, &whole));
  EXPECT_GT(CountNonWhite(direct), 1500);  // the drawing is not empty
  EXPECT_EQ(played.Picture(), direct.Picture());
  PixelImage a = direct.Pixels(), b = played.Pixels();
  int differing = 0;
  for (int y = 0; y < a.height; ++y)
    for (int x = 0; x < a.width; ++x) differing += a.At(x, y) != b.At(x, y);
  EXPECT_EQ(differing, 0);
  // Played into half the size: the grey rectangle (4..59, 4..39) lands at
  // 2..29, 2..19, and nothing is drawn past the rectangle.
  RECT half{0, 0, 96, 48};
  ASSERT_TRUE(PlayEnhMetaFile(scaled.dc(), picture, &half));
  EXPECT_EQ(scaled.At(15, 10), RGB(232, 232, 232));
  EXPECT_EQ(scaled.At(45, 22), RGB(255, 255, 255));
  for (int y = 0; y < 96; ++y)
    for (int x = 100; x < 192; ++x) ASSERT_EQ(scaled.At(x, y), RGB(255, 255, 255)) << x << "," << y;
  EXPECT_EQ(platform::MetafileDescription(picture), "Test Picture");
  // A copy holds the same records, and outlives the original.
  HENHMETAFILE copy = CopyEnhMetaFile(picture, nullptr);
  auto records = platform::MetafileRecords(picture);
  EXPECT_TRUE(DeleteEnhMetaFile(picture));
  EXPECT_FALSE(DeleteEnhMetaFile(picture));
  EXPECT_EQ(platform::MetafileRecords(copy), records);
  ENHMETAHEADER header{};
  ASSERT_EQ(GetEnhMetaFileHeader(copy, sizeof header, &header), sizeof header);
  EXPECT_EQ(header.iType, EMR_HEADER);
  EXPECT_EQ(header.nRecords, records.size());
  EXPECT_EQ(header.rclFrame.right, 5080);
  EXPECT_EQ(records.back()[0], EMR_EOF);
  DeleteEnhMetaFile(copy);
}

struct Seen {
  std::vector<DWORD> types;
  std::vector<std::int32_t> comments;
  int stopAtComment = 0;
};

int Collect(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
  auto* seen = reinterpret_cast<Seen*>(data);
  seen->types.push_back(record->iType);
  if (record->iType == EMR_GDICOMMENT) {
    std::int32_t value = 0;
    std::memcpy(&value, &record->dParm[1], sizeof value);
    seen->comments.push_back(value);
    if (value == seen->stopAtComment) return 0;
  }
  return 1;
}

TEST_F(MetafileTest, CommentsCarryTheirDataAndEnumerationStopsWhenAsked) {
  HDC recorder = CreateEnhMetaFile(nullptr, nullptr, nullptr, nullptr);
  for (std::int32_t page : {1, 2, 3}) {
    GdiComment(recorder, sizeof page, reinterpret_cast<const BYTE*>(&page));
    Rectangle(recorder, page, page, 10 * page, 10 * page);
  }
  HENHMETAFILE picture = CloseEnhMetaFile(recorder);
  EXPECT_EQ(CloseEnhMetaFile(recorder), nullptr);  // the context is gone
  Seen all;
  EXPECT_TRUE(EnumEnhMetaFile(nullptr, picture, Collect, &all, nullptr));
  EXPECT_EQ(all.comments, (std::vector<std::int32_t>{1, 2, 3}));
  EXPECT_EQ(all.types.front(), EMR_HEADER);
  EXPECT_EQ(all.types.back(), EMR_EOF);
  EXPECT_EQ(std::count(all.types.begin(), all.types.end(), EMR_RECTANGLE), 3);
  Seen part;
  part.stopAtComment = 2;
  EXPECT_FALSE(EnumEnhMetaFile(nullptr, picture, Collect, &part, nullptr));
  EXPECT_EQ(part.comments, (std::vector<std::int32_t>{1, 2}));
  EXPECT_EQ(std::count(part.types.begin(), part.types.end(), EMR_RECTANGLE), 1);
  DeleteEnhMetaFile(picture);
}

DEVMODE Mode(short orientation, short paper) {
  DEVMODE mode{};
  std::strcpy(mode.dmDeviceName, "PDF");
  mode.dmSize = sizeof mode;
  mode.dmOrientation = orientation;
  mode.dmPaperSize = paper;
  mode.dmPrintQuality = 300;
  return mode;
}

TEST_F(MetafileTest, PdfPrinterWritesOneReadablePdfPerJob) {
  const fs::path pdf = folder_ / "job.pdf";
  DEVMODE portrait = Mode(DMORIENT_PORTRAIT, DMPAPER_LETTER);
  HDC dc = CreateDC(platform::kPdfDriver, "PDF", pdf.c_str(), &portrait);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetDeviceCaps(dc, TECHNOLOGY), DT_RASPRINTER);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 300);
  EXPECT_EQ(GetDeviceCaps(dc, PHYSICALWIDTH), 2550);   // 8.5 in
  EXPECT_EQ(GetDeviceCaps(dc, PHYSICALHEIGHT), 3300);  // 11 in
  EXPECT_EQ(GetDeviceCaps(dc, PHYSICALOFFSETX), 0);
  DOCINFO info{sizeof(DOCINFO), "Quorvel", nullptr, nullptr, 0};
  ASSERT_GT(StartDoc(dc, &info), 0);
  HFONT font = CreateFont(-50, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
  SelectObject(dc, font);
  for (const char* text : {"First page of pipes", "Second page 45\xB0 elbow"}) {
    ASSERT_GT(StartPage(dc), 0);
    TextOut(dc, 300, 300, text, static_cast<int>(std::strlen(text)));
    Rectangle(dc, 100, 100, 2400, 3000);
    ASSERT_GT(EndPage(dc), 0);
  }
  ASSERT_GT(EndDoc(dc), 0);
  SelectObject(dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(font);
  EXPECT_TRUE(DeleteDC(dc));
  EXPECT_FALSE(fs::exists(folder_ / "job.pdf.part"));
  ASSERT_TRUE(fs::exists(pdf));
  EXPECT_EQ(ReadFile(pdf).substr(0, 5), "%PDF-");
  ASSERT_TRUE(HavePdfToText()) << "pdftotext (poppler-utils) is not installed: the PDF's text is not read back";
  std::string text = PdfText(pdf);
  std::size_t first = text.find("First page of pipes");
  std::size_t feed = text.find('\f');
  std::size_t second = text.find("Second page 45\xC2\xB0 elbow");  // UTF-8 degree sign
  ASSERT_NE(first, std::string::npos) << text;
  ASSERT_NE(second, std::string::npos) << text;
  EXPECT_LT(first, feed);
  EXPECT_LT(feed, second);
  // Landscape Letter is 11 x 8.5 inches.
  DEVMODE landscape = Mode(DMORIENT_LANDSCAPE, DMPAPER_A4);
  HDC wide = CreateDC(nullptr, "PDF", "", &landscape);
  EXPECT_EQ(GetDeviceCaps(wide, PHYSICALWIDTH), 3508);  // 297 mm at 300 dpi
  EXPECT_EQ(GetDeviceCaps(wide, PHYSICALHEIGHT), 2480);
  DeleteDC(wide);
}

TEST_F(MetafileTest, AJobThatCannotWriteSaysWhereAndLeavesNothing) {
  const fs::path missing = folder_ / "no such folder" / "job.pdf";
  HDC dc = CreateDC(platform::kPdfDriver, "PDF", missing.c_str(), nullptr);
  ASSERT_NE(dc, nullptr);
  DOCINFO info{sizeof(DOCINFO), "Quorvel", nullptr, nullptr, 0};
  EXPECT_EQ(StartDoc(dc, &info), SP_ERROR);
  EXPECT_NE(platform::LastPrintError().find(missing.string()), std::string::npos) << platform::LastPrintError();
  EXPECT_EQ(StartPage(dc), SP_ERROR);
  // A job without pages is no document.
  const fs::path empty = folder_ / "empty.pdf";
  info.lpszOutput = empty.c_str();
  ASSERT_GT(StartDoc(dc, &info), 0);
  EXPECT_EQ(EndDoc(dc), SP_ERROR);
  EXPECT_FALSE(fs::exists(empty));
  EXPECT_FALSE(fs::exists(folder_ / "empty.pdf.part"));
  DeleteDC(dc);
  EXPECT_EQ(CreateDC(nullptr, "No such printer", nullptr, nullptr), nullptr);
}

// A PDF with a 255-byte name is written.
TEST_F(MetafileTest, AJobWritesThePdfWithTheLongestName) {
  const fs::path longest = folder_ / (std::string(251, 'p') + ".pdf");
  HDC dc = CreateDC(platform::kPdfDriver, "PDF", longest.c_str(), nullptr);
  DOCINFO info{sizeof(DOCINFO), "Quorvel", nullptr, nullptr, 0};
  ASSERT_GT(StartDoc(dc, &info), 0) << platform::LastPrintError();
  StartPage(dc);
  EndPage(dc);
  EXPECT_GT(EndDoc(dc), 0) << platform::LastPrintError();
  DeleteDC(dc);
  EXPECT_EQ(ReadFile(longest).substr(0, 5), "%PDF-");
}

TEST_F(MetafileTest, CupsPrinterGetsTheJobThroughLp) {
  const fs::path bin = folder_ / "bin";
  fs::create_directories(bin);
  std::ofstream(bin / "lpstat") << "#!/bin/sh\necho Office\necho PDF\n";
  std::ofstream(bin / "lp") << "#!/bin/sh\necho \"$@\" > '" << (folder_ / "lp-arguments").string() << "'\n"
                            << "for last; do :; done\ncp \"$last\" '" << (folder_ / "spooled.pdf").string() << "'\n";
  fs::permissions(bin / "lpstat", fs::perms::owner_all);
  fs::permissions(bin / "lp", fs::perms::owner_all);
  const std::string oldPath = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
  setenv("PATH", (bin.string() + ":" + oldPath).c_str(), 1);
  platform::RefreshPrinters();
  auto printers = platform::Printers();
  ASSERT_EQ(printers.size(), 2u);  // "PDF" from lpstat is not offered twice
  EXPECT_EQ(printers[0].name, "PDF");
  EXPECT_EQ(printers[1].name, "Office");
  EXPECT_EQ(printers[1].driver, platform::kCupsDriver);
  HDC dc = CreateDC(nullptr, "Office", nullptr, nullptr);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetDeviceCaps(dc, PHYSICALOFFSETX), 100);  // a sixth of an inch at 600 dpi
  DOCINFO info{sizeof(DOCINFO), "Layout report", nullptr, nullptr, 0};
  ASSERT_GT(StartDoc(dc, &info), 0);
  StartPage(dc);
  TextOut(dc, 200, 200, "Office copy", 11);
  EndPage(dc);
  EXPECT_GT(EndDoc(dc), 0);
  DeleteDC(dc);
  setenv("PATH", oldPath.c_str(), 1);
  platform::RefreshPrinters();
  EXPECT_EQ(platform::Printers().size(), 1u);
  EXPECT_EQ(ReadFile(folder_ / "spooled.pdf").substr(0, 5), "%PDF-");
  std::string arguments = ReadFile(folder_ / "lp-arguments");
  EXPECT_EQ(arguments.rfind("-d Office -t Layout report ", 0), 0u) << arguments;
  // The spool file is gone.
  std::string spool = arguments.substr(arguments.find_last_of(' ') + 1);
  spool.erase(spool.find_last_not_of("\n") + 1);
  EXPECT_FALSE(fs::exists(spool)) << spool;
}

}  // namespace
