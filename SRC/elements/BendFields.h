// The field rules the bend family's dialogs share (the bend, the miter and
// the jacketed bend): the pipe section a bend row takes its sizes from, and
// the readers of a bend thickness, a flexibility factor, a SIF and an
// intermediate node with its angle. Each reads the dialog item through the
// helper (so an error puts the focus back on it) and throws the field's
// message.
#pragma once

#include <cstdint>
#include <string>

struct DialogHelper;
struct PipeSection;

// The row's pipe section: its own name, else the nearest earlier pipe
// row's; null when none names a section.
const PipeSection* BendRowSection(int row);
// A wall typed for the bend: a dimension, at most half the section's
// diameter ("Thickness is greater than section radius"); empty is 0.
float ReadBendThickness(DialogHelper& helper, int item, const PipeSection* section);
// A factor: empty is computed (-1); a given one is above 0.
float ReadBendFlexibilityFactor(DialogHelper& helper, int item);
// With "Use B31J" a bend has one flexibility factor in and out of plane:
// throws "Inplane FF should be equal to Outplane FF" when the two differ.
// The dialog and the Bends list's cells ask it alike.
void CheckBendFactorsAgree(float inPlane, float outPlane);
// A SIF: empty is 0 (not given); a given one is at least 1.0 ("SIF value
// is less than 1.00") and is stored as at least 1.0001.
float ReadBendSif(DialogHelper& helper, int item);
// An intermediate node of the arc (a number without suffix that no other
// row makes, not the row's own node) and its angle from the near point
// (required with the node, at least 0.08 rad); both 0 when the node field
// is empty.
void ReadBendNode(DialogHelper& helper, int nodeItem, int angleItem, int row, std::int32_t& node, float& angle);
// The factor's text: "%.5G", empty when computed.
std::string BendFactorText(float value);
