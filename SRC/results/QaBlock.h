// The Quality Assurance block: client, project, file number, report
// number, prepared by and checked by, kept with the model (and its file),
// edited in "QA_BLOCK_DIALOG" (command 316 of the Layout and Results
// windows; read-only while results are shown) and printed as the cover
// page of a model report on whichever report road is current.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Types.h"

// The dialog over `owner`: 1 when something was stored.
int QaBlockDialog(HWND owner);
INT_PTR QaBlockDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The cover page: the text page (a page of its own), the CSV lines, or the
// printer page.
void PrintQaBlock();
// "Analyzed": the results file's time as the 24-character local time text
// ("Mon Dec  7 09:42:08 2026"); empty without results.
std::string AnalyzedTimeText(std::int64_t secondsSinceEpoch);
