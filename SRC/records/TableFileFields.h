// The field readers that every table and list section of the model file
// shares: record counts checked against their limit and the bytes left, fixed
// texts checked for their terminator, the short-name width of the version,
// and the one message a damaged section throws. The section readers of the
// property, load, equipment and evaluation tables are built on these, so a
// damaged or truncated file gives the same kind of message wherever it breaks:
//   "The file is damaged.\n<section>: <what was found>"
// The readers throw that text (a std::string) and never assert on file input;
// the model-file frame catches it and leaves the open model as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "records/RecordTable.h"
#include "services/BinaryFile.h"

// Room of every short name (material, section, pipe load, beam tables):
// five characters and the zero.
inline constexpr std::size_t kShortNameRoom = 6;

// Bytes a short name takes in a model file: 4 before version 680, 6 from 680.
std::size_t ShortNameWidth(int version);

[[noreturn]] void ThrowDamagedSection(const char* section, const std::string& detail);

// Throws when the stream has seen a short read, a refused count or a device
// error since it was opened: the section ended early or held an impossible
// count.
void CheckSectionRead(const BinaryFile& file, const char* section);

// Reads an int32 count of records; refuses a negative count, one above
// `limit` and one whose records (at least `minimumRecordBytes` each) cannot
// fit in the bytes left of the file.
std::int32_t ReadSectionCount(BinaryFile& file, const char* section, std::int64_t limit,
                              std::int64_t minimumRecordBytes);

// Reads a fixed text field of `width` bytes into `text`, which holds at most
// `room` - 1 characters. A field as wide as the room must end in its zero;
// a narrower one (the 4-byte names of old files) may be full.
void ReadFixedField(BinaryFile& file, std::string& text, std::size_t width, std::size_t room,
                    const char* section);

void WriteSectionCount(BinaryFile& file, std::int32_t count);

// Writes `text` zero-padded to `width` bytes; a text that does not fit marks
// the stream as failed (the writer's caller reports the failed write).
void WriteFixedField(BinaryFile& file, const std::string& text, std::size_t width);

// No table has a count limit of its own; this one only keeps an absurd count
// from being tried when the stream cannot say how many bytes are left.
inline constexpr std::int64_t kMaxTableRecords = 1000000;

// A table section: count, then records 1..count read by `readRecord(file,
// record)`. The records are read into a fresh table that replaces `table`
// only when the whole section was read, so a damaged section leaves the
// table as it was.
template <typename T, typename ReadRecord>
void ReadTableSection(BinaryFile& file, const char* section, std::int64_t minimumRecordBytes,
                      ModelRecordTable<T>& table, ReadRecord readRecord) {
  const std::int32_t count = ReadSectionCount(file, section, kMaxTableRecords, minimumRecordBytes);
  ModelRecordTable<T> fresh;
  ModelRecordTableSizeForRead(fresh, count);
  for (int index = 1; index <= count; ++index) {
    readRecord(file, fresh[index]);
    CheckSectionRead(file, section);
  }
  table = std::move(fresh);
}

// Count, then records 1..count written by `writeRecord(file, record)`.
template <typename T, typename WriteRecord>
void WriteTableSection(BinaryFile& file, const ModelRecordTable<T>& table, WriteRecord writeRecord) {
  WriteSectionCount(file, table.count);
  for (int index = 1; index <= table.count; ++index) {
    BinaryFileNextRecord(file);
    writeRecord(file, table[index]);
  }
}
