// The bill of materials (see BillOfMaterials.h): BuildBomLists gathers and
// groups, the writers lay the lists out on the text page or as CSV rows.
#include "results/BillOfMaterials.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <tuple>

#include "elements/BallJoint.h"
#include "elements/Bellows.h"
#include "elements/Bend.h"
#include "elements/HingeJoint.h"
#include "elements/JacketedBend.h"
#include "elements/Reducer.h"
#include "elements/RigidElement.h"
#include "elements/SlipJoint.h"
#include "elements/Valve.h"
#include "model/AnalysisElements.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "model/Nodes.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "records/Material.h"
#include "records/PipeLoad.h"
#include "records/PipeSection.h"
#include "services/NameTables.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/Units.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr float kWaterDensity = 0.03609f;  // lb/in3

bool Near(float a, float b, float tolerance) { return std::fabs(a - b) < tolerance; }

const PipeSection* SectionOf(const Model& model, int number) {
  return number >= 1 && number <= model.sections.count ? &model.sections[number] : nullptr;
}
const PipeSection* SectionNamed(const Model& model, const std::string& name) {
  return SectionOf(model, FindSectionByName(model.sections, name));
}
// A density of the itemized list, with the digits its row's weights are
// worked from: three decimals of lb/in3 would show 11 lb/ft3 as 0.006.
std::string ItemDensity(float value) {
  if (value == 0.0f || !std::isfinite(value)) return FormatDensity(value);
  return FormatG5(static_cast<double>(value) * UnitFactor(kUnitDensity));
}

float DensityOf(const Model& model, int material) {
  return material >= 1 && material <= model.materials.count ? model.materials[material].density : 0.0f;
}

double Annulus(double od, double thk) {
  const double ro = od / 2.0, ri = ro - thk;
  return kPi * (ro * ro - ri * ri);
}

void AddPipe(std::vector<BomPipe>& list, const BomPipe& pipe) {
  for (BomPipe& entry : list)
    if (entry.material == pipe.material && Near(entry.od, pipe.od, 0.01f) && Near(entry.thk, pipe.thk, 0.001f)) {
      entry.length += pipe.length;
      return;
    }
  list.push_back(pipe);
}

void AddBend(std::vector<BomBend>& list, BomBend bend) {
  for (BomBend& entry : list)
    if (entry.material == bend.material && Near(entry.od, bend.od, 0.01f) && Near(entry.thk, bend.thk, 0.001f) &&
        Near(entry.radius, bend.radius, 0.001f) && Near(entry.angle, bend.angle, 0.001f)) {
      ++entry.count;
      return;
    }
  bend.count = 1;
  list.push_back(bend);
}

void AddReducer(std::vector<BomReducer>& list, BomReducer reducer) {
  if (reducer.od2 > reducer.od1) {
    std::swap(reducer.od1, reducer.od2);
    std::swap(reducer.thk1, reducer.thk2);
  }
  for (BomReducer& entry : list)
    if (entry.material == reducer.material && Near(entry.od1, reducer.od1, 0.01f) &&
        Near(entry.thk1, reducer.thk1, 0.001f) && Near(entry.od2, reducer.od2, 0.01f) &&
        Near(entry.thk2, reducer.thk2, 0.001f) && Near(entry.length, reducer.length, 0.01f)) {
      ++entry.count;
      return;
    }
  reducer.count = 1;
  list.push_back(reducer);
}

void AddValve(std::vector<BomValve>& list, BomValve valve) {
  for (BomValve& entry : list)
    if (Near(entry.od, valve.od, 0.01f) && Near(entry.thk, valve.thk, 0.001f) &&
        Near(entry.weight, valve.weight, 0.001f) && Near(entry.additionalWeight, valve.additionalWeight, 0.001f)) {
      ++entry.count;
      return;
    }
  valve.count = 1;
  list.push_back(valve);
}

