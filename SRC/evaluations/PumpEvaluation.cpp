// Pump nozzle loads and allowable loads; see PumpEvaluation.h.
#include "evaluations/PumpEvaluation.h"

#include <cmath>
#include <cstdio>

#include "evaluations/PumpVocabulary.h"

namespace {

constexpr int kClasses[9] = {2, 3, 4, 6, 8, 10, 12, 14, 16};

int ClassIndex(float nominalSize) {
  const float limits[8] = {2.9f, 3.9f, 5.9f, 7.9f, 9.9f, 11.9f, 13.9f, 15.9f};
  for (int i = 0; i < 8; ++i)
    if (nominalSize < limits[i]) return i;
  return 8;
}

// API 610 allowable forces (pound) by class: [location][FX, FY, FZ, FR].
constexpr float kTop[4][9] = {{160, 240, 320, 560, 850, 1200, 1500, 1600, 1900},
                              {130, 200, 260, 460, 700, 1000, 1200, 1300, 1500},
                              {200, 300, 400, 700, 1100, 1500, 1800, 2000, 2300},
                              {290, 430, 570, 1010, 1560, 2200, 2600, 2900, 3300}};
constexpr float kSide[4][9] = {{160, 240, 320, 560, 850, 1200, 1500, 1600, 1900},
                               {200, 300, 400, 700, 1100, 1500, 1800, 2000, 2300},
                               {130, 200, 260, 460, 700, 1000, 1200, 1300, 1500},
                               {290, 430, 570, 1010, 1560, 2200, 2600, 2900, 3300}};
constexpr float kEnd[4][9] = {{200, 300, 400, 700, 1100, 1500, 1800, 2000, 2300},
                              {160, 240, 320, 560, 850, 1200, 1500, 1600, 1900},
                              {130, 200, 260, 460, 700, 1000, 1200, 1300, 1500},
                              {290, 430, 570, 1010, 1560, 2200, 2600, 2900, 3300}};
// Moments (foot-pound): MX, MY, MZ, MR.
constexpr float kMoments[4][9] = {{340, 700, 980, 1700, 2600, 3700, 4500, 4700, 5400},
                                  {170, 350, 500, 870, 1300, 1800, 2200, 2300, 2700},
                                  {260, 530, 740, 1300, 1900, 2800, 3400, 3500, 4000},
                                  {460, 950, 1330, 2310, 3500, 5000, 6100, 6300, 7200}};
constexpr float kSchedule40[9][2] = {{1.074f, 0.561f}, {2.228f, 1.724f}, {3.17f, 3.22f},   {5.58f, 8.5f},   {8.4f, 16.81f},
                                     {11.91f, 29.91f}, {15.74f, 47.1f},  {18.66f, 61.4f}, {24.35f, 91.5f}};

// ANSI/HI temperature factors at 100, 200, 300, 400, 500, 600, 650, 700 F.
constexpr double kFactorTemperatures[8] = {100, 200, 300, 400, 500, 600, 650, 700};
constexpr double kFactors[18][8] = {
    {1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0},          {0.89, 0.83, 0.78, 0.73, 0.69, 0.65, 0.63, 0.63},
    {1.0, 0.94, 0.91, 0.88, 0.83, 0.76, 0.74, 0.74},   {1.0, 0.83, 0.74, 0.65, 0.6, 0.58, 0.57, 0.56},
    {1.0, 0.86, 0.78, 0.72, 0.67, 0.63, 0.62, 0.6},    {0.83, 0.7, 0.63, 0.58, 0.53, 0.5, 0.49, 0.48},
    {0.83, 0.7, 0.63, 0.58, 0.53, 0.5, 0.49, 0.48},    {1.0, 0.98, 0.83, 0.69, 0.64, 0.6, 0.6, 0.58},
    {1.0, 1.0, 1.0, 0.98, 0.92, 0.84, 0.82, 0.79},     {1.0, 1.0, 1.0, 0.98, 0.92, 0.84, 0.82, 0.79},
    {0.83, 0.77, 0.73, 0.67, 0.65, 0.63, 0.63, 0.62},  {0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5},
    {0.83, 0.74, 0.69, 0.67, 0.66, 0.66, 0.66, 0.66},  {0.83, 0.74, 0.69, 0.67, 0.66, 0.66, 0.66, 0.66},
    {0.83, 0.74, 0.69, 0.67, 0.66, 0.66, 0.66, 0.66},  {1.0, 0.93, 0.89, 0.85, 0.83, 0.8, 0.78, 0.77},
    {1.0, 0.93, 0.89, 0.85, 0.83, 0.8, 0.78, 0.77},    {1.0, 1.0, 1.0, 0.98, 0.92, 0.84, 0.82, 0.79}};

using Row12 = std::array<double, 12>;
using Row6 = std::array<double, 6>;

// The rows of the ANSI/HI tables this program holds (forces in pound,
// moments in foot-pound). A row that is not here is not available: the
// tables keep the published layout so that more rows can be added as data.
std::optional<Row12> EndSuctionTable(int table, int size) {
  if (table == 1 && size == 0) return Row12{1050, 750, 750, 720, 170, 170, 800, 1350, 3000, 410, 410, 410};
  if (table == 2 && size == 0) return Row12{2020, 750, 750, 1830, 170, 170, 2020, 1350, 6240, 410, 410, 410};
  if (table != 3 && table != 4) return std::nullopt;
  // Tables 3 and 4 have one row for each of three groups of sizes.
  const int group = (size <= 1 || size == 3 || size == 4) ? 0 : size <= 16 ? 1 : 2;
  static const Row12 kTable3[3] = {{0, -2000, 0, 900, 1200, 1250, 0, 1500, 0, -500, 1500, 1250},
                                   {0, -3500, 0, 1300, 1300, 3000, 0, 2500, 0, -1200, 1500, 3000},
                                   {0, -5000, 0, 1500, 2000, 4000, 0, 3000, 0, -1250, 5000, 4000}};
  static const Row12 kTable4[3] = {{1050, 0, -1250, 1500, 1200, -2500, 800, 2000, -3000, -1500, 1000, -2500},
                                   {3500, 0, -1500, 1500, 1300, -3500, 1400, 2500, -3250, -1500, 2150, -3500},
                                   {3500, 0, -2000, 1500, 4100, -4000, 1500, 4000, -3500, -1500, 5000, -4000}};
  return table == 3 ? kTable3[group] : kTable4[group];
}

std::optional<Row6> SingleTable(int category, int size, int discharge) {
  switch (category) {
    case 1:
      if (size == 0) return Row6{410, 3976, 410, 510, 720, 510};
      if (size == 12) return Row6{650, 18704, 650, 1630, 2300, 1630};
      return std::nullopt;
    case 4:
      if (size == 0) return Row6{1800, 1400, 1800, 600, 720, 600};
      if (size == 5) return Row6{8200, 3500, 8200, 5400, 1500, 5400};
      return std::nullopt;
    case 5:
      if (discharge == 0) {
        if (size == 0) return Row6{202, 182, 225, 302, 409, 260};
        if (size == 14) return Row6{3694, 3329, 4111, 13691, 15528, 11367};
      } else {
        if (size == 0) return Row6{67, 60, 75, 122, 150, 106};
        if (size == 14) return Row6{1229, 1106, 1366, 4029, 4920, 3523};
      }
      return std::nullopt;
    default: return std::nullopt;
  }
}

std::optional<Row6> BoltTable(int bolt) {
  if (bolt == 0) return Row6{600, 600, 4000, 6000, 6000, 450};
  if (bolt == 3) return Row6{5000, 5000, 11000, 22000, 22000, 2400};
  return std::nullopt;
}

constexpr double kMounting[5][4] = {
    {0.9, 0.9, 0.9, 0.9}, {1.0, 1.0, 0.9, 0.9}, {1.0, 1.0, 0.8, 0.8}, {0.8, 0.8, 0.8, 0.8}, {0.7, 0.7, 0.7, 0.7}};

std::string MissingLine(const std::string& kind, const std::string& size) {
  return "ANSI/HI 9.6.2 allowable loads for " + kind + " size \"" + size + "\" are not available";
}

Load6 ToLoad(const double* values, double factor) {
  Load6 out{};
  for (int i = 0; i < 6; ++i) out[static_cast<std::size_t>(i)] = static_cast<float>(values[i] * factor * (i >= 3 ? 12.0 : 1.0));
  return out;
}

Vec3f Cross(const Vec3f& a, const Vec3f& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
float Dot(const Vec3f& a, const Vec3f& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
double Length(const Vec3f& a) {
  return std::sqrt(static_cast<double>(a[0]) * a[0] + static_cast<double>(a[1]) * a[1] + static_cast<double>(a[2]) * a[2]);
}

}  // namespace

int Api610SizeClass(float nominalSize) { return kClasses[ClassIndex(nominalSize)]; }

std::array<float, 8> Api610Allowables(float nominalSize, int location, bool verticalInline) {
  const int c = ClassIndex(nominalSize);
  const auto& forces = verticalInline ? kSide : location == kNozzleTop ? kTop : location == kNozzleSide ? kSide : kEnd;
  const float scale = verticalInline ? 2.0f : 1.0f;
  std::array<float, 8> out{};
  for (int i = 0; i < 4; ++i) {
    out[static_cast<std::size_t>(i)] = forces[i][c] * scale;
    out[static_cast<std::size_t>(4 + i)] = kMoments[i][c] * scale * 12.0f;
  }
  return out;
}

std::array<float, 2> Schedule40Properties(float nominalSize) {
  const int c = ClassIndex(nominalSize);
  return {kSchedule40[c][0], kSchedule40[c][1]};
}

double AnsiHiTemperatureFactor(int group, double t) {
  if (group < 0 || group > 17) return 1.0;
  const double* f = kFactors[group];
  // Below 100 F the table's first line would rise above the 100 F factor
  // (group 3 would reach 1.34 at -100 F): the 100 F factor holds there.
  if (t <= 100.0) return f[0];
  int segment = 6;
  for (int i = 0; i < 7; ++i)
    if (t <= kFactorTemperatures[i + 1]) {
      segment = i;
      break;
    }
  const double t0 = kFactorTemperatures[segment];
  const double t1 = kFactorTemperatures[segment + 1];
  return f[segment] + (f[segment + 1] - f[segment]) * (t - t0) / (t1 - t0);
}

std::optional<AnsiHiAllowables> AnsiHiAllowablesOf(const Pump& pump, std::string& missing) {
  missing.clear();
  AnsiHiAllowables out;
  const int category = pump.category;
  const std::string kind = PumpListEntry(PumpCategoryShortNames(), category);
  const std::string size = PumpListEntry(PumpSizeNames(category), pump.size);
  if (size.empty() || kind.empty()) {
    missing = MissingLine(kind.empty() ? "this pump type" : kind, size);
    return std::nullopt;
  }
  const double f = (category <= 2) ? AnsiHiTemperatureFactor(pump.materialGroup, pump.temperature) : 1.0;
  if (category == 0 || category == 2 || category == 3) {
    std::optional<Row12> tables[4];
    for (int t = 0; t < 4; ++t) tables[t] = EndSuctionTable(t + 1, pump.size);
    if (!tables[0] || !tables[1]) {
      missing = MissingLine(kind, size);
      return std::nullopt;
    }
    const int mounting = category == 3 ? pump.boltOrMounting : 0;
    if (category == 3 && (mounting < 0 || mounting > 4)) {
      missing = MissingLine(kind, size);
      return std::nullopt;
    }
    for (int nozzle = 0; nozzle < 2; ++nozzle)
      for (int t = 0; t < 4; ++t) {
        const double factor = category == 3 ? kMounting[mounting][t] : (t == 1 ? f : 1.0);
        out.sets[static_cast<std::size_t>(nozzle)][static_cast<std::size_t>(t)] =
            ToLoad(tables[t]->data() + 6 * nozzle, factor);
      }
    for (auto& nozzle : out.sets) {
      Load6& t1 = nozzle[0];
      for (std::size_t i = 0; i < 6; ++i) {
        if (category != 3) {
          if (std::fabs(nozzle[1][i]) < std::fabs(t1[i])) t1[i] = nozzle[1][i];
          continue;
        }
        // Only the stilt-mounted and ungrouted metal baseplates reduce T1 by
        // T3 and T4; a zero there means the component is not in that
        // equation, so it reduces nothing.
        if (mounting != 1 && mounting != 2) continue;
        for (int t : {2, 3}) {
          const float v = nozzle[static_cast<std::size_t>(t)][i];
          if (v != 0.0f && std::fabs(v) < std::fabs(t1[i])) t1[i] = std::fabs(v);
        }
      }
    }
    return out;
  }
  const std::optional<Row6> row = SingleTable(category, pump.size, pump.dischargeLocation);
  if (!row) {
    missing = MissingLine(kind, size);
    return std::nullopt;
  }
  Row6 values = *row;
  if (category == 4) {
    const std::optional<Row6> bolt = BoltTable(pump.boltOrMounting);
    if (!bolt) {
      missing = MissingLine(kind, "bolt " + PumpListEntry(PumpBoltSizeNames(), pump.boltOrMounting));
      return std::nullopt;
    }
    for (std::size_t i = 0; i < 6; ++i)
      if (std::fabs((*bolt)[i]) < std::fabs(values[i])) values[i] = (*bolt)[i];
  }
  out.single = ToLoad(values.data(), category == 1 ? f : 1.0);
  return out;
}

PumpFrame PumpAxes(const Pump& pump, const PumpEvaluation& evaluation, bool zVertical, Vec3f& axis) {
  PumpFrame frame;
  frame.z = zVertical ? Vec3f{0, 0, 1} : Vec3f{0, 1, 0};
  const int vertical = zVertical ? 2 : 1;
  if (!PumpIsVerticalKind(pump)) {
    const double length = Length(pump.shaftAxis);
    if (length < 0.0001) {
      char text[80];
      std::snprintf(text, sizeof text, "Invalid shaft axis for pump: %s", pump.name.c_str());
      throw std::string(text);
    }
    if (std::string fault = PumpShaftAxisFault(pump, zVertical); !fault.empty()) throw fault;
    for (int i = 0; i < 3; ++i) frame.x[static_cast<std::size_t>(i)] = static_cast<float>(pump.shaftAxis[static_cast<std::size_t>(i)] / length);
    frame.y = Cross(frame.z, frame.x);
    axis = pump.shaftAxis;
    return frame;
  }
  // A vertical pump: Y runs level from the suction node to the discharge
  // node (its record's axis fields are left as the user entered them).
  Vec3f y{};
  const NozzleAttachment& s = evaluation.nozzles[0].at;
  const NozzleAttachment& d = evaluation.nozzles[1].at;
  if (s.defined && d.defined)
    for (int i = 0; i < 3; ++i) y[static_cast<std::size_t>(i)] = d.position[static_cast<std::size_t>(i)] - s.position[static_cast<std::size_t>(i)];
  y[static_cast<std::size_t>(vertical)] = 0.0f;
  const double length = Length(y);
  if (length < 0.0001) {
    char text[96];
    std::snprintf(text, sizeof text, "Unable to find z axis for vertical inline pump: %s", pump.name.c_str());
    throw std::string(text);
  }
  for (float& v : y) v = static_cast<float>(v / length);
  frame.y = y;
  frame.x = Cross(frame.y, frame.z);
  axis = y;
  return frame;
}

void ResolvePumpNozzles(const Pump& pump, const NozzleAttachment& suction, const NozzleAttachment& discharge,
                        bool zVertical, PumpEvaluation& evaluation) {
  evaluation = PumpEvaluation{};
  evaluation.nozzles[0].at = suction;
  evaluation.nozzles[1].at = discharge;
  try {
    evaluation.frame = PumpAxes(pump, evaluation, zVertical, evaluation.axis);
  } catch (const std::string& message) {
    evaluation.frameError = message;
    return;
  }
  for (PumpNozzleBlock& nozzle : evaluation.nozzles) {
    if (!nozzle.at.defined) continue;
    Vec3f d{};
    for (int i = 0; i < 3; ++i)
      d[static_cast<std::size_t>(i)] = nozzle.at.position[static_cast<std::size_t>(i)] - pump.centre[static_cast<std::size_t>(i)];
    nozzle.offset = {Dot(evaluation.frame.x, d), Dot(evaluation.frame.y, d), Dot(evaluation.frame.z, d)};
  }
  if (EffectivePumpStandard(pump) == kPumpAnsiHi962) AnsiHiAllowablesOf(pump, evaluation.notAvailable);
}

void SetUpPumpEvaluation(const Pump& pump, int slot, const Load6& suctionLoads, const Load6& dischargeLoads,
                         PumpEvaluation& evaluation) {
  if (slot < 0 || slot >= kRotatingSlots || !evaluation.frameError.empty()) return;
  const std::size_t s = static_cast<std::size_t>(slot);
  const PumpFrame& f = evaluation.frame;
  const bool ansi = EffectivePumpStandard(pump) == kPumpAnsiHi962;
  if (ansi) {
    std::string missing;
    if (const std::optional<AnsiHiAllowables> allowables = AnsiHiAllowablesOf(pump, missing)) {
      evaluation.single[s] = allowables->single;
      evaluation.sets[s] = allowables->sets;
    }
  }
  const Load6* loads[2] = {&suctionLoads, &dischargeLoads};
  const int locations[2] = {pump.suctionLocation, pump.dischargeLocation};
  for (int n = 0; n < 2; ++n) {
    PumpNozzleBlock& nozzle = evaluation.nozzles[n];
    if (nozzle.at.node == 0 || !nozzle.at.anchored) continue;
    if (!ansi && nozzle.at.nominalSize == 0.0f) continue;
    const Load6& l = *loads[n];
    const Vec3f force{l[0], l[1], l[2]};
    const Vec3f moment{l[3], l[4], l[5]};
    nozzle.force[s] = {Dot(f.x, force), Dot(f.y, force), Dot(f.z, force), static_cast<float>(Length(force))};
    nozzle.moment[s] = {Dot(f.x, moment), Dot(f.y, moment), Dot(f.z, moment), 0.0f};
    if (ansi) continue;
    nozzle.moment[s][3] = static_cast<float>(Length(moment));
    const std::array<float, 8> allowed = Api610Allowables(nozzle.at.nominalSize, locations[n], PumpIsVerticalKind(pump));
    nozzle.allowedForce[s] = {allowed[0], allowed[1], allowed[2], allowed[3]};
    nozzle.allowedMoment[s] = {allowed[4], allowed[5], allowed[6], allowed[7]};
  }
}
