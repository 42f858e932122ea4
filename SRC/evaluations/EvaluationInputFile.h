// What the input files of the flange, nozzle and lug tools have in common,
// so that the three keep one behaviour where they promise the same:
//
// - a file begins with a 16-byte magic, the kind's text padded with zeros;
// - a file is written to a temporary beside the target and renamed over it
//   only once whole, so a failed save never destroys the previous file, and
//   any failure is the one message of the kind;
// - a read requires every number to be finite; a missing file, another kind
//   of file and a short or damaged one each give the kind's message with
//   the path, and the reader hands nothing over until the whole file is
//   known to be sound;
// - the unit choices stored are taken only when each names a unit of its
//   kind.
//
// The fields between the magic and the end and their checks stay with each
// kind's module, which alone knows its layout.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "services/BinaryFile.h"
#include "services/Units.h"

constexpr std::size_t kEvaluationMagicBytes = 16;

// Writes `magic` (padded with zeros to its 16 bytes), then what `writeFields`
// writes, to `path` through a temporary beside it; throws `failed` (a
// std::string) when anything fails, with the previous file left as it was.
void WriteEvaluationFile(const std::string& path, const char* magic, const std::string& failed,
                         const std::function<void(BinaryFile&)>& writeFields);

// A file of one of the tools open for reading, its magic read. The file is
// closed when the reader goes away; every refusal throws a std::string.
class EvaluationFileReader {
 public:
  // Opens `path` with every float required finite and reads the magic;
  // throws "<kind> file: <path>\nDoes not exist." when it cannot be opened.
  EvaluationFileReader(const std::string& path, const char* kind);

  BinaryFile& file() { return file_; }
  // The 16 bytes of the magic read, with a zero after them.
  const char* magic() const { return magic_; }
  // Whether all 16 bytes of the magic were there.
  bool MagicRead() const { return magicRead_; }
  // Whether the magic read is `magic` up to and with its zero.
  bool MagicIs(const char* magic) const;
  // Closes the file and throws `text` followed by the path, then `after`.
  [[noreturn]] void Refuse(const char* text, const std::string& after = std::string());
  // Closes the file; throws `damaged` followed by the path when a read came
  // short or failed, a number was not finite, or what was read is not
  // `sound`.
  void Finish(bool sound, const char* damaged);

 private:
  std::string path_;
  BinaryFile file_;
  char magic_[kEvaluationMagicBytes + 1] = {};
  bool magicRead_ = false;
};

// Whether each of the unit choices read names a unit of its kind: the
// first is of kind 1, the next of kind 2 and so on.
template <typename Choice, std::size_t kKinds>
bool UnitChoicesSound(const Choice (&choices)[kKinds]) {
  static_assert(kKinds <= kUnitKindCount);
  for (std::size_t index = 0; index < kKinds; ++index) {
    const long long choice = choices[index];
    if (choice < 0 || choice >= UnitCount(static_cast<int>(index) + 1)) return false;
  }
  return true;
}

// The unit choices read over those of the same kinds in `units`.
template <typename Choice, std::size_t kKinds>
void TakeUnitChoices(const Choice (&choices)[kKinds], UnitsSettings& units) {
  static_assert(kKinds <= kUnitKindCount);
  for (std::size_t index = 0; index < kKinds; ++index) units.unit[index + 1] = choices[index];
}
