// The program's fonts, pens and brushes: one small program-wide set created
// at start-up and released at shutdown, and the user's choice and zoom of
// the text font. The text font's measured row height sizes every table row.
//
// Four fonts: the text font and the graphics font (both made from a
// description the preferences may have stored, "MS Sans Serif" 8 point by
// default; the graphics font draws without antialiasing, quality 3), and the
// small font and its underlined twin (links). Each AppFont keeps its handle,
// its 60-byte description, its size in tenths of a point and six metrics
// measured on a device context. The descriptions exist from the start (the
// settings read and write them); the handles between CreateFonts /
// CreateTextAndGraphicsFonts and DeleteFonts.
//
// Start reading at CreateFonts; the pens and brushes are in AppPens.h.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Gdi.h"

struct AppFontDescription {
  LOGFONT logFont{};
  std::int32_t size = 80;  // tenths of a point
};

struct AppFont : AppFontDescription {
  HFONT handle = nullptr;
  int averageWidth = 0;
  int height = 0;
  int descent = 0;
  int cellMargin = 0;   // averageWidth / 2 + 2
  int lineSpacing = 0;  // height / 12 + 2
  int rowHeight = 0;    // height + 2 * lineSpacing
};

AppFont& TextFont();
AppFont& GraphicsFont();
AppFont& SmallFont();
AppFont& UnderlinedFont();

// The descriptions, as the settings read and write them.
AppFontDescription& TextFontDescription();
AppFontDescription& GraphicsFontDescription();
// Puts both descriptions back to their defaults.
void SetDefaultFontDescriptions();

// Screen pixels per logical inch: every presenter works at 96.
int ScreenPixelsPerInch();
// The LOGFONT height of a size in tenths of a point on the screen: minus the
// rounded size x pixels per inch / 720.
LONG FontHeightForSize(std::int32_t tenths);

// The small and the underlined font (start-up step 8).
void CreateFonts();
// The text and the graphics font from their descriptions (start-up step 13).
void CreateTextAndGraphicsFonts();
// The underlined font, the small font, the graphics font, the text font.
void DeleteFonts();

// Fills the six metrics of the font from the device context (which gets the
// font selected and keeps it).
void MeasureFont(AppFont& font, HDC dc);
// "%s, %d point": the face name and the size in whole points.
std::string FontCaptionText(const AppFontDescription& font);

// The common font dialog for the text or the graphics font; true when a font
// was chosen (the font is then recreated and measured again, and for the
// text font every table window of the frames takes it).
bool ChooseTextFont(HWND owner);
bool ChooseGraphicsFont(HWND owner);
// Asks the next font dialog to open at its owner's top-left corner (the
// preferences page does) instead of centred on it.
void RequestFontDialogAtOwnerCorner();

// Steps the text font by 10 tenths: up to 300 at most, down to 80 at least;
// every table window of the frames takes it and the focus goes back to the
// window. Returns the new size.
std::int32_t ZoomTextFont(HWND window, bool larger);
