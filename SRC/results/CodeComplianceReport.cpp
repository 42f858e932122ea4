// The code compliance section of reports; see CodeComplianceReport.h.
// Column numbers are character columns of the text page; a value "right at"
// a column ends there.
#include "results/CodeComplianceReport.h"

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "codes/CodeCategories.h"
#include "codes/CodeStressDriver.h"
#include "elements/DerivedElementData.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "printing/ReportOutput.h"
#include "results/CodeComplianceTable.h"
#include "resultsfile/ResultPrint.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/Units.h"

namespace {

enum class Layout { Plain, Pipeline, Clause, Bs806 };

const CodeStressResults& Stresses() { return TheCodeStresses(); }
const CodeSettings& Settings() { return Stresses().cm->settings; }
int Code() { return Settings().code; }
const CategoryPresence& Present() { return Stresses().presence; }

bool InCodes(int code, std::initializer_list<int> codes) {
  for (int c : codes)
    if (c == code) return true;
  return false;
}

Layout LayoutOf(int code) {
  if (code == 12) return Layout::Bs806;
  if (IsPipelineCode(code)) return Layout::Pipeline;
  if (InCodes(code, {8, 9, 10, 11, 101, 201, 13, 14, 15, 16, 18, 21})) return Layout::Clause;
  return Layout::Plain;
}

std::string StressText(double value) {
  if (IsFlaggedStress(value) || !std::isfinite(value)) return kNotFiniteText;
  return FormatStress(static_cast<float>(value));
}
std::string RatioText(double value) { return FormatRatio(value); }
std::string StressUnit() { return UnitLabel(kUnitStress); }

// --- the values of one end ------------------------------------------------------------

// What a group writes at one end; an empty text is not written.
struct GroupCells {
  std::string stress, allowable, ratio;
};

struct EndCells {
  std::string node, pressure;
  std::vector<GroupCells> groups;  // in the layout's order
};

const AnalysisElement& ElementOf(const CodeStressRecord& record) { return Stresses().cm->Element(record.element); }

std::string PressureText(int row, int end) {
  const AnalysisElement& e = ElementOf(Stresses().Record(row));
  if (end == 0) return FormatPressure(ElementDesignPressure(TheModel(), e));
  const auto& pressures = Stresses().allowablePressure;
  const double p = row < static_cast<int>(pressures.size()) ? pressures[static_cast<std::size_t>(row)] : 0.0;
  if (std::isnan(p)) return kNotFiniteText;
  return p != 0.0 ? std::string(FormatPressure(static_cast<float>(p))) : std::string();
}

// The allowable and ratio of a check, each when its allowable counts.
GroupCells CheckCells(double stress, double allowable, double ratio, bool withRatio) {
  if (AllowableMissing(stress, allowable))
    return {StressText(stress), kNotFiniteText, withRatio ? std::string(kNotFiniteText) : std::string()};
  if (!(allowable > 2.0)) return {};
  return {StressText(stress), StressText(allowable), withRatio ? RatioText(ratio) : std::string()};
}

std::vector<GroupCells> PlainGroups(const CodeStressRecord& r, int end) {
  const auto e = static_cast<std::size_t>(end);
  std::vector<GroupCells> groups(3);
  if (Present().sustained) groups[0] = CheckCells(r.SL[e], r.SH[e], r.SH[e] > 0.0f ? r.SL[e] / r.SH[e] : 0.0, true);
  if (Present().expansion) groups[1] = CheckCells(r.expansion[e].stress, r.expansion[e].allowable, r.expansion[e].ratio, true);
  if (Present().occasional)
    groups[2] = CheckCells(r.occasional[e].stress, r.occasional[e].allowable, r.occasional[e].ratio, true);
  return groups;
}

std::vector<GroupCells> PipelineGroups(const CodeStressRecord& r, int end) {
  const auto e = static_cast<std::size_t>(end);
  std::vector<GroupCells> groups(3);
  const bool occasional = Present().occasional;
  if (Present().sustained) {
    const std::array<double, 2> s = occasional ? std::array<double, 2>{r.occasional[0].stress, r.occasional[1].stress}
                                               : std::array<double, 2>{r.SL[0], r.SL[1]};
    const double a = occasional ? r.occasional[e].allowable : r.SH[e];
    if (s[0] >= 0.0 && s[1] >= 0.0) groups[0].stress = StressText(s[e]);
    if (a > 2.0 && s[e] >= 0.0) {
      groups[0].allowable = StressText(a);
      groups[0].ratio = RatioText(s[e] / a);
    } else if (AllowableMissing(s[e], a)) {
      groups[0].allowable = groups[0].ratio = kNotFiniteText;
    }
  }
  // The expansion and combined allowables of these codes are written as the
  // stress over its stored ratio.
  if (Present().expansion) {
    const StressCheck& c = r.expansion[e];
    if (r.expansion[0].stress >= 0.0f && r.expansion[1].stress >= 0.0f) groups[1].stress = StressText(c.stress);
    if (AllowableMissing(c.stress, c.allowable)) {
      groups[1].allowable = groups[1].ratio = kNotFiniteText;
    } else if (c.ratio != 0.0f && c.stress > 0.0f) {
      groups[1].allowable = StressText(c.stress / c.ratio);
      groups[1].ratio = RatioText(c.ratio);
    }
  }
  if (Present().combined) {
    const StressCheck& c = r.combined[e];
    if (r.combined[0].stress > 0.0f && r.combined[1].stress > 0.0f) groups[2].stress = StressText(c.stress);
    if (c.allowable > 2.0f && r.combined[0].stress > 0.0f && c.ratio != 0.0f) {
      groups[2].allowable = StressText(c.stress / c.ratio);
      groups[2].ratio = RatioText(c.ratio);
    } else if (r.combined[0].stress > 0.0f && AllowableMissing(c.stress, c.allowable)) {
      groups[2].allowable = groups[2].ratio = kNotFiniteText;
    }
  }
  return groups;
}

enum class Fourth { None, Creep, Settlement, Occasional };

Fourth FourthGroup() {
  if (Present().creep) return Fourth::Creep;
  if (Present().settlement && !Present().occasional) return Fourth::Settlement;
  if (Present().occasional) return Fourth::Occasional;
  return Fourth::None;
}

std::vector<GroupCells> ClauseGroups(const CodeStressRecord& r, int end) {
  const auto e = static_cast<std::size_t>(end);
  std::vector<GroupCells> groups(4);
  if (Present().sustained) {
    const double s = IsClass2Or3Code(Code()) ? r.SI[e] : r.SL[e];
    groups[0] = CheckCells(s, r.SH[e], 0.0, false);
  }
  if (Present().expansion) groups[1] = CheckCells(r.expansion[e].stress, r.expansion[e].allowable, 0.0, false);
  if (Present().combined && Present().expansion && Present().sustained)
    groups[2] = CheckCells(r.combined[e].stress, r.combined[e].allowable, 0.0, false);
  const StressCheck* fourth = nullptr;
  switch (FourthGroup()) {
    case Fourth::Creep: fourth = &r.creep[e]; break;
    case Fourth::Settlement: fourth = &r.settlement[e]; break;
    case Fourth::Occasional: fourth = &r.occasional[e]; break;
    case Fourth::None: break;
  }
  if (fourth != nullptr) groups[3] = CheckCells(fourth->stress, fourth->allowable, 0.0, false);
  return groups;
}

// BS 806: sustained, expansion and hot, each written whatever its allowable:
// the sustained maximum and ratio where the end has a maximum, the others'
// allowable (the stress over its ratio) and ratio where the ratio is not 0.
std::vector<GroupCells> Bs806Groups(const CodeStressRecord& r, int end) {
  const auto e = static_cast<std::size_t>(end);
  std::vector<GroupCells> groups(3);
  if (Present().sustained) {
    groups[0].stress = StressText(r.SL[e]);
    if (r.SH[e] != 0.0f) {
      groups[0].allowable = StressText(r.SH[e]);
      groups[0].ratio = RatioText(r.SL[e] / r.SH[e]);
    }
  }
  auto stored = [](const StressCheck& c) {
    GroupCells cells{StressText(c.stress), {}, {}};
    if (c.ratio != 0.0f && c.ratio > 0.0f) {
      cells.allowable = StressText(c.stress / c.ratio);
      cells.ratio = RatioText(c.ratio);
    }
    return cells;
  };
  if (Present().expansion) groups[1] = stored(r.expansion[e]);
  if (Present().combined) groups[2] = stored(r.combined[e]);
  return groups;
}

EndCells CellsOf(Layout layout, int row, int end) {
  const CodeStressRecord& r = Stresses().Record(row);
  const AnalysisElement& e = ElementOf(r);
  EndCells cells;
  cells.node = NodeNumberText(TheModel().nodes[end == 0 ? e.node1 : e.node2].id);
  cells.pressure = PressureText(row, end);
  switch (layout) {
    case Layout::Plain: cells.groups = PlainGroups(r, end); break;
    case Layout::Pipeline: cells.groups = PipelineGroups(r, end); break;
    case Layout::Clause: cells.groups = ClauseGroups(r, end); break;
    case Layout::Bs806: cells.groups = Bs806Groups(r, end); break;
  }
  return cells;
}

// Whether each group of the layout holds a category of the results.
std::vector<bool> GroupsPresent(Layout layout) {
  const CategoryPresence& p = Present();
  switch (layout) {
    case Layout::Plain: return {p.sustained, p.expansion, p.occasional};
    case Layout::Bs806: return {p.sustained, p.expansion, p.combined};
    case Layout::Pipeline: return {p.sustained, p.expansion, p.combined};
    case Layout::Clause:
      return {p.sustained, p.expansion, p.combined && p.expansion && p.sustained, FourthGroup() != Fourth::None};
  }
  return {};
}

// --- text rows ----------------------------------------------------------------------------

struct TextColumns {
  int node = 6, pressure = 17;
  std::vector<std::array<int, 3>> groups;  // stress, allowable, ratio (0: none)
};

TextColumns ColumnsOf(Layout layout) {
  if (layout == Layout::Clause) return {5, 15, {{22, 29, 0}, {38, 45, 0}, {54, 61, 0}, {70, 77, 0}}};
  return {6, 17, {{24, 31, 37}, {44, 51, 57}, {64, 71, 77}}};
}

void PutRight(const std::string& text, int column) {
  if (!text.empty() && column > 0) ReportPutTextRight(text, column);
}

void WriteTextEnd(const TextColumns& columns, const EndCells& cells) {
  ReportPutText(cells.node, columns.node);
  PutRight(cells.pressure, columns.pressure);
  for (std::size_t g = 0; g < cells.groups.size() && g < columns.groups.size(); ++g) {
    PutRight(cells.groups[g].stress, columns.groups[g][0]);
    PutRight(cells.groups[g].allowable, columns.groups[g][1]);
    PutRight(cells.groups[g].ratio, columns.groups[g][2]);
  }
  ReportNewLine();
}

// --- CSV rows -----------------------------------------------------------------------------

void WriteCsvEnd(Layout layout, const EndCells& cells) {
  const std::vector<bool> present = GroupsPresent(layout);
  std::size_t last = 0;  // groups up to the last one present
  for (std::size_t g = 0; g < present.size(); ++g)
    if (present[g]) last = g + 1;
  std::vector<std::string> line{cells.node, cells.pressure};
  for (std::size_t g = 0; g < last; ++g) {
    const GroupCells& group = cells.groups[g];
    line.push_back(group.stress);
    line.push_back(group.allowable);
    if (layout != Layout::Clause) line.push_back(group.ratio);
  }
  WriteCsvCells(line);
}

// --- headings -----------------------------------------------------------------------------

void TitleLine() {
  if (g_ReportToFile) {
    WriteCsvCells({ComplianceTitle()});
    return;
  }
  ReportPutCentred(ComplianceTitle(), 6, 78);
  ReportNewLine();
}

// The pipeline codes' group line.
std::string PipelineGroupLine() {
  const int code = Code();
  const bool comb = Present().combined;
  if (code == 6)
    return comb ? "Press  -Unrest (833.6 a,b)-  --Unrest (833.8)--  --Rest (833.3 a,b)--"
                : "Press  -Unrest (833.6 a,b)-  --Unrest (833.8)--";
  if (code == 4)
    return comb ? "Press  -Unrest (402.6.2)-  --Unrest (402.5.2)--  --Rest (402.6.1)--"
                : "Press  -Unrest (402.6.2)-  --Unrest (402.5.2)--";
  return comb ? "Press  -Unrest (4.8.5)-  --Unrest (4.8.4)--      --Rest (4.7.2.1)--"
              : "Press  -Unrest (4.8.5)-  --Unrest (4.8.4)--";
}

// A heading over the character columns first .. last: right-aligned with the
// values when it fits, else from the first on.
void PutOverColumn(const std::string& text, int first, int last) {
  if (static_cast<int>(text.size()) <= last - first + 1) ReportPutTextRight(text, last);
  else ReportPutText(text, first);
}

// The pipeline codes' symbols and units lines, each heading over the column
// whose values it names, as the screen table heads them: stress, allowable,
// and the ratio as the stress over the allowable on the line below. A blank
// is kept between columns; a ratio's heading may end one past its values.
void PipelineSymbolLines() {
  const TextColumns columns = ColumnsOf(Layout::Pipeline);
  const CodeStressCategory categories[] = {CodeStressCategory::Sustained, CodeStressCategory::Expansion,
                                           CodeStressCategory::Combined};
  const std::size_t shown = Present().combined ? 3 : 2;
  auto put = [&](std::size_t g, const std::array<std::string, 3>& texts) {
    const auto& c = columns.groups[g];
    const int start = g == 0 ? columns.pressure + 2 : columns.groups[g - 1][2] + 3;
    PutOverColumn(texts[0], start, c[0]);
    PutOverColumn(texts[1], c[0] + 2, c[1]);
    PutOverColumn(texts[2], c[1] + 2, c[2] + 1);
  };
  ReportPutText("Allow", 13);
  for (std::size_t g = 0; g < shown; ++g) {
    const CategorySymbols s = ComplianceSymbols(Settings(), categories[g], Present().occasional);
    put(g, {s.stress, s.allowable, s.stress + "/"});
  }
  ReportNewLine();
  const std::string unit = StressUnit();
  ReportPutText("Node", 6);
  ReportPutCentred(UnitLabel(kUnitPressure), 12, 19);
  for (std::size_t g = 0; g < shown; ++g)
    put(g, {unit, unit, ComplianceSymbols(Settings(), categories[g], Present().occasional).allowable});
  ReportNewLine();
  ReportRule();
}

void PlainTextHeading() {
  const int code = Code();
  const std::string unit = StressUnit();
  TitleLine();
  if (IsPipelineCode(code)) {
    ReportPutText(PipelineGroupLine(), 13);
    ReportNewLine();
    PipelineSymbolLines();
    return;
  }
  ReportPutText("Press  --- Sustained ----  --- Expansion ----  --- Occasional ----", 13);
  ReportNewLine();
  ReportPutText("Allow", 13);
  ReportPutText("SL     SH     SL/   SE     SA     SE/  SL+SO        SL+SO/", 21);
  if (code == 5 || code == 7) ReportPutText("1.33SH", 66);
  else if (code == 3) ReportPutText("SHO", 67);
  else if (code == 19 || code == 20) ReportPutText("SH", 68);
  else ReportPutText("1.20SH", 66);
  ReportNewLine();
  // The units line: a later text writes over what lies under it.
  ReportPutText("Node", 6);
  ReportPutCentred(UnitLabel(kUnitPressure), 12, 19);
  ReportPutCentred(unit, 19, 26);
  ReportPutCentred(unit, 26, 33);
  ReportPutText("SH", 35);
  ReportPutCentred(unit, 39, 46);
  ReportPutCentred(unit, 47, 54);
  ReportPutText("SA", 55);
  ReportPutCentred(unit, 58, 66);
  ReportPutCentred(unit, 65, 73);
  if (code == 5 || code == 7) ReportPutText("1.33SH", 73);
  else if (code == 3) ReportPutText("SHO", 74);
  else if (code == 19 || code == 20) ReportPutText("SH", 75);
  else ReportPutText("1.20SH", 73);
  ReportNewLine();
  ReportRule();
}

// The fourth group's title and allowable of the clause codes 8, 9 .. 201, 15.
const char* ClauseFourthTitle(int code, bool settlement) {
  if (code == 8) return settlement ? "Settlement(12)" : "Occasional(10)";
  if (code == 15) return settlement ? "Settlement(9)" : "Occasional(10)";
  return settlement ? "Settlement(10a)" : "Occasional(9)";
}

// The clause codes' fourth allowable: by service level where it is one.
std::string ClauseFourthAllowable(int code, bool settlement) {
  if (settlement) return "3.0SC";
  const int level = Settings().serviceLevel;
  const bool inRange = level >= 0 && level <= 2;
  if (IsClass2Or3Code(code)) {
    static const char* const labels[] = {"1.8SH", "2.25SH", "3.0SH"};
    return inRange ? labels[level] : "";
  }
  if (code == 8 || code == 15) {
    static const char* const labels[] = {"1.20SH", "1.80SH", "2.40SH"};
    return inRange ? labels[level] : "";
  }
  if (InCodes(code, {13, 14, 18})) return "1.20SH";
  return {};
}

bool SettlementFourth() { return FourthGroup() == Fourth::Settlement; }

void ClauseTextHeading() {
  const int code = Code();
  const bool creep = Present().creep, settlement = SettlementFourth();
  TitleLine();
  switch (code) {
    case 8: ReportPutText("Press  Sustained(9)    Expansion(11)  Expansion(13)", 11); break;
    case 15: ReportPutText("Press  Sustained(6)    Expansion(7)   Expansion(8)", 11); break;
    case 13: ReportPutText("Press --Sust(9.32)--  ---Exp(9.34)--  ---Exp(9.35)--  ---Occ(9.33)--", 11); break;
    case 14: ReportPutText("Press --Sust(10.7)--  ---Exp(10.9)--  --Exp(10.10)--  ---Occ(10.8)--", 11); break;
    case 18: ReportPutText("Press --Sust(9:37)--  ---Exp(9:39)--  ---Exp(9:40)--  ---Occ(9:38)--", 11); break;
    case 16:
      if (creep) {
        ReportPutText("Press  Sustained       Expansion(1)   Expansion(2)    Creep", 11);
      } else {
        ReportPutText("Press  Sustained       Expansion(1)   Expansion(2)", 11);
        ReportPutText("Occasional", 66);
      }
      break;
    case 21:
      if (creep) {
        ReportPutText("Press  Sust(12.3.2-1)  Exp(12.3.4-1)  Exp(12.3.4-2)   Creep(12.3.5-1)", 11);
      } else {
        ReportPutText("Press  Sust(12.3.2-1)  Exp(12.3.4-1)  Exp(12.3.4-2)", 11);
        ReportPutText(settlement ? "Setl(12.3.6-1)" : "Occ(12.3.3-1)", 66);
      }
      break;
    default: ReportPutText("Press  Sustained(8)    Expansion(10)  Expansion(11)", 11); break;
  }
  if (code == 8 || code == 15 || IsClass2Or3Code(code)) ReportPutText(ClauseFourthTitle(code, settlement), 65);
  ReportNewLine();
  ReportPutText("Allow", 11);
  if (code == 21 || code == 16) {
    ReportPutText("S1", 20);
    ReportPutText(code == 21 ? "ff" : "fh", 27);
    ReportPutText("S3    fa", 36);
    ReportPutText("S4", 52);
    ReportPutText(code == 21 ? "ff+fa" : "fh+fa", 58);
    if (creep) {
      ReportPutText("S5", 68);
      ReportPutText("fCR", 74);
    } else if (settlement) {
      ReportPutText("S6", 68);
      ReportPutText(code == 21 ? "S6a" : "3.0SC", 73);
    } else {
      ReportPutText("S2", 68);
      ReportPutText(OccasionalAllowableLabel(Settings()), 73);
    }
  } else {
    const bool nordic = InCodes(code, {13, 14, 18});
    ReportPutText("SL", 19);
    ReportPutText(nordic ? "SE     SR" : "SE     SA", 35);
    ReportPutText(nordic ? "SH+SR" : "SH+SA", 57);
    if (settlement) ReportPutText("SS", 67);
    else ReportPutText("SL+SO", 66);
    if (IsClass2Or3Code(code)) {
      ReportPutText("1.5SH", 25);
      ReportPutText("STE", 51);
    } else {
      ReportPutText("SH", 26);
      ReportPutText("SL+SE", 50);
    }
    const std::string fourth = ClauseFourthAllowable(code, settlement);
    if (!fourth.empty()) ReportPutText(fourth, settlement ? 73 : 72);
  }
  ReportNewLine();
  const std::string unit = StressUnit();
  ReportPutText("Node", 5);
  ReportPutCentred(UnitLabel(kUnitPressure), 10, 17);
  ReportPutCentred(unit, 20, 29);
  ReportPutCentred(unit, 33, 45);
  ReportPutCentred(unit, 49, 61);
  ReportPutCentred(unit, 65, 77);
  ReportNewLine();
  ReportRule();
}

void PlainCsvHeading() {
  const int code = Code();
  const bool occ = Present().occasional, comb = Present().combined;
  const std::string unit = StressUnit(), pressure = UnitLabel(kUnitPressure);
  std::string groups = ",Press,,Sustained,,,Expansion,,,Occasional,,";
  std::string symbols;
  std::vector<std::string> units{"Node", pressure, unit, unit};
  if (code == 6) {
    groups = comb ? ",Press,,Unrestrained (833.6 a;b),,,Unrestrained (833.8),,,Restrained (833.3 a;b),,"
                  : ",Press,,Unrestrained (833.6 a;b),,,Unrestrained (833.8),,";
    symbols = occ ? "SL+SO,0.75ST,SL+SO/,SE,SA,SE/" : "SL,0.75ST,SL/,SE,SA,SE/";
    if (comb) symbols += ",Seq,0.9ST,Seq/";
    units.push_back("0.75ST");
  } else if (code == 4) {
    groups = comb ? ",Press,,Unrestrained (402.6.2),,,Unrestrained (402.5.2),,,Restrained (402.6.1),,"
                  : ",Press,,Unrestrained (402.6.2),,,Unrestrained (402.5.2),,";
    symbols = occ ? "SL+SO,0.80SY,SL+SO/,SE,SA,SE/" : "SL,0.75SY,SL/,SE,SA,SE/";
    if (comb) symbols += ",Seq,0.9SY,Seq/";
    units.push_back(occ ? "0.80SY" : "0.75SY");
  } else if (code == 22) {
    groups = comb ? ",Press,,Unrestrained (4.8.5),,,Unrestrained (4.8.4),,,Restrained (4.7.2.1),,"
                  : ",Press,,Unrestrained (4.8.5),,,Unrestrained (4.8.4),,";
    symbols = occ ? "SL+SO,SFLT,SL+SO/,SE,0.72ST,SE/" : "SL,SFLT,SL/,SE,0.72ST,SE/";
    if (comb) symbols += ",Sh-SL+SB,ST,Sh-SL+SB/";
    units.push_back("ST");
  } else {
    symbols = "SL,SH,SL/,SE,SA,SE/,SL+SO,";
    symbols += code == 5 || code == 7 ? "1.33SH" : code == 3 ? "SHO" : code == 19 || code == 20 ? "SH" : "1.20SH";
    symbols += ",SL+SO/";
    units.push_back("SH");
  }
  units.insert(units.end(), {unit, unit, code == 22 ? "0.72ST" : "SA"});
  if (!IsPipelineCode(code)) {
    units.insert(units.end(), {unit, unit});
    units.push_back(code == 5 || code == 7 ? "1.33SH" : code == 3 ? "SHO" : code == 19 || code == 20 ? "SH" : "1.20SH");
  } else if (comb) {
    units.insert(units.end(), {unit, unit, code == 4 ? "0.9SY" : code == 6 ? "0.9ST" : "ST"});
  }
  ReportAppendLine(groups);
  ReportNewLine();
  ReportAppendLine(",Allow," + symbols);
  ReportNewLine();
  WriteCsvCells(units);
}

void ClauseCsvHeading() {
  const int code = Code();
  const bool creep = Present().creep, settlement = SettlementFourth();
  std::string groups;
  switch (code) {
    case 8: groups = std::string(",Press,Sustained(9),,Expansion(11),,Expansion(13),,") +
                     (settlement ? "Settlement(12),," : "Occasional(10),,"); break;
    case 15: groups = std::string(",Press,Sustained(6),,Expansion(7),,Expansion(8),,") +
                      (settlement ? "Settlement(9),," : "Occasional(10),,"); break;
    case 13: groups = ",Press,Sust(9.32),,Exp(9.34),,Exp(9.35),,Occ(9.33),,"; break;
    case 14: groups = ",Press,Sust(10.7),,Exp(10.9),,Exp(10.10),,Occ(10.8),,"; break;
    case 18: groups = ",Press,Sust(9:37),,Exp(9:39),,Exp(9:40),,Occ(9:38),,"; break;
    case 16:
      groups = creep ? ",Press,Sustained,,Expansion(1),,Expansion(2),,Creep,,"
                     : ",Press,Sustained,,Expansion(1),,Expansion(2),,Occ(12.3.3-1),,";
      break;
    case 21:
      groups = creep ? ",Press,Sust(12.3.2-1),,Exp(12.3.4-1),,Exp(12.3.4-2),,Creep(12.3.5-1),,"
                     : std::string(",Press,Sust(12.3.2-1),,Exp(12.3.4-1),,Exp(12.3.4-2),,") +
                           (settlement ? "Setl(12.3.6-1),," : "Occ(12.3.3-1),,");
      break;
    default: groups = std::string(",Press,Sustained(8),,Expansion(10),,Expansion(11),,") +
                      (settlement ? "Settlement(10a),," : "Occasional(9),,"); break;
  }
  std::vector<std::string> symbols{"", "Allow."};
  if (code == 21 || code == 16) {
    symbols.insert(symbols.end(), {"S1", code == 21 ? "ff" : "fh", "S3", "fa", "S4", code == 21 ? "ff+fa" : "fh+fa"});
    if (creep) symbols.insert(symbols.end(), {"S5", "fCR"});
    else if (settlement && code == 21) symbols.insert(symbols.end(), {"S6", "S6a"});
    else symbols.insert(symbols.end(), {"S2", OccasionalAllowableLabel(Settings())});
  } else {
    const bool nordic = InCodes(code, {13, 14, 18});
    symbols.insert(symbols.end(), {"SL", IsClass2Or3Code(code) ? "1.5SH" : "SH", "SE", nordic ? "SR" : "SA",
                                   IsClass2Or3Code(code) ? "STE" : "SL+SE", nordic ? "SH+SR" : "SH+SA",
                                   settlement ? "SS" : "SL+SO", ClauseFourthAllowable(code, settlement)});
  }
  const std::string unit = StressUnit();
  ReportAppendLine(groups);
  ReportNewLine();
  WriteCsvCells(symbols);
  WriteCsvCells({"Node", UnitLabel(kUnitPressure), unit, unit, unit, unit, unit, unit});
}

void Bs806TextHeading() {
  const std::string unit = StressUnit();
  TitleLine();
  ReportPutText("Press  ----Sustained-----  ----Expansion-----  --------Hot--------", 13);
  ReportNewLine();
  ReportPutCentred(UnitLabel(kUnitPressure), 12, 18);
  ReportPutText("fc     max    fc/   fc     max    fc/   fc   Rupture fc/", 21);
  ReportNewLine();
  ReportPutText("Node", 7);
  ReportPutText("Allow", 13);
  for (const auto& [first, last] : {std::pair{19, 25}, {26, 32}, {39, 45}, {46, 52}, {59, 65}, {66, 72}})
    ReportPutCentred(unit, first, last);
  ReportPutText("max", 35);
  ReportPutText("max", 55);
  ReportPutText("Rupt.", 74);
  ReportNewLine();
  ReportRule();
}

void Bs806CsvHeading() {
  const std::string unit = StressUnit();
  TitleLine();
  ReportRule();
  ReportAppendLine(",Press,,Sustained,,,Expansion,,,Hot,,");
  ReportNewLine();
  ReportAppendLine(",Allow.,fc,max,fc/,fc,max,fc/,fc,Rupture,fc/");
  ReportNewLine();
  WriteCsvCells({"Node", UnitLabel(kUnitPressure), unit, unit, "max", unit, unit, "max", unit, unit, "Rupt."});
}

void WriteHeading(Layout layout) {
  if (layout == Layout::Bs806) {
    if (g_ReportToFile) Bs806CsvHeading();
    else Bs806TextHeading();
    return;
  }
  if (g_ReportToFile) {
    TitleLine();
    ReportRule();
    if (layout == Layout::Clause) ClauseCsvHeading();
    else PlainCsvHeading();
    return;
  }
  if (layout == Layout::Clause) ClauseTextHeading();
  else PlainTextHeading();
}

// --- supplement tables -------------------------------------------------------------------

enum class Supplement { Settlement, Occasional, OccasionalSettlement, Buried };

std::string OccasionalLabel16Or21() { return Code() == 21 ? OccasionalAllowableLabel(Settings()) : "1.2fh"; }

void SupplementTextHeading(Supplement kind) {
  const int code = Code();
  const std::string unit = StressUnit();
  TitleLine();
  switch (kind) {
    case Supplement::Settlement:
      if (IsClass2Or3Code(code)) ReportPutText("Settlement(10a)", 10);
      else ReportPutText(code == 8 ? "Settlement(12)" : code == 15 ? "Settlement(9)" : "Setl(12.3.6-1)", 11);
      ReportNewLine();
      if (code == 21) ReportPutText("S6    S6a", 13);
      else ReportPutText("SS    3.0SC", 12);
      break;
    case Supplement::Occasional:
      ReportPutText("Occ(12.3.3-1)", 11);
      ReportNewLine();
      ReportPutText("S2", 13);
      ReportPutText(OccasionalLabel16Or21(), 18);
      break;
    case Supplement::OccasionalSettlement:
      ReportPutText("Occ(12.3.3-1)  Setl(12.3.6-1)", 11);
      ReportNewLine();
      ReportPutText("S2", 13);
      ReportPutText(OccasionalLabel16Or21(), 18);
      ReportPutText("S6    S6a", 28);
      break;
    case Supplement::Buried:
      if (code == 21) ReportPutText("Buried Stress (5.2.4)", 5);
      ReportNewLine();
      if (code == 21) ReportPutText("SL    SLa    SL/", 13);
      break;
  }
  ReportNewLine();
  ReportPutText("Node", 5);
  ReportPutCentred(unit, 10, 16);
  ReportPutCentred(unit, 17, 23);
  if (kind == Supplement::OccasionalSettlement) {
    ReportPutCentred(unit, 23, 31);
    ReportPutCentred(unit, 31, 38);
  }
  if (kind == Supplement::Buried) ReportPutText("SLa", 26);
  ReportNewLine();
  ReportRule();
}

void SupplementCsvHeading(Supplement kind) {
  const int code = Code();
  const std::string unit = StressUnit();
  TitleLine();
  ReportRule();
  switch (kind) {
    case Supplement::Settlement:
      ReportAppendLine(code == 21 ? ",Setl(12.3.6-1),," : code == 15 ? ",Settlement(9),,"
                       : IsClass2Or3Code(code) ? ",Settlement(10a),," : ",Settlement(12),,");
      ReportNewLine();
      ReportAppendLine(code == 21 ? ",S6,S6a" : ",SS,3.0SC");
      ReportNewLine();
      WriteCsvCells({"Node", unit, unit});
      break;
    case Supplement::Occasional:
      ReportAppendLine(",Occ(12.3.3-1),,");
      ReportNewLine();
      WriteCsvCells({"", "S2", OccasionalLabel16Or21()});
      WriteCsvCells({"Node", unit, unit});
      break;
    case Supplement::OccasionalSettlement:
      ReportAppendLine(",Occ(12.3.3-1),,,Setl(12.3.6-1),,");
      ReportNewLine();
      WriteCsvCells({"", "S2", OccasionalLabel16Or21(), "S6", "S6a"});
      WriteCsvCells({"Node", unit, unit, unit, unit});
      break;
    case Supplement::Buried:
      ReportAppendLine(",Buried Stress (5.2.4),,");
      ReportNewLine();
      ReportAppendLine(",SL,SLa,SL/");
      ReportNewLine();
      WriteCsvCells({"Node", unit, unit, "SLa"});
      break;
  }
}

// The cells of a supplement row at one end: pairs of stress and allowable
// (each pair when its allowable counts), the buried check with its ratio.
std::vector<std::string> SupplementCells(Supplement kind, const CodeStressRecord& r, int end) {
  const auto e = static_cast<std::size_t>(end);
  auto pair = [](const StressCheck& c) {
    return c.allowable > 2.0f ? std::vector<std::string>{StressText(c.stress), StressText(c.allowable)}
                              : std::vector<std::string>{"", ""};
  };
  switch (kind) {
    case Supplement::Settlement: return pair(r.settlement[e]);
    case Supplement::Occasional: return pair(r.occasional[e]);
    case Supplement::OccasionalSettlement: {
      std::vector<std::string> cells = pair(r.occasional[e]);
      const std::vector<std::string> settlement = pair(r.settlement[e]);
      cells.insert(cells.end(), settlement.begin(), settlement.end());
      return cells;
    }
    case Supplement::Buried:
      return {StressText(r.buried[e].stress), StressText(r.buried[e].allowable), RatioText(r.buried[e].ratio)};
  }
  return {};
}

void WriteSupplement(Supplement kind) {
  const int rows = Stresses().RecordCount();
  static constexpr int kOccasionalSettlementEnds[] = {15, 22, 30, 37};
  static constexpr int kBuriedEnds[] = {15, 22, 29};
  static constexpr int kPairEnds[] = {15, 22};
  const int* ends = kind == Supplement::OccasionalSettlement ? kOccasionalSettlementEnds
                    : kind == Supplement::Buried             ? kBuriedEnds
                                                             : kPairEnds;
  if (g_ReportToFile) {
    SupplementCsvHeading(kind);
  } else if (ReportLinesLeft() < 8) {
    ReportNewPage();
  } else {
    SupplementTextHeading(kind);
  }
  for (int row = 1; row <= rows; ++row) {
    if (!g_ReportToFile && g_ReportLine == kReportBodyLine) SupplementTextHeading(kind);
    const CodeStressRecord& r = Stresses().Record(row);
    const AnalysisElement& e = ElementOf(r);
    for (int end = 0; end < 2; ++end) {
      const std::string node = NodeNumberText(TheModel().nodes[end == 0 ? e.node1 : e.node2].id);
      std::vector<std::string> cells = SupplementCells(kind, r, end);
      if (g_ReportToFile) {
        cells.insert(cells.begin(), node);
        WriteCsvCells(cells);
        continue;
      }
      ReportPutText(node, 5);
      for (std::size_t i = 0; i < cells.size(); ++i) PutRight(cells[i], ends[i]);
      ReportNewLine();
    }
    if (!g_ReportToFile && row != rows) {
      ReportNewLine();
      if (ReportLinesLeft() < 3) ReportNewPage();
    }
  }
  ReportRule();
}

void WriteSupplements() {
  const CategoryPresence& p = Present();
  if (p.creep && !p.settlement && p.occasional) WriteSupplement(Supplement::Occasional);
  if (p.creep && p.settlement && p.occasional) WriteSupplement(Supplement::OccasionalSettlement);
  if (p.creep && p.settlement && !p.occasional) WriteSupplement(Supplement::Settlement);
  if (!p.creep && p.settlement && p.occasional) WriteSupplement(Supplement::Settlement);
  if (p.buried) WriteSupplement(Supplement::Buried);
}

bool NothingToWrite() { return Stresses().cm == nullptr || Stresses().RecordCount() == 0 || !Stresses().computed; }

}  // namespace

