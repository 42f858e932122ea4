// Fonts, pens, brushes and window placement: the text-font zoom limits, the
// measured metrics and their derived spacings, the font caption, the set of
// pens and brushes by colour depth, and windows and the cursor kept inside
// the work area (1280 x 1024 headless).
#include "platform/Input.h"
#include "services/AppFonts.h"
#include "services/AppPens.h"
#include "services/AppTesting.h"
#include "services/WindowUtilities.h"

namespace {

class AppFontsTest : public AppFixture {
 protected:
  void TearDown() override {
    DeleteFonts();
    DeleteBrushesAndPens();
    SetDefaultFontDescriptions();
    AppFixture::TearDown();
  }
  static HWND TopWindow(int x, int y, int w, int h) {
    WNDCLASS windowClass{};
    windowClass.lpfnWndProc = DefWindowProc;
    windowClass.lpszClassName = "PlacedWindow";
    RegisterClass(&windowClass);
    return CreateWindowEx(0, "PlacedWindow", "placed", WS_POPUP, x, y, w, h, nullptr, nullptr, nullptr, nullptr);
  }
};

TEST_F(AppFontsTest, TheTextFontZoomsInTenthsBetween80And300) {
  CreateTextAndGraphicsFonts();
  TextFont().size = 290;
  EXPECT_EQ(ZoomTextFont(nullptr, true), 300);
  EXPECT_EQ(ZoomTextFont(nullptr, true), 300);
  // 300 tenths at 96 pixels per inch: 300 * 96 / 720 = 40 pixels.
  EXPECT_EQ(TextFont().logFont.lfHeight, -40);
  TextFont().size = 85;
  EXPECT_EQ(ZoomTextFont(nullptr, false), 80);
  EXPECT_EQ(TextFont().logFont.lfHeight, -(80 * 96 / 720));
  EXPECT_NE(TextFont().handle, nullptr);
}

TEST_F(AppFontsTest, MetricsFollowTheTableRules) {
  CreateFonts();
  CreateTextAndGraphicsFonts();
  for (AppFont* font : {&TextFont(), &GraphicsFont(), &SmallFont(), &UnderlinedFont()}) {
    ASSERT_NE(font->handle, nullptr);
    EXPECT_GT(font->height, 8);
    EXPECT_EQ(font->cellMargin, font->averageWidth / 2 + 2);
    EXPECT_EQ(font->lineSpacing, font->height / 12 + 2);
    EXPECT_EQ(font->rowHeight, font->height + 2 * (font->height / 12 + 2));
  }
  EXPECT_EQ(SmallFont().logFont.lfHeight, -(96 * 8 / 72));
  EXPECT_EQ(UnderlinedFont().logFont.lfUnderline, 1);
  EXPECT_EQ(GraphicsFont().logFont.lfQuality, NONANTIALIASED_QUALITY);
  EXPECT_EQ(FontCaptionText(TextFont()), "MS Sans Serif, 8 point");
  DeleteFonts();
  EXPECT_EQ(TextFont().handle, nullptr);
  EXPECT_EQ(SmallFont().handle, nullptr);
}

TEST_F(AppFontsTest, TheFontDialogsAreCaptionedAndOkTakesTheChosenFont) {
  CreateTextAndGraphicsFonts();
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Font", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Text Font");
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_FALSE(ChooseTextFont(nullptr));
  EXPECT_STREQ(TextFont().logFont.lfFaceName, "MS Sans Serif");
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Font", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Graphics Font");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_TRUE(ChooseGraphicsFont(nullptr));
  // The layer draws "MS Sans Serif" with its proportional face, at 8 points.
  EXPECT_STREQ(GraphicsFont().logFont.lfFaceName, "DejaVu Sans");
  EXPECT_EQ(GraphicsFont().size, 80);
  EXPECT_EQ(GraphicsFont().logFont.lfQuality, NONANTIALIASED_QUALITY);
  EXPECT_NE(GraphicsFont().handle, nullptr);
}

