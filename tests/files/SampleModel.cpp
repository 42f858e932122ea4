// The sample model (see SampleModel.h). Lengths in inches, temperatures in
// degrees Fahrenheit, pressures in psi, as the model file holds them.
#include "files/SampleModel.h"

#include "elements/CommentData.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/ModelLoadCases.h"
#include "model/RowOperations.h"
#include "records/LoadCaseList.h"
#include "supports/Restraint.h"

#include <array>
#include <cmath>
#include <vector>

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
  // Design conditions cover the operating ones with the usual margins.
  load.designTemperature = 350.0f;
  load.designPressure = 185.0f;
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
  BuildLoadCases(model);
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
  steam.designTemperature = 775.0f;
  steam.designPressure = 650.0f;
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
  BuildLoadCases(model);
  model.modified = false;
}

// --- the big model -----------------------------------------------------------
//
// A process plant's main pipe rack to B31.3: six lines side by side on a
// rack 20 ft high and 800 ft long (a bent every 20 ft), each anchored at
// its equipment nozzle at the west end, on the rack at its middle and at
// its tie-in drop at the east end. Between the anchors every line has an
// expansion loop that rises 5 ft over the rack and runs out to the north;
// the loops of one bay nest, the hottest and largest line outermost. The
// lines rest on every bent (vertical restraints) and are guided on every
// third one; take-offs rise from the headers, cross the rack to the south
// and drop to the nozzles of equipment at grade, guided halfway down. Three
// thermal states per line: normal operation, upset, and cold weather.
namespace {

struct RackLine {
  const char* load;
  const char* material;
  const char* header;   // section
  const char* branch;   // section of the take-offs
  float diameter;       // outside, of the header
};

// Lines from the south edge of the rack (z = 0) northwards.
constexpr RackLine kRackLines[] = {
    {"ST", "A106", "I16", "I6", 16.0f},  // steam
    {"HO", "A106", "I12", "I4", 12.75f}, // hot oil
    {"CWS", "A53", "S10", "S6", 10.75f}, // cooling water supply
    {"CWR", "A53", "S10", "S6", 10.75f}, // cooling water return
    {"CN", "A106", "S8", "S4", 8.625f},  // condensate
    {"FG", "A106", "S6", "S2", 6.625f},  // fuel gas
};
constexpr int kLineCount = 6;
constexpr float kRackElevation = 240.0f;  // inch
constexpr float kBay = 240.0f;
constexpr int kBays = 40;
constexpr float kLineSpacing = 36.0f;
constexpr float kNozzleElevation = 36.0f;
constexpr float kLoopRise = 60.0f;
constexpr int kLoopBays[] = {10, 30};
constexpr int kMidAnchorBay = 20;

class RackBuilder {
 public:
  explicit RackBuilder(Model& model) : model_(model) {}

  void Build() {
    for (int line = 0; line < kLineCount; ++line) Header(line);
    for (const Branch& branch : branches_) TakeOff(branch);
  }

 private:
  struct Branch {
    int line;
    NodeId node;
    float x;
  };

  int Element(NodeId node, ElementType type, float dx, float dy, float dz, const RackLine& line,
              const char* section) {
    const int number = AddRow(model_, node, type, dx, dy, dz);
    LayoutRow& row = model_.row(number);
    row.material = line.material;
    row.section = section;
    row.load = line.load;
    return number;
  }
  void Rest(int row, bool guided) {
    auto* restraint = dynamic_cast<Restraint*>(SetDataType(model_, row, DataType::Restraint));
    restraint->restrainY = 1;
    restraint->restrainZ = guided ? 1 : 0;
  }

  static float LineZ(int line) { return static_cast<float>(line) * kLineSpacing; }
  // The loops nest: the first line's is the widest and reaches furthest.
  static float LoopWidth(int line) { return 240.0f + 2.0f * static_cast<float>(kLineCount - 1 - line) * kLineSpacing; }
  static float LoopReach(int line) {
    return LineZ(kLineCount - 1) + 240.0f + static_cast<float>(kLineCount - 1 - line) * kLineSpacing - LineZ(line);
  }

