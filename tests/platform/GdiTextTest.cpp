// Fonts, metrics and text placement. Widths are checked against each other
// (sums of single characters, fixed pitch) and placement against the
// measured extent and metrics, by finding where the ink landed.
#include "platform/GdiTestCanvas.h"
#include "platform/FileNames.h"
#include "platform/ShortenedPaths.h"

#include <climits>
#include <cstddef>
#include <cstring>
#include <string>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

LOGFONT Description(const char* face, LONG height, BYTE pitch = DEFAULT_PITCH | FF_DONTCARE) {
  LOGFONT font{};
  font.lfHeight = height;
  font.lfWeight = FW_NORMAL;
  font.lfPitchAndFamily = pitch;
  std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  return font;
}

// A font selected into a canvas for the life of the object.
class FontOn {
 public:
  FontOn(HDC dc, const LOGFONT& description) : dc_(dc) {
    font_ = CreateFontIndirect(&description);
    previous_ = SelectObject(dc_, font_);
  }
  ~FontOn() {
    SelectObject(dc_, previous_);
    DeleteObject(font_);
  }
  FontOn(const FontOn&) = delete;
  FontOn& operator=(const FontOn&) = delete;

 private:
  HDC dc_;
  HFONT font_;
  HGDIOBJ previous_;
};

int Width(HDC dc, const std::string& text) {
  SIZE size{};
  EXPECT_TRUE(GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size));
  return size.cx;
}

// The bounding box of every non-white pixel; empty when there is none.
RECT Ink(const Canvas& canvas) {
  PixelImage image = canvas.Pixels();
  RECT box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      if (image.At(x, y) != kWhite) {
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x + 1);
        box.bottom = std::max<LONG>(box.bottom, y + 1);
      }
  if (box.left == INT_MAX) return RECT{0, 0, 0, 0};
  return box;
}

TEST(GdiFontRecords, FontDescriptionIsTheSixtyByteLayout) {
  EXPECT_EQ(sizeof(LOGFONT), 60u);
  EXPECT_EQ(offsetof(LOGFONT, lfWeight), 16u);
  EXPECT_EQ(offsetof(LOGFONT, lfItalic), 20u);
  EXPECT_EQ(offsetof(LOGFONT, lfQuality), 26u);
  EXPECT_EQ(offsetof(LOGFONT, lfPitchAndFamily), 27u);
  EXPECT_EQ(offsetof(LOGFONT, lfFaceName), 28u);
}

TEST(GdiFontRecords, DescriptionsRoundTripAndStockGuiFontIsEightPoint) {
  LOGFONT asked = Description("MS Sans Serif", -11);
  asked.lfQuality = NONANTIALIASED_QUALITY;
  asked.lfItalic = 1;
  HFONT font = CreateFontIndirect(&asked);
  LOGFONT back{};
  ASSERT_EQ(GetObject(font, sizeof back, &back), 60);
  EXPECT_EQ(std::memcmp(&asked, &back, sizeof back), 0);
  DeleteObject(font);
  LOGFONT gui{};
  GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui);
  EXPECT_EQ(gui.lfHeight, -11);  // 8 point at 96 pixels per inch: -(96 x 8 / 72)
  EXPECT_EQ(gui.lfWeight, FW_NORMAL);
}

TEST(GdiFontRecords, UnterminatedFaceNameIsCut) {
  LOGFONT asked = Description("", -12);
  std::memset(asked.lfFaceName, 'A', LF_FACESIZE);
  HFONT font = CreateFontIndirect(&asked);
  LOGFONT back{};
  GetObject(font, sizeof back, &back);
  EXPECT_EQ(std::strlen(back.lfFaceName), static_cast<std::size_t>(LF_FACESIZE - 1));
  DeleteObject(font);
}

TEST(GdiTextMetrics, CharacterHeightAndCellAreConsistent) {
  Canvas canvas(4, 4);
  FontOn font(canvas.dc(), Description("MS Sans Serif", -11));
  TEXTMETRIC tm{};
  ASSERT_TRUE(GetTextMetrics(canvas.dc(), &tm));
  EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
  // A negative height asks for that character height: cell less internal leading.
  EXPECT_NEAR(tm.tmHeight - tm.tmInternalLeading, 11, 1);
  EXPECT_GT(tm.tmAveCharWidth, 2);
  EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
  EXPECT_EQ(tm.tmAveCharWidth, Width(canvas.dc(), "x"));
  EXPECT_TRUE(tm.tmPitchAndFamily & TMPF_FIXED_PITCH);  // set: a proportional font
  EXPECT_EQ(tm.tmWeight, FW_NORMAL);
  SIZE size{};
  GetTextExtentPoint32(canvas.dc(), "Hello", 5, &size);
  EXPECT_EQ(size.cy, tm.tmHeight);
}

