// The per-kind dialogs that the Layout table's stores open: an element
// kind's dialog when a row changes to a kind that needs values only that
// dialog asks for (valves, reducers, joints ...), a data kind's dialog for
// supports and loads, and the data type picker of Location rows.
//
// The kinds' dialogs come with the element and data kinds; until then each says
// plainly that it is not there yet and leaves the row as it was, as a
// cancelled dialog would.
#include "model/LayoutTable.h"
#include "model/Model.h"
#include "model/TypePickers.h"
#include "shell/Frame.h"
#include "shell/Message.h"
#include "shell/NameTables.h"
#include "shell/StandIn.h"

bool OpenElementTypeDialog(Model& /*model*/, int /*row*/, ElementType type) {
  STAND_IN("the element kinds' edit dialogs");
  const std::string name = type == ElementType::HydrotestLoad ? "Hydrotest load" : ElementTypeMessageName(type);
  ShowInfoMessage(LayoutFrame().window, "The " + name + " dialog is not available yet.");
  return false;
}

bool OpenDataTypeDialog(Model& /*model*/, int /*row*/, DataType type, std::int32_t subtype) {
  STAND_IN("the data kinds' edit dialogs");
  const std::string name = DataItemTypeName(static_cast<int>(type), subtype);
  ShowInfoMessage(LayoutFrame().window, "The " + name + " dialog is not available yet.");
  return false;
}

int PickDataType(Model& /*model*/, int row) { return RunDataTypesDialog(LayoutFrame().window, row); }
