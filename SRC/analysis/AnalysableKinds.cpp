// The check of what a run can analyse today (see AnalysisDriver.h). A kind
// joins the lists below when its stiffness, loads, end forces and support
// loads are built and its values can be entered; until then a model that
// holds it is refused as a whole, naming the first row, because analysing
// it without its kind's part would give plainly wrong results.
#include <string>

#include "analysis/AnalysisDriver.h"
#include "loads/Force.h"
#include "model/LayoutTable.h"
#include "model/Model.h"
#include "shell/NameTables.h"
#include "shell/NumberFormat.h"
#include "shell/StandIn.h"

namespace {

constexpr int kDynamicCases[] = {30, 31, 35, 36, 37};
constexpr int kStaticSeismic = 12;

[[noreturn]] void RefuseRow(int row, const std::string& kind, int* refusedRow) {
  STAND_IN("the analysis of the element kinds, supports and loads that later work builds");
  if (refusedRow != nullptr) *refusedRow = row;
  throw CFormat("Row %d: %s cannot be analysed yet", row, kind.c_str());
}

[[noreturn]] void RefuseCase(int type) {
  STAND_IN("the modal, response spectrum, force spectrum, time history, harmonic and static seismic runs");
  throw std::string("The load case \"") + LoadCaseTitle(type) +
        "\" cannot be analysed yet.\nRemove it from the load cases to analyze this model.";
}

}  // namespace

bool ElementKindAnalysable(ElementType type) {
  switch (type) {
    case ElementType::None:
    case ElementType::From:
    case ElementType::Location:
    case ElementType::Pipe:
    case ElementType::Bend:
    case ElementType::Beam:
    case ElementType::Miter:
    case ElementType::JacketedPipe:
    case ElementType::JacketedBend:
    case ElementType::Valve:
    case ElementType::Reducer:
    case ElementType::Rigid:
    case ElementType::Elastic:
    case ElementType::CutPipe:
    case ElementType::Comment:
    case ElementType::HydrotestLoad: return true;
    default: return false;
  }
}

bool DataKindAnalysable(DataType type) {
  switch (type) {
    case DataType::None:
    case DataType::Anchor:
    case DataType::Restraint:
    case DataType::SkewedRestraint:
    case DataType::Guide:
    case DataType::LimitStop:
    case DataType::Snubber:
    case DataType::Nozzle:
    case DataType::Hanger:
    case DataType::ThreadedJoint:
    case DataType::GenericSupport:
    case DataType::Flange:
    case DataType::Spider:
    case DataType::JacketEndCap:
    case DataType::BranchSif:
    case DataType::Force:
    case DataType::ConcentratedMass:
    // The dynamic loads act in the dynamic runs only: the static cases take
    // nothing from them, and the dynamic cases are refused by case.
    case DataType::TimeVaryingLoad:
    case DataType::HarmonicLoad:
    case DataType::ForceSpectrumLoad: return true;
    default: return false;
  }
}

void CheckModelAnalysable(const Model& model, int* refusedRow) {
  for (int row = 1; row <= model.rowCount; ++row) {
    const LayoutRow& layout = model.row(row);
    if (!ElementKindAnalysable(layout.elementType)) RefuseRow(row, ElementTypeMessageName(layout.elementType), refusedRow);
    if (!DataKindAnalysable(layout.dataType)) RefuseRow(row, DataTypeName(static_cast<int>(layout.dataType)), refusedRow);
  }
  CheckForcesAddedToTemperaturesInUse(model, refusedRow);
  for (int entry = 1; entry <= model.loadCases.count; ++entry) {
    const int type = model.loadCases.cases[static_cast<std::size_t>(entry)];
    if (type == kStaticSeismic) RefuseCase(type);
    for (int dynamic : kDynamicCases)
      if (type == dynamic) RefuseCase(type);
  }
}
