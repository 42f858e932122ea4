// Windows: creation and destruction order, stale handles, class and window
// data, subclassing, properties, text, geometry and mapping, placement,
// z-order, show states, focus, activation, capture and enabling.
#include <cstring>

#include "platform/Menu.h"
#include "platform/PlatformTest.h"

namespace {

class WindowTest : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    RegisterRecorder();
  }
  MessageLog log;
};

const std::vector<UINT> lifeMessages{WM_NCCREATE, WM_CREATE, WM_DESTROY, WM_NCDESTROY};

TEST_F(WindowTest, CreateAndDestroyOrder) {
  HWND top = MakeTop(&log, 10, 10, 200, 200);
  HWND first = MakeChild(&log, top, 0, 0, 50, 50);
  HWND grandchild = MakeChild(&log, first, 0, 0, 10, 10);
  HWND second = MakeChild(&log, top, 60, 0, 50, 50);
  ASSERT_TRUE(top && first && grandchild && second);
  std::vector<Logged> created = log.Only(lifeMessages);
  ASSERT_EQ(created.size(), 8u);
  EXPECT_EQ(created[0].window, top);
  EXPECT_EQ(created[0].message, WM_NCCREATE);
  EXPECT_EQ(created[1].window, top);
  EXPECT_EQ(created[1].message, WM_CREATE);
  log.Clear();
  EXPECT_TRUE(DestroyWindow(top));
  std::vector<std::pair<HWND, UINT>> expected{
      {top, WM_DESTROY},         {first, WM_DESTROY},  {grandchild, WM_DESTROY},
      {second, WM_DESTROY},      {grandchild, WM_NCDESTROY}, {first, WM_NCDESTROY},
      {second, WM_NCDESTROY},    {top, WM_NCDESTROY}};
  std::vector<std::pair<HWND, UINT>> actual;
  for (const Logged& entry : log.Only(lifeMessages)) actual.emplace_back(entry.window, entry.message);
  EXPECT_EQ(actual, expected);
  for (HWND gone : {top, first, grandchild, second}) EXPECT_FALSE(IsWindow(gone));
}

TEST_F(WindowTest, StaleHandlesFailSafely) {
  HWND window = MakeTop(&log, 0, 0, 100, 100);
  SetWindowLongPtr(window, GWLP_USERDATA, 0);
  DestroyWindow(window);
  RECT rect{1, 2, 3, 4};
  EXPECT_FALSE(GetWindowRect(window, &rect));
  EXPECT_EQ(rect.left, 1);
  EXPECT_EQ(SendMessage(window, WM_USER, 0, 0), 0);
  EXPECT_EQ(GetWindowLongPtr(window, GWLP_USERDATA), 0);
  EXPECT_FALSE(ShowWindow(window, SW_SHOW));
  EXPECT_FALSE(DestroyWindow(window));
  char text[8] = "x";
  EXPECT_EQ(GetWindowText(window, text, sizeof text), 0);
  // A new window never gets the old handle back.
  HWND next = MakeTop(nullptr, 0, 0, 10, 10);
  EXPECT_NE(next, window);
}

