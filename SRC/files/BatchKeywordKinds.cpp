// Which rows take which attribute keywords of a LAYOUT line (see
// BatchLayout.h): each keyword that only some kinds keep, with the kinds
// that keep it, as the line's message names them. A keyword not listed
// here gives the model or the values in force (AMB, T, P, SG, U, L, the
// spectrum load's SPECX ...), or chooses the item itself (G, LS, CS, FOR,
// FLANGE ...), and stands on any line.
//
// Two more rules keep a line to one meaning. A keyword that both the row's
// element and its item keep (WGT of a rigid element and of its flange,
// OFFSET, DV, TRAK and ROTK) cannot say whose value it is: the item goes on
// a Location line of its own. And two different keywords that give the same
// value (T and TEMP, DIS and DX, SHORT and LONG) or choose between kinds
// that exclude each other (CS, RH, VS, US; HTYP with any but VS) contradict
// each other: the one read last would win without a word.
#include <string_view>
#include <utility>

#include "elements/BranchSif.h"
#include "files/BatchLayout.h"
#include "records/ModelBatchFile.h"
#include "supports/Hanger.h"

namespace {

using Attributes = BatchLayoutAttributes;

bool Item(const Attributes& a, DataType type) { return a.item == type; }
bool Element(const Attributes& a, ElementType type) { return a.element == type; }

bool TakesBendWall(const Attributes& a) {
  return Element(a, ElementType::Bend) || Element(a, ElementType::Miter) || Element(a, ElementType::JacketedBend);
}
// The elements that keep a weight, and the items that keep a direction
// vector: both the keyword rules below and the pairs that share a keyword
// (kSharedKeywords) are made of them.
bool WeighingElement(const Attributes& a) {
  return Element(a, ElementType::Rigid) || Element(a, ElementType::Bellows) || Element(a, ElementType::SlipJoint) ||
         Element(a, ElementType::HingeJoint) || Element(a, ElementType::BallJoint);
}
bool DirectedItem(const Attributes& a) {
  return Item(a, DataType::SkewedRestraint) || Item(a, DataType::LimitStop) || Item(a, DataType::Snubber) ||
         Item(a, DataType::Nozzle);
}
bool TakesWeight(const Attributes& a) { return Item(a, DataType::Flange) || WeighingElement(a); }
bool TakesDirection(const Attributes& a) { return DirectedItem(a) || Element(a, ElementType::HingeJoint); }
bool TakesConnectedNode(const Attributes& a) {
  return Item(a, DataType::Guide) || Item(a, DataType::LimitStop) || Item(a, DataType::SkewedRestraint) ||
         Item(a, DataType::Hanger);
}
// A valve keeps its offsets with its additional weight only.
bool TakesOffset(const Attributes& a) {
  return Item(a, DataType::ConcentratedMass) ||
         (Element(a, ElementType::Valve) && a.inlineKinds.additionalWeight != 0.0f);
}
bool BranchOfType(const Attributes& a, std::int32_t first, std::int32_t second = 0) {
  return Item(a, DataType::BranchSif) && (a.branchSifType == first || a.branchSifType == second);
}
bool SpectrumNamed(const Attributes& a, std::size_t axis) { return a.spectrumGiven[axis]; }

struct KeywordKinds {
  const char* keywords;  // separated by blanks
  const char* kinds;     // as the message names them
  bool (*takes)(const Attributes& a);
};

// clang-format off
constexpr KeywordKinds kKeywordKinds[] = {
    // Supports and loads.
    {"FREE FREEX FREEY FREEZ FREEXX FREEYY FREEZZ", "anchors (KA)",
     [](const Attributes& a) { return Item(a, DataType::Anchor); }},
    {"TRAK ROTK", "anchors (KA) and elastic elements (JL)",
     [](const Attributes& a) { return Item(a, DataType::Anchor) || Element(a, ElementType::Elastic); }},
    {"DV", "skewed restraints (K, KR), limit stops (LS), snubbers (SNUBBER), nozzles (NOZZLE) and hinge joints (KH)",
     TakesDirection},
    {"CNOD", "guides (G), limit stops (LS), skewed restraints (K, KR) and hangers (CS, RH, VS, US, HTYP)",
     TakesConnectedNode},
    {"MU", "guides (G) and limit stops (LS)",
     [](const Attributes& a) { return Item(a, DataType::Guide) || Item(a, DataType::LimitStop); }},
    {"STIFF", "guides (G), limit stops (LS) and snubbers (SNUBBER)",
     [](const Attributes& a) {
       return Item(a, DataType::Guide) || Item(a, DataType::LimitStop) || Item(a, DataType::Snubber);
     }},
    {"GGAP", "guides (G)", [](const Attributes& a) { return Item(a, DataType::Guide); }},
    {"CLD", "user hangers (US)",
     [](const Attributes& a) { return Item(a, DataType::Hanger) && a.hangerKind == kUserHanger; }},
    {"SR MLV", "spring hangers (VS, HTYP)",
     [](const Attributes& a) { return Item(a, DataType::Hanger) && IsDesignedHanger(a.hangerKind); }},
    {"NOD NTHK VOD VTHK L1 E", "nozzles (NOZZLE)", [](const Attributes& a) { return Item(a, DataType::Nozzle); }},
    {"L2", "cylindrical vessel nozzles (NOZZLE=297)",
     [](const Attributes& a) { return Item(a, DataType::Nozzle) && !a.nozzleFlatBottom; }},
    {"RPAD", "flat-bottom tank nozzles (NOZZLE=650)",
     [](const Attributes& a) { return Item(a, DataType::Nozzle) && a.nozzleFlatBottom; }},
    {"GDIA AP", "flanges (FLANGE)", [](const Attributes& a) { return Item(a, DataType::Flange); }},
    {"DELTA", "butt welds (WTYPE=1) and tapered transitions (WTYPE=4)",
     [](const Attributes& a) {
       return Item(a, DataType::Weld) && (a.jointKinds.weldType == 1 || a.jointKinds.weldType == 4);
     }},
    {"PAD", "fabricated tees (KF)", [](const Attributes& a) { return BranchOfType(a, kBranchSifUnreinforced); }},
    {"CRTCH", "extruded welding tees (KE)", [](const Attributes& a) { return BranchOfType(a, 4); }},
    {"R", "radiused branches (KR) and branch connections (KB)",
     [](const Attributes& a) { return BranchOfType(a, 7, 9); }},
    {"THK", "radiused branches (KR) and branches on thickened pipe (KP)",
     [](const Attributes& a) { return BranchOfType(a, 7, 8); }},
    {"LEN", "branches on thickened pipe (KP)", [](const Attributes& a) { return BranchOfType(a, 8); }},
    {"PH", "harmonic loads (FRE)", [](const Attributes& a) { return Item(a, DataType::HarmonicLoad); }},
    {"OFFSET", "concentrated masses (CWGT) and valves with an additional weight (JV, AWGT)", TakesOffset},
    {"WGT",
     "flanges (FLANGE), rigid elements (JR), bellows (JE), slip joints (JS), hinge joints (KH) and ball joints (JB)",
     TakesWeight},
    {"FACX", "a spectrum named on the same line (SPECX)", [](const Attributes& a) { return SpectrumNamed(a, 0); }},
    {"FACY", "a spectrum named on the same line (SPECY)", [](const Attributes& a) { return SpectrumNamed(a, 1); }},
    {"FACZ", "a spectrum named on the same line (SPECZ)", [](const Attributes& a) { return SpectrumNamed(a, 2); }},
    // Element kinds.
    {"B BTHK", "bends (KI), miters (KM) and jacketed bends (JI)", TakesBendWall},
    {"BMAT FF", "bends (KI) and miters (KM)",
     [](const Attributes& a) { return Element(a, ElementType::Bend) || Element(a, ElementType::Miter); }},
    {"IN1 IN2", "bends (KI) and jacketed bends (JI)",
     [](const Attributes& a) { return Element(a, ElementType::Bend) || Element(a, ElementType::JacketedBend); }},
    {"BSIF", "bends (KI)", [](const Attributes& a) { return Element(a, ElementType::Bend); }},
    {"WS", "miters (KM)", [](const Attributes& a) { return Element(a, ElementType::Miter); }},
    {"JTHK JR", "jacketed bends (JI)", [](const Attributes& a) { return Element(a, ElementType::JacketedBend); }},
    {"JMAT JSEC JLOAD", "jacketed pipes (JP) and jacketed bends (JI)",
     [](const Attributes& a) {
       return Element(a, ElementType::JacketedPipe) || Element(a, ElementType::JacketedBend);
     }},
    {"OD1 OD2 THK1 THK2 CONE", "reducers (JD)", [](const Attributes& a) { return Element(a, ElementType::Reducer); }},
    {"VWGT AWGT THKF INSF", "valves (JV)", [](const Attributes& a) { return Element(a, ElementType::Valve); }},
    {"ES BK", "bellows (JE)", [](const Attributes& a) { return Element(a, ElementType::Bellows); }},
    {"TA", "bellows (JE) and slip joints (JS)",
     [](const Attributes& a) { return Element(a, ElementType::Bellows) || Element(a, ElementType::SlipJoint); }},
    {"FFOR", "slip joints (JS)", [](const Attributes& a) { return Element(a, ElementType::SlipJoint); }},
    {"FTOR", "slip joints (JS) and hinge joints (KH)",
     [](const Attributes& a) { return Element(a, ElementType::SlipJoint) || Element(a, ElementType::HingeJoint); }},
    {"HS RLIM", "hinge joints (KH)", [](const Attributes& a) { return Element(a, ElementType::HingeJoint); }},
    {"RK ROTL FRCT", "ball joints (JB)", [](const Attributes& a) { return Element(a, ElementType::BallJoint); }},
    {"LXAX LYAX", "elastic elements (JL)", [](const Attributes& a) { return Element(a, ElementType::Elastic); }},
    {"SHORT LONG", "cut pipes (JC)", [](const Attributes& a) { return Element(a, ElementType::CutPipe); }},
    {"KTIE GAP", "tie rods (JT)", [](const Attributes& a) { return Element(a, ElementType::TieRod); }},
    {"MAT SEC LOAD BETA", "beams (JM)", [](const Attributes& a) { return Element(a, ElementType::Beam); }},
    {"HSG HPRES", "hydrotest load rows (H)",
     [](const Attributes& a) { return Element(a, ElementType::HydrotestLoad); }},
};
// clang-format on

bool ListHolds(std::string_view list, std::string_view keyword) {
  while (!list.empty()) {
    const std::size_t blank = list.find(' ');
    if (list.substr(0, blank) == keyword) return true;
    if (blank == std::string_view::npos) break;
    list.remove_prefix(blank + 1);
  }
  return false;
}

const KeywordKinds* KindsOf(std::string_view keyword) {
  for (const KeywordKinds& kinds : kKeywordKinds)
    if (ListHolds(kinds.keywords, keyword)) return &kinds;
  return nullptr;
}

// --- Keywords both the element and the item keep -----------------------------------

struct SharedKeyword {
  const char* keyword;
  bool (*element)(const Attributes& a);
  bool (*item)(const Attributes& a);
};

constexpr SharedKeyword kSharedKeywords[] = {
    {"WGT", WeighingElement, [](const Attributes& a) { return Item(a, DataType::Flange); }},
    {"OFFSET",
     [](const Attributes& a) { return Element(a, ElementType::Valve) && a.inlineKinds.additionalWeight != 0.0f; },
     [](const Attributes& a) { return Item(a, DataType::ConcentratedMass); }},
    {"DV", [](const Attributes& a) { return Element(a, ElementType::HingeJoint); }, DirectedItem},
    {"TRAK", [](const Attributes& a) { return Element(a, ElementType::Elastic); },
     [](const Attributes& a) { return Item(a, DataType::Anchor); }},
    {"ROTK", [](const Attributes& a) { return Element(a, ElementType::Elastic); },
     [](const Attributes& a) { return Item(a, DataType::Anchor); }},
};

const char* ElementName(ElementType type) {
  switch (type) {
    case ElementType::Rigid: return "rigid element (JR)";
    case ElementType::Bellows: return "bellows (JE)";
    case ElementType::SlipJoint: return "slip joint (JS)";
    case ElementType::HingeJoint: return "hinge joint (KH)";
    case ElementType::BallJoint: return "ball joint (JB)";
    case ElementType::Valve: return "valve (JV)";
    case ElementType::Elastic: return "elastic element (JL)";
    default: return "element";
  }
}

// The item's name with its keyword, and the plain name.
std::pair<const char*, const char*> ItemName(DataType type) {
  switch (type) {
    case DataType::Flange: return {"flange (FLANGE)", "flange"};
    case DataType::ConcentratedMass: return {"concentrated mass (CWGT)", "concentrated mass"};
    case DataType::SkewedRestraint: return {"skewed restraint (K, KR)", "skewed restraint"};
    case DataType::LimitStop: return {"limit stop (LS)", "limit stop"};
    case DataType::Snubber: return {"snubber (SNUBBER)", "snubber"};
    case DataType::Nozzle: return {"nozzle (NOZZLE)", "nozzle"};
    case DataType::Anchor: return {"anchor (KA)", "anchor"};
    default: return {"item", "item"};
  }
}

void CheckSharedKeywords(const Attributes& attributes) {
  for (const BatchGivenEntry& given : attributes.given)
    for (const SharedKeyword& shared : kSharedKeywords) {
      if (given.keyword != shared.keyword || !shared.element(attributes) || !shared.item(attributes)) continue;
      const auto [item, plain] = ItemName(attributes.item);
      throw BatchLineErrorText(given.lineNumber, given.line,
                               given.keyword + " could belong to the " + ElementName(attributes.element) +
                                   " or to the " + item + "\nUse Location (L) for the " + plain) +
          " :  " + given.entry;
    }
}

// --- Keywords that contradict each other ---------------------------------------------

struct ConflictGroup {
  const char* keywords;  // separated by blanks; any two different ones contradict
  const char* what;      // what both give
};

// clang-format off
constexpr ConflictGroup kConflictGroups[] = {
    {"T TEMP", "the temperature in force"},
    {"P PRES", "the pressure in force"},
    {"U UNIF", "the uniform load in force"},
    {"D DIS DX DISX", "the X displacement of set 1"},
    {"D DIS DY DISY", "the Y displacement of set 1"},
    {"D DIS DZ DISZ", "the Z displacement of set 1"},
    {"D2 DIS2", "the displacements of set 2"},
    {"D3 DIS3", "the displacements of set 3"},
    {"D4 SEIS", "the seismic displacements"},
    {"D5 SETT", "the settlement displacements"},
    {"ROT ROTX", "the X rotation of set 1"},
    {"ROT ROTY", "the Y rotation of set 1"},
    {"ROT ROTZ", "the Z rotation of set 1"},
    {"F FIXD FX FIXDX", "the X direction of the restraint"},
    {"F FIXD FY FIXDY", "the Y direction of the restraint"},
    {"F FIXD FZ FIXDZ", "the Z direction of the restraint"},
    {"FOR FORX", "the X force"},
    {"FOR FORY", "the Y force"},
    {"FOR FORZ", "the Z force"},
    {"MOM MOMX", "the X moment"},
    {"MOM MOMY", "the Y moment"},
    {"MOM MOMZ", "the Z moment"},
    // VS with HTYP is a spring hanger of that catalogue, as the writer puts it.
    {"CS RH VS US", "the hanger kind"},
    {"CS HTYP", "the hanger kind"},
    {"RH HTYP", "the hanger kind"},
    {"US HTYP", "the hanger kind"},
    {"SHORT LONG", "the cut of the cut pipe"},
};
// clang-format on

}  // namespace

