// Toolbars: buttons from image strips and image lists, separators, enable,
// hide, check, press, change image, item rectangles, auto-size, WM_COMMAND on
// a click, and tooltips asked from the owner after the pointer rests.
#include <cstring>

#include "platform/ControlTesting.h"
#include "platform/Gdi.h"
#include "platform/Paint.h"
#include "platform/Toolbar.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);

class ToolbarTest : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    strip = MakeStrip({kRed, kGreen, kBlue});
    toolbar = CreateWindowEx(0, TOOLBARCLASSNAME, "", WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS, 0, 0, 0,
                             0, top, reinterpret_cast<HMENU>(80), nullptr, nullptr);
    ASSERT_NE(toolbar, nullptr);
    TBADDBITMAP add{nullptr, reinterpret_cast<UINT_PTR>(strip)};
    EXPECT_EQ(SendMessage(toolbar, TB_ADDBITMAP, 3, reinterpret_cast<LPARAM>(&add)), 0);
    const TBBUTTON buttons[] = {
        {0, 201, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
        {0, 0, 0, TBSTYLE_SEP, {}, 0, 0},
        {1, 202, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
        {2, 203, TBSTATE_ENABLED, TBSTYLE_CHECK, {}, 0, 0},
    };
    SendMessage(toolbar, TB_ADDBUTTONS, 4, reinterpret_cast<LPARAM>(buttons));
    platform::RunUntilIdle();
    log.Clear();
  }
  void TearDown() override {
    ControlTest::TearDown();
    DeleteObject(strip);
  }
  static HBITMAP MakeStrip(std::initializer_list<COLORREF> colours) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16 * static_cast<int>(colours.size()), 15);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    int x = 0;
    for (COLORREF colour : colours) {
      HBRUSH brush = CreateSolidBrush(colour);
      RECT r{x, 0, x + 16, 15};
      FillRect(memory, &r, brush);
      DeleteObject(brush);
      x += 16;
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return bitmap;
  }
  RECT ItemRect(int index) {
    RECT r{};
    EXPECT_TRUE(SendMessage(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)));
    return r;
  }
  // The middle of a button's image.
  COLORREF ImagePixel(int index) {
    RECT r = ItemRect(index);
    return platform::GetWindowPixel(toolbar, r.left + 3 + 8, r.top + 3 + 7);
  }
  std::vector<std::pair<int, UINT>> ToolbarCommands() {
    std::vector<std::pair<int, UINT>> result;
    for (const Logged& entry : log.Only({WM_COMMAND}))
      if (entry.lParam == reinterpret_cast<LPARAM>(toolbar)) result.emplace_back(LOWORD(entry.wParam), HIWORD(entry.wParam));
    return result;
  }
  void ClickButton(int index) {
    RECT r = ItemRect(index);
    Click(toolbar, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  HBITMAP strip = nullptr;
  HWND toolbar = nullptr;
};

TEST_F(ToolbarTest, LayoutAndQueries) {
  EXPECT_EQ(SendMessage(toolbar, TB_BUTTONCOUNT, 0, 0), 4);
  EXPECT_EQ(SendMessage(toolbar, TB_COMMANDTOINDEX, 202, 0), 2);
  EXPECT_EQ(SendMessage(toolbar, TB_COMMANDTOINDEX, 999, 0), -1);
  RECT first = ItemRect(0), separator = ItemRect(1), second = ItemRect(2);
  EXPECT_EQ(first.left, 0);
  EXPECT_EQ(first.right, 23);  // a 16 x 15 image in a 23 x 22 button
  EXPECT_EQ(first.bottom - first.top, 22);
  EXPECT_EQ(separator.right - separator.left, 8);
  EXPECT_EQ(second.left, 31);
  TBBUTTON button{};
  ASSERT_TRUE(SendMessage(toolbar, TB_GETBUTTON, 3, reinterpret_cast<LPARAM>(&button)));
  EXPECT_EQ(button.idCommand, 203);
  EXPECT_EQ(button.fsStyle, TBSTYLE_CHECK);
  // Auto-size: the parent's width, one row high.
  RECT bounds{}, client{};
  GetWindowRect(toolbar, &bounds);
  GetClientRect(top, &client);
  EXPECT_EQ(bounds.right - bounds.left, client.right);
  EXPECT_EQ(bounds.bottom - bounds.top, 22 + 4);
  EXPECT_EQ(ImagePixel(0), kRed);
  EXPECT_EQ(ImagePixel(2), kGreen);
}

TEST_F(ToolbarTest, ClickSendsCommandUnlessDisabled) {
  ClickButton(2);
  EXPECT_EQ(ToolbarCommands(), (std::vector<std::pair<int, UINT>>{{202, BN_CLICKED}}));
  log.Clear();
  EXPECT_TRUE(SendMessage(toolbar, TB_ENABLEBUTTON, 202, MAKELPARAM(FALSE, 0)));
  EXPECT_FALSE(SendMessage(toolbar, TB_ISBUTTONENABLED, 202, 0));
  platform::RunUntilIdle();
  ClickButton(2);
  EXPECT_TRUE(ToolbarCommands().empty());
  EXPECT_NE(ImagePixel(2), kGreen);  // drawn greyed
  EXPECT_TRUE(IsGrey(ImagePixel(2)));
}

TEST_F(ToolbarTest, CheckPressHideAndChangeImage) {
  ClickButton(3);
  EXPECT_TRUE(SendMessage(toolbar, TB_ISBUTTONCHECKED, 203, 0));
  ClickButton(3);
  EXPECT_FALSE(SendMessage(toolbar, TB_ISBUTTONCHECKED, 203, 0));
  SendMessage(toolbar, TB_CHECKBUTTON, 203, MAKELPARAM(TRUE, 0));
  EXPECT_TRUE(SendMessage(toolbar, TB_ISBUTTONCHECKED, 203, 0));
  SendMessage(toolbar, TB_PRESSBUTTON, 201, MAKELPARAM(TRUE, 0));
  EXPECT_TRUE(SendMessage(toolbar, TB_ISBUTTONPRESSED, 201, 0));
  EXPECT_EQ(SendMessage(toolbar, TB_GETSTATE, 201, 0), TBSTATE_ENABLED | TBSTATE_PRESSED);
  SendMessage(toolbar, TB_HIDEBUTTON, 201, MAKELPARAM(TRUE, 0));
  RECT hidden{};
  EXPECT_FALSE(SendMessage(toolbar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&hidden)));
  EXPECT_EQ(ItemRect(2).left, 8);  // the separator now leads
  EXPECT_TRUE(SendMessage(toolbar, TB_CHANGEBITMAP, 202, 2));
  EXPECT_EQ(SendMessage(toolbar, TB_GETBITMAP, 202, 0), 2);
  platform::RunUntilIdle();
  EXPECT_EQ(ImagePixel(2), kBlue);
  EXPECT_EQ(ToolbarCommands(), (std::vector<std::pair<int, UINT>>{{203, BN_CLICKED}, {203, BN_CLICKED}}));
}

