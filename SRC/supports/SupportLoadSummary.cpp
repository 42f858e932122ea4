// The support load summary; see SupportLoadSummary.h.
#include "supports/SupportLoadSummary.h"

#include <algorithm>
#include <array>

#include "model/Model.h"
#include "model/Nodes.h"
#include "platform/Gdi.h"
#include "platform/Window.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "properties/PropertyTables.h"
#include "properties/TableChooser.h"
#include "records/LoadCaseList.h"
#include "resultsfile/ResultBlocks.h"
#include "resultsfile/ResultCases.h"
#include "resultsfile/ResultNavigation.h"
#include "resultsfile/ResultsFile.h"
#include "services/LoadCaseTypes.h"
#include "services/NameTables.h"
#include "services/ReportMode.h"
#include "services/StartupSwitches.h"
#include "supports/Restraint.h"
#include "supports/SupportResultTables.h"

namespace {

// One row of the summary: its label, the case made current for it, and the
// base row it combines with (0: stored alone) and the sign.
struct SummaryRowPlan {
  std::string label;
  int caseType = 0;
  int base = 0;
  int sign = 1;
};

struct SummaryState {
  std::vector<std::string> labels = std::vector<std::string>(1);
  int firstExtremeRow = 0;
  bool available = false;
  bool built = false;
  int currentSupport = 1;
  int rememberedRow = 1;
};

SummaryState& State() {
  static SummaryState state;
  return state;
}

struct Occasional {
  int type;
  const char* name;
  bool pair;  // a "+" and a "-" row per base
};

std::vector<SummaryRowPlan> PlanRows(const std::vector<bool>& present) {
  auto has = [&present](int type) { return type >= 0 && type < static_cast<int>(present.size()) && present[static_cast<std::size_t>(type)]; };
  std::vector<SummaryRowPlan> plan;
  if (has(kCaseIdEmptyWeight)) plan.push_back({"Empty Weight", kCaseIdEmptyWeight, 0, 1});
  std::vector<int> baseRows;
  // k 0: the sustained case; k 1 .. 10: the operating case of Tk; each, when
  // the results hold it, as its cold spring case.
  for (int k = 0; k <= 10; ++k) {
    const int plain = k == 0 ? kCaseIdSustained : OperatingCase(k);
    const int coldSpring = k == 0 ? kCaseIdColdSpringSustained : ColdSpringCase(k);
    const bool cold = has(coldSpring);
    if (!cold && !has(plain)) continue;
    const std::string label = cold ? "Cold spring" + std::to_string(k) : k == 0 ? "Sustained" : "Operating" + std::to_string(k);
    plan.push_back({label, cold ? coldSpring : plain, 0, 1});
    baseRows.push_back(static_cast<int>(plan.size()));
  }
  auto combine = [&](int type, const char* name, bool pair) {
    if (!has(type)) return;
    for (int base : baseRows) {
      // A copy: the plan grows below.
      const std::string baseLabel = plan[static_cast<std::size_t>(base) - 1].label;
      plan.push_back({baseLabel + "+" + name, type, base, 1});
      if (pair) plan.push_back({baseLabel + "-" + name, type, base, -1});
    }
  };
  combine(kCaseIdSettlement, "Settlement", false);
  if (has(kCaseIdHydrotest)) plan.push_back({"Hydrotest", kCaseIdHydrotest, 0, 1});
  for (const Occasional& o : {Occasional{kCaseIdWind, "Wind", false}, Occasional{kCaseIdWind2, "Wind 2", false},
                              Occasional{kCaseIdWind3, "Wind 3", false}, Occasional{kCaseIdWind4, "Wind 4", false},
                              Occasional{kCaseIdStaticSeismic, "Seismic", true},
                              Occasional{kCaseIdResponseSpectrum, "Response", true},
                              Occasional{kCaseIdForceSpectrum, "Force spectrum", true},
                              Occasional{kCaseIdTimeHistory, "Time history", false},
                              Occasional{kCaseIdHarmonic, "Harmonic", true}})
    combine(o.type, o.name, o.pair);
  for (const char* closing : {"Maximum", "Minimum", "Allowables"}) plan.push_back({closing, 0, 0, 1});
  return plan;
}

std::vector<bool> PresentTypes() {
  const auto& present = TheResultCases().flags.present;
  return std::vector<bool>(present.begin(), present.end());
}

// Every layout row with an item, its node's translations handed over first.
template <typename Operation>
void Broadcast(Model& model, Operation operation) {
  for (int row = 1; row <= model.rowCount; ++row) {
    LayoutRow& layout = model.row(row);
    if (layout.item == nullptr) continue;
    const int node = layout.endNode;
    g_SummaryInput.translation = {};
    if (node >= 1 && node < static_cast<int>(g_CaseDisplacements.size()))
      for (std::size_t i = 0; i < 3; ++i) g_SummaryInput.translation[i] = g_CaseDisplacements[static_cast<std::size_t>(node)][i];
    operation(*layout.item);
  }
}

int SupportRowAt(int position) {
  const auto& list = TheResults().supportList;
  return position >= 1 && position <= static_cast<int>(list.size()) ? list[static_cast<std::size_t>(position) - 1] : 0;
}

std::string SupportKindText(const LayoutRow& row) {
  if (row.dataType == DataType::Restraint && row.item != nullptr)
    return DataItemTypeName(static_cast<int>(row.dataType), RestraintDirectionCode(static_cast<const Restraint&>(*row.item)));
  return DataTypeName(static_cast<int>(row.dataType));
}

// --- the support chooser --------------------------------------------------------------

class SupportChooserTable : public TableChooser {
 public:
  SupportChooserTable() { caption = "Support load summary"; }
  void DefineColumns() override {
    auto width = [this](const std::string& text) { return DcTextWidth(Dc(), text); };
    widths[1] = std::max(width("Node"), width("00000A"));
    widths[2] = width("Limit Stop (0.707, 0.707, 0.707)");
  }
  std::string HeadingText(int column, int line) override {
    if (line != 0) return {};
    return column == 1 ? "Node" : column == 2 ? "Support" : "";
  }
  std::string CellText(int row, int column, int /*line*/) override {
    const int layoutRow = SupportRowAt(row);
    if (layoutRow == 0) return {};
    const LayoutRow& layout = TheModel().row(layoutRow);
    return column == 1 ? std::string(NodeNumberText(layout.node)) : SupportKindText(layout);
  }
  int current = 1;