void WriteCodeComplianceCsv() {
  if (NothingToWrite()) return;
  const Layout layout = LayoutOf(Code());
  if (layout != Layout::Bs806) {
    WriteCsvCells({"Code compliance"});
    ReportRule();
  }
  WriteHeading(layout);
  for (int row = 1; row <= Stresses().RecordCount(); ++row)
    for (int end = 0; end < 2; ++end) WriteCsvEnd(layout, CellsOf(layout, row, end));
  ReportRule();
  if (layout != Layout::Bs806) WriteSupplements();
}

void WriteCodeComplianceText() {
  if (NothingToWrite()) return;
  const Layout layout = LayoutOf(Code());
  const TextColumns columns = ColumnsOf(layout);
  const int rows = Stresses().RecordCount();
  if (ReportLinesLeft() < 8)
    ReportNewPage();
  else
    WriteHeading(layout);
  ReportSetTitle("Code compliance");
  for (int row = 1; row <= rows; ++row) {
    if (g_ReportLine == kReportBodyLine) WriteHeading(layout);
    for (int end = 0; end < 2; ++end) WriteTextEnd(columns, CellsOf(layout, row, end));
    if (row != rows) {
      ReportNewLine();
      if (ReportLinesLeft() < 3) ReportNewPage();
    }
  }
  if (g_ReportLine != kReportBodyLine) ReportRule();
  if (layout != Layout::Bs806) WriteSupplements();
}

void PrintCodeCompliance() {
  if (NothingToWrite()) return;
  if (!g_ReportFileOpen) {
    PrintCodeComplianceGrid();
    return;
  }
  if (g_ReportToFile)
    WriteCodeComplianceCsv();
  else
    WriteCodeComplianceText();
}
