// The materials and sections lists in the List window (see PropertyLists.h).
#include "properties/PropertyLists.h"

#include "model/ListWindow.h"
#include "model/Model.h"
#include "properties/MaterialLibrary.h"
#include "properties/MaterialLibraryDialogs.h"
#include "properties/MaterialPropertyTable.h"
#include "properties/MaterialsTable.h"
#include "properties/SectionsTable.h"
#include "properties/SoilsTable.h"
#include "services/ListFrameState.h"
#include "services/TableWindow.h"
#include "services/TableWindowSupport.h"

namespace {

bool Shown(ListOpener opener) { return CurrentListOpener() == opener && ListTableWindow(0) != nullptr; }

// "&Library...": the current material's values from a library material.
void CopyFromLibrary(HWND window) {
  MaterialsTable& table = TheMaterialsTable();
  if (TableResultsShown() || TableCommitEdit(table)) return;
  StoreMaterialPropertyPane();
  const int row = table.currentRow;
  if (!CopyMaterialFromLibrary(window, row)) return;
  TableDrawRow(table, row);
  if (row <= TheModel().materials.count) LoadMaterialPropertyPane(row);
}

bool SoilsOffered(const Model& model) { return model.soils.count > 0; }

// Soils belong to the piping codes; with none the Misc menu grays them.
void ShowSoils() {
  if (TheModel().options.PipingCode != 0) ShowListByOpener(OpenSoilsTable);
}

}  // namespace

void RegisterPropertyLists() {
  RegisterListKind("&Materials", nullptr, OpenMaterialsTable);
  RegisterListKind("&Sections", nullptr, OpenSectionsTable);
  RegisterListKind("&Soils", SoilsOffered, OpenSoilsTable);
}

bool PropertyListCommand(HWND window, int id) {
  switch (id) {
    case 188: ShowListByOpener(OpenMaterialsTable); return true;
    case 189: ShowListByOpener(OpenSectionsTable); return true;
    case 354: ShowSoils(); return true;
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
      if (!Shown(OpenMaterialsTable) || MaterialLibraryWindowOpen()) return false;
      CopyFromLibrary(window);
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
  if (id == 354) {
    ShowSoils();
    return true;
  }
  if ((id != 188 && id != 189) || model.row(model.currentRow).elementType == ElementType::Beam) return false;
  ShowListByOpener(id == 188 ? OpenMaterialsTable : OpenSectionsTable);
  return true;
}
