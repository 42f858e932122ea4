// The displacement results and the element force results each come as a
// family of tables, one per kind of item. The result chooser offers one
// entry per family; within a family "&Other displacements..." / "&Other
// forces..." (F6, command 287) choose the kind, and Next and Previous
// (Ctrl+Right, Ctrl+Left: 330, 331) step through the kinds, wrapping. Both
// families follow one pattern: a list of kinds built after the results are
// read, each with its name and table opener; the kind opened last, which
// each kind's table records when it opens.
//
// Displacements: "&All" (when there are result nodes), "&Min / Max"
// (always), then "&Ball joints", "&Flex joints", "&Guides", "&Hangers" and
// "&Limit stops" when the model has such items. Forces: "&Pipes" (when
// there are stress elements), "&Beams" (when there are beam elements),
// "&FRP" (FRP elements) and "&Other" (valves, joints, rigid and elastic
// elements, tie rods).
#pragma once

#include <string>
#include <vector>

#include "platform/Types.h"
#include "resultsfile/ResultNavigation.h"

struct Model;

struct ResultKind {
  std::string name;
  ResultOpener opener = nullptr;
};

struct ResultFamily {
  std::vector<ResultKind> kinds;
  ResultOpener last = nullptr;  // the kind opened last
  std::string caption;          // "Other Displacements" / "Other Forces"
};

ResultFamily& DisplacementFamily();
ResultFamily& ForceFamily();

void BuildOtherDisplacementsList(const Model& model);
void BuildOtherForcesList(const Model& model);
// The kind's index (1-based) of the one opened last; 1 when none.
int FamilyKindIndex(const ResultFamily& family);
// Each kind's table calls this when it opens: the kind becomes the one
// opened last and the family's opener the table to reopen, so the chooser,
// Next Result and a reopen after a case change all find the family.
void EnterDisplacementKind(ResultOpener kind);
void EnterForceKind(ResultOpener kind);

// The family openers (the chooser entries "&Displacements", "&Element forces").
void OpenChosenDisplacementsTable();
void OpenOtherForcesTable();
void ChooseOtherDisplacements(HWND owner);
void ChooseOtherForces(HWND owner);
void NextDisplacementKind();
void PreviousDisplacementKind();
void NextForceKind();
void PreviousForceKind();
// More than one force kind: F6, Ctrl+Right and Ctrl+Left act on the forces.
bool MultipleForceKinds();
