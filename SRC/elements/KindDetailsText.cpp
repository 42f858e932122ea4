// The details text of a row by its kind; see KindDetailsText.h.
#include "elements/KindDetailsText.h"

#include "elements/BallJointList.h"
#include "elements/BeamList.h"
#include "elements/BellowsList.h"
#include "elements/BendList.h"
#include "elements/BranchSifList.h"
#include "elements/ConcentratedMassList.h"
#include "elements/CutPipeList.h"
#include "elements/ElasticList.h"
#include "elements/FlangeList.h"
#include "elements/HingeJointList.h"
#include "elements/JacketConnections.h"
#include "elements/JacketList.h"
#include "elements/MiterList.h"
#include "elements/ReducerList.h"
#include "elements/RigidList.h"
#include "elements/SlipJointList.h"
#include "elements/TieRodList.h"
#include "elements/UserSifList.h"
#include "elements/ValveList.h"
#include "loads/DirectionalLoadList.h"
#include "loads/ForceList.h"
#include "loads/HarmonicList.h"
#include "model/Model.h"
#include "printing/RowDetails.h"
#include "supports/AnchorList.h"
#include "supports/DisplacementSets.h"
#include "supports/OtherSupportLists.h"
#include "supports/RestraintList.h"

bool PutKindDetailsText(int rowKind, int typeCode, int row) {
  const Model& model = TheModel();
  if (row < 1 || row > model.rowCount) return false;
  const LayoutRow& layoutRow = model.row(row);
  if (rowKind == kDetailsDataRows) {
    if (layoutRow.item == nullptr) return false;
    switch (layoutRow.dataType) {
      case DataType::Anchor:
        if (typeCode == kSpecifiedDisplacementsDetails)
          SpecifiedDisplacementsDetailsText(row);
        else
          AnchorDetailsText(row);
        return true;
      case DataType::Nozzle:
        if (typeCode == kSpecifiedDisplacementsDetails)
          SpecifiedDisplacementsDetailsText(row);
        else
          NozzleDetailsText(row);
        return true;
      case DataType::Restraint: RestraintDetailsText(row); return true;
      case DataType::SkewedRestraint: SkewedRestraintDetailsText(row); return true;
      case DataType::Guide: GuideDetailsText(row); return true;
      case DataType::LimitStop: LimitStopDetailsText(row); return true;
      case DataType::Snubber: SnubberDetailsText(row); return true;
      case DataType::Hanger: HangerDetailsText(row); return true;
      case DataType::GenericSupport: GenericSupportDetailsText(row); return true;
      case DataType::BranchSif: BranchSifDetailsText(row); return true;
      case DataType::ConcentratedMass: ConcentratedMassDetailsText(row); return true;
      case DataType::Flange: FlangeDetailsText(row); return true;
      case DataType::Force: NodalForceDetailsText(row); return true;
      case DataType::UserSif: UserSifDetailsText(row); return true;
      case DataType::Weld: WeldDetailsText(row); return true;
      case DataType::Spider:
      case DataType::JacketEndCap: JacketConnectionDetailsText(row); return true;
      case DataType::HarmonicLoad: HarmonicLoadDetailsText(row); return true;
      case DataType::TimeVaryingLoad:
      case DataType::ForceSpectrumLoad: DirectionalLoadDetailsText(row); return true;
      // A threaded joint has nothing past its node.
      case DataType::ThreadedJoint: return true;
      default: return false;
    }
  }
  if (rowKind != kDetailsElementRows || layoutRow.element == nullptr) return false;
  switch (layoutRow.elementType) {
    case ElementType::Bend: BendDetailsText(row); return true;
    case ElementType::Beam: BeamDetailsText(row); return true;
    case ElementType::Valve: ValveDetailsText(row); return true;
    case ElementType::Reducer: ReducerDetailsText(row); return true;
    case ElementType::Rigid: RigidElementDetailsText(row); return true;
    case ElementType::CutPipe: CutPipeDetailsText(row); return true;
    case ElementType::SlipJoint: SlipJointDetailsText(row); return true;
    case ElementType::HingeJoint: HingeJointDetailsText(row); return true;
    case ElementType::BallJoint: BallJointDetailsText(row); return true;
    case ElementType::TieRod: TieRodDetailsText(row); return true;
    case ElementType::Bellows: BellowsDetailsText(row); return true;
    case ElementType::Elastic: ElasticElementDetailsText(row); return true;
    case ElementType::Miter: MiterDetailsText(row); return true;
    case ElementType::JacketedPipe:
    case ElementType::JacketedBend: JacketedDetailsText(row); return true;
    default: return false;
  }
}
