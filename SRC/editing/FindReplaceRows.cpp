// Find and Replace in a row range (see FindReplaceRows.h).
#include "editing/FindReplaceRows.h"

#include <array>
#include <cstdio>
#include <set>
#include <vector>

#include "elements/Bend.h"
#include "elements/KindTable.h"
#include "model/KindRecords.h"
#include "model/LayoutKeywords.h"
#include "model/MakeModel.h"
#include "model/Nodes.h"
#include "model/Model.h"
#include "model/RowObjects.h"
#include "model/RowOperations.h"
#include "model/RowRules.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Window.h"
#include "properties/ListPickers.h"
#include "records/RecordTable.h"
#include "services/DialogHelper.h"
#include "services/Message.h"
#include "services/NameTables.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/WindowUtilities.h"
#include "supports/Guide.h"
#include "supports/Hanger.h"
#include "supports/LimitStop.h"
#include "supports/SkewedRestraint.h"

namespace {

constexpr int kFromField = 1301, kToField = 1302;
constexpr int kElementMode = 1401, kDataMode = 1402, kMaterialMode = 1403, kSectionMode = 1404, kLoadMode = 1405;
constexpr int kElementFind = 1201, kElementReplace = 1202, kDataFind = 1203, kDataReplace = 1204;
constexpr int kNameFind = 1205, kNameReplace = 1206, kNameGroup = 1121;
constexpr int kNameWidth = 6;

// Kinds whose values come from their own dialog; the others need none.
bool ElementNeedsDialog(ElementType type) {
  switch (type) {
    case ElementType::None:
    case ElementType::From:
    case ElementType::Location:
    case ElementType::Pipe:
    case ElementType::Comment:
    case ElementType::HydrotestLoad: return false;
    default: return true;
  }
}

bool DataNeedsDialog(DataType type) {
  switch (type) {
    case DataType::Anchor:
    case DataType::Restraint:
    case DataType::SkewedRestraint:
    case DataType::Hanger:
    case DataType::Guide:
    case DataType::LimitStop:
    case DataType::Nozzle:
    case DataType::Snubber:
    case DataType::Flange:
    case DataType::BranchSif:
    case DataType::Weld:
    case DataType::Force:
    case DataType::ConcentratedMass: return true;
    default: return false;
  }
}

bool ElementOffered(ElementType type) {
  if (!ElementNeedsDialog(type)) return true;
  const ElementKindModule* kind = ElementKindModuleOf(type);
  return kind != nullptr && kind->dialogProcedure != nullptr;
}

bool DataOffered(DataType type) {
  if (!DataNeedsDialog(type)) return true;
  const DataKindModule* kind = DataKindModuleOf(type);
  return kind != nullptr && kind->dialogProcedure != nullptr;
}

std::string ElementEntryName(ElementType type) {
  const std::string name = ElementTypeMessageName(type);
  if (!name.empty()) return name;
  return type == ElementType::Comment ? "Comment" : type == ElementType::HydrotestLoad ? "Hydrotest load" : name;
}

const std::int32_t kHangerKinds[] = {kUserHanger, kRodHanger, kConstantSupport};

std::string DataEntryName(std::int32_t code) {
  if (code == static_cast<std::int32_t>(DataType::Hanger)) return HangerTypeName(0);
  for (int k = 0; k < 3; ++k)
    if (code == kHangerKinds[k]) return HangerTypeName(k + 1);
  return DataTypeName(code);
}

// A list of names with the code of each entry; the first stands for none.
struct CodeList {
  std::vector<std::int32_t> codes{0};
  std::vector<std::string> names{""};
  void Add(std::int32_t code, const std::string& name) {
    codes.push_back(code);
    names.push_back(name);
  }
};

struct ReplaceDialogState {
  DialogHelper helper;
  ReplaceRequest* request = nullptr;
  CodeList elementFind, elementReplace, dataFind, dataReplace;
  bool nameLists = false;
  ReplaceMode nameMode = ReplaceMode::Material;
};

ReplaceDialogState& StateOf(HWND dialog) {
  return *reinterpret_cast<ReplaceDialogState*>(GetWindowLongPtr(dialog, DWLP_USER));
}

void Fill(DialogHelper& helper, int item, const CodeList& list) {
  helper.DialogComboReset(item);
  for (const std::string& name : list.names) helper.DialogComboAddString(name);
  helper.DialogComboSetSel(item, 0);
}

std::int32_t Chosen(DialogHelper& helper, int item, const CodeList& list) {
  const int index = helper.DialogComboGetSel(item);
  return index >= 0 && index < static_cast<int>(list.codes.size()) ? list.codes[static_cast<std::size_t>(index)] : 0;
}

void BuildLists(ReplaceDialogState& state) {
  const Model& model = TheModel();
  std::set<std::int32_t> elements, data;
  bool hangerKinds[3] = {false, false, false};
  for (int r = 1; r <= model.rowCount; ++r) {
    const LayoutRow& row = model.row(r);
    elements.insert(static_cast<std::int32_t>(row.elementType));
    data.insert(static_cast<std::int32_t>(row.dataType));
    if (const auto* hanger = dynamic_cast<const Hanger*>(row.item.get()))
      for (int k = 0; k < 3; ++k) hangerKinds[k] |= hanger->kind == kHangerKinds[k];
  }
  for (std::int32_t t = 1; t <= kElementTypeLast; ++t) {
    const auto type = static_cast<ElementType>(t);
    if (elements.count(t) != 0) state.elementFind.Add(t, ElementEntryName(type));
    if (ElementOffered(type)) state.elementReplace.Add(t, ElementEntryName(type));
  }
  for (std::int32_t t = 1; t <= kDataTypeLast; ++t) {
    const auto type = static_cast<DataType>(t);
    if (data.count(t) != 0) {
      state.dataFind.Add(t, DataEntryName(t));
      if (type == DataType::Hanger)
        for (int k = 0; k < 3; ++k)
          if (hangerKinds[k]) state.dataFind.Add(kHangerKinds[k], DataEntryName(kHangerKinds[k]));
    }
    if (DataOffered(type)) state.dataReplace.Add(t, DataEntryName(t));
  }
}

void OnInit(HWND dialog, ReplaceDialogState& state) {
  DialogHelper& helper = state.helper;
  helper.DialogBind(dialog);
  BuildLists(state);
  helper.DialogCheckRadio(kElementMode, kLoadMode, kElementMode);
  Fill(helper, kElementFind, state.elementFind);
  Fill(helper, kElementReplace, state.elementReplace);
  Fill(helper, kDataFind, state.dataFind);
  Fill(helper, kDataReplace, state.dataReplace);
  helper.DialogSetItemText(kFromField, "2");
  helper.DialogSetItemText(kToField, IntegerToText(TheModel().rowCount));
  // As in the other range dialogs, typing replaces the proposed From row.
  helper.DialogSelectAndFocus(kFromField);
  CenterWindowOnParent(dialog, IDOK);
}

void EnableLists(DialogHelper& helper, bool element, bool data, bool names) {
  helper.DialogEnableItem(kElementFind, element);
  helper.DialogEnableItem(kElementReplace, element);
  helper.DialogEnableItem(kDataFind, data);
  helper.DialogEnableItem(kDataReplace, data);
  helper.DialogEnableItem(kNameFind, names);
  helper.DialogEnableItem(kNameReplace, names);
}

template <typename Table>
void FillNames(DialogHelper& helper, int item, const Table& table) {
  helper.DialogComboReset(item);
  helper.DialogComboAddString("");
  for (int i = 1; i <= table.count; ++i) helper.DialogComboAddString(table[i].name);
}

void OnMode(ReplaceDialogState& state, int id) {
  DialogHelper& helper = state.helper;
  state.nameLists = id >= kMaterialMode;
  EnableLists(helper, id == kElementMode, id == kDataMode, state.nameLists);
  if (!state.nameLists) return;
  const Model& model = TheModel();
  static const char* const kTitles[] = {"Material", "Section", "Load"};
  helper.DialogSetItemText(kNameGroup, kTitles[id - kMaterialMode]);
  for (int item : {kNameFind, kNameReplace}) {
    if (id == kMaterialMode) FillNames(helper, item, model.materials);
    if (id == kSectionMode) FillNames(helper, item, model.sections);
    if (id == kLoadMode) FillNames(helper, item, model.pipeLoads);
  }
  state.nameMode = id == kMaterialMode ? ReplaceMode::Material
                   : id == kSectionMode ? ReplaceMode::Section
                                        : ReplaceMode::Load;
}

// The template row gets the replacement element and its kind's values.
void PrepareElementTemplate(HWND dialog, ReplaceDialogState& state) {
  ReplaceRequest& request = *state.request;
  request.findType = Chosen(state.helper, kElementFind, state.elementFind);
  request.replaceType = Chosen(state.helper, kElementReplace, state.elementReplace);
  if (request.findType == 0 || request.replaceType == 0) return;
  const auto type = static_cast<ElementType>(request.replaceType);
  LayoutRow& row = TheModel().row(0);
  ClearLayoutRow(row);
  row.elementType = type;
  row.element = CreateElementData(type);
  if (ElementNeedsDialog(type)) RunElementKindDialog(dialog, 0, type);
}

void PrepareDataTemplate(HWND dialog, ReplaceDialogState& state) {
  ReplaceRequest& request = *state.request;
  request.findType = Chosen(state.helper, kDataFind, state.dataFind);
  request.replaceType = Chosen(state.helper, kDataReplace, state.dataReplace);
  if (request.replaceType == 0) return;
  const auto type = static_cast<DataType>(request.replaceType);
  LayoutRow& row = TheModel().row(0);
  row.dataType = type;
  row.item = CreateDataItem(type);
  if (DataNeedsDialog(type)) RunDataKindDialog(dialog, 0, type);
}

// A Location only names a node an earlier row made: as in the Type cell,
// no element becomes one (its offsets would be lost) and it becomes no
// element (one ending at a node already made would have no length).
void RefuseLocationReplacement(DialogHelper& helper, const ReplaceRequest& request) {
  constexpr auto location = static_cast<std::int32_t>(ElementType::Location);
  if (request.findType == request.replaceType) return;
  if (request.findType == location) helper.DialogThrowItemError(kElementFind, "Type = Location  cannot be changed");
  if (request.replaceType == location)
    helper.DialogThrowItemError(kElementReplace, "Type cannot be changed to Location");
}

int ReadRow(DialogHelper& helper, int item, const char* label) {
  helper.DialogGetItemText(item);
  if (g_EditFieldText.empty()) ThrowRequiredField(std::string(label) + " ");
  std::int32_t value = 0;
  if (ParseFieldInteger(value) != 0 || value < 1) ThrowInvalidField(label);
  if (value < 2) throw std::string(label) + "  must be > 1";
  if (value > TheModel().rowCount) throw std::string(label) + "  > number of rows";
  return value;
}

std::string ComboText(HWND dialog, int item) {
  const int index = static_cast<int>(SendDlgItemMessage(dialog, item, CB_GETCURSEL, 0, 0));
  if (index < 0) return {};
  char text[64] = {};
  SendDlgItemMessage(dialog, item, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
  return std::string(text).substr(0, kNameWidth);
}

void OnOk(HWND dialog, ReplaceDialogState& state) {
  DialogHelper& helper = state.helper;
  ReplaceRequest& request = *state.request;
  try {
    request.from = ReadRow(helper, kFromField, "From  #");
    request.to = ReadRow(helper, kToField, "To  #");
    if (request.from > request.to) throw std::string("From  #  > To  #");
    if (state.nameLists) {
      request.mode = state.nameMode;
      request.findName = ComboText(dialog, kNameFind);
      request.replaceName = ComboText(dialog, kNameReplace);
      if (request.findName.empty()) throw std::string("Find what is unset");
      if (request.replaceName.empty()) throw std::string("Replace with is unset");
    } else if (helper.DialogIsChecked(kDataMode)) {
      request.mode = ReplaceMode::Data;
      if (helper.DialogComboGetSel(kDataFind) <= 0) throw std::string("Find what is unset");
      if (helper.DialogComboGetSel(kDataReplace) <= 0) PrepareDataTemplate(dialog, state);
      request.findType = Chosen(helper, kDataFind, state.dataFind);
      request.replaceType = Chosen(helper, kDataReplace, state.dataReplace);
    } else {
      request.mode = ReplaceMode::Element;
      if (helper.DialogComboGetSel(kElementFind) <= 0) throw std::string("Find what is unset");
      if (helper.DialogComboGetSel(kElementReplace) <= 0) throw std::string("Replace with is unset");
      request.findType = Chosen(helper, kElementFind, state.elementFind);
      request.replaceType = Chosen(helper, kElementReplace, state.elementReplace);
      RefuseLocationReplacement(helper, request);
      // A template that was never prepared (the list was set without being
      // confirmed) is made now, so every replaced row gets its kind's values.
      if (TheModel().row(0).elementType != static_cast<ElementType>(request.replaceType))
        PrepareElementTemplate(dialog, state);
    }
  } catch (const std::string& message) {
    helper.DialogFocusInvalid(message);
    return;
  }
  EndDialog(dialog, 1);
}

INT_PTR ReplaceProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtr(dialog, DWLP_USER, lParam);
      OnInit(dialog, *reinterpret_cast<ReplaceDialogState*>(lParam));
      return FALSE;
    case WM_COMMAND: {
      ReplaceDialogState& state = StateOf(dialog);
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      if (id >= kElementMode && id <= kLoadMode && code == BN_CLICKED) OnMode(state, id);
      if (id == kElementReplace && code == CBN_SELENDOK) PrepareElementTemplate(dialog, state);
      if (id == kDataReplace && code == CBN_SELENDOK) PrepareDataTemplate(dialog, state);
      if (id == IDOK) OnOk(dialog, state);
      if (id == IDCANCEL) EndDialog(dialog, 0);
      return TRUE;
    }
    default: return FALSE;
  }
}

