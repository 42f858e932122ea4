#include "model/ListWindow.h"

#include "shell/StandIn.h"

void RegisterListWindow() { STAND_IN("the List window and its frame"); }
