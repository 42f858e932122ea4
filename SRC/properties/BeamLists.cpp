// The beam record lists in the List and Layout windows; see BeamLists.h.
#include "properties/BeamLists.h"

#include "model/ListWindow.h"
#include "model/Model.h"
#include "properties/BeamLoadsTable.h"
#include "properties/BeamMaterialsTable.h"
#include "properties/BeamSectionsTable.h"
#include "services/ListFrameState.h"

namespace {

bool Shown(ListOpener opener) { return CurrentListOpener() == opener && ListTableWindow(0) != nullptr; }

ListOpener OpenerOf(int id) {
  switch (id) {
    case 188:
    case 307: return OpenBeamMaterialsTable;
    case 189:
    case 308: return OpenBeamSectionsTable;
    case 190:
    case 309: return OpenBeamLoadsTable;
    default: return nullptr;
  }
}

}  // namespace

bool BeamMaterialsOffered(const Model& model) { return model.beamMaterials.count > 0; }
bool BeamSectionsOffered(const Model& model) { return model.beamSections.count > 0; }
bool BeamLoadsOffered(const Model& model) { return model.beamLoads.count > 0; }

void RegisterBeamLists() {
  RegisterListKind("&Beam loads", BeamLoadsOffered, OpenBeamLoadsTable);
  RegisterListKind("&Beam materials", BeamMaterialsOffered, OpenBeamMaterialsTable);
  RegisterListKind("&Beam sections", BeamSectionsOffered, OpenBeamSectionsTable);
}

bool BeamSectionsListShown() { return Shown(OpenBeamSectionsTable); }

bool BeamListCommand(HWND window, int id) {
  switch (id) {
    case 307:
    case 308:
    case 309: ShowListByOpener(OpenerOf(id)); return true;
    case 244:
      if (!BeamSectionsListShown()) return false;
      UseAiscShape(window);
      return true;
    case 270:
      if (!BeamSectionsListShown()) return false;
      BeamLibraryImport(window);
      return true;
    default: return false;
  }
}

bool BeamLayoutListCommand(int id) {
  const Model& model = TheModel();
  const bool beamRow = model.row(model.currentRow).elementType == ElementType::Beam;
  if ((id == 188 || id == 189 || id == 190) && !beamRow) return false;
  const ListOpener opener = OpenerOf(id);
  if (opener == nullptr) return false;
  ShowListByOpener(opener);
  return true;
}
