// Element and data type keywords of the Layout table, and the completions
// offered while a Type or Data cell is typed.
//
// A keyword matches when the typed text (blanks removed, upper-cased) is a
// leading part of it; the keywords are tried in a fixed order, so a short
// text picks the first keyword it starts ("B" is "BEND", "BA" is "BALL").
// The completions are display names whose blank-free upper-case form is one
// of the keywords, so a completed cell stores like a typed keyword.
#include "model/LayoutKeywords.h"

#include <cctype>

#include "model/Model.h"

namespace {

struct Keyword {
  const char* text;
  int code;
  std::int32_t subtype;
};

constexpr Keyword kElementKeywords[] = {
    {"FROM", 1, 0},    {"BEND", 4, 0},     {"PIPE", 3, 0},     {"LOCATION", 2, 0}, {"VALVE", 8, 0},
    {"HINGE", 12, 0},  {"BALL", 13, 0},    {"BELLOWS", 10, 0}, {"SLIP", 11, 0},    {"REDUCER", 9, 0},
    {"RIGID", 14, 0},  {"ELASTIC", 15, 0}, {"MITER", 5, 0},    {"JPIPE", 6, 0},    {"JBEND", 7, 0},
    {"CUTPIPE", 16, 0}, {"BEAM", 17, 0},   {"COMMENT", 18, 0}, {"TIEROD", 19, 0},
};

constexpr int kHarmonicCode = 19;

constexpr Keyword kDataKeywords[] = {
    {"ANCHOR", 1, 0},          {"RESTRAINT", 2, 0},       {"XRESTRAINT", 2, 1},     {"YRESTRAINT", 2, 2},
    {"ZRESTRAINT", 2, 3},      {"XYRESTRAINT", 2, 4},     {"YZRESTRAINT", 2, 5},    {"XZRESTRAINT", 2, 6},
    {"XYZRESTRAINT", 2, 7},    {"SKEWEDRESTR", 3, 0},     {"GUIDE", 5, 0},          {"GENERICSUPPORT", 21, 0},
    {"NOZZLE", 7, 0},          {"LIMITSTOP", 6, 0},       {"FLANGE", 11, 0},        {"SNUBBER", 8, 0},
    {"FORCE", 16, 0},          {"CONCMASS", 17, 0},       {"HANGER", 4, 0},         {"HARMONICLOAD", kHarmonicCode, 0},
    {"USERHANGER", 4, 1},      {"RODHANGER", 4, 2},       {"CONSTSUPPORT", 4, 3},   {"WELD", 14, 0},
    {"THREADEDJOINT", 15, 0},  {"TIMEVARLOAD", 18, 0},    {"TIMEVARYINGLOAD", 18, 0}, {"FORCESPLOAD", 20, 0},
    {"FORCESPECTRUMLOAD", 20, 0}, {"BUTTWELD", 14, 0},    {"FILLETWELD", 14, 1},    {"CONCFILETWELD", 14, 2},
    {"TAPEREDTRANS", 14, 3},   {"JACKETENDCAP", 10, 0},   {"SPIDER", 9, 0},         {"BRANCHSIF", 12, 0},
    {"WELDINGTEE", 12, 0},     {"REINFTEE", 12, 1},       {"REINFBRANCH", 12, 1},   {"UNREINFTEE", 12, 2},
    {"UNREINFBRNCH", 12, 2},   {"EXTRUDEDTEE", 12, 3},    {"SWEEPOLET", 12, 4},     {"WELDOLET", 12, 5},
    {"RADIUSDBRNCH", 12, 6},   {"BRONTHKPIPE", 12, 7},    {"BRANCHCONN.", 12, 8},   {"USERSIF", 13, 0},
};

std::string Squeezed(const std::string& text) {
  std::string out;
  for (char c : text)
    if (c != ' ') out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

template <std::size_t N>
const Keyword* MatchKeyword(const Keyword (&table)[N], const std::string& squeezed) {
  for (const Keyword& keyword : table)
    if (std::string_view(keyword.text).starts_with(squeezed)) return &keyword;
  return nullptr;
}

}  // namespace

int ParseElementTypeKeyword(const std::string& text) {
  const std::string squeezed = Squeezed(text);
  if (squeezed.empty()) return 0;
  const Keyword* keyword = MatchKeyword(kElementKeywords, squeezed);
  return keyword != nullptr ? keyword->code : kInvalidKeyword;
}

int ParseDataTypeKeyword(const std::string& text, std::int32_t pipingCode) {
  g_KeywordSubtype = 0;
  const std::string squeezed = Squeezed(text);
  if (squeezed.empty()) return 0;
  const Keyword* keyword = MatchKeyword(kDataKeywords, squeezed);
  if (keyword == nullptr) return kInvalidKeyword;
  if (keyword->code == kHarmonicCode && pipingCode == 0) return kInvalidKeyword;
  g_KeywordSubtype = keyword->subtype;
  return keyword->code;
}

const char* ElementTypeCellName(ElementType type) {
  static const char* const names[] = {"",        "From",  "Location", "",      "Bend",    "Miter",   "Jpipe",
                                      "Jbend",   "Valve", "Reducer",  "Bellows", "Slip",  "Hinge",   "Ball",
                                      "Rigid",   "Elastic", "Cut pipe", "Beam", "",        "Tie rod", ""};
  const auto code = static_cast<std::size_t>(type);
  return code < std::size(names) ? names[code] : "";
}

const char* ElementTypeMessageName(ElementType type) {
  switch (type) {
    case ElementType::Pipe: return "Pipe";
    case ElementType::JacketedPipe: return "Jacketed pipe";
    case ElementType::JacketedBend: return "Jacketed bend";
    default: return ElementTypeCellName(type);
  }
}

std::string ElementTypeCompletion(const std::string& typed, char letter) {
  const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
  const std::string before = Squeezed(typed);
  if (before.empty()) {
    switch (c) {
      case 'F': return "From";
      case 'L': return "Location";
      case 'V': return "Valve";
      case 'S': return "Slip";
      case 'E': return "Elastic";
      case 'H': return "Hinge";
      case 'M': return "Miter";
      case 'C': return "Cut pipe";
      case 'T': return "Tie rod";
      default: return {};
    }
  }
  if (before == "R") return c == 'E' ? "Reducer" : c == 'I' ? "Rigid" : "";
  if (before == "B") return c == 'A' ? "Ball" : "";
  if (before == "J") return c == 'P' ? "Jpipe" : c == 'B' ? "Jbend" : "";
  if (before == "BE") return c == 'N' ? "Bend" : c == 'A' ? "Beam" : c == 'L' ? "Bellows" : "";
  return {};
}

std::string DataTypeCompletion(const std::string& typed, char letter, const Model& model) {
  const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
  const std::string before = Squeezed(typed);
  const bool dynamic = model.options.PipingCode != 0;
  if (before.empty()) {
    switch (c) {
      case 'A': return "Anchor";
      case 'J': return "Jacket endcap";
      case 'L': return "Limit stop";
      case 'N': return "Nozzle";
      case 'W': return "Weld";
      case 'X': return "X restraint";
      case 'Y': return "Y restraint";
      case 'Z': return "Z restraint";
      default: return {};
    }
  }
  if (before == "C") return c == 'M' ? "Conc mass" : "";
  if (before == "B") return c == 'R' ? "Branch SIF" : c == 'U' ? "Butt weld" : "";
  if (before == "G") return c == 'U' ? "Guide" : c == 'E' ? "Generic support" : "";
  if (before == "F") return c == 'L' ? "Flange" : c == 'O' ? "Force" : "";
  if (before == "R") return c == 'O' ? "Rod Hanger" : c == 'E' ? "Restraint" : "";
  if (before == "S") return c == 'N' ? "Snubber" : c == 'K' ? "Skewed Restr" : c == 'P' ? "Spider" : "";
  if (before == "T") {
    if (c == 'H') return "Threaded Joint";
    if (c == 'I') return dynamic && HasTimeFunctions(model.timeFunctions) ? "Time Var Load" : kRefusedCompletion;
    return {};
  }
  if (before == "HA") {
    if (c == 'N') return "Hanger";
    if (c == 'R') return dynamic ? "Harmonic load" : kRefusedCompletion;
    return {};
  }
  if (before == "CON") return c == 'C' ? "Conc mass" : c == 'S' ? "Const support" : "";
  if (before == "USER") return c == 'H' ? "User hanger" : c == 'S' ? "User SIF" : "";
  return {};
}
