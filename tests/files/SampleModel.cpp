// The sample model (see SampleModel.h). Lengths in inches, temperatures in
// degrees Fahrenheit, pressures in psi, as the model file holds them.
#include "SampleModel.h"

#include "elements/Bend.h"
#include "elements/CommentData.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/RowOperations.h"
#include "supports/Restraint.h"

namespace {

constexpr const char* kTitle = "Sample 8 inch line";

// Carbon steel (C <= 0.3 %): modulus of ASME B31.3 Table C-6 and mean
// expansion from 70 F of Table C-3, interpolated at the half-hundreds.
struct SteelRow {
  float temperature, modulus, alpha;
};
constexpr SteelRow kCarbonSteel[] = {
    {70, 29.5e6f, 6.07e-6f},   {100, 29.34e6f, 6.13e-6f}, {200, 28.8e6f, 6.38e-6f},  {300, 28.3e6f, 6.60e-6f},
    {400, 27.7e6f, 6.82e-6f},  {500, 27.3e6f, 7.02e-6f},  {600, 26.7e6f, 7.23e-6f},  {650, 26.1e6f, 7.33e-6f},
    {700, 25.5e6f, 7.44e-6f},  {750, 24.85e6f, 7.54e-6f}, {800, 24.2e6f, 7.65e-6f},  {850, 23.3e6f, 7.75e-6f},
    {900, 22.4e6f, 7.84e-6f},  {950, 21.4e6f, 7.91e-6f},  {1000, 20.4e6f, 7.97e-6f},
};
// Allowable stresses (psi) of A106 B (and A53 B) at the same temperatures:
// ASME B31.3 Table A-1 and ASME B31.1 Table A-1.
constexpr float kB313Allowable[] = {20000, 20000, 20000, 20000, 20000, 18900, 17300, 17000,
                                    16500, 13000, 10800, 8700,  6500,  4500,  2500};
constexpr float kB311Allowable[] = {17100, 17100, 17100, 17100, 17100, 17100, 17100, 17100,
                                    15600, 13000, 10800, 8700,  6500,  4500,  2500};

Material CarbonSteel(const char* name, const char* description, const float (&allowable)[15]) {
  Material steel;
  steel.name = name;
  SetMaterialType(steel, "CS");
  steel.description = description;
  steel.nu = 0.3f;
  steel.density = 0.283f;
  steel.jointFactor = 1.0f;
  steel.circJointFactor = 1.0f;
  steel.strength = 35000.0f;  // minimum yield
  steel.numtemps = 15;
  steel.temps.resize(16);
  for (int i = 0; i < 15; ++i) {
    const SteelRow& row = kCarbonSteel[i];
    steel.temps[static_cast<std::size_t>(i) + 1].values = {row.temperature, row.modulus, row.alpha, allowable[i],
                                                           0.0f, 0.0f, 0.0f, 0.0f};
  }
  return steel;
}

PipeSection StandardSection(const char* name, const char* size, const char* schedule, float od, float wall) {
  PipeSection section;
  InitSection(section);
  section.name = name;
  section.standard = kStandardAnsi;
  section.nominalSize = size;
  section.schedule = schedule;
  section.outsideDiameter = od;
  section.thickness = wall;
  return section;
}

void AddProperties(Model& model) {
  AppendMaterial(model.materials, CarbonSteel("A106", "Carbon steel pipe A106 B", kB313Allowable));
  Material welded = CarbonSteel("A53", "Carbon steel pipe A53 B ERW", kB313Allowable);
  welded.jointFactor = 0.85f;
  AppendMaterial(model.materials, welded);

  PipeSection section = StandardSection("S8", "8\"", "40", 8.625f, 0.322f);
  section.corrosionAllowance = 0.0625f;
  section.millTolerance = 12.5f;
  AppendSection(model.sections, section);

  PipeLoad load;
  InitPipeLoad(load, model.options.ReferenceTemperature);
  load.name = "L1";
  load.operating[0] = {300.0f, 150.0f};
  load.specificGravity = 1.0f;
  AppendPipeLoad(model.pipeLoads, load);
}

int AddRow(Model& model, NodeId node, ElementType type, float dx, float dy, float dz) {
  const int number = ++model.rowCount;
  LayoutRow& row = model.row(number);
  row.node = node;
  SetElementType(model, number, type);
  row.dx = dx;
  row.dy = dy;
  row.dz = dz;
  return number;
}

}  // namespace

