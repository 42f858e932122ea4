// The Type and Data cells of the Layout table: a typed keyword becomes the
// row's element type or data type. Kinds whose values only their own dialog
// can supply are handed to that dialog, which gives the row its kind on OK;
// the simple kinds (From, Pipe, Bend, Beam, Comment; anchors, spiders, end
// caps, threaded joints, generic supports, directional restraints and rod
// hangers and constant supports) are set at once.
//
// A change of an existing row's kind is confirmed first; a refused or
// cancelled change leaves the row and its cell as they were.
#include <memory>

#include "editing/LayoutEditors.h"
#include "editing/LayoutTable.h"
#include "editing/RowText.h"
#include "model/LayoutKeywords.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/RowObjects.h"
#include "model/RowOperations.h"
#include "model/RowRules.h"
#include "services/ErrorRecords.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "supports/Hanger.h"
#include "supports/Restraint.h"

namespace {

struct TableCheck {
  int count;
  const char* message;
  int column;
  int command;
};

void CheckTablesExist(const Model& model, ElementType type) {
  if (type == ElementType::Beam) {
    const TableCheck checks[] = {{model.beamMaterials.count, "There are no beam materials", 6, 307},
                                 {model.beamSections.count, "There are no beam sections", 7, 308},
                                 {model.beamLoads.count, "There are no beam loads", 8, 309}};
    for (const TableCheck& check : checks)
      if (check.count == 0) throw MsgColCmd{check.message, check.column, check.command};
  } else if (ElementTypeHasProperties(type)) {
    const TableCheck checks[] = {{model.materials.count, "There are no materials", 6, 188},
                                 {model.sections.count, "There are no sections", 7, 189},
                                 {model.pipeLoads.count, "There are no loads", 8, 190}};
    for (const TableCheck& check : checks)
      if (check.count == 0) throw MsgColCmd{check.message, check.column, check.command};
  }
}

bool OpensDialog(ElementType type) {
  switch (type) {
    case ElementType::Miter:
    case ElementType::JacketedPipe:
    case ElementType::JacketedBend:
    case ElementType::Valve:
    case ElementType::Reducer:
    case ElementType::Bellows:
    case ElementType::SlipJoint:
    case ElementType::HingeJoint:
    case ElementType::BallJoint:
    case ElementType::Rigid:
    case ElementType::Elastic:
    case ElementType::CutPipe:
    case ElementType::TieRod: return true;
    default: return false;
  }
}

// A Location row carries a data item at a node an earlier row made.
void MakeLocationRow(LayoutTable& table, ElementType old) {
  Model& model = TheModel();
  const int row = table.currentRow;
  LayoutRow& target = model.row(row);
  if (!LocationNodeIsMade(model, row)) throw CI{kLocationNodeMessage, 1};
  // Kept whole, element, item and node index, for a row given no data item.
  const std::int32_t endNode = target.endNode;
  std::unique_ptr<ElementData> element = CreateElementData(old);
  if (element != nullptr && target.element != nullptr) element->CopyFrom(*target.element);
  const DataType dataType = target.dataType;
  std::unique_ptr<DataItem> item = CreateDataItem(dataType);
  if (item != nullptr && target.item != nullptr) item->CopyFrom(*target.item);
  SetElementType(model, row, ElementType::Location);
  target.endNode = FindNodeIndex(model.nodes, target.node);
  const int code = PickDataType(model, row);
  if (code != 0) {
    ApplyDataType(table, static_cast<DataType>(code));
    if (target.dataType != DataType::None) {
      g_EditChangedModel = true;
      return;
    }
  }
  // Without a data item the row has no purpose: it goes back to what it was.
  SetElementType(model, row, old);
  target.element = std::move(element);
  target.dataType = dataType;
  target.item = std::move(item);
  target.endNode = endNode;
}

// Beam rows name beam records, others pipe records: a change across that
// line clears the names, and each is picked again in turn. The change of
// kind is made into the model first (an existing row is in the per-kind
// lists from then on), so a picker left without a choice leaves a model
// that matches its rows.
void PickNamesAfterBeamChange(LayoutTable& table) {
  Model& model = TheModel();
  LayoutRow& target = model.row(table.currentRow);
  target.material.clear();
  target.section.clear();
  target.load.clear();
  TableDrawRow(table, table.currentRow);
  if (table.currentRow <= model.rowCount) RefreshAfterModelEdit(model);
  struct Picker {
    bool (*pick)(LayoutTable&);
    const char* required;
    int column;
  };
  static constexpr Picker kPickers[] = {{SelectMaterialDialog, "Material is required", 6},
                                        {SelectSectionDialog, "Section is required", 7},
                                        {SelectLoadDialog, "Load is required", 8}};
  for (const Picker& picker : kPickers)
    if (!picker.pick(table)) throw CI{picker.required, picker.column};
}

}  // namespace

