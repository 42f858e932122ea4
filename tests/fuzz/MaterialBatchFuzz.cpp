// The material library batch text reader (*.mlb): any text is read into a
// fresh table or refused with its line's message, and either way the
// program's units are as they were before (an "SI" line changes them only
// for the read); a table read holds what a library can: at most 40 rows a
// material, temperatures ascending, descriptions of at most 31 characters.
// The process aborts when any of that fails. Seeds: libraries written by the
// program's own writer in English and SI units, and texts that reach the
// comment, end and code lines and the warning of a 32-character description.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "properties/MaterialLibraryBatch.h"
#include "services/Units.h"

namespace {

[[noreturn]] void Fault(const char* what) {
  std::fprintf(stderr, "material batch text: %s\n", what);
  std::abort();
}

Material Made(const std::string& description, const char* type, int rows) {
  Material material;
  material.description = description;
  SetMaterialType(material, type);
  material.nu = material.isFrp != 0 ? 0.55f : 0.3f;
  material.density = 0.283f;
  material.jointFactor = 0.85f;
  material.circJointFactor = 1.0f;
  material.strength = 60000.0f;
  material.numtemps = rows;
  material.temps.assign(static_cast<std::size_t>(rows) + 1, MaterialTempRow{});
  for (int row = 1; row <= rows; ++row)
    material.temps[static_cast<std::size_t>(row)].values = {
        100.0f * static_cast<float>(row) - 30.0f, 2.9e7f, 6.5e-6f, 20000.0f, 35000.0f, 60000.0f,
        material.isFrp != 0 ? 3.2e6f : 0.0f, material.isFrp != 0 ? 1.1e6f : 0.0f};
  return material;
}

void CheckRead(const MaterialBatchRead& read) {
  for (int index = 1; index <= read.materials.count; ++index) {
    const Material& material = read.materials[index];
    if (material.description.size() > 31) Fault("a description longer than a material holds");
    if (material.numtemps < 0 || material.numtemps > kMaxMaterialTemps ||
        material.temps.size() != static_cast<std::size_t>(material.numtemps) + 1)
      Fault("a row count a material cannot hold");
    for (int row = 2; row <= material.numtemps; ++row)
      if (!(material.temps[static_cast<std::size_t>(row)].values[kMatTemperature] >
            material.temps[static_cast<std::size_t>(row) - 1].values[kMatTemperature]))
        Fault("temperatures not ascending");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
  const UnitsSettings before = g_UnitsSettings;
  try {
    CheckRead(ReadMaterialBatchText(input, 3));
  } catch (const std::string&) {
  }
  if (std::memcmp(&before, &g_UnitsSettings, sizeof before) != 0) Fault("the program's units changed");
  return 0;
}

std::vector<std::string> FuzzSeeds() {
  ModelRecordTable<Material> materials;
  AppendMaterial(materials, Made("A106 Grade B seamless", "CS", 6));
  AppendMaterial(materials, Made("Glass reinforced epoxy", "FR", 2));
  AppendMaterial(materials, Made("Cast iron", "CI", 1));
  std::vector<std::string> seeds;
  const UnitsSettings before = g_UnitsSettings;
  for (bool si : {false, true}) {
    ApplyMaterialBatchUnits(si);
    seeds.push_back(MaterialBatchText(materials, si ? 101 : 12, si));
  }
  g_UnitsSettings = before;
  seeds.push_back(
      "* a library typed by hand\r\nOPTIONS\r\nB313 SI,Z183\r\nMATERIALS\r\n"
      "*Mixed Case kept,7833,0.3,1,0.9,SS,415\r\n*Mixed Case kept,21,203395,1.1E-5,137.9,205,,0,0\r\n"
      "A DESCRIPTION OF THIRTY-TWO CHARS,,,,,XX\r\nA DESCRIPTION OF THIRTY-TWO CHARS,-40,200000\r\nCOD\r\nignored\r\n");
  seeds.push_back("OPTIONS\nNAVY\n");
  return seeds;
}