// One bend of a bend, miter or jacketed bend row (the jacket's first).
void AddBendRow(const Model& model, const LayoutRow& row, BomLists& lists) {
  const auto* bend = dynamic_cast<const Bend*>(row.element.get());
  if (bend == nullptr) return;
  auto add = [&](const std::string& materialName, const std::string& sectionName, float thickness, float radius) {
    const PipeSection* section = SectionNamed(model, sectionName);
    BomBend entry;
    entry.material = FindMaterialByName(model.materials, materialName);
    entry.od = section != nullptr ? section->outsideDiameter : 0.0f;
    entry.thk = thickness != 0.0f ? thickness : section != nullptr ? section->thickness : 0.0f;
    entry.radius = radius;
    entry.angle = bend->bendAngle;
    AddBend(lists.bends, entry);
  };
  if (const auto* jacketed = dynamic_cast<const JacketedBend*>(bend))
    add(jacketed->jacketMaterial.empty() ? row.material : jacketed->jacketMaterial, jacketed->jacketSection,
        jacketed->jacketThickness, jacketed->jacketRadius != 0.0f ? jacketed->jacketRadius : bend->radius);
  add(bend->material.empty() ? row.material : bend->material, row.section, bend->thickness, bend->radius);
}

// The weight a fixed-weight element carries in place of its metal.
float FixedWeight(const ElementData* element) {
  if (const auto* valve = dynamic_cast<const Valve*>(element)) return valve->weight;
  if (const auto* bellows = dynamic_cast<const Bellows*>(element)) return bellows->weight;
  if (const auto* slip = dynamic_cast<const SlipJoint*>(element)) return slip->weight;
  if (const auto* hinge = dynamic_cast<const HingeJoint*>(element)) return hinge->weight;
  if (const auto* ball = dynamic_cast<const BallJoint*>(element)) return ball->weight;
  if (const auto* rigid = dynamic_cast<const RigidElement*>(element)) return rigid->weight;
  return 0.0f;
}

BomItem Itemize(const Model& model, const AnalysisElement& element) {
  const LayoutRow& row = model.row(element.row);
  const int type = element.kind;
  BomItem item;
  item.from = element.node1;
  item.to = element.node2;
  item.type = type;
  item.length = NodeDistance(model.nodes, element.node1, element.node2);
  const auto* bend = dynamic_cast<const Bend*>(row.element.get());
  if ((type == 4 || type == 5) && bend != nullptr)
    item.length = static_cast<float>(bend->radius * bend->bendAngle);
  if (type == 7 && bend != nullptr) {
    const auto* jacketed = dynamic_cast<const JacketedBend*>(bend);
    const float radius = jacketed != nullptr && jacketed->jacketRadius != 0.0f ? jacketed->jacketRadius : bend->radius;
    item.length = static_cast<float>(radius * bend->bendAngle);
  }
  const PipeSection* section = SectionOf(model, element.section);
  if (section == nullptr) return item;
  item.od = section->outsideDiameter;
  item.thk = (type == 4 || type == 5) && bend != nullptr && bend->thickness != 0.0f ? bend->thickness : section->thickness;
  if (const auto* reducer = dynamic_cast<const Reducer*>(row.element.get()); reducer != nullptr && type == 9) {
    item.od = (reducer->od1 + reducer->od2) / 2.0f;
    item.thk = (reducer->thk1 + reducer->thk2) / 2.0f;
  }
  item.materialDensity = DensityOf(model, element.material);
  item.insulationDensity = section->insulationDensity;
  item.insulationThickness = section->insulationThickness;
  item.liningDensity = section->liningDensity;
  item.liningThickness = section->liningThickness;
  const PipeLoad* load =
      element.load >= 1 && element.load <= model.pipeLoads.count ? &model.pipeLoads[element.load] : nullptr;
  item.fluidDensity = load != nullptr ? load->specificGravity * kWaterDensity : 0.0f;
  const double length = item.length, od = item.od;
  double ro = od / 2.0;
  const double ri = ro - item.thk;
  const auto* valve = dynamic_cast<const Valve*>(row.element.get());
  if (type == 8 && valve != nullptr) ro = ri + item.thk * valve->thicknessMultiplier;
  const bool metal = type == 3 || type == 4 || type == 5 || type == 6 || type == 7 || type == 9;
  const double empty = metal ? kPi * (ro * ro - ri * ri) * item.materialDensity * length : FixedWeight(row.element.get());
  item.empty = empty < 0.001 ? 0.0f : static_cast<float>(empty);
  const auto* rigid = dynamic_cast<const RigidElement*>(row.element.get());
  const bool coverings = !(type == 14 && rigid != nullptr && rigid->addCil == 0);
  if (coverings) {
    const double outer = od + 2.0 * item.insulationThickness;
    double insulation = kPi / 4.0 * (outer * outer - od * od) * length * item.insulationDensity;
    if (type == 8 && valve != nullptr) insulation *= valve->insulationWeightMultiplier;
    item.insulation = static_cast<float>(insulation);
    const double inner = ri - item.liningThickness;
    item.lining = static_cast<float>(kPi * (ri * ri - inner * inner) * length * item.liningDensity);
  }
  const double bore = ri - item.liningThickness;
  double area = kPi * bore * bore;
  if (type == 6 || type == 7) {
    if (const PipeSection* core = SectionNamed(model, row.section)) {
      const double coreOuter = core->outsideDiameter + 2.0 * core->insulationThickness;
      area -= kPi / 4.0 * coreOuter * coreOuter;
    }
  }
  item.fluid = static_cast<float>(std::max(area, 0.0) * length * item.fluidDensity);
  item.additional = load != nullptr ? static_cast<float>(length * load->additionalWeight) : 0.0f;
  return item;
}

