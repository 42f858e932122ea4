// Cursors from the program's resources: the hand cursor loads from the
// embedded table with the image and hot spot of its files, the hot spot
// travels in the PNG's "hotspot" text chunk (absent, out of the image or
// damaged chunks are survived), and a cursor that a window sets in
// WM_SETCURSOR is the one shown over its top-level window.
#include <png.h>

#include <cstring>
#include <fstream>

#include "platform/Gdi.h"
#include "platform/Input.h"
#include "platform/PlatformTest.h"
#include "platform/Presenter.h"
#include "platform/Resource.h"
#include "platform/ResourceInternal.h"
#include "platform/ResourceTemplates.h"
#include "resources/QuorvelResources.h"

namespace {

struct Decoded {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;  // 0xAARRGGBB
};

Decoded DecodeFile(const std::string& path) {
  Decoded decoded;
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return decoded;
  image.format = PNG_FORMAT_BGRA;
  decoded.width = static_cast<int>(image.width);
  decoded.height = static_cast<int>(image.height);
  decoded.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
  if (!png_image_finish_read(&image, nullptr, decoded.pixels.data(), 0, nullptr)) decoded = Decoded{};
  return decoded;
}

// A 4 x 3 PNG, opaque red, with an optional tEXt chunk after the header.
std::vector<unsigned char> SmallPng(const std::string& keyword, const std::string& value, bool damageLength = false) {
  std::vector<std::uint32_t> pixels(12, 0xFFFF0000u);
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = 4;
  image.height = 3;
  image.format = PNG_FORMAT_BGRA;
  png_alloc_size_t size = 0;
  png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr);
  std::vector<unsigned char> png(size);
  png_image_write_to_memory(&image, png.data(), &size, 0, pixels.data(), 0, nullptr);
  png.resize(size);
  if (keyword.empty()) return png;
  std::vector<unsigned char> body = {'t', 'E', 'X', 't'};
  body.insert(body.end(), keyword.begin(), keyword.end());
  body.push_back(0);
  body.insert(body.end(), value.begin(), value.end());
  std::uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char byte : body) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  crc = ~crc;
  std::uint32_t length = damageLength ? 0x7FFFFFF0u : static_cast<std::uint32_t>(body.size() - 4);
  std::vector<unsigned char> chunk;
  for (int shift = 24; shift >= 0; shift -= 8) chunk.push_back(static_cast<unsigned char>(length >> shift));
  chunk.insert(chunk.end(), body.begin(), body.end());
  for (int shift = 24; shift >= 0; shift -= 8) chunk.push_back(static_cast<unsigned char>(crc >> shift));
  png.insert(png.begin() + 33, chunk.begin(), chunk.end());  // after the signature and IHDR
  return png;
}

class CursorTest : public PlatformTest {
 protected:
  void TearDown() override {
    PlatformTest::TearDown();
    platform::RegisterResources(nullptr, 0);
  }
  void UseProgramResources() {
    std::span<const platform::ResourceEntry> table = QuorvelResources();
    platform::RegisterResources(table.data(), table.size());
  }
  HINSTANCE instance_ = reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(0x400000));
};

TEST_F(CursorTest, HandCursorHasTheImageAndHotSpotOfItsFiles) {
  UseProgramResources();
  HCURSOR hand = LoadCursor(instance_, "HAND_CURSOR");
  ASSERT_NE(hand, nullptr);
  EXPECT_EQ(LoadCursor(instance_, "HAND_CURSOR"), hand);  // a shared handle
  EXPECT_EQ(LoadImage(instance_, "HAND_CURSOR", IMAGE_CURSOR, 0, 0, LR_SHARED), hand);
  EXPECT_NE(hand, LoadCursor(nullptr, IDC_HAND));
  std::shared_ptr<const platform::CursorImage> image = platform::CursorImageOf(hand);
  ASSERT_NE(image, nullptr);

  const std::string folder = std::string(QUORVEL_SOURCE_DIR) + "/resources/cursors/";
  Decoded file = DecodeFile(folder + "HAND_CURSOR.png");
  ASSERT_EQ(file.width, 32);
  EXPECT_EQ(image->width, 32);
  EXPECT_EQ(image->height, 32);
  EXPECT_TRUE(image->pixels == file.pixels) << "the embedded image is not the file's";
  std::ifstream side(folder + "HAND_CURSOR.hotspot");
  long x = -1, y = -1;
  ASSERT_TRUE(side >> x >> y);
  EXPECT_EQ(image->hotSpot.x, x);
  EXPECT_EQ(image->hotSpot.y, y);
  // The hot spot is the fingertip: opaque, and no pixel above its row is
  // more than half drawn.
  EXPECT_EQ(image->pixels[static_cast<std::size_t>(y * 32 + x)] >> 24, 255u);
  for (std::size_t index = 0; index < static_cast<std::size_t>(y * 32); ++index)
    EXPECT_LT(image->pixels[index] >> 24, 128u) << "pixel " << index % 32 << "," << index / 32;
}

