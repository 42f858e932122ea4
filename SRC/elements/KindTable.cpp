// The kind table; see KindTable.h.
#include "elements/KindTable.h"

#include <array>
#include <string>

#include "elements/BallJointDialog.h"
#include "elements/BallJointList.h"
#include "elements/BeamDialog.h"
#include "elements/BeamList.h"
#include "elements/BellowsDialog.h"
#include "elements/BellowsList.h"
#include "elements/BendDialog.h"
#include "elements/BendList.h"
#include "elements/BranchPointsList.h"
#include "elements/BranchSifDialog.h"
#include "elements/BranchSifList.h"
#include "elements/ConcentratedMassDialog.h"
#include "elements/ConcentratedMassList.h"
#include "elements/CutPipeDialog.h"
#include "elements/CutPipeList.h"
#include "elements/ElasticDialog.h"
#include "elements/ElasticList.h"
#include "elements/FlangeDialog.h"
#include "elements/FlangeList.h"
#include "elements/HingeJointDialog.h"
#include "elements/HingeJointList.h"
#include "elements/HydrotestDialog.h"
#include "elements/JacketConnections.h"
#include "elements/JacketDialogs.h"
#include "elements/JacketList.h"
#include "elements/MiterDialog.h"
#include "elements/MiterList.h"
#include "elements/ReducerDialog.h"
#include "elements/ReducerList.h"
#include "elements/RigidDialog.h"
#include "elements/RigidList.h"
#include "elements/SlipJointDialog.h"
#include "elements/SlipJointList.h"
#include "elements/TieRodDialog.h"
#include "elements/TieRodList.h"
#include "elements/UserSifDialog.h"
#include "elements/UserSifList.h"
#include "elements/ValveDialog.h"
#include "elements/ValveList.h"
#include "elements/WeldDialog.h"
#include "loads/DirectionalLoadDialog.h"
#include "loads/DirectionalLoadList.h"
#include "loads/ForceDialog.h"
#include "loads/ForceList.h"
#include "loads/HarmonicDialogs.h"
#include "loads/HarmonicList.h"
#include "model/Model.h"
#include "platform/Dialog.h"
#include "services/Frame.h"
#include "services/ProgramContext.h"
#include "services/TableViews.h"
#include "supports/AnchorDialog.h"
#include "supports/AnchorList.h"
#include "supports/GenericSupportDialog.h"
#include "supports/GuideDialog.h"
#include "supports/HangerDialogs.h"
#include "supports/LimitStopDialog.h"
#include "supports/NozzleDialog.h"
#include "supports/OtherSupportLists.h"
#include "supports/RestraintDialog.h"
#include "supports/RestraintList.h"
#include "supports/SkewedRestraintDialog.h"
#include "supports/SnubberDialog.h"

