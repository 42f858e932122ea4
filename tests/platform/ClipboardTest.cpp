// The clipboard: text, bitmaps and recorded pictures set and read back, who
// may open it, and text blocks read safely; global memory blocks.
#include <cstring>
#include <thread>

#include "platform/ControlTesting.h"
#include "platform/Gdi.h"
#include "platform/Paint.h"

namespace {

class ClipboardTest : public ControlTest {
 protected:
  static HGLOBAL TextBlock(const char* text, std::size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(block), text, size);
    GlobalUnlock(block);
    return block;
  }
};

TEST_F(ClipboardTest, TextRoundTrip) {
  ASSERT_TRUE(OpenClipboard(top));
  EXPECT_TRUE(EmptyClipboard());
  HGLOBAL block = TextBlock("Node 10\tNode 20", 16);
  EXPECT_EQ(SetClipboardData(CF_TEXT, block), block);
  EXPECT_TRUE(CloseClipboard());
  EXPECT_EQ(GetClipboardOwner(), top);
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
  EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);  // not open
  ASSERT_TRUE(OpenClipboard(nullptr));
  auto* text = static_cast<const char*>(GlobalLock(GetClipboardData(CF_TEXT)));
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(text, "Node 10\tNode 20");
  CloseClipboard();
  std::string read;
  EXPECT_TRUE(platform::GetClipboardText(nullptr, &read));
  EXPECT_EQ(read, "Node 10\tNode 20");
}

TEST_F(ClipboardTest, OnlyOneOpenerAtATime) {
  ASSERT_TRUE(OpenClipboard(top));
  EXPECT_FALSE(OpenClipboard(top));
  bool otherOpened = true;
  std::thread other([&] { otherOpened = OpenClipboard(nullptr) != 0; });
  other.join();
  EXPECT_FALSE(otherOpened);
  EXPECT_FALSE(platform::SetClipboardText(top, "refused"));
  EXPECT_TRUE(CloseClipboard());
  EXPECT_FALSE(CloseClipboard());
  HGLOBAL block = TextBlock("x", 2);
  EXPECT_EQ(SetClipboardData(CF_TEXT, block), nullptr);  // not open: refused, the block stays ours
  EXPECT_EQ(GlobalFree(block), nullptr);
  ASSERT_TRUE(OpenClipboard(top));
  EXPECT_EQ(SetClipboardData(99, reinterpret_cast<HANDLE>(1)), nullptr);  // an unknown format
  CloseClipboard();
  EXPECT_EQ(CountClipboardFormats(), 0);
}

TEST_F(ClipboardTest, BitmapsAndRecordedPictures) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
  ReleaseDC(nullptr, screen);
  auto picture = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(0x5150));
  ASSERT_TRUE(OpenClipboard(top));
  EmptyClipboard();
  EXPECT_EQ(SetClipboardData(CF_BITMAP, bitmap), bitmap);
  EXPECT_EQ(SetClipboardData(CF_ENHMETAFILE, picture), picture);
  CloseClipboard();
  EXPECT_EQ(CountClipboardFormats(), 2);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(GetClipboardData(CF_BITMAP), bitmap);
  EXPECT_EQ(GetClipboardData(CF_ENHMETAFILE), picture);
  BITMAP info{};
  EXPECT_NE(GetObject(static_cast<HBITMAP>(GetClipboardData(CF_BITMAP)), sizeof info, &info), 0);
  EXPECT_EQ(info.bmWidth, 8);
  EmptyClipboard();  // the clipboard deletes the bitmap it owned
  EXPECT_EQ(CountClipboardFormats(), 0);
  CloseClipboard();
}

TEST_F(ClipboardTest, TextWithoutTerminatorIsReadToItsEndOnly) {
  ASSERT_TRUE(OpenClipboard(top));
  EmptyClipboard();
  SetClipboardData(CF_TEXT, TextBlock("abcd", 4));
  CloseClipboard();
  std::string read;
  EXPECT_TRUE(platform::GetClipboardText(nullptr, &read));
  EXPECT_EQ(read, "abcd");
}

TEST_F(ClipboardTest, GlobalBlocks) {
  HGLOBAL block = GlobalAlloc(GHND, 10);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(GlobalSize(block), 10u);
  const auto* bytes = static_cast<const unsigned char*>(GlobalLock(block));
  for (int i = 0; i < 10; ++i) EXPECT_EQ(bytes[i], 0);
  EXPECT_TRUE(GlobalUnlock(block));
  EXPECT_EQ(GlobalFree(block), nullptr);
  EXPECT_EQ(GlobalFree(block), block);  // freed already
  EXPECT_EQ(GlobalLock(block), nullptr);
  EXPECT_EQ(GlobalSize(block), 0u);
}

}  // namespace