// --- the text page --------------------------------------------------------------------

std::string MaterialName(const Model& model, int material) {
  return material >= 1 && material <= model.materials.count ? model.materials[material].name : "";
}

struct TextList {
  const char* name;
  int underlineLast;
  const char* heading;
  int headingColumn;
  struct Unit {
    int kind;  // 0: the literal text
    const char* text;
    int first, last;
  };
  std::vector<Unit> units;
};

// The heading block: the section title at the top of a page, the list's
// name underlined, its column heading and the unit labels.
void ListHeading(const TextList& list) {
  if (g_ReportLine == kReportBodyLine) {
    ReportPutCentred("Bill of Materials", 6, 78);
    ReportNewLine();
    ReportRule();
  }
  ReportNewLine();
  ReportPutText(list.name, 5);
  ReportNewLine();
  ReportRuleBetween(5, list.underlineLast);
  if (list.heading == nullptr) {
    ReportNewLine();
    return;
  }
  ReportNewLine();
  ReportPutText(list.heading, list.headingColumn);
  ReportNewLine();
  for (const TextList::Unit& unit : list.units)
    ReportPutCentred(unit.kind != 0 ? UnitLabel(unit.kind) : unit.text, unit.first, unit.last);
  ReportNewLine();
}

// Before each entry: the heading again when a page break put the entry at
// the top of a page.
void EntryLine(const TextList& list) {
  if (g_ReportLine == kReportBodyLine) ListHeading(list);
}

const TextList kPipesText{"Pipes", 9, "Material      OD       Thk     Total length    Total weight", 5,
                          {{kUnitDimension, nullptr, 17, 22}, {kUnitDimension, nullptr, 27, 32},
                           {kUnitLength, nullptr, 36, 47}, {kUnitWeight, nullptr, 52, 63}}};
const TextList kBendsText{"Bends", 9, "Material      OD       Thk      Radius    Angle   Count   Total weight", 5,
                          {{kUnitDimension, nullptr, 17, 22}, {kUnitDimension, nullptr, 27, 32},
                           {kUnitDimension, nullptr, 37, 42}, {0, "(deg)", 47, 0}, {kUnitWeight, nullptr, 63, 74}}};
