// Making the model: the node table rebuilt from the layout rows in row order.
// Each row's node is made (and the derived nodes of bends and jacketed
// elements), empty property names are inherited from earlier rows, the arc
// end nodes of bends are placed once the direction of the following element
// is known, every row's node indexes are resolved, and the per-kind lists
// are regenerated (Regenerate.h).
//
// The node table holds at most 9990 nodes; a model that needs more is refused
// with the node table's message (thrown as text), never an assertion, and
// the caller keeps or restores the model it had. Rows whose node coordinates
// or bend geometry come out not finite are refused the same way, with the
// message of NonFiniteRowRefusal (RowRules.h). Until then the model keeps
// the message as its unmade reason, and no file is written from it.
#pragma once

#include "model/LayoutRow.h"

struct Model;
class ElementData;

void MakeModel(Model& model);
// After an edit of rows: the highlight is hidden, the model made again (which
// rebuilds the open model's load-case list and asks the graphics window for
// a new picture of it) and marked modified. Throws the node limit message like MakeModel.
void RefreshAfterModelEdit(Model& model);
// After an edit that gives, changes or removes a row's data item, or
// changes an element's values without moving a node: the open model's
// load-case list is rebuilt for what the model now holds (a support's
// settlement, a time-history or harmonic load decide cases) and the
// graphics window is handed the model to draw, so picture and picking never
// keep the model as it was. Nothing for any other model. The caller marks
// the model modified.
void RefreshAfterDataItemEdit(Model& model, int row);
void RefreshAfterElementValuesEdit(Model& model, int row);
void MakeRowNodes(Model& model, int row);
// Places the arc end nodes (and intermediate nodes) of the Bend, Miter or
// Jacketed bend on row `bendRow`; sets its geometry-valid flag when it could.
void BendNodesGeometry(Model& model, ElementData& element, int bendRow);

// Pipe, Bend, Miter, Jacketed pipe and bend, Valve, Reducer, Bellows, Slip
// joint, Rigid, Cut pipe and Beam rows name a material, section and load.
bool ElementTypeHasProperties(ElementType type);
// An empty name of a row with properties is copied from the nearest earlier
// non-Beam row with properties that has one (never from row 1); a row
// without properties gets the empty name.
void InheritRowMaterial(Model& model, int row);
void InheritRowSection(Model& model, int row);
void InheritRowLoad(Model& model, int row);
// The same among Beam rows only.
void InheritBeamMaterial(Model& model, int row);
void InheritBeamSection(Model& model, int row);
void InheritBeamLoad(Model& model, int row);
