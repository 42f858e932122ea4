// The printer objects: their settings survive a restart through the
// registry; a damaged value leaves the default printer with a note on
// standard error; a device mode of another size is ignored with its whole
// subkey; the printable area widens narrow margins on both sides; the
// texts of the printer page; and the printer road's page geometry.
#include "services/SettingsTestSupport.h"

#include <array>
#include <cstring>

#include "model/Drawing2D.h"
#include "platform/System.h"
#include "platform/TestSupport.h"
#include "printing/PrinterReport.h"
#include "printing/PrinterSettings.h"

namespace {

const std::string kTextPrinter = kVersionKey + "\\Text Printer";

ByteList BytesOf(const void* data, std::size_t size) {
  const auto* bytes = static_cast<const BYTE*>(data);
  return ByteList(bytes, bytes + size);
}

// A device names record of the PDF printer writing to `output`.
ByteList PdfNames(const std::string& output) {
  const std::string driver = "quorvel-pdf", device = "PDF";
  ByteList bytes = {8, 0, 0, 0, 0, 0, 0, 0};
  bytes[2] = static_cast<BYTE>(8 + driver.size() + 1);
  bytes[4] = static_cast<BYTE>(bytes[2] + device.size() + 1);
  for (const std::string* text : {&driver, &device, &output}) {
    bytes.insert(bytes.end(), text->begin(), text->end());
    bytes.push_back(0);
  }
  return bytes;
}

ByteList BlockBytes(HGLOBAL block) {
  const auto* bytes = static_cast<const BYTE*>(GlobalLock(block));
  ByteList copy(bytes, bytes + GlobalSize(block));
  GlobalUnlock(block);
  return copy;
}

HGLOBAL BlockOf(const ByteList& bytes) {
  HGLOBAL block = GlobalAlloc(GHND, bytes.size());
  std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  return block;
}

DEVMODE StoredMode(HGLOBAL block) {
  DEVMODE mode{};
  std::memcpy(&mode, GlobalLock(block), sizeof mode);
  GlobalUnlock(block);
  return mode;
}

// The printers start from their defaults, which ask the layer (in test
// mode) for the work area.
class PrinterSettingsTest : public SettingsFixture {
 protected:
  void SetUp() override {
    SettingsFixture::SetUp();
    platform::EnableTestMode(true);
    TextPrinter().InitDefaults();
    GraphicsPrinter().InitDefaults();
  }
  void TearDown() override {
    platform::Shutdown();
    platform::EnableTestMode(false);
    SettingsFixture::TearDown();
  }
};

TEST_F(PrinterSettingsTest, SettingsSurviveARestartThroughTheRegistry) {
  PrinterSettings& printer = TextPrinter();
  EXPECT_EQ(printer.PrinterNameText(), "PDF");
  EXPECT_EQ(printer.pageSetup.rtMargin.left, 750);
  EXPECT_EQ(printer.FontText(), "Arial, 10 point");
  EXPECT_EQ(printer.OrientationText(), "Orientation : Portrait");
  EXPECT_EQ(GraphicsPrinter().OrientationText(), "Orientation : Landscape");
  // A user's choice: landscape A4, other margins, a 12-point font.
  auto* mode = static_cast<DEVMODE*>(GlobalLock(printer.pageSetup.hDevMode));
  mode->dmOrientation = DMORIENT_LANDSCAPE;
  mode->dmPaperSize = DMPAPER_A4;
  GlobalUnlock(printer.pageSetup.hDevMode);
  printer.pageSetup.rtMargin = RECT{1000, 600, 400, 300};
  printer.fontSize = 120;
  std::strcpy(printer.font.lfFaceName, "DejaVu Sans Mono");
  printer.previewPlacement.rcNormalPosition = RECT{20, 30, 620, 830};
  SaveProgramSettings();
  EXPECT_EQ(Get(kTextPrinter, "DevMode").size(), 148u);
  EXPECT_EQ(Get(kTextPrinter, "Font").size(), 60u);
  EXPECT_EQ(Get(kTextPrinter, "Position").size(), 44u);
  // The next run starts from the defaults and reads them back.
  TextPrinter().InitDefaults();
  EXPECT_EQ(TextPrinter().pageSetup.rtMargin.left, 750);
  LoadProgramSettings();
  EXPECT_EQ(printer.pageSetup.rtMargin.left, 1000);
  EXPECT_EQ(printer.pageSetup.rtMargin.bottom, 300);
  EXPECT_EQ(printer.FontText(), "DejaVu Sans Mono, 12 point");
  EXPECT_EQ(printer.OrientationText(), "Orientation : Landscape");
  EXPECT_EQ(StoredMode(printer.pageSetup.hDevMode).dmPaperSize, DMPAPER_A4);
  EXPECT_EQ(printer.PrinterNameText(), "PDF");
  EXPECT_EQ(printer.previewPlacement.rcNormalPosition.left, 20);
  // The printer context follows the stored paper and orientation.
  HDC dc = printer.CreatePrinterDc();
  EXPECT_GT(GetDeviceCaps(dc, PHYSICALWIDTH), GetDeviceCaps(dc, PHYSICALHEIGHT));
  DeleteDC(dc);
}

TEST_F(PrinterSettingsTest, DamagedValuesLeaveTheDefaultPrinterWithANote) {
  // Device names whose device offset points past the record.
  ByteList mode(148, 0);
  std::memcpy(mode.data(), "Gone", 5);
  ByteList names = {8, 0, 200, 0, 20, 0, 0, 0, 'c', 'u', 'p', 's', 0, 'x', 0, 0, 0, 0, 0, 0, 0, 0};
  Put(kTextPrinter, "DevMode", mode);
  Put(kTextPrinter, "DevNames", names);
  Put(kTextPrinter, "Margins", BytesOf(std::array<std::int32_t, 4>{100, 100, 100, 100}.data(), 16));
  testing::internal::CaptureStderr();
  LoadProgramSettings();
  std::string note = testing::internal::GetCapturedStderr();
  EXPECT_NE(note.find("DevNames"), std::string::npos) << note;
  EXPECT_NE(note.find("Text Printer"), std::string::npos) << note;
  EXPECT_EQ(TextPrinter().PrinterNameText(), "PDF");
  EXPECT_EQ(TextPrinter().pageSetup.rtMargin.left, 750);  // nothing of the subkey taken
  // A device mode of 156 bytes: the whole subkey is ignored, with a note.
  Put(kTextPrinter, "DevMode", ByteList(156, 0));
  Put(kTextPrinter, "DevNames", {8, 0, 12, 0, 16, 0, 0, 0, 'a', 'b', 'c', 0, 'P', 'D', 'F', 0, 0, 0});
  testing::internal::CaptureStderr();
  LoadProgramSettings();
  note = testing::internal::GetCapturedStderr();
  EXPECT_NE(note.find("DevMode"), std::string::npos) << note;
  EXPECT_EQ(TextPrinter().pageSetup.rtMargin.left, 750);
  // Good blocks with a damaged font size: the rest is taken, the size is not.
  Put(kTextPrinter, "DevMode", mode);
  Put(kTextPrinter, "Font size", Int32Bytes(-5));
  testing::internal::CaptureStderr();
  LoadProgramSettings();
  note = testing::internal::GetCapturedStderr();
  EXPECT_NE(note.find("Font size"), std::string::npos) << note;
  EXPECT_EQ(TextPrinter().fontSize, 100);
  EXPECT_EQ(TextPrinter().pageSetup.rtMargin.left, 100);
  // The stored printer "PDF" in a mode named "Gone" still makes a context;
  // a printer that no longer exists falls back to the default one.
  HDC dc = TextPrinter().CreatePrinterDc();
  ASSERT_NE(dc, nullptr);
  DeleteDC(dc);
  Put(kTextPrinter, "DevNames", {8, 0, 12, 0, 20, 0, 0, 0, 'a', 'b', 'c', 0, 'G', 'o', 'n', 'e', '!', 0, 0, 0, 0, 0});
  LoadProgramSettings();
  EXPECT_EQ(TextPrinter().PrinterNameText(), "Gone!");
  dc = TextPrinter().CreatePrinterDc();
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(TextPrinter().PrinterNameText(), "PDF");
  DeleteDC(dc);
}

// The two blocks are read as a pair and the subkey as one record, so a
// change of any of its values stores all of them; a subkey nothing changed
// in is not written.
TEST_F(PrinterSettingsTest, AChangedPrinterStoresItsWholeSubkey) {
  const std::string kGraphicsPrinter = kVersionKey + "\\Graphics Printer";
  LoadProgramSettings();  // an empty store: the defaults are what was read
  PrinterSettings& printer = TextPrinter();
  const ByteList mode = BlockBytes(printer.pageSetup.hDevMode);
  GlobalFree(printer.pageSetup.hDevNames);
  printer.pageSetup.hDevNames = BlockOf(PdfNames("/data/Report.pdf"));
  SaveProgramSettings();
  EXPECT_EQ(Get(kTextPrinter, "DevNames"), PdfNames("/data/Report.pdf"));
  EXPECT_EQ(Get(kTextPrinter, "DevMode"), mode);
  EXPECT_EQ(Get(kTextPrinter, "Margins"), BytesOf(&printer.pageSetup.rtMargin, 16));
  EXPECT_EQ(Get(kTextPrinter, "Font size"), Int32Bytes(100));
  EXPECT_EQ(Get(kTextPrinter, "Position").size(), 44u);
  EXPECT_EQ(Get(kGraphicsPrinter, "DevMode"), ByteList{0xEE});
  // A device mode left damaged in the store is ignored with its subkey; a
  // new choice stores the whole subkey again, which the next start reads.
  Put(kTextPrinter, "DevMode", ByteList(156, 0));
  TextPrinter().InitDefaults();
  testing::internal::CaptureStderr();
  LoadProgramSettings();
  EXPECT_NE(testing::internal::GetCapturedStderr().find("DevMode"), std::string::npos);
  GlobalFree(printer.pageSetup.hDevNames);
  printer.pageSetup.hDevNames = BlockOf(PdfNames("/data/Other.pdf"));
  SaveProgramSettings();
  EXPECT_EQ(Get(kTextPrinter, "DevMode"), mode);
  TextPrinter().InitDefaults();
  testing::internal::CaptureStderr();
  LoadProgramSettings();
  const std::string note = testing::internal::GetCapturedStderr();
  EXPECT_EQ(note.find("damaged"), std::string::npos) << note;
  EXPECT_EQ(BlockBytes(printer.pageSetup.hDevNames), PdfNames("/data/Other.pdf"));
}

// Earlier runs stored only the block that had changed from the defaults:
// such a subkey is read with the default block in place of the other one,
// without a note.
TEST_F(PrinterSettingsTest, OneBlockStoredAloneIsReadWithTheDefaultOther) {
  const std::string kGraphicsPrinter = kVersionKey + "\\Graphics Printer";
  const ByteList defaultMode = BlockBytes(TextPrinter().pageSetup.hDevMode);
  const ByteList defaultNames = BlockBytes(GraphicsPrinter().pageSetup.hDevNames);
  Put(kTextPrinter, "DevNames", PdfNames("/data/Plant.pdf"));
  Put(kTextPrinter, "Margins", BytesOf(std::array<std::int32_t, 4>{1000, 600, 400, 300}.data(), 16));
  DEVMODE portrait = StoredMode(GraphicsPrinter().pageSetup.hDevMode);
  ASSERT_EQ(portrait.dmOrientation, DMORIENT_LANDSCAPE);
  portrait.dmOrientation = DMORIENT_PORTRAIT;
  Put(kGraphicsPrinter, "DevMode", BytesOf(&portrait, sizeof portrait));
  testing::internal::CaptureStderr();
  LoadProgramSettings();
  const std::string note = testing::internal::GetCapturedStderr();
  EXPECT_EQ(note.find("damaged"), std::string::npos) << note;
  EXPECT_EQ(BlockBytes(TextPrinter().pageSetup.hDevNames), PdfNames("/data/Plant.pdf"));
  EXPECT_EQ(BlockBytes(TextPrinter().pageSetup.hDevMode), defaultMode);
  EXPECT_EQ(TextPrinter().pageSetup.rtMargin.left, 1000);
  EXPECT_EQ(GraphicsPrinter().OrientationText(), "Orientation : Portrait");
  EXPECT_EQ(BlockBytes(GraphicsPrinter().pageSetup.hDevNames), defaultNames);
  // A block of the wrong size still spoils its subkey, whatever is beside it.
  Put(kTextPrinter, "DevMode", ByteList(300, 0));
  TextPrinter().InitDefaults();
  testing::internal::CaptureStderr();
  LoadProgramSettings();
  EXPECT_NE(testing::internal::GetCapturedStderr().find("DevMode"), std::string::npos);
  EXPECT_EQ(TextPrinter().pageSetup.rtMargin.left, 750);
}

TEST_F(PrinterSettingsTest, MarginsNarrowerThanTheDeviceWidenOnBothSides) {
  PrinterSettings& printer = TextPrinter();
  HDC dc = printer.CreatePrinterDc();
  printer.ComputePrintArea(dc);
  EXPECT_FLOAT_EQ(printer.paperWidth, 8.5f);
  EXPECT_FLOAT_EQ(printer.printableWidth, 8.5f - 0.75f - 0.5f);
  EXPECT_FLOAT_EQ(printer.printableHeight, 11.0f - 1.0f);
  printer.pageSetup.rtMargin = RECT{0, 0, 10, 0};
  printer.ComputePrintArea(dc);
  EXPECT_NEAR(printer.printableWidth, 8.46f, 1e-5);
  EXPECT_NEAR(printer.leftMargin, 0.015f, 1e-5);
  EXPECT_NEAR(printer.rightMargin, 0.025f, 1e-5);  // each side grew by the same amount
  EXPECT_NEAR(printer.topMargin, printer.bottomMargin, 1e-6);
  DeleteDC(dc);
}

TEST_F(PrinterSettingsTest, PageGeometryFollowsTheReportFont) {
  HDC printer = TextPrinter().CreatePrinterDc();
  RECT frame{0, 0, 7 * 2540, 10 * 2540};
  g_PrinterDc = CreateEnhMetaFile(printer, nullptr, &frame, nullptr);
  PrinterPageGeometry& page = PrinterPage();
  page.width = 7 * 600;
  page.height = 10 * 600;
  g_PrinterPage = 0;
  PrinterPageHeading();
  EXPECT_EQ(g_PrinterPage, 1);
  EXPECT_EQ(page.gap, page.textHeight / 5);
  EXPECT_EQ(page.lineHeight, page.textHeight + page.gap + page.descent);
  EXPECT_NEAR(page.textHeight, 600 * 10 / 72 * 0.72, 10.0);  // a 10-point cap height at 600 dpi
  EXPECT_EQ(page.bodyTop, page.textHeight + 2 * page.gap);
  EXPECT_EQ(page.bodyBottom, page.height - page.descent - 2 * page.gap - page.textHeight);
  EXPECT_EQ(PrinterLinesLeft(), (page.bodyBottom - page.bodyTop) / page.lineHeight);
  // Lines run until the body is full, then a new page begins.
  const int lines = PrinterLinesLeft();
  for (int i = 0; i < lines; ++i) PrinterNewLine();
  EXPECT_EQ(g_PrinterPage, 1);
  PrinterNewLine();
  EXPECT_EQ(g_PrinterPage, 2);
  // In manual mode there is no footer and the body reaches the paper's end.
  ManualMode = true;
  PrinterPageHeading();
  EXPECT_EQ(page.bodyBottom, page.height);
  ManualMode = false;
  // The QA cover is not counted in the printed page numbers.
  g_QaCoverPrinted = true;
  EXPECT_EQ(PrintedPageNumber(), 2);
  g_QaCoverPrinted = false;
  DeleteEnhMetaFile(CloseEnhMetaFile(g_PrinterDc));
  g_PrinterDc = nullptr;
  DeleteDC(printer);
}

}  // namespace
