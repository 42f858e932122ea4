// Static controls: text in the parent's colours, greyed when disabled, the
// click of an SS_NOTIFY static, and etched lines.
#include "platform/ControlTesting.h"
#include "platform/Gdi.h"
#include "platform/Resource.h"

namespace {

class StaticTest : public ControlTest {};

TEST_F(StaticTest, TextOnTheParentsBrush) {
  HBRUSH yellow = CreateSolidBrush(RGB(255, 255, 0));
  log.hook = [&](HWND, UINT message, WPARAM wParam, LPARAM, LRESULT* answer) {
    if (message != WM_CTLCOLORSTATIC) return false;
    SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 255));
    SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
    *answer = reinterpret_cast<LRESULT>(yellow);
    return true;
  };
  HWND label = Make(WC_STATIC, "MMMM", SS_LEFT, 10, 10, 100, 20, 50);
  platform::RunUntilIdle();
  EXPECT_EQ(platform::GetWindowPixel(label, 90, 10), RGB(255, 255, 0));
  EXPECT_GT(CountBluish(label, RECT{0, 0, 50, 20}), 10);
  DestroyWindow(label);
  log.hook = nullptr;
  DeleteObject(yellow);
}

TEST_F(StaticTest, DisabledTextIsGrey) {
  HWND label = Make(WC_STATIC, "MMMM", SS_LEFT, 10, 10, 100, 20, 50);
  EnableWindow(label, FALSE);
  platform::RunUntilIdle();
  EXPECT_GT(CountGrey(label, RECT{0, 0, 50, 20}), 10);
  EXPECT_EQ(CountPixels(label, RECT{0, 0, 50, 20}, RGB(0, 0, 0)), 0);
  EXPECT_EQ(SendMessage(label, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
}

TEST_F(StaticTest, NotifyStyleReportsClicks) {
  HWND quiet = Make(WC_STATIC, "quiet", SS_LEFT, 10, 10, 100, 20, 50);
  HWND link = Make(WC_STATIC, "link", SS_LEFT | SS_NOTIFY, 10, 40, 100, 20, 51);
  Click(quiet, 5, 5);
  Click(link, 5, 5);
  EXPECT_TRUE(CodesOf(50).empty());
  EXPECT_EQ(CodesOf(51), (std::vector<UINT>{STN_CLICKED}));
}

TEST_F(StaticTest, IconStaticDrawsItsIcon) {
  HWND picture = Make(WC_STATIC, "", SS_ICON, 10, 10, 40, 40, 53);
  HICON icon = LoadIcon(nullptr, IDI_WARNING);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(SendMessage(picture, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0), 0);
  EXPECT_EQ(SendMessage(picture, STM_GETICON, 0, 0), reinterpret_cast<LRESULT>(icon));
  platform::RunUntilIdle();
  SIZE size{};
  ASSERT_TRUE(GetIconSize(icon, &size));
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  int drawn = 0;
  for (int y = 0; y < size.cy; ++y)
    for (int x = 0; x < size.cx; ++x) drawn += platform::GetWindowPixel(picture, x, y) != face;
  EXPECT_GT(drawn, size.cx * size.cy / 4);
}

TEST_F(StaticTest, EtchedLineIsShadowOverLight) {
  HWND line = Make(WC_STATIC, "", SS_ETCHEDHORZ, 10, 10, 100, 2, 52);
  platform::RunUntilIdle();
  EXPECT_EQ(platform::GetWindowPixel(line, 50, 0), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(platform::GetWindowPixel(line, 50, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
}

}  // namespace