TEST(GdiTextMetrics, PositiveHeightAsksForTheCell) {
  Canvas canvas(4, 4);
  FontOn font(canvas.dc(), Description("Arial", 20));
  TEXTMETRIC tm{};
  GetTextMetrics(canvas.dc(), &tm);
  EXPECT_NEAR(tm.tmHeight, 20, 1);
}

TEST(GdiTextMetrics, ExtentOfTextIsTheSumOfItsCharacters) {
  Canvas canvas(4, 4);
  for (const char* face : {"MS Sans Serif", "Courier New"}) {
    FontOn font(canvas.dc(), Description(face, -13));
    for (const char* pair : {"ab", "AV", "To", "Wa", "ff", "1.", "\x80z"}) {
      std::string text = pair;
      EXPECT_EQ(Width(canvas.dc(), text),
                Width(canvas.dc(), text.substr(0, 1)) + Width(canvas.dc(), text.substr(1)))
          << face << " " << pair;
    }
    std::string sentence = "Piping stress 1.000E+005";
    int sum = 0;
    for (char c : sentence) sum += Width(canvas.dc(), std::string(1, c));
    EXPECT_EQ(Width(canvas.dc(), sentence), sum) << face;
  }
}

TEST(GdiTextMetrics, FixedPitchFacesHaveOneAdvance) {
  Canvas canvas(4, 4);
  for (const LOGFONT& description :
       {Description("Courier New", -12), Description("Lucida Console", -15),
        Description("", -12, FIXED_PITCH | FF_MODERN)}) {
    FontOn font(canvas.dc(), description);
    int w = Width(canvas.dc(), "W");
    EXPECT_GT(w, 0);
    EXPECT_EQ(Width(canvas.dc(), "WW"), 2 * w);
    EXPECT_EQ(Width(canvas.dc(), "i"), w);
    TEXTMETRIC tm{};
    GetTextMetrics(canvas.dc(), &tm);
    EXPECT_EQ(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, 0);  // clear: fixed pitch
    EXPECT_EQ(tm.tmAveCharWidth, w);
    EXPECT_EQ(tm.tmMaxCharWidth, w);
  }
}

TEST(GdiTextMetrics, TextFaceIsTheDescriptionsFace) {
  Canvas canvas(4, 4);
  FontOn font(canvas.dc(), Description("Tahoma", -11));
  char face[LF_FACESIZE] = {};
  EXPECT_EQ(GetTextFace(canvas.dc(), sizeof face, face), 7);
  EXPECT_STREQ(face, "Tahoma");
}

struct Placement {
  RECT ink;
  int width;
  TEXTMETRIC tm;
};

Placement DrawAt(UINT align, int x, int y, const char* text) {
  Canvas canvas(200, 80);
  FontOn font(canvas.dc(), Description("MS Sans Serif", -16));
  SetBkMode(canvas.dc(), TRANSPARENT);
  SetTextAlign(canvas.dc(), align);
  TextOut(canvas.dc(), x, y, text, static_cast<int>(std::strlen(text)));
  Placement placement{Ink(canvas), Width(canvas.dc(), text), {}};
  GetTextMetrics(canvas.dc(), &placement.tm);
  return placement;
}

TEST(GdiTextOut, AlignmentPlacesTheRunAroundTheReferencePoint) {
  // "HH" has ink from near its left edge to near its right edge.
  Placement left = DrawAt(TA_LEFT | TA_TOP, 100, 20, "HH");
  Placement centre = DrawAt(TA_CENTER | TA_TOP, 100, 20, "HH");
  Placement right = DrawAt(TA_RIGHT | TA_TOP, 100, 20, "HH");
  int w = left.width;
  EXPECT_GE(left.ink.left, 100);
  EXPECT_LE(left.ink.right, 100 + w);
  EXPECT_EQ(centre.ink.left, left.ink.left - w / 2);
  EXPECT_EQ(right.ink.left, left.ink.left - w);
  EXPECT_LE(right.ink.right, 100);
  EXPECT_GT(right.ink.right, 100 - w / 2);
  // Capital letters sit on the baseline: top + ascent.
  EXPECT_EQ(left.ink.bottom, 20 + left.tm.tmAscent);
  EXPECT_GE(left.ink.top, 20);
}

