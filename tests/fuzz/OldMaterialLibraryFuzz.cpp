// The reader of old material libraries (*.mdb, both layouts): any file is
// read whole into the library or refused with its message, and a refused
// file leaves the library it was read for exactly as it was (the process
// aborts when it does not). The version reader that asks the conversion
// question is run on every input too. Seeds: libraries of layout A
// (versions 300 and 381) and layout B (382 and 410) laid out field by field
// from the format, since the program only reads them: a steel of several
// rows, a fibreglass whose FRP flag overrides its type text, and a material
// of a full 40 rows.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "files/ByteEmitter.h"
#include "fuzz/FuzzTarget.h"
#include "properties/MaterialLibrary.h"
#include "properties/MaterialLibraryOld.h"
#include "services/Units.h"

namespace {

struct OldMaterial {
  std::string name, type, description;
  double values[5];  // Nu, density, joint factor, circumferential joint factor, strength
  int frp;
  int rows;
};

const OldMaterial kMaterials[] = {
    {"A1", "CS", "Carbon steel A53 B seamless", {0.3, 0.283, 0.85, 1.0, 35000.0}, 0, 3},
    {"F2", "SS", "Glass reinforced epoxy pipe", {0.55, 0.065, 1.0, 1.0, 0.0}, 1, 1},
    {"T40", "TI", "Forty rows of titanium", {0.32, 0.163, 1.0, 0.9, 50000.0}, 0, 40},
};

void Short(ByteEmitter& out, int value) {
  out.Byte(static_cast<std::uint8_t>(value & 0xFF));
  out.Byte(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void Real(ByteEmitter& out, double value, bool wide) {
  if (!wide) {
    out.Float(static_cast<float>(value));
    return;
  }
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  for (int shift = 0; shift < 64; shift += 8) out.Byte(static_cast<std::uint8_t>(bits >> shift));
}

// Layout A below version 382: 16-bit integers and 32-bit reals; layout B
// from 382: 32-bit integers and 64-bit reals.
std::string OldLibrary(int version, int code) {
  const bool b = version >= 382;
  auto integer = [b](ByteEmitter& out, int value) {
    if (b)
      out.Int(value);
    else
      Short(out, value);
  };
  ByteEmitter out;
  out.Fixed("QUORVEL.MDB", 14);
  Short(out, version);
  integer(out, static_cast<int>(std::size(kMaterials)));
  for (int kind = 1; kind <= (b ? 25 : 21); ++kind) integer(out, kind <= kUnitKindCount ? kind % UnitCount(kind) : 0);
  integer(out, code);
  for (const OldMaterial& m : kMaterials) {
    out.Fixed(m.name, 4);
    out.Fixed(m.type, 3);
    out.Fixed(m.description, 33);
    for (double value : m.values) Real(out, value, b);
    integer(out, m.frp);
    integer(out, m.rows);
    for (int row = 1; row <= m.rows; ++row)
      for (double value : {50.0 * row, 2.9e7 - 1.0e4 * row, 6.0e-6 + 1.0e-8 * row, 20000.0, 35000.0, 0.0})
        Real(out, value, b);
  }
  return out.bytes();
}

MaterialLibrary Kept() {
  MaterialLibrary library;
  Material material;
  material.description = "Kept library";
  SetMaterialType(material, "CS");
  material.numtemps = 1;
  material.temps.assign(2, MaterialTempRow{});
  material.temps[1].values = {70.0f, 2.9e7f, 6.07e-6f, 20000.0f, 35000.0f, 60000.0f, 0.0f, 0.0f};
  AppendMaterial(library.materials, material);
  library.pipingCode = 3;
  library.units = {1, 1, 2, 1, 3};
  return library;
}

bool SameLibrary(const MaterialLibrary& a, const MaterialLibrary& b) {
  if (a.pipingCode != b.pipingCode || a.units != b.units || a.materials.count != b.materials.count ||
      a.materials.records.size() != b.materials.records.size())
    return false;
  for (std::size_t index = 0; index < a.materials.records.size(); ++index) {
    const Material &x = a.materials.records[index], &y = b.materials.records[index];
    if (x.description != y.description || x.type != y.type || x.numtemps != y.numtemps ||
        x.temps.size() != y.temps.size() ||
        (!x.temps.empty() && std::memcmp(x.temps.data(), y.temps.data(), x.temps.size() * sizeof x.temps[0]) != 0))
      return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = FuzzWriteFile("fuzz.mdb", data, size);
  try {
    OldMaterialLibraryVersion(path);
  } catch (const std::string&) {
  }
  static const MaterialLibrary kept = Kept();
  MaterialLibrary library = kept;
  try {
    ReadOldMaterialLibraryFile(path, library);
  } catch (const std::string&) {
    if (!SameLibrary(library, kept)) {
      std::fprintf(stderr, "a refused old material library changed the library it was read for\n");
      std::abort();
    }
  }
  return 0;
}

std::vector<std::string> FuzzSeeds() {
  return {OldLibrary(300, 1), OldLibrary(381, 12), OldLibrary(382, 101), OldLibrary(410, 22)};
}