TEST_F(WindowTest, CreateRefusedByTheProcedure) {
  log.hook = [](HWND, UINT message, WPARAM, LPARAM, LRESULT* answer) {
    if (message != WM_CREATE) return false;
    *answer = -1;
    return true;
  };
  EXPECT_EQ(MakeTop(&log, 0, 0, 10, 10), nullptr);
  std::vector<UINT> order;
  for (const Logged& entry : log.Only(lifeMessages)) order.push_back(entry.message);
  EXPECT_EQ(order, (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_DESTROY, WM_NCDESTROY}));
  EXPECT_EQ(CreateWindowEx(0, "NoSuchClass", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
}

TEST_F(WindowTest, OwnedWindowsGoWithTheirOwner) {
  HWND owner = MakeTop(&log, 0, 0, 100, 100);
  HWND owned = MakeTop(&log, 0, 0, 50, 50, WS_POPUP, "Recorder");
  DestroyWindow(owned);
  owned = CreateWindowEx(0, "Recorder", "owned", WS_POPUP, 0, 0, 50, 50, owner, nullptr, nullptr, &log);
  EXPECT_EQ(GetParent(owned), owner);
  EXPECT_EQ(GetWindow(owned, GW_OWNER), owner);
  EXPECT_EQ(GetAncestor(owned, GA_PARENT), nullptr);
  DestroyWindow(owner);
  EXPECT_FALSE(IsWindow(owned));
}

TEST_F(WindowTest, ExtraSlotsAtEveryFourByteOffset) {
  RegisterRecorder("Extra", 0, nullptr, 16);
  HWND window = MakeTop(&log, 0, 0, 10, 10, WS_OVERLAPPED, "Extra");
  auto big = static_cast<LONG_PTR>(0x123456789ABCLL);
  EXPECT_EQ(SetWindowLongPtr(window, 0, big), 0);
  SetWindowLongPtr(window, 4, 11);
  SetWindowLongPtr(window, 8, 22);
  SetWindowLongPtr(window, 12, 33);
  EXPECT_EQ(GetWindowLongPtr(window, 0), big);
  EXPECT_EQ(GetWindowLongPtr(window, 4), 11);
  EXPECT_EQ(GetWindowLongPtr(window, 8), 22);
  EXPECT_EQ(GetWindowLongPtr(window, 12), 33);
  EXPECT_EQ(SetWindowLongPtr(window, 16, 44), 0);  // past the class's bytes
  EXPECT_EQ(GetWindowLongPtr(window, 16), 0);
  EXPECT_EQ(GetWindowLongPtr(window, 2), 0);
}

LRESULT SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto old = reinterpret_cast<WNDPROC>(GetProp(window, "OldProc"));
  if (message == WM_USER + 7) return 77;
  return CallWindowProc(old, window, message, wParam, lParam);
}

TEST_F(WindowTest, SubclassingAndProperties) {
  HWND window = MakeTop(&log, 0, 0, 10, 10);
  auto old = SetWindowLongPtr(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProcedure));
  EXPECT_EQ(old, reinterpret_cast<LONG_PTR>(RecorderProcedure));
  EXPECT_TRUE(SetProp(window, "OldProc", reinterpret_cast<void*>(old)));
  EXPECT_EQ(GetProp(window, "oldproc"), reinterpret_cast<void*>(old));  // names ignore case
  EXPECT_EQ(SendMessage(window, WM_USER + 7, 0, 0), 77);
  EXPECT_EQ(log.Count(window, WM_USER + 7), 0);
  SendMessage(window, WM_USER + 8, 0, 0);
  EXPECT_EQ(log.Count(window, WM_USER + 8), 1);  // passed on to the old procedure
  EXPECT_EQ(RemoveProp(window, "OLDPROC"), reinterpret_cast<void*>(old));
  EXPECT_EQ(GetProp(window, "OldProc"), nullptr);
  SetWindowLongPtr(window, GWLP_WNDPROC, old);
}

TEST_F(WindowTest, TitleTextIsCopiedAndCut) {
  HWND window = MakeTop(&log, 0, 0, 10, 10);
  EXPECT_TRUE(SetWindowText(window, "Quorvel : Plant"));
  char buffer[8];
  EXPECT_EQ(GetWindowText(window, buffer, sizeof buffer), 7);
  EXPECT_STREQ(buffer, "Quorvel");
  EXPECT_EQ(GetWindowTextLength(window), 15);
  EXPECT_EQ(log.Count(window, WM_SETTEXT), 1);
  char name[32];
  EXPECT_EQ(GetClassName(window, name, sizeof name), 8);
  EXPECT_STREQ(name, "Recorder");
}

