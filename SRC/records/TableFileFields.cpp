// Shared field readers of the table and list sections; see the header.
#include "records/TableFileFields.h"

#include <cstdio>

#include "services/BinaryFile.h"

std::size_t ShortNameWidth(int version) { return version < 680 ? 4 : 6; }

void ThrowDamagedSection(const char* section, const std::string& detail) {
  throw std::string("The file is damaged.\n") + section + ": " + detail;
}

void CheckSectionRead(const BinaryFile& file, const char* section) {
  if (BinaryFileHasError(file)) ThrowDamagedSection(section, "the file could not be read");
  if (BinaryFileRefusedCount(file)) ThrowDamagedSection(section, "a count or text is impossible");
  if (BinaryFileShortRead(file)) ThrowDamagedSection(section, "the file ends early");
}

std::int32_t ReadSectionCount(BinaryFile& file, const char* section, std::int64_t limit,
                              std::int64_t minimumRecordBytes) {
  std::int32_t count = 0;
  BinaryFileReadInt(file, count);
  CheckSectionRead(file, section);
  char detail[64];
  std::snprintf(detail, sizeof detail, "count = %d", static_cast<int>(count));
  if (count < 0 || count > limit) ThrowDamagedSection(section, detail);
  const std::int64_t left = BinaryFileBytesLeft(file);
  if (left >= 0 && static_cast<std::int64_t>(count) * minimumRecordBytes > left)
    ThrowDamagedSection(section, std::string(detail) + ", more than the file holds");
  return count;
}

void ReadFixedField(BinaryFile& file, std::string& text, std::size_t width, std::size_t room,
                    const char* section) {
  std::string read;
  BinaryFileReadFixedText(file, read, width);
  CheckSectionRead(file, section);
  if (read.size() >= room) ThrowDamagedSection(section, "a text without its terminator");
  text = read;
}

void WriteFixedField(BinaryFile& file, const std::string& text, std::size_t width) {
  BinaryFileWriteFixedText(file, text, width);
}

void WriteSectionCount(BinaryFile& file, std::int32_t count) { BinaryFileWriteInt(file, count); }
