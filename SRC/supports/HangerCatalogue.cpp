// The catalogues and the design; see HangerCatalogue.h.
#include "supports/HangerCatalogue.h"

#include <array>
#include <cmath>

#include "services/NumberFormat.h"
#include "services/Units.h"
#include "supports/Hanger.h"

namespace {

// "Grinnell": the manufacturer's published load table for variable spring
// hangers, sizes 0 to 22 (loads at the top and the bottom of the working
// range) and the rate of each size in each of the five series.
constexpr HangerSeries kGrinnellSeries[5] = {
    {"82", 1.25f}, {"B-268", 2.5f}, {"98", 5.0f}, {"Tripl", 7.5f}, {"Quad", 10.0f}};
constexpr HangerSize kGrinnellSizes[23] = {
    {"0", 50.0f, 88.0f},
    {"1", 74.0f, 126.0f},
    {"2", 95.0f, 162.0f},
    {"3", 123.0f, 210.0f},
    {"4", 165.0f, 282.0f},
    {"5", 221.0f, 378.0f},
    {"6", 294.0f, 504.0f},
    {"7", 392.0f, 672.0f},
    {"8", 525.0f, 900.0f},
    {"9", 700.0f, 1200.0f},
    {"10", 910.0f, 1560.0f},
    {"11", 1190.0f, 2040.0f},
    {"12", 1575.0f, 2700.0f},
    {"13", 2100.0f, 3600.0f},
    {"14", 2800.0f, 4800.0f},
    {"15", 3780.0f, 6480.0f},
    {"16", 5250.0f, 9000.0f},
    {"17", 7000.0f, 12000.0f},
    {"18", 9320.0f, 15970.0f},
    {"19", 12380.0f, 21230.0f},
    {"20", 16450.0f, 28200.0f},
    {"21", 21875.0f, 37500.0f},
    {"22", 29173.0f, 50010.0f}};
constexpr float kGrinnellRates[23 * 5] = {
    30.0f, 15.0f, 7.0f, 5.0f, 4.0f,
    42.0f, 21.0f, 10.0f, 7.0f, 5.0f,
    54.0f, 27.0f, 13.0f, 9.0f, 7.0f,
    70.0f, 35.0f, 17.0f, 12.0f, 9.0f,
    94.0f, 47.0f, 23.0f, 16.0f, 12.0f,
    126.0f, 63.0f, 31.0f, 21.0f, 16.0f,
    168.0f, 84.0f, 42.0f, 28.0f, 21.0f,
    224.0f, 112.0f, 56.0f, 37.0f, 28.0f,
    300.0f, 150.0f, 75.0f, 50.0f, 38.0f,
    400.0f, 200.0f, 100.0f, 67.0f, 50.0f,
    520.0f, 260.0f, 130.0f, 87.0f, 65.0f,
    680.0f, 340.0f, 170.0f, 113.0f, 85.0f,
    900.0f, 450.0f, 225.0f, 150.0f, 113.0f,
    1200.0f, 600.0f, 300.0f, 200.0f, 150.0f,
    1600.0f, 800.0f, 400.0f, 267.0f, 200.0f,
    2160.0f, 1080.0f, 540.0f, 360.0f, 270.0f,
    3000.0f, 1500.0f, 750.0f, 500.0f, 375.0f,
    4000.0f, 2000.0f, 1000.0f, 667.0f, 500.0f,
    5320.0f, 2660.0f, 1330.0f, 887.0f, 665.0f,
    7080.0f, 3540.0f, 1770.0f, 1180.0f, 885.0f,
    9400.0f, 4700.0f, 2350.0f, 1567.0f, 1175.0f,
    12500.0f, 6250.0f, 3125.0f, 2083.0f, 1563.0f,
    16670.0f, 8335.0f, 4167.0f, 2778.0f, 2084.0f};
constexpr HangerCatalogue kGrinnell = {5, 23, kGrinnellSeries, kGrinnellSizes, kGrinnellRates};

std::string Trim(const char* text) {
  std::string value = text;
  while (!value.empty() && value.front() == ' ') value.erase(value.begin());
  return value;
}

std::string Force(float value) { return Trim(FormatForce(value)); }

// The size of series s for hot load H and travel T (the index, -1 when no
// size holds both loads); the loads outside the table throw.
int SelectSize(const HangerCatalogue& c, int s, float H, float T, const std::string& node) {
  const HangerSize& first = c.sizes[0];
  const HangerSize& last = c.sizes[c.sizeCount - 1];
  const char* unit = UnitLabel(kUnitForce);
  if (H < first.minimum)
    throw CFormat("Unable to design hanger at Node %s\nHot load =  %s  %s  < smallest load in hanger table\n"
                  "This location probably does not need a hanger",
                  node.c_str(), Force(H).c_str(), unit);
  if (H > last.maximum)
    throw CFormat("Unable to design hanger at Node %s\nHot load =  %s  %s  > maximum load in hanger table\n"
                  "If possible increase the number of hangers at this location",
                  node.c_str(), Force(H).c_str(), unit);
  double best = 1.0e30;
  int chosen = -1;
  for (int i = 0; i < c.sizeCount; ++i) {
    const HangerSize& size = c.sizes[i];
    if (!(size.minimum <= H && H <= size.maximum)) continue;
    const float cold = T * c.rates[i * c.seriesCount + s] + H;
    if (cold < first.minimum)
      throw CFormat("Unable to design hanger at Node %s\nCold load =  %s  %s  < smallest load in hanger table\n"
                    "This location probably does not need a hanger",
                    node.c_str(), Force(cold).c_str(), unit);
    if (cold > last.maximum)
      throw CFormat("Unable to design hanger at Node %s\nCold load =  %s  %s > maximum load in hanger table\n"
                    "If possible increase the number of hangers at this location",
                    node.c_str(), Force(cold).c_str(), unit);
    if (!(size.minimum <= cold && cold <= size.maximum)) continue;
    const double d = std::fabs((static_cast<double>(size.minimum) + size.maximum) / 2.0 - H);
    if (d > best) break;
    if (d < best) {
      best = d;
      chosen = i;
    }
  }
  return chosen;
}

}  // namespace