bool BatchItemNeedsOwnLine(ElementType element, DataType item) {
  if (element == ElementType::HingeJoint) return true;
  const bool weighs = element == ElementType::Rigid || element == ElementType::Bellows ||
                      element == ElementType::SlipJoint || element == ElementType::BallJoint;
  if (item == DataType::Flange) return weighs;
  if (item == DataType::ConcentratedMass) return element == ElementType::Valve;
  if (item == DataType::Anchor) return element == ElementType::Elastic;
  return false;
}

void CheckBatchKeywordConflict(const BatchLayoutAttributes& attributes, const BatchGivenEntry& next) {
  for (const ConflictGroup& group : kConflictGroups) {
    if (!ListHolds(group.keywords, next.keyword)) continue;
    for (const BatchGivenEntry& given : attributes.given) {
      if (given.keyword == next.keyword || !ListHolds(group.keywords, given.keyword)) continue;
      throw BatchLineErrorText(next.lineNumber, next.line,
                               next.keyword + " contradicts " + given.entry + ": both give " + group.what) +
          " :  " + next.entry;
    }
  }
}

void CheckBatchKeywordKinds(const BatchLayoutAttributes& attributes) {
  CheckSharedKeywords(attributes);
  for (const BatchGivenEntry& given : attributes.given) {
    const KeywordKinds* kinds = KindsOf(given.keyword);
    if (kinds == nullptr || kinds->takes(attributes)) continue;
    throw BatchLineErrorText(given.lineNumber, given.line,
                             given.keyword + " is given to " + kinds->kinds + " only") +
        " :  " + given.entry;
  }
}
