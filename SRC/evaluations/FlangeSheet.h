// The "Flange Qualification" property sheet (the tool's Edit command): three
// pages, "Flange Details" (FLANGE_DATA_DIALOG), "Bolt and Gasket Details"
// (BOLT_GASK_DATA_DIALOG) and "Load Data" (LOAD_DATA_DIALOG), always opening
// on the first, with no Apply button.
//
// The pages work on an edit copy of the document's data: each fills its
// fields from the copy when it is made and reads them back into it when it
// is left, refusing to be left on a bad field (the field's message, the
// focus on it; fields read before it keep their new values in the copy).
// OK stores each value of the copy that differs from the document's
// (integers by inequality, floats by more than 1e-5) and marks the document
// modified; a changed document is no longer analysed. Cancel stores
// nothing. FlangePages.cpp holds the first two pages, FlangeSheet.cpp the
// sheet, the load page and the commit.
#pragma once

#include <string>

#include "evaluations/FlangeModel.h"
#include "platform/Types.h"

// The sheet's edit copy.
FlangeQualificationData& FlangeEditCopy();

// Runs the sheet over `owner`; true when it was closed with OK and changed
// the document.
bool FlangeQualificationSheet(HWND owner);
// Stores the values of `edited` that differ from the document's; true when
// any did (the document is then modified and not analysed).
bool StoreFlangeEdits(const FlangeQualificationData& edited);

INT_PTR FlangeDataPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR BoltGasketPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR LoadDataPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// What the pages share: the answer to a notification (the page refuses to
// be left with TRUE), and a value's text without the blanks a formatter
// pads it with.
INT_PTR FlangePageAnswer(HWND page, bool refuse);
std::string FlangeFieldText(const char* formatted);
