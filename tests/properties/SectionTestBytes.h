// Test support for the table and list sections: an independent byte emitter
// that lays out a section the way the file format describes it (so old
// versions are built without our writers), and helpers that run a section
// writer or reader against a temporary file. Header only: the property,
// load, element and evaluation tests all include it.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "services/BinaryFile.h"

// A namespace of its own: other test files of the same executables have
// byte builders of their own.
namespace section_test {

using ByteVector = std::vector<unsigned char>;

// Little-endian fields, appended in order.
struct ByteEmitter {
  ByteVector bytes;

  ByteEmitter& Int(std::int32_t value) {
    const auto raw = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<unsigned char>(raw >> shift));
    return *this;
  }
  ByteEmitter& Float(float value) {
    std::uint32_t raw = 0;
    std::memcpy(&raw, &value, 4);
    return Int(static_cast<std::int32_t>(raw));
  }
  ByteEmitter& Byte(std::uint8_t value) {
    bytes.push_back(value);
    return *this;
  }
  // A fixed text field: the characters, then zeros up to the width.
  ByteEmitter& Text(const std::string& text, std::size_t width) {
    for (std::size_t index = 0; index < width; ++index)
      bytes.push_back(index < text.size() ? static_cast<unsigned char>(text[index]) : 0);
    return *this;
  }
  ByteEmitter& Pairs(const std::vector<std::pair<float, float>>& pairs) {
    Int(static_cast<std::int32_t>(pairs.size()));
    for (const auto& [x, y] : pairs) Float(x).Float(y);
    return *this;
  }
};

inline std::string SectionTestPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() / name).string();
}

inline void WriteByteFile(const std::string& path, const ByteVector& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline ByteVector ReadByteFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return ByteVector(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The bytes `write(file)` puts into a fresh file.
template <typename Write>
ByteVector WrittenBytes(Write write) {
  const std::string path = SectionTestPath("section-written.bin");
  BinaryFile file;
  EXPECT_TRUE(BinaryFileOpenWrite(file, path));
  write(file);
  EXPECT_TRUE(BinaryFileClose(file));
  EXPECT_FALSE(BinaryFileHasError(file));
  return ReadByteFile(path);
}

// Runs `read(file)` over the given bytes and returns the text it threw, or
// the empty text when it returned. A reader that returns must have consumed
// every byte and left the stream clean.
template <typename Read>
std::string ReadFromBytes(const ByteVector& bytes, Read read) {
  const std::string path = SectionTestPath("section-read.bin");
  WriteByteFile(path, bytes);
  BinaryFile file;
  EXPECT_TRUE(BinaryFileOpenRead(file, path));
  try {
    read(file);
  } catch (const std::string& message) {
    return message;
  }
  EXPECT_EQ(BinaryFileBytesLeft(file), 0) << "the reader left bytes unread";
  EXPECT_FALSE(BinaryFileReadFailed(file));
  return std::string();
}

// Every strict prefix of a valid section must be refused with a message.
template <typename Read>
void ExpectEveryPrefixRefused(const ByteVector& bytes, Read read) {
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    const ByteVector prefix(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
    const std::string message = ReadFromBytes(prefix, read);
    EXPECT_EQ(message.rfind("The file is damaged.\n", 0), 0u) << "prefix of " << length << " bytes";
  }
}

}  // namespace section_test
