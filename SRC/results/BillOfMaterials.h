// The bill of materials, a section of the model report: the analysis model
// condensed into purchase lists (the materials; straight pipe by material
// and size with its total length and weight; bends by size, radius and
// angle with their count; reducers by both ends; valves by size and
// weight) and, in CSV files only, the weights of every element. The lists
// are built from the analysis elements and layout rows each time the
// section prints, grouped with fixed tolerances (0.01 in on diameters and
// lengths, 0.001 on the rest) and sorted.
//
// Values are held in inches, pounds and pounds per cubic inch and turned
// into the user's units only as text.
#pragma once

#include <cstdint>
#include <vector>

struct Model;
struct AnalysisElementList;

struct BomPipe {
  int material = 0;
  float od = 0.0f, thk = 0.0f, length = 0.0f;
};
struct BomBend {
  int material = 0;
  float od = 0.0f, thk = 0.0f, radius = 0.0f, angle = 0.0f;  // angle in radians
  int count = 0;
};
struct BomReducer {
  int material = 0;
  float od1 = 0.0f, thk1 = 0.0f, od2 = 0.0f, thk2 = 0.0f, length = 0.0f;  // od1 the larger end
  int count = 0;
};
struct BomValve {
  float od = 0.0f, thk = 0.0f, weight = 0.0f, additionalWeight = 0.0f;
  int count = 0;
};
struct BomItem {
  std::int32_t from = 0, to = 0;  // node indexes
  int type = 0;                   // ElementType
  float length = 0.0f, od = 0.0f, thk = 0.0f;
  float materialDensity = 0.0f, fluidDensity = 0.0f, insulationDensity = 0.0f, insulationThickness = 0.0f;
  float liningDensity = 0.0f, liningThickness = 0.0f;
  float empty = 0.0f, fluid = 0.0f, insulation = 0.0f, lining = 0.0f, additional = 0.0f;
};
struct BomLists {
  std::vector<BomPipe> pipes;
  std::vector<BomBend> bends;
  std::vector<BomReducer> reducers;
  std::vector<BomValve> valves;
  std::vector<BomItem> items;
};

// The five lists of a made model whose analysis elements are generated.
BomLists BuildBomLists(const Model& model, const AnalysisElementList& elements);

// The weights the section prints for a grouped entry (lb).
double BomPipeWeight(const Model& model, const BomPipe& pipe);
double BomBendWeight(const Model& model, const BomBend& bend);
double BomReducerWeight(const Model& model, const BomReducer& reducer);
double BomValveWeight(const BomValve& valve);

// The whole section on the current report road (the analysis elements
// generated first). A model the analysis would refuse prints no section.
void PrintBillOfMaterials();