void StoreTypeCell(LayoutTable& table) {
  Model& model = TheModel();
  const int row = table.currentRow;
  LayoutRow& target = model.row(row);
  int code = ParseElementTypeKeyword(g_EditFieldText);
  if (code == kInvalidKeyword) ThrowInvalidField("Type");
  if (target.elementType == ElementType::From && row == FirstElementRow(model) && code != 1) return;
  if (code == 0) code = static_cast<int>(ElementType::Pipe);
  const auto type = static_cast<ElementType>(code);
  const ElementType old = target.elementType;
  if (type == old) return;
  const bool changesKind = old != ElementType::None && old != ElementType::Pipe;
  if (changesKind && old == ElementType::Location) throw std::string("Type = Location  cannot be changed");
  if (changesKind && type == ElementType::Location) throw std::string("Type cannot be changed to Location");
  // A joint takes its dialog and its row is shown with the offsets zero once
  // the model is made; a Location row would lose its offset unseen.
  if (type == ElementType::Location) RefuseOffsetsWithoutLength(model, row, type, target.dx, target.dy, target.dz);
  // A row of the model that makes its own node becomes an element of no
  // length: refused, as the row would be refused when entered (a hinge or a
  // ball joint has no offsets to give it one).
  if (old != ElementType::None && row <= model.rowCount && IsZeroLengthCandidate(target, type) &&
      RowMakesItsNode(model, row))
    throw std::string(kZeroLengthMessage);
  // A change across the Beam line asks for the names of the new kind's
  // records: without any to pick, a pipe typed Beam is refused here as a
  // change of any other kind is, not left a Beam that names nothing.
  const bool crossesBeam = old != ElementType::None && (old == ElementType::Beam) != (type == ElementType::Beam);
  if (changesKind || crossesBeam) CheckTablesExist(model, type);
  if (changesKind &&
      !ConfirmChange(table.frame, "Element type", ElementTypeMessageName(old), ElementTypeMessageName(type)))
    return;
  if (type == ElementType::Location) {
    MakeLocationRow(table, old);
    return;
  }
  if (OpensDialog(type)) {
    if (!OpenElementTypeDialog(model, row, type)) return;
  } else {
    SetElementType(model, row, type);
    if (type == ElementType::Comment || type == ElementType::HydrotestLoad) table.currentColumn = 1;
  }
  g_EditChangedModel = true;
  model.modified = true;
  TableDrawRow(table, row);
  if (old == ElementType::None) return;
  if (crossesBeam) PickNamesAfterBeamChange(table);
  if (row <= model.rowCount) RefreshAfterModelEdit(model);
}

void StoreDataCell(LayoutTable& table) {
  Model& model = TheModel();
  LayoutRow& target = model.row(table.currentRow);
  const int code = ParseDataTypeKeyword(g_EditFieldText, model.options.PipingCode);
  if (code == kInvalidKeyword) ThrowInvalidField("Data Type");
  if (code == static_cast<int>(target.dataType) && g_KeywordSubtype == DataItemSubtype(target)) return;
  if (target.dataType != DataType::None && code != 0 && code != static_cast<int>(target.dataType)) {
    const std::string from = DataItemTypeName(static_cast<int>(target.dataType), DataItemSubtype(target));
    const std::string to = DataItemTypeName(code, g_KeywordSubtype);
    if (!ConfirmChange(table.frame, "Data type", from, to)) return;
  }
  ApplyDataType(table, static_cast<DataType>(code));
}

void ApplyDataType(LayoutTable& table, DataType code) {
  Model& model = TheModel();
  const int row = table.currentRow;
  LayoutRow& target = model.row(row);
  const std::int32_t subtype = g_KeywordSubtype;
  if (code == target.dataType && subtype == DataItemSubtype(target)) return;
  switch (code) {
    case DataType::None:
      ClearDataType(model, row);
      break;
    case DataType::Restraint:
      if (subtype == 0) {
        if (!OpenDataTypeDialog(model, row, code, subtype)) return;
      } else {
        auto* restraint = static_cast<Restraint*>(SetDataType(model, row, code));
        restraint->restrainX = subtype == 1 || subtype == 4 || subtype == 6 || subtype == 7;
        restraint->restrainY = subtype == 2 || subtype == 4 || subtype == 5 || subtype == 7;
        restraint->restrainZ = subtype == 3 || subtype == 5 || subtype == 6 || subtype == 7;
      }
      break;
    case DataType::Hanger:
      if (subtype == 2 || subtype == 3) {
        auto* hanger = static_cast<Hanger*>(SetDataType(model, row, code));
        hanger->kind = subtype == 2 ? kRodHanger : kConstantSupport;
        hanger->numberOfHangers = 1;
        hanger->springRate = 0.0f;
        hanger->load = 0.0f;
      } else if (!OpenDataTypeDialog(model, row, code, subtype)) {
        return;
      }
      break;
    case DataType::Anchor:
    case DataType::Spider:
    case DataType::JacketEndCap:
    case DataType::ThreadedJoint:
    case DataType::GenericSupport:
      SetDataType(model, row, code);
      break;
    default:
      if (!OpenDataTypeDialog(model, row, code, subtype)) return;
      break;
  }
  model.modified = true;
  g_EditChangedModel = true;
  if (row <= model.rowCount) RefreshAfterDataItemEdit(model, row);
  TableDrawRow(table, row);
}