TEST_F(CursorTest, UnknownNamesAndSystemNumbers) {
  UseProgramResources();
  EXPECT_EQ(LoadCursor(instance_, "NO_SUCH_CURSOR"), nullptr);
  EXPECT_EQ(LoadCursor(instance_, MAKEINTRESOURCE(4321)), nullptr);
  HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
  ASSERT_NE(arrow, nullptr);
  EXPECT_EQ(platform::CursorImageOf(arrow), nullptr);  // drawn by the presenter, not an image
  EXPECT_EQ(LoadCursor(nullptr, "HAND_CURSOR"), LoadCursor(instance_, "HAND_CURSOR"));
}

TEST_F(CursorTest, HotSpotComesFromTheTextChunk) {
  const std::vector<unsigned char> plain = SmallPng("", "");
  const std::vector<unsigned char> marked = SmallPng("hotspot", "3 2");
  const std::vector<unsigned char> outside = SmallPng("hotspot", "9 -4");
  const std::vector<unsigned char> otherKey = SmallPng("Comment", "3 2");
  const std::vector<unsigned char> damaged = SmallPng("hotspot", "3 2", true);
  const platform::ResourceEntry entries[] = {
      {platform::ResourceType::Cursor, "CHUNK_PLAIN", plain.data(), plain.size()},
      {platform::ResourceType::Cursor, "CHUNK_MARKED", marked.data(), marked.size()},
      {platform::ResourceType::Cursor, "CHUNK_OUTSIDE", outside.data(), outside.size()},
      {platform::ResourceType::Cursor, "CHUNK_OTHER_KEY", otherKey.data(), otherKey.size()},
      {platform::ResourceType::Cursor, "CHUNK_DAMAGED", damaged.data(), damaged.size()},
  };
  platform::RegisterResources(entries, std::size(entries));
  auto hotSpot = [&](const char* name) {
    std::shared_ptr<const platform::CursorImage> image = platform::CursorImageOf(LoadCursor(instance_, name));
    return image != nullptr ? std::make_pair(image->hotSpot.x, image->hotSpot.y) : std::make_pair(-100, -100);
  };
  EXPECT_EQ(hotSpot("CHUNK_PLAIN"), std::make_pair(0, 0));
  EXPECT_EQ(hotSpot("CHUNK_MARKED"), std::make_pair(3, 2));
  EXPECT_EQ(hotSpot("CHUNK_OUTSIDE"), std::make_pair(3, 0));  // kept inside the 4 x 3 image
  EXPECT_EQ(hotSpot("CHUNK_OTHER_KEY"), std::make_pair(0, 0));
  // A chunk length past the end of the file: the PNG itself is broken.
  EXPECT_EQ(LoadCursor(instance_, "CHUNK_DAMAGED"), nullptr);
  std::shared_ptr<const platform::CursorImage> marked4x3 =
      platform::CursorImageOf(LoadCursor(instance_, "CHUNK_MARKED"));
  ASSERT_NE(marked4x3, nullptr);
  EXPECT_EQ(marked4x3->width, 4);
  EXPECT_EQ(marked4x3->height, 3);
  EXPECT_EQ(marked4x3->pixels[0], 0xFFFF0000u);
}

TEST_F(CursorTest, CursorSetInSetCursorIsShownOverTheTopLevelWindow) {
  UseProgramResources();
  HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
  RegisterRecorder("Recorder", 0, white);
  WNDCLASS arrowClass{};
  arrowClass.lpfnWndProc = RecorderProcedure;
  arrowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  arrowClass.lpszClassName = "ArrowTop";
  ASSERT_NE(RegisterClass(&arrowClass), 0);
  MessageLog log;
  HWND top = MakeTop(&log, 0, 0, 200, 150, WS_POPUP, "ArrowTop");
  HWND link = MakeChild(&log, top, 20, 20, 60, 20);
  HCURSOR hand = LoadCursor(instance_, "HAND_CURSOR");
  log.hook = [&](HWND window, UINT message, WPARAM, LPARAM, LRESULT* answer) {
    if (window != link || message != WM_SETCURSOR) return false;
    SetCursor(hand);
    *answer = TRUE;
    return true;
  };
  ShowWindow(top, SW_SHOW);
  platform::RunUntilIdle();
  EXPECT_EQ(platform::ShownCursor(top), nullptr);
  platform::TestMouse(top, WM_MOUSEMOVE, 30, 25);  // over the link
  platform::RunUntilIdle();
  EXPECT_EQ(GetCursor(), hand);
  EXPECT_EQ(platform::ShownCursor(top), hand);
  platform::TestMouse(top, WM_MOUSEMOVE, 150, 100);  // beside it: the class cursor
  platform::RunUntilIdle();
  EXPECT_EQ(platform::ShownCursor(top), arrowClass.hCursor);
  DestroyWindow(top);
  DeleteObject(white);
}

}  // namespace
