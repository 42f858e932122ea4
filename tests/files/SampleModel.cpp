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

void AddProperties(Model& model) {
  Material steel;
  steel.name = "A106";
  steel.type = "CS";
  steel.description = "Carbon steel pipe A106 B";
  steel.nu = 0.3f;
  steel.density = 0.283f;
  steel.jointFactor = 1.0f;
  steel.numtemps = 2;
  steel.temps.resize(3);
  // Temperature, modulus, expansion (in/100 ft), allowable, yield, tensile.
  steel.temps[1].values = {70.0f, 2.95e7f, 0.0f, 2.0e4f, 3.5e4f, 6.0e4f, 0.0f, 0.0f};
  steel.temps[2].values = {400.0f, 2.77e7f, 2.48f, 2.0e4f, 2.89e4f, 6.0e4f, 0.0f, 0.0f};
  AppendMaterial(model.materials, steel);

  PipeSection section;
  InitSection(section);
  section.name = "S8";
  section.outsideDiameter = 8.625f;
  section.thickness = 0.322f;
  section.corrosionAllowance = 0.0625f;
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
