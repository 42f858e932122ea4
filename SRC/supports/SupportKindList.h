// The support kinds present in the results, each with its loads table: the
// "&Support loads" entry of the result chooser opens the kind chosen last
// (or the first), "&Other supports..." (F6) chooses among them in the
// OTHERn template, and Next and Previous support (Ctrl+Right, Ctrl+Left)
// step through them, wrapping. Order: anchors, guides, hangers, limit
// stops, nozzles, restraints, skewed restraints, snubbers, generic
// supports; a kind is listed once its loads table exists.
#pragma once

#include <string>
#include <vector>

#include "platform/Types.h"
#include "resultsfile/ResultNavigation.h"

struct Model;

struct SupportKindEntry {
  std::string name;  // "&Anchors"
  ResultOpener opener = nullptr;
};

void BuildSupportKindList(const Model& model);
void ForgetSupportKinds();
const std::vector<SupportKindEntry>& SupportKinds();
// The position of the kind opened last, 1 when none.
int CurrentSupportKindIndex();
// Each kind's loads table calls this when it opens.
void EnterSupportKind(ResultOpener kind);
bool MultipleSupportKinds();
void OpenSupportLoadsTable();
void ChooseOtherSupportKind(HWND owner);
void NextSupportKind();
void PreviousSupportKind();
// The support loads of the current case, every kind in report order.
void PrintSupportLoadsSection();
