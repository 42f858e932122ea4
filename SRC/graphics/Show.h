// What the picture shows: the Show dialog (which symbols and labels are
// drawn), the Show Node Numbers dialog (at which items node numbers stand)
// and the F3 toggle of node dots and numbers. Both dialogs use the template
// "SHOW_33_DIALOG": 33 check boxes in three columns of 11, of which the
// dialog shows one per entry of its list, laid out in columns of equal
// length, with its buttons placed below the last used row.
//
// They run on the graphics thread over the graphics frame and change the
// drawn copy's settings at once; each change is also handed to the model
// that the GUI thread owns (PostGuiWork), so that it survives the next copy
// and reaches the saved file. The lists are built from the drawn copy's
// row lists, which the GUI thread regenerated; nothing regenerates here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Types.h"

struct Model;

struct ShowEntry {
  std::string label;
  std::uint8_t* flag = nullptr;  // in the drawn model's settings
  int kind = -1;                 // the node-number kind, or -1
  bool renderOnly = false;       // a render-mode entry (dots, node numbers)
  bool localAxes = false;
};

// The Show list of a model, in the line or the render picture.
std::vector<ShowEntry> ShowOptionsList(Model& model, bool rendered);
// The node-number list of a model (33 entries at most).
std::vector<ShowEntry> NodeNumberList(Model& model);
// The check box of entry `index` (from 0) of `count` entries.
int ShowBoxId(int index, int count);

// Builds the Show list and, when it is not empty, opens the Show dialog;
// false for an empty list. Graphics thread.
bool ShowOptionsDialog(HWND owner);
// The same with the node-number list ("Show Node Numbers at").
bool ShowNodeNumbersDialog(HWND owner);
// F3: the line picture's dots and node numbers off when either is on, else
// both on; then the Show list is applied.
void ToggleDotsAndNumbers();

// Hands the drawn copy's show and node-number flags to the GUI thread's
// model, which redraws.
void SyncShowFlagsToModel();