TEST_F(WindowTest, RectanglesAndCoordinateMapping) {
  HWND top = MakeTop(&log, 100, 50, 300, 200);
  HWND child = MakeChild(&log, top, 10, 20, 100, 50, WS_BORDER, 5);
  RECT rect{};
  GetClientRect(top, &rect);
  EXPECT_EQ(rect.right, 300);
  EXPECT_EQ(rect.bottom, 200);
  GetClientRect(child, &rect);  // one-pixel border on each side
  EXPECT_EQ(rect.right, 98);
  EXPECT_EQ(rect.bottom, 48);
  GetWindowRect(child, &rect);
  EXPECT_EQ(rect.left, 110);
  EXPECT_EQ(rect.top, 70);
  EXPECT_EQ(rect.right, 210);
  EXPECT_EQ(rect.bottom, 120);
  POINT point{0, 0};
  ClientToScreen(child, &point);
  EXPECT_EQ(point.x, 111);
  EXPECT_EQ(point.y, 71);
  ScreenToClient(top, &point);
  EXPECT_EQ(point.x, 11);
  EXPECT_EQ(point.y, 21);
  POINT points[2]{{0, 0}, {5, 5}};
  MapWindowPoints(child, top, points, 2);
  EXPECT_EQ(points[1].x, 16);
  EXPECT_EQ(points[1].y, 26);
  EXPECT_EQ(GetDlgCtrlID(child), 5);
  RECT adjusted{0, 0, 100, 50};
  AdjustWindowRectEx(&adjusted, WS_CHILD | WS_BORDER | WS_VSCROLL, FALSE, WS_EX_CLIENTEDGE);
  EXPECT_EQ(adjusted.left, -3);
  EXPECT_EQ(adjusted.right, 100 + 3 + 17);
}

TEST_F(WindowTest, MoveSendsMoveAndSize) {
  HWND top = MakeTop(&log, 0, 0, 100, 100);
  log.Clear();
  MoveWindow(top, 30, 40, 120, 90, TRUE);
  std::vector<Logged> moves = log.Only({WM_MOVE, WM_SIZE});
  ASSERT_EQ(moves.size(), 2u);
  EXPECT_EQ(moves[0].message, WM_MOVE);
  EXPECT_EQ(moves[0].lParam, MAKELPARAM(30, 40));
  EXPECT_EQ(moves[1].message, WM_SIZE);
  EXPECT_EQ(moves[1].lParam, MAKELPARAM(120, 90));
  log.Clear();
  MoveWindow(top, 30, 40, 120, 90, TRUE);  // no change, no messages
  EXPECT_TRUE(log.Only({WM_MOVE, WM_SIZE}).empty());
}

TEST_F(WindowTest, PlacementRecordThroughMaximiseAndMinimise) {
  HWND top = MakeTop(&log, 20, 30, 400, 300);
  ShowWindow(top, SW_SHOWMAXIMIZED);
  EXPECT_TRUE(IsZoomed(top));
  RECT rect{};
  GetWindowRect(top, &rect);
  EXPECT_EQ(rect.right - rect.left, 1280);  // the headless work area
  EXPECT_EQ(rect.bottom - rect.top, 1024);
  WINDOWPLACEMENT placement{};
  ASSERT_TRUE(GetWindowPlacement(top, &placement));
  EXPECT_EQ(placement.length, 44u);
  EXPECT_EQ(placement.showCmd, 3u);
  EXPECT_EQ(placement.rcNormalPosition.left, 20);
  EXPECT_EQ(placement.rcNormalPosition.bottom, 330);
  ShowWindow(top, SW_MINIMIZE);
  EXPECT_TRUE(IsIconic(top));
  GetWindowPlacement(top, &placement);
  EXPECT_EQ(placement.showCmd, 2u);
  EXPECT_EQ(placement.flags, WPF_RESTORETOMAXIMIZED);
  ShowWindow(top, SW_RESTORE);
  EXPECT_TRUE(IsZoomed(top));
  placement.showCmd = SW_SHOWNORMAL;
  placement.flags = 0;
  placement.rcNormalPosition = RECT{5, 6, 105, 206};
  ASSERT_TRUE(SetWindowPlacement(top, &placement));
  EXPECT_FALSE(IsZoomed(top));
  GetWindowRect(top, &rect);
  EXPECT_EQ(rect.left, 5);
  EXPECT_EQ(rect.bottom, 206);
  placement.length = 40;
  EXPECT_FALSE(SetWindowPlacement(top, &placement));
}

