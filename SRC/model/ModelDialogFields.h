// The dialog fields that name the open model's records or nodes: the combo
// boxes of its material, section and pipe-load names, and the connected
// node of a support.
#pragma once

#include <cstdint>

struct DialogHelper;

// Fills the combo box `item` with the record names (an empty first entry
// with `withEmpty`).
void DialogFillMaterialCombo(DialogHelper& helper, int item, bool withEmpty);
void DialogFillSectionCombo(DialogHelper& helper, int item, bool withEmpty);
void DialogFillPipeLoadCombo(DialogHelper& helper, int item, bool withEmpty);

// The connected node of an item for the row's own node, or 0 for an empty
// field; throws the node field's message otherwise.
std::int32_t CheckConnectedNode(DialogHelper& helper, int item, int row);
