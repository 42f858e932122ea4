// The column stores of the Layout table. Each reads the typed text from
// g_EditFieldText, makes every check first and throws its message, and only
// then changes the row, so a refused cell leaves the model as it was.
//
// A node renamed in the Node cell is renamed wherever the model refers to
// it: in the other rows that name it when this row made the node, in the
// intermediate arc nodes of bends, in the connected nodes of supports, and
// in pumps, compressors, turbines and user allowables.
#include <cctype>
#include <functional>

#include "editing/LayoutTable.h"
#include "elements/Bend.h"
#include "elements/CommentData.h"
#include "model/LayoutKeywords.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/RowObjects.h"
#include "model/RowOperations.h"
#include "model/RowRules.h"
#include "platform/Dialog.h"
#include "services/ErrorRecords.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/Units.h"
#include "supports/Guide.h"
#include "supports/Hanger.h"
#include "supports/LimitStop.h"
#include "supports/SkewedRestraint.h"

namespace {

std::string Squeezed(const std::string& text) {
  std::string out;
  for (char c : text)
    if (c != ' ') out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool IsSpareRow(const LayoutTable& table) { return table.currentRow > TheModel().rowCount; }

bool IsFirstFromRow(const Model& model, int row) {
  return model.row(row).elementType == ElementType::From && row == FirstElementRow(model);
}

void Rename(std::int32_t& field, std::int32_t from, std::int32_t to) {
  if (field == from) field = to;
}

// Node checks shared by the Node cell and the row validation.
void CheckBendNodeRules(const Model& model, int row, NodeId id) {
  const LayoutRow& target = model.row(row);
  const int index = FindNodeIndex(model.nodes, id);
  if (IsBendElementType(target.elementType)) {
    if (id > kArcNearOffset) throw std::string("Bend node should not have a suffix");
    if (index != 0 && (model.nodes[index].nodeKind == kBendIntermediateNode || model.nodes[index].row != row))
      ThrowNodeError(kNodeAlreadyDefined);
  } else if (index != 0 && model.nodes[index].nodeKind == kBendNode) {
    ThrowFieldError("Node", "is bend node");
  }
}

bool IsNodeOwnRowType(ElementType type) {
  return type == ElementType::From || type == ElementType::Location || type == ElementType::Comment ||
         type == ElementType::HydrotestLoad || type == ElementType::None;
}

// Yes empties the row; the emptied row stays undoable.
void EraseRowFromNodeCell(LayoutTable& table) {
  Model& model = TheModel();
  if (!MessageBoxDialog(table.frame, "Do you want to erase this row ?", IDNO)) return;
  ClearLayoutRow(model.row(table.currentRow));
  TableDrawRow(table, table.currentRow);
  TableSetColumn(table, 1);
  g_EditChangedModel = true;
  if (IsSpareRow(table)) return;
  MakeModel(model);
  model.modified = true;
}

void ChangeRowNode(LayoutTable& table, NodeId id, bool absolute) {
  Model& model = TheModel();
  const int row = table.currentRow;
  LayoutRow& target = model.row(row);
  const NodeId old = target.node;
  if (!IsSpareRow(table)) {
    std::string oldText = NodeNumberText(old);
    if (target.absolute) oldText += "*";
    const std::string text =
        "Do you want to change Node\nfrom  \"" + oldText + "\"  to  \"" + Trimmed(g_EditFieldText) + "\"  ?";
    if (!MessageBoxDialog(table.frame, text, IDYES)) return;
  }
  // Other rows follow only when this row made the node: a row that merely
  // ends at an existing node leaves that node to its owner.
  const int index = FindNodeIndex(model.nodes, old);
  const bool owner = index != 0 && model.nodes[index].row == row;
  target.node = id;
  target.absolute = absolute;
  if (owner) {
    for (int other = 1; other <= model.rowCount; ++other)
      if (other != row) Rename(model.row(other).node, old, id);
  }
  RenameNodeReferences(model, old, id);
  model.layoutChanged = true;
  model.modified = true;
  g_EditChangedModel = true;
  // A row that ended at another row's node now makes a node of its own:
  // made at once, so that a full node table refuses it here, where the
  // store's snapshot puts the model back.
  if (!owner) RefreshAfterModelEdit(model);
}

}  // namespace

int FirstElementRow(const Model& model) {
  for (int row = 1; row <= model.rowCount; ++row) {
    const ElementType type = model.row(row).elementType;
    if (type != ElementType::None && type != ElementType::Comment && type != ElementType::HydrotestLoad) return row;
  }
  return model.rowCount + 1;
}

void ForEachNodeReference(Model& model, const std::function<void(std::int32_t& node)>& visit) {
  for (int row = 1; row <= model.rowCount + 1; ++row) {
    LayoutRow& target = model.row(row);
    if (auto* bend = dynamic_cast<Bend*>(target.element.get())) {
      visit(bend->intermediateNode1);
      visit(bend->intermediateNode2);
    }
    // A jacketed pipe's jacket nodes are node-table positions, set again
    // when the model is made: no node number there.
    DataItem* item = target.item.get();
    if (auto* guide = dynamic_cast<Guide*>(item)) visit(guide->connectedNode);
    if (auto* hanger = dynamic_cast<Hanger*>(item)) visit(hanger->connectedNode);
    if (auto* stop = dynamic_cast<LimitStop*>(item)) visit(stop->connectedNode);
    if (auto* skewed = dynamic_cast<SkewedRestraint*>(item)) visit(skewed->connectedNode);
  }
  for (int i = 1; i <= model.pumps.count; ++i) {
    visit(model.pumps[i].suctionNode);
    visit(model.pumps[i].dischargeNode);
  }
  for (auto* table : {&model.compressors, &model.turbines})
    for (int i = 1; i <= table->count; ++i) {
      RotatingEquipment& unit = (*table)[i];
      for (std::int32_t* node : {&unit.inletNode, &unit.exhaustNode, &unit.extractionNode1, &unit.extractionNode2})
        visit(*node);
    }
  for (int i = 1; i <= model.allowables.count; ++i) visit(model.allowables[i].node);
}

void RenameNodeReferences(Model& model, std::int32_t from, std::int32_t to) {
  if (from == 0 || from == to) return;
  ForEachNodeReference(model, [from, to](std::int32_t& node) {
    if (node == from) node = to;
  });
}

void StoreNodeCell(LayoutTable& table) {
  Model& model = TheModel();
  const int row = table.currentRow;
  LayoutRow& target = model.row(row);
  std::string text = Squeezed(g_EditFieldText);
  bool absolute = false;
  if (text.size() > 1 && text.back() == '*') {
    text.pop_back();
    absolute = true;
  }
  NodeId id = 0;
  const int code = ParseNodeNumber(text, id);
  if (code != kNodeOk && code != kNodeMissing) ThrowNodeError(code);
  if (id != 0) {
    CheckBendNodeRules(model, row, id);
    if (!IsNodeOwnRowType(target.elementType) && row > 1 && model.row(row - 1).node == id)
      throw std::string("Node is same as previous node");
  }
  if (target.node == 0) {
    if (id == 0) return;
    target.node = id;
    target.absolute = absolute;
    model.modified = true;
    g_EditChangedModel = true;
    // A row inside the model (an inserted one) is made at once: a new node
    // that the full node table cannot hold is refused here, where the
    // store's snapshot puts the model back as it was.
    if (!IsSpareRow(table)) RefreshAfterModelEdit(model);
    return;
  }
  if (id == target.node && absolute == target.absolute) return;
  if (absolute && (target.elementType == ElementType::HingeJoint || target.elementType == ElementType::BallJoint))
    throw std::string("Hinge or Ball node can not be *");
  if (absolute && (target.elementType == ElementType::From || target.elementType == ElementType::Location))
    throw std::string("From or Loc node can not be *");
  if (id == 0) {
    if (IsFirstFromRow(model, row)) ThrowRequiredField("Node");
    if (IsSpareRow(table)) {
      target.node = 0;
      target.absolute = false;
      g_EditChangedModel = true;
      return;
    }
    EraseRowFromNodeCell(table);
    return;
  }
  ChangeRowNode(table, id, absolute);
}

void StoreOffsetCell(LayoutTable& table, int column) {
  static const char* const labels[] = {"DX", "DY", "DZ"};
  Model& model = TheModel();
  LayoutRow& target = model.row(table.currentRow);
  float value = 0.0f;
  if (ParseLength(g_EditFieldText, value) != 0) ThrowInvalidField(labels[column - 3]);
  RefuseOffsetsWithoutLength(model, table.currentRow, target.elementType, value, 0.0f, 0.0f);
  float& field = column == 3 ? target.dx : column == 4 ? target.dy : target.dz;
  if (field == value) return;
  field = value;
  model.modified = true;
  g_EditChangedModel = true;
  // A row of the model is made at once: a value whose coordinates or bend
  // come out not finite is refused here, where the store's snapshot puts
  // the model back.
  if (!IsSpareRow(table)) RefreshAfterModelEdit(model);
}

namespace {

struct PropertyColumn {
  const char* label;
  const char* pipeTail;
  const char* beamTail;
  const char* noneMessage;
  int listCommand;
};

constexpr PropertyColumn kPropertyColumns[] = {
    {"Material", "is a Pipe Material", "is a Beam Material", "There are no materials", 188},
    {"Section", "is a Pipe Section", "is a Beam Section", "There are no sections", 189},
    {"Load", "is a Pipe Load", "is a Beam Load", "There are no loads", 190},
};

int FindPipeRecord(const Model& model, int column, const std::string& name) {
  if (column == 6) return FindRecordByName(model.materials, name);
  if (column == 7) return FindRecordByName(model.sections, name);
  return FindRecordByName(model.pipeLoads, name);
}

int FindBeamRecord(const Model& model, int column, const std::string& name) {
  if (column == 6) return FindRecordByName(model.beamMaterials, name);
  if (column == 7) return FindRecordByName(model.beamSections, name);
  return FindRecordByName(model.beamLoads, name);
}

int PipeRecordCount(const Model& model, int column) {
  return column == 6 ? model.materials.count : column == 7 ? model.sections.count : model.pipeLoads.count;
}

std::string& RowName(LayoutRow& row, int column) {
  return column == 6 ? row.material : column == 7 ? row.section : row.load;
}

}  // namespace

void StoreMaterialCell(LayoutTable& table, int column) {
  Model& model = TheModel();
  LayoutRow& target = model.row(table.currentRow);
  const PropertyColumn& info = kPropertyColumns[column - 6];
  std::string& field = RowName(target, column);
  if (!RowTypeTakesNames(target.elementType)) {
    if (!field.empty()) g_EditChangedModel = model.modified = true;
    field.clear();
    return;
  }
  const std::string name = Trimmed(g_EditFieldText);
  if (name.empty()) return;
  if (target.elementType == ElementType::Beam) {
    if (FindPipeRecord(model, column, name) != 0) ThrowFieldError(info.label, info.pipeTail);
    if (FindBeamRecord(model, column, name) == 0) ThrowNotDefined(info.label);
  } else if (target.elementType != ElementType::From) {
    if (FindBeamRecord(model, column, name) != 0) ThrowFieldError(info.label, info.beamTail);
    if (FindPipeRecord(model, column, name) == 0) {
      if (PipeRecordCount(model, column) == 0) throw MsgColCmd{info.noneMessage, column, info.listCommand};
      ThrowNotDefined(info.label);
    }
  }
  const std::string stored = name.substr(0, kShortNameLength);
  if (stored == field) return;
  field = stored;
  model.modified = true;
  g_EditChangedModel = true;
}

void SetCommentRowText(LayoutTable& table, const std::string& text) {
  Model& model = TheModel();
  const int row = table.currentRow;
  LayoutRow& target = model.row(row);
  auto* comment = dynamic_cast<CommentData*>(target.element.get());
  if (comment == nullptr || comment->Text() == text) return;
  comment->SetText(text);
  if (row == 1) model.title = text.size() > 8 ? text.substr(8, kModelTitleWidth - 1) : std::string();
  model.modified = true;
  g_EditChangedModel = true;
}
