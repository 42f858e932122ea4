#include "model/NewDocument.h"

#include "shell/Message.h"
#include "shell/StandIn.h"

void NewDocumentDialog(HWND parent) {
  STAND_IN("the New chooser");
  ShowInfoMessage(parent, "Creating new documents is not available yet.");
}
