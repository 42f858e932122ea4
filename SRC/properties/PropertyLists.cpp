// The materials and sections lists in the List window (see PropertyLists.h).
#include "properties/PropertyLists.h"

#include "model/ListWindow.h"
#include "model/Model.h"
#include "properties/MaterialsTable.h"
#include "properties/SectionsTable.h"
#include "shell/Message.h"
#include "shell/StandIn.h"

namespace {

bool Shown(ListOpener opener) { return CurrentListOpener() == opener && ListTableWindow(0) != nullptr; }

}  // namespace

void RegisterPropertyLists() {
  RegisterListKind("&Materials", nullptr, OpenMaterialsTable);
  RegisterListKind("&Sections", nullptr, OpenSectionsTable);
}

bool PropertyListCommand(HWND window, int id) {
  switch (id) {
    case 188: ShowListByOpener(OpenMaterialsTable); return true;
    case 189: ShowListByOpener(OpenSectionsTable); return true;
    case 363:
      if (Shown(OpenMaterialsTable)) CopyMaterial();
      else if (Shown(OpenSectionsTable)) CopySectionData();
      else return false;
      return true;
    case 364:
      if (Shown(OpenMaterialsTable)) PasteMaterial();
      else if (Shown(OpenSectionsTable)) PasteSectionData();
      else return false;
      return true;
    case 351:
      if (!Shown(OpenMaterialsTable)) return false;
      ExportMaterials(window);
      return true;
    case 270:
      if (!Shown(OpenMaterialsTable)) return false;
      STAND_IN("the material library");
      ShowInfoMessage(window, "The material library is not available yet:\ntype the material's values and its Properties here.");
      return true;
    default: return false;
  }
}

bool PropertyListCanCopy() { return Shown(OpenMaterialsTable) || Shown(OpenSectionsTable); }

bool PropertyListCanPaste() {
  return (Shown(OpenMaterialsTable) && MaterialCopied()) || (Shown(OpenSectionsTable) && SectionCopied());
}

bool LayoutPropertyListCommand(int id) {
  const Model& model = TheModel();
  if ((id != 188 && id != 189) || model.row(model.currentRow).elementType == ElementType::Beam) return false;
  ShowListByOpener(id == 188 ? OpenMaterialsTable : OpenSectionsTable);
  return true;
}
