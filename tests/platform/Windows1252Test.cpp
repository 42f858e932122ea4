// Windows-1252 against Unicode at the X server's edge: the bytes of
// 0x80..0x9F that differ from ISO 8859-1, the five unused bytes, and the
// STRING (ISO 8859-1) form that lacks them. Code points from the published
// Windows-1252 table.
#include <gtest/gtest.h>

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

}  // namespace
