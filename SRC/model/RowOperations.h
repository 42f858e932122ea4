// Operations on layout rows that every editing and drawing module shares:
// finding the element rows before and after a row, the run breaks, and
// changing a row's element or data kind (which deletes the old object and
// makes the new one through the factories).
//
// Rows are given by number within a Model; row 0 is "no row". Changing a
// kind neither sets the model-modified flag nor makes the model again: the
// caller does both (RefreshAfterModelEdit), except ClearDataType, which marks
// the model modified itself.
#pragma once

#include "model/LayoutRow.h"

struct Model;
class ElementData;
class DataItem;

// The nearest earlier row (row - 1 down to 1) with a node, an element type
// other than None and Location, and an end node; 0 when none, and always 0
// for Comment and Hydrotest load rows.
int PreviousElementRow(const Model& model, int row);
// The nearest later row (up to the row count) with a node, a type other than
// Location, Comment and Hydrotest load, and an end node; 0 when none.
int NextElementRow(const Model& model, int row);

// From, Rigid, Elastic and Tie rod end a run.
bool IsRunBreakElementType(ElementType type);
bool IsRowAtRunEnd(const Model& model, int row);

// Bend, Miter and Jacketed bend rows place arc nodes.
bool IsBendElementType(ElementType type);

// The element of the nearest Bend row among rows row - 1 down to 2 (row 1 is
// not examined); null when none.
ElementData* PreviousBendData(Model& model, int row);

// Gives the row a new element kind and returns the new object. A Bend row
// carries no data item, and a new Bend takes the radius kind, radius,
// thickness, bend material and flexibility factor of the previous Bend.
ElementData* SetElementType(Model& model, int row, ElementType type);
// Gives the row a new data kind and returns the new object.
DataItem* SetDataType(Model& model, int row, DataType type);
// Removes the row's data item and marks the model modified.
void ClearDataType(Model& model, int row);
// Deletes both objects; the type codes stay.
void FreeRowObjects(LayoutRow& row);

// False without a data item and for Nozzle, Jacket end cap and Branch SIF;
// otherwise whether the item lacks its connected node.
bool ItemWithoutConnectedNode(const LayoutRow& row);

// The object operations over one row, driven by the regeneration.
void CountRowItems(LayoutRow& row);
void RegisterRowItems(LayoutRow& row, int rowNumber);
