// The stresses of the fibre-reinforced plastic elements, which get no code
// compliance check: per element end the hoop, axial, bending and torsional
// stress of the current result case from its stored end forces, with the
// material's hoop, torsional and axial allowables at the element's
// temperature; the "FRP stresses" table and report; and the sorted view
// ("Sorted FRP stresses"): every element end four times, once per group
// (hoop, maximum longitudinal, minimum longitudinal, torsion), each group
// ordered by its stress-to-allowable ratio, largest first (equal ratios in
// entry order, ends without an allowable last), which also colours the
// rendered model through the stress displays while it is shown.
//
// Hoop = D P / (2 te) with te = (1 - mill tolerance) t - corrosion; axial
// = fx / A + the code's longitudinal pressure stress; bending =
// sqrt((ii mz)^2 + (io my)^2) / Z (io = ii unless the code separates the
// SIFs; the moments resolved in the branch's plane at a branch connection);
// torsion = |mx| / (2 Z). P is the case's pressure (the largest in
// magnitude, sign kept, for the sustained case; 0 for expansion and
// occasional-only cases; the hydrotest load's for the hydrotest case, at
// the reference temperature). A value whose wall, area or section modulus
// is 0 or less is not formed: its cells are blank and its ratio -1. An
// allowable of 2.0 or less counts as none given.
#pragma once

#include <array>
#include <string>

class ResultTableWindow;

struct FrpEndStresses {
  double hoop = 0.0, axial = 0.0, bending = 0.0, torsion = 0.0;
  bool hoopFormed = false, axialFormed = false, bendingFormed = false;
};

struct FrpStressRecord {
  std::array<FrpEndStresses, 2> ends{};
  double hoopAllowable = 2.0, torsionAllowable = 2.0, axialAllowable = 2.0;
};

// The stresses of analysis element `element` in the current case (its
// forces loaded); false outside results.
bool ComputeFrpStresses(int element, FrpStressRecord& record);

void OpenFrpStressesTable();
void OpenSortedFrpStressesTable();
ResultTableWindow& FrpStressesTable();
// The local-axes display (327) while the FRP stresses table is shown.
void ToggleFrpStressesLcs();
ResultTableWindow& SortedFrpStressesTable();
void RegisterFrpStressTables();
void PrintFrpStresses();
void PrintSortedFrpStresses();
// Whether the results hold FRP elements (and a case) to show.
bool FrpStressesOffered();

// The sorted view: the groups' values of the current case, sorted.
void SortFrpStresses();
// The group the sorted view shows: the current stress section, a section
// above 3 read as the hoop group.
int CurrentFrpGroup();
// Entry e (1 .. 2 x FRP elements; 2k - 1 the start end of FRP element k,
// 2k its end end) in the current group: its node index, stress and ratio
// (-1 without an allowable or a formed stress).
struct FrpGroupValue {
  int node = 0;
  float stress = 0.0f, allowable = 0.0f, ratio = -1.0f;
  bool formed = false;
};
FrpGroupValue FrpStressComponent(int entry);
// The entry at a sorted row of the current group (0 beyond them).
int FrpSortedEntry(int row);
int FrpEntryCount();
// The group names of the stress displays: "Hoop stress " ...
std::string FrpGroupStressName(int group);
std::string FrpGroupRatioName(int group);
