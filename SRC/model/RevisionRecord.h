// The model's revision-control table: one row per revision with its mark,
// date and remarks, edited in the "Revision Record" dialog (a later piece of
// work), printed with the model data and stored in the model file after the
// Quality Assurance Block (files of version above 720).
//
// Rows 1 .. count are in use, at most 160. In the file each row is 84 bytes:
// the mark in 4 bytes, the date in 20 and the remarks in 60, each zero-padded
// and allowed to fill its field (the terminator comes from the zeroed table).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct BinaryFile;

constexpr int kMaxRevisionRows = 160;
constexpr int kRevisionMarkWidth = 4;
constexpr int kRevisionDateWidth = 20;
constexpr int kRevisionRemarksWidth = 60;

struct RevisionRow {
  std::string rev;      // at most 4 characters
  std::string revDate;  // at most 20
  std::string remarks;  // at most 60
};

struct RevisionRecord {
  std::vector<RevisionRow> rows = std::vector<RevisionRow>(1);  // [0] unused; 1 .. count
  int count = 0;
  bool changed = false;  // unsaved edits made in the dialog
};

void ClearRevisionRecord(RevisionRecord& record);

// Appends an empty row; throws "Maximum number of revision control rows
// exceeded" at 160 rows.
void AppendRevisionRow(RevisionRecord& record);

// The model-file section. A count above 160, or fields that do not fit, are a
// damaged file: the message is thrown and `record` is left as it was.
void ReadRevisionRecord(BinaryFile& file, RevisionRecord& record);
void WriteRevisionRecord(BinaryFile& file, const RevisionRecord& record);
// A merged model's section is read and discarded.
void ReadMergeRevisionRecord(BinaryFile& file);
