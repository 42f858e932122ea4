// The two factories of the row objects, with the kinds' edit dialogs, that
// the start-up hands to the model core (model/RowObjects.h): the element
// object of an ElementType, the data item of a DataType, each
// with the kind's new values. None gives null. From and Location rows carry
// the ElementData base itself; every other code has its own class, in the
// subsystem that owns the kind (elements, supports, loads, properties).
//
// Callers pass only codes of the enumerations: the file readers check a
// stored code before they make its object, so a code outside them here is a
// programming error.
#include "elements/RowObjectFactory.h"

#include <memory>

#include "elements/BallJoint.h"
#include "elements/BeamElement.h"
#include "elements/Bellows.h"
#include "elements/Bend.h"
#include "elements/BranchSif.h"
#include "elements/CommentData.h"
#include "elements/ConcentratedMass.h"
#include "elements/CutPipe.h"
#include "elements/ElasticElement.h"
#include "elements/Flange.h"
#include "elements/HingeJoint.h"
#include "elements/HydrotestLoad.h"
#include "elements/JacketEndCap.h"
#include "elements/JacketedBend.h"
#include "elements/JacketedPipe.h"
#include "elements/KindTable.h"
#include "elements/MiterBend.h"
#include "elements/PipeData.h"
#include "elements/Reducer.h"
#include "elements/RigidElement.h"
#include "elements/SlipJoint.h"
#include "elements/Spider.h"
#include "elements/TieRod.h"
#include "elements/UserSif.h"
#include "elements/Valve.h"
#include "elements/Weld.h"
#include "loads/Force.h"
#include "loads/ForceSpectrumLoad.h"
#include "loads/HarmonicLoad.h"
#include "loads/TimeVaryingLoad.h"
#include "model/RowObjects.h"
#include "services/Assert.h"
#include "supports/Anchor.h"
#include "supports/GenericSupport.h"
#include "supports/Guide.h"
#include "supports/Hanger.h"
#include "supports/LimitStop.h"
#include "supports/Nozzle.h"
#include "supports/Restraint.h"
#include "supports/SkewedRestraint.h"
#include "supports/Snubber.h"
#include "supports/ThreadedJoint.h"

namespace {

std::unique_ptr<ElementData> MakeElementData(ElementType type) {
  switch (type) {
    case ElementType::None: return nullptr;
    case ElementType::From:
    case ElementType::Location: return std::make_unique<ElementData>();
    case ElementType::Pipe: return std::make_unique<PipeData>();
    case ElementType::Bend: return std::make_unique<Bend>();
    case ElementType::Miter: return std::make_unique<MiterBend>();
    case ElementType::JacketedPipe: return std::make_unique<JacketedPipe>();
    case ElementType::JacketedBend: return std::make_unique<JacketedBend>();
    case ElementType::Valve: return std::make_unique<Valve>();
    case ElementType::Reducer: return std::make_unique<Reducer>();
    case ElementType::Bellows: return std::make_unique<Bellows>();
    case ElementType::SlipJoint: return std::make_unique<SlipJoint>();
    case ElementType::HingeJoint: return std::make_unique<HingeJoint>();
    case ElementType::BallJoint: return std::make_unique<BallJoint>();
    case ElementType::Rigid: return std::make_unique<RigidElement>();
    case ElementType::Elastic: return std::make_unique<ElasticElement>();
    case ElementType::CutPipe: return std::make_unique<CutPipe>();
    case ElementType::Beam: return std::make_unique<Beam>();
    case ElementType::Comment: return std::make_unique<CommentData>();
    case ElementType::TieRod: return std::make_unique<TieRod>();
    case ElementType::HydrotestLoad: return std::make_unique<HydrotestLoad>();
  }
  QV_ASSERT(0);
  return nullptr;
}

std::unique_ptr<DataItem> MakeDataItem(DataType type) {
  switch (type) {
    case DataType::None: return nullptr;
    case DataType::Anchor: return std::make_unique<Anchor>();
    case DataType::Restraint: return std::make_unique<Restraint>();
    case DataType::SkewedRestraint: return std::make_unique<SkewedRestraint>();
    case DataType::Hanger: return std::make_unique<Hanger>();
    case DataType::Guide: return std::make_unique<Guide>();
    case DataType::LimitStop: return std::make_unique<LimitStop>();
    case DataType::Nozzle: return std::make_unique<Nozzle>();
    case DataType::Snubber: return std::make_unique<Snubber>();
    case DataType::Spider: return std::make_unique<Spider>();
    case DataType::JacketEndCap: return std::make_unique<JacketEndCap>();
    case DataType::Flange: return std::make_unique<Flange>();
    case DataType::BranchSif: return std::make_unique<BranchSif>();
    case DataType::UserSif: return std::make_unique<UserSif>();
    case DataType::Weld: return std::make_unique<Weld>();
    case DataType::ThreadedJoint: return std::make_unique<ThreadedJoint>();
    case DataType::Force: return std::make_unique<NodalForce>();
    case DataType::ConcentratedMass: return std::make_unique<ConcentratedMass>();
    case DataType::TimeVaryingLoad: return std::make_unique<TimeVaryingLoad>();
    case DataType::HarmonicLoad: return std::make_unique<HarmonicLoad>();
    case DataType::ForceSpectrumLoad: return std::make_unique<ForceSpectrumLoad>();
    case DataType::GenericSupport: return std::make_unique<GenericSupport>();
  }
  QV_ASSERT(0);
  return nullptr;
}

bool DataKindDialog(HWND owner, int row, DataType type) { return RunDataKindDialog(owner, row, type); }

}  // namespace

RowKinds TheRowKinds() {
  RowKinds kinds;
  kinds.createElement = MakeElementData;
  kinds.createItem = MakeDataItem;
  kinds.elementDialog = RunElementKindDialog;
  kinds.itemDialog = DataKindDialog;
  return kinds;
}
