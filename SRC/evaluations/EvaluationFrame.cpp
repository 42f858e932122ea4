// The List frame borrowed by an evaluation tool (see EvaluationFrame.h).
#include "evaluations/EvaluationFrame.h"

#include <cstdint>

#include "model/ListWindow.h"
#include "platform/Menu.h"
#include "platform/Toolbar.h"
#include "platform/Window.h"
#include "shell/Application.h"
#include "shell/Frame.h"
#include "shell/General.h"
#include "shell/MainWindow.h"
#include "shell/TableWindow.h"

namespace {

constexpr int kSmallToolbar = 103;
constexpr int kLargeToolbar = 104;
constexpr int kToolbarImages = 43;
constexpr int kImageNew = 0, kImageOpen = 1, kImageSave = 2, kImagePrint = 3;

// What the List frame had before the tool took it, and the tool's own
// menu, accelerators and toolbars, made when it takes the frame and
// destroyed when it gives it back.
struct BorrowedFrame {
  WINDOWPLACEMENT placement{};
  HMENU menu = nullptr;
  HACCEL accelerators = nullptr;
  HWND smallToolbar = nullptr, largeToolbar = nullptr;
  HMENU toolMenu = nullptr;
  HACCEL toolAccelerators = nullptr;
  HWND toolSmall = nullptr, toolLarge = nullptr;
};

BorrowedFrame& Borrowed() {
  static BorrowedFrame borrowed;
  return borrowed;
}

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

HWND CreateToolbar(HWND window, int id, int strip, int cell) {
  HWND toolbar = CreateWindowEx(0, TOOLBARCLASSNAME, nullptr, WS_CHILD | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT, 0, 0, 0, 0,
                                window, reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)), InstanceHandle,
                                nullptr);
  if (toolbar == nullptr) return nullptr;
  SendMessage(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessage(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(cell, cell));
  TBADDBITMAP bitmap{InstanceHandle, static_cast<UINT_PTR>(strip)};
  SendMessage(toolbar, TB_ADDBITMAP, kToolbarImages, reinterpret_cast<LPARAM>(&bitmap));
  TBBUTTON buttons[] = {
      {kImageNew, 101, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
      {kImageOpen, 102, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
      {kImageSave, 104, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
      {0, 0, TBSTATE_ENABLED, TBSTYLE_SEP, {}, 0, 0},
      {kImagePrint, 106, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
  };
  SendMessage(toolbar, TB_ADDBUTTONS, sizeof buttons / sizeof buttons[0], reinterpret_cast<LPARAM>(buttons));
  return toolbar;
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

std::string EvaluationDocumentName(const EvaluationDocumentPath& document) {
  return document.path.empty() ? "Untitled" : document.path.substr(document.folder.size());
}

void TakeListFrameForEvaluation(const EvaluationFrameTool& tool) {
  Frame& frame = ListFrame();
  if (frame.window == nullptr) return;
  if (MainFrame().window != nullptr) ShowWindow(MainFrame().window, SW_HIDE);
  BorrowedFrame& borrowed = Borrowed();
  borrowed.placement = frame.Placement();
  borrowed.menu = frame.menu;
  borrowed.accelerators = frame.accelerators;
  borrowed.smallToolbar = frame.smallToolbar;
  borrowed.largeToolbar = frame.largeToolbar;
  WINDOWPLACEMENT placement = FramePlacement(tool.placement);
  if (placement.length == 0) placement = borrowed.placement;  // never placed: where the List window is
  FrameSetPlacement(frame, placement);
  borrowed.toolMenu = LoadMenu(InstanceHandle, tool.menu);
  FrameSetMenu(frame, borrowed.toolMenu);
  borrowed.toolAccelerators = LoadAccelerators(InstanceHandle, tool.accelerators);
  frame.accelerators = borrowed.toolAccelerators;
  ActiveAccelerators = borrowed.toolAccelerators;
  ActiveWindow = frame.window;
  borrowed.toolSmall = CreateToolbar(frame.window, kSmallToolbar, 1801, 16);
  borrowed.toolLarge = CreateToolbar(frame.window, kLargeToolbar, 1802, 32);
  FrameSetToolbars(frame, borrowed.toolSmall, borrowed.toolLarge);
  tool.hook->accelerators = borrowed.toolAccelerators;
  SetListFrameTool(tool.hook);
  FrameShow(frame);
}

void GiveBackListFrameFromEvaluation(const EvaluationFrameTool& tool) {
  SetListFrameTool(nullptr);
  Frame& frame = ListFrame();
  BorrowedFrame& borrowed = Borrowed();
  if (frame.window != nullptr && IsWindow(frame.window)) {
    FrameRecordPlacement(frame);
    FramePlacement(tool.placement) = frame.Placement();
    if (HWND table = ListTableWindow(0)) TableWindowClose(table);
    ShowWindow(frame.window, SW_HIDE);
    SetWindowText(frame.window, ProgramTitle.c_str());
    frame.Placement() = borrowed.placement;
    WINDOWPLACEMENT hidden = borrowed.placement;
    hidden.showCmd = SW_HIDE;
    SetWindowPlacement(frame.window, &hidden);
    FrameSetMenu(frame, borrowed.menu);
    frame.accelerators = borrowed.accelerators;
    FrameSetToolbars(frame, borrowed.smallToolbar, borrowed.largeToolbar);
    for (HWND toolbar : {borrowed.toolSmall, borrowed.toolLarge})
      if (toolbar != nullptr && IsWindow(toolbar)) DestroyWindow(toolbar);
  }
  if (borrowed.toolMenu != nullptr) DestroyMenu(borrowed.toolMenu);
  if (borrowed.toolAccelerators != nullptr) DestroyAcceleratorTable(borrowed.toolAccelerators);
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