const TextList kReducersText{"Reducers", 12,
                             "Material    OD1     Thk1     OD2     Thk2    Length   Count  Total weight", 5,
                             {{kUnitDimension, nullptr, 15, 20}, {kUnitDimension, nullptr, 24, 29},
                              {kUnitDimension, nullptr, 32, 37}, {kUnitDimension, nullptr, 41, 46},
                              {kUnitLength, nullptr, 49, 57}, {kUnitWeight, nullptr, 68, 73}}};
const TextList kValvesText{"Valves", 10, "OD      Thk     Weight   Add.Weight   Count   Total weight", 17,
                           {{kUnitDimension, nullptr, 15, 20}, {kUnitDimension, nullptr, 24, 29},
                            {kUnitWeight, nullptr, 33, 38}, {kUnitWeight, nullptr, 43, 48},
                            {kUnitWeight, nullptr, 66, 71}}};
const TextList kMaterialsText{"Materials", 13, nullptr, 0, {}};

double Degrees(float radians) { return radians * 57.29578; }

void WriteText(const Model& model, const BomLists& lists) {
  if (model.materials.count > 0) {
    if (g_ReportLine == kReportBodyLine) ListHeading(kMaterialsText);
    for (int i = 1; i <= model.materials.count; ++i) {
      if (g_ReportLine == kReportBodyLine) ListHeading(kMaterialsText);
      ReportPutText(model.materials[i].name, 8);
      ReportPutText(model.materials[i].description, 17);
      ReportNewLine();
    }
    ReportNewLine();
  }
  if (!lists.pipes.empty()) {
    ListHeading(kPipesText);
    for (const BomPipe& pipe : lists.pipes) {
      EntryLine(kPipesText);
      ReportPutText(MaterialName(model, pipe.material), 8);
      ReportPutText(FormatDimension(pipe.od), 17);
      ReportPutText(FormatDimension(pipe.thk), 28);
      ReportPutText(FormatLength(pipe.length), 39);
      ReportPutText(FormatWeight(static_cast<float>(BomPipeWeight(model, pipe))), 55);
      ReportNewLine();
    }
    ReportNewLine();
  }
  if (!lists.bends.empty()) {
    ListHeading(kBendsText);
    for (const BomBend& bend : lists.bends) {
      EntryLine(kBendsText);
      ReportPutText(MaterialName(model, bend.material), 8);
      ReportPutText(FormatDimension(bend.od), 17);
      ReportPutText(FormatDimension(bend.thk), 28);
      ReportPutText(FormatDimension(bend.radius), 37);
      ReportPutText(FormatFixedWidth(Degrees(bend.angle), 10, 2), 47);
      ReportPutText(IntegerToText(bend.count), 57);
      ReportPutText(FormatWeight(static_cast<float>(BomBendWeight(model, bend))), 66);
      ReportNewLine();
    }
    ReportNewLine();
  }
  if (!lists.reducers.empty()) {
    ListHeading(kReducersText);
    for (const BomReducer& reducer : lists.reducers) {
      EntryLine(kReducersText);
      ReportPutText(MaterialName(model, reducer.material), 8);
      ReportPutText(FormatDimension(reducer.od1), 16);
      ReportPutText(FormatDimension(reducer.thk1), 26);
      ReportPutText(FormatDimension(reducer.od2), 34);
      ReportPutText(FormatDimension(reducer.thk2), 43);
      ReportPutText(FormatLength(reducer.length), 51);
      ReportPutText(IntegerToText(reducer.count), 62);
      ReportPutText(FormatWeight(static_cast<float>(BomReducerWeight(model, reducer))), 69);
      ReportNewLine();
    }
    ReportNewLine();
  }
  if (!lists.valves.empty()) {
    ListHeading(kValvesText);
    for (const BomValve& valve : lists.valves) {
      EntryLine(kValvesText);
      ReportPutText(FormatDimension(valve.od), 16);
      ReportPutText(FormatDimension(valve.thk), 25);
      ReportPutText(FormatWeight(valve.weight), 34);
      ReportPutText(FormatWeight(valve.additionalWeight), 44);
      ReportPutText(IntegerToText(valve.count), 57);
      ReportPutText(FormatWeight(static_cast<float>(BomValveWeight(valve))), 67);
      ReportNewLine();
    }
    ReportNewLine();
  }
}

