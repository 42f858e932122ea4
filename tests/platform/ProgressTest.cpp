// The progress bar: range, position, step with wrap-round, and the filled
// share of its inside.
#include "platform/ControlTesting.h"

namespace {

class ProgressTest : public ControlTest {};

TEST_F(ProgressTest, PositionStepAndWrap) {
  HWND bar = Make(PROGRESS_CLASS, "", 0, 10, 10, 104, 16, 60);
  EXPECT_EQ(SendMessage(bar, PBM_SETRANGE, 0, MAKELPARAM(0, 50)), MAKELPARAM(0, 100));
  EXPECT_EQ(SendMessage(bar, PBM_SETPOS, 25, 0), 0);
  EXPECT_EQ(SendMessage(bar, PBM_GETPOS, 0, 0), 25);
  EXPECT_EQ(SendMessage(bar, PBM_SETSTEP, 20, 0), 10);
  EXPECT_EQ(SendMessage(bar, PBM_STEPIT, 0, 0), 25);
  EXPECT_EQ(SendMessage(bar, PBM_GETPOS, 0, 0), 45);
  SendMessage(bar, PBM_STEPIT, 0, 0);  // 65 is past 50: 15 past the end wraps to 15
  EXPECT_EQ(SendMessage(bar, PBM_GETPOS, 0, 0), 15);
  EXPECT_EQ(SendMessage(bar, PBM_SETPOS, 80, 0), 15);
  EXPECT_EQ(SendMessage(bar, PBM_GETPOS, 0, 0), 50);
  EXPECT_EQ(SendMessage(bar, PBM_DELTAPOS, static_cast<WPARAM>(-30), 0), 50);
  EXPECT_EQ(SendMessage(bar, PBM_GETPOS, 0, 0), 20);
}

TEST_F(ProgressTest, FillsItsShareOfTheInside) {
  HWND bar = Make(PROGRESS_CLASS, "", 0, 10, 10, 104, 16, 60);
  SendMessage(bar, PBM_SETRANGE32, 0, 200);
  SendMessage(bar, PBM_SETPOS, 50, 0);  // a quarter of the 100 inner pixels: 2..26
  platform::RunUntilIdle();
  EXPECT_EQ(platform::GetWindowPixel(bar, 26, 8), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(platform::GetWindowPixel(bar, 27, 8), GetSysColor(COLOR_BTNFACE));
}

}  // namespace
