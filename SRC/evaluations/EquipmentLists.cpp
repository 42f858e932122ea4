// The component evaluation lists in the List and Layout windows; see
// EquipmentLists.h.
#include "evaluations/EquipmentLists.h"

#include "elements/CompressorList.h"
#include "evaluations/AllowablesList.h"
#include "evaluations/PumpList.h"
#include "model/ListWindow.h"
#include "model/Model.h"

namespace {

bool PumpsOffered(const Model& model) { return model.pumps.count > 0; }
bool CompressorsOffered(const Model& model) { return model.compressors.count > 0; }
bool TurbinesOffered(const Model& model) { return model.turbines.count > 0; }
bool AllowablesOffered(const Model& model) { return model.allowables.count > 0; }

}  // namespace

void RegisterEquipmentLists() {
  RegisterListKind("&Pumps", PumpsOffered, OpenPumpsTable);
  RegisterListKind("&Compressors", CompressorsOffered, OpenCompressorsList);
  RegisterListKind("&Turbines", TurbinesOffered, OpenTurbinesList);
  RegisterListKind("&Allowables", AllowablesOffered, OpenAllowablesTable);
}

bool EquipmentListCommand(HWND, int id) {
  switch (id) {
    case 193: ShowListByOpener(OpenPumpsTable); return true;
    case 194: ShowListByOpener(OpenCompressorsList); return true;
    case 195: ShowListByOpener(OpenTurbinesList); return true;
    case 40047: ShowListByOpener(OpenAllowablesTable); return true;
    case 363:
      if (!AllowablesListShown()) return false;
      SelectAllowableForEdit();
      return true;
    case 364:
      if (!AllowablesListShown()) return false;
      StoreEditedAllowable();
      return true;
    default: return false;
  }
}

bool EquipmentListCanCopy() { return AllowableCanCopy(); }
bool EquipmentListCanPaste() { return AllowableCanPaste(); }
