// The one encoding of the program's text files: program text (Windows-1252)
// goes out as UTF-8 and comes back as itself; a line that is not UTF-8 is
// taken as Windows-1252, and a character Windows-1252 lacks becomes '?'.
#include <gtest/gtest.h>

#include <string>

#include "services/TextFileEncoding.h"

namespace {

// Every character Windows-1252 has goes out and comes back as itself: the
// euro sign (0x80) as U+20AC, "é" (0xE9) as U+00E9, in their UTF-8 bytes.
TEST(TextFileEncodingTest, ProgramTextGoesOutAsUtf8AndComesBackAsItself) {
  EXPECT_EQ(TextFileFromProgramText("Caf\xE9 \x80"), "Caf\xC3\xA9 \xE2\x82\xAC");
  std::string every;
  for (int byte = 1; byte < 256; ++byte)
    if (byte != 0x81 && byte != 0x8D && byte != 0x8F && byte != 0x90 && byte != 0x9D) every += static_cast<char>(byte);
  std::size_t lacking = 9;
  EXPECT_EQ(ProgramTextFromTextFile(TextFileFromProgramText(every), &lacking), every);
  EXPECT_EQ(lacking, 0u);
}

// A line that is no UTF-8 (an "é" written byte for byte, an overlong form,
// a sequence cut short) is Windows-1252 as it stands; a character that
// Windows-1252 lacks reads as '?', and the reader is told how many did.
TEST(TextFileEncodingTest, OtherLinesAreWindows1252AndMissingCharactersAreCounted) {
  std::size_t lacking = 9;
  for (const std::string line : {"Caf\xE9", "\xC0\xAF", "A\xE4\xB8", "\xED\xA0\x80"}) {
    EXPECT_EQ(ProgramTextFromTextFile(line, &lacking), line);
    EXPECT_EQ(lacking, 0u);
  }
  EXPECT_EQ(ProgramTextFromTextFile("\xE4\xB8\xAD\xE6\x96\x87 pipe \xF0\x9F\x98\x80", &lacking), "?? pipe ?");
  EXPECT_EQ(lacking, 3u);
  EXPECT_EQ(LackingCharactersText(1), "1 character that Windows-1252 lacks read as ?");
  EXPECT_EQ(LackingCharactersText(3), "3 characters that Windows-1252 lacks read as ?");
}

}  // namespace
