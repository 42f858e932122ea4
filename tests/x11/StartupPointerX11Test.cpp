// The program started with a model on its command line under openbox, which
// moves the Layout window down and right as it frames it: the pointer ends
// in the middle of the Layout's client window where the server shows it.
#include <gtest/gtest.h>

#include "model/LayoutTesting.h"
#include "services/Frame.h"
#include "x11/XvfbServer.h"

// Xlib's Screen record would clash with the program's screen metrics.
#define Screen X11Screen
#include <X11/Xlib.h>
#undef Screen

namespace {

// The Layout fixture's tear-down; the test starts the program itself.
class StartupFixture : public LayoutFixture {
 protected:
  void SetUp() override { AppFixture::SetUp(); }
};
using StartupPointerX11Test = OnXvfbWithWindowManager<StartupFixture>;

TEST_F(StartupPointerX11Test, AModelOnTheCommandLinePutsThePointerInTheLayoutsMiddle) {
  InitApplication("\"" QUORVEL_SOURCE_DIR "/examples/Sample.mod\"");
  HWND frame = LayoutFrame().window;
  Display* x = XOpenDisplay(display_.c_str());
  ASSERT_NE(x, nullptr);
  ManagedWindows windows(display_);
  const ::Window root = DefaultRootWindow(x);
  // Until the manager has framed the window and the layer knows where.
  int shownX = 0, shownY = 0;
  RECT layout{}, client{};
  ASSERT_TRUE(platform::PumpUntil(
      [&] {
        const ::Window id = windows.ShownWindowTitled(TextOf(frame));
        ::Window rootReturn = 0, parent = 0, *children = nullptr, child = 0;
        unsigned count = 0;
        if (id == 0 || !XQueryTree(x, id, &rootReturn, &parent, &children, &count)) return false;
        if (children != nullptr) XFree(children);
        XTranslateCoordinates(x, id, root, 0, 0, &shownX, &shownY, &child);
        GetWindowRect(frame, &layout);
        return parent != root && layout.left == shownX && layout.top == shownY;
      },
      30000));
  platform::SyncPresenter();
  GetWindowRect(LayoutFrame().client, &client);
  ::Window rootReturn = 0, child = 0;
  int pointerX = 0, pointerY = 0, inX = 0, inY = 0;
  unsigned buttons = 0;
  XQueryPointer(x, root, &rootReturn, &child, &pointerX, &pointerY, &inX, &inY, &buttons);
  XCloseDisplay(x);
  EXPECT_EQ(pointerX, shownX + client.left - layout.left + (client.right - client.left) / 2);
  EXPECT_EQ(pointerY, shownY + client.top - layout.top + (client.bottom - client.top) / 2);
}

}  // namespace