// --- applying ----------------------------------------------------------------------

std::int32_t Plain(std::int32_t node) { return node % 100000; }

std::int32_t ConnectedNodeOf(const LayoutRow& row) {
  if (const auto* item = dynamic_cast<const SkewedRestraint*>(row.item.get())) return item->connectedNode;
  if (const auto* item = dynamic_cast<const Hanger*>(row.item.get())) return item->connectedNode;
  if (const auto* item = dynamic_cast<const Guide*>(row.item.get())) return item->connectedNode;
  if (const auto* item = dynamic_cast<const LimitStop*>(row.item.get())) return item->connectedNode;
  return 0;
}

// True when anything of the model names node n (plain number).
bool NodeIsNamed(const Model& model, std::int32_t n) {
  for (int r = 1; r <= model.rowCount; ++r) {
    const std::int32_t connected = ConnectedNodeOf(model.row(r));
    if (connected != 0 && Plain(connected) == n) return true;
  }
  for (int i = 1; i <= model.allowables.count; ++i)
    if (Plain(model.allowables[i].node) == n) return true;
  for (int i = 1; i <= model.pumps.count; ++i)
    if (Plain(model.pumps[i].suctionNode) == n || Plain(model.pumps[i].dischargeNode) == n) return true;
  for (const auto* table : {&model.compressors, &model.turbines})
    for (int i = 1; i <= table->count; ++i) {
      const RotatingEquipment& e = (*table)[i];
      for (std::int32_t id : {e.inletNode, e.exhaustNode, e.extractionNode1, e.extractionNode2})
        if (id != 0 && Plain(id) == n) return true;
    }
  return false;
}