TEST(GdiTextOut, BaselineAndBottomAlignment) {
  Placement top = DrawAt(TA_LEFT | TA_TOP, 10, 30, "HH");
  Placement baseline = DrawAt(TA_LEFT | TA_BASELINE, 10, 30, "HH");
  Placement bottom = DrawAt(TA_LEFT | TA_BOTTOM, 10, 30, "HH");
  EXPECT_EQ(baseline.ink.bottom, 30);
  EXPECT_EQ(baseline.ink.top, top.ink.top - top.tm.tmAscent);
  EXPECT_EQ(bottom.ink.bottom, 30 - top.tm.tmDescent);
  EXPECT_EQ(baseline.ink.left, top.ink.left);
}

TEST(GdiTextOut, OpaqueBackgroundFillsTheTextCell) {
  Canvas canvas(60, 30);
  FontOn font(canvas.dc(), Description("MS Sans Serif", -11));
  SetBkMode(canvas.dc(), OPAQUE);
  SetBkColor(canvas.dc(), RGB(0, 255, 0));
  TextOut(canvas.dc(), 5, 4, "ab", 2);
  TEXTMETRIC tm{};
  GetTextMetrics(canvas.dc(), &tm);
  int w = Width(canvas.dc(), "ab");
  EXPECT_EQ(Ink(canvas).left, 5);
  EXPECT_EQ(Ink(canvas).top, 4);
  EXPECT_EQ(Ink(canvas).right, 5 + w);
  EXPECT_EQ(Ink(canvas).bottom, 4 + tm.tmHeight);
  EXPECT_EQ(canvas.At(5, 4), RGB(0, 255, 0));
}

TEST(GdiTextOut, UpdateCurrentPositionAdvancesByTheExtent) {
  Canvas canvas(100, 30);
  FontOn font(canvas.dc(), Description("MS Sans Serif", -11));
  SetTextAlign(canvas.dc(), TA_UPDATECP);
  MoveToEx(canvas.dc(), 7, 3, nullptr);
  TextOut(canvas.dc(), 0, 0, "abc", 3);
  POINT position;
  GetCurrentPositionEx(canvas.dc(), &position);
  EXPECT_EQ(position.x, 7 + Width(canvas.dc(), "abc"));
  EXPECT_EQ(position.y, 3);
}

TEST(GdiTextOut, ClippedExtTextOutStaysInsideItsRectangle) {
  Canvas canvas(80, 30);
  FontOn font(canvas.dc(), Description("MS Sans Serif", -16));
  SetBkMode(canvas.dc(), TRANSPARENT);
  RECT box{10, 0, 20, 30};
  ExtTextOut(canvas.dc(), 5, 5, ETO_CLIPPED, &box, "WWWW", 4, nullptr);
  RECT ink = Ink(canvas);
  EXPECT_GE(ink.left, 10);
  EXPECT_LE(ink.right, 20);
  EXPECT_LT(ink.left, ink.right);
}

