// Resources: the template parsers with their error messages, and the
// program's own resource table: every dialog, menu and accelerator table
// loads, no dialog repeats a control id, every caption fits its control in
// the dialog font, every image decodes and the toolbar strips hold their
// images in the order of the strip list.
#include "platform/DialogTesting.h"

#include <png.h>

#include <cstring>
#include <fstream>
#include <set>
#include <sstream>

#include "platform/Gdi.h"
#include "platform/Paint.h"
#include "platform/Resource.h"
#include "resources/QuorvelResources.h"

namespace {

using platform::AcceleratorTemplate;
using platform::DialogTemplate;
using platform::MenuTemplate;

TEST(ResourceParseTest, DialogTemplateFields) {
  DialogTemplate dialog;
  std::string error;
  ASSERT_TRUE(platform::ParseDialogTemplate("X", R"(
# comment
dialog 1 2 100 50
caption "Say \"hi\"\tthere"
style WS_POPUP | WS_CAPTION | DS_MODALFRAME
font 10
control IDOK BUTTON "OK" 5 30 40 14 BS_DEFPUSHBUTTON | WS_TABSTOP exstyle WS_EX_STATICEDGE
control 1301 EDIT "" 5 5 60 12 0x80 WS_BORDER hidden
)", &dialog, &error)) << error;
  EXPECT_EQ(dialog.caption, "Say \"hi\"\tthere");
  EXPECT_EQ(dialog.x, 1);
  EXPECT_EQ(dialog.cy, 50);
  EXPECT_EQ(dialog.style, 0x80000000u | 0x00C00000u | 0x80u);
  EXPECT_EQ(dialog.pointSize, 10);
  ASSERT_EQ(dialog.items.size(), 2u);
  EXPECT_EQ(dialog.items[0].id, 1);
  EXPECT_EQ(dialog.items[0].style, 0x1u | 0x00010000u);
  EXPECT_EQ(dialog.items[0].exStyle, 0x00020000u);
  EXPECT_FALSE(dialog.items[0].hidden);
  EXPECT_EQ(dialog.items[1].className, "EDIT");
  EXPECT_EQ(dialog.items[1].style, 0x80u | 0x00800000u);
  EXPECT_TRUE(dialog.items[1].hidden);
}

TEST(ResourceParseTest, DialogTemplateErrorsNameTheLine) {
  DialogTemplate dialog;
  dialog.name = "untouched";
  std::string error;
  auto fails = [&](const char* text) {
    error.clear();
    EXPECT_FALSE(platform::ParseDialogTemplate("X", text, &dialog, &error)) << text;
    return error;
  };
  EXPECT_EQ(fails("caption \"a\"\n"), "X, line 1: the first line must be \"dialog X Y W H\"");
  EXPECT_EQ(fails("dialog 0 0 10\n"), "X, line 1: dialog needs X Y W H");
  EXPECT_EQ(fails("dialog 0 0 10 10\n\nstyle WS_POPUP WS_SPARKLE\n"), "X, line 3: unknown style WS_SPARKLE");
  EXPECT_EQ(fails("dialog 0 0 10 10\ncontrol 1 BUTTON OK 1 1 1 1\n"), "X, line 2: control needs ID CLASS \"text\" X Y W H");
  EXPECT_EQ(fails("dialog 0 0 10 10\ncontrol 70000 BUTTON \"OK\" 1 1 1 1\n"), "X, line 2: bad control id 70000");
  EXPECT_EQ(fails("dialog 0 0 10 10\ncaption \"open\n"), "X, line 2: unclosed quote");
  EXPECT_EQ(fails("dialog 0 0 10 10\nfont 100\n"), "X, line 2: font needs a point size from 4 to 72");
  EXPECT_EQ(fails("# nothing\n"), "X: no \"dialog\" line");
  EXPECT_EQ(dialog.name, "untouched");  // a failed parse leaves the record alone
}

TEST(ResourceParseTest, MenusNestAndCheckTheirShape) {
  MenuTemplate menu;
  std::string error;
  ASSERT_TRUE(platform::ParseMenuTemplate("M", R"(popup "&File"
  item "&New...\tCtrl+N" 101
  popup "Recent &models"
  end
  separator
  item "E&xit" 110 grayed checked
end
popup "&Help"
  item "&About..." 903
end
)", &menu, &error)) << error;
  ASSERT_EQ(menu.items.size(), 2u);
  const auto& file = menu.items[0];
  EXPECT_TRUE(file.popup);
  EXPECT_EQ(file.text, "&File");
  ASSERT_EQ(file.items.size(), 4u);
  EXPECT_EQ(file.items[0].text, "&New...\tCtrl+N");
  EXPECT_EQ(file.items[0].id, 101u);
  EXPECT_TRUE(file.items[1].popup);
  EXPECT_TRUE(file.items[1].items.empty());
  EXPECT_TRUE(file.items[2].separator);
  EXPECT_TRUE(file.items[3].grayed);
  EXPECT_TRUE(file.items[3].checked);
  EXPECT_EQ(menu.items[1].items[0].id, 903u);

  EXPECT_FALSE(platform::ParseMenuTemplate("M", "popup \"A\"\n item \"B\" 1\n", &menu, &error));
  EXPECT_EQ(error, "M: a popup is not closed with \"end\"");
  EXPECT_FALSE(platform::ParseMenuTemplate("M", "end\n", &menu, &error));
  EXPECT_EQ(error, "M, line 1: \"end\" without a popup");
  EXPECT_FALSE(platform::ParseMenuTemplate("M", "popup \"A\"\n item \"B\" 0\nend\n", &menu, &error));
  EXPECT_EQ(error, "M, line 2: item needs a command id from 1 to 65535");
  EXPECT_FALSE(platform::ParseMenuTemplate("M", "separator\n", &menu, &error));
  EXPECT_EQ(error, "M, line 1: a separator cannot be on the menu bar");
}

TEST(ResourceParseTest, AcceleratorKeysAndModifiers) {
  AcceleratorTemplate table;
  std::string error;
  ASSERT_TRUE(platform::ParseAcceleratorTemplate("A", "Ctrl+N 101\nF1 900\nEnter 340\nShift+Delete 7\n"
                                                      "Ctrl+Alt+F12 8\nInsert 9\n", &table, &error)) << error;
  ASSERT_EQ(table.entries.size(), 6u);
  using platform::kAccelAlt, platform::kAccelControl, platform::kAccelShift, platform::kAccelVirtualKey;
  EXPECT_EQ(table.entries[0].flags, kAccelVirtualKey | kAccelControl);
  EXPECT_EQ(table.entries[0].key, 'N');
  EXPECT_EQ(table.entries[0].command, 101);
  EXPECT_EQ(table.entries[1].key, VK_F1);
  EXPECT_EQ(table.entries[2].key, VK_RETURN);
  EXPECT_EQ(table.entries[2].flags, kAccelVirtualKey);
  EXPECT_EQ(table.entries[3].flags, kAccelVirtualKey | kAccelShift);
  EXPECT_EQ(table.entries[3].key, VK_DELETE);
  EXPECT_EQ(table.entries[4].flags, kAccelVirtualKey | kAccelControl | kAccelAlt);
  EXPECT_EQ(table.entries[4].key, VK_F12);
  EXPECT_EQ(table.entries[5].key, VK_INSERT);
  EXPECT_FALSE(platform::ParseAcceleratorTemplate("A", "Hyper+N 1\n", &table, &error));
  EXPECT_EQ(error, "A, line 1: unknown modifier Hyper");
  EXPECT_FALSE(platform::ParseAcceleratorTemplate("A", "F25 1\n", &table, &error));
  EXPECT_EQ(error, "A, line 1: unknown key F25");
  EXPECT_FALSE(platform::ParseAcceleratorTemplate("A", "Ctrl+N\n", &table, &error));
  EXPECT_EQ(error, "A, line 1: expected KEY COMMAND");
}

// Damage a fuzzer found: a zero byte outside quotes made the tokenizer
// stand still, a line of separators only left no keyword to read, and huge
// positions overflowed the conversion to pixels. Each is refused with the
// template's name and the line.
TEST(ResourceParseTest, DamagedTemplatesAreRefusedByNameAndLine) {
  DialogTemplate dialog;
  MenuTemplate menu;
  AcceleratorTemplate table;
  std::string error;
  const std::string zero("dialog 0 0 10 10\nstyle WS_POPUP\0 WS_CHILD\n", 42);
  EXPECT_FALSE(platform::ParseDialogTemplate("ZERO_DIALOG", zero, &dialog, &error));
  EXPECT_EQ(error, "ZERO_DIALOG, line 2: a zero byte");
  const std::string quotedZero("dialog 0 0 10 10\ncaption \"a\0b\"\n", 31);
  EXPECT_FALSE(platform::ParseDialogTemplate("Q", quotedZero, &dialog, &error));
  EXPECT_EQ(error, "Q, line 2: a zero byte");
  for (const char* separators : {",", "|", " , | ,"}) {
    EXPECT_FALSE(platform::ParseDialogTemplate("D", std::string("dialog 0 0 10 10\n") + separators + "\n", &dialog, &error));
    EXPECT_EQ(error, "D, line 2: a line of separators only") << separators;
    EXPECT_FALSE(platform::ParseMenuTemplate("M", std::string(separators) + "\n", &menu, &error));
    EXPECT_EQ(error, "M, line 1: a line of separators only") << separators;
    EXPECT_FALSE(platform::ParseAcceleratorTemplate("A", std::string("F1 9\n") + separators, &table, &error));
    EXPECT_EQ(error, "A, line 2: a line of separators only") << separators;
  }
  EXPECT_FALSE(platform::ParseDialogTemplate("BIG", "dialog 0 0 99999999999 10\n", &dialog, &error));
  EXPECT_EQ(error, "BIG, line 1: dialog needs X Y W H");
  EXPECT_FALSE(platform::ParseDialogTemplate("BIG", "dialog 0 0 10 10\ncontrol 1 BUTTON \"OK\" 1 1 40000 1\n", &dialog,
                                             &error));
  EXPECT_EQ(error, "BIG, line 2: bad control position");
}

class ProgramResourceTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    std::span<const platform::ResourceEntry> table = QuorvelResources();
    platform::RegisterResources(table.data(), table.size());
  }
};

std::string WithoutMnemonic(const std::string& text) {
  std::string shown;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] == '&' && at + 1 < text.size()) ++at;
    shown += text[at];
  }
  return shown;
}