const HangerCatalogue* FindHangerCatalogue(std::int32_t kind) {
  return kind == 0 || kind == kGrinnellCatalogue ? &kGrinnell : nullptr;
}

void DesignHanger(Hanger& hanger, const std::string& node) {
  if (!IsDesignedHanger(hanger.kind)) return;
  const HangerCatalogue* catalogue = FindHangerCatalogue(hanger.kind);
  if (catalogue == nullptr) return;  // refused before the run
  const HangerCatalogue& c = *catalogue;
  const float T = hanger.travel, H = hanger.hotLoad;
  const std::string force = UnitLabel(kUnitForce), displacement = UnitLabel(kUnitDisplacement);
  if (H <= 0.0f)
    throw CFormat("Unable to design hanger at Node %s\n\nHot load =  %s  %s is negative\ni.e. it is holding the pipe down\n"
                  "instead of supporting the dead load\nThis is not a good location for a hanger",
                  node.c_str(), Force(H).c_str(), force.c_str());
  if (T > c.series[c.seriesCount - 1].range)
    throw CFormat("Unable to design hanger at Node %s\n\nHanger travel =  %s  %s  > maximum travel in the hanger table\n"
                  "If possible use a constant support at this location",
                  node.c_str(), Trim(FormatDisplacement(T)).c_str(), displacement.c_str());
  int s0 = c.seriesCount < 3 || hanger.shortRange != 0 ? 0 : 1;
  if (hanger.kind == kLisegaCatalogue) {
    const float magnitude = std::fabs(T);
    s0 = magnitude < 0.3937007874f ? 0 : magnitude < 0.7874015748f ? 1 : 2;
  }
  bool found = false;
  float variation = 0.0f;
  for (int s = s0; s < c.seriesCount; ++s) {
    if (T > c.series[s].range) continue;
    const int i = SelectSize(c, s, H, T, node);
    found = i >= 0;
    if (!found) continue;
    hanger.rate = c.rates[i * c.seriesCount + s];
    hanger.series = c.series[s].name;
    hanger.size = c.sizes[i].name;
    hanger.coldLoad = T * hanger.rate + H;
    variation = std::fabs(hanger.coldLoad / H - 1.0f);
    if (variation <= static_cast<float>(hanger.maximumLoadVariation) * 0.01f) return;
  }
  if (found)
    throw CFormat("Unable to design hanger at node %s\n\nCold load = %s, Hot load = %s %s\nTravel = %s %s, Spring rate = %s\n"
                  "Load variation = %.2f%% > maximum load variation (%d%%).\n"
                  "If possible increase the number of hangers at this location\nor use a constant support.",
                  node.c_str(), Force(hanger.coldLoad).c_str(), Force(H).c_str(), force.c_str(),
                  Trim(FormatDisplacement(T)).c_str(), displacement.c_str(),
                  Trim(FormatStiffnessOrRigid(hanger.rate)).c_str(), static_cast<double>(variation) * 100.0,
                  hanger.maximumLoadVariation);
  throw CFormat("Unable to design hanger at node %s\n\nHot load = %s %s, Travel = %s %s\n"
                "No size of a series that takes this travel holds both the hot and the cold load.\n"
                "If possible increase the number of hangers at this location\nor use a constant support.",
                node.c_str(), Force(H).c_str(), force.c_str(), Trim(FormatDisplacement(T)).c_str(), displacement.c_str());
}