TEST(GdiDrawText, CalcRectMeasuresAndMnemonicsDoNotCount) {
  Canvas canvas(10, 10);
  FontOn font(canvas.dc(), Description("MS Sans Serif", -11));
  TEXTMETRIC tm{};
  GetTextMetrics(canvas.dc(), &tm);
  RECT rect{3, 4, 3, 4};
  int height = DrawText(canvas.dc(), "&File", -1, &rect, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(height, tm.tmHeight);
  EXPECT_EQ(rect.right - rect.left, Width(canvas.dc(), "File"));
  EXPECT_EQ(rect.bottom - rect.top, tm.tmHeight);
  rect = RECT{0, 0, 0, 0};
  DrawText(canvas.dc(), "a&&b", -1, &rect, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(rect.right, Width(canvas.dc(), "a&b"));
  rect = RECT{0, 0, 0, 0};
  DrawText(canvas.dc(), "a&&b", -1, &rect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_EQ(rect.right, Width(canvas.dc(), "a&&b"));
  rect = RECT{0, 0, 0, 0};
  EXPECT_EQ(DrawText(canvas.dc(), "one\ntwo\r\nthree", -1, &rect, DT_CALCRECT), 3 * tm.tmHeight);
  EXPECT_EQ(rect.right, Width(canvas.dc(), "three"));
}

TEST(GdiDrawText, CentredTextAndTheMnemonicUnderline) {
  Canvas canvas(100, 40);
  FontOn font(canvas.dc(), Description("MS Sans Serif", -16));
  SetBkMode(canvas.dc(), TRANSPARENT);
  TEXTMETRIC tm{};
  GetTextMetrics(canvas.dc(), &tm);
  RECT rect{0, 0, 100, 40};
  DrawText(canvas.dc(), "HH", -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  RECT plain = Ink(canvas);
  int w = Width(canvas.dc(), "HH");
  int left = (100 - w) / 2;
  int top = (40 - tm.tmHeight) / 2;
  EXPECT_GE(plain.left, left);
  EXPECT_LE(plain.right, left + w);
  EXPECT_EQ(plain.bottom, top + tm.tmAscent);
  RECT white{0, 0, 100, 40};
  FillRect(canvas.dc(), &white, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawText(canvas.dc(), "&HH", -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  RECT marked = Ink(canvas);
  EXPECT_GT(marked.bottom, plain.bottom);  // the underline lies below the baseline
  EXPECT_EQ(marked.left, left);            // under the first H, from its left edge
  EXPECT_LE(marked.right, left + w);
}

TEST(GdiDrawText, EndEllipsisFitsTheRectangle) {
  Canvas canvas(10, 10);
  FontOn font(canvas.dc(), Description("MS Sans Serif", -11));
  RECT rect{0, 0, 40, 20};
  DrawText(canvas.dc(), "A rather long caption", -1, &rect,
           DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
  EXPECT_LE(rect.right, 40);
  EXPECT_GT(rect.right, 40 - Width(canvas.dc(), "W") - Width(canvas.dc(), "..."));
}

TEST(GdiDrawText, WordBreakWrapsAtSpaces) {
  Canvas canvas(10, 10);
  FontOn font(canvas.dc(), Description("MS Sans Serif", -11));
  TEXTMETRIC tm{};
  GetTextMetrics(canvas.dc(), &tm);
  int width = Width(canvas.dc(), "alpha beta");
  RECT rect{0, 0, width, 0};
  DrawText(canvas.dc(), "alpha beta gamma", -1, &rect, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_EQ(rect.bottom, 2 * tm.tmHeight);
  EXPECT_EQ(rect.right, width);
}

}  // namespace

namespace {

TEST(GdiTextOut, BottomUpAndTopDownBitmapsGetTheSamePixels) {
  Canvas top(60, 20, false);
  Canvas bottom(60, 20, true);
  for (Canvas* canvas : {&top, &bottom}) {
    FontOn font(canvas->dc(), Description("MS Sans Serif", -11));
    TextOut(canvas->dc(), 2, 2, "Quorvel", 7);
    Ellipse(canvas->dc(), 40, 2, 58, 18);
  }
  EXPECT_EQ(top.Pixels().pixels, bottom.Pixels().pixels);
  EXPECT_LT(top.Count(kWhite), 60 * 20);
}

// A path too wide keeps its start and its own name (a name too wide alone,
// its start and end), cut between whole characters; what fits stays.
TEST(GdiText, APathTooWideShowsItsStartAndItsOwnName) {
  Canvas canvas(8, 8);
  FontOn font(canvas.dc(), Description("MS Sans Serif", -11));
  auto fits = [&](const std::string& text, int room) {
    SIZE size{};
    GetTextExtentPoint32(canvas.dc(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx <= room;
  };
  const std::string shown = FitPathToWidth(canvas.dc(), "/home/u/" + std::string(4000, 'f') + "/Plant.mod", 400);
  EXPECT_TRUE(fits(shown, 400) && shown.rfind("/home/u/f", 0) == 0 && shown.ends_with("f.../Plant.mod")) << shown;
  EXPECT_EQ(FitPathToWidth(canvas.dc(), "/x/Plant.mod", 400), "/x/Plant.mod");
  const std::string cut = FitPathToWidth(canvas.dc(), "/x/" + std::string(238, 'n') + ".mod", 300);
  EXPECT_TRUE(fits(cut, 300) && cut.rfind(".../n", 0) == 0 && cut.ends_with("n...nnnnnnnn.mod")) << cut;
  std::string wide;
  for (int i = 0; i < 200; ++i) wide += "\xE7\xAE\xA1";
  const std::string fitted = FitPathToWidth(canvas.dc(), platform::FromFileSystemName("/" + wide + "/a.mod"), 200);
  EXPECT_EQ(platform::ToFileSystemName(fitted.substr(0, fitted.find("..."))).size() % 3, 1u) << "whole characters";
}

}  // namespace
