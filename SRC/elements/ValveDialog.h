// VALVE_DIALOG, the valve's edit dialog (see ValveDialog.cpp), and the rules
// the dialog and the Valves list share: the multipliers' texts and limits
// and what a given valve length does to the row's offsets.
#pragma once

#include <string>

#include "platform/Types.h"

struct Model;

INT_PTR ValveDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The thickness multiplier in `width` characters: 2 decimals below 99, 1
// below 999, else none; the insulation multiplier always with 2.
std::string ValveThicknessText(float value, int width);
std::string ValveInsulationText(float value, int width);
// A multiplier typed into a field or cell: empty reads as `empty` (3.0 or
// 1.75), below 0.01 is refused with the label's invalid message.
float ParseValveMultiplier(const char* empty, const char* label);

// A non-zero valve length on `row` sets the row's DX, DY, DZ to the length
// along the valve: from its start node to its end node when they are
// apart, else along the element before it, else along X. False when the
// length is 0 (the offsets stand).
bool SetOffsetsFromValveLength(Model& model, int row, float length);
