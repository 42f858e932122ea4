// The code stress driver and its category routines; see CodeStressDriver.h.
// Each routine keeps, per element end, the case of its category with the
// largest ratio in the record and records every end through StressRatio in
// the node table of its category, then sorts that table.
#include "codes/CodeStressDriver.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "codes/AllowablePressure.h"
#include "codes/Allowables.h"
#include "codes/Bs806Stress.h"
#include "codes/RestrainedStress.h"
#include "codes/StressIndices.h"
#include "model/Model.h"
#include "records/Material.h"
#include "services/Assert.h"
#include "services/LoadCaseTypes.h"
#include "services/Units.h"

namespace {

enum Section { kSustained = 0, kExpansion = 1, kCombined = 2, kOccasional = 3, kSettlement = 4, kCreep = 5,
               kOperating = 6, kBuried = 7 };

// The case being computed: its forces and the frame of every routine.
struct CategoryPass {
  CodeStressResults& r;
  std::vector<ElementForces> forces;
  int caseType = 0;

  CodeStressCase Case() const { return CodeStressCase{*r.cm, r.sifs, forces, caseType}; }
  const AnalysisElement& ElementOf(const CodeStressRecord& record) const { return r.cm->Element(record.element); }
  GoverningStress& Entry(int section, int node) {
    return r.sorted.sections[static_cast<std::size_t>(section)].entries[static_cast<std::size_t>(node)];
  }
  int Node(const CodeStressRecord& record, int end) const {
    const AnalysisElement& e = ElementOf(record);
    return end == 0 ? e.node1 : e.node2;
  }
  // Stores the end's check when it is the larger and records the node.
  void KeepLarger(StressCheck& check, int section, int node, double stress, double allowable) {
    if (KeepLargerStress(check, stress, allowable)) StressRatio(Entry(section, node), stress, allowable);
  }
};

CategoryPass Pass(CodeStressResults& r, int caseType, const CaseForcesLoader& load) {
  CategoryPass pass{r, {}, caseType};
  pass.forces.assign(static_cast<std::size_t>(r.elements.count) + 1, ElementForces{});
  load(caseType, pass.forces);
  // A loader that gave fewer records leaves the rest at zero forces.
  pass.forces.resize(static_cast<std::size_t>(r.elements.count) + 1);
  return pass;
}

int Sort(CodeStressResults& r, int section) {
  return SortStressSection(r.sorted.sections[static_cast<std::size_t>(section)]);
}

// The first nonzero count, or a smaller one, is the row count.
void TakeSmallerCount(CodeStressResults& r, int count) {
  if (r.sorted.rowCount == 0 || r.sorted.rowCount > count) r.sorted.rowCount = count;
}

double At(const EndPair& pair, int end) { return end == 0 ? pair.end1 : pair.end2; }

const Material& MaterialOf(const CodeModel& cm, const AnalysisElement& e) {
  const Material* m = cm.MaterialOf(e);
  if (m == nullptr) throw "Row " + std::to_string(e.row) + ": the element has no material";
  return *m;
}

// Ti of the element's pipe load (1 .. 10).
double ElementTemperature(const CodeModel& cm, const AnalysisElement& e, int i) {
  const Model& model = cm.model;
  if (e.load < 1 || e.load > model.pipeLoads.count) return 0.0;
  return model.pipeLoads[e.load].operating[static_cast<std::size_t>(i - 1)].temperature;
}

// A buried element of a pipeline code: the restrained pipeline check.
bool Restrained(const CodeModel& cm, const AnalysisElement& e) {
  return IsPipelineCode(cm.settings.code) && ElementIsBuried(cm, e);
}
// A buried element of EN 13480: its buried check replaces the others.
bool BuriedEn13480(const CodeModel& cm, const AnalysisElement& e) {
  return cm.settings.code == 21 && ElementIsBuried(cm, e);
}

// The restrained check of a sustained or occasional case: the allowable
// 0.9 SY into both combined entries, the components kept for the expansion
// cases; the stresses themselves are kept only when no later case adds to
// them.
void RestrainedCaseStresses(CategoryPass& pass, CodeStressRecord& record, bool occasional, bool keep) {
  const CodeModel& cm = *pass.r.cm;
  const double allowable = 0.9 * YieldAtOperatingTemperature(cm, pass.ElementOf(record));
  for (StressCheck& check : record.combined) check.allowable = static_cast<float>(allowable);
  const EndPair s = RestrainedPipelineStresses(pass.Case(), record, occasional);
  if (!keep) return;
  for (int end = 0; end < 2; ++end)
    pass.KeepLarger(record.combined[static_cast<std::size_t>(end)], kCombined, pass.Node(record, end), At(s, end),
                    allowable);
}

// --- sustained, operating, occasional --------------------------------------------

void SustainedCodeStresses(CodeStressResults& r, const CaseForcesLoader& load) {
  CategoryPass pass = Pass(r, kCaseIdSustained, load);
  const CodeStressCase c = pass.Case();
  const int code = r.cm->settings.code;
  for (int row = 1; row <= r.RecordCount(); ++row) {
    CodeStressRecord& record = r.records[static_cast<std::size_t>(row)];
    const AnalysisElement& e = pass.ElementOf(record);
    EndPair s = ElementSustainedStresses(c, record, false);
    record.SL = {static_cast<float>(s.end1), static_cast<float>(s.end2)};
    if (Restrained(*r.cm, e))
      RestrainedCaseStresses(pass, record, false, !r.presence.occasional && !r.presence.expansion);
    double sh = (code == 4 || code == 6) ? 0.75 * YieldAtOperatingTemperature(*r.cm, e) : HotAllowable(*r.cm, e);
    if (BuriedEn13480(*r.cm, e)) {
      sh = 1.0;
      s = EndPair{0.0, 0.0};
      record.SL = {0.0f, 0.0f};
    }
    record.SH = {static_cast<float>(sh), static_cast<float>(sh)};
    for (int end = 0; end < 2; ++end) StressRatio(pass.Entry(kSustained, pass.Node(record, end)), At(s, end), sh);
  }
  r.sorted.rowCount = Sort(r, kSustained);
}

void Class2SustainedCodeStresses(CodeStressResults& r, const CaseForcesLoader& load) {
  CategoryPass pass = Pass(r, kCaseIdSustained, load);
  const CodeStressCase c = pass.Case();
  for (int row = 1; row <= r.RecordCount(); ++row) {
    CodeStressRecord& record = r.records[static_cast<std::size_t>(row)];
    const AnalysisElement& e = pass.ElementOf(record);
    const EndPair s = ElementSustainedStresses(c, record, false);
    record.SL = {static_cast<float>(s.end1), static_cast<float>(s.end2)};
    const StressIndices indices = ElementEndStressIndices(*r.cm, r.sifs, record.element);
    const EndPair b = ElementClass2Stresses(c, record, indices, false);
    record.SI = {static_cast<float>(b.end1), static_cast<float>(b.end2)};
    const double allowable = 1.5 * HotAllowable(*r.cm, e);
    record.SH = {static_cast<float>(allowable), static_cast<float>(allowable)};
    for (int end = 0; end < 2; ++end)
      StressRatio(pass.Entry(kSustained, pass.Node(record, end)), At(b, end), allowable);
  }
  if (r.branches.ready)
    BranchConnectionCaseStresses(r.branches, pass.forces, kCaseIdSustained,
                                 r.sorted.sections[kSustained].entries);
  r.sorted.rowCount = Sort(r, kSustained);
}

void OperatingCodeStresses(CodeStressResults& r, const CaseForcesLoader& load) {
  CategoryPass pass = Pass(r, kCaseIdOperating, load);
  const CodeStressCase c = pass.Case();
  const double reference = r.cm->settings.referenceTemperature;
  for (int row = 1; row <= r.RecordCount(); ++row) {
    CodeStressRecord& record = r.records[static_cast<std::size_t>(row)];
    const AnalysisElement& e = pass.ElementOf(record);
    const EndPair o = ElementOperatingStresses(c, record);
    const EndPair a = OperatingAllowables(*r.cm, e, ElementTemperature(*r.cm, e, 1), reference);
    record.operatingAllowable = {static_cast<float>(a.end1), static_cast<float>(a.end2)};
    for (int end = 0; end < 2; ++end)
      StressRatio(pass.Entry(kOperating, pass.Node(record, end)), At(o, end), At(a, end));
  }
  r.sorted.rowCount = Sort(r, kOperating);
}

void OccasionalCaseCodeStresses(CodeStressResults& r, int caseType, const CaseForcesLoader& load) {
  CategoryPass pass = Pass(r, caseType, load);
  const CodeStressCase c = pass.Case();
  const bool class2 = IsClass2Or3Code(r.cm->settings.code);
  for (int row = 1; row <= r.RecordCount(); ++row) {
    CodeStressRecord& record = r.records[static_cast<std::size_t>(row)];
    const AnalysisElement& e = pass.ElementOf(record);
    EndPair s = class2 ? ElementClass2Stresses(c, record, ElementEndStressIndices(*r.cm, r.sifs, record.element), true)
                       : ElementSustainedStresses(c, record, true);
    if (Restrained(*r.cm, e)) RestrainedCaseStresses(pass, record, true, !r.presence.expansion);
    double allowable = OccasionalAllowable(*r.cm, e);
    if (BuriedEn13480(*r.cm, e)) {
      allowable = 1.0;
      s = EndPair{0.0, 0.0};
    }
    for (int end = 0; end < 2; ++end)
      pass.KeepLarger(record.occasional[static_cast<std::size_t>(end)], kOccasional, pass.Node(record, end), At(s, end),
                      allowable);
  }
  if (class2 && r.branches.ready)
    BranchConnectionCaseStresses(r.branches, pass.forces, caseType, r.sorted.sections[kOccasional].entries);
}

void OccasionalCodeStresses(CodeStressResults& r, const CaseForcesLoader& load) {
  for (int type : OccasionalCaseOrder())
    if (r.HasCaseType(type)) OccasionalCaseCodeStresses(r, type, load);
  TakeSmallerCount(r, Sort(r, kOccasional));
}

// --- expansion, settlement -------------------------------------------------------

void ExpansionCaseCodeStresses(CodeStressResults& r, int caseType, int i, int j, const CaseForcesLoader& load) {
  CategoryPass pass = Pass(r, caseType, load);
  const CodeStressCase c = pass.Case();
  const CodeModel& cm = *r.cm;
  for (int row = 1; row <= r.RecordCount(); ++row) {
    CodeStressRecord& record = r.records[static_cast<std::size_t>(row)];
    const AnalysisElement& e = pass.ElementOf(record);
    const double first = ElementTemperature(cm, e, i);
    const double second = j == 0 ? cm.settings.referenceTemperature : ElementTemperature(cm, e, j);
    // On equal temperatures the case's first one is the hot one.
    const double hot = second > first ? second : first, cold = second > first ? first : second;
    const bool buried21 = BuriedEn13480(cm, e);
    EndPair stress = ElementExpansionStresses(c, record);
    EndPair sa = ExpansionAllowables(cm, record, hot, cold, r.cyclicFactor, r.presence.sustained);
    if (buried21) {
      stress = EndPair{-1.0, -1.0};
      sa = EndPair{1.0, 1.0};
    }
    for (int end = 0; end < 2; ++end)
      pass.KeepLarger(record.expansion[static_cast<std::size_t>(end)], kExpansion, pass.Node(record, end), At(stress, end),
                      At(sa, end));
    if (r.presence.buried && buried21) {
      const double allowable = 0.9 * YieldAtOperatingTemperature(cm, e);
      const EndPair t = RestrainedPipelineThermalStresses(c, record, i, j, r.presence.occasional);
      for (int end = 0; end < 2; ++end) {
        StressCheck& check = record.buried[static_cast<std::size_t>(end)];
        check.allowable = static_cast<float>(allowable);
        pass.KeepLarger(check, kBuried, pass.Node(record, end), At(t, end), allowable);
      }
    }
    if (r.presence.combined && Restrained(cm, e)) {
      const double factor = cm.settings.code == 22 ? 1.0 : 0.9;
      const double allowable = factor * YieldAtOperatingTemperature(cm, e);
      const EndPair t = RestrainedPipelineThermalStresses(c, record, i, j, r.presence.occasional);
      for (int end = 0; end < 2; ++end) {
        record.combined[static_cast<std::size_t>(end)].allowable = static_cast<float>(allowable);
        pass.KeepLarger(record.combined[static_cast<std::size_t>(end)], kCombined, pass.Node(record, end), At(t, end),
                        allowable);
      }
    } else if (r.presence.combined && !IsPipelineCode(cm.settings.code)) {
      double sh = HotAllowable(cm, e);
      std::array<double, 2> sl{record.SL[0], record.SL[1]};
      if (buried21) {
        sl = {-1.0, -1.0};
        sh = 1.0;
      }
      for (int end = 0; end < 2; ++end)
        pass.KeepLarger(record.combined[static_cast<std::size_t>(end)], kCombined, pass.Node(record, end),
                        At(stress, end) + sl[static_cast<std::size_t>(end)], sh + At(sa, end));
    }
    if (r.presence.creep) {
      const double limit = buried21 ? 1.0 : CreepAllowableAtTemperature(MaterialOf(cm, e), hot);
      if (limit > 0.0) {
        EndPair creep = ElementCreepStresses(c, record);
        if (buried21) creep = EndPair{-1.0, -1.0};
        for (int end = 0; end < 2; ++end)
          pass.KeepLarger(record.creep[static_cast<std::size_t>(end)], kCreep, pass.Node(record, end),
                          At(creep, end) + record.SL[static_cast<std::size_t>(end)], limit);
      }
    }
  }
}

void ExpansionCodeStresses(CodeStressResults& r, const CaseForcesLoader& load) {
  r.cyclicFactor = ExpansionRangeFactor(r.cm->settings.code, r.cm->settings.thermalCycles);
  for (int type : ExpansionCaseOrder()) {
    int i = 0, j = 0;
    if (r.HasCaseType(type) && ExpansionCaseTemperatures(type, i, j)) ExpansionCaseCodeStresses(r, type, i, j, load);
  }
  const int count = Sort(r, kExpansion);
  if (r.presence.combined) Sort(r, kCombined);
  if (r.presence.creep) Sort(r, kCreep);
  if (r.presence.buried) Sort(r, kBuried);
  TakeSmallerCount(r, count);
}

void SettlementCodeStresses(CodeStressResults& r, const CaseForcesLoader& load) {
  CategoryPass pass = Pass(r, kCaseIdSettlement, load);
  const CodeStressCase c = pass.Case();
  const CodeModel& cm = *r.cm;
  for (int row = 1; row <= r.RecordCount(); ++row) {
    CodeStressRecord& record = r.records[static_cast<std::size_t>(row)];
    const Material& m = MaterialOf(cm, pass.ElementOf(record));
    EndPair stress = ElementExpansionStresses(c, record);
    const double reference = std::max(AllowableAtTemperature(m, cm.settings.referenceTemperature), 1.0);
    double limit = 3.0 * reference;
    // EN 13480 12.3.6: where the allowable is Rm / 2.4 the limit is Rm.
    if (cm.settings.code == 21 && m.strength > 0.0f &&
        std::fabs(reference - 5.0 / 12.0 * m.strength) <= 1.0e-6 * m.strength)
      limit = m.strength;
    if (BuriedEn13480(cm, pass.ElementOf(record))) {
      stress = EndPair{0.0, 0.0};
      limit = 1.0;
    }
    for (int end = 0; end < 2; ++end) {
      StressCheck& check = record.settlement[static_cast<std::size_t>(end)];
      check.stress = static_cast<float>(At(stress, end));
      check.allowable = static_cast<float>(limit);
      check.ratio = static_cast<float>(At(stress, end) / limit);
      StressRatio(pass.Entry(kSettlement, pass.Node(record, end)), At(stress, end), limit);
    }
  }
  TakeSmallerCount(r, Sort(r, kSettlement));
}

void HydrotestStresses(CodeStressResults& r, const CaseForcesLoader& load) {
  CategoryPass pass = Pass(r, kCaseIdHydrotest, load);
  const CodeStressCase c = pass.Case();
  const bool class2 = IsClass2Or3Code(r.cm->settings.code);
  for (int row = 1; row <= r.RecordCount(); ++row) {
    CodeStressRecord& record = r.records[static_cast<std::size_t>(row)];
    const EndPair s = class2 ? ElementClass2Stresses(c, record, ElementEndStressIndices(*r.cm, r.sifs, record.element), false)
                             : ElementSustainedStresses(c, record, false);
    record.hydrotest = {static_cast<float>(s.end1), static_cast<float>(s.end2)};
  }
}

// --- code None -----------------------------------------------------------------------

void UncodedStresses(CodeStressResults& r, const CaseForcesLoader& load) {
  CategoryPass pass = Pass(r, kCaseIdStaticAnalysis, load);
  const CodeStressCase c = pass.Case();
  // Sections 0, 1, 2: equivalent, maximum and minimum principal stress.
  static constexpr int kSectionOfValue[3] = {1, 2, 0};
  for (int row = 1; row <= r.RecordCount(); ++row) {
    CodeStressRecord& record = r.records[static_cast<std::size_t>(row)];
    UncodedElementStresses(c, record);
    const double sh = HotAllowable(*r.cm, pass.ElementOf(record));
    for (int end = 0; end < 2; ++end)
      for (int value = 0; value < 3; ++value)
        StressRatio(pass.Entry(kSectionOfValue[value], pass.Node(record, end)),
                    record.uncoded[static_cast<std::size_t>(end)][static_cast<std::size_t>(value)], sh);
  }
  Sort(r, 1);
  Sort(r, 2);
  r.sorted.rowCount = Sort(r, 0);
}

}  // namespace

