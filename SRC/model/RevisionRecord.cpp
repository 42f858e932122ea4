// The revision table and its model-file section.
#include "model/RevisionRecord.h"

#include <cstring>
#include <vector>

#include "records/TableFileFields.h"
#include "services/BinaryFile.h"

namespace {

constexpr const char* kSection = "Revision record";
constexpr std::int64_t kRowBytes = kRevisionMarkWidth + kRevisionDateWidth + kRevisionRemarksWidth;

// A field that may fill its whole width: the table supplies the terminator.
void WriteFullWidthField(BinaryFile& file, const std::string& text, std::size_t width) {
  std::vector<char> bytes(width, '\0');
  if (text.size() > width) {
    file.failed = true;  // a field that does not fit is a failed write, never a cut one
    return;
  }
  std::memcpy(bytes.data(), text.data(), text.size());
  BinaryFileWriteBytes(file, bytes.data(), width);
}

}  // namespace

void ClearRevisionRecord(RevisionRecord& record) { record = RevisionRecord(); }

void AppendRevisionRow(RevisionRecord& record) {
  if (record.count >= kMaxRevisionRows)
    throw std::string("Maximum number of revision control rows exceeded");
  ++record.count;
  record.rows.resize(static_cast<std::size_t>(record.count) + 1);
  record.rows[static_cast<std::size_t>(record.count)] = RevisionRow();
}

void ReadRevisionRecord(BinaryFile& file, RevisionRecord& record) {
  const std::int32_t count = ReadSectionCount(file, kSection, kMaxRevisionRows, kRowBytes);
  RevisionRecord read;
  read.rows.resize(static_cast<std::size_t>(count) + 1);
  read.count = count;
  for (std::int32_t index = 1; index <= count; ++index) {
    RevisionRow& row = read.rows[static_cast<std::size_t>(index)];
    ReadFixedField(file, row.rev, kRevisionMarkWidth, kRevisionMarkWidth + 1, kSection);
    ReadFixedField(file, row.revDate, kRevisionDateWidth, kRevisionDateWidth + 1, kSection);
    ReadFixedField(file, row.remarks, kRevisionRemarksWidth, kRevisionRemarksWidth + 1, kSection);
  }
  record = std::move(read);
}

void WriteRevisionRecord(BinaryFile& file, const RevisionRecord& record) {
  BinaryFileWriteInt(file, record.count);
  for (int index = 1; index <= record.count; ++index) {
    const RevisionRow& row = record.rows[static_cast<std::size_t>(index)];
    WriteFullWidthField(file, row.rev, kRevisionMarkWidth);
    WriteFullWidthField(file, row.revDate, kRevisionDateWidth);
    WriteFullWidthField(file, row.remarks, kRevisionRemarksWidth);
  }
}

void ReadMergeRevisionRecord(BinaryFile& file) {
  RevisionRecord discarded;
  ReadRevisionRecord(file, discarded);
}
