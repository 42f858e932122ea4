// The weight summary (see WeightAndCg.h).
#include "editing/WeightAndCg.h"

#include <cmath>
#include <string>
#include <vector>

#include "elements/BallJoint.h"
#include "elements/Bellows.h"
#include "elements/Bend.h"
#include "elements/ConcentratedMass.h"
#include "elements/DerivedElementData.h"
#include "elements/Flange.h"
#include "elements/HingeJoint.h"
#include "elements/JacketedBend.h"
#include "elements/Reducer.h"
#include "elements/RigidElement.h"
#include "elements/SlipJoint.h"
#include "elements/Valve.h"
#include "model/AnalysisElements.h"
#include "model/Model.h"
#include "platform/Dialog.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "services/Assert.h"
#include "services/DialogHelper.h"
#include "services/ProgramContext.h"
#include "services/ReportMode.h"
#include "services/Units.h"
#include "services/WindowUtilities.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kWaterDensity = 0.03609;  // lb per cubic inch

struct Vec {
  double x = 0.0, y = 0.0, z = 0.0;
};
Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec operator*(double s, Vec a) { return {s * a.x, s * a.y, s * a.z}; }
double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
double Length(Vec a) { return std::sqrt(Dot(a, a)); }

Vec At(const Model& model, int index) {
  if (index < 1 || index > model.nodes.count) return {};
  const NodeRecord& n = model.nodes[index];
  return {n.x, n.y, n.z};
}

struct Sums {
  WeightSummary& out;
  Vec moment;
  void Add(double weight, Vec where) {
    out.total += weight;
    moment = moment + weight * where;
  }
};

// The span of an element and the point its weight acts at: a bend's arc
// (its centre and radius from the bend) or the straight line between its
// nodes.
void Span(const Model& model, const AnalysisElement& e, double& length, Vec& centre) {
  const Vec p1 = At(model, e.node1), p2 = At(model, e.node2);
  length = Length(p2 - p1);
  centre = 0.5 * (p1 + p2);
  if (e.kind != 4 && e.kind != 5 && e.kind != 7) return;
  const ElementData* data = model.row(e.row).element.get();
  const auto* bend = dynamic_cast<const Bend*>(data);
  if (bend == nullptr) return;
  Vec c{bend->centre[0], bend->centre[1], bend->centre[2]};
  if (e.kind == 7)
    if (const auto* jacket = dynamic_cast<const JacketedBend*>(data))
      c = {jacket->jacketCentre[0], jacket->jacketCentre[1], jacket->jacketCentre[2]};
  const Vec r1 = p1 - c, r2 = p2 - c;
  const double radius = Length(r1);
  if (!(radius > 1.0e-6) || Length(r2) < 1.0e-6) return;
  const Vec u = (1.0 / radius) * r1;
  const double cosine = std::max(-1.0, std::min(1.0, Dot(u, r2) / Length(r2)));
  const double theta = std::acos(cosine);
  if (!(theta > 1.0e-9)) return;
  Vec w = r2 - Dot(r2, u) * u;  // the tangent at p1, toward p2
  w = (1.0 / Length(w)) * w;
  length = radius * theta;
  const double along = 2.0 * radius * std::sin(theta / 2.0) * std::sin(theta / 2.0) / theta;
  const double inward = radius * (1.0 - std::sin(theta) / theta);
  centre = p1 + along * w - inward * u;
}

bool HasMetal(int kind) { return kind == 3 || kind == 4 || kind == 5 || kind == 6 || kind == 7 || kind == 9 || kind == 16; }