bool CodeStressResults::HasCaseType(int type) const {
  return std::find(caseTypes.begin(), caseTypes.end(), type) != caseTypes.end();
}

CodeStressResults& TheCodeStresses() {
  static CodeStressResults results;
  return results;
}

void FreeCodeStresses() {
  CodeStressResults& r = TheCodeStresses();
  // The code model refers to the elements: it goes first.
  r.cm.reset();
  r = CodeStressResults{};
}

void BeginCodeStresses(CodeStressResults& r, const Model& model, const std::vector<AnalysisElement>& elements,
                       int elementCount, const std::vector<int>& stressElements, const std::vector<int>& caseTypes) {
  r.cm.reset();
  r = CodeStressResults{};
  r.elements.elements = elements;
  r.elements.elements.resize(static_cast<std::size_t>(elementCount) + 1);
  r.elements.count = elementCount;
  r.cm = std::make_unique<CodeModel>(model, r.elements);
  r.caseTypes = caseTypes;
  r.stressOnly = r.cm->settings.code == 0;
  r.presence = CategoriesPresent(*r.cm, caseTypes);
  const std::string refusal = CodeStressRefusal(model, r.cm->settings, r.presence.sustained);
  if (!refusal.empty() && !stressElements.empty()) {
    FreeCodeStresses();
    throw refusal;
  }
  for (int element : stressElements) {
    CodeStressRecord record;
    record.element = element;
    r.records.push_back(record);
  }
}

