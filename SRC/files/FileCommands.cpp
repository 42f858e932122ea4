// Stand-ins of the file commands (see FileCommands.h): they refuse in a
// message and leave the model as it is.
#include "files/FileCommands.h"

#include "shell/Message.h"
#include "shell/StandIn.h"

STAND_IN("the file commands: opening, importing and closing models");

namespace {

void Refuse(HWND owner, const std::string& what) { ShowInfoMessage(owner, what + " is not available yet."); }

}  // namespace

bool OpenStartupFile(HWND mainWindow, const std::string& name) {
  if (name.empty()) return false;
  Refuse(mainWindow, "Opening files");
  return false;
}

void ImportBatchFileFromCommandLine(HWND mainWindow, const std::string& name) {
  if (name.empty()) return;
  Refuse(mainWindow, "Importing batch files");
}

void OpenSampleModelFirstRun(HWND) {}

void OpenModelDialog(HWND owner) { Refuse(owner, "Opening models"); }
void OpenResultsDialog(HWND owner) { Refuse(owner, "Opening results"); }
void ImportModel(HWND owner) { Refuse(owner, "Importing models"); }
void CloseModel() {}
