// How the beam record lists join the List and Layout windows: the List
// menu's "&Beam loads", "&Beam materials" and "&Beam sections" (offered
// when the table has records, or while shown); the commands 307, 308 and
// 309 that show them from either window; the Layout window's 188, 189 and
// 190 on a Beam row (the beam tables instead of the pipe ones); and, while
// the beam sections list is shown, 244 (a shape of the AISC table) and 270
// (a section of the beam section library).
#pragma once

#include "platform/Types.h"

struct Model;

void RegisterBeamLists();
// The List frame's command `id` when it is one of these; false otherwise.
bool BeamListCommand(HWND window, int id);
// The Layout frame's command `id` when it is one of these; false otherwise.
bool BeamLayoutListCommand(int id);
// Whether the beam sections list is the one shown.
bool BeamSectionsListShown();

bool BeamMaterialsOffered(const Model& model);
bool BeamSectionsOffered(const Model& model);
bool BeamLoadsOffered(const Model& model);
