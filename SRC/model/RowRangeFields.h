// The From and To row fields of the range dialogs (Change, Renumber,
// Rotate): read from a dialog's edit fields with the messages every range
// dialog gives, thrown as text for the dialog to show on the field.
#pragma once

struct DialogHelper;

// From: required, a whole number from 1, not past the last row.
int ReadFromRowField(DialogHelper& helper, int item, int rowCount);
// To: an empty field gives `emptyValue` (0: the field is required); a whole
// number from 1, not below From; past the last row it stops at the last.
int ReadToRowField(DialogHelper& helper, int item, int from, int rowCount, int emptyValue);
