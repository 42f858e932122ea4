// The sorted-stress reports; see SortedStressReport.h. The text columns:
// the section titles stand on the first heading line at the section's
// first column; each section then holds its node (left), its stress (right
// at the section's column + pitch - 8) and its ratio (right at + pitch - 2),
// the pitch being the distance to the next section's title (19 for the
// clause codes, 25 for the others, each pipeline code its own).
#include "results/SortedStressReport.h"

#include <algorithm>
#include <string>
#include <vector>

#include "codes/CodeStressDriver.h"
#include "printing/ReportOutput.h"
#include "results/SortedStressesTable.h"
#include "resultsfile/ResultPrint.h"
#include "services/NumberFormat.h"
#include "services/ReportMode.h"
#include "services/TableWindow.h"
#include "services/Units.h"

namespace {

constexpr int kFirstColumn = 5;
enum Section { kSustained = 0, kExpansion, kCombined, kOccasional, kSettlement, kCreep, kOperating, kBuried };

const CodeStressResults& Stresses() { return TheCodeStresses(); }
int Code() { return Stresses().cm != nullptr ? Stresses().cm->settings.code : 0; }
int Level() { return Stresses().cm != nullptr ? Stresses().cm->settings.serviceLevel : 0; }
bool Present(int k) { return Stresses().sorted.present[static_cast<std::size_t>(k)]; }
bool InCodes(int code, std::initializer_list<int> codes) {
  return std::find(codes.begin(), codes.end(), code) != codes.end();
}

// One section of a printed table.
struct PrintedSection {
  int section = 0;
  std::string title;  // the comma-separated title
  std::string stress, allowable;
};

// A printed table: its sections side by side, the text heading line of
// their titles, where each section starts and how many rows it prints.
struct PrintedTable {
  std::vector<PrintedSection> sections;
  std::string textTitles;
  std::vector<int> bases;  // text column of each section
  int pitch = 25;          // of the last section
  int rows = 0;
};

bool CombinedFamily(int code) { return InCodes(code, {8, 9, 10, 11, 13, 14, 15, 16, 18, 21, 101, 201}); }
bool Class2(int code) { return InCodes(code, {9, 10, 11, 101, 201}); }

// The fourth section of the combined family.
int FourthSection() {
  const CategoryPresence& p = Stresses().presence;
  if (p.creep) return kCreep;
  if (p.settlement && !p.occasional) return kSettlement;
  if (p.occasional) return kOccasional;
  return -1;
}

std::string ServiceLabel(const char* const labels[3]) {
  const int level = Level();
  return level >= 0 && level <= 2 ? labels[level] : "";
}

std::string OccasionalSymbolOf(int code) {
  static const char* const class2[] = {"1.8SH", "2.25SH", "3.0SH"};
  static const char* const code8[] = {"1.2SH", "1.8SH", "2.4SH"};
  if (Class2(code)) return ServiceLabel(class2);
  if (code == 8 || code == 15) return ServiceLabel(code8);
  if (code == 16) return "1.2fh";
  if (code == 21 && Stresses().cm != nullptr) return OccasionalAllowableLabel(Stresses().cm->settings);
  return "1.2SH";
}

// The section titles and symbols of the combined family.
PrintedSection CombinedFamilySection(int code, int k) {
  const bool nordic = InCodes(code, {13, 14, 18}), en = code == 16 || code == 21;
  struct Titles {
    const char* sustained;
    const char* expansion;
    const char* combined;
    const char* occasional;
    const char* settlement;
  };
  Titles t{"Sustained(8)", "Expansion(10)", "Expansion(11)", "Occasional(9)", "Settlement(10a)"};
  switch (code) {
    case 8: t = {"Sustained(9)", "Expansion(11)", "Expansion(13)", "Occasional(10)", "Settlement(12)"}; break;
    case 15: t = {"Sustained(6)", "Expansion(7)", "Expansion(8)", "Occasional(10)", "Settlement(9)"}; break;
    case 13: t = {"Sustained(9.32)", "Expansion(9.34)", "Expansion(9.35)", "Occasional(9.33)", ""}; break;
    case 14: t = {"Sustained(10.7)", "Expansion(10.9)", "Expansion(10.10)", "Occasional(10.8)", ""}; break;
    case 18: t = {"Sustained(9:37)", "Expansion(9:39)", "Expansion(9:40)", "Occasional(9:38)", ""}; break;
    case 16: t = {"Sustained", "Expansion(1)", "Expansion(2)", "Occasional", ""}; break;
    case 21: t = {"Sust(12.3.2-1)", "Exp(12.3.4-1)", "Exp(12.3.4-2)", "Occ(12.3.3-1)", "Setl(12.3.6-1)"}; break;
    default: break;
  }
  switch (k) {
    case kSustained:
      return {k, t.sustained, en ? "S1" : "SL", code == 21 ? "ff" : code == 16 ? "fh" : Class2(code) ? "1.5SH" : "SH"};
    case kExpansion: return {k, t.expansion, en ? "S3" : "SE", en ? "fa" : nordic ? "SR" : "SA"};
    case kCombined:
      return {k, t.combined, en ? "S4" : "SL+SE", code == 21 ? "ff+fa" : code == 16 ? "fh+fa" : nordic ? "SH+SR" : "SH+SA"};
    case kOccasional: return {k, t.occasional, en ? "S2" : "SL+SO", OccasionalSymbolOf(code)};
    case kSettlement: return {k, t.settlement, code == 21 ? "S6" : "SS", code == 21 ? "S6a" : "3.0SC"};
    case kCreep: return {k, code == 21 ? "Creep(12.3.5-1)" : "Creep", "S5", "fCR"};
    default: return {k, "", "", ""};
  }
}

// The text heading line of the combined family: three titles, then the
// fourth placed after them.
std::string CombinedFamilyText(int code) {
  switch (code) {
    case 8: return "--Sustained(9)---  --Expansion(11)--  --Expansion(13)---";
    case 15: return "--Sustained(6)---  --Expansion(7)---  ---Expansion(8)---";
    case 13: return "Sustained(9.32)    Expansion(9.34)    Expansion(9.35)";
    case 14: return "Sustained(10.7)    Expansion(10.9)    Expansion(10.10)";
    case 18: return "Sustained(9:37)    Expansion(9:39)    Expansion(9:40)";
    case 16: return "Sustained          Expansion(1)       Expansion(2)";
    case 21: return "Sust(12.3.2-1)     Exp(12.3.4-1)      Exp(12.3.4-2)";
    default: break;
  }
  return "--Sustained(8)---  --Expansion(10)--  --Expansion(11)---";
}

// The fourth title of the text heading.
std::string FourthText(int code, int k) {
  if (k == kCreep) return code == 21 ? "Creep(12.3.5-1)" : "Creep";
  const bool settlement = k == kSettlement;
  if (Class2(code)) return settlement ? "--Settlement(10a)-" : "--Occasional(9)---";
  if (code == 8) return settlement ? "--Settlement(12)--" : "--Occasional(10)--";
  if (code == 15) return settlement ? "--Settlement(9)---" : "--Occasional(10)--";
  if (code == 13) return "Occasional(9.33)";
  if (code == 14) return "Occasional(10.8)";
  if (code == 18) return "Occasional(9:38)";
  if (code == 16) return "Occasional";
  if (code == 21) return settlement ? "Setl(12.3.6-1)" : "Occ(12.3.3-1)";
  return {};
}

int RowCountOf(int k) {
  const SortedStressSection& section = Stresses().sorted.sections[static_cast<std::size_t>(k)];
  int count = 0;
  for (std::size_t i = 1; i < section.order.size(); ++i) {
    if (section.entries[static_cast<std::size_t>(section.order[i])].ratio < 0.0f) break;
    ++count;
  }
  return count;
}

void EvenBases(PrintedTable& t, int pitch) {
  t.pitch = pitch;
  t.bases.clear();
  for (std::size_t i = 0; i < t.sections.size(); ++i) t.bases.push_back(kFirstColumn + static_cast<int>(i) * pitch);
}

// The main table by piping code.
PrintedTable MainTable() {
  const int code = Code();
  const bool occasional = Stresses().presence.occasional;
  PrintedTable t;
  t.rows = Stresses().sorted.rowCount;
  if (Stresses().stressOnly) {
    t.sections = {{0, "Von Mises stress", "Stress", "Allow."}, {1, "Maximum stress", "Stress", "Allow."},
                  {2, "Minimum stress", "Stress", "Allow."}};
    t.textTitles = "----Von Mises stress----  ----Maximum stress----   ----Minimum stress----";
    EvenBases(t, 25);
    return t;
  }
  if (code == 12) {
    t.sections = {{0, "Sustained", "fc", "max"}, {1, "Expansion", "fc", "max"}, {2, "Hot", "fc", "Rupture"}};
    t.textTitles = "------ Sustained ------- ------ Expansion ------- --------- Hot ----------";
    EvenBases(t, 25);
    return t;
  }
  if (IsPipelineCode(code)) {
    const bool restrained = Present(kCombined);
    std::string text;
    if (code == 6) {
      t.sections = {{0, "Unrestrained (833.6 a;b)", occasional ? "SL+SO" : "SL", "0.75ST"},
                    {1, "Unrestrained (833.8)", "SE", "SA"}};
      if (restrained) t.sections.push_back({2, "Restrained (833.3 a;b)", "Seq", "0.9ST"});
      text = restrained ? " Unrestrained (833.6 a,b)  -- Unrestrained (833.8)--  --Restrained (833.3 a,b)"
                        : " Unrestrained (833.6 a,b)  -- Unrestrained (833.8)--";
    } else if (code == 4) {
      t.sections = {{0, "Unrestrained (402.6.2)", occasional ? "SL+SO" : "SL", occasional ? "0.80SY" : "0.75SY"},
                    {1, "Unrestrained (402.5.2)", "SE", "SA"}};
      if (restrained) t.sections.push_back({2, "Restrained (402.6.1)", "Seq", "0.9SY"});
      text = restrained ? " Unrestrained (402.6.2)  -- Unrestrained (402.5.2)--  --Restrained (402.6.1)"
                        : " Unrestrained (402.6.2)  -- Unrestrained (402.5.2)--";
    } else {
      t.sections = {{0, "Unrestrained (4.8.5)", occasional ? "SL+SO" : "SL", "SFLT"},
                    {1, "Unrestrained (4.8.4)", "SE", "0.72ST"}};
      if (restrained) t.sections.push_back({2, "Restrained (4.7.2.1)", "Sh-SL+SB", "ST"});
      text = restrained ? " Unrestrained (4.8.5)  -- Unrestrained (4.8.4)--  --Restrained (4.7.2.1)"
                        : " Unrestrained (4.8.5)  -- Unrestrained (4.8.4)--";
    }
    t.textTitles = text;
    // Each section starts where its title does.
    t.bases = {kFirstColumn};
    const std::size_t second = text.find("-- ");
    t.bases.push_back(kFirstColumn + static_cast<int>(second));
    if (restrained) t.bases.push_back(kFirstColumn + static_cast<int>(text.find("--R")));
    t.pitch = 27;
    return t;
  }
  if (CombinedFamily(code)) {
    t.sections = {CombinedFamilySection(code, kSustained), CombinedFamilySection(code, kExpansion),
                  CombinedFamilySection(code, kCombined)};
    const int fourth = FourthSection();
    t.textTitles = CombinedFamilyText(code);
    if (fourth >= 0) {
      t.sections.push_back(CombinedFamilySection(code, fourth));
      t.textTitles.resize(57, ' ');
      t.textTitles += FourthText(code, fourth);
    }
    EvenBases(t, 19);
    return t;
  }
  const std::string occasionalSymbol = code == 5 ? "1.33SH" : code == 3 ? "SHO" : code == 19 || code == 20 ? "SH" : "1.20SH";
  t.sections = {{0, "Sustained", "SL", "SH"}, {1, "Expansion", "SE", "SA"}, {3, "Occasional", "SL+SO", occasionalSymbol}};
  t.textTitles = "------ Sustained ------  ------ Expansion ------  ------ Occasional -----";
  EvenBases(t, 25);
  return t;
}

// The separate tables after the main one.
std::vector<PrintedTable> SeparateTables() {
  std::vector<PrintedTable> tables;
  const int code = Code();
  const CategoryPresence& p = Stresses().presence;
  if (Stresses().stressOnly || !CombinedFamily(code)) {
    if (p.buried && Present(kBuried)) {
      PrintedTable t;
      t.sections = {{kBuried, "Buried Stress (5.2.4)", "SL", "SLa"}};
      t.textTitles = "Buried Stress (5.2.4)";
      t.rows = RowCountOf(kBuried);
      EvenBases(t, 25);
      tables.push_back(t);
    }
    return tables;
  }
  auto single = [&](int k, const std::string& text) {
    PrintedTable t;
    t.sections = {CombinedFamilySection(code, k)};
    t.textTitles = text;
    t.rows = RowCountOf(k);
    EvenBases(t, 19);
    return t;
  };
  const std::string settlementTitle = code == 21 ? "Setl(12.3.6-1)" : code == 15 ? "Settlement(9)"
                                      : code == 8 ? "Settlement(12)" : "Settlement(10a)";
  if (!p.creep) {
    if (p.settlement && p.occasional) {
      PrintedTable t = single(kSettlement, settlementTitle);
      t.sections[0].title = settlementTitle;
      tables.push_back(t);
    }
  } else {
    PrintedSection occasional{kOccasional, code == 21 ? "Occ(12.3.3-1)" : "Occasional", "S2",
                              code == 21 && Stresses().cm != nullptr
                                  ? CFormat("%.1f", static_cast<double>(Stresses().cm->settings.seismicCoefficient)) + " ff"
                                  : "1.2fh"};
    if (p.occasional && p.settlement) {
      PrintedTable t;
      t.sections = {occasional, CombinedFamilySection(code, kSettlement)};
      t.sections[1].title = "Setl(12.3.6-1)";
      t.textTitles = "Occ(12.3.3-1)      Setl(12.3.6-1)";
      t.rows = std::max(RowCountOf(kOccasional), RowCountOf(kSettlement));
      EvenBases(t, 19);
      tables.push_back(t);
    } else if (p.occasional) {
      PrintedTable t;
      t.sections = {occasional};
      t.textTitles = occasional.title;
      t.rows = RowCountOf(kOccasional);
      EvenBases(t, 19);
      tables.push_back(t);
    } else if (p.settlement) {
      PrintedTable t = single(kSettlement, settlementTitle);
      t.sections[0].title = settlementTitle;
      tables.push_back(t);
    }
  }
  if (p.buried && Present(kBuried)) {
    PrintedTable t = single(kBuried, "Buried Stress (5.2.4)");
    t.sections[0] = {kBuried, "Buried Stress (5.2.4)", "SL", "SLa"};
    tables.push_back(t);
  }
  return tables;
}

std::string TitleText() {
  if (Stresses().stressOnly) return "Sorted stresses";
  return PipingCodeTitle(Code()) + " Code Compliance (Sorted Stresses)";
}

// The cells of a section at a row: node, stress, allowable, ratio.
std::vector<std::string> SectionCells(int k, int row) {
  std::vector<std::string> cells;
  for (int part = 1; part <= 4; ++part) {
    bool marked = false;
    cells.push_back(SortedStressCellText(row, 4 * k + part, marked));
  }
  return cells;
}

// --- text ------------------------------------------------------------------------------------

int StressColumn(const PrintedTable& t, std::size_t i) {
  const int pitch = i + 1 < t.bases.size() ? t.bases[i + 1] - t.bases[i] : t.pitch;
  return t.bases[i] + pitch - 8;
}
int RatioColumn(const PrintedTable& t, std::size_t i) {
  const int pitch = i + 1 < t.bases.size() ? t.bases[i + 1] - t.bases[i] : t.pitch;
  return t.bases[i] + pitch - 2;
}

void TextHeadings(const PrintedTable& t) {
  ReportPutCentred(TitleText(), 6, 78);
  ReportNewLine();
  ReportRule();
  ReportPutText(t.textTitles, kFirstColumn);
  ReportNewLine();
  for (std::size_t i = 0; i < t.sections.size(); ++i) {
    ReportPutTextRight(t.sections[i].stress, StressColumn(t, i));
    ReportPutTextRight(t.sections[i].stress + "/", RatioColumn(t, i));
  }
  ReportNewLine();
  const std::string unit = UnitLabel(kUnitStress);
  for (std::size_t i = 0; i < t.sections.size(); ++i) {
    ReportPutText("Node", t.bases[i]);
    ReportPutTextRight(unit, StressColumn(t, i));
    ReportPutTextRight(t.sections[i].allowable, RatioColumn(t, i));
  }
  ReportNewLine();
  ReportRule();
}

void WriteTextTable(const PrintedTable& t) {
  if (t.rows <= 0) return;
  if (ReportLinesLeft() < 6) ReportNewPage();
  else TextHeadings(t);
  ReportSetTitle("Sorted stresses");
  for (int row = 1; row <= t.rows; ++row) {
    if (g_ReportLine == kReportBodyLine) TextHeadings(t);
    for (std::size_t i = 0; i < t.sections.size(); ++i) {
      const std::vector<std::string> cells = SectionCells(t.sections[i].section, row);
      if (cells[0].empty()) continue;
      ReportPutText(cells[0], t.bases[i]);
      if (!cells[1].empty()) ReportPutTextRight(cells[1], StressColumn(t, i));
      if (!cells[3].empty()) ReportPutTextRight(cells[3], RatioColumn(t, i));
    }
    ReportNewLine();
  }
  if (g_ReportLine != kReportBodyLine) ReportRule();
}

// --- comma-separated --------------------------------------------------------------------

void CsvHeadings(const PrintedTable& t) {
  std::string titles, symbols;
  std::vector<std::string> units;
  const std::string unit = UnitLabel(kUnitStress);
  for (std::size_t i = 0; i < t.sections.size(); ++i) {
    const PrintedSection& s = t.sections[i];
    titles += "," + CsvQuoted(s.title) + ",,,";
    if (i > 0) symbols += ",";
    symbols += "," + CsvQuoted(s.stress) + "," + CsvQuoted(s.allowable) + "," + CsvQuoted(s.stress + "/");
    units.insert(units.end(), {"Node", unit, unit, s.allowable});
  }
  ReportAppendLine(titles);
  ReportNewLine();
  ReportAppendLine(symbols);
  ReportNewLine();
  WriteCsvCells(units);
}

void WriteCsvTable(const PrintedTable& t) {
  if (t.rows <= 0) return;
  WriteCsvCells({TitleText()});
  CsvHeadings(t);
  for (int row = 1; row <= t.rows; ++row) {
    std::vector<std::string> cells;
    for (const PrintedSection& s : t.sections) {
      const std::vector<std::string> section = SectionCells(s.section, row);
      cells.insert(cells.end(), section.begin(), section.end());
    }
    WriteCsvCells(cells);
  }
  ReportRule();
}

}  // namespace

void SortedStressesText() {
  if (Stresses().sorted.rowCount == 0 || Stresses().cm == nullptr) return;
  std::vector<PrintedTable> tables{MainTable()};
  const std::vector<PrintedTable> separate = SeparateTables();
  tables.insert(tables.end(), separate.begin(), separate.end());
  for (const PrintedTable& t : tables) {
    if (g_ReportToFile) WriteCsvTable(t);
    else WriteTextTable(t);
  }
}

void PrintSortedStresses() {
  if (Stresses().sorted.rowCount == 0) return;
  if (g_ReportFileOpen) SortedStressesText();
  else SortedStressesTable().WriteText();
}