// --- printer ---------------------------------------------------------------------------

// A list as the printer draws it: columns as wide as their widest text.
struct PrinterList {
  std::string name;
  std::vector<std::string> headings, units;
  std::vector<std::vector<std::string>> rows;
};

std::string Unit(int kind) { return UnitLabel(kind); }

std::vector<PrinterList> PrinterLists(const Model& model, const BomLists& lists) {
  std::vector<PrinterList> out;
  if (model.materials.count > 0) {
    PrinterList list{"Materials", {"Material", "Description"}, {"", ""}, {}};
    for (int i = 1; i <= model.materials.count; ++i)
      list.rows.push_back({model.materials[i].name, model.materials[i].description});
    out.push_back(list);
  }
  const std::string dim = Unit(kUnitDimension), length = Unit(kUnitLength), weight = Unit(kUnitWeight);
  if (!lists.pipes.empty()) {
    PrinterList list{"Pipes", {"Material", "OD", "Thk", "Total length", "Total weight"}, {"", dim, dim, length, weight}, {}};
    for (const BomPipe& pipe : lists.pipes)
      list.rows.push_back({MaterialName(model, pipe.material), FormatDimension(pipe.od), FormatDimension(pipe.thk),
                           FormatLength(pipe.length), FormatWeight(static_cast<float>(BomPipeWeight(model, pipe)))});
    out.push_back(list);
  }
  if (!lists.bends.empty()) {
    PrinterList list{"Bends",
                     {"Material", "OD", "Thk", "Radius", "Angle", "Count", "Total weight"},
                     {"", dim, dim, dim, "(deg)", "", weight},
                     {}};
    for (const BomBend& bend : lists.bends)
      list.rows.push_back({MaterialName(model, bend.material), FormatDimension(bend.od), FormatDimension(bend.thk),
                           FormatDimension(bend.radius), FormatFixedWidth(Degrees(bend.angle), 10, 2),
                           IntegerToText(bend.count), FormatWeight(static_cast<float>(BomBendWeight(model, bend)))});
    out.push_back(list);
  }
  if (!lists.reducers.empty()) {
    PrinterList list{"Reducers",
                     {"Material", "OD1", "Thk1", "OD2", "Thk2", "Length", "Count", "Total weight"},
                     {"", dim, dim, dim, dim, length, "", weight},
                     {}};
    for (const BomReducer& r : lists.reducers)
      list.rows.push_back({MaterialName(model, r.material), FormatDimension(r.od1), FormatDimension(r.thk1),
                           FormatDimension(r.od2), FormatDimension(r.thk2), FormatLength(r.length),
                           IntegerToText(r.count), FormatWeight(static_cast<float>(BomReducerWeight(model, r)))});
    out.push_back(list);
  }
  if (!lists.valves.empty()) {
    PrinterList list{"Valves",
                     {"OD", "Thk", "Weight", "Add.Weight", "Count", "Total weight"},
                     {dim, dim, weight, weight, "", weight},
                     {}};
    for (const BomValve& v : lists.valves)
      list.rows.push_back({FormatDimension(v.od), FormatDimension(v.thk), FormatWeight(v.weight),
                           FormatWeight(v.additionalWeight), IntegerToText(v.count),
                           FormatWeight(static_cast<float>(BomValveWeight(v)))});
    out.push_back(list);
  }
  return out;
}