// A replaced bend takes its intermediate nodes with it; one that something
// still names refuses the replacement.
void CheckReplacedBends(const Model& model, const ReplaceRequest& request) {
  for (int r = request.from; r <= request.to; ++r) {
    const LayoutRow& row = model.row(r);
    if (static_cast<std::int32_t>(row.elementType) != request.findType) continue;
    const auto* bend = dynamic_cast<const Bend*>(row.element.get());
    if (bend == nullptr) continue;
    for (std::int32_t node : {bend->intermediateNode1, bend->intermediateNode2}) {
      if (node == 0 || !NodeIsNamed(model, Plain(node))) continue;
      char text[200];
      std::snprintf(text, sizeof text,
                    "Intermediate node %d of the bend at row %d is still referred to.\nNothing was replaced.", node, r);
      throw std::string(text);
    }
  }
}

int PickPipeSection(HWND owner, const std::string& current) { return SelectSection(owner, current); }

// Calls `use` with the table that the column (6 material, 7 section, 8
// load) of a row of `type` names records of, and the picker over it.
template <typename Use>
auto WithNameTable(const Model& model, ElementType type, int column, Use use) {
  const bool beam = type == ElementType::Beam;
  if (column == 6) return beam ? use(model.beamMaterials, SelectBeamMaterial) : use(model.materials, SelectMaterial);
  if (column == 7) return beam ? use(model.beamSections, SelectBeamSection) : use(model.sections, PickPipeSection);
  return beam ? use(model.beamLoads, SelectBeamLoad) : use(model.pipeLoads, SelectPipeLoad);
}

