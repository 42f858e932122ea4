// Menus: building and querying them, popup and context menus chosen by
// mouse, keys and mnemonics (TrackPopupMenu with and without TPM_RETURNCMD),
// submenus, the menu bar opened by F10, Alt+letter and the mouse, the
// notifications around it, menus from templates, and the pixels of checked
// and greyed items.
#include <cstring>

#include "platform/ControlTesting.h"
#include "platform/Menu.h"
#include "platform/MenuBarFrame.h"
#include "platform/ResourceTemplates.h"

namespace {

constexpr UINT kCopy = 201, kPaste = 202, kSelectAll = 203, kZoom = 211, kNew = 101, kExit = 102;

class MenuTest : public ControlTest {
 protected:
  // Copy, Paste (greyed), separator, Select all, More > Zoom.
  HMENU MakeEditMenu() {
    HMENU more = CreatePopupMenu();
    AppendMenu(more, MF_STRING, kZoom, "&Zoom");
    HMENU menu = CreatePopupMenu();
    AppendMenu(menu, MF_STRING, kCopy, "&Copy\tCtrl+C");
    AppendMenu(menu, MF_STRING | MF_GRAYED, kPaste, "&Paste\tCtrl+V");
    AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenu(menu, MF_STRING, kSelectAll, "Select &all");
    AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(more), "&More");
    return menu;
  }
  HMENU MakeBar() {
    HMENU file = CreatePopupMenu();
    AppendMenu(file, MF_STRING, kNew, "&New\tCtrl+N");
    AppendMenu(file, MF_STRING, kExit, "E&xit");
    HMENU bar = CreateMenu();
    AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(MakeEditMenu()), "&Edit");
    return bar;
  }
  // Commands that reached the top window (id, high word).
  std::vector<std::pair<int, UINT>> MenuCommands() {
    std::vector<std::pair<int, UINT>> result;
    for (const Logged& entry : log.Only({WM_COMMAND}))
      if (entry.window == top && entry.lParam == 0) result.emplace_back(LOWORD(entry.wParam), HIWORD(entry.wParam));
    return result;
  }
  static HWND PopupAt(POINT screen) {
    struct Search {
      POINT point;
      HWND found;
    } search{screen, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM parameter) {
          auto* s = reinterpret_cast<Search*>(parameter);
          char name[16] = "";
          GetClassName(window, name, sizeof name);
          RECT r{};
          GetWindowRect(window, &r);
          if (std::strcmp(name, "#32768") == 0 && IsWindowVisible(window) && s->point.x >= r.left &&
              s->point.x < r.right && s->point.y >= r.top && s->point.y < r.bottom)
            s->found = window;
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  // The rectangle of an open popup's item in that popup's client coordinates.
  RECT ItemInPopup(HMENU menu, UINT position, HWND* popup) {
    RECT r{};
    EXPECT_TRUE(GetMenuItemRect(top, menu, position, &r));
    POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    *popup = PopupAt(centre);
    EXPECT_NE(*popup, nullptr);
    POINT corner{r.left, r.top};
    ScreenToClient(*popup, &corner);
    return RECT{corner.x, corner.y, corner.x + r.right - r.left, corner.y + r.bottom - r.top};
  }
  void ClickItem(HMENU menu, UINT position) {
    HWND popup = nullptr;
    RECT r = ItemInPopup(menu, position, &popup);
    if (popup == nullptr) return;
    int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    platform::TestMouse(popup, WM_MOUSEMOVE, x, y);
    platform::TestMouse(popup, WM_LBUTTONDOWN, x, y);
    platform::TestMouse(popup, WM_LBUTTONUP, x, y);
  }
  static int Dark(HWND window, RECT area) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) count += GetRValue(platform::GetWindowPixel(window, x, y)) < 60;
    return count;
  }
};