std::string Trimmed(std::string text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The list's name and column headings; again at the top of a new page.
void PrinterListHeading(const PrinterList& list, const std::vector<int>& x) {
  PrinterPageGeometry& page = PrinterPage();
  if (page.bodyBottom - page.y < page.barHeight + 4 * page.lineHeight) PrinterPageHeading();
  PrinterHeadingBar("Bill of Materials: " + list.name);
  PrinterNewLine();
  for (std::size_t c = 0; c < list.headings.size(); ++c) PrinterTextAt(x[c], list.headings[c]);
  PrinterNewLine();
  for (std::size_t c = 0; c < list.units.size(); ++c) PrinterTextAt(x[c], list.units[c]);
}

void WritePrinter(const Model& model, const BomLists& lists) {
  PrinterPageGeometry& page = PrinterPage();
  BeginReportSection("Bill of materials", 0);
  for (PrinterList& list : PrinterLists(model, lists)) {
    for (auto& row : list.rows)
      for (std::string& cell : row) cell = Trimmed(cell);
    std::vector<int> x(list.headings.size(), 0);
    int at = 6 * page.unit;
    for (std::size_t c = 0; c < list.headings.size(); ++c) {
      x[c] = at;
      int widest = std::max(PrinterTextWidth(list.headings[c]), PrinterTextWidth(list.units[c]));
      for (const auto& row : list.rows) widest = std::max(widest, PrinterTextWidth(row[c]));
      at += widest + 4 * page.unit;
    }
    PrinterListHeading(list, x);
    for (const auto& row : list.rows) {
      page.y += page.lineHeight;
      if (page.y > page.bodyBottom) {
        PrinterPageHeading();
        PrinterListHeading(list, x);
        page.y += page.lineHeight;
      }
      for (std::size_t c = 0; c < row.size(); ++c) PrinterTextAt(x[c], row[c]);
    }
    PrinterNewLine();
  }
}

// --- CSV ------------------------------------------------------------------------------

// The row built in g_LineText; the road ends the line with its own comma.
void CsvRow() {
  if (!g_LineText.empty() && g_LineText.back() == ',') g_LineText.pop_back();
  ReportAppendLine(g_LineText);
  g_LineText.clear();
  ReportNewLine();
}

void CsvListStart(const char* name, const char* heading, int emptyCells, std::initializer_list<int> units) {
  ReportPutText(name, 1);
  ReportNewLine();
  ReportRule();
  ReportPutText(heading, 1);
  ReportNewLine();
  if (units.size() == 0) return;
  g_LineText.clear();
  for (int i = 0; i < emptyCells; ++i) ReportPutField("");
  for (int kind : units) {
    if (kind > 0) ReportPutUnits(kind);
    else if (kind == -1) ReportPutCell("(deg)");
    else ReportPutField("");
  }
  CsvRow();
}

void WriteCsv(const Model& model, const BomLists& lists) {
  g_LineText.clear();
  if (model.materials.count > 0) {
    CsvListStart("Materials", "Name,Description", 0, {});
    for (int i = 1; i <= model.materials.count; ++i) {
      ReportPutField(model.materials[i].name);
      ReportPutField(model.materials[i].description);
      CsvRow();
    }
    ReportNewLine();
  }
  if (!lists.pipes.empty()) {
    CsvListStart("Pipes", "Material,OD,Thk,Total length,Total weight", 1,
                 {kUnitDimension, kUnitDimension, kUnitLength, kUnitWeight});
    for (const BomPipe& pipe : lists.pipes) {
      ReportPutField(MaterialName(model, pipe.material));
      ReportPutField(FormatDimension(pipe.od));
      ReportPutField(FormatDimension(pipe.thk));
      ReportPutField(FormatLength(pipe.length));
      ReportPutField(FormatWeight(static_cast<float>(BomPipeWeight(model, pipe))));
      CsvRow();
    }
    ReportNewLine();
  }
  if (!lists.bends.empty()) {
    CsvListStart("Bends", "Material,OD,Thk,Radius,Angle,Count,Total weight", 1,
                 {kUnitDimension, kUnitDimension, kUnitDimension, -1, 0, kUnitWeight});
    for (const BomBend& bend : lists.bends) {
      ReportPutField(MaterialName(model, bend.material));
      ReportPutField(FormatDimension(bend.od));
      ReportPutField(FormatDimension(bend.thk));
      ReportPutField(FormatDimension(bend.radius));
      ReportPutField(FormatFixedWidth(Degrees(bend.angle), 10, 2));
      ReportPutField(IntegerToText(bend.count));
      ReportPutField(FormatWeight(static_cast<float>(BomBendWeight(model, bend))));
      CsvRow();
    }
    ReportNewLine();
  }
  if (!lists.reducers.empty()) {
    CsvListStart("Reducers", "Material,OD1,Thk1,OD2,Thk2,Length,Count,Total weight", 1,
                 {kUnitDimension, kUnitDimension, kUnitDimension, kUnitDimension, kUnitLength, 0, kUnitWeight});
    for (const BomReducer& reducer : lists.reducers) {
      ReportPutField(MaterialName(model, reducer.material));
      ReportPutField(FormatDimension(reducer.od1));
      ReportPutField(FormatDimension(reducer.thk1));
      ReportPutField(FormatDimension(reducer.od2));
      ReportPutField(FormatDimension(reducer.thk2));
      ReportPutField(FormatLength(reducer.length));
      ReportPutField(IntegerToText(reducer.count));
      ReportPutField(FormatWeight(static_cast<float>(BomReducerWeight(model, reducer))));
      CsvRow();
    }
    ReportNewLine();
  }
  if (!lists.valves.empty()) {
    CsvListStart("Valves", "OD,Thk,Weight,Add.Weight,Count,Total weight", 0,
                 {kUnitDimension, kUnitDimension, kUnitWeight, kUnitWeight, 0, kUnitWeight});
    for (const BomValve& valve : lists.valves) {
      ReportPutField(FormatDimension(valve.od));
      ReportPutField(FormatDimension(valve.thk));
      ReportPutField(FormatWeight(valve.weight));
      ReportPutField(FormatWeight(valve.additionalWeight));
      ReportPutField(IntegerToText(valve.count));
      ReportPutField(FormatWeight(static_cast<float>(BomValveWeight(valve))));
      CsvRow();
    }
    ReportNewLine();
  }
  if (!lists.items.empty()) {
    CsvListStart("Itemized Element Weights",
                 "From,To,Type,Length,OD,Thk,Mat.Den,Fluid.Den,Ins.Den,Ins.Thk,Lin.Den,Lin.Thk,Empty Wt,Fluid Wt,"
                 "Ins Wt,Lin Wt,Add.Wt",
                 3,
                 {kUnitDimension, kUnitDimension, kUnitDimension, kUnitDensity, kUnitDensity, kUnitDensity,
                  kUnitDimension, kUnitDensity, kUnitDimension, kUnitWeight, kUnitWeight, kUnitWeight, kUnitWeight,
                  kUnitWeight});
    for (const BomItem& item : lists.items) {
      ReportPutField(NodeNumberText(model.nodes[item.from].id));
      ReportPutField(NodeNumberText(model.nodes[item.to].id));
      ReportPutField(ElementTypeName(item.type));
      ReportPutField(FormatDimension(item.length));
      ReportPutField(FormatDimension(item.od));
      ReportPutField(FormatDimension(item.thk));
      ReportPutField(ItemDensity(item.materialDensity));
      ReportPutField(ItemDensity(item.fluidDensity));
      ReportPutField(ItemDensity(item.insulationDensity));
      ReportPutField(FormatDimension(item.insulationThickness));
      ReportPutField(ItemDensity(item.liningDensity));
      ReportPutField(FormatDimension(item.liningThickness));
      for (float weight : {item.empty, item.fluid, item.insulation, item.lining, item.additional})
        ReportPutField(FormatWeight(weight));
      CsvRow();
    }
    ReportNewLine();
  }
}

}  // namespace

