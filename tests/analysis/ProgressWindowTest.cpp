// The analysis progress window: registered at start-up with the other
// window classes, it keeps its own device context with the yellow background
// and the GUI font from creation on, and paints its background yellow.
#include "analysis/ProgressWindow.h"

#include "platform/Paint.h"
#include "services/AppPens.h"
#include "services/AppTesting.h"

namespace {

class ProgressWindowTest : public AppFixture {
 protected:
  void TearDown() override {
    if (IsWindow(MainFrame().window)) {
      PostMessage(MainFrame().window, WM_CLOSE, 0, 0);
      RunMessageLoop();
    }
    AppFixture::TearDown();
  }
};

TEST_F(ProgressWindowTest, StartUpRegistersItsClassAndTheWindowKeepsItsDrawingState) {
  InitApplication("");
  platform::RunUntilIdle();
  // In a dialog-like window of its own, as the analysis window holds it.
  WNDCLASS holderClass{};
  holderClass.lpfnWndProc = DefWindowProc;
  holderClass.lpszClassName = "ProgressHolder";
  RegisterClass(&holderClass);
  HWND holder = CreateWindowEx(0, "ProgressHolder", "Analysis", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300,
                               200, nullptr, nullptr, nullptr, nullptr);
  HWND window = CreateWindowEx(0, kProgressWindowClass, "", WS_CHILD | WS_VISIBLE, 10, 10, 200, 60, holder, nullptr,
                               InstanceHandle, nullptr);
  ASSERT_NE(window, nullptr);
  HDC dc = GetDC(window);
  EXPECT_EQ(GetDC(window), dc);  // its own context, state kept between uses
  EXPECT_EQ(GetBkColor(dc), AppColour::kYellow);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(DEFAULT_GUI_FONT));
  ReleaseDC(window, dc);
  ReleaseDC(window, dc);
  platform::RunUntilIdle();
  EXPECT_EQ(platform::GetWindowPixel(window, 100, 30), AppColour::kYellow);
  DestroyWindow(holder);
}

}  // namespace
