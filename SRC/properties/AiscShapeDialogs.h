// Choosing a shape from the AISC table: the family chooser
// AISC_SECTIONS_DIALOG ("AISC Sections", the last family chosen remembered
// while the program runs, W at first; the double angles are not offered),
// then the family's shape dialog (W_DIALOG ... P_DIALOG: one radio button
// per nominal-size group, disabled for a group without shapes, and the
// list of the checked group's shapes). Each family remembers its last
// group and each group its last shape while the program runs. The chosen
// shape is copied into the work record: its designation as the
// description and the eight values, no name.
#pragma once

#include "platform/Types.h"

struct BeamSection;

// True when a shape was chosen; it is then in AiscWorkRecord().
bool AiscShapeFamilyDialog(HWND parent);
const BeamSection& AiscWorkRecord();

// The shape dialog of family `family` (1..13) alone; true when a shape was
// chosen (into the work record).
bool AiscShapeTableSelect(HWND parent, int family);

INT_PTR AiscFamilyDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR AiscShapeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Forgets the remembered family, groups and shapes (a test's fresh start).
void ResetAiscShapeChoices();
