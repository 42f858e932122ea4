// The local-axes display of the element force and stress tables: the axes
// of the current row's element drawn at its start node over the graphics
// (the LCS triad of model/LcsTriad.h), switched by the View item and the
// popup item "&Show LCS" / "&Hide LCS" (327). The frames are those the
// analysis used (ComputeElementEndFrames), so nothing of the model changes.
// The table that offers the item keeps it while it is shown and takes the
// axes away when it closes.
#pragma once

#include <string>

// The frame of the element (index into the results' element list) for the
// display; a shown triad moves to it. 0 leaves the triad as it is.
void StoreElementLcs(int element);
// Switches the display for the element and makes the View item's text
// follow it.
void ToggleElementLcs(int element);
// The View or popup item's text for the display's state.
std::string ElementLcsMenuText();
// The table opens with (closes without) the View item; closing erases
// the axes.
void AddElementLcsItem();
void CloseElementLcs();