// The room a control gives its caption, in pixels; -1 for a control whose
// text is not drawn as a caption.
int CaptionRoom(const char* className, DWORD style, int width) {
  std::string name = className;
  if (name == "Button") {
    DWORD type = style & BS_TYPEMASK;
    if (type == BS_GROUPBOX) return width - 16;
    if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) return width - 4;
    return width - 17;  // the 13-pixel box and its gap
  }
  if (name == "Static") {
    DWORD type = style & SS_TYPEMASK;
    return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_LEFTNOWORDWRAP ||
                   type == SS_SIMPLE
               ? width
               : -1;
  }
  return -1;
}

TEST_F(ProgramResourceTest, EveryDialogLoadsWithUniqueIdsAndCaptionsThatFit) {
  std::vector<std::string> names = platform::ResourceNames(platform::ResourceType::Dialog);
  ASSERT_GE(names.size(), 20u);
  RegisterRecorder();
  MessageLog log;
  HWND host = MakeTop(&log, 0, 0, 600, 500);  // pages are children of a sheet
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const DialogTemplate* dialog = platform::FindDialogTemplate(name);
    ASSERT_NE(dialog, nullptr) << platform::TemplateError(platform::ResourceType::Dialog, name);
    std::set<int> ids;
    for (const auto& item : dialog->items)
      if (item.id != -1) {
        EXPECT_TRUE(ids.insert(item.id).second) << "control id " << item.id << " twice";
      }
    HWND window = CreateDialogParam(nullptr, name.c_str(), (dialog->style & WS_CHILD) ? host : nullptr, nullptr, 0);
    ASSERT_NE(window, nullptr);
    HDC dc = GetDC(window);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessage(window, WM_GETFONT, 0, 0)));
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      char className[32] = "", text[256] = "";
      GetClassName(child, className, sizeof className);
      GetWindowText(child, text, sizeof text);
      RECT rect{};
      GetWindowRect(child, &rect);
      int room = CaptionRoom(className, static_cast<DWORD>(GetWindowLong(child, GWL_STYLE)), rect.right - rect.left);
      if (room < 0 || text[0] == '\0') continue;
      std::string shown = WithoutMnemonic(text);
      SIZE size{};
      GetTextExtentPoint32(dc, shown.c_str(), static_cast<int>(shown.size()), &size);
      EXPECT_LE(size.cx, room) << "\"" << text << "\" (id " << GetDlgCtrlID(child) << ") is wider than its control";
    }
    ReleaseDC(window, dc);
    DestroyWindow(window);
  }
  DestroyWindow(host);
}

