// Which rows take which attribute keywords of a LAYOUT line (see
// BatchLayout.h): each keyword that only some kinds keep, with the kinds
// that keep it, as the line's message names them. A keyword not listed
// here gives the model or the values in force (AMB, T, P, SG, U, L, the
// spectrum load's SPECX ...), or chooses the item itself (G, LS, CS, FOR,
// FLANGE ...), and stands on any line.
#include <string_view>

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
bool TakesWeight(const Attributes& a) {
  return Item(a, DataType::Flange) || Element(a, ElementType::Rigid) || Element(a, ElementType::Bellows) ||
         Element(a, ElementType::SlipJoint) || Element(a, ElementType::HingeJoint) ||
         Element(a, ElementType::BallJoint);
}
bool TakesDirection(const Attributes& a) {
  return Item(a, DataType::SkewedRestraint) || Item(a, DataType::LimitStop) || Item(a, DataType::Snubber) ||
         Item(a, DataType::Nozzle) || Element(a, ElementType::HingeJoint);
}
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

}  // namespace

void CheckBatchKeywordKinds(const BatchLayoutAttributes& attributes) {
  for (const BatchGivenEntry& given : attributes.given) {
    const KeywordKinds* kinds = KindsOf(given.keyword);
    if (kinds == nullptr || kinds->takes(attributes)) continue;
    throw BatchLineErrorText(given.lineNumber, given.line,
                             given.keyword + " is given to " + kinds->kinds + " only") +
        " :  " + given.entry;
  }
}