void BuildSampleModel(Model& model) {
  InitEmptyModel(model, AnalysisOptions());
  // As the reader leaves them, so that the file reads back as it was written.
  ApplyCodeForcedOptions(model.options);
  model.unitChoices.fill(0);  // English units, whatever the program's are now
  model.title = kTitle;
  AddProperties(model);

  model.rowCount = 1;
  SetElementType(model, 1, ElementType::Comment);
  dynamic_cast<CommentData&>(*model.row(1).element).SetText(std::string("Title = ") + kTitle);

  const int from = AddRow(model, 10, ElementType::From, 0.0f, 0.0f, 0.0f);
  SetDataType(model, from, DataType::Anchor);
  const int first = AddRow(model, 20, ElementType::Pipe, 120.0f, 0.0f, 0.0f);
  LayoutRow& firstRow = model.row(first);
  firstRow.material = "A106";
  firstRow.section = "S8";
  firstRow.load = "L1";
  const int restrained = AddRow(model, 30, ElementType::Pipe, 120.0f, 0.0f, 0.0f);
  auto* restraint = dynamic_cast<Restraint*>(SetDataType(model, restrained, DataType::Restraint));
  restraint->restrainY = 1;
  AddRow(model, 40, ElementType::Bend, 60.0f, 0.0f, 0.0f);
  AddRow(model, 50, ElementType::Pipe, 0.0f, 0.0f, 120.0f);
  const int last = AddRow(model, 60, ElementType::Pipe, 0.0f, 0.0f, 120.0f);
  SetDataType(model, last, DataType::Anchor);

  MakeModel(model);
  model.modified = false;
}

void BuildSteamLineModel(Model& model) {
  InitEmptyModel(model, AnalysisOptions());
  model.options.PipingCode = 1;
  ApplyCodeForcedOptions(model.options);
  model.unitChoices.fill(0);
  model.title = "Steam line 6 inch B31.1";
  AppendMaterial(model.materials, CarbonSteel("A106", "Carbon steel pipe A106 B", kB311Allowable));
  PipeSection section = StandardSection("S6", "6\"", "80", 6.625f, 0.432f);
  section.corrosionAllowance = 0.0625f;
  section.millTolerance = 12.5f;
  section.insulationThickness = 3.0f;
  section.insulationDensity = static_cast<float>(15.0 / 1728.0);  // calcium silicate
  AppendSection(model.sections, section);
  PipeLoad steam;
  InitPipeLoad(steam, model.options.ReferenceTemperature);
  steam.name = "ST";
  steam.operating[0] = {750.0f, 600.0f};
  AppendPipeLoad(model.pipeLoads, steam);

  model.rowCount = 1;
  SetElementType(model, 1, ElementType::Comment);
  dynamic_cast<CommentData&>(*model.row(1).element).SetText("Title = " + model.title);
  const int from = AddRow(model, 10, ElementType::From, 0.0f, 0.0f, 0.0f);
  SetDataType(model, from, DataType::Anchor);
  const int first = AddRow(model, 20, ElementType::Pipe, 240.0f, 0.0f, 0.0f);
  model.row(first).material = "A106";
  model.row(first).section = "S6";
  model.row(first).load = "ST";
  AddRow(model, 30, ElementType::Bend, 120.0f, 0.0f, 0.0f);
  const int last = AddRow(model, 40, ElementType::Pipe, 0.0f, 0.0f, 240.0f);
  SetDataType(model, last, DataType::Anchor);
  MakeModel(model);
  model.modified = false;
}