TEST_F(WindowTest, ZOrderAndHitTesting) {
  HWND top = MakeTop(&log, 0, 0, 200, 200);
  ShowWindow(top, SW_SHOW);
  HWND first = MakeChild(&log, top, 0, 0, 100, 100);
  HWND second = MakeChild(&log, top, 50, 50, 100, 100);
  EXPECT_EQ(GetWindow(top, GW_CHILD), first);  // creation order, as tab order wants
  EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), second);
  EXPECT_EQ(WindowFromPoint(POINT{75, 75}), first);
  BringWindowToTop(second);
  EXPECT_EQ(GetWindow(top, GW_CHILD), second);
  EXPECT_EQ(WindowFromPoint(POINT{75, 75}), second);
  EXPECT_EQ(WindowFromPoint(POINT{190, 10}), top);
  EXPECT_EQ(ChildWindowFromPoint(top, POINT{10, 10}), first);
  EXPECT_EQ(ChildWindowFromPoint(top, POINT{300, 10}), nullptr);
  std::vector<HWND> seen;
  EnumChildWindows(top, [](HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&seen));
  EXPECT_EQ(seen, (std::vector<HWND>{second, first}));
}

TEST_F(WindowTest, ShowHideAndVisibilityOfChildren) {
  HWND top = MakeTop(&log, 0, 0, 100, 100);
  HWND child = MakeChild(&log, top, 0, 0, 10, 10);
  EXPECT_FALSE(IsWindowVisible(child));  // its parent is hidden
  EXPECT_FALSE(ShowWindow(top, SW_SHOW));
  EXPECT_TRUE(IsWindowVisible(child));
  EXPECT_EQ(log.Count(top, WM_SHOWWINDOW), 1);
  EXPECT_TRUE(ShowWindow(top, SW_HIDE));
  EXPECT_FALSE(IsWindowVisible(top));
  EXPECT_EQ(log.Count(top, WM_SHOWWINDOW), 2);
}

TEST_F(WindowTest, ActivationAndFocusMessages) {
  HWND a = MakeTop(&log, 0, 0, 100, 100);
  HWND b = MakeTop(&log, 0, 0, 100, 100);
  HWND child = MakeChild(&log, b, 0, 0, 10, 10);
  const std::vector<UINT> watched{WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS};
  ShowWindow(a, SW_SHOW);
  EXPECT_EQ(GetActiveWindow(), a);
  EXPECT_EQ(GetFocus(), a);
  log.Clear();
  ShowWindow(b, SW_SHOW);
  std::vector<Logged> seen = log.Only(watched);
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[0].window, a);
  EXPECT_EQ(seen[0].message, WM_ACTIVATE);
  EXPECT_EQ(LOWORD(seen[0].wParam), WA_INACTIVE);
  EXPECT_EQ(seen[0].lParam, reinterpret_cast<LPARAM>(b));
  EXPECT_EQ(seen[1].window, b);
  EXPECT_EQ(seen[1].message, WM_ACTIVATE);
  EXPECT_EQ(LOWORD(seen[1].wParam), WA_ACTIVE);
  EXPECT_EQ(seen[2].window, a);
  EXPECT_EQ(seen[2].message, WM_KILLFOCUS);
  EXPECT_EQ(seen[2].wParam, reinterpret_cast<WPARAM>(b));
  EXPECT_EQ(seen[3].window, b);
  EXPECT_EQ(seen[3].message, WM_SETFOCUS);
  EXPECT_EQ(seen[3].wParam, reinterpret_cast<WPARAM>(a));
  log.Clear();
  EXPECT_EQ(SetFocus(child), b);
  seen = log.Only(watched);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].window, b);
  EXPECT_EQ(seen[0].message, WM_KILLFOCUS);
  EXPECT_EQ(seen[1].window, child);
  EXPECT_EQ(seen[1].message, WM_SETFOCUS);
  EXPECT_EQ(GetForegroundWindow(), b);
  // Hiding the active window hands activation back to the other one.
  ShowWindow(b, SW_HIDE);
  EXPECT_EQ(GetActiveWindow(), a);
  EXPECT_EQ(GetFocus(), a);
}

