// Support symbols printed on the platform's PDF printer at 150 and at 600
// dots per inch. A restraint: the graphics page recorded for each printer
// carries the two arrows of the held direction, and each arrow, from its
// tail to the tip of its head, is a quarter of an inch on paper at either
// resolution (the arrow length of a printer is a quarter of its dots per
// inch, at symbol scale 1). A vertical snubber: its dash pot, drawn in
// pixels of 150 to the inch, is as tall on paper at either resolution
// (5.1 units of 7 pixels: 0.238 in).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "graphics/GraphicsPrinter.h"
#include "graphics/GraphicsTesting.h"
#include "platform/Gdi.h"
#include "platform/Menu.h"
#include "platform/Messages.h"
#include "platform/Metafile.h"
#include "platform/Printer.h"
#include "printing/PrinterSettings.h"
#include "records/DrawingGeometry.h"
#include "records/GraphicsSettings.h"
#include "services/ProgramContext.h"
#include "services/ViewRequests.h"
#include "supports/Restraint.h"
#include "supports/Snubber.h"

namespace {

class PrintedSymbolSizeTest : public GraphicsFixture {
 protected:
  // From 10 at the origin, a pipe of 8 in to 20 (100 in along X) with
  // `type` at 20; seen along Z, no axes triad.
  template <typename Item>
  Item& ShowSupport(DataType type) {
    Model& model = TheModel();
    PlantModelBuilder::AddPlantProperties(model);
    AddRows({{10, ElementType::From, 0, 0, ""}, {20, ElementType::Pipe, 100, 0, "S8"}});
    PutItem(model, 2, type);
    model.graphics.viewDirection = {0.0f, 0.0f, 1.0f};
    model.graphics.axesTriad = 0;
    return dynamic_cast<Item&>(*model.row(2).item);
  }
  void ShowLinePicture() {
    ShowModel();
    Command(131);
  }

  // The records of the page recorded for the PDF printer at `dpi`.
  static std::vector<std::vector<DWORD>> PrintedPage(short dpi) {
    DEVMODE mode{};
    std::strcpy(mode.dmDeviceName, platform::kPdfPrinter);
    mode.dmSize = sizeof mode;
    mode.dmPaperSize = DMPAPER_LETTER;
    mode.dmPrintQuality = dpi;
    HDC printer = CreateDC(platform::kPdfDriver, platform::kPdfPrinter, "", &mode);
    EXPECT_NE(printer, nullptr);
    EXPECT_EQ(GetDeviceCaps(printer, LOGPIXELSX), dpi);
    RunOnGraphicsThread([printer] { RecordGraphicsPage(printer, 7.0f, 9.0f); });
    DeleteDC(printer);
    std::vector<std::vector<DWORD>> records = platform::MetafileRecords(GraphicsPrinter().document);
    GraphicsPrinter().DeleteDocument();
    return records;
  }

  // The arrows printed at `dpi`: the distance from each shaft's start to the
  // tip of the head that follows it, in inches.
  static std::vector<double> PrintedArrowInches(short dpi) {
    const std::vector<std::vector<DWORD>> records = PrintedPage(dpi);
    std::vector<double> arrows;
    for (std::size_t i = 2; i < records.size(); ++i) {
      // A head is one triangle, its tip first (a polygon, or a polygon set
      // of one), right after the shaft's move and line.
      const std::vector<DWORD>& head = records[i];
      std::size_t tip = 0;
      if (head[0] == EMR_POLYGON && head.size() >= 5 && head[2] == 3) tip = 3;
      if (head[0] == EMR_POLYPOLYGON && head.size() >= 6 && head[2] == 1 && head[3] == 3) tip = 4;
      if (tip == 0 || records[i - 1][0] != EMR_LINETO || records[i - 2][0] != EMR_MOVETOEX) continue;
      const auto tailX = static_cast<std::int32_t>(records[i - 2][2]);
      const auto tailY = static_cast<std::int32_t>(records[i - 2][3]);
      const auto tipX = static_cast<std::int32_t>(head[tip]), tipY = static_cast<std::int32_t>(head[tip + 1]);
      arrows.push_back(std::hypot(tipX - tailX, tipY - tailY) / dpi);
    }
    return arrows;
  }

  // The height of everything drawn in lines at `dpi`, in inches.
  static double PrintedLineHeightInches(short dpi) {
    double top = 1e9, bottom = -1e9;
    for (const std::vector<DWORD>& record : PrintedPage(dpi)) {
      std::size_t first = 0;
      if (record[0] == EMR_MOVETOEX || record[0] == EMR_LINETO) first = 2;
      if (record[0] == EMR_POLYLINE || record[0] == EMR_POLYLINETO) first = 3;
      if (first == 0) continue;
      for (std::size_t at = first + 1; at < record.size(); at += 2) {
        const double y = static_cast<std::int32_t>(record[at]);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
    }
    return (bottom - top) / dpi;
  }
};

TEST_F(PrintedSymbolSizeTest, ARestraintsArrowsHaveTheSamePaperLengthAtAnyPrinterResolution) {
  ShowSupport<Restraint>(DataType::Restraint).restrainY = 1;
  ShowLinePicture();
  const std::vector<double> coarse = PrintedArrowInches(150);
  const std::vector<double> fine = PrintedArrowInches(600);
  ASSERT_EQ(coarse.size(), 2u);  // one arrow from above, one from below
  ASSERT_EQ(fine.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    // Within the rounding of a pixel at 150 dots per inch.
    EXPECT_NEAR(coarse[i], 0.25, 1.5 / 150) << i;
    EXPECT_NEAR(fine[i], 0.25, 1.5 / 600) << i;
    EXPECT_NEAR(fine[i], coarse[i], 1.5 / 150) << i;
  }
}

TEST_F(PrintedSymbolSizeTest, ASnubbersDashPotHasTheSamePaperSizeAtAnyPrinterResolution) {
  Snubber& snubber = ShowSupport<Snubber>(DataType::Snubber);
  snubber.stiffness = 1.0e6f;
  snubber.dirY = 1.0f;
  ShowLinePicture();
  // The pipe is level: the height drawn is the dash pot's.
  const double coarse = PrintedLineHeightInches(150);
  const double fine = PrintedLineHeightInches(600);
  EXPECT_NEAR(coarse, 5.1 * 7 / 150, 2.0 / 150);
  EXPECT_NEAR(fine, 5.1 * 7 / 150, 2.0 / 600);
}

}  // namespace
