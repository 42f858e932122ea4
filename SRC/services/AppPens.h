// The program-wide pens and brushes, created once at start-up (after the
// settings, since the highlight brushes depend on the screen's colour depth)
// and deleted at shutdown. Stock objects are looked up, never deleted.
// Which drawing uses which pen is the business of the code that draws.
#pragma once

#include "platform/Gdi.h"

struct AppPens {
  // Stock objects.
  HBRUSH lightGreyBrush = nullptr, greyBrush = nullptr, blackBrush = nullptr,
         whiteBrush = nullptr, hollowBrush = nullptr;
  HPEN blackPen = nullptr, whitePen = nullptr, nullPen = nullptr;
  // Solid brushes.
  HBRUSH pinkBrush = nullptr, redBrush = nullptr, greenBrush = nullptr, magentaBrush = nullptr,
         darkMagentaBrush = nullptr, darkTealBrush = nullptr, oliveTealBrush = nullptr,
         yellowBrush = nullptr, highlightBrush1 = nullptr, highlightBrush2 = nullptr;
  // Solid one-pixel pens.
  HPEN greyPen = nullptr, lightGreyPen = nullptr, darkGreyPen = nullptr, yellowPen = nullptr,
       tealPen = nullptr, darkTealPen = nullptr, oliveTealPen = nullptr, redPen = nullptr,
       greenPen = nullptr, bluePen = nullptr, magentaPen = nullptr, darkMagentaPen = nullptr,
       orangeBrownPen = nullptr;
  HPEN greenPen2 = nullptr, darkRedPen2 = nullptr;  // two pixels wide
  HPEN dottedGreyPen = nullptr, dottedBlackPen = nullptr;
};

// The colour values the drawing code names.
namespace AppColour {
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kDarkGreen = RGB(0, 192, 0);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kDarkMagenta = RGB(192, 0, 192);
constexpr COLORREF kTeal = RGB(0, 192, 192);
constexpr COLORREF kDarkTeal = RGB(0, 160, 160);
constexpr COLORREF kOliveTeal = RGB(0, 128, 128);
}  // namespace AppColour

AppPens& Pens();
// `bitsPerPixel` is the screen's colour depth (15 or more gives the light
// highlight brushes).
void CreateBrushesAndPens(int bitsPerPixel);
void DeleteBrushesAndPens();