TEST_F(WindowTest, CaptureAndEnabling) {
  HWND top = MakeTop(&log, 0, 0, 100, 100);
  HWND child = MakeChild(&log, top, 0, 0, 10, 10);
  ShowWindow(top, SW_SHOW);
  EXPECT_EQ(SetCapture(top), nullptr);
  EXPECT_EQ(SetCapture(child), top);
  std::vector<Logged> changed = log.Only({WM_CAPTURECHANGED});
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(changed[0].window, top);
  EXPECT_EQ(changed[0].lParam, reinterpret_cast<LPARAM>(child));
  ReleaseCapture();
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(log.Count(child, WM_CAPTURECHANGED), 1);
  SetFocus(child);
  EXPECT_FALSE(EnableWindow(child, FALSE));  // was enabled
  EXPECT_FALSE(IsWindowEnabled(child));
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(log.Count(child, WM_ENABLE), 1);
  EXPECT_TRUE(EnableWindow(child, TRUE));  // was disabled
}

TEST_F(WindowTest, MenuBarTakesItsHeightFromTheClientArea) {
  HWND top = MakeTop(&log, 0, 0, 200, 150);
  ShowWindow(top, SW_SHOW);
  platform::RunUntilIdle();
  HMENU bar = CreateMenu();
  HMENU file = CreateMenu();
  AppendMenu(file, MF_STRING, 100, "&Open");
  AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
  log.Clear();
  ASSERT_TRUE(SetMenu(top, bar));
  RECT client{};
  GetClientRect(top, &client);
  EXPECT_EQ(client.bottom, 150 - 19);  // the menu bar is SM_CYMENU = 19 pixels high
  std::vector<Logged> sizes = log.Only({WM_SIZE});
  ASSERT_EQ(sizes.size(), 1u);
  EXPECT_EQ(sizes[0].lParam, MAKELPARAM(200, 131));
  POINT origin{0, 0};
  ClientToScreen(top, &origin);
  EXPECT_EQ(origin.y, 19);
  // A press on the bar, right of its items, is a frame press, not a client one.
  log.Clear();
  platform::TestMouse(top, WM_LBUTTONDOWN, 190, -10);
  platform::TestMouse(top, WM_LBUTTONUP, 190, -10);
  platform::RunUntilIdle();
  std::vector<Logged> presses = log.Only({WM_NCLBUTTONDOWN, WM_LBUTTONDOWN});
  ASSERT_EQ(presses.size(), 1u);
  EXPECT_EQ(presses[0].message, WM_NCLBUTTONDOWN);
  EXPECT_EQ(presses[0].wParam, static_cast<WPARAM>(HTMENU));
  RECT adjusted{0, 0, 200, 131};
  AdjustWindowRectEx(&adjusted, WS_OVERLAPPEDWINDOW, TRUE, 0);
  EXPECT_EQ(adjusted.top, -19);
  SetMenu(top, nullptr);
  GetClientRect(top, &client);
  EXPECT_EQ(client.bottom, 150);
  DestroyMenu(bar);
}

TEST_F(WindowTest, PressOnAScrollBarGoesToTheFrame) {
  HWND top = MakeTop(&log, 0, 0, 200, 150);
  HWND child = MakeChild(&log, top, 10, 10, 100, 100, WS_VSCROLL);
  ShowWindow(top, SW_SHOW);
  platform::RunUntilIdle();
  RECT client{};
  GetClientRect(child, &client);
  EXPECT_EQ(client.right, 100 - 17);
  log.Clear();
  platform::TestMouse(top, WM_LBUTTONDOWN, 10 + 90, 10 + 50);  // on the bar
  platform::TestMouse(top, WM_LBUTTONUP, 10 + 90, 10 + 50);
  platform::RunUntilIdle();
  std::vector<Logged> presses = log.Only({WM_NCLBUTTONDOWN, WM_LBUTTONDOWN});
  ASSERT_EQ(presses.size(), 1u);
  EXPECT_EQ(presses[0].window, child);
  EXPECT_EQ(presses[0].wParam, static_cast<WPARAM>(HTVSCROLL));
  EXPECT_EQ(GET_X_LPARAM(presses[0].lParam), 100);  // screen coordinates
}

}  // namespace