// Whether a replaced row's names still fit once it is of `type`: a Beam
// names beam records and any other kind pipe records, so a change across
// the Beam line keeps none (the Type cell clears them too), nor does a
// name that is no record of the new kind's table. An empty name is left
// for the making of the rows to inherit.
bool NamesFit(const Model& model, const LayoutRow& row, ElementType type) {
  if ((row.elementType == ElementType::Beam) != (type == ElementType::Beam)) return false;
  if (!ElementTypeHasProperties(type)) return true;
  for (int column = 6; column <= 8; ++column) {
    const std::string& name = column == 6 ? row.material : column == 7 ? row.section : row.load;
    auto named = [&name](const auto& table, auto) { return FindRecordByName(table, name) != 0; };
    if (!name.empty() && !WithNameTable(model, type, column, named)) return false;
  }
  return true;
}

// The three names for replaced rows whose names no longer fit their kind,
// asked once for them all with the pickers the Type cell opens when it
// clears a row's names on a change across the Beam line. Tables without a
// record, or a picker left without a choice, refuse the replacement.
std::array<std::string, 3> AskNames(const Model& model, ElementType type, HWND owner) {
  static const char* const kNoRecords[2][3] = {
      {"There are no materials", "There are no sections", "There are no loads"},
      {"There are no beam materials", "There are no beam sections", "There are no beam loads"}};
  static const char* const kRequired[3] = {"Material is required", "Section is required", "Load is required"};
  const int beam = type == ElementType::Beam ? 1 : 0;
  for (int column = 6; column <= 8; ++column)
    if (WithNameTable(model, type, column, [](const auto& table, auto) { return table.count; }) == 0)
      throw std::string(kNoRecords[beam][column - 6]);
  std::array<std::string, 3> names;
  for (int column = 6; column <= 8; ++column) {
    std::string& name = names[static_cast<std::size_t>(column - 6)];
    name = WithNameTable(model, type, column, [owner](const auto& table, auto pick) {
      const int record = pick(owner, std::string());
      return record == 0 ? std::string() : std::string(table[record].name);
    });
    if (name.empty()) throw std::string(kRequired[column - 6]);
  }
  return names;
}

