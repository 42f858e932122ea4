// Vibration susceptibility of the modes (with the environment variable
// "VORSTEL" set): the dynamic susceptibility file the modal case wrote
// beside the model (SusceptibilityPathOf) read after the results, turned
// into per-node dynamic stresses of every mode, and the modes ranked by
// susceptibility; the "Dynamic stresses" table of one mode and the
// "Dynamic Susceptibility" table of all modes.
//
// Per node on pipe-kind elements and mode: the largest transverse
// displacement, nominal bending stress m/Z, SIF (the larger of in-plane and
// out-of-plane at the element's end) and intensified stress SIF·m/Z over the
// elements meeting there (each value its own maximum; a zero section
// modulus gives no stress). A mode's susceptibility is its largest
// intensified stress over the largest vibration velocity 2πf·d, in psi per
// inch per second; 0 when nothing moves.
//
// The file must be exactly 16 + 16·P·M bytes (P pipe-kind elements, M
// modes) with its header: anything else is "Unable to read rds file", and
// the tables are not offered.
#pragma once

#include <array>
#include <string>
#include <vector>

struct Model;
class ResultTableWindow;

struct DynamicStressRecord {
  float displacement = 0.0f, nominal = 0.0f, sif = 0.0f, intensified = 0.0f;
};

struct ModeSusceptibility {
  std::vector<DynamicStressRecord> nodes;  // positions 1..K ([0] unused)
  int maxDisplacement = 0, maxStress = 0;  // positions
  float susceptibility = 0.0f;
};

// One pipe-kind element as the computation sees it.
struct SusceptibilityElement {
  int node1 = 0, node2 = 0;        // node indexes
  double Z1 = 0.0, Z2 = 0.0;       // section moduli at the ends
  double sif1 = 1.0, sif2 = 1.0;   // larger of in-plane and out-of-plane
};

struct DynamicStressResults {
  bool available = false;
  std::vector<int> positionNode;    // position 1..K -> node index ([0] unused)
  std::vector<ModeSusceptibility> modes;  // 1..M ([0] unused)
  std::vector<int> order;           // 1..M: modes by susceptibility, highest first ([0] unused)
};

DynamicStressResults& TheDynamicStresses();
void FreeDynamicStressResults();

// The computation from the file's records (records[m - 1][e] for mode m and
// the e-th pipe-kind element: d1, m1, d2, m2), the elements and the modes'
// frequencies in Hz; nodeCount bounds the node indexes.
DynamicStressResults ComputeDynamicStresses(const std::vector<SusceptibilityElement>& elements,
                                            const std::vector<std::vector<std::array<float, 4>>>& records,
                                            const std::vector<float>& frequencies, int nodeCount);

// The post-read step: reads the file of the open results when "VORSTEL" is
// set and the results hold modes; reports a missing or unreadable file
// over `owner` and leaves the tables unavailable.
void ReadDynamicStressFile(const Model& model, void* owner);

void OpenDynamicStressesTable();
void OpenDynamicSusceptibilityTable();
ResultTableWindow& DynamicStressesTable();
ResultTableWindow& DynamicSusceptibilityTable();
void RegisterDynamicStressTables();
// "%-1.*E" with 4 decimals, a three-digit exponent shown with two.
std::string FormatScientific(double value);
