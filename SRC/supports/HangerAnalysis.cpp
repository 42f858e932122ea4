// The hanger in the analysis; see HangerAnalysis.h and Hanger.h.
//
// A hanger acts on the vertical direction only (Y, or Z when Z is
// vertical), at its node or, with a connected node, between the two. In
// the hanger-load steps it is a rigid support on its own node; in the user
// cases it is its hot load (or, with "Include hanger stiffness", its cold
// load and its spring) acting upwards. A rod hanger is rigid while the pipe
// does not rise at it and free when it does (the nonlinear iteration).
#include "supports/HangerAnalysis.h"

#include <cmath>

#include "kindbase/LoadCaseKinds.h"
#include "kindbase/NonlinearConvergence.h"
#include "model/Model.h"
#include "numeric/RunState.h"
#include "services/BinaryFile.h"
#include "services/LoadCaseTypes.h"
#include "services/NameTables.h"
#include "services/NumberFormat.h"
#include "supports/Hanger.h"
#include "supports/HangerCatalogue.h"

namespace {

constexpr double kRigid = 1.0e12;

Direction3 Vertical(const Model& model) {
  return model.options.ZVertical != 0 ? Direction3{0.0, 0.0, 1.0} : Direction3{0.0, 1.0, 0.0};
}

int NodeOf(const Model& model, int row) { return model.row(row).endNode; }

template <typename Visit>
void ForEachHanger(Model& model, Visit visit) {
  for (int row = 1; row <= model.rowCount; ++row)
    if (auto* hanger = dynamic_cast<Hanger*>(model.row(row).item.get())) visit(*hanger, row);
}

// The travel and horizontal movement of the node (relative to the
// connected node) in the solution at hand.
void StoreTravel(const Model& model, Hanger& hanger, int row) {
  const int node = NodeOf(model, row);
  if (!SupportNodeHasEquations(model, node)) return;
  const Direction3 d = RelativeSolved(model, node, hanger.connectedIndex, 0);
  const bool zVertical = model.options.ZVertical != 0;
  hanger.travel = static_cast<float>(zVertical ? d[2] : d[1]);
  const double h2 = zVertical ? d[1] : d[2];
  hanger.horizontal = static_cast<float>(std::hypot(d[0], h2));
}

}  // namespace

void Hanger::PrepareForRun(int rowNumber) {
  Model& model = TheModel();
  series.clear();
  size.clear();
  rate = savedRate = 0.0f;
  travel = horizontal = hotLoad = coldLoad = 0.0f;
  equation = connectedEquation = 0;
  connectedIndex = 0;
  loadToFind = false;
  // Never a made-up table: a catalogue whose load table is not carried
  // cannot be designed.
  if (IsDesignedHanger(kind) && FindHangerCatalogue(kind) == nullptr)
    throw CFormat("Row %d: the load table of the hanger catalogue \"%s\" is not available", rowNumber,
                  HangerCatalogueName(kind));
  const int node = NodeOf(model, rowNumber);
  if (!SupportNodeHasEquations(model, node)) return;
  equation = 1;
  if (connectedNode != 0) {
    connectedIndex = SupportNodeIndex(model, connectedNode);
    if (connectedIndex == 0)
      throw CFormat("Undefined connected node for hanger at node %s", SupportNodeText(model, node).c_str());
    if (!SupportNodeHasEquations(model, connectedIndex))
      throw CFormat("For hanger at node %s, connected node %s has loc = 0", SupportNodeText(model, node).c_str(),
                    SupportNodeText(model, connectedIndex).c_str());
    connectedEquation = 1;
  }
  if (kind == kRodHanger) rate = savedRate = static_cast<float>(kRigid);
}

