// The List frame borrowed by an evaluation tool (see EvaluationFrame.h).
#include "evaluations/EvaluationFrame.h"

#include <cstdint>

#include "platform/Toolbar.h"
#include "platform/Window.h"
#include "services/Frame.h"
#include "services/FrameWindow.h"
#include "services/General.h"
#include "services/ListFrameState.h"
#include "services/ProgramContext.h"

namespace {

constexpr int kSmallToolbar = 103;
constexpr int kLargeToolbar = 104;
constexpr int kToolbarImages = 43;
constexpr int kImageNew = 0, kImageOpen = 1, kImageSave = 2, kImagePrint = 3;

// What the List frame had before the tool took it beyond what
// TakeListFrame keeps (its accelerators and toolbars), and the tool's own
// toolbars, made when it takes the frame and destroyed when it gives it
// back.
struct BorrowedFrame {
  TakenListFrame taken;
  HACCEL accelerators = nullptr;
  HWND smallToolbar = nullptr, largeToolbar = nullptr;
  HWND toolSmall = nullptr, toolLarge = nullptr;
};

BorrowedFrame& Borrowed() {
  static BorrowedFrame borrowed;
  return borrowed;
}

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

HWND CreateToolbar(HWND window, int id, int strip, int cell) {
  TBBUTTON buttons[] = {
      {kImageNew, 101, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
      {kImageOpen, 102, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
      {kImageSave, 104, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
      {0, 0, TBSTATE_ENABLED, TBSTYLE_SEP, {}, 0, 0},
      {kImagePrint, 106, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
  };
  return CreateFrameToolbar(window, id, strip, cell, buttons, sizeof buttons / sizeof buttons[0], kToolbarImages);
}

}  // namespace

void SetEvaluationDocumentPath(EvaluationDocumentPath& document, const std::string& path) {
  document.path = path;
  std::size_t name = path.size();
  while (name > 0 && !IsSeparator(path[name - 1])) --name;
  document.folder = path.substr(0, name);
  if (path.empty()) {
    document.title = "Untitled";
    document.reportName.clear();
    return;
  }
  document.title = path.substr(name);
  if (!document.folder.empty()) AppendFolderInParens(document.title, document.folder);
  const std::size_t dot = path.find_last_of('.');
  document.reportName = (dot == std::string::npos || dot < name ? path : path.substr(0, dot)) + ".txt";
}

void TakeListFrameForEvaluation(const EvaluationFrameTool& tool) {
  Frame& frame = ListFrame();
  BorrowedFrame& borrowed = Borrowed();
  if (frame.window == nullptr || borrowed.taken.open) return;
  WINDOWPLACEMENT placement = FramePlacement(tool.placement);
  if (placement.length == 0) placement = frame.Placement();  // never placed: where the List window is
  borrowed.accelerators = frame.accelerators;
  borrowed.smallToolbar = frame.smallToolbar;
  borrowed.largeToolbar = frame.largeToolbar;
  TakeListFrame(borrowed.taken, tool.menu, tool.accelerators, *tool.hook, placement);
  frame.accelerators = borrowed.taken.accelerators;
  ActiveAccelerators = borrowed.taken.accelerators;
  ActiveWindow = frame.window;
  borrowed.toolSmall = CreateToolbar(frame.window, kSmallToolbar, 1801, 16);
  borrowed.toolLarge = CreateToolbar(frame.window, kLargeToolbar, 1802, 32);
  FrameSetToolbars(frame, borrowed.toolSmall, borrowed.toolLarge);
  FrameShow(frame);
}

void GiveBackListFrameFromEvaluation(const EvaluationFrameTool& tool) {
  Frame& frame = ListFrame();
  BorrowedFrame& borrowed = Borrowed();
  if (!borrowed.taken.open) return;
  ReleaseListFrame(borrowed.taken, FramePlacement(tool.placement));
  if (frame.window != nullptr && IsWindow(frame.window)) {
    SetWindowText(frame.window, ProgramTitle.c_str());
    frame.accelerators = borrowed.accelerators;
    FrameSetToolbars(frame, borrowed.smallToolbar, borrowed.largeToolbar);
    for (HWND toolbar : {borrowed.toolSmall, borrowed.toolLarge})
      if (toolbar != nullptr && IsWindow(toolbar)) DestroyWindow(toolbar);
  }
  borrowed = BorrowedFrame{};
  ActiveWindow = MainFrame().window;
  ActiveAccelerators = MainAccelerators;
}

std::string EvaluationToolTipText(int commandId) {
  switch (commandId) {
    case 101: return "New";
    case 102: return "Open";
    case 104: return "Save";
    case 106: return "Print";
    default: return "Unknown";
  }
}
