// The local-axes display of the result tables; see ElementLcs.h.
#include "results/ElementLcs.h"

#include <array>

#include "elements/ElementForces.h"
#include "model/LcsTriad.h"
#include "model/Model.h"
#include "results/ResultViewItems.h"
#include "resultsfile/ResultsFile.h"
#include "services/ViewRequests.h"

namespace {

constexpr int kLcsCommand = 327;

}  // namespace

void StoreElementLcs(int e) {
  const auto& elements = TheResults().elements;
  if (e <= 0 || e >= static_cast<int>(elements.size())) return;
  const AnalysisElement& element = elements[static_cast<std::size_t>(e)];
  const ElementEndFrames frames = ComputeElementEndFrames(TheModel(), static_cast<ElementType>(element.kind),
                                                          element.row, element.node1, element.node2);
  LcsTriad& triad = TheLcsTriad();
  const bool shown = triad.shown;
  if (shown) EraseLcsTriad(triad);
  std::array<std::array<float, 3>, 3> axes{};
  const Vector3d* vectors[3] = {&frames.end1.x, &frames.end1.y, &frames.end1.z};
  for (std::size_t a = 0; a < 3; ++a)
    for (std::size_t i = 0; i < 3; ++i) axes[a][i] = static_cast<float>((*vectors[a])[i]);
  StoreLcsFrame(triad, element.node1, axes);
  if (shown) ToggleLcsTriad(triad);
}

void ToggleElementLcs(int element) {
  HideHighlight();
  StoreElementLcs(element);
  ToggleLcsTriad(TheLcsTriad());
  ShowHighlight();
  RemoveViewItems({kLcsCommand});
  InsertViewItems({{kLcsCommand, ElementLcsMenuText()}});
}

std::string ElementLcsMenuText() { return TheLcsTriad().shown ? "&Hide LCS" : "&Show LCS"; }

void AddElementLcsItem() { InsertViewItems({{kLcsCommand, ElementLcsMenuText()}}); }

void CloseElementLcs() {
  RemoveViewItems({kLcsCommand});
  EraseLcsTriad(TheLcsTriad());
}