TEST_F(MenuTest, BuildAndQuery) {
  HMENU menu = MakeEditMenu();
  EXPECT_EQ(GetMenuItemCount(menu), 5);
  EXPECT_EQ(GetMenuItemID(menu, 0), kCopy);
  EXPECT_EQ(GetMenuItemID(menu, 2), 0u);
  EXPECT_EQ(GetMenuItemID(menu, 4), static_cast<UINT>(-1));
  char text[32] = "";
  EXPECT_EQ(GetMenuString(menu, kSelectAll, text, sizeof text, MF_BYCOMMAND), 11);
  EXPECT_STREQ(text, "Select &all");
  // By command through the popup; by position in the menu itself.
  EXPECT_EQ(EnableMenuItem(menu, kZoom, MF_GRAYED), static_cast<UINT>(MF_ENABLED));
  EXPECT_EQ(EnableMenuItem(menu, kZoom, MF_ENABLED), static_cast<UINT>(MF_GRAYED));
  EXPECT_EQ(EnableMenuItem(menu, 999, MF_GRAYED), static_cast<UINT>(-1));
  EXPECT_EQ(CheckMenuItem(menu, 0, MF_BYPOSITION | MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
  EXPECT_EQ(GetMenuState(menu, kCopy, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
  EXPECT_EQ(GetMenuState(menu, 4, MF_BYPOSITION), MF_POPUP | (1u << 8));
  HMENU more = GetSubMenu(menu, 4);
  ASSERT_NE(more, nullptr);
  EXPECT_EQ(GetSubMenu(menu, 0), nullptr);
  EXPECT_TRUE(InsertMenu(menu, kSelectAll, MF_BYCOMMAND | MF_STRING, 204, "&Delete"));
  EXPECT_EQ(GetMenuItemID(menu, 3), 204u);
  EXPECT_TRUE(ModifyMenu(menu, 204, MF_BYCOMMAND | MF_STRING, 205, "&Remove"));
  EXPECT_EQ(GetMenuItemID(menu, 3), 205u);
  EXPECT_TRUE(DeleteMenu(menu, 205, MF_BYCOMMAND));
  EXPECT_EQ(GetMenuItemCount(menu), 5);
  EXPECT_TRUE(RemoveMenu(menu, 4, MF_BYPOSITION));
  EXPECT_TRUE(IsMenu(more));  // removed, not destroyed
  EXPECT_TRUE(AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(more), "&More"));
  EXPECT_TRUE(DeleteMenu(menu, 4, MF_BYPOSITION));
  EXPECT_FALSE(IsMenu(more));
  EXPECT_TRUE(DestroyMenu(menu));
  EXPECT_FALSE(IsMenu(menu));
  EXPECT_EQ(GetMenuItemCount(menu), -1);
}

TEST_F(MenuTest, ItemInfoChangesTextAndState) {
  HMENU menu = MakeEditMenu();
  // The program's text toggle: by command, MIIM_TYPE with MFT_STRING.
  MENUITEMINFO info{};
  info.cbSize = 44;
  info.fMask = MIIM_TYPE;
  info.fType = MFT_STRING;
  info.dwTypeData = const_cast<char*>("Unfree&ze View\tF8");
  EXPECT_TRUE(SetMenuItemInfo(menu, kZoom, FALSE, &info));
  char text[32] = "";
  GetMenuString(menu, kZoom, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "Unfree&ze View\tF8");
  MENUITEMINFO read{};
  char buffer[8] = "";
  read.cbSize = sizeof read;
  read.fMask = MIIM_STRING | MIIM_STATE | MIIM_ID;
  read.dwTypeData = buffer;
  read.cch = sizeof buffer;
  EXPECT_TRUE(GetMenuItemInfo(menu, 1, TRUE, &read));
  EXPECT_STREQ(buffer, "&Paste\t");  // cut to the buffer
  EXPECT_EQ(read.cch, 13u);
  EXPECT_EQ(read.fState, MFS_GRAYED & MF_GRAYED);
  EXPECT_EQ(read.wID, kPaste);
  info.fMask = MIIM_STATE;
  info.fState = MFS_CHECKED;
  EXPECT_TRUE(SetMenuItemInfo(menu, kPaste, FALSE, &info));
  EXPECT_EQ(GetMenuState(menu, kPaste, MF_BYCOMMAND) & (MF_GRAYED | MF_CHECKED), MF_CHECKED);
  EXPECT_FALSE(SetMenuItemInfo(menu, 999, FALSE, &info));
  DestroyMenu(menu);
}

TEST_F(MenuTest, RadioChecksOneOfARange) {
  HMENU menu = CreatePopupMenu();
  for (UINT id = 301; id <= 304; ++id) AppendMenu(menu, MF_STRING, id, "view");
  EXPECT_TRUE(CheckMenuRadioItem(menu, 301, 303, 302, MF_BYCOMMAND));
  EXPECT_EQ(GetMenuState(menu, 302, MF_BYCOMMAND) & (MF_CHECKED | MFT_RADIOCHECK), MF_CHECKED | MFT_RADIOCHECK);
  CheckMenuItem(menu, 304, MF_CHECKED);
  EXPECT_TRUE(CheckMenuRadioItem(menu, 0, 2, 0, MF_BYPOSITION));
  EXPECT_EQ(GetMenuState(menu, 301, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
  EXPECT_EQ(GetMenuState(menu, 302, MF_BYCOMMAND) & MF_CHECKED, 0u);
  EXPECT_EQ(GetMenuState(menu, 304, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);  // outside the range
  DestroyMenu(menu);
}

TEST_F(MenuTest, ContextMenuReturnsTheClickedCommand) {
  HMENU menu = MakeEditMenu();
  platform::ExpectModal(platform::ModalKind::PopupMenu, "Copy", [&](HWND) { ClickItem(menu, 3); });
  BOOL chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, 150, 150, 0, top, nullptr);
  EXPECT_EQ(chosen, static_cast<BOOL>(kSelectAll));
  platform::RunUntilIdle();
  EXPECT_TRUE(MenuCommands().empty());
  std::vector<Logged> around = log.Only({WM_ENTERMENULOOP, WM_INITMENUPOPUP, WM_EXITMENULOOP});
  ASSERT_EQ(around.size(), 3u);
  EXPECT_EQ(around[1].wParam, reinterpret_cast<WPARAM>(menu));
  EXPECT_EQ(around[2].message, WM_EXITMENULOOP);
  EXPECT_EQ(GetCapture(), nullptr);
  DestroyMenu(menu);
}

TEST_F(MenuTest, ClickPostsTheCommand) {
  HMENU menu = MakeEditMenu();
  platform::ExpectModal(platform::ModalKind::PopupMenu, "Copy", [&](HWND) { ClickItem(menu, 0); });
  EXPECT_TRUE(TrackPopupMenu(menu, 0, 150, 150, 0, top, nullptr));
  platform::RunUntilIdle();
  EXPECT_EQ(MenuCommands(), (std::vector<std::pair<int, UINT>>{{kCopy, 0}}));
  DestroyMenu(menu);
}

TEST_F(MenuTest, ClickOnThePopupLeavesActivationAndFocusAlone) {
  HWND field = MakeChild(&log, top, 10, 10, 80, 20);
  SetFocus(field);
  platform::RunUntilIdle();
  HMENU menu = MakeEditMenu();
  log.Clear();
  HWND activeWhilePressed = nullptr;
  platform::ExpectModal(platform::ModalKind::PopupMenu, "Copy", [&](HWND) {
    HWND popup = nullptr;
    RECT r = ItemInPopup(menu, 0, &popup);
    if (popup == nullptr) return;
    int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    platform::TestMouse(popup, WM_MOUSEMOVE, x, y);
    platform::TestMouse(popup, WM_LBUTTONDOWN, x, y);
    activeWhilePressed = GetActiveWindow();
    platform::TestMouse(popup, WM_LBUTTONUP, x, y);
  });
  EXPECT_TRUE(TrackPopupMenu(menu, 0, 150, 150, 0, top, nullptr));
  platform::RunUntilIdle();
  EXPECT_EQ(activeWhilePressed, top);
  EXPECT_EQ(MenuCommands(), (std::vector<std::pair<int, UINT>>{{kCopy, 0}}));
  EXPECT_TRUE(log.MessagesOf(top, {WM_ACTIVATE, WM_NCACTIVATE}).empty());
  EXPECT_TRUE(log.MessagesOf(field, {WM_KILLFOCUS, WM_SETFOCUS}).empty());
  EXPECT_EQ(GetActiveWindow(), top);
  EXPECT_EQ(GetFocus(), field);
  DestroyMenu(menu);
}

TEST_F(MenuTest, KeysSkipSeparatorsAndGreyedItemsDoNothing) {
  HMENU menu = MakeEditMenu();
  platform::ExpectModal(platform::ModalKind::PopupMenu, "Copy", [](HWND) {
    platform::TestKeyPress(VK_DOWN);    // Copy
    platform::TestKeyPress(VK_DOWN);    // Paste, greyed
    platform::TestKeyPress(VK_RETURN);  // nothing
    platform::TestKeyPress(VK_DOWN);    // over the separator to Select all
    platform::TestKeyPress(VK_RETURN);
  });
  EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 150, 150, 0, top, nullptr), static_cast<BOOL>(kSelectAll));
  std::vector<Logged> selects = log.Only({WM_MENUSELECT});
  ASSERT_EQ(selects.size(), 4u);  // three highlights and the close
  EXPECT_EQ(LOWORD(selects[1].wParam), kPaste);
  EXPECT_NE(HIWORD(selects[1].wParam) & MF_GRAYED, 0);
  EXPECT_EQ(HIWORD(selects[3].wParam), 0xFFFF);
  DestroyMenu(menu);
}

TEST_F(MenuTest, MnemonicsAndEscape) {
  HMENU menu = MakeEditMenu();
  platform::ExpectModal(platform::ModalKind::PopupMenu, "Copy", [](HWND) { platform::TestTypeText("a"); });
  EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 150, 150, 0, top, nullptr), static_cast<BOOL>(kSelectAll));
  int beeps = platform::BeepCount();
  platform::ExpectModal(platform::ModalKind::PopupMenu, "Copy", [](HWND) {
    platform::TestTypeText("q");  // no such mnemonic: a beep
    platform::TestKeyPress(VK_ESCAPE);
  });
  EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 150, 150, 0, top, nullptr), 0);
  EXPECT_EQ(platform::BeepCount(), beeps + 1);
  platform::RunUntilIdle();
  EXPECT_TRUE(MenuCommands().empty());
  DestroyMenu(menu);
}

