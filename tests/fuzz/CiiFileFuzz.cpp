// The CAESAR II neutral file reader: any text is imported into a fresh
// model or refused with its line's message, and a model imported is one the
// program can show and save (AcceptedModelCheck.h). Seeds: files of the
// layouts of versions 5.1, 10.0 and 4.5 reaching every section and record
// kind, written from the grammar, and the files of seeds/CiiFileFuzz:
// numbers at and beyond the edges of what a cell takes.
#include <sstream>

#include "files/CiiImport.h"
#include "files/CiiSample.h"
#include "files/ModelIntake.h"
#include "fuzz/AcceptedModelCheck.h"
#include "fuzz/FuzzTarget.h"
#include "model/Model.h"
#include "services/Units.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
  g_UnitsSettings = UnitsSettings{};
  Model model;
  std::vector<std::string> log;
  try {
    ReadCiiFile(input, model, log);
  } catch (const std::string&) {
    return 0;
  }
  // The import's one check of the model, as ImportBatchFile asks it.
  if (!ModelIntakeRefusal(model, IntakeRoad::kImport).empty()) return 0;
  CheckAcceptedModel(model, "CAESAR II neutral file", RoadRules::kRows, log);
  return 0;
}

std::size_t FuzzSeedBudget() { return kAcceptedModelSeedBudget; }

std::vector<std::string> FuzzSeeds() {
  std::vector<std::string> seeds;
  for (double version : {5.1, 10.0, 4.5}) {
    CiiSample sample;
    sample.version = version;
    CiiSampleElement e;
    e.from = 10;
    e.to = 20;
    e.dx = 120;
    sample.elements.push_back(e);
    e.from = 20;
    e.to = 30;
    e.dx = 0;
    e.dy = 120;
    e.bend = 1;
    sample.elements.push_back(e);
    e.from = 30;
    e.to = 40;
    e.dy = 0;
    e.dz = 50;
    e.bend = 0;
    e.joint = 1;
    sample.elements.push_back(e);
    e.from = 40;
    e.to = 50;
    e.joint = 0;
    e.rigid = 1;
    sample.elements.push_back(e);
    sample.bends.push_back({12, 0, 45, 25, 0, 0});
    sample.joints.push_back({1000, 500, 200, 300, 10});
    sample.rigids.push_back(100);
    for (double type : {1.0, 2.0, 3.0, 5.0, 8.0, 9.0, 10.0, 13.0, 16.0, 99.0})
      sample.restraints.push_back({type < 9 ? 10.0 : 40.0, type, 1000, 0.1, 0.3, 0, 0, 1, 0});
    sample.restraints.push_back({40, 8, 1000, 0.1, -0.3, 0, 0, 1, 0});  // a friction not taken
    sample.forces.push_back({40, 1, 2, 3, 4, 5, 6});
    sample.tees.push_back({20, 1, 2, 1.5});
    sample.tees.push_back({30, 20, 2, 1.5});
    sample.hangerNodes = {30, 40};
    sample.hangerTables = {2, 25};
    sample.nodeNames = 1;
    sample.uniforms = sample.winds = sample.offsets = sample.allowables = sample.flanges = sample.equipment = 1;
    sample.coords.push_back({10, 0, 0, 0});
    // The passes after the elements, nozzles, displacements, welds and a
    // chain of elements given out of order.
    e.from = 60;
    e.to = 70;
    e.rigid = 0;
    e.reducer = 1;
    e.hydro = 300;
    sample.elements.push_back(e);
    e.from = 50;
    e.to = 60;
    e.reducer = 0;
    e.joint = 2;
    e.dz = 0;
    sample.elements.push_back(e);
    sample.joints.push_back({1000, 500, 200, 300, 0});
    sample.reducers.push_back({0, 0});
    sample.bends.back()[3] = -25;
    sample.nozzles.push_back({40, 0, 0, 8.625, 0.322, 120, 0.5, 0, 0, 100, 100, 0, 1, 0});
    CiiSampleDisplacement moved;
    moved.node = 10;
    moved.vectors[0] = {1, 2, 3, 0, 0, 9999.99};
    sample.displacements.push_back(moved);
    for (double type : {7.0, 11.0, 8.0}) sample.tees.push_back({20, type, 0, 0});
    sample.ambient = 70;
    seeds.push_back(sample.Text());
  }
  return seeds;
}
