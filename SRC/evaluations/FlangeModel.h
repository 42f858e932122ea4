// The flange qualification tool's document: one bolted flange joint, its
// flange, bolting, gasket and load data (FlangeQualificationData), the
// results of its last calculation, and where it is kept (the .flg path, its
// folder, the title text and the default report name). The tool has one
// document at a time; it lives for the process and the tool window shows it.
//
// Values are held in the internal English units (inch, psi, lb, in-lb,
// degree F). The bolt size table gives the nominal diameter and the root
// area of the 17 bolt sizes the bolt list offers; the bolt diameter of the
// record is always the diameter of its row.
//
// The tool's modified state is the program's modified flag (TheModel():
// the model is closed while the tool is open): the defaults set it, every
// stored change sets it, writing and reading a file clear it. Analysed is
// cleared by the same changes and set by a calculation. Start at
// ResetFlangeData.
#pragma once

#include <array>
#include <cstdint>
#include <string>

// Flange types, the positions of the type list.
enum FlangeType : std::int32_t {
  kIntegralFlange = 0,
  kLooseFlangeWithHub = 1,
  kLooseFlangeWithoutHub = 2,
  kOptionalFlange = 3,
  kReverseFlange = 4,
};
constexpr int kFlangeTypeListCount = 5;
extern const char* const kFlangeTypeListNames[kFlangeTypeListCount];

struct BoltSize {
  const char* name;  // as the list shows it, with its inch mark
  float diameter;    // inch
  float rootArea;    // square inch
};
constexpr int kBoltSizeCount = 17;
constexpr std::int32_t kDefaultBoltSize = 4;  // the 1 inch bolt
extern const std::array<BoltSize, kBoltSizeCount> g_BoltSizes;

struct FlangeQualificationData {
  std::int32_t type = kIntegralFlange;
  float outsideDiameter = 39.125f;           // A
  float insideDiameter = 32.0f;              // B
  float reverseInsideDiameter = 20.0f;       // B', reverse flanges only
  float thickness = 2.0f;                    // t
  float hubSmallEnd = 0.5f;                  // g0
  float hubLargeEnd = 1.125f;                // g1
  float hubLength = 2.75f;                   // h
  float flangeAllowableDesign = 19600.0f;    // sf
  float flangeAllowableReference = 20000.0f; // sfa
  float modulusDesign = 27.0e6f;             // E
  float modulusReference = 29.2e6f;          // Ea
  float boltCircle = 37.0f;                  // C
  std::int32_t boltCount = 36;               // n
  std::int32_t boltSize = kDefaultBoltSize;  // row of g_BoltSizes
  float boltDiameter = 1.0f;
  float boltAllowableDesign = 25000.0f;      // sb
  float boltAllowableReference = 25000.0f;   // sa
  float gasketOutside = 35.5f;               // GOD
  float gasketInside = 33.5f;                // GID
  float gasketFactor = 3.0f;                 // m
  float seatingStress = 10000.0f;            // y
  std::int32_t facingSketch = 1;             // 1 to 5
  std::int32_t facingColumn = 1;             // 1 or 2
  float designPressure = 414.0f;             // P
  float designTemperature = 500.0f;
  float axialForce = 1000.0f;                // Fa
  float bendingMoment = 2400.0f;             // Mb
  float allowablePressure = 665.0f;          // Pa, the B16.5 rating

  bool operator==(const FlangeQualificationData&) const = default;
};

// One load condition of the stress check (operating or gasket seating):
// hub, radial and tangential flange stresses, their two combinations and
// the bolt stress, all positive.
struct FlangeConditionStresses {
  double SH = 0, SR = 0, ST = 0, SHR = 0, SHT = 0, bolt = 0;
};

// Everything the calculation finds, in the order it finds it; the report
// shows the stresses, the rigidity indices and the equivalent pressure, the
// rest is kept for the debugging lines and the tests.
struct FlangeResults {
  double N = 0, b0 = 0, b = 0, G = 0;
  double Pe = 0;
  double H = 0, Hp = 0, Wm1 = 0, Wm2 = 0, HD = 0, HT = 0, HG = 0;
  double Am = 0, Ab = 0, W = 0;
  double hD = 0, hT = 0, hG = 0, Mo = 0, Mg = 0;
  double K = 0, T = 0, U = 0, Y = 0, Z = 0, h0 = 0;
  double F = 0, V = 0, f = 0, KI = 0;
  double e = 0, d = 0, L = 0;
  double alphaR = 0, Ur = 0, Yr = 0, Tr = 0;  // reverse flanges
  FlangeConditionStresses operating, seating;
  double Joperating = 0, Jseating = 0;
};

struct FlangeDocument {
  FlangeQualificationData data;
  FlangeResults results;
  bool analysed = false;
  bool windowOpen = false;  // the tool holds the List frame
  std::string path;         // empty: untitled
  std::string folder;
  std::string title;        // "name.flg (folder)", or "Untitled"
  std::string reportName;   // the path with "txt" for its extension
};

FlangeDocument& TheFlangeDocument();
inline FlangeQualificationData& TheFlangeData() { return TheFlangeDocument().data; }

// Every field to its default and the document modified (a new document).
void ResetFlangeData();
// The document's file: its path, folder, title and default report name.
void SetFlangeFilePath(const std::string& path);
// The flags the tool keeps: modified (the program's flag) and analysed.
bool FlangeModified();
void SetFlangeModified(bool modified);
