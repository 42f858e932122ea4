// The Show dialog, the shared layout of SHOW_33_DIALOG and the F3 toggle
// (see Show.h). The node-number list and its apply step are ShowNodes.cpp.
#include "graphics/Show.h"

#include <algorithm>

#include "graphics/GraphicsThread.h"
#include "graphics/GraphicsWindow.h"
#include "graphics/Highlight.h"
#include "model/ContextMenus.h"
#include "model/GraphicsState.h"
#include "model/Model.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "records/GraphicsSettings.h"
#include "services/ProgramContext.h"
#include "services/ViewRequests.h"
#include "services/WindowUtilities.h"

namespace {

int Count(const Model& model, RowListKind kind) { return model.lists[kind].count; }

POINT g_ShowPosition{0, 0};

// The opening state of the Show dialog (or the state after its last Apply).
std::vector<std::uint8_t> g_OpeningState;

// The flags the Show dialog reads and writes, on the drawn copy.
std::vector<ShowEntry> g_ShowEntries;

// Repaints after a change of what the picture shows; `onlyRenderEntries`:
// only the render-mode dots or numbers changed, which are overlays.
void RepaintAfterShow(GraphicsSettings& settings, bool onlyRenderEntries) {
  if (!g_RenderedMode) {
    if (settings.show[kShowNodeNumbers] == 0) settings.showNodeNumbersGl = 0;
    SaveHighlight();
    InvalidatePicture(true);
    RestoreSavedHighlight();
    return;
  }
  if (settings.showNodeNumbersGl != 0) settings.show[kShowNodeNumbers] = 1;
  if (onlyRenderEntries) {
    if (HWND painting = PaintingWindowHandle()) PostMessage(painting, WM_COMMAND, kOverlayCommand, 0);
    return;
  }
  DrawModelGl();
  InvalidatePicture(true);
}

bool NumbersOn(const GraphicsSettings& settings) {
  return g_RenderedMode ? settings.showNodeNumbersGl != 0 : settings.show[kShowNodeNumbers] != 0;
}

// The Show list's apply step; `boxes`: the dialog whose boxes are stored and
// compared with the opening state (null: F3, no comparison).
bool ApplyShowOptions(HWND dialog, bool numbersBefore) {
  GraphicsSettings& settings = TheModel().graphics;
  bool onlyRenderEntries = false;
  if (dialog != nullptr) {
    bool changed = false;
    onlyRenderEntries = true;
    for (std::size_t i = 0; i < g_ShowEntries.size(); ++i) {
      const int id = ShowBoxId(static_cast<int>(i), static_cast<int>(g_ShowEntries.size()));
      const std::uint8_t value = IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0;
      *g_ShowEntries[i].flag = value;
      if (i < g_OpeningState.size() && g_OpeningState[i] == value) continue;
      changed = true;
      if (!g_ShowEntries[i].renderOnly) onlyRenderEntries = false;
    }
    if (!changed) return false;
  }
  if (NumbersOn(settings) != numbersBefore) ResetNodeNumberFlags(settings);
  RepaintAfterShow(settings, onlyRenderEntries);
  SyncShowFlagsToModel();
  return true;
}

void TakeOpeningState() {
  g_OpeningState.clear();
  for (const ShowEntry& entry : g_ShowEntries) g_OpeningState.push_back(*entry.flag);
}

void RememberPosition(HWND dialog, POINT& position) {
  RECT rect{};
  GetWindowRect(dialog, &rect);
  position = POINT{rect.left, rect.top};
}

}  // namespace

int ShowBoxId(int index, int count) {
  const int rows = (count + 2) / 3;
  if (count == 4 && index == 3) return 1123;
  if (rows <= 0) return 1101;
  return 1101 + 11 * (index / rows) + index % rows;
}