 protected:
  int ItemCount() const override { return static_cast<int>(TheResults().supportList.size()); }
  int CurrentItem() const override { return current; }
};

}  // namespace

const std::vector<std::string>& SummaryRowLabels() { return State().labels; }
int SummaryRowCount() { return static_cast<int>(State().labels.size()) - 1; }
int SummaryFirstExtremeRow() { return State().firstExtremeRow; }
bool SupportLoadSummaryAvailable() { return State().available; }
int& SummaryCurrentSupport() { return State().currentSupport; }
int& SummaryRememberedRow() { return State().rememberedRow; }

std::vector<std::string> BuildSummaryRowLabels(const std::vector<bool>& present) {
  std::vector<std::string> labels;
  for (const SummaryRowPlan& row : PlanRows(present)) labels.push_back(row.label);
  return labels;
}

void BuildSupportLoadSummary(Model& model) {
  FreeSupportLoadSummary(model);
  SummaryState& state = State();
  const ResultCaseTable& cases = TheResultCases();
  state.available = !TheResults().supportList.empty() && (cases.flags.present[kCaseIdSustained] || cases.flags.operating);
  if (!state.available) return;
  const std::vector<SummaryRowPlan> plan = PlanRows(PresentTypes());
  state.labels.assign(1, std::string());
  for (const SummaryRowPlan& row : plan) state.labels.push_back(row.label);
  const int rows = static_cast<int>(plan.size());
  state.firstExtremeRow = rows - 2;
  g_SummaryInput = SummaryInput{};
  g_SummaryInput.rowCount = rows;
  Broadcast(model, [](DataItem& item) { item.AllocTimeLoads(); });
  state.built = true;
  const int keptCase = g_ResultCase;
  for (int r = 1; r <= rows - 3; ++r) {
    const SummaryRowPlan& row = plan[static_cast<std::size_t>(r) - 1];
    SelectLoadCaseByType(row.caseType);
    LoadCaseSupportLoads(model);
    LoadCaseDisplacements(model);
    if (row.base == 0)
      Broadcast(model, [r](DataItem& item) { item.StoreTimeLoads(r); });
    else if (row.sign > 0)
      Broadcast(model, [&row, r](DataItem& item) { item.AccumulateTimeLoads(row.base, r); });
    else
      Broadcast(model, [&row, r](DataItem& item) { item.DifferenceTimeLoads(row.base, r); });
  }
  g_ResultCase = keptCase;
  for (int support : TheResults().supportList) {
    LayoutRow& layout = model.row(support);
    if (layout.item == nullptr) continue;
    g_SummaryInput.allowables = {};
    const int record = FindAllowableByNode(model.allowables, layout.node);
    if (record != 0) g_SummaryInput.allowables = model.allowables[record].values;
    layout.item->TimeLoadExtremes();
  }
  state.currentSupport = 1;
  state.rememberedRow = state.firstExtremeRow;
}