TEST_F(ToolbarTest, HoldingAButtonTellsItsDrag) {
  std::vector<std::pair<UINT, int>> drags;
  log.hook = [&](HWND, UINT message, WPARAM, LPARAM lParam, LRESULT*) {
    if (message != WM_NOTIFY) return false;
    const auto* info = reinterpret_cast<const NMTOOLBAR*>(lParam);
    UINT code = info->hdr.code;
    if (code == TBN_BEGINDRAG || code == TBN_DRAGOUT || code == TBN_ENDDRAG) drags.emplace_back(code, info->iItem);
    return false;
  };
  RECT r = ItemRect(2);
  platform::TestMouse(toolbar, WM_LBUTTONDOWN, r.left + 5, r.top + 5);
  platform::TestMouse(toolbar, WM_MOUSEMOVE, r.left + 6, r.top + 5);
  platform::TestMouse(toolbar, WM_MOUSEMOVE, r.right + 30, r.top + 5);  // off the button
  platform::TestMouse(toolbar, WM_MOUSEMOVE, r.right + 40, r.top + 5);
  platform::TestMouse(toolbar, WM_LBUTTONUP, r.right + 40, r.top + 5);
  platform::RunUntilIdle();
  EXPECT_EQ(drags, (std::vector<std::pair<UINT, int>>{{TBN_BEGINDRAG, 202}, {TBN_DRAGOUT, 202}, {TBN_ENDDRAG, 202}}));
  EXPECT_TRUE(ToolbarCommands().empty());  // released off the button
  log.hook = nullptr;
}

TEST_F(ToolbarTest, ImageListReplacesTheStrips) {
  HIMAGELIST images = ImageList_Create(16, 15, ILC_COLOR32, 2, 2);
  HBITMAP other = MakeStrip({kBlue, kRed});
  EXPECT_EQ(ImageList_Add(images, other, nullptr), 0);
  EXPECT_EQ(ImageList_GetImageCount(images), 2);
  SendMessage(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
  platform::RunUntilIdle();
  EXPECT_EQ(ImagePixel(0), kBlue);
  EXPECT_EQ(ImagePixel(2), kRed);
  DestroyWindow(toolbar);
  ImageList_Destroy(images);
  DeleteObject(other);
}

TEST_F(ToolbarTest, TooltipAskedFromTheOwnerAfterTheDelay) {
  std::vector<UINT_PTR> asked;
  log.hook = [&](HWND, UINT message, WPARAM, LPARAM lParam, LRESULT*) {
    if (message != WM_NOTIFY) return false;
    auto* info = reinterpret_cast<NMTTDISPINFO*>(lParam);
    if (info->hdr.code != TTN_NEEDTEXT) return false;
    asked.push_back(info->hdr.idFrom);
    if (info->hdr.idFrom == 202) std::strcpy(info->szText, "Open model");
    else info->lpszText = const_cast<char*>("Check model");
    return true;
  };
  RECT r = ItemRect(2);
  platform::TestMouse(toolbar, WM_MOUSEMOVE, r.left + 5, r.top + 5);
  platform::AdvanceClock(kToolTipDelay - 1);
  EXPECT_TRUE(asked.empty());
  platform::AdvanceClock(1);
  EXPECT_EQ(asked, (std::vector<UINT_PTR>{202}));
  auto tip = reinterpret_cast<HWND>(SendMessage(toolbar, TB_GETTOOLTIPS, 0, 0));
  ASSERT_NE(tip, nullptr);
  EXPECT_TRUE(IsWindowVisible(tip));
  EXPECT_EQ(Text(tip), "Open model");
  r = ItemRect(3);
  platform::TestMouse(toolbar, WM_MOUSEMOVE, r.left + 5, r.top + 5);
  platform::RunUntilIdle();
  EXPECT_FALSE(IsWindowVisible(tip));
  platform::AdvanceClock(kToolTipDelay);
  EXPECT_EQ(Text(tip), "Check model");
  // Leaving the toolbar takes the tip away.
  platform::TestMouse(top, WM_MOUSEMOVE, 200, 200);
  platform::AdvanceClock(100);
  EXPECT_FALSE(IsWindowVisible(tip));
  log.hook = nullptr;
}

}  // namespace
