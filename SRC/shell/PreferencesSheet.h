// The Preferences property sheet (backup, fonts and toolbar pages). Until it
// is built, the command says so in a message and changes nothing.
#pragma once

#include "platform/Types.h"

void PreferencesSheet(HWND owner);