void FreeSupportLoadSummary(Model& model) {
  SummaryState& state = State();
  if (state.built) Broadcast(model, [](DataItem& item) { item.FreeTimeLoads(); });
  const int current = state.currentSupport;
  state = SummaryState{};
  state.currentSupport = current;
}

void OpenSupportLoadSummary() {
  const int row = SupportRowAt(State().currentSupport);
  if (!State().available || row == 0) return;
  SetResultsReopenCommand(OpenSupportLoadSummary);
  const LayoutRow& layout = TheModel().row(row);
  const SupportResultKind* kind = FindSupportResultKind(layout.dataType);
  if (kind == nullptr) return;
  OpenSupportSummaryWindow(*kind, row);
}

void ChooseSupportForSummary(HWND owner) {
  if (TheResults().supportList.empty()) return;
  SupportChooserTable table;
  table.current = State().currentSupport;
  const INT_PTR chosen = RunTableChooser(owner, table);
  if (chosen <= 0) return;
  State().currentSupport = static_cast<int>(chosen);
  OpenSupportLoadSummary();
}

int ChooseSupportPosition(HWND owner, const std::string& caption, int current) {
  if (TheResults().supportList.empty()) return 0;
  SupportChooserTable table;
  table.caption = caption;
  table.current = current;
  const INT_PTR chosen = RunTableChooser(owner, table);
  const auto count = static_cast<INT_PTR>(TheResults().supportList.size());
  return chosen > 0 && chosen <= count ? static_cast<int>(chosen) : 0;
}

bool MultipleSupports() { return TheResults().supportList.size() > 1; }

void SupportSummaryNext() {
  const int count = static_cast<int>(TheResults().supportList.size());
  if (count == 0) return;
  int& current = State().currentSupport;
  current = current >= count ? 1 : current + 1;
  OpenSupportLoadSummary();
}

void SupportSummaryPrevious() {
  const int count = static_cast<int>(TheResults().supportList.size());
  if (count == 0) return;
  int& current = State().currentSupport;
  current = current <= 1 ? count : current - 1;
  OpenSupportLoadSummary();
}

void PrintSupportLoadSummaries() {
  if (!State().available) return;
  if (!g_ReportFileOpen) {
    BeginReportSection("Support load summary", 0);
  } else {
    if (VerificationMode != 0) return;
    if (ReportLinesLeft() < 4) ReportNewPage();
    ReportSetTitle("Support load summary");
  }
  for (int support : TheResults().supportList) {
    const SupportResultKind* kind = FindSupportResultKind(TheModel().row(support).dataType);
    if (kind != nullptr) PrintSupportSummary(*kind, support);
  }
  if (ResultsReopenCommand() == OpenSupportLoadSummary) OpenSupportLoadSummary();
}
