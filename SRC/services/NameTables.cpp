// The name tables (see NameTables.h).
#include "services/NameTables.h"

#include <array>
#include <string>

#include "services/LoadCaseTypes.h"
#include "services/NumberFormat.h"

namespace {

template <std::size_t N>
const char* Lookup(const char* const (&table)[N], int index) {
  return (index >= 0 && static_cast<std::size_t>(index) < N) ? table[index] : "";
}

constexpr const char* kElementTypes[] = {"",       "From",    "Location", "",        "Bend",
                                         "Miter",  "Jpipe",   "Jbend",    "Valve",   "Reducer",
                                         "Bellows", "Slip",   "Hinge",    "Ball",    "Rigid",
                                         "Elastic", "Cut pipe", "Beam",   "",        "Tie rod"};

constexpr const char* kDataTypes[] = {"",
                                      "Anchor",
                                      "Restraint",
                                      "Skewed restr",
                                      "Hanger",
                                      "Guide",
                                      "Limit stop",
                                      "Nozzle",
                                      "Snubber",
                                      "Spider",
                                      "Jacket endcap",
                                      "Flange",
                                      "Branch SIF",
                                      "User SIF",
                                      "Weld",
                                      "Threaded joint",
                                      "Force",
                                      "Conc mass",
                                      "Time var load",
                                      "Harmonic load",
                                      "Force sp load",
                                      "Generic support"};

constexpr const char* kRestraintTypes[] = {"Restraint",    "X restraint",  "Y restraint",
                                           "Z restraint",  "XY restraint", "YZ restraint",
                                           "XZ restraint", "XYZ restraint"};
constexpr const char* kHangerTypes[] = {"Hanger", "User hanger", "Rod hanger", "Const support"};
constexpr const char* kWeldTypes[] = {"Weld", "Butt weld", "Fillet weld", "Conc Filet weld",
                                      "Tapered trans"};
constexpr const char* kBranchTypes[] = {"???",      "Welding tee", "Reinf tee",     "Unreinf tee",
                                        "Extruded tee", "Sweepolet", "Weldolet",    "Radiusd brnch",
                                        "Br on thk pipe", "Branch conn."};
constexpr const char* kNordicBranchTypes[] = {"???",       "Welding tee", "Reinf branch",
                                              "Unreinf brnch", "Extruded tee", "Sweepolet",
                                              "Weldolet",  "Radiusd brnch", "Br on thk pipe"};
constexpr const char* kFlangeTypes[] = {"???",           "Weld neck",
                                        "Double welded slip on", "Single welded slip on",
                                        "Fillet welded", "Socket welded",
                                        "Lap joint",     "Threaded"};
constexpr const char* kComponents[] = {"", "Pipe", "Elbow", "Bend", "Miter", "Jbend", "Jpipe", "Reducer"};

constexpr const char* kCodeLongNames[kPipingCodePositions] = {
    "None",                "B31.1 (2016)",        "B31.1 (1967)",        "B31.3 (2016)",
    "B31.4 (2016)",        "B31.5 (2016)",        "B31.8 (2016)",        "B31.9 (2014)",
    "ASME Class 2 (1980)", "ASME Class 2 (1986)", "ASME Class 2 (1992)", "ASME Class 2 (2015)",
    "ASME Class 2 (2017)", "ASME Class 3 (2017)", "BS 806 (1986)",       "Norwegian (1983)",
    "Norwegian (1990)",    "RCC-M (1985)",        "CODETI (2013)",       "Stoomwezen (1989)",
    "Swedish (1978)",      "Z183 (1990)",         "Z184 (1992)",         "EN 13480 (2017)",
    "Z662 (2015)"};
constexpr const char* kCodeShortNames[kPipingCodePositions] = {
    "None",         "B31.1",        "B31.1(67)",    "B31.3",         "B31.4",
    "B31.5",        "B31.8",        "B31.9",        "ASME Class 2",  "ASME Class 2",
    "ASME Class 2", "ASME Class 2", "ASME Class 2", "ASME Class 3",  "BS 806",
    "Norwegian(83)", "Norwegian(90)", "RCC-M",      "CODETI",        "Stoomwezen",
    "Swedish",      "Z183",         "Z184",         "EN 13480",      "Z662"};

constexpr const char* kCatalogueNames[kHangerCatalogues + 1] = {
    "",
    "ABB-PBS",
    "Basic Engineers",
    "Bergen-Paterson",
    "Bergen-Paterson (L)",
    "BHEL Hyderabad",
    "BHEL Trichy",
    "Borrello",
    "Carpenter & Paterson",
    "Corner & Lada",
    "Dynax",
    "Elcen",
    "Fee & Mason",
    "Flexider (30-60-120)",
    "Flexider (50-100-200)",
    "Fronek",
    "Grinnell",
    "Hydra",
    "Lisega",
    "Mitsubishi (30-60-120)",
    "Mitsubishi (80-160)",
    "Myricks",
    "NHK (30-60-120)",
    "NHK (80-160)",
    "Nordon",
    "NPS Industries",
    "Piping Services",
    "Piping Tech & Products",
    "Power Piping",
    "Sanwa Tekki(30-60-120)",
    "Sanwa Tekki(85-170)",
    "Sarathi",
    "Spring Supports",
    "SSG",
    "Comet"};

// Data types whose table name is their subtype's.
constexpr int kRestraintData = 2;
constexpr int kHangerData = 4;
constexpr int kBranchSifData = 12;
constexpr int kWeldData = 14;

using LoadCaseTitles = std::array<std::string, kLastLoadCaseType + 1>;

// The titles of the numbered families, in the order of the case types.
LoadCaseTitles BuildLoadCaseTitles() {
  LoadCaseTitles titles;
  const char* const fixed[] = {
      "",
      "Sustained (W+P)",       "Expansion (T1)",        "Expansion (T2)",
      "Expansion (T3)",        "Expansion (T1-T2)",     "Expansion (T1-T3)",
      "Expansion (T2-T3)",     "Operating (W+P1+T1)",   "Operating (W+P2+T2)",
      "Operating (W+P3+T3)",   "Settlement",            "Seismic (g)",
      "Wind",                  "Cold spring (W+P)",     "Cold spring (W+P1+T1)",
      "Cold spring (W+P2+T2)", "Cold spring (W+P3+T3)", "Empty",
      "Hydrotest",             "Calculating hanger loads", "Calculating hanger travel",
      "Recalculating hanger loads", "Recalculating hanger travel", "Designing hangers",
      "Calculating hanger loads", "X acceleration",     "Y acceleration",
      "Z acceleration",        "Combining acceleration results", "Modal analysis",
      "Response spectrum",     "Static analysis",       "Seismic displacement",
      "Missing mass",          "Time history",          "Harmonic response",
      "Force spectrum",        "Buried (W+P1+T1)",      "Buried (W+P2+T2)",
      "Buried (W+P3+T3)"};
  for (int type = 0; type <= 40; ++type) titles[type] = fixed[type];
  for (int n = 1; n <= 10; ++n) titles[40 + n] = CFormat("Sustained (W+P%d)", n);
  for (int n = 4; n <= 10; ++n) titles[47 + n] = CFormat("Expansion (T%d)", n);
  int type = 58;
  for (int i = 1; i <= 9; ++i)
    for (int j = (i < 4 ? 4 : i + 1); j <= 10; ++j) titles[type++] = CFormat("Expansion (T%d-T%d)", i, j);
  for (int n = 4; n <= 10; ++n) {
    titles[96 + n] = CFormat("Operating (W+P%d+T%d)", n, n);
    titles[106 + n] = CFormat("Cold spring (W+P%d+T%d)", n, n);
    titles[113 + n] = CFormat("Buried (W+P%d+T%d)", n, n);
  }
  titles[kCaseIdWind2] = "Wind 2";
  titles[kCaseIdWind3] = "Wind 3";
  titles[kCaseIdWind4] = "Wind 4";
  titles[kCaseIdEmptyWeight] = "Empty Weight (W)";
  return titles;
}

}  // namespace

