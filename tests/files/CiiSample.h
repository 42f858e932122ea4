// CAESAR II neutral files written by the tests from the file's grammar: a
// version's line layout, the counts of CONTROL, and the records the tests
// give (everything else empty or zero).
#pragma once

#include <array>
#include <sstream>
#include <string>
#include <vector>

struct CiiSampleElement {
  int from = 0, to = 0;
  double dx = 0, dy = 0, dz = 0, od = 8.625, wall = 0.322;
  double t1 = 300, p1 = 150;
  int bend = 0, rigid = 0, joint = 0, reducer = 0;
  double material = 106;
  double fluid = 0;      // fluid density
  double hydro = 0;      // hydrotest pressure
};

// One half of a displacement record: the node and the vectors 1 to 3.
struct CiiSampleDisplacement {
  double node = 0;
  std::array<std::array<double, 6>, 3> vectors{};
};

struct CiiSampleRestraint {
  double node = 0, type = 0, k = 0, gap = 0, mu = 0, cnode = 0;
  double cx = 0, cy = 0, cz = 0;
};

struct CiiSample {
  double version = 5.10;
  std::string versionText;  // as written; empty: from version
  std::string title = "CII PLANT";
  std::vector<CiiSampleElement> elements;
  std::vector<std::array<double, 6>> bends;     // radius, -, angle1, node1, angle2, node2
  std::vector<double> rigids;                   // weight
  std::vector<std::array<double, 5>> joints;    // axial, transverse, bending, torsional, effective diameter
  std::vector<CiiSampleRestraint> restraints;   // grouped 4 (6 above 8.0) to a record
  std::vector<std::array<double, 7>> forces;    // node, FX .. MZ (one half of a record each)
  std::vector<std::array<double, 4>> tees;      // node, type, value 3, value 4
  std::vector<CiiSampleDisplacement> displacements;  // two to a record
  std::vector<std::array<double, 14>> nozzles;  // values 1 to 14 of the nozzle record
  std::vector<std::array<double, 2>> reducers;  // second diameter, second thickness
  std::vector<int> hangerNodes;
  std::vector<int> hangerTables;
  int nodeNames = 0, uniforms = 0, winds = 0, offsets = 0, allowables = 0, flanges = 0, equipment = 0;
  int vertical = 0;
  std::array<double, 22> factors{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
  double ambient = 0;
  int bourdon = 0, liberal = 0;
  std::vector<std::array<double, 4>> coords;

  static std::string Line(const std::vector<double>& values) {
    std::ostringstream text;
    for (double value : values) text << ' ' << value;
    return text.str() + "\n";
  }
  static std::string Zeros(std::size_t count) { return Line(std::vector<double>(count, 0.0)); }
  static std::string Lines(std::size_t lines, std::size_t values) {
    std::string text;
    for (std::size_t i = 0; i < lines; ++i) text += Zeros(values);
    return text;
  }

  std::string Text() const {
    const double v = version;
    const int perRecord = v > 8.0 ? 6 : 4;
    std::string t = "#$ VERSION\n";
    t += versionText.empty() ? Line({0, v}) : versionText + "\n";
    t += "    TITLE = " + title + "\n";
    t += Lines(59, 1);
    t += "#$ CONTROL\n";
    std::vector<double> first = {double(elements.size()), double(nozzles.size()), double(hangerNodes.size()),
                                 double(nodeNames), double(reducers.size()), double(flanges)};
    if (v <= 5.0) first.pop_back();
    t += Line(first);
    const std::size_t restraintRecords = (restraints.size() + perRecord - 1) / perRecord;
    t += Line({double(bends.size()), double(rigids.size()), double(joints.size()), double(restraintRecords),
               double((displacements.size() + 1) / 2), double((forces.size() + 1) / 2)});
    t += Line({double(uniforms), double(winds), double(offsets), double(allowables), double((tees.size() + 1) / 2),
               double(vertical)});
    if (v > 5.2) t += Line({double(equipment)});
    t += "#$ ELEMENTS\n";
    for (const CiiSampleElement& e : elements) {
      t += Line({double(e.from), double(e.to), e.dx, e.dy, e.dz, e.od});
      t += Line({e.wall, 0, 0, e.t1, 0, 0});
      t += Zeros(6);
      t += Line({e.p1, 0, 0, 0, 0, 0});
      t += Line({0, 0, 0, 0, 0.3, 0.283});
      t += Line({0, e.fluid, 0, 0, 0, e.hydro});
      if (v > 5.0) t += Zeros(6) + Zeros(v >= 5.3 ? 6 : 4);
      if (v > 5.2) t += Zeros(5);
      if (v > 8.0) t += "skipped\n";
      t += Line({double(e.bend), double(e.rigid), double(e.joint), 0, 0, 0});
      t += Zeros(6);
      std::vector<double> last = {double(e.reducer)};
      if (v > 5.0) last.push_back(0);
      if (v > 5.2) last.push_back(0);
      t += Line(last);
    }
    t += "#$ AUX_DATA\n";
    if (nodeNames != 0) t += "#$ NODENAME\n" + Lines(std::size_t(nodeNames), 1);
    t += "#$ BEND\n";
    for (const auto& b : bends) {
      t += Line({b[0], b[1], b[2], b[3], b[4], b[5]}) + Zeros(5);
      if (v >= 5.3) t += Zeros(1);
    }
    t += "#$ RIGID\n";
    for (double w : rigids) t += Line({w});
    t += "#$ EXPJT\n";
    for (const auto& j : joints) t += Line({j[0], j[1], j[2], j[3], j[4]});
    t += "#$ RESTRANT\n";
    for (std::size_t i = 0; i < restraintRecords * std::size_t(perRecord); ++i) {
      const CiiSampleRestraint r = i < restraints.size() ? restraints[i] : CiiSampleRestraint{};
      t += Line({r.node, r.type, r.k, r.gap, r.mu, r.cnode}) + Line({r.cx, r.cy, r.cz});
      if (v > 8.0) t += "skipped\nskipped\n";
    }
    t += "#$ DISPLMNT\n";
    for (std::size_t i = 0; i < (displacements.size() + 1) / 2 * 2; ++i) {
      const CiiSampleDisplacement d = i < displacements.size() ? displacements[i] : CiiSampleDisplacement{};
      t += Line({d.node});
      for (const auto& v : d.vectors) t += Line({v[0], v[1], v[2], v[3], v[4], v[5]});
      t += Lines(6, 1);
    }
    t += "#$ FORCMNT\n";
    for (std::size_t i = 0; i < (forces.size() + 1) / 2 * 2; ++i) {
      const std::array<double, 7> f = i < forces.size() ? forces[i] : std::array<double, 7>{};
      t += Line({f[0]}) + Line({f[1], f[2], f[3], f[4], f[5], f[6]}) + Lines(3, 6) + Lines(6, 1);
    }
    t += "#$ UNIFORM\n";
    for (int i = 0; i < uniforms; ++i) t += Zeros(6) + Zeros(v >= 5.3 ? 6 : 3);
    t += "#$ WIND\n" + Lines(std::size_t(winds), v >= 5.3 ? 6 : 5);
    t += "#$ OFFSETS\n" + Lines(std::size_t(offsets), 6);
    t += "#$ ALLOWBLS\n" + Lines(std::size_t(allowables) * (v > 5.3 ? 26 : 18), 1);
    t += "#$ SIF&TEES\n";
    for (std::size_t i = 0; i < (tees.size() + 1) / 2 * 2; ++i) {
      const std::array<double, 4> e = i < tees.size() ? tees[i] : std::array<double, 4>{};
      t += Line({e[0], e[1]}) + Line({e[2], e[3], 0, 0, 0, 0}) + Lines(3, 6);
    }
    t += "#$ REDUCERS\n";
    for (const auto& r : reducers) t += Line({r[0], r[1], 0, 0, 0});
    if (v > 5.0) t += "#$ FLANGES\n" + Lines(std::size_t(flanges) * 12, 1);
    if (v > 5.2) t += "#$ EQUIPMNT\n" + Lines(std::size_t(equipment) * 6, 1);
    t += "#$ MISCEL_1\n";
    std::vector<double> materials;
    for (const auto& e : elements) materials.push_back(e.material);
    for (std::size_t i = 0; i < materials.size(); i += 6) {
      std::vector<double> six(materials.begin() + long(i), materials.begin() + long(std::min(i + 6, materials.size())));
      t += Line(six);
    }
    for (const auto& n : nozzles) {
      t += Line({n[0], n[1], n[2], n[3], n[4], n[5]}) + Line({n[6], n[7], n[8], n[9], n[10], n[11]});
      if (v > 8.0) t += Line({n[12], n[13], 0, 0, 0, 0}) + Zeros(4);
      else t += Line({n[12], n[13], 0, 0});
    }
    if (!hangerNodes.empty()) {
      const std::size_t h = hangerNodes.size(), sixes = (h + 5) / 6;
      const auto list = [&](const std::vector<int>& values) {
        std::string text;
        for (std::size_t i = 0; i < sixes; ++i) {
          std::vector<double> six;
          for (std::size_t j = i * 6; j < std::min(h, i * 6 + 6); ++j) six.push_back(j < values.size() ? values[j] : 0);
          text += Line(six);
        }
        return text;
      };
      t += Lines(2, 1) + list(hangerNodes) + Lines(h * (v > 8.0 ? 4 : 2), 1) + Lines(h, 1);
      t += list(std::vector<int>(h, 1)) + list(hangerTables) + Lines(2 * sixes, 1);
    }
    t += Line({0, 0, double(bourdon), 0, 0, double(liberal)}) + Line({0, 0, ambient}) + Lines(v > 8.0 ? 2 : 1, 1);
    t += "#$ UNITS\n";
    t += Line({factors[0], factors[1], factors[2], factors[3], factors[4], factors[5]});
    t += Line({factors[6], factors[7], factors[8], factors[9], factors[10], factors[11]});
    t += Line({factors[12], factors[13], factors[14], factors[15], factors[16], factors[17]});
    t += Line({factors[18], factors[19], factors[20], factors[21]});
    t += Lines(24, 1);
    t += "#$ COORDS\n" + Line({double(coords.size())});
    for (const auto& c : coords) t += Line({c[0], c[1], c[2], c[3]});
    return t;
  }
};