TEST_F(AppFontsTest, HighlightBrushesDependOnTheColourDepth) {
  auto colour = [](HBRUSH brush) {
    LOGBRUSH record{};
    GetObject(brush, sizeof record, &record);
    return record.lbColor;
  };
  CreateBrushesAndPens(24);
  EXPECT_EQ(colour(Pens().highlightBrush1), RGB(216, 255, 216));
  EXPECT_EQ(colour(Pens().highlightBrush2), RGB(208, 255, 255));
  EXPECT_EQ(colour(Pens().pinkBrush), RGB(255, 128, 255));
  DeleteBrushesAndPens();
  EXPECT_EQ(Pens().pinkBrush, nullptr);
  CreateBrushesAndPens(8);
  EXPECT_EQ(colour(Pens().highlightBrush1), RGB(0, 255, 0));
  EXPECT_EQ(colour(Pens().highlightBrush2), RGB(0, 255, 255));
  LOGPEN pen{};
  GetObject(Pens().darkRedPen2, sizeof pen, &pen);
  EXPECT_EQ(pen.lopnWidth.x, 2);
  EXPECT_EQ(pen.lopnColor, RGB(192, 0, 0));
}

TEST_F(AppFontsTest, AStoredPositionBeyondTheWorkAreaKeepsTheWindowFullyVisible) {
  HWND window = TopWindow(0, 0, 300, 200);
  MoveWindowInScreen(window, POINT{5000, 4000}, 0);
  RECT r{};
  GetWindowRect(window, &r);
  EXPECT_EQ(r.right, 1280 - 1);
  EXPECT_EQ(r.bottom, 1024 - 1);
  EXPECT_EQ(r.right - r.left, 300);
  MoveWindowInScreen(window, POINT{-30, 40}, 0);
  GetWindowRect(window, &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 40);
  HWND huge = TopWindow(0, 0, 2000, 1500);
  MoveWindowInScreen(huge, POINT{10, 10}, 0);
  GetWindowRect(huge, &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_LE(r.right, 1280);
  EXPECT_LE(r.bottom, 1024);
}

TEST_F(AppFontsTest, PlacingCentresAndClamps) {
  HWND window = TopWindow(0, 0, 200, 100);
  PlaceInRect(window, 200, 100, RECT{100, 100, 500, 300}, true);
  RECT r{};
  GetWindowRect(window, &r);
  EXPECT_EQ(r.left, 200);
  EXPECT_EQ(r.top, 150);
  PlaceInRect(window, 200, 100, RECT{1200, 990, 1400, 1100}, true);
  GetWindowRect(window, &r);
  EXPECT_EQ(r.left, 1080);
  EXPECT_EQ(r.top, 924);
  const RECT clamped = ClampRectToScreen(RECT{-10, 1000, 90, 1100});
  EXPECT_EQ(clamped.left, 0);
  EXPECT_EQ(clamped.top, 924);
  EXPECT_EQ(clamped.right, 100);
  EXPECT_EQ(clamped.bottom, 1024);
  // With no parent, a window centres on the work area.
  CenterWindowOnParent(window, 0);
  GetWindowRect(window, &r);
  EXPECT_EQ(r.left, (1280 - 200) / 2);
  EXPECT_EQ(r.top, (1024 - 100) / 2);
}

TEST_F(AppFontsTest, TheCursorGoesToAnItemOrTheCentre) {
  HWND window = TopWindow(100, 200, 300, 100);
  MoveCursorToItem(window, kCentreItem);
  POINT cursor{};
  GetCursorPos(&cursor);
  EXPECT_EQ(cursor.x, 250);
  EXPECT_EQ(cursor.y, 250);
  HWND item = CreateWindowEx(0, "PlacedWindow", "", WS_CHILD | WS_VISIBLE, 20, 10, 80, 20, window,
                             reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(77)), nullptr, nullptr);
  ASSERT_NE(item, nullptr);
  MoveCursorToItem(window, 77);
  GetCursorPos(&cursor);
  EXPECT_EQ(cursor.x, 100 + 20 + 60);  // three quarters across
  EXPECT_EQ(cursor.y, 200 + 10 + 10);  // halfway down
}

TEST_F(AppFontsTest, AClassThatCannotBeRegisteredIsNamed) {
  RegisterChildClass("QuorvelTest", DefWindowProc, CS_OWNDC, nullptr);
  try {
    RegisterChildClass("QuorvelTest", DefWindowProc, CS_OWNDC, nullptr);
    ADD_FAILURE() << "nothing thrown";
  } catch (const std::string& text) {
    EXPECT_EQ(text, "Unable to register window class : QuorvelTest");
  }
}

}  // namespace
