// Refining the layout: Edit > Refine Nodal Mesh (REFINE_LAYOUT) splits the
// rows of buried piping next to bends and branches into pieces of twice the
// pipe's diameter over the zone where the soil bends the pipe, or every
// pipe and bend of the layout into pieces of the mass point spacing of a
// modelling frequency; Edit > Refine Branches for B31J puts a node half a
// branch diameter away from every branch point. Each split is SplitRow's.
//
// A refinement is one undo step and leaves none when it split nothing. A
// row whose piece length is not a positive finite number (no section, no
// modulus, a frequency of 0 or less) is left whole. Reaching 7000 rows or
// the node table's limit, or a row whose weight cannot be worked out, ends
// the refinement with its message and keeps the rows split so far. After a
// refinement that split something the renumbering of every node is offered.
#pragma once

#include <string>

#include "platform/Types.h"

struct Model;
struct Material;
struct PipeSection;

// Pound per inch of the row's pipe (metal for the kinds that have it,
// insulation, lining, contents, the load's additional weight); throws the
// row's message for a lining thicker than the wall, a core wider than its
// jacket, or a negative internal area.
double RowWeightPerLength(const Model& model, int row, const PipeSection& section, const Material& material);
// The mass point spacing of the row for `frequency` Hz; 0 when it cannot be
// worked out.
double MassPointSpacing(const Model& model, int row, const PipeSection& section, const Material& material,
                        double frequency);
// The length of the zone next to a bend or branch of a buried row; 0 when
// the row is not buried.
double BuriedRefineLength(const Model& model, int row);
// The section (record number) of largest outside diameter among the rows
// ending at the node; 0 when none.
int LargestSectionAtNode(const Model& model, int nodeIndex);

// The two passes of a refinement without questions: whether rows were
// split, and the message that stopped it part way (empty when none).
struct RefineOutcome {
  bool refined = false;
  std::string stop;
};
RefineOutcome RefineMassPoints(Model& model, double frequency);
RefineOutcome RefineBuriedRows(Model& model);

// The refinements over `model`; true when rows were split. Messages and
// the questions go to `owner`; a refinement that cannot begin (no soil, no
// frequency above 0) throws its message.
bool RefineNodalMesh(Model& model, double frequency, HWND owner);
bool RefineBuriedLayout(Model& model, HWND owner);
bool RefineBranchesForB31J(Model& model, HWND owner);

// The dialog: false on Cancel; `buried` and `frequency` as chosen.
bool RefineLayoutDialog(HWND owner, bool& buried, double& frequency);
