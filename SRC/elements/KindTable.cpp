// The kind table; see KindTable.h.
#include "elements/KindTable.h"

#include <array>
#include <string>

#include "elements/BendDialog.h"
#include "elements/BendList.h"
#include "elements/BranchPointsList.h"
#include "elements/BranchSifDialog.h"
#include "elements/BranchSifList.h"
#include "model/LayoutTable.h"
#include "model/Model.h"
#include "platform/Dialog.h"
#include "shell/Application.h"
#include "shell/Frame.h"
#include "shell/Message.h"
#include "shell/NameTables.h"
#include "shell/StandIn.h"
#include "shell/TableViews.h"
#include "supports/AnchorDialog.h"
#include "supports/AnchorList.h"
#include "supports/RestraintDialog.h"
#include "supports/RestraintList.h"

namespace {

const std::array<DataKindModule, 3>& DataKinds() {
  static const std::array<DataKindModule, 3> kinds = {{
      {DataType::Anchor, "ANCHOR_DIALOG", AnchorDialogProc, "&Anchors", AnchorsListOffered, OpenAnchorsList,
       AnchorsListTable, PrintAnchorsDetails},
      {DataType::Restraint, "RESTRAINT_DIALOG", RestraintDialogProc, "&Restraints", RestraintsListOffered,
       OpenRestraintsList, RestraintsListTable, PrintRestraintsDetails},
      {DataType::BranchSif, "BRANCH_SIF_DIALOG", BranchSifDialogProc, "&Branch SIFs", BranchSifsListOffered,
       OpenBranchSifsList, BranchSifsListTable, PrintBranchSifs},
  }};
  return kinds;
}

const std::array<ElementKindModule, 1>& ElementKinds() {
  static const std::array<ElementKindModule, 1> kinds = {{
      {ElementType::Bend, BendDialogName, BendDialogProc, "&Bends", BendsListOffered, OpenBendsList, BendsListTable,
       PrintBendsDetails},
  }};
  return kinds;
}

template <typename Modules>
void RegisterLists(const Modules& modules) {
  for (const auto& kind : modules) {
    if (kind.openList == nullptr) continue;
    RegisterListKind(kind.listLabel, kind.listOffered, kind.openList);
    RegisterInputTableView(kind.listTable());
  }
}

std::int32_t g_DialogSubtype = 0;

HWND OwnerOrLayout(HWND owner) { return owner != nullptr ? owner : LayoutFrame().window; }

bool RefuseDialog(HWND owner, const std::string& name) {
  STAND_IN("the edit dialogs of the kinds whose own work has not landed");
  ShowInfoMessage(OwnerOrLayout(owner), name + " dialog is not available yet.");
  return false;
}

}  // namespace

const DataKindModule* DataKindModuleOf(DataType type) {
  for (const DataKindModule& kind : DataKinds())
    if (kind.type == type) return &kind;
  return nullptr;
}

bool RunDataKindDialog(HWND owner, int row, DataType type, std::int32_t subtype) {
  const DataKindModule* kind = DataKindModuleOf(type);
  if (kind == nullptr || kind->dialogProcedure == nullptr)
    return RefuseDialog(owner, DataItemTypeName(static_cast<int>(type), subtype));
  g_DialogSubtype = subtype;
  const INT_PTR result = DialogBoxParam(InstanceHandle, kind->dialogTemplate, OwnerOrLayout(owner),
                                        kind->dialogProcedure, static_cast<LPARAM>(row));
  g_DialogSubtype = 0;
  return result == 1;
}

std::int32_t DataKindDialogSubtype() { return g_DialogSubtype; }

const ElementKindModule* ElementKindModuleOf(ElementType type) {
  for (const ElementKindModule& kind : ElementKinds())
    if (kind.type == type) return &kind;
  return nullptr;
}

bool RunElementKindDialog(HWND owner, int row, ElementType type) {
  const ElementKindModule* kind = ElementKindModuleOf(type);
  if (kind == nullptr || kind->dialogProcedure == nullptr)
    return RefuseDialog(owner, type == ElementType::HydrotestLoad ? "Hydrotest load" : ElementTypeMessageName(type));
  const INT_PTR result = DialogBoxParam(InstanceHandle, kind->dialogTemplate(), OwnerOrLayout(owner),
                                        kind->dialogProcedure, static_cast<LPARAM>(row));
  return result == 1;
}

void RegisterKindLists() {
  RegisterLists(ElementKinds());
  RegisterLists(DataKinds());
  RegisterBranchPointsList();
}

void PrintKindSections() {
  for (const ElementKindModule& kind : ElementKinds())
    if (kind.printSection != nullptr) kind.printSection();
  for (const DataKindModule& kind : DataKinds())
    if (kind.printSection != nullptr) kind.printSection();
}
