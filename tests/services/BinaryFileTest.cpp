// The binary file stream: byte layouts written out by hand, round trips,
// truncated and damaged files, and writes that fail at the device.
#include "services/BinaryFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::string TempPath(const std::string& name) {
  return (std::filesystem::path(std::getenv("TMPDIR")) / name).string();
}

Bytes FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

TEST(BinaryFile, PrimitivesHaveTheirLittleEndianLayout) {
  const std::string path = TempPath("layout.bin");
  BinaryFile file;
  ASSERT_TRUE(BinaryFileOpenWrite(file, path));
  BinaryFileWriteInt(file, 0x12345678);
  BinaryFileWriteInt(file, -2);
  BinaryFileWriteFloat(file, 1.0f);     // 0x3F800000
  BinaryFileWriteFloat(file, -2.5f);    // 0xC0200000
  BinaryFileWriteByte(file, 0xAB);
  const std::int32_t ints[2] = {1, 256};
  BinaryFileWriteInts(file, ints, 2);
  const float floats[1] = {0.5f};       // 0x3F000000
  BinaryFileWriteFloats(file, floats, 1);
  ASSERT_TRUE(BinaryFileClose(file));
  const Bytes expected = {0x78, 0x56, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x80, 0x3F,
                          0x00, 0x00, 0x20, 0xC0, 0xAB, 0x01, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00,
                          0x00, 0x00, 0x00, 0x00, 0x3F};
  EXPECT_EQ(FileBytes(path), expected);

  ASSERT_TRUE(BinaryFileOpenRead(file, path));
  std::int32_t a = 0, b = 0, back[2] = {};
  float f = 0, g = 0, h = 0;
  std::uint8_t c = 0;
  BinaryFileReadInt(file, a);
  BinaryFileReadInt(file, b);
  BinaryFileReadFloat(file, f);
  BinaryFileReadFloat(file, g);
  BinaryFileReadByte(file, c);
  BinaryFileReadInts(file, back, 2);
  BinaryFileReadFloats(file, &h, 1);
  EXPECT_EQ(a, 0x12345678);
  EXPECT_EQ(b, -2);
  EXPECT_EQ(f, 1.0f);
  EXPECT_EQ(g, -2.5f);
  EXPECT_EQ(c, 0xAB);
  EXPECT_EQ(back[0], 1);
  EXPECT_EQ(back[1], 256);
  EXPECT_EQ(h, 0.5f);
  EXPECT_FALSE(BinaryFileReadFailed(file));
}

TEST(BinaryFile, CountedTextsAndPairListsHaveTheirLayout) {
  const std::string path = TempPath("texts.bin");
  BinaryFile file;
  ASSERT_TRUE(BinaryFileOpenWrite(file, path));
  BinaryFileWriteText(file, "");
  BinaryFileWriteText(file, "A");
  BinaryFileWriteFloatPairs(file, {});
  BinaryFileWriteFloatPairs(file, {{1.0f, 0.5f}});
  ASSERT_TRUE(BinaryFileWriteFixedText(file, "AB", 6));
  ASSERT_TRUE(BinaryFileClose(file));
  // Empty text: a zero length and nothing else; "A": length 2, 'A', zero.
  const Bytes expected = {0, 0, 0, 0, 2, 0, 0, 0, 'A', 0, 0, 0, 0, 0, 1, 0, 0, 0,
                          0, 0, 0x80, 0x3F, 0, 0, 0, 0x3F, 'A', 'B', 0, 0, 0, 0};
  EXPECT_EQ(FileBytes(path), expected);

  ASSERT_TRUE(BinaryFileOpenRead(file, path));
  std::string empty = "old", one, fixed;
  std::vector<FloatPair> none = {{9, 9}}, pairs;
  BinaryFileReadText(file, empty);
  BinaryFileReadText(file, one);
  BinaryFileReadFloatPairs(file, none);
  BinaryFileReadFloatPairs(file, pairs);
  BinaryFileReadFixedText(file, fixed, 6);
  EXPECT_EQ(empty, "");
  EXPECT_EQ(one, "A");
  EXPECT_TRUE(none.empty());
  ASSERT_EQ(pairs.size(), 1u);
  EXPECT_EQ(pairs[0].x, 1.0f);
  EXPECT_EQ(pairs[0].y, 0.5f);
  EXPECT_EQ(fixed, "AB");
  EXPECT_FALSE(BinaryFileReadFailed(file));
}