TEST_F(ProgramResourceTest, EveryMenuAndAcceleratorTableParses) {
  for (const std::string& name : platform::ResourceNames(platform::ResourceType::Menu))
    EXPECT_NE(platform::FindMenuTemplate(name), nullptr)
        << name << ": " << platform::TemplateError(platform::ResourceType::Menu, name);
  for (const std::string& name : platform::ResourceNames(platform::ResourceType::Accelerators))
    EXPECT_NE(platform::FindAcceleratorTemplate(name), nullptr)
        << name << ": " << platform::TemplateError(platform::ResourceType::Accelerators, name);
  const platform::MenuTemplate* main = platform::FindMenuTemplate("MAIN_MENU");
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(main->items[0].text, "&File");
  for (const char* name : {"MAIN_ACCEL", "LAYOUT_ACCEL", "LIST_ACCEL", "GRAPHICS_ACCEL", "RESULTS_ACCEL"})
    EXPECT_NE(platform::FindAcceleratorTemplate(name), nullptr) << name;  // the five the start-up loads
}

// The image names of the strip list, in order.
std::vector<std::string> StripImages() {
  std::ifstream list(std::string(QUORVEL_SOURCE_DIR) + "/resources/toolbars/Strips.list");
  std::vector<std::string> names;
  std::string line;
  while (std::getline(list, line)) {
    std::istringstream words(line);
    std::string first;
    if (words >> first && first[0] != '#' && first != "strip") names.push_back(first);
  }
  return names;
}

