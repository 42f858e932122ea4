// The one stream through which every binary file of the program is read and
// written: model files, results files, libraries and evaluation files. Every
// format is defined in terms of these primitives, so their byte layout is the
// layout of the files: little-endian 32-bit integers, IEEE single floats,
// single bytes, fixed-length byte fields, counted texts (a 32-bit length that
// counts the terminating zero, then the bytes; 0 and nothing for an empty
// text) and float-pair lists (a 32-bit count, then x, y per pair).
//
// Reads never trust the file. Three sticky conditions tell a reader what went
// wrong, and BinaryFileReadFailed joins them for the check after the last
// section:
//   BinaryFileHasError     the device failed a read or a write (also a flush
//                          or close that failed, e.g. a full disk);
//   BinaryFileShortRead    a read found fewer bytes than asked: the file is
//                          truncated (the destination keeps its old value);
//   BinaryFileRefusedCount a stored count or text length was impossible
//                          (negative, larger than the destination's room or
//                          than the bytes left, or a text without its zero);
//                          nothing was read for it and the destination is
//                          left empty.
// End of file alone sets none of them. A reader of a format that holds only
// finite numbers (the model file) asks for them with BinaryFileRequireFinite
// after opening: every float read that is not finite is then read as 0 and
// remembered with its position (BinaryFileNonFiniteAt), for the reader to
// refuse the file once it has read it. A BinaryFile is used by one thread at
// a time; it is a move-only value that closes its stream when it goes away.
//
// A recorder (BinaryFileOpenRecorder) writes to no device: it keeps every
// value a writer gives it, one by one, with the place in the file it would
// start at, so that what a format's writer stores of two records can be
// compared value by value. A checker (BinaryFileOpenCheck) writes to no
// device either: it holds every float a writer gives it to a rule and keeps
// the first that breaks it, with the record the writer was writing
// (BinaryFileEnterRecord), so that a check of a model is the walk of its
// writer, which no field escapes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

struct FloatPair {
  float x = 0.0f;
  float y = 0.0f;
};

// One value a writer gave a recorder: each int, float or byte (an array's
// one by one), a text (fixed or counted), a run of raw bytes as it was
// written, a float-pair list whole.
struct BinaryFileValue {
  enum Kind : std::uint8_t { kInt, kFloat, kByte, kText, kBytes, kPairs };
  Kind kind = kInt;
  std::int32_t integer = 0;  // kInt, kByte
  float real = 0.0f;         // kFloat
  std::string bytes;         // kText (without its zero), kBytes
  std::vector<FloatPair> pairs;
  std::int64_t at = 0;       // the place of its first byte in the file
};

// The first float a checker found that breaks its rule, and where: the
// record the writer was in, the record's number in its section (0 for the
// section's own fields), the values before it in the record (counted as a
// recorder keeps them) and, in a float-pair list, the pair and its half.
struct BinaryFileFault {
  bool found = false;
  const char* record = "";
  std::int32_t number = 0;
  std::size_t field = 0;
  std::int32_t pair = -1;  // -1: a float of its own; else the pair, 0 up
  bool ordinate = false;   // the pair's second float
  float value = 0.0f;
};

struct BinaryFileCloser {
  void operator()(std::FILE* stream) const;
};

struct BinaryFile {
  std::unique_ptr<std::FILE, BinaryFileCloser> stream;
  std::int64_t size = -1;       // bytes in a file opened for reading; -1 unknown
  bool failed = false;          // a device error seen, kept past the close
  bool shortRead = false;
  bool refusedCount = false;
  bool finiteOnly = false;         // floats must be finite (asked by the reader)
  std::int64_t nonFiniteAt = -1;   // position of the first float that was not
  // The first text a writer refused as longer than its field holds, and the
  // characters the field holds, for the writer to say what failed.
  std::string overlongText;
  std::size_t overlongRoom = 0;
  std::vector<BinaryFileValue>* recorded = nullptr;  // a recorder's values
  // A recorder or a checker: the bytes a file would hold so far.
  std::int64_t counted = 0;
  // A checker: the rule (null for any other stream), the writer's place
  // and the first float that broke the rule.
  bool (*acceptable)(float value) = nullptr;
  const char* record = "";
  std::int32_t recordNumber = 0;
  std::size_t recordValues = 0;
  BinaryFileFault fault;
};

