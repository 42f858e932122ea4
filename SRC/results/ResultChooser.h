// The result chooser: the list of result tables that the current results
// offer, built once after the results are read, in a fixed order, each
// entry under its condition; and "&Results..." (command 174, posted when
// results open), the dialog in which the user picks one. The same list
// drives Next and Previous Result (Tab and Shift+Tab).
//
// An entry is offered only when its table exists and has something to show:
// the tables that later work builds (reports, modal and dynamic results)
// are not offered yet, and "&Support loads" and "&Element forces"
// are offered only when a support kind or a force kind is, so no entry
// opens nothing. The template for n entries is "RESULTS3_DIALOG" to
// "RESULTS18_DIALOG"; the last holds a radio for every entry the list can
// have.
#pragma once

#include <string>

#include "platform/Types.h"

struct Model;

// Builds the list (and clears the table shown).
void BuildResultChooserList(const Model& model);
// The template for a list of `entries`.
std::string ResultChooserTemplateName(int entries);
// The dialog over `owner`; a chosen entry opens. Nothing in batch mode.
void ChooseResultTable(HWND owner);
