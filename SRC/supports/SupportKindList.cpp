// The support kinds of the results and their chooser; see SupportKindList.h.
#include "supports/SupportKindList.h"

#include "model/Model.h"
#include "resultsfile/RadioChooser.h"
#include "supports/SupportResultTables.h"

namespace {

struct KindListState {
  std::vector<SupportKindEntry> kinds;
  ResultOpener last = nullptr;
};

KindListState& State() {
  static KindListState state;
  return state;
}

void OpenKind(int index) {
  const auto& kinds = State().kinds;
  if (index < 1 || index > static_cast<int>(kinds.size())) return;
  kinds[static_cast<std::size_t>(index) - 1].opener();
}

}  // namespace

void BuildSupportKindList(const Model& model) {
  KindListState& state = State();
  state.kinds.clear();
  state.last = nullptr;
  for (DataType type : {DataType::Anchor, DataType::Guide, DataType::Hanger, DataType::LimitStop, DataType::Nozzle,
                        DataType::Restraint, DataType::SkewedRestraint, DataType::Snubber, DataType::GenericSupport}) {
    const SupportResultKind* kind = FindSupportResultKind(type);
    if (kind == nullptr || model.lists[kind->list].count == 0) continue;
    state.kinds.push_back({kind->menuName, kind->openLoads});
  }
}

void ForgetSupportKinds() { State() = KindListState{}; }

const std::vector<SupportKindEntry>& SupportKinds() { return State().kinds; }

int CurrentSupportKindIndex() {
  const auto& kinds = State().kinds;
  for (std::size_t i = 0; i < kinds.size(); ++i)
    if (State().last != nullptr && kinds[i].opener == State().last) return static_cast<int>(i) + 1;
  return 1;
}

void EnterSupportKind(ResultOpener kind) {
  State().last = kind;
  SetResultsReopenCommand(OpenSupportLoadsTable);
}

bool MultipleSupportKinds() { return State().kinds.size() > 1; }

void OpenSupportLoadsTable() { OpenKind(CurrentSupportKindIndex()); }

void ChooseOtherSupportKind(HWND owner) {
  const auto& kinds = State().kinds;
  if (kinds.size() < 2) return;
  RadioChooserRequest request;
  request.templateName = OtherChooserTemplateName(static_cast<int>(kinds.size()));
  request.caption = "Other Supports";
  for (const SupportKindEntry& kind : kinds) request.names.push_back(kind.name);
  request.current = CurrentSupportKindIndex();
  OpenKind(RunRadioChooser(owner, request));
}

void NextSupportKind() {
  const int count = static_cast<int>(State().kinds.size());
  if (count < 2) return;
  const int at = CurrentSupportKindIndex();
  OpenKind(at >= count ? 1 : at + 1);
}

void PreviousSupportKind() {
  const int count = static_cast<int>(State().kinds.size());
  if (count < 2) return;
  const int at = CurrentSupportKindIndex();
  OpenKind(at <= 1 ? count : at - 1);
}

void PrintSupportLoadsSection() {
  // Snubbers last: their section is printed only in the seismic and
  // dynamic cases, where they act.
  for (DataType type : {DataType::Anchor, DataType::Restraint, DataType::SkewedRestraint, DataType::Hanger,
                        DataType::Guide, DataType::LimitStop, DataType::Nozzle, DataType::GenericSupport,
                        DataType::Snubber}) {
    if (const SupportResultKind* kind = FindSupportResultKind(type)) PrintSupportKindLoads(*kind);
  }
}