// Two items that share an access letter: each press of the letter only
// moves to the next of them (round to the first again), Enter chooses the
// one reached; a letter one item owns still chooses it at once.
TEST_F(MenuTest, ALetterSharedByTwoItemsMovesBetweenThemAndEnterChooses) {
  constexpr UINT kCoordinates = 301, kMaterials = 302, kCheckBends = 303, kConnections = 304;
  HMENU menu = CreatePopupMenu();
  AppendMenu(menu, MF_STRING, kCoordinates, "&Coordinates\tCtrl+Shift+C");
  AppendMenu(menu, MF_STRING, kMaterials, "&Materials");
  AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenu(menu, MF_STRING, kCheckBends, "Check &Bends");
  AppendMenu(menu, MF_STRING, kConnections, "&Check Connections");
  auto highlighted = [this] {
    std::vector<UINT> ids;
    for (const Logged& entry : log.Only({WM_MENUSELECT}))
      if (HIWORD(entry.wParam) != 0xFFFF) ids.push_back(LOWORD(entry.wParam));
    return ids;
  };
  platform::ExpectModal(platform::ModalKind::PopupMenu, "Coordinates", [](HWND) {
    platform::TestTypeText("c");  // Coordinates, highlighted only
    platform::TestTypeText("c");  // on to Check Connections
    platform::TestKeyPress(VK_RETURN);
  });
  EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 150, 150, 0, top, nullptr), static_cast<BOOL>(kConnections));
  EXPECT_EQ(highlighted(), (std::vector<UINT>{kCoordinates, kConnections}));

  {
    std::lock_guard guard(log.lock);
    log.entries.clear();
  }
  platform::ExpectModal(platform::ModalKind::PopupMenu, "Coordinates", [](HWND) {
    platform::TestTypeText("ccc");  // round to Coordinates again
    platform::TestKeyPress(VK_RETURN);
  });
  EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 150, 150, 0, top, nullptr), static_cast<BOOL>(kCoordinates));
  EXPECT_EQ(highlighted(), (std::vector<UINT>{kCoordinates, kConnections, kCoordinates}));

  // From an item further down, the next one down comes first.
  platform::ExpectModal(platform::ModalKind::PopupMenu, "Coordinates", [](HWND) {
    platform::TestKeyPress(VK_UP);  // the last item, Check Connections
    platform::TestKeyPress(VK_UP);  // Check Bends
    platform::TestTypeText("c");
    platform::TestKeyPress(VK_RETURN);
  });
  EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 150, 150, 0, top, nullptr), static_cast<BOOL>(kConnections));

  platform::ExpectModal(platform::ModalKind::PopupMenu, "Coordinates", [](HWND) { platform::TestTypeText("m"); });
  EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 150, 150, 0, top, nullptr), static_cast<BOOL>(kMaterials));
  DestroyMenu(menu);
}

