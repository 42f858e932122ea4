// Windows-1252 against Unicode at the X server's edge: the bytes of
// 0x80..0x9F that differ from ISO 8859-1, the five unused bytes, and the
// STRING (ISO 8859-1) form that lacks them. Code points from the published
// Windows-1252 table.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

#include "platform/FileNames.h"
#include "platform/Gdi.h"
#include "platform/Windows1252.h"

namespace {

TEST(Windows1252, HighBytesBecomeTheirUnicodeCharacters) {
  EXPECT_EQ(platform::CodePointOf1252(0x80), 0x20ACu);  // euro sign
  EXPECT_EQ(platform::CodePointOf1252(0x99), 0x2122u);  // trade mark sign
  EXPECT_EQ(platform::CodePointOf1252(0x9F), 0x0178u);  // Y with diaeresis
  EXPECT_EQ(platform::CodePointOf1252(0xE9), 0x00E9u);  // e acute, as in ISO 8859-1
  for (BYTE unused : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) EXPECT_EQ(platform::CodePointOf1252(unused), 0u) << int(unused);
  EXPECT_EQ(platform::ByteOf1252(0x2014), 0x97);  // em dash
  EXPECT_EQ(platform::ByteOf1252(0x00FC), 0xFC);  // u diaeresis
  EXPECT_EQ(platform::ByteOf1252(0x03B1), 0);     // Greek alpha has no byte
  EXPECT_EQ(platform::ByteOf1252(0x0081), 0);     // a C1 control, not the unused byte
}

TEST(Windows1252, Utf8AndLatin1Forms) {
  EXPECT_EQ(platform::Utf8From1252("a\x80 \xE9\x9F"), "a\xE2\x82\xAC \xC3\xA9\xC5\xB8");
  EXPECT_EQ(platform::Utf8From1252("x\x81y"), "x?y");
  EXPECT_EQ(platform::Latin1From1252("\xE9 \x80 \x93q\x94 \x81"), "\xE9 ? ?q? ?");
  EXPECT_EQ(platform::Latin1From1252("Tab\tend\n"), "Tab\tend\n");
}

// File names: the program's text reaches the disk as UTF-8, and any disk
// bytes come back exactly, those the text cannot hold (outside
// Windows-1252, no UTF-8) shown with one stand-in each; random names are
// seeded by FILE_NAMES_SEED.
TEST(Windows1252, FileNamesAreUtf8OnTheDiskAndComeBackExactly) {
  EXPECT_EQ(platform::ToFileSystemName("M\xFCller \xE4 \x80.mod"), "M\xC3\xBCller \xC3\xA4 \xE2\x82\xAC.mod");
  EXPECT_EQ(platform::FromFileSystemName("Dampfleitung \xC3\xA4 \xC5\xA1.mod"), "Dampfleitung \xE4 \x9A.mod");
  for (const std::string disk : {"Rohr \xCE\xA9.mod", "\xFF\xC3.mod", "\xED\xA0\x80 \xC0\xAF \xC2\x81"})
    EXPECT_EQ(platform::ToFileSystemName(platform::FromFileSystemName(disk)), disk);
  const std::string omega = platform::FromFileSystemName("\xCE\xA9");  // drawn as wide as "??"
  EXPECT_EQ(platform::Utf8From1252("Rohr " + omega + ".mod"), "Rohr ??.mod");
  HDC dc = CreateCompatibleDC(nullptr);
  SIZE standIn{}, question{};
  GetTextExtentPoint32(dc, omega.c_str(), static_cast<int>(omega.size()), &standIn);
  GetTextExtentPoint32(dc, "??", 2, &question);
  DeleteDC(dc);
  EXPECT_EQ(standIn.cx, question.cx);

  const char* seedText = std::getenv("FILE_NAMES_SEED");
  const unsigned seed = seedText != nullptr ? static_cast<unsigned>(std::strtoul(seedText, nullptr, 10)) : 94;
  std::mt19937 random(seed);
  for (int trial = 0; trial < 20000; ++trial) {
    std::string disk(random() % 12, ' ');
    for (char& byte : disk) byte = static_cast<char>(random() % 4 == 0 ? 0x20 + random() % 0x60 : 0x80 + random() % 0x80);
    ASSERT_EQ(platform::ToFileSystemName(platform::FromFileSystemName(disk)), disk) << "seed " << seed << ", trial " << trial;
  }
}

}  // namespace
