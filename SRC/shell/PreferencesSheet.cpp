#include "shell/PreferencesSheet.h"

#include "shell/Message.h"
#include "shell/StandIn.h"

void PreferencesSheet(HWND owner) {
  STAND_IN("the Preferences property sheet");
  ShowInfoMessage(owner, "The Preferences are not available yet.");
}