TEST_F(MenuTest, SubmenuOpensToTheRight) {
  HMENU menu = MakeEditMenu();
  HMENU more = GetSubMenu(menu, 4);
  platform::ExpectModal(platform::ModalKind::PopupMenu, "Copy", [](HWND) {
    platform::TestTypeText("m");        // opens More with Zoom highlighted
    platform::TestKeyPress(VK_RETURN);
  });
  EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 150, 150, 0, top, nullptr), static_cast<BOOL>(kZoom));
  std::vector<Logged> inits = log.Only({WM_INITMENUPOPUP});
  ASSERT_EQ(inits.size(), 2u);
  EXPECT_EQ(inits[1].wParam, reinterpret_cast<WPARAM>(more));
  EXPECT_EQ(LOWORD(inits[1].lParam), 4);
  DestroyMenu(menu);
}

TEST_F(MenuTest, GreyedItemIsDrawnGreyAndCheckedItemShowsItsMark) {
  HMENU menu = MakeEditMenu();
  CheckMenuItem(menu, kSelectAll, MF_CHECKED);
  int copyDark = 0, pasteDark = 0, pasteGrey = 0, checkMark = 0, noMark = 0;
  platform::ExpectModal(platform::ModalKind::PopupMenu, "Copy", [&](HWND) {
    platform::RunUntilIdle();
    HWND popup = nullptr;
    RECT copy = ItemInPopup(menu, 0, &popup);
    RECT paste = ItemInPopup(menu, 1, &popup);
    RECT selectAll = ItemInPopup(menu, 3, &popup);
    copyDark = Dark(popup, RECT{20, copy.top, copy.right, copy.bottom});
    pasteDark = Dark(popup, RECT{20, paste.top, paste.right, paste.bottom});
    pasteGrey = CountGrey(popup, RECT{20, paste.top, paste.right, paste.bottom});
    checkMark = Dark(popup, RECT{0, selectAll.top, 20, selectAll.bottom});
    noMark = Dark(popup, RECT{0, copy.top, 20, copy.bottom});
    platform::TestKeyPress(VK_ESCAPE);
  });
  TrackPopupMenu(menu, TPM_RETURNCMD, 150, 150, 0, top, nullptr);
  EXPECT_GT(copyDark, 20);
  EXPECT_EQ(pasteDark, 0);
  EXPECT_GT(pasteGrey, 20);
  EXPECT_GT(checkMark, 10);
  EXPECT_EQ(noMark, 0);
  DestroyMenu(menu);
}

