// Bringing the model's windows up after the open model was replaced (a file
// opened, a new model, an undo or redo) and putting them away when the model
// is closed. The Layout window owns its table; these only show or hide its
// frame, open the Layout table at the model's stored current and first rows,
// reopen the List window on the list the model was saved with (or refresh
// the list shown), and bring the graphics window up with the model's view, or
// hide it. Without windows (a test that drives the model alone) they do nothing.
#pragma once

void ShowModelWindows();
void HideModelWindows();
