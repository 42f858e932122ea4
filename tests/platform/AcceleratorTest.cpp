// Accelerators: keys with Ctrl, Shift and Alt, F-keys, Insert/Delete and
// arrows, character entries, greyed menu commands, tables swapped at run
// time, and a menu command that arrives from both a click and a key.
#include "platform/ControlTesting.h"
#include "platform/Menu.h"
#include "platform/ResourceTemplates.h"

namespace {

class AcceleratorTest : public ControlTest {
 protected:
  // A program's loop: the table first, then the usual translation.
  void Pump(HACCEL table) {
    MSG message;
    while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (TranslateAccelerator(top, table, &message)) continue;
      TranslateMessage(&message);
      DispatchMessage(&message);
    }
  }
  void Keys(std::initializer_list<UINT> held, UINT key, HACCEL table) {
    for (UINT modifier : held) platform::TestKeyDown(modifier);
    platform::TestKeyPress(key);
    for (UINT modifier : held) platform::TestKeyUp(modifier);
    Pump(table);
  }
  std::vector<std::pair<int, UINT>> Commands() {
    std::vector<std::pair<int, UINT>> result;
    for (const Logged& entry : log.Only({WM_COMMAND}))
      if (entry.window == top) result.emplace_back(LOWORD(entry.wParam), HIWORD(entry.wParam));
    return result;
  }
};

TEST_F(AcceleratorTest, ModifiersMustMatchExactly) {
  const ACCEL entries[] = {
      {FVIRTKEY | FCONTROL, 'S', 101},       {FVIRTKEY, VK_F5, 102},
      {FVIRTKEY | FSHIFT, VK_DELETE, 103},   {FVIRTKEY | FALT, VK_LEFT, 104},
      {FVIRTKEY, VK_INSERT, 105},            {FVIRTKEY | FCONTROL | FSHIFT, 'Z', 106},
      {0, '+', 107},
  };
  HACCEL table = CreateAcceleratorTable(entries, 7);
  ASSERT_NE(table, nullptr);
  Keys({VK_CONTROL}, 'S', table);
  Keys({}, 'S', table);                      // no Ctrl: an ordinary key
  Keys({VK_CONTROL, VK_SHIFT}, 'S', table);  // an extra Shift: no match
  Keys({}, VK_F5, table);
  Keys({VK_SHIFT}, VK_DELETE, table);
  Keys({}, VK_DELETE, table);
  Keys({VK_MENU}, VK_LEFT, table);
  Keys({}, VK_INSERT, table);
  Keys({VK_CONTROL, VK_SHIFT}, 'Z', table);
  Keys({VK_SHIFT}, VK_OEM_PLUS, table);      // the character '+'
  EXPECT_EQ(Commands(), (std::vector<std::pair<int, UINT>>{
                            {101, 1}, {102, 1}, {103, 1}, {104, 1}, {105, 1}, {106, 1}, {107, 1}}));
  std::vector<WPARAM> characters;
  for (const Logged& entry : log.Only({WM_CHAR})) characters.push_back(entry.wParam);
  // The unmatched keys type on (S, then Ctrl+Shift+S); '+' was used up.
  ASSERT_EQ(characters.size(), 2u);
  EXPECT_EQ(characters[0], static_cast<WPARAM>('s'));
  EXPECT_EQ(CopyAcceleratorTable(table, nullptr, 0), 7);
  EXPECT_TRUE(DestroyAcceleratorTable(table));
  EXPECT_FALSE(DestroyAcceleratorTable(table));
}

TEST_F(AcceleratorTest, TablesSwapAtRunTime) {
  const ACCEL first[] = {{FVIRTKEY, VK_F5, 102}};
  const ACCEL second[] = {{FVIRTKEY, VK_F5, 202}};
  HACCEL a = CreateAcceleratorTable(first, 1), b = CreateAcceleratorTable(second, 1);
  Keys({}, VK_F5, a);
  Keys({}, VK_F5, b);
  Keys({}, VK_F5, a);
  EXPECT_EQ(Commands(), (std::vector<std::pair<int, UINT>>{{102, 1}, {202, 1}, {102, 1}}));
  DestroyAcceleratorTable(a);
  DestroyAcceleratorTable(b);
  MSG message{top, WM_KEYDOWN, VK_F5, 0, 0, {}};
  EXPECT_EQ(TranslateAccelerator(top, a, &message), 0);
}

