// The list pickers: small modal dialogs (template SELECT_DIALOG) that let
// the user pick one record of a model table for the current layout row: a
// pipe material, pipe section or pipe load, a beam material, beam section or
// beam load. Every member is the same machine: a read-only table of the
// source records in a dialog with OK and Cancel, sized to its columns and to
// at most 8 rows, opened on the row's own record; a double-click picks, a
// typed character moves to the next record whose name begins with it. The
// dialog ends with the picked record number, or 0.
//
// A picker is opened only over a table with records; an empty table is a
// programming error.
#pragma once

#include <string>

#include "platform/Types.h"

// `current` is the row's name (record 1 when it names none). The section
// picker's title carries " 1" or " 2" for `which` 1 or 2.
int SelectMaterial(HWND owner, const std::string& current);
int SelectSection(HWND owner, const std::string& current, int which = 0);
int SelectPipeLoad(HWND owner, const std::string& current);
int SelectBeamMaterial(HWND owner, const std::string& current);
int SelectBeamSection(HWND owner, const std::string& current);
int SelectBeamLoad(HWND owner, const std::string& current);

// The cells of the pickers, shared with the lists they stand for.
std::string SectionPickerCell(int record, int column);  // 1 name .. 5 thickness
std::string PipeLoadPickerCell(int record, int column); // 1 name .. 10 wind
