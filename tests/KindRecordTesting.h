// Test support for the model-file records of the element kinds and data
// items: an independent little-endian byte emitter (so that expected records
// are built from the field lists, not by our writers), and the round trip of
// one object's record through a real file with the binary file stream.
//
// ReadKindRecord sets g_ModelFileVersion for the read and restores it after,
// and answers how many bytes the reader left unread, so a test sees a reader
// that takes too few or too many bytes.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

#include "files/ModelFile.h"
#include "model/RowObjects.h"
#include "records/ModelFileFormat.h"
#include "services/BinaryFile.h"

using Bytes = std::vector<std::uint8_t>;

// Builds a record byte by byte, little-endian, as the file layout says.
class ByteEmitter {
 public:
  ByteEmitter& i32(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) bytes_.push_back(static_cast<std::uint8_t>(bits >> shift));
    return *this;
  }
  ByteEmitter& f32(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, 4);
    return i32(static_cast<std::int32_t>(bits));
  }
  ByteEmitter& u8(std::uint8_t value) {
    bytes_.push_back(value);
    return *this;
  }
  // `text` zero-padded to `width` bytes (a full field has no zero).
  ByteEmitter& text(const std::string& value, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i)
      bytes_.push_back(i < value.size() ? static_cast<std::uint8_t>(value[i]) : 0);
    return *this;
  }
  ByteEmitter& repeat(float value, int count) {
    for (int i = 0; i < count; ++i) f32(value);
    return *this;
  }
  const Bytes& bytes() const { return bytes_; }

 private:
  Bytes bytes_;
};

inline std::string KindTestPath() {
  const char* folder = std::getenv("TMPDIR");
  std::string pattern = std::string(folder ? folder : "/tmp") + "/kindrecordXXXXXX";
  const int descriptor = mkstemp(pattern.data());
  if (descriptor >= 0) close(descriptor);
  return pattern;
}

inline Bytes ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The record that `object` writes.
template <typename Object>
Bytes WriteKindRecord(const Object& object) {
  const std::string path = KindTestPath();
  BinaryFile file;
  EXPECT_TRUE(BinaryFileOpenWrite(file, path));
  object.Write(file);
  EXPECT_TRUE(BinaryFileClose(file));
  Bytes bytes = ReadWholeFile(path);
  std::remove(path.c_str());
  return bytes;
}

// Reads `bytes` as a file of `version` into `object`; returns the bytes the
// reader left. A message the reader throws passes through.
template <typename Object>
std::int64_t ReadKindRecord(Object& object, const Bytes& bytes, int version = kModelFileVersion) {
  const std::string path = KindTestPath();
  {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  BinaryFile file;
  EXPECT_TRUE(BinaryFileOpenRead(file, path));
  const int previous = g_ModelFileVersion;
  g_ModelFileVersion = version;
  struct Restore {
    int previous;
    std::string path;
    ~Restore() {
      g_ModelFileVersion = previous;
      std::remove(path.c_str());
    }
  } restore{previous, path};
  object.Read(file);
  return BinaryFileBytesLeft(file);
}

// The message that reading `bytes` throws, or "" when it reads.
template <typename Object>
std::string KindReadMessage(Object& object, const Bytes& bytes, int version = kModelFileVersion) {
  try {
    ReadKindRecord(object, bytes, version);
  } catch (const std::string& message) {
    return message;
  }
  return {};
}

// One data item's version-900 record, laid out from its field list, with the
// checks of the fields it must read into.
struct DataItemCase {
  const char* kind;
  DataType type;
  std::size_t size;
  Bytes record;
  std::function<void(const DataItem&)> expect;
};

template <typename Kind>
std::function<void(const DataItem&)> ExpectItem(std::function<void(const Kind&)> check) {
  return [check](const DataItem& object) {
    const auto* kind = dynamic_cast<const Kind*>(&object);
    ASSERT_NE(kind, nullptr);
    check(*kind);
  };
}

// Each record reads into its fields and writes back the same bytes, and so
// does a copy of the object.
inline void CheckDataItemRoundTrips(const std::vector<DataItemCase>& cases) {
  for (const DataItemCase& c : cases) {
    SCOPED_TRACE(c.kind);
    ASSERT_EQ(c.record.size(), c.size);
    auto item = CreateDataItem(c.type);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(ReadKindRecord(*item, c.record), 0);
    c.expect(*item);
    EXPECT_EQ(WriteKindRecord(*item), c.record);
    auto copy = CreateDataItem(c.type);
    copy->CopyFrom(*item);
    EXPECT_EQ(WriteKindRecord(*copy), c.record);
  }
}

// Every shorter record is refused as a file that ends early.
inline void CheckDataItemPrefixesRefused(const std::vector<DataItemCase>& cases) {
  for (const DataItemCase& c : cases) {
    SCOPED_TRACE(c.kind);
    const std::string expected = std::string("The file is damaged.\n") + c.kind + ": the file ends early";
    for (std::size_t length = 0; length < c.record.size(); ++length) {
      auto item = CreateDataItem(c.type);
      const Bytes prefix(c.record.begin(), c.record.begin() + static_cast<std::ptrdiff_t>(length));
      ASSERT_EQ(KindReadMessage(*item, prefix), expected) << "length " << length;
    }
  }
}