  // One line along the rack from its west nozzle to its east drop: a
  // station at every bent and halfway between bents, none inside a loop or
  // closer to one than the loop's bend needs.
  void Header(int index) {
    const RackLine& line = kRackLines[index];
    NodeId node = static_cast<NodeId>(10000 * (index + 1));
    auto next = [&node] { return node += 10; };
    const float z = LineZ(index);
    const float clearance = 3.0f * line.diameter;  // two bend radii
    auto inLoop = [&](float x) {
      for (int bay : kLoopBays) {
        const float centre = static_cast<float>(bay) * kBay + kBay / 2.0f;
        if (std::fabs(x - centre) < LoopWidth(index) / 2.0f + clearance) return true;
      }
      return false;
    };
    // The west nozzle, 5 ft from the first bent, and the run onto the rack.
    SetDataType(model_, AddRow(model_, node, ElementType::From, -60.0f, kNozzleElevation, z), DataType::Anchor);
    Element(next(), ElementType::Bend, 0.0f, kRackElevation - kNozzleElevation, 0.0f, line, line.header);
    float x = -60.0f;
    int loop = 0;
    for (int half = 0; half < 2 * kBays; ++half) {
      const float station = static_cast<float>(half) * kBay / 2.0f;
      if (loop < 2 && station > static_cast<float>(kLoopBays[loop]) * kBay) {
        x = Loop(index, kLoopBays[loop], x, next);
        ++loop;
      }
      if (inLoop(station)) continue;
      const int row = Element(next(), ElementType::Pipe, station - x, 0.0f, 0.0f, line, line.header);
      x = station;
      if (half % 2 != 0) continue;
      const int bent = half / 2;
      if (bent == kMidAnchorBay) {
        SetDataType(model_, row, DataType::Anchor);
        continue;
      }
      Rest(row, bent % 3 == 0);
      if (bent > 0 && (bent + index) % 4 == 2) branches_.push_back({index, node, station});
    }
    // The last bent, then the drop to the east tie-in.
    const float end = static_cast<float>(kBays) * kBay;
    Rest(Element(next(), ElementType::Pipe, end - x, 0.0f, 0.0f, line, line.header), false);
    Element(next(), ElementType::Bend, 72.0f, 0.0f, 0.0f, line, line.header);
    Element(next(), ElementType::Bend, 0.0f, kNozzleElevation - kRackElevation, 0.0f, line, line.header);
    SetDataType(model_, Element(next(), ElementType::Pipe, 60.0f, 0.0f, 0.0f, line, line.header),
                DataType::Anchor);
  }

  // The loop over the middle of `bay`, from the header at `x`: up, out to
  // the north, along, back and down; the header goes on from its far end.
  template <typename Next>
  float Loop(int index, int bay, float x, Next& next) {
    const RackLine& line = kRackLines[index];
    const float centre = static_cast<float>(bay) * kBay + kBay / 2.0f;
    const float half = LoopWidth(index) / 2.0f;
    const float reach = LoopReach(index);
    Element(next(), ElementType::Bend, centre - half - x, 0.0f, 0.0f, line, line.header);
    Element(next(), ElementType::Bend, 0.0f, kLoopRise, 0.0f, line, line.header);
    Element(next(), ElementType::Bend, 0.0f, 0.0f, reach, line, line.header);
    Rest(Element(next(), ElementType::Pipe, half, 0.0f, 0.0f, line, line.header), false);
    Element(next(), ElementType::Bend, half, 0.0f, 0.0f, line, line.header);
    Element(next(), ElementType::Bend, 0.0f, 0.0f, -reach, line, line.header);
    Element(next(), ElementType::Bend, 0.0f, -kLoopRise, 0.0f, line, line.header);
    return centre + half;
  }

  // From the top of a header over the lines to its south, down to a nozzle
  // 3 ft above grade.
  void TakeOff(const Branch& branch) {
    const RackLine& line = kRackLines[branch.line];
    NodeId node = static_cast<NodeId>(10000 * (branch.line + 1) + 5000 + 100 * takeOffs_[branch.line]++);
    auto next = [&node] { return node += 10; };
    const float rise = 30.0f + 6.0f * static_cast<float>(branch.line);
    const float south = -72.0f - LineZ(branch.line);
    const float drop = kRackElevation + rise - kNozzleElevation;
    AddRow(model_, branch.node, ElementType::From, 0.0f, 0.0f, 0.0f);
    Element(next(), ElementType::Bend, 0.0f, rise, 0.0f, line, line.branch);
    Element(next(), ElementType::Bend, 0.0f, 0.0f, south, line, line.branch);
    Rest(Element(next(), ElementType::Pipe, 0.0f, -drop / 2.0f, 0.0f, line, line.branch), false);
    auto* guide = dynamic_cast<Restraint*>(model_.row(model_.rowCount).item.get());
    guide->restrainY = 0;
    guide->restrainX = guide->restrainZ = 1;
    Element(next(), ElementType::Bend, 0.0f, -drop / 2.0f, 0.0f, line, line.branch);
    SetDataType(model_, Element(next(), ElementType::Pipe, 0.0f, 0.0f, -48.0f, line, line.branch),
                DataType::Anchor);
  }