TEST_F(MenuTest, MenuBarByF10AndArrows) {
  HMENU bar = MakeBar();
  ASSERT_TRUE(SetMenu(top, bar));
  EXPECT_EQ(GetMenu(top), bar);
  EXPECT_EQ(platform::MenuBarHeightOf(top), GetSystemMetrics(SM_CYMENU));
  platform::ExpectModal(platform::ModalKind::PopupMenu, "menu bar", [](HWND) {
    platform::TestKeyPress(VK_RIGHT);   // Edit
    platform::TestKeyPress(VK_DOWN);    // opens it on Copy
    platform::TestKeyPress(VK_RETURN);
  });
  EXPECT_TRUE(platform::MenuBarKey(top, WM_SYSKEYDOWN, VK_F10, 0));
  platform::RunUntilIdle();
  EXPECT_EQ(MenuCommands(), (std::vector<std::pair<int, UINT>>{{kCopy, 0}}));
  std::vector<Logged> inits = log.Only({WM_INITMENU, WM_INITMENUPOPUP});
  ASSERT_EQ(inits.size(), 2u);
  EXPECT_EQ(inits[0].wParam, reinterpret_cast<WPARAM>(bar));
  EXPECT_EQ(inits[1].wParam, reinterpret_cast<WPARAM>(GetSubMenu(bar, 1)));
}