bool ReplaceElements(Model& model, const ReplaceRequest& request, HWND owner) {
  if (request.findType == 0 || request.replaceType == 0) return false;
  const auto type = static_cast<ElementType>(request.replaceType);
  // A kind without values of its own put in its own place changes nothing
  // (and a Comment would lose its text to the empty template).
  if (request.findType == request.replaceType && !ElementNeedsDialog(type)) return false;
  CheckReplacedBends(model, request);
  std::vector<int> replaced, renamed;
  for (int r = request.from; r <= request.to && r <= model.rowCount; ++r) {
    if (static_cast<std::int32_t>(model.row(r).elementType) != request.findType) continue;
    replaced.push_back(r);
    if (!NamesFit(model, model.row(r), type)) renamed.push_back(r);
  }
  if (replaced.empty()) return false;
  // A template's arc node is one point of one bend: given to several rows
  // it would be made once for each.
  const LayoutRow& template_ = model.row(0);
  if (const BendRecord* bend = template_.element != nullptr && template_.elementType == type
                                   ? template_.element->AsBend()
                                   : nullptr;
      bend != nullptr && replaced.size() > 1)
    for (const std::int32_t node : {bend->intermediateNode1, bend->intermediateNode2}) {
      if (node == 0) continue;
      char text[200];
      std::snprintf(text, sizeof text,
                    "Intermediate node %s would be given to %d bends.\nNothing was replaced.", NodeNumberText(node),
                    static_cast<int>(replaced.size()));
      throw std::string(text);
    }
  // A kind without properties names nothing: its rows' names are cleared.
  std::array<std::string, 3> names;
  if (!renamed.empty() && ElementTypeHasProperties(type)) names = AskNames(model, type, owner);
  const LayoutRow& pattern = model.row(0);
  for (int r : replaced) {
    ElementData* element = SetElementType(model, r, type);
    if (element != nullptr && pattern.element != nullptr && pattern.elementType == type)
      element->CopyFrom(*pattern.element);
  }
  for (int r : renamed) {
    LayoutRow& row = model.row(r);
    row.material = names[0];
    row.section = names[1];
    row.load = names[2];
  }
  RefreshAfterModelEdit(model);
  // A joint turned into a pipe has no length: refused as typed.
  RefuseRowsBreakingRules(model, replaced);
  return true;
}

