// The material library reader (*.mat): any file is read whole into the
// library or refused with its message, and a refused file leaves the
// library it was read for exactly as it was (the process aborts when it
// does not, so the seed run fails). Seeds: libraries written by the
// program's own writer (none; steels and fibreglass with many rows, in
// another code and other units), and the same libraries as versions 680
// (codes above 10 one lower) and 670 (4-byte names) laid them out.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "fuzz/FuzzTarget.h"
#include "properties/MaterialLibrary.h"

namespace {

bool SameMaterial(const Material& a, const Material& b) {
  if (a.name != b.name || a.type != b.type || a.isFrp != b.isFrp || a.description != b.description ||
      a.numtemps != b.numtemps || a.temps.size() != b.temps.size())
    return false;
  const float ours[5] = {a.nu, a.density, a.jointFactor, a.circJointFactor, a.strength};
  const float theirs[5] = {b.nu, b.density, b.jointFactor, b.circJointFactor, b.strength};
  if (std::memcmp(ours, theirs, sizeof ours) != 0) return false;
  for (std::size_t row = 0; row < a.temps.size(); ++row)
    if (std::memcmp(a.temps[row].values.data(), b.temps[row].values.data(), sizeof a.temps[row].values) != 0)
      return false;
  return true;
}

bool SameLibrary(const MaterialLibrary& a, const MaterialLibrary& b) {
  if (a.pipingCode != b.pipingCode || a.units != b.units || a.materials.count != b.materials.count ||
      a.materials.capacity != b.materials.capacity || a.materials.records.size() != b.materials.records.size())
    return false;
  for (std::size_t index = 0; index < a.materials.records.size(); ++index)
    if (!SameMaterial(a.materials.records[index], b.materials.records[index])) return false;
  return true;
}

Material Made(const std::string& description, const char* type, int rows, float scale) {
  Material material;
  material.description = description;
  SetMaterialType(material, type);
  material.nu = material.isFrp != 0 ? 0.55f : 0.292f;
  material.density = 0.2833f * scale;
  material.jointFactor = 0.85f;
  material.circJointFactor = 1.0f;
  material.strength = 60000.0f * scale;
  material.numtemps = rows;
  material.temps.assign(static_cast<std::size_t>(rows) + 1, MaterialTempRow{});
  for (int row = 1; row <= rows; ++row) {
    const float t = -20.0f + 50.0f * static_cast<float>(row);
    material.temps[static_cast<std::size_t>(row)].values = {t,       2.9e7f - 1.0e4f * t, 6.0e-6f + 1.0e-9f * t,
                                                            20000.0f, 35000.0f,          60000.0f,
                                                            material.isFrp != 0 ? 3.2e6f : 0.0f,
                                                            material.isFrp != 0 ? 1.1e6f : 0.0f};
  }
  return material;
}

// The library it was read for: something a refused read must leave alone.
MaterialLibrary Kept() {
  MaterialLibrary library;
  AppendMaterial(library.materials, Made("Kept carbon steel", "CS", 3, 1.0f));
  library.pipingCode = 201;
  library.units = {2, 1, 1, 1, 1};
  return library;
}

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The bytes of a library of today's layout as version 670 laid it out:
// the same records with 4-byte names (library names are empty).
std::string WithShortNames(const std::string& bytes) {
  constexpr std::size_t kFixedAfterName = 3 + 1 + 32 + 5 * 4;
  std::string out = bytes.substr(0, 44);
  std::memcpy(out.data() + 11, "6700", 4);
  std::size_t at = 44;
  while (at + 6 + kFixedAfterName + 4 <= bytes.size()) {
    out += bytes.substr(at, 4);
    at += 6;
    std::int32_t rows = 0;
    std::memcpy(&rows, bytes.data() + at + kFixedAfterName, 4);
    const std::size_t length = kFixedAfterName + 4 + 32 * static_cast<std::size_t>(rows);
    out += bytes.substr(at, length);
    at += length;
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = FuzzWriteFile("fuzz.mat", data, size);
  static const MaterialLibrary kept = Kept();
  MaterialLibrary library = kept;
  try {
    ReadMaterialLibraryFile(path, library);
  } catch (const std::string&) {
    if (!SameLibrary(library, kept)) {
      std::fprintf(stderr, "a refused material library changed the library it was read for\n");
      std::abort();
    }
  }
  return 0;
}

std::vector<std::string> FuzzSeeds() {
  ModelRecordTable<Material> none, several;
  AppendMaterial(several, Made("A106 Grade B seamless pipe", "CS", 12, 1.0f));
  AppendMaterial(several, Made("Glass reinforced epoxy", "FR", 2, 0.25f));
  AppendMaterial(several, Made("Ti grade 2", "TI", 1, 0.6f));
  AppendMaterial(several, Made("No rows at all", "", 0, 0.0f));
  std::vector<std::string> seeds;
  const std::string path = FuzzWriteFile("seed.mat", nullptr, 0);
  WriteMaterialLibraryFile(path, none, 0, LibraryUnits{});
  seeds.push_back(Bytes(path));
  WriteMaterialLibraryFile(path, several, 12, LibraryUnits{2, 1, 3, 1, 4});
  const std::string current = Bytes(path);
  seeds.push_back(current);
  std::string older = current;
  std::memcpy(older.data() + 11, "6800", 4);  // code 12 then reads as 13
  seeds.push_back(older);
  seeds.push_back(WithShortNames(current));
  return seeds;
}
