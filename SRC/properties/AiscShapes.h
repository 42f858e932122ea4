// The built-in table of AISC steel shapes that a beam section can be taken
// from: 13 families (W, M, S, HP, C, MC, L, 2L, WT, MT, ST, TS, P), each an
// array of nominal-size groups in the order of its shape dialog's buttons,
// each group a run of shapes, heaviest first. A shape is its designation
// ("W 14X90") and the eight values of a beam section in inch units: A,
// Imaj, Imin, J, Asmaj, Asmin, depth, width; both shear areas are 0.
//
// The values are those of the AISC Shapes Database v15.0 (tubes TS and
// pipes P computed from their nominal walls), generated into
// AiscShapeData.cpp by tools/generate-aisc-shapes.py. A group the data
// holds no shape for keeps its place with no shapes. Constant program data.
#pragma once

constexpr int kAiscFamilyCount = 13;

struct AiscShape {
  const char* designation;
  float values[8];  // A, Imaj, Imin, J, Asmaj, Asmin, depth, width
};

struct AiscGroup {
  const char* label;  // "W 44"
  int first;          // index of its first shape in the family's shapes
  int count;
};

struct AiscFamilyTable {
  const AiscShape* shapes;
  int shapeCount;
  const AiscGroup* groups;
  int groupCount;
};

// Indexed by family id 1..13 (entry 0 is empty).
extern const AiscFamilyTable kAiscFamilyTables[kAiscFamilyCount + 1];

// What the family chooser and the shape dialogs show of a family.
struct AiscFamilyInfo {
  const char* letters;         // "W"
  int radioButton;             // 1401..1413 in AISC_SECTIONS_DIALOG
  const char* dialogTemplate;  // "W_DIALOG"
  const char* title;           // "W  (Wide Flange)"
};
// Family `id` 1..13; any other id is a programming error.
const AiscFamilyInfo& AiscFamily(int id);
const AiscFamilyTable& AiscFamilyShapes(int id);

// The shape with this designation, or null.
const AiscShape* FindAiscShape(const char* designation);