bool MatchesData(const LayoutRow& row, std::int32_t findType) {
  if (IsHangerKindCode(findType)) {
    const auto* hanger = dynamic_cast<const Hanger*>(row.item.get());
    return hanger != nullptr && hanger->kind == findType;
  }
  return static_cast<std::int32_t>(row.dataType) == findType;
}

bool ReplaceData(Model& model, const ReplaceRequest& request, HWND owner) {
  if (request.findType == 0) return false;
  if (request.replaceType == 0 &&
      !MessageBoxDialog(owner,
                        "Delete " + DataEntryName(request.findType) +
                            "(s) for the specified range. \nDo you want to proceed?",
                        IDYES))
    return false;
  const auto type = static_cast<DataType>(request.replaceType);
  const LayoutRow& pattern = model.row(0);
  bool changed = false;
  for (int r = request.from; r <= request.to && r <= model.rowCount; ++r) {
    if (!MatchesData(model.row(r), request.findType)) continue;
    if (request.replaceType == 0) {
      ClearDataType(model, r);
    } else {
      DataItem* item = SetDataType(model, r, type);
      if (item != nullptr && pattern.item != nullptr && pattern.dataType == type) item->CopyFrom(*pattern.item);
    }
    changed = true;
  }
  if (changed) RefreshAfterModelEdit(model);
  return changed;
}

bool ReplaceNames(Model& model, const ReplaceRequest& request) {
  if (request.findName == request.replaceName) return false;
  bool changed = false;
  const auto replace = [&](std::string& name) {
    if (name != request.findName) return;
    name = request.replaceName;
    changed = true;
  };
  for (int r = request.from; r <= request.to && r <= model.rowCount; ++r) {
    LayoutRow& row = model.row(r);
    if (row.elementType == ElementType::Beam) continue;
    replace(request.mode == ReplaceMode::Material  ? row.material
            : request.mode == ReplaceMode::Section ? row.section
                                                   : row.load);
    // The names a row's element carries of its own (a bend's material, a
    // jacket's three) are pipe records too, renamed as renaming the record
    // renames them.
    if (row.element == nullptr) continue;
    BendRecord* bend = row.element->AsBend();
    if (bend != nullptr && request.mode == ReplaceMode::Material && !bend->material.empty()) replace(bend->material);
    if (JacketRecord* jacket = row.element->AsJacket())
      replace(request.mode == ReplaceMode::Material  ? jacket->jacketMaterial
              : request.mode == ReplaceMode::Section ? jacket->jacketSection
                                                     : jacket->jacketLoad);
  }
  if (changed) model.modified = true;
  return changed;
}

}  // namespace

bool IsHangerKindCode(std::int32_t code) {
  return code == kUserHanger || code == kRodHanger || code == kConstantSupport;
}

bool ApplyReplaceRequest(Model& model, const ReplaceRequest& request, HWND owner) {
  switch (request.mode) {
    case ReplaceMode::Element: return ReplaceElements(model, request, owner);
    case ReplaceMode::Data: return ReplaceData(model, request, owner);
    default: return ReplaceNames(model, request);
  }
}

bool FindReplaceDialog(HWND owner, ReplaceRequest& request) {
  ReplaceDialogState state;
  state.request = &request;
  ClearLayoutRow(TheModel().row(0));
  const INT_PTR result =
      DialogBoxParam(InstanceHandle, "REPLACE_ELEMENTS_DATAS", owner, ReplaceProc, reinterpret_cast<LPARAM>(&state));
  return result == 1;
}
