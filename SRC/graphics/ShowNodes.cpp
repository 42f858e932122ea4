// The Show Node Numbers dialog (see Show.h): one box per kind of item the
// model has, in the order of the node-number kinds; a checked box puts the
// node numbers at that kind's nodes, and every box checked puts them at
// every node.
#include <array>

#include "graphics/GraphicsWindow.h"
#include "graphics/Highlight.h"
#include "graphics/Show.h"
#include "graphics/ShowDialog.h"
#include "model/GraphicsState.h"
#include "model/Model.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "records/GraphicsSettings.h"
#include "services/ProgramContext.h"
#include "services/ViewRequests.h"
#include "services/WindowUtilities.h"

namespace {

POINT g_NodesPosition{0, 0};
std::vector<ShowEntry> g_NodeEntries;

// How many items of each node-number kind the model has.
int KindCount(const Model& model, int kind) {
  const RowIndexLists& lists = model.lists;
  auto count = [&lists](RowListKind list) { return lists[list].count; };
  switch (kind) {
    case kNumberAnchors: return count(RowListKind::Anchors);
    case kNumberAnchorReleases: return lists.anchorsWithReleases;
    case kNumberBallJoints: return count(RowListKind::BallJoints);
    case kNumberBeams: return count(RowListKind::Beams);
    case kNumberBellows: return count(RowListKind::Bellows);
    case kNumberBends: return count(RowListKind::Bends);
    case kNumberBranchPoints: return count(RowListKind::BranchNodes);
    case kNumberBranchSifs: return count(RowListKind::BranchSifs);
    case kNumberConcentratedMasses: return count(RowListKind::ConcentratedMasses);
    case kNumberCutPipes: return count(RowListKind::CutPipes);
    case kNumberElasticElements: return count(RowListKind::ElasticElements);
    case kNumberFlanges: return count(RowListKind::Flanges);
    case kNumberForces: return count(RowListKind::Forces);
    case kNumberGuides: return count(RowListKind::Guides);
    case kNumberHangers: return count(RowListKind::Hangers);
    case kNumberHingeJoints: return count(RowListKind::HingeJoints);
    case kNumberJacketConnections: return count(RowListKind::JacketConnections);
    case kNumberLimitStops: return count(RowListKind::LimitStops);
    case kNumberMiterBends: return count(RowListKind::Miters);
    case kNumberNozzles: return count(RowListKind::Nozzles);
    case kNumberReducers: return count(RowListKind::Reducers);
    case kNumberRestraints: return count(RowListKind::Restraints);
    case kNumberRigidElements: return count(RowListKind::RigidElements);
    case kNumberSkewedRestraints: return count(RowListKind::SkewedRestraints);
    case kNumberSlipJoints: return count(RowListKind::SlipJoints);
    case kNumberSnubbers: return count(RowListKind::Snubbers);
    case kNumberSpecifiedDisplacements: return count(RowListKind::DisplacedAnchors);
    case kNumberThreadedJoints: return count(RowListKind::ThreadedJoints);
    case kNumberTieRods: return count(RowListKind::TieRods);
    case kNumberUserSifs: return count(RowListKind::UserSifs);
    case kNumberValves: return count(RowListKind::Valves);
    case kNumberWelds: return count(RowListKind::Welds);
    case kNumberGenericSupports: return count(RowListKind::GenericSupports);
    default: return 0;
  }
}

constexpr std::array<const char*, kNodeNumberKindCount> kKindLabels = {
    "Anchors",         "Anchor releases",  "Ball joints",       "Beams",           "Bellows",
    "Bends",           "Branch points",    "Branch SIFs",       "Conc masses",     "Cut pipes",
    "Elastic elements", "Flanges",         "Forces",            "Guides",          "Hangers",
    "Hinge joints",    "Jacket connections", "Limit stops",     "Miter bends",     "Nozzles",
    "Reducers",        "Restraints",       "Rigid elements",    "Skewed restraints", "Slip joints",
    "Snubbers",        "Specified displ",  "Threaded joints",   "Tie rods",        "User SIFs",
    "Valves",          "Welds",            "Generic supports"};

void ApplyNodeNumbers(HWND dialog) {
  GraphicsSettings& settings = TheModel().graphics;
  settings.numbersAtAllNodes = 1;
  settings.show[kShowNodeNumbers] = 0;
  const int count = static_cast<int>(g_NodeEntries.size());
  for (int i = 0; i < count; ++i) {
    const bool checked = IsDlgButtonChecked(dialog, ShowBoxId(i, count)) == BST_CHECKED;
    *g_NodeEntries[static_cast<std::size_t>(i)].flag = checked ? 1 : 0;
    if (checked) settings.show[kShowNodeNumbers] = 1;
    else settings.numbersAtAllNodes = 0;
  }
  if (g_RenderedMode) {
    if (settings.show[kShowNodeNumbers] != 0) settings.showNodeNumbersGl = 1;
    if (HWND painting = PaintingWindowHandle()) PostMessage(painting, WM_COMMAND, kOverlayCommand, 0);
  } else {
    SaveHighlight();
    InvalidatePicture(true);
    RestoreSavedHighlight();
  }
  SyncShowFlagsToModel();
}

void RememberPosition(HWND dialog) {
  RECT rect{};
  GetWindowRect(dialog, &rect);
  g_NodesPosition = POINT{rect.left, rect.top};
}

INT_PTR NodeNumbersDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  const int count = static_cast<int>(g_NodeEntries.size());
  switch (message) {
    case WM_INITDIALOG:
      LayoutShowDialog(dialog, "Show Node Numbers at", g_NodeEntries);
      MoveWindowInScreen(dialog, g_NodesPosition, 0);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          ApplyNodeNumbers(dialog);
          RememberPosition(dialog);
          EndDialog(dialog, 1);
          return TRUE;
        case IDCANCEL:
          RememberPosition(dialog);
          EndDialog(dialog, 0);
          return TRUE;
        case 999: ApplyNodeNumbers(dialog); return TRUE;
        case 1001: CheckAllShowBoxes(dialog, count, true); return TRUE;
        case 1002: CheckAllShowBoxes(dialog, count, false); return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}

}  // namespace

std::vector<ShowEntry> NodeNumberList(Model& model) {
  std::vector<ShowEntry> list;
  for (int kind = 0; kind < kNodeNumberKindCount; ++kind)
    if (KindCount(model, kind) > 0)
      list.push_back(ShowEntry{kKindLabels[static_cast<std::size_t>(kind)],
                               &model.graphics.numberKinds[static_cast<std::size_t>(kind)], kind, false, false});
  return list;
}

bool ShowNodeNumbersDialog(HWND owner) {
  AdoptAndProject();
  g_NodeEntries = NodeNumberList(TheModel());
  if (g_NodeEntries.empty()) return false;
  SaveHighlight();
  DialogBoxParam(InstanceHandle, "SHOW_33_DIALOG", owner, NodeNumbersDialogProc, 0);
  RestoreSavedHighlight();
  g_NodeEntries.clear();
  return true;
}
