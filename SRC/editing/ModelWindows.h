// Bringing the model's windows up after the open model was replaced (a file
// opened, a new model, an undo or redo) and putting them away when the model
// is closed. The Layout window owns its table; these only show or hide its
// frame, open the Layout table at the model's stored current and first rows,
// reopen the List window on the list the model was saved with (or refresh
// the list shown), bring the graphics window up with the model's view and
// put the pointer at the centre of the Layout's table window, or hide them.
// Without windows (a test that drives the model alone) they do nothing.
#pragma once

void ShowModelWindows();
void HideModelWindows();
// The pointer to the centre of the Layout's client, its table window, where
// the user works next (after a model was shown or merged); nothing while
// that window is not shown.
void PointerToLayoutCentre();

struct Model;
// Whether the property table behind a Misc menu entry (materials 188,
// sections 189, pipe loads 190, beam materials 307, beam sections 308, beam
// loads 309, pumps 193, compressors 194, turbines 195, spectra 251) has
// records. While results are shown the model is read-only, and an entry
// whose table is empty has nothing to show: it stays grayed.
bool MiscTableHasRecords(const Model& model, int command);