void RequestHangerSteps(Model& model) {
  ForEachHanger(model, [](Hanger& h, int) {
    AnalysisFlags& flags = g_AnalysisFlags;
    if (h.equation == 0 || h.kind == kRodHanger) return;
    flags.hangerTravelRequested = 1;
    if (IsDesignedHanger(h.kind) || h.kind == kConstantSupport) {
      flags.hangerLoadsRequested = 1;
      flags.hangerRecalculationRequested = 1;
      if (IsDesignedHanger(h.kind)) flags.hangerDesignRequested = 1;
      return;
    }
    // A user hanger.
    h.rate = h.springRate;
    if (h.load == 0.0f) {
      h.loadToFind = true;
      flags.hangerLoadsRequested = 1;
      flags.hangerRecalculationRequested = 1;
    } else if (h.loadType == 1) {
      // The hot load of a given cold load is known only after the travel.
      h.hotLoad = h.coldLoad = h.load;
      flags.hangerLoadsRequested = 1;
      flags.hangerRecalculationRequested = 1;
    } else {
      h.hotLoad = h.load;
      flags.hangerRecalculationRequested = 1;
    }
  });
}

void Hanger::AddStiffness(int rowNumber) {
  const Model& model = TheModel();
  const int node = NodeOf(model, rowNumber);
  if (equation == 0 || !SupportNodeHasEquations(model, node)) return;
  const Direction3 up = Vertical(model);
  const double n = numberOfHangers;
  const int type = CurrentCaseType();
  if (kind == kRodHanger) {
    if (CaseUsesModalStiffness(type)) rate = savedRate;
    if (CaseIsOperatingT1()) savedRate = rate;
    if (rate != 0.0f) AddSpringBlock(model, node, connectedIndex, DyadicBlock(up, n * rate), 0);
    return;
  }
  const bool givenLoad = kind == kUserHanger && !loadToFind;
  if (type == kCaseIdHangerLoads || type == kCaseIdRecalculatingHangerLoads) {
    if (givenLoad)
      AddSpringLoad(model, node, connectedIndex, {up[0] * n * load, up[1] * n * load, up[2] * n * load});
    else
      AddSpringBlock(model, node, 0, DyadicBlock(up, n * kRigid), 0);
  } else if (type == kCaseIdHydrotest) {
    AddSpringBlock(model, node, 0, DyadicBlock(up, n * kRigid), 0);
  } else if (IncludeHangerStiffnessInStep() && rate != 0.0f) {
    AddSpringBlock(model, node, connectedIndex, DyadicBlock(up, n * rate), 0);
  }
  // The hanger's load, upwards on the pipe, in the steps that ask for it.
  if (CurrentLoadCaseStep().hangerLoads != 0) {
    const bool cold = model.options.IncludeHangerStiffness != 0 && coldLoad != 0.0f;
    const double p = n * (cold ? coldLoad : hotLoad);
    AddSpringLoad(model, node, connectedIndex, {up[0] * p, up[1] * p, up[2] * p});
  }
}

void Hanger::ResetIteration() {
  if (kind == kRodHanger) rate = static_cast<float>(kRigid);
}

// One-way: rigid while the pipe does not rise at the hanger, free when it
// does; each change is one support that has not converged.
void Hanger::UpdateIteration(int rowNumber) {
  const Model& model = TheModel();
  const int node = NodeOf(model, rowNumber);
  if (kind != kRodHanger || equation == 0 || !SupportNodeHasEquations(model, node)) return;
  if (CaseIsOperatingT1()) StoreTravel(model, *this, rowNumber);
  const Direction3 d = RelativeSolved(model, node, connectedIndex, 0);
  const double rise = model.options.ZVertical != 0 ? d[2] : d[1];
  if (rise <= 0.0 && rate == 0.0f) {
    rate = static_cast<float>(kRigid);
    CountNonlinearChange();
  } else if (rise > 0.0 && rate != 0.0f) {
    rate = 0.0f;
    CountNonlinearChange();
  }
}

void Hanger::ComputeSupportLoads(int rowNumber) {
  const Model& model = TheModel();
  const int node = NodeOf(model, rowNumber);
  std::array<float, 1> loads{};
  if (equation != 0 && SupportNodeHasEquations(model, node)) {
    const bool zVertical = model.options.ZVertical != 0;
    const bool stiffness = model.options.IncludeHangerStiffness != 0 || kind == kRodHanger;
    const double p = stiffness ? coldLoad : hotLoad;
    const Direction3 d = RelativeSolved(model, node, connectedIndex, 0);
    const double vertical = zVertical ? d[2] : d[1];
    double L = 0.0;
    if (CurrentCaseType() == kCaseIdHydrotest) {
      const Direction3 own = RelativeSolved(model, node, 0, 0);
      L = kRigid * (zVertical ? own[2] : own[1]) - p;
    } else if (stiffness) {
      // A rod hanger's mode loads come of the state the modes were solved
      // with (the operating case's), whatever a static case solved since
      // has left.
      const float k = kind == kRodHanger && CaseUsesModalState() ? savedRate : rate;
      L = k * vertical - (CaseHasSustainedLoads() ? coldLoad : 0.0);
    } else {
      L = CaseHasSustainedLoads() ? -hotLoad : 0.0;
    }
    loads[0] = static_cast<float>(L);
  }
  KeepAndWriteSupportLoads(loads);
}

