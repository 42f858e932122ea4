// The per-kind dialogs that the Layout table's stores open: an element
// kind's dialog when a row changes to a kind that needs values only that
// dialog asks for (valves, reducers, joints ...), a data kind's dialog for
// supports and loads, and the data type picker of Location rows.
//
// The kinds' dialogs open through the kind table (elements/KindTable.h).
#include "editing/TypePickers.h"
#include "elements/KindTable.h"
#include "services/Frame.h"

bool OpenElementTypeDialog(Model& /*model*/, int row, ElementType type) {
  return RunElementKindDialog(LayoutFrame().window, row, type);
}

bool OpenDataTypeDialog(Model& /*model*/, int row, DataType type, std::int32_t subtype) {
  return RunDataKindDialog(LayoutFrame().window, row, type, subtype);
}

int PickDataType(Model& /*model*/, int row) { return RunDataTypesDialog(LayoutFrame().window, row); }
