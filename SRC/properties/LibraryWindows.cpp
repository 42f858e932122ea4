// The library windows' shared behaviour; see LibraryWindows.h.
#include "properties/LibraryWindows.h"

#include "platform/Dialog.h"
#include "platform/Window.h"
#include "services/FramePlacements.h"
#include "services/Frame.h"
#include "services/General.h"
#include "services/Message.h"
#include "services/ProgramContext.h"
#include "services/TableWindow.h"

WINDOWPLACEMENT& LibraryWindowPlacement(WINDOWPLACEMENT& placement) {
  if (placement.length == 0)
    InitWindowPlacement(placement, LibraryWindowRect.left, LibraryWindowRect.top, LibraryWindowRect.right,
                        LibraryWindowRect.bottom);
  return placement;
}

void ShowMainWindowAgain() {
  if (HWND main = MainFrame().window) {
    ShowWindow(main, SW_SHOW);
    SetForegroundWindow(main);
    ActiveWindow = main;
    ActiveAccelerators = MainAccelerators;
  }
}

int QuerySaveLibrary(HWND owner, bool modified, const std::string& path, bool (*save)(HWND), bool (*saveAs)(HWND)) {
  if (!modified) return IDNO;
  std::string name = FileNameOf(path);
  if (name.empty()) name = "Untitled";
  const int answer = AskSaveChanges(owner, name);
  if (answer != IDYES) return answer;
  const bool saved = path.empty() ? saveAs(owner) : save(owner);
  return saved ? IDYES : IDCANCEL;
}

bool WriteLibraryShowingFault(HWND owner, const std::function<void()>& write) {
  try {
    write();
  } catch (const std::string& message) {
    ShowErrorMessage(owner, message);
    return false;
  }
  return true;
}

bool LeaveLibraryWindow(HWND owner, bool open, TableWindow& table, int (*querySave)(HWND), void (*close)()) {
  if (!open) return true;
  if (TableCommitEdit(table)) return false;
  if (querySave(owner) == IDCANCEL) return false;
  close();
  return true;
}

void ExitFromLibrary(HWND window, bool (*leave)(HWND)) {
  if (leave(window) && MainFrame().window != nullptr) PostMessage(MainFrame().window, WM_CLOSE, 0, 0);
}
