// How the materials, sections and soils lists join the List window: their
// entries "&Materials" and "&Sections" in the list menu (offered always) and
// "&Soils" (offered when the model has soils; Misc > Soils opens it even
// when empty, so the first soil can be entered), the List
// frame's commands on them (show the list, Copy, Paste, Export, and
// "&Library...", which copies a material of the material library into the
// current material) and the Layout window's list commands, which on a Beam
// row belong to the beam tables instead.
#pragma once

#include "platform/Types.h"

void RegisterPropertyLists();
// The List frame's command `id` when it concerns these lists; false when it
// is someone else's.
bool PropertyListCommand(HWND window, int id);
// Copy is offered while one of these lists is shown, Paste while a copy of
// its kind is held.
bool PropertyListCanCopy();
bool PropertyListCanPaste();
// The Layout window's 188 (materials), 189 (sections) and 354 (soils);
// false for 188 and 189 on a Beam row (the beam tables' commands) and for
// other ids.
bool LayoutPropertyListCommand(int id);
