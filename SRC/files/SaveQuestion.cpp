// The save question (see SaveQuestion.h). Until the file commands exist there
// is no way to save, so the model never counts as changed and the question
// answers No without showing anything.
#include "files/SaveQuestion.h"

#include "shell/StandIn.h"

STAND_IN("the file commands' save-changes question and saving");

bool ModelHasUnsavedChanges() { return false; }

int QuerySaveModelChanges(HWND) { return 7; }
