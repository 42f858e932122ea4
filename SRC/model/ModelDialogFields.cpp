// The dialog fields that name the open model's records or nodes (see
// ModelDialogFields.h).
#include "model/ModelDialogFields.h"

#include <string>

#include "model/Model.h"
#include "model/Nodes.h"
#include "services/DialogHelper.h"
#include "services/NumberText.h"

namespace {

template <typename Table>
void FillNames(DialogHelper& helper, int item, bool withEmpty, const Table& table) {
  helper.DialogGetItem(item);
  if (withEmpty) helper.DialogComboAddString("");
  for (int i = 1; i <= table.count; ++i) helper.DialogComboAddString(table[i].name);
}

}  // namespace

void DialogFillMaterialCombo(DialogHelper& helper, int item, bool withEmpty) {
  FillNames(helper, item, withEmpty, TheModel().materials);
}

void DialogFillSectionCombo(DialogHelper& helper, int item, bool withEmpty) {
  FillNames(helper, item, withEmpty, TheModel().sections);
}

void DialogFillPipeLoadCombo(DialogHelper& helper, int item, bool withEmpty) {
  FillNames(helper, item, withEmpty, TheModel().pipeLoads);
}

std::int32_t CheckConnectedNode(DialogHelper& helper, int item, int row) {
  helper.DialogGetItemText(item);
  if (g_EditFieldText.empty()) return 0;
  NodeId node = 0;
  const int code = ReadNodeNumberField(node);
  if (code != kNodeOk) ThrowFieldNodeError("Connected Node", code);
  const int index = FindNodeIndex(node);
  if (index == 0) throw std::string("Connected node is not defined");
  if (CurrentNodeTable()[index].nodeKind == kBendNode) throw std::string("Connected node cannot be a bend node");
  if (node == TheModel().row(row).node) throw std::string("Node cannot be connected to itself");
  return node;
}