TEST_F(MenuTest, MenuBarByAltLetterAndByMouse) {
  SetMenu(top, MakeBar());
  HMENU file = GetSubMenu(GetMenu(top), 0);
  platform::ExpectModal(platform::ModalKind::PopupMenu, "menu bar", [](HWND) { platform::TestTypeText("x"); });
  EXPECT_TRUE(platform::MenuBarKey(top, WM_SYSCHAR, 'f', 0));
  EXPECT_FALSE(platform::MenuBarKey(top, WM_SYSCHAR, 'q', 0));
  platform::ExpectModal(platform::ModalKind::PopupMenu, "menu bar", [&](HWND) { ClickItem(file, 0); });
  platform::MenuBarMouseDown(top, POINT{5, 5}, RECT{0, 0, 400, GetSystemMetrics(SM_CYMENU)});
  platform::RunUntilIdle();
  EXPECT_EQ(MenuCommands(), (std::vector<std::pair<int, UINT>>{{kExit, 0}, {kNew, 0}}));
}

// Escape on a menu dropped from the bar ends the menu: the keyboard goes
// back to the window, and what is typed next is text, not a menu's
// mnemonics ("e" would open Edit and "c" choose Copy).
TEST_F(MenuTest, EscapeGivesTheKeyboardBackToTheWindow) {
  SetMenu(top, MakeBar());
  SetFocus(top);
  platform::RunUntilIdle();
  platform::ExpectModal(platform::ModalKind::PopupMenu, "menu bar", [](HWND) {
    platform::TestKeyPress(VK_ESCAPE);
    platform::TestTypeText("ec");
  });
  platform::MenuBarMouseDown(top, POINT{5, 5}, RECT{0, 0, 400, GetSystemMetrics(SM_CYMENU)});
  platform::RunUntilIdle();
  EXPECT_TRUE(MenuCommands().empty());
  std::string typed;
  for (const Logged& entry : log.Only({WM_CHAR}))
    if (entry.window == top) typed += static_cast<char>(entry.wParam);
  EXPECT_EQ(typed, "ec");
  // Escape in a submenu closes that submenu only.
  HMENU menu = MakeEditMenu();
  platform::ExpectModal(platform::ModalKind::PopupMenu, "Copy", [](HWND) {
    platform::TestTypeText("m");  // opens More
    platform::TestKeyPress(VK_ESCAPE);
    platform::TestTypeText("a");  // Select all, in the menu left open
  });
  EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 150, 150, 0, top, nullptr), static_cast<BOOL>(kSelectAll));
  DestroyMenu(menu);
}

TEST_F(MenuTest, TheMenuEndsWhenItsWindowStopsBeingActive) {
  SetMenu(top, MakeBar());
  HWND other = MakeTop(&log, 400, 300, 100, 100);
  ShowWindow(other, SW_SHOW);
  SetActiveWindow(top);
  platform::RunUntilIdle();
  log.Clear();
  HWND popup = nullptr;
  platform::ExpectModal(platform::ModalKind::PopupMenu, "menu bar", [&](HWND) {
    RECT item{};
    GetMenuItemRect(top, GetSubMenu(GetMenu(top), 0), 0, &item);
    popup = PopupAt(POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2});
    SetActiveWindow(other);  // as the screen activates another frame
    platform::TestTypeText("n");  // New, had the menu read it
  });
  platform::MenuBarMouseDown(top, POINT{5, 5}, RECT{0, 0, 400, GetSystemMetrics(SM_CYMENU)});
  platform::RunUntilIdle();
  EXPECT_NE(popup, nullptr);
  EXPECT_FALSE(IsWindow(popup));
  EXPECT_TRUE(MenuCommands().empty());
  EXPECT_EQ(log.Only({WM_EXITMENULOOP}).size(), 1u);
  EXPECT_EQ(GetCapture(), nullptr);
  const std::vector<Logged> typed = log.Only({WM_CHAR});
  ASSERT_EQ(typed.size(), 1u);
  EXPECT_EQ(typed[0].window, other);
}