const char* ElementTypeName(int elementType) { return Lookup(kElementTypes, elementType); }
const char* DataTypeName(int dataType) { return Lookup(kDataTypes, dataType); }
const char* RestraintTypeName(int combination) { return Lookup(kRestraintTypes, combination); }
const char* HangerTypeName(int hangerKind) { return Lookup(kHangerTypes, hangerKind); }
const char* WeldTypeName(int weldType) { return Lookup(kWeldTypes, weldType); }
const char* BranchTypeName(int branchType) { return Lookup(kBranchTypes, branchType); }
const char* NordicBranchTypeName(int branchType) { return Lookup(kNordicBranchTypes, branchType); }
const char* FlangeTypeName(int flangeType) { return Lookup(kFlangeTypes, flangeType); }
const char* ComponentName(int component) { return Lookup(kComponents, component); }
const char* PipingCodeLongName(int position) { return Lookup(kCodeLongNames, position); }
const char* PipingCodeShortName(int position) { return Lookup(kCodeShortNames, position); }
const char* HangerCatalogueName(int catalogue) { return Lookup(kCatalogueNames, catalogue); }

const char* LoadCaseTitle(int caseType) {
  static const LoadCaseTitles titles = BuildLoadCaseTitles();
  if (caseType < 0 || caseType > kLastLoadCaseType) return "";
  return titles[static_cast<std::size_t>(caseType)].c_str();
}

const char* DataItemTypeNameForCode(int dataType, int subtype, int pipingCodeId) {
  switch (dataType) {
    case kRestraintData: return RestraintTypeName(subtype);
    case kHangerData: return HangerTypeName(subtype);
    case kWeldData: return WeldTypeName(subtype);
    case kBranchSifData: {
      if (subtype == -1) return "* Invalid *";
      if (subtype == 0) return DataTypeName(kBranchSifData);
      const bool nordic = pipingCodeId == 13 || pipingCodeId == 14 || pipingCodeId == 18;
      return nordic ? NordicBranchTypeName(subtype) : BranchTypeName(subtype);
    }
    default: return DataTypeName(dataType);
  }
}

namespace {

constexpr std::array<std::int32_t, kPipingCodeCount> kCodeList{0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 101,
                                                               201, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22};

}  // namespace

int CodeListPosition(std::int32_t code) {
  for (std::size_t position = 0; position < kCodeList.size(); ++position)
    if (kCodeList[position] == code) return static_cast<int>(position);
  return -1;
}

std::int32_t CodeAtListPosition(int position) {
  return position >= 0 && position < kPipingCodeCount ? kCodeList[static_cast<std::size_t>(position)] : 0;
}