// Opening and closing. Opening resets the three conditions.
bool BinaryFileOpenRead(BinaryFile& file, const std::string& path);
bool BinaryFileOpenWrite(BinaryFile& file, const std::string& path);
// A new, empty file open for writing and reading back what was written (a
// seek must come between a write and a read, and between a read and a write).
bool BinaryFileOpenUpdate(BinaryFile& file, const std::string& path);
// A recorder: every value written from now on is appended to `values`
// instead of a device (until the file is opened again).
void BinaryFileOpenRecorder(BinaryFile& file, std::vector<BinaryFileValue>& values);
// A checker: every value written from now on goes to no device; each float
// (one by one, and both of every pair of a float-pair list) is asked
// `acceptable`, and the first it refuses is kept (until the file is opened
// again). A text too long for its fixed field is refused as by a file.
void BinaryFileOpenCheck(BinaryFile& file, bool (*acceptable)(float value));
// The writer's place, for a checker to name: from here on the values are
// those of `record` number `number` (0: the section's own), counted from
// the first. BinaryFileNextRecord goes on to the next record of the same
// kind. Any other stream ignores both.
void BinaryFileEnterRecord(BinaryFile& file, const char* record, std::int32_t number = 0);
void BinaryFileNextRecord(BinaryFile& file);
const BinaryFileFault& BinaryFileFirstFault(const BinaryFile& file);
// Flushes and closes; false (and BinaryFileHasError) when the flush or close
// failed, which is where a full disk shows for a writer.
bool BinaryFileClose(BinaryFile& file);
bool BinaryFileIsOpen(const BinaryFile& file);

bool BinaryFileHasError(const BinaryFile& file);
bool BinaryFileShortRead(const BinaryFile& file);
bool BinaryFileRefusedCount(const BinaryFile& file);
bool BinaryFileReadFailed(const BinaryFile& file);  // any of the three
// From now on a float that is not finite is refused (read as 0, its position
// kept): set after opening, which clears it.
void BinaryFileRequireFinite(BinaryFile& file);
// The position of the first non-finite float refused; -1 when none was.
std::int64_t BinaryFileNonFiniteAt(const BinaryFile& file);

std::int64_t BinaryFileTell(const BinaryFile& file);  // -1 when not open
bool BinaryFileSeek(BinaryFile& file, std::int64_t position);
// Bytes between the current position and the end of a file opened for
// reading; -1 when unknown (not open, or not a regular file).
std::int64_t BinaryFileBytesLeft(const BinaryFile& file);

// Raw bytes: fixed-length texts and file headers.
void BinaryFileReadBytes(BinaryFile& file, void* buffer /* output of size n */, std::size_t n);
void BinaryFileWriteBytes(BinaryFile& file, const void* buffer /* input of size n */, std::size_t n);

void BinaryFileReadInt(BinaryFile& file, std::int32_t& out);
void BinaryFileWriteInt(BinaryFile& file, std::int32_t value);
void BinaryFileReadInts(BinaryFile& file, std::int32_t* array /* output of size n */, std::size_t n);
void BinaryFileWriteInts(BinaryFile& file, const std::int32_t* array /* input of size n */, std::size_t n);

void BinaryFileReadFloat(BinaryFile& file, float& out);
// Values held as doubles are narrowed to single precision.
void BinaryFileReadFloat(BinaryFile& file, double& out);
void BinaryFileWriteFloat(BinaryFile& file, float value);
void BinaryFileReadFloats(BinaryFile& file, float* array /* output of size n */, std::size_t n);
void BinaryFileWriteFloats(BinaryFile& file, const float* array /* input of size n */, std::size_t n);

void BinaryFileReadByte(BinaryFile& file, std::uint8_t& out);
void BinaryFileReadByte(BinaryFile& file, bool& out);  // nonzero is true
void BinaryFileWriteByte(BinaryFile& file, std::uint8_t value);

// Counted text into a string: the text up to its terminating zero.
void BinaryFileReadText(BinaryFile& file, std::string& destination);
// Counted text into a byte field of the given capacity (terminator
// included); a longer stored text is refused rather than read.
void BinaryFileReadText(BinaryFile& file, char* destination /* output of size capacity */,
                        std::size_t capacity);
void BinaryFileWriteText(BinaryFile& file, const std::string& text);

// Fixed-length text of `width` bytes held in a string: the reader keeps the
// bytes up to the first zero, the writer pads with zeros. A text that does
// not fit with its zero is not written: false, and the stream is marked as
// failed, since a file that silently lost the end of a name is worse than
// none; the first such text is kept (BinaryFileRefuseOverlongText).
void BinaryFileReadFixedText(BinaryFile& file, std::string& destination, std::size_t width);
bool BinaryFileWriteFixedText(BinaryFile& file, const std::string& text, std::size_t width);
// Marks the stream as failed for `text`, longer than the `room` characters
// its field holds, and keeps the first such text.
void BinaryFileRefuseOverlongText(BinaryFile& file, const std::string& text, std::size_t room);

void BinaryFileReadFloatPairs(BinaryFile& file, std::vector<FloatPair>& list);
void BinaryFileWriteFloatPairs(BinaryFile& file, const std::vector<FloatPair>& list);

// Fields of older format versions that are no longer kept.
void BinaryFileSkipByte(BinaryFile& file);
void BinaryFileSkipFloat(BinaryFile& file);
void BinaryFileSkipInt(BinaryFile& file);
