// A restraint's arrows printed on the platform's PDF printer at 150 and at
// 600 dots per inch: the graphics page recorded for each printer carries the
// two arrows of the held direction, and each arrow, from its tail to the tip
// of its head, is a quarter of an inch on paper at either resolution (the
// arrow length of a printer is a quarter of its dots per inch, at symbol
// scale 1).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "GraphicsTesting.h"
#include "graphics/GraphicsPrinter.h"
#include "graphics/GraphicsSettings.h"
#include "graphics/PrinterSettings.h"
#include "platform/Metafile.h"
#include "platform/Printer.h"
#include "supports/Restraint.h"

namespace {

class PrintedSymbolSizeTest : public GraphicsFixture {
 protected:
  // From 10 at the origin, a pipe of 8 in to 20 (100 in along X)
  // restrained vertically; seen along Z, no axes triad.
  void ShowRestraint() {
    Model& model = TheModel();
    PlantModelBuilder::AddPlantProperties(model);
    AddRows({{10, ElementType::From, 0, 0, ""}, {20, ElementType::Pipe, 100, 0, "S8"}});
    PutItem(model, 2, DataType::Restraint);
    dynamic_cast<Restraint&>(*model.row(2).item).restrainY = 1;
    model.graphics.viewDirection = {0.0f, 0.0f, 1.0f};
    model.graphics.axesTriad = 0;
    ShowModel();
    Command(131);  // the line picture
  }

  // The arrows of the page recorded for the PDF printer at `dpi`: the
  // distance from each shaft's start to the tip of the head that follows
  // it, in inches.
  static std::vector<double> PrintedArrowInches(short dpi) {
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
    std::vector<double> arrows;
    const std::vector<std::vector<DWORD>> records = platform::MetafileRecords(GraphicsPrinter().document);
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
};

TEST_F(PrintedSymbolSizeTest, ARestraintsArrowsHaveTheSamePaperLengthAtAnyPrinterResolution) {
  ShowRestraint();
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
  GraphicsPrinter().DeleteDocument();
}

}  // namespace
