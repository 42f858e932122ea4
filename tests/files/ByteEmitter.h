// An independent emitter of little-endian file bytes for hand-built files:
// the tests describe old model files field by field with it, never through
// the program's own writers.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

class ByteEmitter {
 public:
  void Int(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) bytes_.push_back(static_cast<char>((bits >> shift) & 0xFF));
  }
  void Float(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, 4);
    Int(static_cast<std::int32_t>(bits));
  }
  void Byte(std::uint8_t value) { bytes_.push_back(static_cast<char>(value)); }
  void Floats(std::initializer_list<float> values) {
    for (float value : values) Float(value);
  }
  void Bytes(std::initializer_list<std::uint8_t> values) {
    for (std::uint8_t value : values) Byte(value);
  }
  void Zeros(std::size_t count) { bytes_.append(count, '\0'); }
  // A text padded with zeros to `width` bytes (it may fill the field).
  void Fixed(const std::string& text, std::size_t width) {
    bytes_.append(text.substr(0, width));
    if (text.size() < width) Zeros(width - text.size());
  }
  void Raw(const std::string& text) { bytes_.append(text); }
  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
};