void ComputeResultSifs(CodeStressResults& r) {
  if (r.cm == nullptr) return;
  r.sifs = ComputeSifs(*r.cm);
  r.branches = BranchConnectionStresses{};
  const int code = r.cm->settings.code;
  bool branchRows = false;
  for (int row = 1; row <= r.cm->model.rowCount; ++row)
    branchRows = branchRows || r.cm->model.row(row).dataType == DataType::BranchSif;
  if (IsClass2Or3Code(code) && r.presence.sustained && branchRows && r.RecordCount() > 0)
    SetUpBranchConnections(*r.cm, r.sifs, r.branches);
}

namespace {

// The first check of the records that could not be made for want of an
// allowable: a material table without a value at the temperature, or a
// strength the code needs that the material does not hold.
void FindMissingAllowable(CodeStressResults& r) {
  using Category = CodeStressCategory;
  const CategoryPresence& p = r.presence;
  const bool pipelineSustained = IsPipelineCode(r.cm->settings.code) && p.occasional;
  for (int row = 1; row <= r.RecordCount(); ++row) {
    const CodeStressRecord& record = r.Record(row);
    for (std::size_t end = 0; end < 2; ++end) {
      const StressCheck sustained = pipelineSustained ? record.occasional[end] : StressCheck{record.SL[end], record.SH[end]};
      const std::pair<bool, std::pair<Category, StressCheck>> checks[] = {
          {p.sustained, {Category::Sustained, sustained}},
          {p.expansion, {Category::Expansion, record.expansion[end]}},
          {p.combined, {Category::Combined, record.combined[end]}},
          {p.occasional, {Category::Occasional, record.occasional[end]}},
          {p.settlement, {Category::Settlement, record.settlement[end]}},
          {p.creep, {Category::Creep, record.creep[end]}},
          {p.buried, {Category::Buried, record.buried[end]}}};
      for (const auto& [present, check] : checks) {
        if (!present || !AllowableMissing(check.second.stress, check.second.allowable)) continue;
        const AnalysisElement& e = r.cm->Element(record.element);
        const Material* m = r.cm->MaterialOf(e);
        const std::string column = ComplianceSymbols(r.cm->settings, check.first, p.occasional).allowable;
        std::string unit = UnitLabel(kUnitTemperature);
        std::erase_if(unit, [](char c) { return c == '(' || c == ')'; });
        r.missingAllowableMessage = std::string("Material ") + (m != nullptr ? m->name : std::string("?")) +
                                    " has no allowable " + column + " at " +
                                    FormatTemperature(ElementMaxTemp(r.cm->model, e)) + " " + unit +
                                    ": the check could not be made.";
        return;
      }
    }
  }
}

}  // namespace