void AddDistributed(const Model& model, const AnalysisElement& e, Sums& sums) {
  WeightSummary& out = sums.out;
  double length = 0.0;
  Vec centre;
  Span(model, e, length, centre);
  if (e.section < 1 || e.material < 1 || e.load < 1 || !(length > 0.0)) return;
  const LayoutRow& row = model.row(e.row);
  const PipeSection& section = model.sections[e.section];
  const Material& material = model.materials[e.material];
  const PipeLoad& load = model.pipeLoads[e.load];
  const ElementData* data = row.element.get();

  double perLength = 0.0;  // the element's weight per length
  const double additional = static_cast<double>(load.additionalWeight) * length;
  out.additional += additional;

  double own = 0.0;
  if (const auto* valve = dynamic_cast<const Valve*>(data); valve != nullptr && e.kind == 8) own = valve->weight;
  if (const auto* bellows = dynamic_cast<const Bellows*>(data); bellows != nullptr && e.kind == 10) own = bellows->weight;
  if (const auto* slip = dynamic_cast<const SlipJoint*>(data); slip != nullptr && e.kind == 11) own = slip->weight;
  const auto* rigid = e.kind == 14 ? dynamic_cast<const RigidElement*>(data) : nullptr;
  if (rigid != nullptr) own = rigid->weight;
  out.empty += own;
  perLength += own / length;

  double D = section.outsideDiameter;
  double t = ElementWallThickness(model, e);
  if (const auto* reducer = dynamic_cast<const Reducer*>(data); reducer != nullptr && e.kind == 9) {
    D = 0.5 * (double(reducer->od1) + reducer->od2);
    t = 0.5 * (double(reducer->thk1) + reducer->thk2);
  }
  const double ro = D / 2.0, ri = ro - t;
  if (HasMetal(e.kind)) {
    const double metal = kPi * (ro * ro - ri * ri) * material.density;
    out.empty += metal * length;
    perLength += metal;
  }
  const bool cil = rigid == nullptr || rigid->addCil != 0;
  if (cil) {
    const double ti = section.insulationThickness;
    double insulation = kPi / 4.0 * ((D + 2.0 * ti) * (D + 2.0 * ti) - D * D) * section.insulationDensity;
    if (const auto* valve = dynamic_cast<const Valve*>(data); valve != nullptr && e.kind == 8)
      insulation *= valve->insulationWeightMultiplier;
    const double rl = ri - section.liningThickness;
    const double lining = kPi * (ri * ri - rl * rl) * section.liningDensity;
    double area = kPi * rl * rl;
    if (e.kind == 6 || e.kind == 7) {
      const int core = FindSectionByName(model.sections, row.section);
      if (core > 0) {
        const double dc = double(model.sections[core].outsideDiameter) + 2.0 * model.sections[core].insulationThickness;
        area -= kPi / 4.0 * dc * dc;
      }
    }
    const double content = std::max(area, 0.0) * load.specificGravity * kWaterDensity;
    out.insulation += insulation * length;
    out.lining += lining * length;
    out.content += content * length;
    perLength += insulation + lining + content;
  }
  sums.Add(perLength * length + additional, centre);
  // A valve's additional weight (its operator) acts at its offset.
  if (const auto* valve = dynamic_cast<const Valve*>(data); valve != nullptr && e.kind == 8 && valve->additionalWeight > 0.0f) {
    out.additional += valve->additionalWeight;
    sums.Add(valve->additionalWeight, centre + Vec{valve->dx, valve->dy, valve->dz});
  }
}

void AddBeam(const Model& model, const AnalysisElement& e, Sums& sums) {
  const Vec p1 = At(model, e.node1), p2 = At(model, e.node2);
  const double length = Length(p2 - p1);
  double perLength = 0.0;
  if (e.section >= 1 && e.material >= 1)
    perLength = double(model.beamSections[e.section].A) * model.beamMaterials[e.material].density;
  if (e.load >= 1) perLength += model.beamLoads[e.load].additionalWeight;
  sums.out.empty += perLength * length;
  sums.Add(perLength * length, 0.5 * (p1 + p2));
}

void AddOwnWeight(const Model& model, const AnalysisElement& e, double weight, Sums& sums) {
  sums.out.empty += weight;
  sums.Add(weight, At(model, e.node1));
}

// A coordinate of the centre in the length unit its label names: a centre
// seldom lies on a sixty-fourth of an inch, and in feet and inches it must
// still read as feet and inches. The fixed-width forms lose their blanks.
std::string CoordinateText(double value) {
  std::string text = FormatComputedLength(static_cast<float>(value));
  text.erase(0, text.find_first_not_of(' '));
  return text;
}

std::string WeightText(const char* label, double value) {
  return std::string(label) + " = " + FormatWeight(static_cast<float>(value)) + " " + UnitLabel(kUnitWeight);
}

INT_PTR CgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: {
      DialogHelper helper;
      helper.DialogBind(dialog);
      for (int line = 1; line <= 7; ++line) helper.DialogSetItemText(1500 + line, WeightLine(line));
      CenterWindowOnParent(dialog, IDOK);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, LOWORD(wParam) == IDOK ? 1 : 0);
      return TRUE;
    default: return FALSE;
  }
}

}  // namespace

WeightSummary& TheWeightSummary() {
  static WeightSummary summary;
  return summary;
}