TEST_F(AcceleratorTest, MenuCommandFromClickAndFromKey) {
  HMENU file = CreatePopupMenu();
  AppendMenu(file, MF_STRING, 101, "&New\tCtrl+N");
  AppendMenu(file, MF_STRING | MF_GRAYED, 102, "&Save\tCtrl+S");
  HMENU bar = CreateMenu();
  AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
  SetMenu(top, bar);
  const ACCEL entries[] = {{FVIRTKEY | FCONTROL, 'N', 101}, {FVIRTKEY | FCONTROL, 'S', 102}};
  HACCEL table = CreateAcceleratorTable(entries, 2);
  Keys({VK_CONTROL}, 'N', table);
  Keys({VK_CONTROL}, 'S', table);  // greyed in the menu: swallowed
  // The owner that enables Save when its popup is brought up to date.
  log.hook = [&](HWND, UINT message, WPARAM wParam, LPARAM, LRESULT*) {
    if (message == WM_INITMENUPOPUP && reinterpret_cast<HMENU>(wParam) == file) EnableMenuItem(file, 102, MF_ENABLED);
    return false;
  };
  Keys({VK_CONTROL}, 'S', table);
  log.hook = nullptr;
  platform::ExpectModal(platform::ModalKind::PopupMenu, "New", [&](HWND) {
    RECT r{};
    GetMenuItemRect(top, file, 0, &r);
    POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ScreenToClient(top, &centre);
    // The menu holds the capture: a click anywhere in the thread reaches it.
    platform::TestMouse(top, WM_LBUTTONDOWN, centre.x, centre.y);
    platform::TestMouse(top, WM_LBUTTONUP, centre.x, centre.y);
  });
  TrackPopupMenu(file, 0, 120, 120, 0, top, nullptr);
  Pump(table);
  EXPECT_EQ(Commands(), (std::vector<std::pair<int, UINT>>{{101, 1}, {102, 1}, {101, 0}}));
  std::vector<WPARAM> characters;
  for (const Logged& entry : log.Only({WM_CHAR})) characters.push_back(entry.wParam);
  EXPECT_TRUE(characters.empty());
  DestroyAcceleratorTable(table);
}

TEST_F(AcceleratorTest, TableFromTemplate) {
  HACCEL missing = LoadAccelerators(nullptr, "NO_SUCH_TABLE");
  EXPECT_EQ(missing, nullptr);
  platform::AcceleratorTemplate parsed;
  std::string error;
  ASSERT_TRUE(platform::ParseAcceleratorTemplate("TEST_ACCEL", "Ctrl+Shift+F2 301\nDelete 302\n", &parsed, &error))
      << error;
  static std::string text = "Ctrl+Shift+F2 301\nDelete 302\n";
  static const platform::ResourceEntry entries[] = {{platform::ResourceType::Accelerators, "TEST_ACCEL",
                                                     reinterpret_cast<const unsigned char*>(text.data()), text.size()}};
  platform::RegisterResources(entries, 1);
  HACCEL table = LoadAccelerators(nullptr, "TEST_ACCEL");
  ASSERT_NE(table, nullptr);
  ACCEL loaded[2]{};
  ASSERT_EQ(CopyAcceleratorTable(table, loaded, 2), 2);
  EXPECT_EQ(loaded[0].key, VK_F2);
  EXPECT_EQ(loaded[0].fVirt, FVIRTKEY | FCONTROL | FSHIFT);
  EXPECT_EQ(loaded[0].cmd, 301);
  Keys({VK_CONTROL, VK_SHIFT}, VK_F2, table);
  Keys({}, VK_DELETE, table);
  EXPECT_EQ(Commands(), (std::vector<std::pair<int, UINT>>{{301, 1}, {302, 1}}));
  DestroyAcceleratorTable(table);
  platform::RegisterResources(nullptr, 0);
}

}  // namespace