// A button image file as 0xAARRGGBB pixels.
std::vector<std::uint32_t> ReadImage(const std::string& path, int size) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size) * size);
  if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
  image.format = PNG_FORMAT_BGRA;
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return {};
  return pixels;
}

TEST_F(ProgramResourceTest, ToolbarStripsHoldTheirImagesInListOrder) {
  std::vector<std::string> names = StripImages();
  ASSERT_GE(names.size(), 41u);  // the graphics window's toolbar reaches image 40
  for (auto [name, size] : {std::pair{1801, 16}, std::pair{1802, 32}}) {
    SCOPED_TRACE(name);
    HBITMAP strip = LoadBitmap(reinterpret_cast<HINSTANCE>(1), MAKEINTRESOURCE(name));
    ASSERT_NE(strip, nullptr);
    BITMAP info{};
    ASSERT_NE(GetObject(strip, sizeof info, &info), 0);
    EXPECT_EQ(info.bmWidth, static_cast<LONG>(names.size()) * size);
    EXPECT_EQ(info.bmHeight, size);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, strip);
    // Each cell holds its file's image: opaque pixels as they are,
    // transparent ones on the button face.
    for (std::size_t index = 0; index < names.size(); ++index) {
      std::string file = std::string(QUORVEL_SOURCE_DIR) + "/resources/toolbars/" + std::to_string(size) + "/" +
                         names[index] + ".png";
      std::vector<std::uint32_t> pixels = ReadImage(file, size);
      ASSERT_FALSE(pixels.empty()) << file;
      int mismatches = 0;
      for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
          std::uint32_t pixel = pixels[static_cast<std::size_t>(y * size + x)];
          unsigned alpha = pixel >> 24;
          if (alpha != 0 && alpha != 255) continue;
          COLORREF expected = alpha == 0 ? GetSysColor(COLOR_BTNFACE)
                                         : RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
          mismatches += GetPixel(dc, static_cast<int>(index) * size + x, y) != expected;
        }
      EXPECT_EQ(mismatches, 0) << names[index] << " (image " << index << ")";
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(strip);
  }
  EXPECT_NE(LoadIcon(reinterpret_cast<HINSTANCE>(1), MAKEINTRESOURCE(7001)), nullptr);
  EXPECT_NE(LoadBitmap(reinterpret_cast<HINSTANCE>(1), MAKEINTRESOURCE(1803)), nullptr);
  EXPECT_EQ(LoadBitmap(reinterpret_cast<HINSTANCE>(1), MAKEINTRESOURCE(4242)), nullptr);
}

TEST_F(DialogTest, SystemIconsAreDrawnWithTheirColours) {
  HICON error = LoadIcon(nullptr, IDI_ERROR);
  ASSERT_NE(error, nullptr);
  EXPECT_EQ(LoadIcon(nullptr, IDI_ERROR), error);  // shared
  SIZE size{};
  ASSERT_TRUE(GetIconSize(error, &size));
  EXPECT_EQ(size.cx, 32);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 40, 40);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all{0, 0, 40, 40};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ASSERT_TRUE(DrawIcon(dc, 4, 4, error));
  EXPECT_EQ(GetPixel(dc, 4 + 6, 4 + 16), RGB(210, 40, 40));  // the red disc, off the sign
  EXPECT_EQ(GetPixel(dc, 4 + 16, 4 + 16), RGB(255, 255, 255));  // the white X crosses the middle
  EXPECT_EQ(GetPixel(dc, 2, 2), RGB(255, 255, 255));  // around it: untouched
  EXPECT_EQ(GetPixel(dc, 4, 4), RGB(255, 255, 255));  // a transparent corner
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(LoadIcon(nullptr, MAKEINTRESOURCE(1234)), nullptr);
}

}  // namespace
