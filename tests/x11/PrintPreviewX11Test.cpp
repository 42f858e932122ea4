// The print preview of the Layout window on a private Xvfb server: the
// first page of a model's report, opened from File > Print and the sheet's
// "Pre&view", is shown on the server as the layer drew it. Both pictures are
// kept in the build folder (print-preview-*.png) to be looked at.
#include <gtest/gtest.h>

#include <string>

#include "model/ListTesting.h"
#include "printing/PrinterSettings.h"
#include "x11/XvfbServer.h"

// X11 last; Xlib's Screen record would clash with the program's.
#define Screen X11Screen
#include "x11/Screenshots.h"
#undef Screen

namespace {

class PrintPreviewX11Test : public OnXvfb<ListFixture> {};

TEST_F(PrintPreviewX11Test, ThePreviewShowsThePageAsTheLayerDrewIt) {
  Model& model = TheModel();
  model.title = "Cooling water return";
  for (int i = 0; i < 60; ++i) AddRow(model, 100 + 10 * i, i % 7 == 3 ? ElementType::Valve : ElementType::Pipe, 24.0f);
  MakeModel(model);
  ShowModelWindows();
  platform::RunUntilIdle();
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Model",
                        [](HWND sheet) { Click(GetDlgItem(sheet, 1001)); });
  SendMessage(LayoutFrame().window, WM_COMMAND, 106, 0);
  platform::RunUntilIdle();
  PrinterSettings& printer = TextPrinter();
  ASSERT_NE(printer.previewFrame, nullptr);
  SetWindowPos(printer.previewFrame, nullptr, 10, 10, 560, 700, SWP_NOZORDER);
  platform::RunUntilIdle();
  const Picture drawn = LayerPicture(printer.previewFrame, "print-preview-headless.png");
  ASSERT_GT(drawn.width, 0);
  platform::SyncPresenter();
  Display* x = XOpenDisplay(display_.c_str());
  ASSERT_NE(x, nullptr);
  RECT rect{};
  GetWindowRect(printer.previewFrame, &rect);
  Picture shown;
  auto arrived = [&] {
    XSync(x, False);
    shown = ServerPicture(x, DefaultRootWindow(x), rect.left, rect.top, drawn.width, drawn.height);
    return Differences(shown, drawn) == 0;
  };
  bool same = false;
  for (int turn = 0; turn < 100 && !same; ++turn) same = platform::PumpUntil(arrived, 100);
  if (!shown.pixels.empty()) WritePicture("print-preview-x11.png", shown);
  XCloseDisplay(x);
  EXPECT_TRUE(same) << Differences(shown, drawn) << " pixels differ from the headless surface";
  SendMessage(printer.previewFrame, WM_CLOSE, 0, 0);
  platform::RunUntilIdle();
  EXPECT_EQ(printer.previewFrame, nullptr);
}

}  // namespace
