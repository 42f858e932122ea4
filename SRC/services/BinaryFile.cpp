// The binary file stream. Values are encoded byte by byte in little-endian
// order so that the files are the same whatever the host. A read decodes into
// its destination only when every byte of the field arrived; otherwise the
// destination keeps its value and the short read is remembered. Counts and
// lengths from the file are checked against the bytes left before anything is
// reserved or read, so a damaged count can neither overrun a destination nor
// make the reader allocate gigabytes.
#include "services/BinaryFile.h"

#include <sys/stat.h>

#include <cmath>
#include <cstring>

#include "platform/FileNames.h"

namespace {

// A counted text longer than this is damage, whatever the file's size: no
// text of any format comes near it.
constexpr std::int64_t kLongestText = 1 << 20;

void PutInt32(std::uint8_t* bytes, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t GetInt32(const std::uint8_t* bytes) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
  return value;
}

std::uint32_t FloatBits(float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

float BitsFloat(std::uint32_t bits) {
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// A float just read that ended `back` bytes before the current position; a
// non-finite one is refused when the reader asked for finite numbers only.
float CheckedFloat(BinaryFile& file, std::uint32_t bits, std::int64_t back) {
  const float value = BitsFloat(bits);
  if (!file.finiteOnly || std::isfinite(value)) return value;
  if (file.nonFiniteAt < 0) {
    const std::int64_t position = file.stream ? static_cast<std::int64_t>(ftello(file.stream.get())) : -1;
    file.nonFiniteAt = position < 0 ? 0 : position - back;
  }
  return 0.0f;
}

// Reads n bytes; true only when all arrived. A short read is remembered, and
// a device error shows through the stream's own indicator.
bool ReadExactly(BinaryFile& file, void* buffer, std::size_t n) {
  if (!file.stream) {
    file.failed = true;
    return false;
  }
  if (n == 0) return true;
  const std::size_t got = std::fread(buffer, 1, n, file.stream.get());
  if (got == n) return true;
  file.shortRead = true;
  return false;
}

// Reads n 4-byte words into `raw`; a run longer than the file holds is a
// short read found before anything is allocated for it.
bool ReadWords(BinaryFile& file, std::vector<std::uint8_t>& raw, std::size_t n) {
  const std::int64_t left = BinaryFileBytesLeft(file);
  if (file.stream && left >= 0 && n > static_cast<std::uint64_t>(left) / 4) {
    std::fseek(file.stream.get(), 0, SEEK_END);
    file.shortRead = true;
    return false;
  }
  raw.resize(4 * n);
  return ReadExactly(file, raw.data(), raw.size());
}

void WriteExactly(BinaryFile& file, const void* buffer, std::size_t n) {
  if (!file.stream) {
    file.failed = true;
    return;
  }
  if (n == 0) return;
  if (std::fwrite(buffer, 1, n, file.stream.get()) != n) file.failed = true;
}

// A stored count of items of itemBytes each is believable when it is not
// negative and the items fit in what is left of the file.
bool CountFits(BinaryFile& file, std::int32_t count, std::int64_t itemBytes) {
  const std::int64_t left = BinaryFileBytesLeft(file);
  if (count < 0 || (left >= 0 && static_cast<std::int64_t>(count) * itemBytes > left)) {
    file.refusedCount = true;
    return false;
  }
  return true;
}

// Reads the length of a counted text and its bytes into `bytes`; false when
// the length was refused or the bytes did not all arrive. An empty text is
// a zero length; any other must fit `capacity` and end in its zero.
bool ReadCountedBytes(BinaryFile& file, std::vector<char>& bytes, std::size_t capacity) {
  std::uint8_t raw[4];
  if (!ReadExactly(file, raw, 4)) return false;
  const std::int32_t length = static_cast<std::int32_t>(GetInt32(raw));
  if (length == 0) return true;
  if (length < 0 || length > kLongestText || static_cast<std::size_t>(length) > capacity ||
      !CountFits(file, length, 1)) {
    file.refusedCount = true;
    return false;
  }
  bytes.resize(static_cast<std::size_t>(length));
  if (!ReadExactly(file, bytes.data(), bytes.size())) return false;
  if (std::memchr(bytes.data(), 0, bytes.size()) == nullptr) {
    file.refusedCount = true;
    return false;
  }
  return true;
}

// Keeps a value a recorder was given, which a file holds in `size` bytes;
// false for any other stream.
bool Recorded(BinaryFile& file, BinaryFileValue value, std::int64_t size) {
  if (file.recorded == nullptr) return false;
  value.at = file.counted;
  file.counted += size;
  file.recorded->push_back(std::move(value));
  return true;
}

bool RecordedNumber(BinaryFile& file, BinaryFileValue::Kind kind, std::int32_t integer, float real = 0.0f) {
  BinaryFileValue value;
  value.kind = kind;
  value.integer = integer;
  value.real = real;
  return Recorded(file, std::move(value), kind == BinaryFileValue::kByte ? 1 : 4);
}

bool RecordedText(BinaryFile& file, BinaryFileValue::Kind kind, std::string bytes, std::int64_t size) {
  BinaryFileValue value;
  value.kind = kind;
  value.bytes = std::move(bytes);
  return Recorded(file, std::move(value), size);
}

// A checker counts one value, which a file holds in `size` bytes, in the
// writer's record; false for any other stream.
bool Checked(BinaryFile& file, std::int64_t size) {
  if (file.acceptable == nullptr) return false;
  file.counted += size;
  ++file.recordValues;
  return true;
}

// A checker asks its rule of a float of the value it is about to count.
void CheckFloat(BinaryFile& file, float value, std::int32_t pair = -1, bool ordinate = false) {
  if (file.fault.found || file.acceptable(value)) return;
  file.fault = {true, file.record, file.recordNumber, file.recordValues, pair, ordinate, value};
}

bool Open(BinaryFile& file, const std::string& path, const char* mode) {
  file.recorded = nullptr;
  file.acceptable = nullptr;
  file.counted = 0;
  file.fault = {};
  file.stream.reset();
  file.size = -1;
  file.failed = file.shortRead = file.refusedCount = file.finiteOnly = false;
  file.nonFiniteAt = -1;
  file.overlongText.clear();
  file.overlongRoom = 0;
  std::FILE* stream = platform::OpenFile(path, mode);
  if (stream == nullptr) return false;
  file.stream.reset(stream);
  struct stat status {};
  if (mode[0] == 'r' && fstat(fileno(stream), &status) == 0 && S_ISREG(status.st_mode))
    file.size = static_cast<std::int64_t>(status.st_size);
  return true;
}

}  // namespace

void BinaryFileCloser::operator()(std::FILE* stream) const { std::fclose(stream); }

bool BinaryFileOpenRead(BinaryFile& file, const std::string& path) { return Open(file, path, "rb"); }

bool BinaryFileOpenWrite(BinaryFile& file, const std::string& path) { return Open(file, path, "wb"); }

bool BinaryFileOpenUpdate(BinaryFile& file, const std::string& path) { return Open(file, path, "w+b"); }

void BinaryFileOpenRecorder(BinaryFile& file, std::vector<BinaryFileValue>& values) {
  file = BinaryFile{};
  file.recorded = &values;
}

void BinaryFileOpenCheck(BinaryFile& file, bool (*acceptable)(float value)) {
  file = BinaryFile{};
  file.acceptable = acceptable;
}

void BinaryFileEnterRecord(BinaryFile& file, const char* record, std::int32_t number) {
  file.record = record;
  file.recordNumber = number;
  file.recordValues = 0;
}

void BinaryFileNextRecord(BinaryFile& file) {
  ++file.recordNumber;
  file.recordValues = 0;
}

const BinaryFileFault& BinaryFileFirstFault(const BinaryFile& file) { return file.fault; }

bool BinaryFileClose(BinaryFile& file) {
  if (!file.stream) return !file.failed;
  std::FILE* stream = file.stream.release();
  if (std::ferror(stream)) file.failed = true;
  if (std::fclose(stream) != 0) file.failed = true;
  return !file.failed;
}

bool BinaryFileIsOpen(const BinaryFile& file) { return file.stream != nullptr; }

bool BinaryFileHasError(const BinaryFile& file) {
  return file.failed || (file.stream && std::ferror(file.stream.get()) != 0);
}

bool BinaryFileShortRead(const BinaryFile& file) { return file.shortRead; }

bool BinaryFileRefusedCount(const BinaryFile& file) { return file.refusedCount; }

bool BinaryFileReadFailed(const BinaryFile& file) {
  return BinaryFileHasError(file) || file.shortRead || file.refusedCount;
}

void BinaryFileRequireFinite(BinaryFile& file) { file.finiteOnly = true; }

std::int64_t BinaryFileNonFiniteAt(const BinaryFile& file) { return file.nonFiniteAt; }

std::int64_t BinaryFileTell(const BinaryFile& file) {
  if (!file.stream) return -1;
  return static_cast<std::int64_t>(ftello(file.stream.get()));
}

bool BinaryFileSeek(BinaryFile& file, std::int64_t position) {
  if (!file.stream || position < 0) return false;
  return fseeko(file.stream.get(), static_cast<off_t>(position), SEEK_SET) == 0;
}

std::int64_t BinaryFileBytesLeft(const BinaryFile& file) {
  if (!file.stream || file.size < 0) return -1;
  const std::int64_t position = BinaryFileTell(file);
  if (position < 0) return -1;
  return position >= file.size ? 0 : file.size - position;
}

void BinaryFileReadBytes(BinaryFile& file, void* buffer, std::size_t n) { ReadExactly(file, buffer, n); }

void BinaryFileWriteBytes(BinaryFile& file, const void* buffer, std::size_t n) {
  const auto size = static_cast<std::int64_t>(n);
  if (RecordedText(file, BinaryFileValue::kBytes, std::string(static_cast<const char*>(buffer), n), size) ||
      Checked(file, size))
    return;
  WriteExactly(file, buffer, n);
}

void BinaryFileReadInt(BinaryFile& file, std::int32_t& out) {
  std::uint8_t raw[4];
  if (ReadExactly(file, raw, 4)) out = static_cast<std::int32_t>(GetInt32(raw));
}

void BinaryFileWriteInt(BinaryFile& file, std::int32_t value) {
  if (RecordedNumber(file, BinaryFileValue::kInt, value) || Checked(file, 4)) return;
  std::uint8_t raw[4];
  PutInt32(raw, static_cast<std::uint32_t>(value));
  WriteExactly(file, raw, 4);
}

void BinaryFileReadInts(BinaryFile& file, std::int32_t* array, std::size_t n) {
  std::vector<std::uint8_t> raw;
  if (!ReadWords(file, raw, n)) return;
  for (std::size_t i = 0; i < n; ++i) array[i] = static_cast<std::int32_t>(GetInt32(&raw[4 * i]));
}

void BinaryFileWriteInts(BinaryFile& file, const std::int32_t* array, std::size_t n) {
  if (file.recorded != nullptr || file.acceptable != nullptr) {
    for (std::size_t i = 0; i < n; ++i)
      if (!RecordedNumber(file, BinaryFileValue::kInt, array[i])) Checked(file, 4);
    return;
  }
  std::vector<std::uint8_t> raw(4 * n);
  for (std::size_t i = 0; i < n; ++i) PutInt32(&raw[4 * i], static_cast<std::uint32_t>(array[i]));
  WriteExactly(file, raw.data(), raw.size());
}

void BinaryFileReadFloat(BinaryFile& file, float& out) {
  std::uint8_t raw[4];
  if (ReadExactly(file, raw, 4)) out = CheckedFloat(file, GetInt32(raw), 4);
}

void BinaryFileReadFloat(BinaryFile& file, double& out) {
  std::uint8_t raw[4];
  if (ReadExactly(file, raw, 4)) out = CheckedFloat(file, GetInt32(raw), 4);
}

void BinaryFileWriteFloat(BinaryFile& file, float value) {
  if (RecordedNumber(file, BinaryFileValue::kFloat, 0, value)) return;
  if (file.acceptable != nullptr) {
    CheckFloat(file, value);
    Checked(file, 4);
    return;
  }
  std::uint8_t raw[4];
  PutInt32(raw, FloatBits(value));
  WriteExactly(file, raw, 4);
}

void BinaryFileReadFloats(BinaryFile& file, float* array, std::size_t n) {
  std::vector<std::uint8_t> raw;
  if (!ReadWords(file, raw, n)) return;
  for (std::size_t i = 0; i < n; ++i)
    array[i] = CheckedFloat(file, GetInt32(&raw[4 * i]), static_cast<std::int64_t>(4 * (n - i)));
}

void BinaryFileWriteFloats(BinaryFile& file, const float* array, std::size_t n) {
  if (file.recorded != nullptr || file.acceptable != nullptr) {
    for (std::size_t i = 0; i < n; ++i) BinaryFileWriteFloat(file, array[i]);
    return;
  }
  std::vector<std::uint8_t> raw(4 * n);
  for (std::size_t i = 0; i < n; ++i) PutInt32(&raw[4 * i], FloatBits(array[i]));
  WriteExactly(file, raw.data(), raw.size());
}

void BinaryFileReadByte(BinaryFile& file, std::uint8_t& out) {
  std::uint8_t value;
  if (ReadExactly(file, &value, 1)) out = value;
}

void BinaryFileReadByte(BinaryFile& file, bool& out) {
  std::uint8_t value;
  if (ReadExactly(file, &value, 1)) out = value != 0;
}

void BinaryFileWriteByte(BinaryFile& file, std::uint8_t value) {
  if (RecordedNumber(file, BinaryFileValue::kByte, value) || Checked(file, 1)) return;
  WriteExactly(file, &value, 1);
}

void BinaryFileReadText(BinaryFile& file, std::string& destination) {
  destination.clear();
  std::vector<char> bytes;
  if (!ReadCountedBytes(file, bytes, static_cast<std::size_t>(kLongestText))) return;
  if (!bytes.empty()) destination.assign(bytes.data());
}

void BinaryFileReadText(BinaryFile& file, char* destination, std::size_t capacity) {
  if (capacity > 0) destination[0] = '\0';
  std::vector<char> bytes;
  if (!ReadCountedBytes(file, bytes, capacity)) return;
  if (!bytes.empty()) std::memcpy(destination, bytes.data(), bytes.size());
}

void BinaryFileWriteText(BinaryFile& file, const std::string& text) {
  // The text ends at its first zero, as it would in a byte field.
  const std::size_t length = std::strlen(text.c_str());
  const std::int64_t size = 4 + (length == 0 ? 0 : static_cast<std::int64_t>(length) + 1);
  if (RecordedText(file, BinaryFileValue::kText, text.substr(0, length), size) || Checked(file, size)) return;
  if (length == 0) {
    BinaryFileWriteInt(file, 0);
    return;
  }
  BinaryFileWriteInt(file, static_cast<std::int32_t>(length + 1));
  WriteExactly(file, text.c_str(), length + 1);
}

void BinaryFileReadFixedText(BinaryFile& file, std::string& destination, std::size_t width) {
  if (width == 0) {  // nothing stored: an empty vector has no buffer to search
    destination.clear();
    return;
  }
  std::vector<char> bytes(width);
  if (!ReadExactly(file, bytes.data(), width)) return;
  const auto zero = static_cast<const char*>(std::memchr(bytes.data(), 0, width));
  destination.assign(bytes.data(), zero ? static_cast<std::size_t>(zero - bytes.data()) : width);
}

void BinaryFileRefuseOverlongText(BinaryFile& file, const std::string& text, std::size_t room) {
  file.failed = true;
  if (file.overlongRoom != 0) return;
  file.overlongText = text;
  file.overlongRoom = room;
}

bool BinaryFileWriteFixedText(BinaryFile& file, const std::string& text, std::size_t width) {
  const std::size_t length = std::strlen(text.c_str());
  if (length >= width) {
    BinaryFileRefuseOverlongText(file, text, width == 0 ? 0 : width - 1);
    return false;
  }
  if (RecordedText(file, BinaryFileValue::kText, text.substr(0, length), static_cast<std::int64_t>(width)) ||
      Checked(file, static_cast<std::int64_t>(width)))
    return true;
  std::vector<char> bytes(width, '\0');
  std::memcpy(bytes.data(), text.c_str(), length);
  WriteExactly(file, bytes.data(), width);
  return true;
}

void BinaryFileReadFloatPairs(BinaryFile& file, std::vector<FloatPair>& list) {
  list.clear();
  std::uint8_t raw[8];
  if (!ReadExactly(file, raw, 4)) return;
  const std::int32_t count = static_cast<std::int32_t>(GetInt32(raw));
  if (!CountFits(file, count, 8)) return;
  list.reserve(static_cast<std::size_t>(count));
  for (std::int32_t i = 0; i < count; ++i) {
    if (!ReadExactly(file, raw, 8)) return;
    const float x = CheckedFloat(file, GetInt32(raw), 8);
    list.push_back({x, CheckedFloat(file, GetInt32(raw + 4), 4)});
  }
}

void BinaryFileWriteFloatPairs(BinaryFile& file, const std::vector<FloatPair>& list) {
  const std::int64_t size = 4 + 8 * static_cast<std::int64_t>(list.size());
  if (file.recorded != nullptr) {
    BinaryFileValue value;
    value.kind = BinaryFileValue::kPairs;
    value.pairs = list;
    Recorded(file, std::move(value), size);
    return;
  }
  if (file.acceptable != nullptr) {
    for (std::size_t k = 0; k < list.size(); ++k) {
      CheckFloat(file, list[k].x, static_cast<std::int32_t>(k), false);
      CheckFloat(file, list[k].y, static_cast<std::int32_t>(k), true);
    }
    Checked(file, size);
    return;
  }
  BinaryFileWriteInt(file, static_cast<std::int32_t>(list.size()));
  for (const FloatPair& pair : list) {
    BinaryFileWriteFloat(file, pair.x);
    BinaryFileWriteFloat(file, pair.y);
  }
}

void BinaryFileSkipByte(BinaryFile& file) {
  std::uint8_t ignored;
  ReadExactly(file, &ignored, 1);
}

void BinaryFileSkipFloat(BinaryFile& file) {
  std::uint8_t ignored[4];
  ReadExactly(file, ignored, 4);
}

void BinaryFileSkipInt(BinaryFile& file) { BinaryFileSkipFloat(file); }
