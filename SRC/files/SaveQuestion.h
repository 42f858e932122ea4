// The question whether to save the changed model before the program or an
// action goes on, asked by the error paths that end the process.
#pragma once

#include "platform/Types.h"

// Whether the open model has changes that were not saved.
bool ModelHasUnsavedChanges();
// Offers to save the model and saves it on Yes; returns 6 (Yes), 7 (No) or
// 2 (Cancel, the caller's action is abandoned).
int QuerySaveModelChanges(HWND owner);