BomLists BuildBomLists(const Model& model, const AnalysisElementList& elements) {
  BomLists lists;
  for (int index = 1; index <= elements.count; ++index) {
    const AnalysisElement& element = elements[index];
    const LayoutRow& row = model.row(element.row);
    const PipeSection* section = SectionOf(model, element.section);
    const float od = section != nullptr ? section->outsideDiameter : 0.0f;
    const float thk = section != nullptr ? section->thickness : 0.0f;
    switch (element.kind) {
      case 3:
      case 6:
        AddPipe(lists.pipes, BomPipe{element.material, od, thk, NodeDistance(model.nodes, element.node1, element.node2)});
        break;
      case 8:
        if (const auto* valve = dynamic_cast<const Valve*>(row.element.get()))
          AddValve(lists.valves, BomValve{od, thk, valve->weight, valve->additionalWeight, 0});
        break;
      case 9:
        if (const auto* reducer = dynamic_cast<const Reducer*>(row.element.get()))
          AddReducer(lists.reducers, BomReducer{element.material, reducer->od1, reducer->thk1, reducer->od2,
                                                reducer->thk2, NodeDistance(model.nodes, element.node1, element.node2),
                                                0});
        break;
      default: break;
    }
    // Beams carry beam sections: no pipe weights.
    if (element.kind != 1 && element.kind != 2 && element.kind != 19 && element.kind != 17)
      lists.items.push_back(Itemize(model, element));
  }
  for (int number = 1; number <= model.rowCount; ++number) {
    const LayoutRow& row = model.row(number);
    const auto type = static_cast<int>(row.elementType);
    if (type == 4 || type == 5 || type == 7) AddBendRow(model, row, lists);
  }
  std::sort(lists.pipes.begin(), lists.pipes.end(), [](const BomPipe& a, const BomPipe& b) {
    return std::tie(a.material, a.od, a.thk) < std::tie(b.material, b.od, b.thk);
  });
  std::sort(lists.bends.begin(), lists.bends.end(), [](const BomBend& a, const BomBend& b) {
    return std::tie(a.material, a.od, a.thk, a.radius, a.angle) < std::tie(b.material, b.od, b.thk, b.radius, b.angle);
  });
  std::sort(lists.reducers.begin(), lists.reducers.end(), [](const BomReducer& a, const BomReducer& b) {
    return std::tie(a.material, a.od1, a.thk1, a.od2, a.thk2, a.length) <
           std::tie(b.material, b.od1, b.thk1, b.od2, b.thk2, b.length);
  });
  std::sort(lists.valves.begin(), lists.valves.end(), [](const BomValve& a, const BomValve& b) {
    return std::tie(a.od, a.thk, a.weight, a.additionalWeight) < std::tie(b.od, b.thk, b.weight, b.additionalWeight);
  });
  return lists;
}

