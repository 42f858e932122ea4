// The recent models in the File menus: the "Recent &models" popup holds one
// item (323) in the menu template; rebuilding makes it "&1 <newest path>"
// and appends "&2 ..." to "&4 ..." (324 to 326) for the further entries. The
// popup sits at position 2 of the File popup and is greyed while the list
// is empty.
#pragma once

#include "platform/Menu.h"

void RebuildRecentModelsMenu(HMENU popup);
void EnableRecentModelsMenu(HMENU filePopup);
