// The "Analysis Options" property sheet (the Layout window's Options >
// Analysis..., command 259) and the piping-code list every code combo box,
// table and report uses.
//
// The sheet has five pages, Code, Temperature, Pressure, Dynamics and Misc
// (OPTIONS_CODE_DIALOG ... OPTIONS_MISC_DIALOG). They edit a working copy of
// the model's AnalysisOptions; a page validates when it is left and stays
// active on an error; only OK commits the copy, field by field, with what a
// change brings: a new piping code brings the code-dependent model data in
// line, a new thermal-load count fills the not-given pipe-load values and
// clears the load cases that need temperatures beyond it, a new vertical
// axis offers to turn the layout and refits the view. The pages show and
// hide their controls by the code chosen on the Code page; while results are
// shown every page is read-only. The sheet reopens on the page shown last.
//
// The pages are AnalysisOptionsPages.cpp; this file holds the sheet, the
// working copy and the commit. Start reading at AnalysisOptionsSheet.
#pragma once

#include <cstdint>

#include "model/UndoFiles.h"
#include "platform/Types.h"
#include "records/AnalysisOptions.h"

struct Model;


// The working copy of the sheet.
struct OptionsWorkCopy {
  AnalysisOptions options;
  std::int32_t lastHandledCode = -1;     // the code the Code page laid itself out for
  std::uint8_t rememberedModulus = 1;    // the modulus choice of the codes that leave it free
};
OptionsWorkCopy& TheOptionsWorkCopy();
// The page the sheet opens on (0 Code .. 4 Misc): the page shown last.
int& OptionsStartPage();

// Commits the working copy into the model's options (the sheet's OK); the
// model is marked modified when a field changed, and the answer is whether
// one did. `owner` owns the question about turning the layout.
bool ConfirmAnalysisOptions(Model& model, const AnalysisOptions& work, HWND owner);

// Runs the sheet over `parent`; true when it was closed with OK. `snapshot`
// is the undo snapshot taken before it, discarded unless the sheet changed
// the options.
bool AnalysisOptionsSheet(HWND parent, SnapshotToken snapshot);
// The Layout command: snapshot, sheet, and the load-case list rebuilt.
void AnalysisOptionsCommand(HWND parent);

// The page procedures.
INT_PTR CodePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR TemperaturePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR PressurePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR DynamicsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR MiscPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
