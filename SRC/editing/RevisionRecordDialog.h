// The "Revision Record" dialog and the revision record's report section.
//
// The dialog edits a copy of the model's revision table in a table window:
// three columns (mark, date, remarks), the revisions and one spare row
// below them where a new revision is typed. Its context menu inserts a row
// before the current one or deletes it. OK stores the copy in the model and
// marks the model modified when anything changed; Cancel leaves the record
// exactly as it was, whatever was typed. While results are shown the table
// is read-only and holds the revisions alone.
//
// Start at RevisionRecordDialog; the pure edits of the copy are free
// functions so they can be checked on their own.
#pragma once

#include "model/RevisionRecord.h"
#include "platform/Types.h"

// Rows from `row` move down one and `row` becomes empty; false (nothing
// changed) at 160 rows or a row past the spare one.
bool InsertRevisionRow(RevisionRecord& record, int row);
// Rows after `row` move up one; on the spare row below the revisions only
// that row is emptied (`spare`). False when nothing changed.
bool DeleteRevisionRow(RevisionRecord& record, int row, RevisionRow& spare);

// 1 when OK stored a changed record, 0 otherwise.
int RevisionRecordDialog(HWND owner);

// The report section (nothing for an empty record).
void PrintRevisionRecord();