  Model& model_;
  std::vector<Branch> branches_;
  int takeOffs_[kLineCount] = {};
};

PipeLoad RackLoad(const Model& model, const char* name, std::array<TemperaturePressure, 3> states,
                  TemperaturePressure design, float gravity) {
  PipeLoad load;
  InitPipeLoad(load, model.options.ReferenceTemperature);
  load.name = name;
  for (std::size_t k = 0; k < 3; ++k) load.operating[k] = states[k];
  load.designTemperature = design.temperature;
  load.designPressure = design.pressure;
  load.specificGravity = gravity;
  return load;
}

PipeSection InsulatedSection(const char* name, const char* size, float od, float wall, float insulation) {
  PipeSection section = StandardSection(name, size, "STD", od, wall);
  section.corrosionAllowance = 0.0625f;
  section.millTolerance = 12.5f;
  section.insulationThickness = insulation;
  section.insulationDensity = static_cast<float>(15.0 / 1728.0);  // calcium silicate, 15 lb/cu ft
  return section;
}

}  // namespace

void BuildBigModel(Model& model) {
  InitEmptyModel(model, AnalysisOptions());
  model.options.PipingCode = 3;
  model.options.ThermalLoadCount = 3;
  ApplyCodeForcedOptions(model.options);
  model.unitChoices.fill(0);
  model.title = "Main pipe rack, 6 lines, 800 ft";

  AppendMaterial(model.materials, CarbonSteel("A106", "Carbon steel pipe A106 B", kB313Allowable));
  Material welded = CarbonSteel("A53", "Carbon steel pipe A53 B ERW", kB313Allowable);
  welded.jointFactor = 0.85f;
  AppendMaterial(model.materials, welded);

  AppendSection(model.sections, InsulatedSection("I16", "16\"", 16.0f, 0.375f, 4.0f));
  AppendSection(model.sections, InsulatedSection("I12", "12\"", 12.75f, 0.375f, 3.0f));
  AppendSection(model.sections, InsulatedSection("I6", "6\"", 6.625f, 0.280f, 2.0f));
  AppendSection(model.sections, InsulatedSection("I4", "4\"", 4.5f, 0.237f, 2.0f));
  const struct {
    const char* name;
    const char* size;
    const char* schedule;
    float od, wall;
  } bare[] = {{"S10", "10\"", "STD", 10.75f, 0.365f}, {"S8", "8\"", "STD", 8.625f, 0.322f},
              {"S6", "6\"", "STD", 6.625f, 0.280f},   {"S4", "4\"", "STD", 4.5f, 0.237f},
              {"S2", "2\"", "XS", 2.375f, 0.218f}};
  for (const auto& size : bare) {
    PipeSection section = StandardSection(size.name, size.size, size.schedule, size.od, size.wall);
    section.corrosionAllowance = 0.0625f;
    section.millTolerance = 12.5f;
    AppendSection(model.sections, section);
  }

  // Normal operation, upset and cold weather (no pressure where the line is
  // drained or blocked in), and the design conditions over all three.
  constexpr float kNone = 1.0e-36f;  // a pressure typed as 0
  AppendPipeLoad(model.pipeLoads, RackLoad(model, "ST", {{{600, 250}, {650, 275}, {20, kNone}}}, {650, 285}, 0.0f));
  AppendPipeLoad(model.pipeLoads, RackLoad(model, "HO", {{{500, 150}, {550, 165}, {20, kNone}}}, {575, 200}, 0.85f));
  AppendPipeLoad(model.pipeLoads, RackLoad(model, "CWS", {{{85, 75}, {95, 90}, {20, 75}}}, {150, 150}, 1.0f));
  AppendPipeLoad(model.pipeLoads, RackLoad(model, "CWR", {{{110, 60}, {125, 75}, {20, 60}}}, {150, 150}, 1.0f));
  AppendPipeLoad(model.pipeLoads, RackLoad(model, "CN", {{{300, 50}, {338, 100}, {20, kNone}}}, {350, 150}, 0.92f));
  AppendPipeLoad(model.pipeLoads, RackLoad(model, "FG", {{{100, 100}, {130, 110}, {20, 100}}}, {150, 150}, 0.0f));

  model.rowCount = 1;
  SetElementType(model, 1, ElementType::Comment);
  dynamic_cast<CommentData&>(*model.row(1).element).SetText("Title = " + model.title);
  RackBuilder(model).Build();
  MakeModel(model);
  // Every thermal state, and the ranges from the cold state to normal
  // operation and to the upset (the one that governs the loops).
  for (int id : {3, 4, 6, 7}) model.loadCases.selected[static_cast<std::size_t>(id)] = 1;
  BuildLoadCases(model);
  model.modified = false;
}
