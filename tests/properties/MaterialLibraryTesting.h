// Test support for the material library: library materials of every kind
// (a steel with stresses, an FRP with its moduli), a library of any number
// of them, and a byte builder of the old library layouts, which the
// program only reads, so the tests lay them out from the format itself.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "properties/SectionTestBytes.h"
#include "records/Material.h"

namespace matlib_test {

inline Material Steel(const std::string& description, float e70 = 2.95e7f) {
  Material m;
  m.description = description;
  SetMaterialType(m, "CS");
  m.nu = 0.292f;
  m.density = 0.2833f;
  m.jointFactor = 0.85f;
  m.circJointFactor = 1.0f;
  m.strength = 35000.5f;
  m.numtemps = 3;
  m.temps.resize(4);
  m.temps[1].values = {-20.0f, e70, 6.07e-6f, 20000.0f, 35000.0f, 60000.0f, 0.0f, 0.0f};
  m.temps[2].values = {400.0f, 2.77e7f, 7.11e-6f, 18900.0f, 30100.0f, 58000.0f, 0.0f, 0.0f};
  m.temps[3].values = {650.25f, 2.53e7f, 7.73e-6f, 17300.0f, 27300.0f, 0.0f, 0.0f, 0.0f};
  return m;
}

inline Material Fibreglass(const std::string& description) {
  Material m;
  m.description = description;
  SetMaterialType(m, "FR");
  m.nu = 0.55f;
  m.density = 0.065f;
  m.jointFactor = 1.0f;
  m.circJointFactor = 1.0f;
  m.numtemps = 2;
  m.temps.resize(3);
  m.temps[1].values = {70.0f, 1.6e6f, 1.0e-5f, 9000.0f, 4500.0f, 8000.0f, 3.2e6f, 1.1e6f};
  m.temps[2].values = {200.0f, 1.4e6f, 1.1e-5f, 8000.0f, 4000.0f, 7000.0f, 2.9e6f, 1.0e6f};
  return m;
}

// `count` materials, alternating steels and fibreglass, each of its own
// description and values.
inline ModelRecordTable<Material> LibraryMaterials(int count) {
  ModelRecordTable<Material> table;
  for (int i = 1; i <= count; ++i) {
    Material m = i % 3 == 0 ? Fibreglass("Fibreglass " + std::to_string(i))
                            : Steel("Steel grade " + std::to_string(i), 2.9e7f + 1.0e5f * static_cast<float>(i));
    // A fibre-reinforced plastic's Poisson's ratio is none a metal keeps.
    if (i % 4 == 1 && m.isFrp == 0) SetMaterialType(m, i % 8 == 1 ? "TI" : "CI");
    AppendMaterial(table, m);
  }
  return table;
}

// Little-endian fields of the old layouts: 16-bit integers and 64-bit reals.
struct OldBytes : section_test::ByteEmitter {
  OldBytes& Short(std::int16_t value) {
    const auto raw = static_cast<std::uint16_t>(value);
    bytes.push_back(static_cast<unsigned char>(raw));
    bytes.push_back(static_cast<unsigned char>(raw >> 8));
    return *this;
  }
  OldBytes& Double(double value) {
    std::uint64_t raw = 0;
    std::memcpy(&raw, &value, 8);
    for (int shift = 0; shift < 64; shift += 8) bytes.push_back(static_cast<unsigned char>(raw >> shift));
    return *this;
  }
};

// An old material as the layouts store it: name, type, description, the
// five values, the FRP flag and rows of six values.
struct OldMaterial {
  std::string name, type, description;
  double nu = 0.3, density = 0.283, joint = 1.0, circJoint = 1.0, strength = 0.0;
  int frp = 0;
  std::vector<std::vector<double>> rows;
};

// The units every old file below stores: kind k chooses k % 2 where the
// kind has two units, so the five kept kinds are told apart: density
// (kind 9) 1, temperature (11) 1, expansion (12) 0, stress (14) 0 and
// modulus (15) 1.
inline int OldUnitChoice(int kind) { return kind % 2; }

inline section_test::ByteVector LayoutA(int version, std::int16_t code, const std::vector<OldMaterial>& materials) {
  OldBytes out;
  out.Text("QUORVEL.MDB", 14);
  out.Short(static_cast<std::int16_t>(version)).Short(static_cast<std::int16_t>(materials.size()));
  for (int k = 1; k <= 21; ++k) out.Short(static_cast<std::int16_t>(OldUnitChoice(k)));
  out.Short(code);
  for (const OldMaterial& m : materials) {
    out.Text(m.name, 4).Text(m.type, 3).Text(m.description, 33);
    for (double value : {m.nu, m.density, m.joint, m.circJoint, m.strength}) out.Float(static_cast<float>(value));
    out.Short(static_cast<std::int16_t>(m.frp)).Short(static_cast<std::int16_t>(m.rows.size()));
    for (const auto& row : m.rows)
      for (double value : row) out.Float(static_cast<float>(value));
  }
  return out.bytes;
}

inline section_test::ByteVector LayoutB(int version, std::int32_t code, const std::vector<OldMaterial>& materials) {
  OldBytes out;
  out.Text("QUORVEL.MDB", 14);
  out.Short(static_cast<std::int16_t>(version)).Int(static_cast<std::int32_t>(materials.size()));
  for (int k = 1; k <= 25; ++k) out.Int(OldUnitChoice(k));
  out.Int(code);
  for (const OldMaterial& m : materials) {
    out.Text(m.name, 4).Text(m.type, 3).Text(m.description, 33);
    for (double value : {m.nu, m.density, m.joint, m.circJoint, m.strength}) out.Double(value);
    out.Int(m.frp).Int(static_cast<std::int32_t>(m.rows.size()));
    for (const auto& row : m.rows)
      for (double value : row) out.Double(value);
  }
  return out.bytes;
}

inline OldMaterial OldSteel() {
  OldMaterial m;
  m.name = "A1";
  m.type = "CS";
  m.description = "Carbon steel A53 B seamless";
  m.nu = 0.3;
  m.density = 0.283;
  m.joint = 0.85;
  m.circJoint = 1.0;
  m.strength = 35000.0;
  m.rows = {{70.0, 2.95e7, 6.07e-6, 20000.0, 35000.0, 0.0}, {300.0, 2.83e7, 6.77e-6, 20000.0, 31700.0, 0.0}};
  return m;
}

inline OldMaterial OldFibreglass() {
  OldMaterial m;
  m.name = "F2";
  m.type = "SS";  // the flag decides, whatever the text says
  m.description = "Glass reinforced epoxy pipe";
  m.nu = 0.55;
  m.density = 0.065;
  m.frp = 1;
  m.rows = {{70.0, 1.6e6, 1.0e-5, 9000.0, 4500.0, 8000.0}};
  return m;
}

}  // namespace matlib_test