void StoreHangerStepResults(Model& model, int type) {
  if (type == kCaseIdHangerLoads || type == kCaseIdRecalculatingHangerLoads) {
    ForEachHanger(model, [&model](Hanger& h, int row) {
      if (h.equation == 0 || h.kind == kRodHanger || (h.kind == kUserHanger && !h.loadToFind)) return;
      const Direction3 d = RelativeSolved(model, NodeOf(model, row), 0, 0);
      h.hotLoad = static_cast<float>(-kRigid * (model.options.ZVertical != 0 ? d[2] : d[1]));
    });
    return;
  }
  if (type == kCaseIdHangerTravel || type == kCaseIdRecalculatingHangerTravel || CaseTypeIsOperatingT1(type))
    ForEachHanger(model, [&model](Hanger& h, int row) {
      if (h.equation != 0 && h.kind != kRodHanger) StoreTravel(model, h, row);
    });
}

bool RunHangerComputationStep(Model& model, int type) {
  if (type == kCaseIdDesigningHangers) {
    ForEachHanger(model, [&model](Hanger& h, int row) {
      if (h.equation != 0) DesignHanger(h, SupportNodeText(model, NodeOf(model, row)));
    });
    return true;
  }
  if (type == kCaseIdHangerColdLoads) {
    ForEachHanger(model, [](Hanger& h, int) {
      if (h.equation == 0 || h.kind == kRodHanger) return;
      if (h.kind == kUserHanger && !h.loadToFind && h.loadType == 1)
        h.hotLoad = h.coldLoad - h.travel * h.rate;
      else
        h.coldLoad = h.travel * h.rate + h.hotLoad;
    });
    return true;
  }
  return false;
}

void WriteHangerDesignRecords(const Model& model, BinaryFile& file) {
  for (int row = 1; row <= model.rowCount; ++row) {
    if (model.row(row).dataType != DataType::Hanger) continue;
    const auto* h = dynamic_cast<const Hanger*>(model.row(row).item.get());
    char text[6] = {};
    if (h != nullptr) h->series.copy(text, 5);
    BinaryFileWriteBytes(file, text, sizeof text);
    char sizeText[6] = {};
    if (h != nullptr) h->size.copy(sizeText, 5);
    BinaryFileWriteBytes(file, sizeText, sizeof sizeText);
    // A rod hanger's rate is its last state: rigid while it carries.
    const float values[5] = {h != nullptr ? h->rate : 0.0f, h != nullptr ? h->travel : 0.0f,
                             h != nullptr ? h->horizontal : 0.0f, h != nullptr ? h->hotLoad : 0.0f,
                             h != nullptr ? h->coldLoad : 0.0f};
    for (float value : values) BinaryFileWriteFloat(file, value);
  }
}

namespace {

// Runs a summary operation on the total load of the hangers at the node:
// the case load is that of one hanger.
template <typename Operation>
void OnTotalLoad(Hanger& hanger, Operation operation) {
  const float one = hanger.caseLoads[0];
  hanger.caseLoads[0] = one * static_cast<float>(hanger.numberOfHangers);
  operation();
  hanger.caseLoads[0] = one;
}

}  // namespace

void Hanger::StoreTimeLoads(int row) {
  OnTotalLoad(*this, [&] { SupportItem<1>::StoreTimeLoads(row); });
}
void Hanger::AccumulateTimeLoads(int base, int row) {
  OnTotalLoad(*this, [&] { SupportItem<1>::AccumulateTimeLoads(base, row); });
}
void Hanger::DifferenceTimeLoads(int base, int row) {
  OnTotalLoad(*this, [&] { SupportItem<1>::DifferenceTimeLoads(base, row); });
}
