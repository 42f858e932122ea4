// The Layout window opens its own table (UpdateLayoutTitle); these add the
// List window's list and the graphics window, which comes up with the model
// and goes with it, and put the pointer in the middle of the Layout's table.
// While a model is open the main window is hidden: the model windows take
// its place, and closing the model shows it again.
#include "editing/ModelWindows.h"

#include "model/ListWindow.h"
#include "model/Model.h"
#include "platform/Window.h"
#include "records/Spectrum.h"
#include "services/Frame.h"
#include "services/ProgramCommands.h"
#include "services/TableWindow.h"
#include "services/ViewRequests.h"
#include "services/WindowUtilities.h"

void ShowModelWindows() {
  if (HWND main = MainFrame().window) ShowWindow(main, SW_HIDE);
  // The graphics first: the Layout window comes up over it with the keyboard.
  if (LayoutFrame().window != nullptr) ShowGraphicsWindow();
  // The list saved with the model comes back; a list already shown now
  // shows this model's entries.
  if (!RestoreListWindow()) RefreshListWindow();
  ProgramCommands().updateLayoutTitle();
  PointerToLayoutCentre();
}

// Under a manager whose focus follows the pointer, the move may move the
// focus; the manager decides, and the program follows.
void PointerToLayoutCentre() {
  HWND client = LayoutFrame().client;
  if (client != nullptr && IsWindowVisible(client)) MoveCursorToItem(client, kCentreItem);
}

void HideModelWindows() {
  Frame& layout = LayoutFrame();
  if (layout.window == nullptr) return;
  HideGraphicsWindow();
  TableWindowClose(ProgramCommands().layoutTableWindow());
  ShowWindow(layout.window, SW_HIDE);
}

bool MiscTableHasRecords(const Model& model, int command) {
  switch (command) {
    case 188: return model.materials.count > 0;
    case 189: return model.sections.count > 0;
    case 190: return model.pipeLoads.count > 0;
    case 307: return model.beamMaterials.count > 0;
    case 308: return model.beamSections.count > 0;
    case 309: return model.beamLoads.count > 0;
    case 193: return model.pumps.count > 0;
    case 194: return model.compressors.count > 0;
    case 195: return model.turbines.count > 0;
    case 251: return HasSpectra(model.spectra);
    default: return true;
  }
}
