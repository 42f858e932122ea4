// The message window class ("QuorvelMessage"), registered at start-up; until
// the printing module is built the step registers nothing.
#pragma once

#include <string>

#include "platform/Types.h"

void RegisterMessageWindowClass();
