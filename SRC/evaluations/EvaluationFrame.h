// What the stand-alone evaluation tools (flange qualification, nozzle and
// lug evaluations) share: the List frame borrowed while a tool shows its
// report in it, and where a tool's document is kept.
//
// Taking the frame (TakeListFrame, ListWindow.h, and beyond it) hides the
// main window, keeps the frame's placement, menu, accelerators and
// toolbars, and gives it the tool's remembered placement (where the List
// window is when the tool was never placed), menu, accelerators (also the
// active table), toolbars (New, Open, Save, Print from the shared strips)
// and its ListFrameTool hook. Giving it back (ReleaseListFrame and beyond)
// remembers the tool's placement, closes the report table, hides the frame
// and puts back everything it had; the main window is then the active one.
// One tool holds the frame at a time.
#pragma once

#include <string>

#include "platform/Types.h"
#include "services/FramePlacements.h"

struct ListFrameTool;

// A tool's document file: the path (empty for an untitled document), its
// folder, the title text (the name and the folder in parentheses, or
// "Untitled") and the report text file proposed for it (the path with the
// extension "txt").
struct EvaluationDocumentPath {
  std::string path, folder, title, reportName;
};
void SetEvaluationDocumentPath(EvaluationDocumentPath& document, const std::string& path);

struct EvaluationFrameTool {
  const char* menu;          // menu template
  const char* accelerators;  // accelerator template
  FramePlacementIndex placement;
  ListFrameTool* hook;
};

// Takes the List frame for `tool` (nothing when the frame has no window);
// the caller shows its report after.
void TakeListFrameForEvaluation(const EvaluationFrameTool& tool);
// Gives the List frame back (see the head comment).
void GiveBackListFrameFromEvaluation(const EvaluationFrameTool& tool);

// The tool's toolbar tips (New, Open, Save, Print).
std::string EvaluationToolTipText(int commandId);