const WeightSummary& ComputeWeightAndCg(const Model& model, const AnalysisElementList& elements) {
  WeightSummary& out = TheWeightSummary();
  out = WeightSummary();
  Sums sums{out, {}};
  for (int index = 1; index <= elements.count; ++index) {
    const AnalysisElement& e = elements[index];
    const ElementData* data = model.row(e.row).element.get();
    switch (e.kind) {
      case 3: case 4: case 5: case 6: case 7: case 8: case 9: case 10: case 11: case 14: case 16:
        AddDistributed(model, e, sums);
        break;
      case 12:
        if (const auto* hinge = dynamic_cast<const HingeJoint*>(data)) AddOwnWeight(model, e, hinge->weight, sums);
        break;
      case 13:
        if (const auto* ball = dynamic_cast<const BallJoint*>(data)) AddOwnWeight(model, e, ball->weight, sums);
        break;
      case 17: AddBeam(model, e, sums); break;
      case 15:
      case 19: break;
      default: QV_ASSERT(false);  // an element kind the weights do not know
    }
  }
  for (int r = 1; r <= model.rowCount; ++r) {
    const LayoutRow& row = model.row(r);
    const Vec end = At(model, row.endNode);
    if (const auto* flange = dynamic_cast<const Flange*>(row.item.get())) {
      out.empty += flange->weight;
      sums.Add(flange->weight, end);
    } else if (const auto* mass = dynamic_cast<const ConcentratedMass*>(row.item.get())) {
      out.empty += mass->weight;
      sums.Add(mass->weight, end + Vec{mass->dx, mass->dy, mass->dz});
    }
  }
  if (out.total != 0.0) {
    out.centre[0] = sums.moment.x / out.total;
    out.centre[1] = sums.moment.y / out.total;
    out.centre[2] = sums.moment.z / out.total;
  }
  out.computed = true;
  return out;
}

std::string WeightLine(int line) {
  const WeightSummary& w = TheWeightSummary();
  switch (line) {
    case 1: return WeightText("Empty weight", w.empty);
    case 2: return WeightText("Insulation weight", w.insulation);
    case 3: return WeightText("Content weight", w.content);
    case 4: return WeightText("Lining weight", w.lining);
    case 5: return WeightText("Additional weight", w.additional);
    case 6: return WeightText("Total weight", w.total);
    default: {
      std::string text = "X = " + CoordinateText(w.centre[0]);
      text += ",   Y = " + CoordinateText(w.centre[1]);
      text += ",   Z = " + CoordinateText(w.centre[2]);
      return text + "   " + UnitLabel(kUnitLength);
    }
  }
}

int WeightAndCgDialog(HWND owner) {
  return DialogBoxParam(InstanceHandle, "CG_DIALOG", owner, CgProc, 0) == 1 ? 1 : 0;
}

void PrintWeightAndCg() {
  if (!TheWeightSummary().computed) return;
  std::vector<std::string> lines;
  for (int line = 1; line <= 6; ++line) lines.push_back(WeightLine(line));
  lines.push_back("Center of Gravity for Total weight");
  lines.push_back(WeightLine(7));
  if (!g_ReportFileOpen) {  // the printer: the block whole, below what came before
    PrinterPageGeometry& page = PrinterPage();
    const int height = page.barHeight + static_cast<int>(lines.size() + 1) * page.lineHeight;
    if (page.bodyBottom - page.y < height) PrinterPageHeading();
    BeginReportSection("Weight & Center of Gravity ", 0);
    PrinterHeadingBar("Weight & Center of Gravity");
    for (const std::string& line : lines) {
      page.y += page.lineHeight;
      PrinterTextLeft(line);
    }
    PrinterHalfLine();
    return;
  }
  const char* title = "Weight & Center of gravity";
  if (g_ReportToFile) {
    ReportAppendLine(title);
    ReportNewLine();
    for (const std::string& line : lines) {
      ReportAppendLine(CsvQuoted(line));
      ReportNewLine();
    }
    return;
  }
  // The text page's body starts at column 4, under the rules, as every
  // other block's does.
  constexpr int kBodyColumn = 4;
  if (ReportLinesLeft() < static_cast<int>(lines.size()) + 3) ReportNewPage();
  ReportSetTitle(title);
  ReportPutText(title, kBodyColumn);
  ReportNewLine();
  for (const std::string& line : lines) {
    ReportPutText(line, kBodyColumn);
    ReportNewLine();
  }
}