TEST(BinaryFile, FloatFromDoubleKeepsSinglePrecision) {
  const std::string path = TempPath("narrow.bin");
  BinaryFile file;
  ASSERT_TRUE(BinaryFileOpenWrite(file, path));
  BinaryFileWriteFloat(file, static_cast<float>(0.1));
  ASSERT_TRUE(BinaryFileClose(file));
  EXPECT_EQ(FileBytes(path), (Bytes{0xCD, 0xCC, 0xCC, 0x3D}));
  ASSERT_TRUE(BinaryFileOpenRead(file, path));
  double back = 0;
  BinaryFileReadFloat(file, back);
  EXPECT_NEAR(back, 0.100000001490116, 1e-15);
  EXPECT_NE(back, 0.1);
}

TEST(BinaryFile, CharFieldRoundTripIsByteForByte) {
  const std::string path = TempPath("field.bin");
  // A fixed-length field is copied as it lies, bytes after the zero included.
  const char field[6] = {'S', 'T', 'L', 0, 'x', 'y'};
  BinaryFile file;
  ASSERT_TRUE(BinaryFileOpenWrite(file, path));
  BinaryFileWriteBytes(file, field, sizeof field);
  BinaryFileWriteText(file, "Carbon steel");
  ASSERT_TRUE(BinaryFileClose(file));
  ASSERT_TRUE(BinaryFileOpenRead(file, path));
  char back[6] = {};
  char text[13];
  BinaryFileReadBytes(file, back, sizeof back);
  BinaryFileReadText(file, text, sizeof text);
  EXPECT_EQ(0, std::memcmp(back, field, sizeof field));
  EXPECT_STREQ(text, "Carbon steel");
  EXPECT_FALSE(BinaryFileReadFailed(file));
}

TEST(BinaryFile, EndOfFileIsNotAnError) {
  const std::string path = TempPath("end.bin");
  WriteFileBytes(path, {7, 0, 0, 0});
  BinaryFile file;
  ASSERT_TRUE(BinaryFileOpenRead(file, path));
  std::int32_t value = 0;
  BinaryFileReadInt(file, value);
  EXPECT_EQ(value, 7);
  EXPECT_FALSE(BinaryFileHasError(file));  // stopped exactly at the end
  EXPECT_FALSE(BinaryFileReadFailed(file));
  EXPECT_EQ(BinaryFileBytesLeft(file), 0);
  BinaryFileReadInt(file, value);  // past the end
  EXPECT_FALSE(BinaryFileHasError(file));
  EXPECT_TRUE(BinaryFileShortRead(file));
  EXPECT_EQ(value, 7);  // a read that found nothing leaves the field alone
}

TEST(BinaryFile, TruncatedFileIsToldApart) {
  const std::string path = TempPath("truncated.bin");
  WriteFileBytes(path, {1, 0, 0, 0, 2, 0});  // the second integer lost its last two bytes
  BinaryFile file;
  ASSERT_TRUE(BinaryFileOpenRead(file, path));
  std::int32_t first = 0, second = 99;
  BinaryFileReadInt(file, first);
  EXPECT_FALSE(BinaryFileShortRead(file));
  BinaryFileReadInt(file, second);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 99);
  EXPECT_TRUE(BinaryFileShortRead(file));
  EXPECT_TRUE(BinaryFileReadFailed(file));
  EXPECT_FALSE(BinaryFileHasError(file));
  // Reopening starts clean.
  ASSERT_TRUE(BinaryFileOpenRead(file, path));
  EXPECT_FALSE(BinaryFileReadFailed(file));
  // A run of words longer than the file is a short read that leaves the
  // array as it was.
  std::int32_t run[2] = {5, 6};
  BinaryFileReadInts(file, run, 2);
  EXPECT_TRUE(BinaryFileShortRead(file));
  EXPECT_EQ(run[0], 5);
  EXPECT_EQ(run[1], 6);
  EXPECT_EQ(BinaryFileBytesLeft(file), 0);
  ASSERT_TRUE(BinaryFileOpenRead(file, path));
  std::vector<float> huge(4);
  BinaryFileReadFloats(file, huge.data(), std::size_t{1} << 60);  // never allocated
  EXPECT_TRUE(BinaryFileShortRead(file));
}