double BomPipeWeight(const Model& model, const BomPipe& pipe) {
  return Annulus(pipe.od, pipe.thk) * DensityOf(model, pipe.material) * pipe.length;
}
double BomBendWeight(const Model& model, const BomBend& bend) {
  return Annulus(bend.od, bend.thk) * DensityOf(model, bend.material) * bend.count * bend.angle * bend.radius;
}
double BomReducerWeight(const Model& model, const BomReducer& reducer) {
  const double r = (reducer.od1 + reducer.od2) / 4.0, t = (reducer.thk1 + reducer.thk2) / 2.0;
  return kPi * (r * r - (r - t) * (r - t)) * DensityOf(model, reducer.material) * reducer.count * reducer.length;
}
double BomValveWeight(const BomValve& valve) {
  return (static_cast<double>(valve.weight) + valve.additionalWeight) * valve.count;
}

void PrintBillOfMaterials() {
  const Model& model = TheModel();
  AnalysisElementList& elements = TheAnalysisElements();
  try {
    GenerateAnalysisElements(model, elements);
  } catch (const std::string&) {
    return;
  }
  const BomLists lists = BuildBomLists(model, elements);
  if (!g_ReportFileOpen) {
    WritePrinter(model, lists);
    return;
  }
  if (g_ReportToFile) {
    ReportPutText("Bill of materials", 1);
    ReportNewLine();
    ReportRule();
    WriteCsv(model, lists);
    return;
  }
  if (g_ReportLine != kReportBodyLine) ReportNewPage();
  ReportSetTitle("Bill of materials");
  WriteText(model, lists);
}