void LayoutShowDialog(HWND dialog, const char* title, const std::vector<ShowEntry>& entries) {
  SetWindowText(dialog, title);
  const int count = static_cast<int>(entries.size());
  for (int i = 0; i < count; ++i) {
    const int id = ShowBoxId(i, count);
    SetDlgItemText(dialog, id, entries[static_cast<std::size_t>(i)].label.c_str());
    CheckDlgButton(dialog, id, *entries[static_cast<std::size_t>(i)].flag != 0 ? BST_CHECKED : BST_UNCHECKED);
    ShowWindow(GetDlgItem(dialog, id), SW_SHOW);
  }
  const int rows = (count + 2) / 3;
  const int y = 14 * rows + 10;
  const int ids[5] = {IDOK, IDCANCEL, 999, 1001, 1002};
  const int xs[5] = {8, 56, 104, 152, 200};
  for (int i = 0; i < 5; ++i) {
    RECT rect{xs[i], y, xs[i], y};
    MapDialogRect(dialog, &rect);
    SetWindowPos(GetDlgItem(dialog, ids[i]), nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }
  RECT client{0, 0, 250, y + 22};
  MapDialogRect(dialog, &client);
  RECT outer{}, inner{};
  GetWindowRect(dialog, &outer);
  GetClientRect(dialog, &inner);
  SetWindowPos(dialog, nullptr, 0, 0, client.right + (outer.right - outer.left - inner.right),
               client.bottom + (outer.bottom - outer.top - inner.bottom), SWP_NOMOVE | SWP_NOZORDER);
}

void CheckAllShowBoxes(HWND dialog, int count, bool checked) {
  for (int i = 0; i < count; ++i) CheckDlgButton(dialog, ShowBoxId(i, count), checked ? BST_CHECKED : BST_UNCHECKED);
}

std::vector<ShowEntry> ShowOptionsList(Model& model, bool rendered) {
  GraphicsSettings& g = model.graphics;
  const bool line = !rendered;
  const bool nodes = model.nodes.count > 0;
  std::vector<ShowEntry> list;
  auto add = [&list](bool condition, const char* label, std::uint8_t& flag, bool renderOnly = false,
                     bool localAxes = false) {
    if (condition) list.push_back(ShowEntry{label, &flag, -1, renderOnly, localAxes});
  };
  add(Count(model, RowListKind::Anchors) > 0, "Anchors", g.show[kShowAnchors]);
  add(Count(model, RowListKind::ConcentratedMasses) > 0, "Conc masses", g.show[kShowConcentratedMasses]);
  add(Count(model, RowListKind::GenericSupports) > 0, "Generic supports", g.showGenericSupports);
  add(line && Count(model, RowListKind::Bends) > 0, "Curved bends", g.show[kShowCurvedBends]);
  add(nodes, "Dots at nodes", rendered ? g.showNodeDotsGl : g.show[kShowNodeDots], rendered);
  add(Count(model, RowListKind::Flanges) > 0, "Flanges", g.show[kShowFlanges]);
  add(line && Count(model, RowListKind::Forces) > 0, "Forces", g.show[kShowForces]);
  add(Count(model, RowListKind::Guides) > 0, "Guides", g.show[kShowGuides]);
  add(Count(model, RowListKind::Hangers) > 0, "Hangers", g.show[kShowHangers]);
  add(Count(model, RowListKind::JacketConnections) > 0, "Jacket connections", g.show[kShowJacketConnections]);
  add(line && nodes, "Lengths", g.showLengths);
  add(Count(model, RowListKind::LimitStops) > 0, "Limits stops", g.show[kShowLimitStops]);
  add(line && LcsMenuApplies(), "Local coord system", g.showLocalAxes, false, true);
  add(nodes, "Node numbers", rendered ? g.showNodeNumbersGl : g.show[kShowNodeNumbers], rendered);
  add(line && Count(model, RowListKind::Nozzles) > 0, "Nozzles", g.show[kShowNozzles]);
  add(Count(model, RowListKind::Restraints) > 0, "Restraints", g.show[kShowRestraints]);
  add(line && nodes, "Row numbers", g.showRowNumbers);
  add(line && Count(model, RowListKind::SkewedRestraints) > 0, "Skewed restraints", g.show[kShowSkewedRestraints]);
  add(line && Count(model, RowListKind::Snubbers) > 0, "Snubbers", g.show[kShowSnubbers]);
  add(line && Count(model, RowListKind::DisplacedAnchors) > 0, "Specified displ", g.show[kShowDisplacements]);
  return list;
}

namespace {

INT_PTR ShowDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  const int count = static_cast<int>(g_ShowEntries.size());
  switch (message) {
    case WM_INITDIALOG:
      LayoutShowDialog(dialog, "Show", g_ShowEntries);
      TakeOpeningState();
      MoveWindowInScreen(dialog, g_ShowPosition, 0);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          ApplyShowOptions(dialog, NumbersOn(TheModel().graphics));
          RememberPosition(dialog, g_ShowPosition);
          EndDialog(dialog, 1);
          return TRUE;
        case IDCANCEL:
          RememberPosition(dialog, g_ShowPosition);
          EndDialog(dialog, 0);
          return TRUE;
        case 999:
          ApplyShowOptions(dialog, NumbersOn(TheModel().graphics));
          TakeOpeningState();
          return TRUE;
        case 1001: CheckAllShowBoxes(dialog, count, true); return TRUE;
        case 1002: CheckAllShowBoxes(dialog, count, false); return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}

}  // namespace

bool ShowOptionsDialog(HWND owner) {
  AdoptAndProject();
  g_ShowEntries = ShowOptionsList(TheModel(), g_RenderedMode);
  if (g_ShowEntries.empty()) return false;
  SaveHighlight();
  DialogBoxParam(InstanceHandle, "SHOW_33_DIALOG", owner, ShowDialogProc, 0);
  RestoreSavedHighlight();
  g_ShowEntries.clear();
  return true;
}

void ToggleDotsAndNumbers() {
  AdoptAndProject();
  GraphicsSettings& settings = TheModel().graphics;
  const bool numbersBefore = NumbersOn(settings);
  const bool on = settings.show[kShowNodeNumbers] == 0 && settings.show[kShowNodeDots] == 0;
  settings.show[kShowNodeNumbers] = settings.show[kShowNodeDots] = on ? 1 : 0;
  g_ShowEntries = ShowOptionsList(TheModel(), g_RenderedMode);
  ApplyShowOptions(nullptr, numbersBefore);
  g_ShowEntries.clear();
}

void SyncShowFlagsToModel() {
  const GraphicsSettings drawn = TheModel().graphics;
  PostGuiWork([drawn] {
    GraphicsSettings& settings = TheModel().graphics;
    settings.show = drawn.show;
    settings.showNodeNumbersGl = drawn.showNodeNumbersGl;
    settings.showNodeDotsGl = drawn.showNodeDotsGl;
    settings.showGenericSupports = drawn.showGenericSupports;
    settings.showLengths = drawn.showLengths;
    settings.showRowNumbers = drawn.showRowNumbers;
    settings.showLocalAxes = drawn.showLocalAxes;
    settings.numbersAtAllNodes = drawn.numbersAtAllNodes;
    settings.numberKinds = drawn.numberKinds;
    RequestGraphicsRedraw();
  });
}