TEST_F(MenuTest, BarTakesItsHeightFromTheClientAndOpensOnAClick) {
  RECT before{};
  GetClientRect(top, &before);
  HMENU bar = MakeBar();
  SetMenu(top, bar);
  RECT after{};
  GetClientRect(top, &after);
  EXPECT_EQ(after.bottom, before.bottom - GetSystemMetrics(SM_CYMENU));
  RECT item{};
  ASSERT_TRUE(GetMenuItemRect(top, bar, 1, &item));
  POINT press{item.left + 4, item.top + 4};
  ScreenToClient(top, &press);
  EXPECT_LT(press.y, 0);  // above the client area, in the frame
  platform::ExpectModal(platform::ModalKind::PopupMenu, "menu bar", [&](HWND) { ClickItem(GetSubMenu(bar, 1), 3); });
  platform::TestMouse(top, WM_LBUTTONDOWN, press.x, press.y);
  platform::RunUntilIdle();
  EXPECT_EQ(MenuCommands(), (std::vector<std::pair<int, UINT>>{{kSelectAll, 0}}));
  SetMenu(top, nullptr);
  GetClientRect(top, &after);
  EXPECT_EQ(after.bottom, before.bottom);
  DestroyMenu(bar);
}

TEST_F(MenuTest, MenuFromTemplate) {
  static const char text[] =
      "popup \"&File\"\n"
      "  item \"&Open...\\tCtrl+O\" 101\n"
      "  separator\n"
      "  item \"E&xit\" 102 grayed\n"
      "end\n";
  static const platform::ResourceEntry entries[] = {
      {platform::ResourceType::Menu, "TEST_MENU", reinterpret_cast<const unsigned char*>(text), sizeof text - 1}};
  platform::RegisterResources(entries, 1);
  HMENU bar = LoadMenu(nullptr, "TEST_MENU");
  ASSERT_NE(bar, nullptr);
  HMENU file = GetSubMenu(bar, 0);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(GetMenuItemCount(file), 3);
  char label[32] = "";
  GetMenuString(file, 101, label, sizeof label, MF_BYCOMMAND);
  EXPECT_STREQ(label, "&Open...\tCtrl+O");
  EXPECT_EQ(GetMenuState(file, 102, MF_BYCOMMAND) & MF_GRAYED, MF_GRAYED);
  EXPECT_EQ(LoadMenu(nullptr, "NO_SUCH_MENU"), nullptr);
  DestroyMenu(bar);
  platform::RegisterResources(nullptr, 0);
}

}  // namespace

namespace {

// Regression: the popup class was registered only by InitCommonControls, so
// a program that had not called it got a highlighted bar and no popup.
class MenuWithoutControlsTest : public PlatformTest {};

TEST_F(MenuWithoutControlsTest, BarPopupOpensWithoutInitCommonControls) {
  MessageLog log;
  RegisterRecorder();
  HWND frame = MakeTop(&log, 50, 50, 300, 200);
  HMENU file = CreatePopupMenu();
  AppendMenu(file, MF_STRING, 101, "&New");
  HMENU bar = CreateMenu();
  AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
  SetMenu(frame, bar);
  ShowWindow(frame, SW_SHOW);
  platform::RunUntilIdle();
  std::string modalClass;
  platform::ExpectModal(platform::ModalKind::PopupMenu, "menu bar", [&](HWND modal) {
    char name[32] = "";
    GetClassName(modal, name, sizeof name);
    modalClass = name;
    platform::TestKeyPress(VK_ESCAPE);
    platform::TestKeyPress(VK_ESCAPE);
  });
  EXPECT_TRUE(platform::MenuBarKey(frame, WM_SYSCHAR, 'f', 0));
  EXPECT_EQ(modalClass, "#32768");
  DestroyWindow(frame);
}

}  // namespace