TEST(BinaryFile, DamagedCountsAreRefusedNotTrusted) {
  const std::string path = TempPath("counts.bin");
  struct Case {
    const char* what;
    Bytes bytes;
  };
  const Case texts[] = {
      {"negative length", {0xFF, 0xFF, 0xFF, 0xFF, 'A', 0}},
      {"length past the end", {100, 0, 0, 0, 'A', 0}},
      {"huge length", {0xFF, 0xFF, 0xFF, 0x7F}},
      {"no terminating zero", {2, 0, 0, 0, 'A', 'B'}},
  };
  for (const Case& c : texts) {
    WriteFileBytes(path, c.bytes);
    BinaryFile file;
    ASSERT_TRUE(BinaryFileOpenRead(file, path));
    std::string text = "old";
    BinaryFileReadText(file, text);
    EXPECT_EQ(text, "") << c.what;
    EXPECT_TRUE(BinaryFileRefusedCount(file)) << c.what;
    EXPECT_TRUE(BinaryFileReadFailed(file)) << c.what;
  }
  // A text longer than the field it is read into is refused, not overrun.
  WriteFileBytes(path, {7, 0, 0, 0, 'L', 'O', 'N', 'G', 'E', 'R', 0});
  BinaryFile file;
  ASSERT_TRUE(BinaryFileOpenRead(file, path));
  char field[6] = {'x', 'x', 'x', 'x', 'x', 'x'};
  BinaryFileReadText(file, field, sizeof field);
  EXPECT_EQ(field[0], '\0');
  EXPECT_EQ(field[5], 'x');
  EXPECT_TRUE(BinaryFileRefusedCount(file));
  // A pair count that the file cannot hold reserves nothing.
  for (const Bytes& bytes : {Bytes{0xFF, 0xFF, 0xFF, 0x7F}, Bytes{0xFF, 0xFF, 0xFF, 0xFF}, Bytes{2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}) {
    WriteFileBytes(path, bytes);
    ASSERT_TRUE(BinaryFileOpenRead(file, path));
    std::vector<FloatPair> list = {{1, 1}};
    BinaryFileReadFloatPairs(file, list);
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(BinaryFileRefusedCount(file));
  }
}

TEST(BinaryFile, FailedWritesAreReported) {
  BinaryFile file;
  ASSERT_TRUE(BinaryFileOpenWrite(file, "/dev/full"));
  std::vector<std::int32_t> many(100000, 5);
  BinaryFileWriteInts(file, many.data(), many.size());
  EXPECT_FALSE(BinaryFileClose(file));
  EXPECT_TRUE(BinaryFileHasError(file));  // still known after the close

  // A fixed text that does not fit its field is not cut short.
  const std::string path = TempPath("fixed.bin");
  ASSERT_TRUE(BinaryFileOpenWrite(file, path));
  EXPECT_FALSE(BinaryFileWriteFixedText(file, "SIXCHR", 6));
  EXPECT_TRUE(BinaryFileHasError(file));
  BinaryFileClose(file);
  EXPECT_TRUE(FileBytes(path).empty());

  // Nothing open: the operations fail instead of crashing.
  BinaryFile never;
  BinaryFileWriteInt(never, 1);
  EXPECT_TRUE(BinaryFileHasError(never));
  EXPECT_FALSE(BinaryFileOpenRead(never, TempPath("missing/none.bin")));
}

TEST(BinaryFile, DeviceReadErrorSetsTheErrorIndicator) {
  // Reading a folder fails at the device (EISDIR), unlike reading past the end.
  BinaryFile file;
  ASSERT_TRUE(BinaryFileOpenRead(file, std::getenv("TMPDIR")));
  std::int32_t value = 3;
  BinaryFileReadInt(file, value);
  EXPECT_TRUE(BinaryFileHasError(file));
  EXPECT_EQ(value, 3);
}

TEST(BinaryFile, SeekAndTellReturnToRecordedPositions) {
  const std::string path = TempPath("seek.bin");
  BinaryFile file;
  ASSERT_TRUE(BinaryFileOpenWrite(file, path));
  BinaryFileWriteInt(file, 0);  // an offset filled in afterwards
  const std::int64_t section = BinaryFileTell(file);
  BinaryFileWriteFloat(file, 3.0f);
  ASSERT_TRUE(BinaryFileSeek(file, 0));
  BinaryFileWriteInt(file, static_cast<std::int32_t>(section));
  ASSERT_TRUE(BinaryFileClose(file));
  EXPECT_EQ(FileBytes(path), (Bytes{4, 0, 0, 0, 0, 0, 0x40, 0x40}));
  ASSERT_TRUE(BinaryFileOpenRead(file, path));
  std::int32_t offset = 0;
  float value = 0;
  BinaryFileReadInt(file, offset);
  ASSERT_TRUE(BinaryFileSeek(file, offset));
  BinaryFileSkipByte(file);
  EXPECT_EQ(BinaryFileTell(file), 5);
  ASSERT_TRUE(BinaryFileSeek(file, offset));
  BinaryFileReadFloat(file, value);
  EXPECT_EQ(value, 3.0f);
  ASSERT_TRUE(BinaryFileSeek(file, 0));
  BinaryFileSkipInt(file);
  BinaryFileSkipFloat(file);
  EXPECT_EQ(BinaryFileBytesLeft(file), 0);
  EXPECT_FALSE(BinaryFileReadFailed(file));
}

}  // namespace