void CalculateCodeStresses(CodeStressResults& r, const CaseForcesLoader& load) {
  r.missingAllowableMessage.clear();
  r.missingAllowableMessageShown = false;
  r.sorted.rowCount = 0;
  if (r.RecordCount() == 0 || r.cm == nullptr) return;
  const int code = r.cm->settings.code;
  const int nodeCount = r.cm->model.nodes.count;
  AllocateSortedStresses(r.sorted, r.presence, code, r.stressOnly, r.showOperating, nodeCount);
  if (r.stressOnly) {
    if (r.presence.uncoded) UncodedStresses(r, load);
    r.computed = true;
    return;
  }
  // The operating stresses are kept whether or not their section is shown,
  // and the pipeline codes keep their occasional stresses for the sustained
  // place.
  for (const auto& [section, needed] : {std::pair{kOperating, r.presence.operating}, std::pair{kOccasional, r.presence.occasional}})
    if (needed && r.sorted.sections[static_cast<std::size_t>(section)].entries.empty())
      r.sorted.sections[static_cast<std::size_t>(section)] = MakeSortedStressSection(nodeCount);
  r.showRatios = ComplianceShowsRatios(r.presence);
  if (code == 12) {
    Bs806CodeStresses(r, r.caseTypes, load);
    r.computed = true;
    return;
  }
  if (r.presence.sustained) {
    if (IsClass2Or3Code(code))
      Class2SustainedCodeStresses(r, load);
    else
      SustainedCodeStresses(r, load);
    if (r.presence.operating) OperatingCodeStresses(r, load);
    if (r.presence.occasional) OccasionalCodeStresses(r, load);
  }
  if (r.presence.expansion) ExpansionCodeStresses(r, load);
  // The restrained check of the pipeline codes without an expansion case.
  if (IsPipelineCode(code) && !r.presence.expansion && r.presence.combined) Sort(r, kCombined);
  if (r.presence.settlement) SettlementCodeStresses(r, load);
  if (r.presence.hydrotest) HydrotestStresses(r, load);
  FindMissingAllowable(r);
  r.computed = true;
}

void ComputeAllowablePressures(CodeStressResults& r) {
  r.allowablePressure.assign(r.records.size(), 0.0);
  r.allowablePressureMessage.clear();
  if (r.cm == nullptr) return;
  for (int row = 1; row <= r.RecordCount(); ++row) {
    double& pressure = r.allowablePressure[static_cast<std::size_t>(row)];
    try {
      pressure = ElementAllowablePressure(*r.cm, r.Record(row).element);
    } catch (const std::string& message) {
      pressure = std::numeric_limits<double>::quiet_NaN();
      if (r.allowablePressureMessage.empty()) r.allowablePressureMessage = message;
    }
  }
}

int SortedStressRowCount(const CodeStressResults& r) { return r.sorted.rowCount; }

void ShowOperatingSection(CodeStressResults& r, bool shown) {
  r.showOperating = shown;
  r.sorted.present[kOperating] = shown && r.presence.operating && !r.stressOnly &&
                                 !r.sorted.sections[kOperating].entries.empty();
}
