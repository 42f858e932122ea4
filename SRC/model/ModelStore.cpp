// The open model, clearing a model and setting up a new empty one.
//
// The open model is a function-local static, made on first use, so nothing
// runs before main. A reader fills a Model of its own and SwapModel makes it
// the open one; the previous model comes back to the caller, who lets it go.
#include "model/Model.h"

#include "model/KindRecords.h"
#include "model/RowObjects.h"

#include <utility>

#include "records/AnalysisOptions.h"
#include "records/LoadCaseList.h"
#include "records/PipeSection.h"
#include "services/Assert.h"
#include "services/General.h"
#include "services/NameTables.h"
#include "services/Units.h"

Model::Model() = default;
Model::~Model() = default;
Model::Model(Model&&) noexcept = default;
Model& Model::operator=(Model&&) noexcept = default;

LayoutRow& Model::row(int number) {
  QV_ASSERT(number >= 0 && number < kLayoutRowRoom);
  const auto needed = static_cast<std::size_t>(number) + 1;
  if (rows.size() < needed) rows.resize(needed);
  return rows[static_cast<std::size_t>(number)];
}

const LayoutRow& Model::row(int number) const {
  QV_ASSERT(number >= 0 && number < kLayoutRowRoom);
  static const LayoutRow blank;
  const auto index = static_cast<std::size_t>(number);
  return index < rows.size() ? rows[index] : blank;
}

namespace {

// The model a thread reads in place of the open one (the graphics thread's
// drawn copy); null on every other thread.
thread_local Model* t_ThreadModel = nullptr;

Model& OpenModel() {
  static Model model;
  return model;
}

}  // namespace

Model& TheModel() { return t_ThreadModel != nullptr ? *t_ThreadModel : OpenModel(); }

void SetThreadModel(Model* model) { t_ThreadModel = model; }

void SwapModel(Model& other) { std::swap(OpenModel(), other); }

NodeTable& CurrentNodeTable() { return TheModel().nodes; }

AnalysisOptions& ProgramAnalysisOptions() {
  static AnalysisOptions options;
  return options;
}

std::array<std::int32_t, kUnitChoiceCount> ProgramUnitChoices() {
  std::array<std::int32_t, kUnitChoiceCount> choices{};
  for (int kind = 1; kind <= kUnitKindCount; ++kind)
    choices[static_cast<std::size_t>(kind - 1)] = g_UnitsSettings.unit[kind];
  return choices;
}

void ApplyModelUnits(const Model& model) {
  for (int kind = 1; kind <= kUnitKindCount; ++kind)
    g_UnitsSettings.unit[kind] = model.unitChoices[static_cast<std::size_t>(kind - 1)];
}

void ClearModel(Model& model) {
  std::string path = std::move(model.path);
  std::string title = std::move(model.title);
  model = Model();  // every row's objects go with the old rows
  model.path = std::move(path);
  model.title = std::move(title);
}

namespace {


void ResetTables(Model& model) {
  ModelRecordTableReset(model.materials);
  ModelRecordTableReset(model.sections);
  ModelRecordTableReset(model.pipeLoads);
  ModelRecordTableReset(model.beamMaterials);
  ModelRecordTableReset(model.beamSections);
  ModelRecordTableReset(model.beamLoads);
  ModelRecordTableReset(model.pumps);
  ModelRecordTableReset(model.compressors);
  ModelRecordTableReset(model.turbines);
  ModelRecordTableReset(model.allowables);
  ModelRecordTableReset(model.soils);
  ClearSpectra(model.spectra, model.spectrumLoad);
  ClearForceSpectra(model.forceSpectra);
  ClearTimeFunctions(model.timeFunctions);
}

}  // namespace

void SetNewModelLoadCaseFlags(LoadCaseList& cases, std::int32_t pipingCode) {
  cases.selected.fill(0);
  auto select = [&cases](int id, bool on) {
    cases.selected[static_cast<std::size_t>(id)] = on ? 1 : 0;
  };
  const bool hasCode = pipingCode != 0;
  for (int id : {kCaseIdSustained, kCaseIdOperating, kCaseIdEmptyWeight}) select(id, hasCode);
  select(SingleThermalCase(1), hasCode);
  select(kCaseIdStaticAnalysis, !hasCode);
  // The modal case is only set by the start-up batch run, which sets it itself.
  select(kCaseIdModal, false);
}

void InitEmptyModel(Model& model, const AnalysisOptions& programOptions) {
  ClearModel(model);
  ResetTables(model);
  ResetWindLoads(model.wind);

  // The options a new model keeps come from the program's record; these take
  // the new model's values.
  model.options = programOptions;
  model.options.Z184ClassLocation = 1;
  model.options.OccasionalLoadFactor = 1.2f;
  model.options.ReferenceTemperature = 70.0f;
  model.options.ThermalCycles = 7000;
  model.options.ThermalLoadCount = 1;
  model.options.PeakPressureFactor = 1.0f;
  model.options.YieldDisplacementFactor = 0.04f;
  model.options.CutOffFrequency = 33;
  model.options.ModeCount = 20;
  // What the code forces, as the model reader forces it: the program's
  // options (the registry's, say) may lack it, and a model must be the one
  // its own file reads back.
  ApplyCodeForcedOptions(model.options);

  model.nodeIncrement = 10;
  model.seismic = StaticSeismic();
  model.seismic.combination = kSeismicSrss;
  model.loadCases = LoadCaseList();
  SetNewModelLoadCaseFlags(model.loadCases, model.options.PipingCode);
  InitGraphicsSettings(model.graphics);
  model.unitChoices = ProgramUnitChoices();

  model.currentRow = 1;
  model.layoutTopRow = 1;
  model.listName.clear();
  model.modified = false;
  model.layoutChanged = false;
  model.unmadeReason.clear();
}

std::string GetModelName() {
  const std::string name = FileNameOf(TheModel().path);
  if (name.empty()) return "Untitled";
  return name.size() > 4 ? name.substr(0, name.size() - 4) : std::string();
}

const char* DataItemTypeName(int dataType, int subtype) {
  return DataItemTypeNameForCode(dataType, subtype, TheModel().options.PipingCode);
}

bool AnySectionHasSoil(const Model& model) {
  if (model.soils.count == 0) return false;
  for (int index = 1; index <= model.sections.count; ++index)
    if (!model.sections[index].soil.empty()) return true;
  return false;
}

bool ModelHasBuriedPipe(const Model& model) {
  for (int row = 1; row <= model.rowCount; ++row) {
    const LayoutRow& layout = model.row(row);
    if (layout.elementType == ElementType::Beam) continue;
    const auto buried = [&model](const std::string& name) {
      const int section = FindSectionByName(model.sections, name);
      return section != 0 && !model.sections[section].soil.empty();
    };
    if (buried(layout.section)) return true;
    const JacketRecord* jacket = layout.element != nullptr ? layout.element->AsJacket() : nullptr;
    if (jacket != nullptr && buried(jacket->jacketSection)) return true;
  }
  return false;
}