namespace {

const std::array<DataKindModule, 20>& DataKinds() {
  static const std::array<DataKindModule, 20> kinds = {{
      {DataType::Anchor, "ANCHOR_DIALOG", AnchorDialogProc, "&Anchors", AnchorsListOffered, OpenAnchorsList,
       AnchorsListTable, PrintAnchorsDetails},
      {DataType::Restraint, "RESTRAINT_DIALOG", RestraintDialogProc, "&Restraints", RestraintsListOffered,
       OpenRestraintsList, RestraintsListTable, PrintRestraintsDetails},
      {DataType::SkewedRestraint, "SKEWED_RESTRAINT_DIALOG", SkewedRestraintDialogProc, "&Skewed restraints",
       SkewedRestraintsListOffered, OpenSkewedRestraintsList, SkewedRestraintsListTable, PrintSkewedRestraintsDetails},
      {DataType::Guide, "GUIDE_DIALOG", GuideDialogProc, "&Guides", GuidesListOffered, OpenGuidesList, GuidesListTable,
       PrintGuidesDetails},
      {DataType::LimitStop, "LIMIT_STOP_DIALOG", LimitStopDialogProc, "&Limit stops", LimitStopsListOffered,
       OpenLimitStopsList, LimitStopsListTable, PrintLimitStopsDetails},
      {DataType::Snubber, "SNUBBER_DIALOG", SnubberDialogProc, "&Snubbers", SnubbersListOffered, OpenSnubbersList,
       SnubbersListTable, PrintSnubbersDetails},
      // The hanger's dialog follows its kind (ChooseHangerDialog).
      {DataType::Hanger, "HANGER_DIALOG", HangerDialogProc, "&Hangers", HangersListOffered, OpenHangersList,
       HangersListTable, PrintHangersDetails},
      {DataType::ThreadedJoint, nullptr, nullptr, "&Threaded joints", ThreadedJointsListOffered,
       OpenThreadedJointsList, ThreadedJointsListTable, PrintThreadedJoints},
      {DataType::Nozzle, "NOZZLE_DIALOG", NozzleDialogProc, "&Nozzles", NozzlesListOffered, OpenNozzlesList,
       NozzlesListTable, PrintNozzlesDetails},
      {DataType::GenericSupport, "GENERIC_SUPPORT_DIALOG", GenericSupportDialogProc, "&Generic supports",
       GenericSupportsListOffered, OpenGenericSupportsList, GenericSupportsListTable, PrintGenericSupportsDetails},
      // Spiders and jacket end caps share one list; they have no dialog.
      {DataType::Spider, nullptr, nullptr, "&Jacket connections", JacketConnectionsListOffered,
       OpenJacketConnectionsList, JacketConnectionsListTable, PrintJacketConnectionsDetails},
      {DataType::BranchSif, "BRANCH_SIF_DIALOG", BranchSifDialogProc, "&Branch SIFs", BranchSifsListOffered,
       OpenBranchSifsList, BranchSifsListTable, PrintBranchSifs},
      {DataType::Force, "FORCE_DIALOG", ForceDialogProc, "&Forces", ForcesListOffered, OpenForcesList, ForcesListTable,
       PrintForcesTable},
      {DataType::HarmonicLoad, "HARMONIC_LOAD_DIALOG", HarmonicLoadDialogProc, "&Harmonic loads",
       HarmonicLoadsListOffered, OpenHarmonicLoadsTable, HarmonicLoadsListTable, PrintHarmonicLoadsTable},
      {DataType::TimeVaryingLoad, "TIME_VARYING_LOAD_DIALOG", TimeVaryingLoadDialogProc, "&Time Varying Loads",
       TimeVaryingLoadsListOffered, OpenTimeVaryingLoadsTable, TimeVaryingLoadsListTable, PrintTimeVaryingLoadsTable},
      {DataType::ForceSpectrumLoad, "FORCE_SPECTRUM_LOAD_DIALOG", ForceSpectrumLoadDialogProc, "&Force sp loads",
       ForceSpectrumLoadsListOffered, OpenForceSpectrumLoadsTable, ForceSpectrumLoadsListTable,
       PrintForceSpectrumLoadsTable},
      {DataType::ConcentratedMass, "CMASS_DIALOG", ConcentratedMassDialogProc, "&Concen. masses",
       ConcentratedMassesListOffered, OpenConcentratedMassesList, ConcentratedMassesListTable,
       PrintConcentratedMasses},
      // The user SIF's dialog is the one or the two factor form as the
      // code takes (UserSifDialogTemplate); this entry is the one factor.
      {DataType::UserSif, "USER_SIF1_DIALOG", UserSif1DialogProc, "&User SIFs", UserSifsListOffered, OpenUserSifsList,
       UserSifsListTable, PrintUserSifs},
      {DataType::Flange, "FLANGE_DIALOG", FlangeDialogProc, "&Flanges", FlangesListOffered, OpenFlangesList,
       FlangesListTable, PrintFlanges},
      {DataType::Weld, "WELD_DIALOG", WeldDialogProc, "&Welds", WeldsListOffered, OpenWeldsList, WeldsListTable,
       PrintWelds},
  }};
  return kinds;
}

const char* ValveDialogName() { return "VALVE_DIALOG"; }
const char* ReducerDialogName() { return "REDUCER_DIALOG"; }
const char* RigidDialogName() { return "RIGID_DIALOG"; }
const char* ElasticDialogName() { return "ELASTIC_DIALOG"; }
const char* CutPipeDialogName() { return "CUTPIPE_DIALOG"; }
const char* MiterDialogName() { return "MITER_DIALOG"; }
const char* JPipeDialogName() { return "JPIPE_DIALOG"; }
const char* JBendDialogName() { return "JBEND_DIALOG"; }
const char* HydrotestDialogName() { return "HYDROTEST_LOAD_DIALOG"; }
const char* BellowsDialogName() { return "BELLOWS_DIALOG"; }
const char* TieRodDialogName() { return "TIE_ROD_DIALOG"; }
const char* SlipJointDialogName() { return "SLIP_DIALOG"; }
const char* HingeDialogName() { return "HINGE_DIALOG"; }
const char* BallDialogName() { return "BALL_DIALOG"; }

const std::array<ElementKindModule, 16>& ElementKinds() {
  static const std::array<ElementKindModule, 16> kinds = {{
      {ElementType::Bend, BendDialogName, BendDialogProc, "&Bends", BendsListOffered, OpenBendsList, BendsListTable,
       PrintBendsDetails},
      {ElementType::Miter, MiterDialogName, MiterDialogProc, "&Miter bends", MitersListOffered, OpenMitersList,
       MitersListTable, PrintMitersDetails},
      // Jacketed pipes and bends share one list, registered with the pipes.
      {ElementType::JacketedPipe, JPipeDialogName, JPipeDialogProc, "&Jacketed pipes", JacketedListOffered,
       OpenJacketedList, JacketedListTable, PrintJacketedDetails},
      {ElementType::JacketedBend, JBendDialogName, JBendDialogProc, nullptr, nullptr, nullptr, nullptr, nullptr},
      {ElementType::Valve, ValveDialogName, ValveDialogProc, "&Valves", ValvesListOffered, OpenValvesList,
       ValvesListTable, PrintValvesDetails},
      {ElementType::Reducer, ReducerDialogName, ReducerDialogProc, "&Reducers", ReducersListOffered,
       OpenReducersList, ReducersListTable, PrintReducersDetails},
      {ElementType::Rigid, RigidDialogName, RigidDialogProc, "&Rigid elements", RigidElementsListOffered,
       OpenRigidElementsList, RigidElementsListTable, PrintRigidElementsDetails},
      {ElementType::Elastic, ElasticDialogName, ElasticDialogProc, "&Elastic elements", ElasticElementsListOffered,
       OpenElasticElementsList, ElasticElementsListTable, PrintElasticElementsDetails},
      {ElementType::CutPipe, CutPipeDialogName, CutPipeDialogProc, "&Cut pipes", CutPipesListOffered, OpenCutPipesList,
       CutPipesListTable, PrintCutPipesDetails},
      {ElementType::Bellows, BellowsDialogName, BellowsDialogProc, "&Bellows", BellowsListOffered, OpenBellowsList,
       BellowsListTable, PrintBellowsDetails},
      {ElementType::SlipJoint, SlipJointDialogName, SlipJointDialogProc, "&Slip joints", SlipJointsListOffered,
       OpenSlipJointsList, SlipJointsListTable, PrintSlipJointsDetails},
      {ElementType::HingeJoint, HingeDialogName, HingeDialogProc, "&Hinge joints", HingeJointsListOffered,
       OpenHingeJointsList, HingeJointsListTable, PrintHingeJointsDetails},
      {ElementType::BallJoint, BallDialogName, BallJointDialogProc, "&Ball joints", BallJointsListOffered,
       OpenBallJointsList, BallJointsListTable, PrintBallJointsDetails},
      {ElementType::TieRod, TieRodDialogName, TieRodDialogProc, "&Tie rods", TieRodsListOffered, OpenTieRodsList,
       TieRodsListTable, PrintTieRodsDetails},
      {ElementType::Beam, BeamDialogName, BeamDialogProc, "&Beams", BeamsListOffered, OpenBeamsList, BeamsListTable,
       PrintBeamsDetails},
      // The hydrotest load row has a dialog and neither list nor section.
      {ElementType::HydrotestLoad, HydrotestDialogName, HydrotestLoadDialogProc, nullptr, nullptr, nullptr, nullptr,
       nullptr},
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

// Spiders, jacket end caps and threaded joints carry no values: editing
// one has nothing to ask, so it opens nothing and changes nothing.
bool NoDialog() { return false; }

}  // namespace

const DataKindModule* DataKindModuleOf(DataType type) {
  for (const DataKindModule& kind : DataKinds())
    if (kind.type == type) return &kind;
  return nullptr;
}

bool RunDataKindDialog(HWND owner, int row, DataType type, std::int32_t subtype) {
  const DataKindModule* kind = DataKindModuleOf(type);
  if (kind == nullptr || kind->dialogProcedure == nullptr)
    return NoDialog();
  g_DialogSubtype = subtype;
  const char* dialogTemplate = kind->dialogTemplate;
  DLGPROC procedure = kind->dialogProcedure;
  if (type == DataType::Hanger) {
    const HangerDialogChoice choice = ChooseHangerDialog(row, subtype);
    dialogTemplate = choice.templateName;
    procedure = choice.procedure;
  } else if (type == DataType::UserSif && UserSifInOutPlane()) {
    dialogTemplate = UserSifDialogTemplate();
    procedure = UserSif2DialogProc;
  }
  const INT_PTR result =
      DialogBoxParam(InstanceHandle, dialogTemplate, OwnerOrLayout(owner), procedure, static_cast<LPARAM>(row));
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
    return NoDialog();
  const INT_PTR result = DialogBoxParam(InstanceHandle, kind->dialogTemplate(), OwnerOrLayout(owner),
                                        kind->dialogProcedure, static_cast<LPARAM>(row));
  return result == 1;
}

void RegisterKindLists() {
  RegisterLists(ElementKinds());
  RegisterLists(DataKinds());
  RegisterBranchPointsList();
  RegisterNozzleStiffnessesList();
}

