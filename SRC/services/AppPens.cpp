// The program-wide pens and brushes (see AppPens.h).
#include "services/AppPens.h"

#include <initializer_list>

namespace {

HBRUSH StockBrush(int index) { return static_cast<HBRUSH>(GetStockObject(index)); }
HPEN StockPen(int index) { return static_cast<HPEN>(GetStockObject(index)); }

template <typename Handle>
void Delete(Handle& handle) {
  if (handle != nullptr) DeleteObject(handle);
  handle = nullptr;
}

}  // namespace

AppPens& Pens() {
  static AppPens pens;
  return pens;
}

void CreateBrushesAndPens(int bitsPerPixel) {
  using namespace AppColour;
  AppPens& p = Pens();
  p.lightGreyBrush = StockBrush(LTGRAY_BRUSH);
  p.greyBrush = StockBrush(GRAY_BRUSH);
  p.blackBrush = StockBrush(BLACK_BRUSH);
  p.whiteBrush = StockBrush(WHITE_BRUSH);
  p.hollowBrush = StockBrush(HOLLOW_BRUSH);
  p.blackPen = StockPen(BLACK_PEN);
  p.whitePen = StockPen(WHITE_PEN);
  p.nullPen = StockPen(NULL_PEN);
  p.pinkBrush = CreateSolidBrush(RGB(255, 128, 255));
  p.redBrush = CreateSolidBrush(kRed);
  p.greenBrush = CreateSolidBrush(kGreen);
  p.magentaBrush = CreateSolidBrush(kMagenta);
  p.darkMagentaBrush = CreateSolidBrush(kDarkMagenta);
  p.darkTealBrush = CreateSolidBrush(kDarkTeal);
  p.oliveTealBrush = CreateSolidBrush(kOliveTeal);
  p.yellowBrush = CreateSolidBrush(kYellow);
  const bool manyColours = bitsPerPixel >= 15;
  p.highlightBrush1 = CreateSolidBrush(manyColours ? RGB(216, 255, 216) : kGreen);
  p.highlightBrush2 = CreateSolidBrush(manyColours ? RGB(208, 255, 255) : RGB(0, 255, 255));
  p.greyPen = CreatePen(PS_SOLID, 1, kGrey);
  p.lightGreyPen = CreatePen(PS_SOLID, 1, RGB(192, 192, 192));
  p.darkGreyPen = CreatePen(PS_SOLID, 1, RGB(64, 64, 64));
  p.yellowPen = CreatePen(PS_SOLID, 1, kYellow);
  p.tealPen = CreatePen(PS_SOLID, 1, kTeal);
  p.darkTealPen = CreatePen(PS_SOLID, 1, kDarkTeal);
  p.oliveTealPen = CreatePen(PS_SOLID, 1, kOliveTeal);
  p.redPen = CreatePen(PS_SOLID, 1, kRed);
  p.greenPen = CreatePen(PS_SOLID, 1, kGreen);
  p.bluePen = CreatePen(PS_SOLID, 1, RGB(0, 0, 255));
  p.magentaPen = CreatePen(PS_SOLID, 1, kMagenta);
  p.darkMagentaPen = CreatePen(PS_SOLID, 1, kDarkMagenta);
  p.orangeBrownPen = CreatePen(PS_SOLID, 1, RGB(192, 128, 64));
  p.greenPen2 = CreatePen(PS_SOLID, 2, kGreen);
  p.darkRedPen2 = CreatePen(PS_SOLID, 2, RGB(192, 0, 0));
  p.dottedGreyPen = CreatePen(PS_DOT, 1, kGrey);
  p.dottedBlackPen = CreatePen(PS_DOT, 1, kBlack);
}

void DeleteBrushesAndPens() {
  AppPens& p = Pens();
  for (HBRUSH* brush : {&p.pinkBrush, &p.redBrush, &p.greenBrush, &p.magentaBrush, &p.darkMagentaBrush,
                        &p.darkTealBrush, &p.oliveTealBrush, &p.yellowBrush, &p.highlightBrush1,
                        &p.highlightBrush2})
    Delete(*brush);
  for (HPEN* pen : {&p.greyPen, &p.lightGreyPen, &p.darkGreyPen, &p.yellowPen, &p.tealPen, &p.darkTealPen,
                    &p.oliveTealPen, &p.redPen, &p.greenPen, &p.bluePen, &p.magentaPen, &p.darkMagentaPen,
                    &p.orangeBrownPen, &p.greenPen2, &p.darkRedPen2, &p.dottedGreyPen, &p.dottedBlackPen})
    Delete(*pen);
  p = AppPens{};
}
