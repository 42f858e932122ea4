// The pump words; see PumpVocabulary.h.
#include "evaluations/PumpVocabulary.h"

#include <array>
#include <cmath>

#include "records/Pump.h"

const std::vector<std::string>& PumpCategoryNames() {
  static const std::vector<std::string> names{
      "Hori. end suction pump - B73.1", "Vert. in-line pump - B73.2", "Hori. end suction pump - B73.3",
      "Hori. end suction pump - B73.5", "Axial split case pumps",     "Vert. turbine short set pumps"};
  return names;
}

const std::vector<std::string>& PumpCategoryShortNames() {
  static const std::vector<std::string> names{"B73.1", "B73.2", "B73.3", "B73.5M", "AxialSplit", "Vert.Turb"};
  return names;
}

const std::vector<std::string>& PumpSizeNames(int category) {
  static const std::vector<std::string> endSuction{
      "1.5 x 1 x 6",  "3 x 1.5 x 6",  "3 x 2 x 6",   "1.5 x 1 x 8",  "3 x 1.5 x 8a", "3 x 1.5 x 8", "3 x 2 x 8",
      "4 x 3 x 8",    "2 x 1 x 10",   "3 x 1.5 x 10", "3 x 2 x 10",  "4 x 3 x 10",   "6 x 4 x 10",  "3 x 1.5 x 13",
      "3 x 2 x 13",   "4 x 3 x 13",   "6 x 4 x 13",  "8 x 6 x 13",   "10 x 8 x 13",  "8 x 6 x 15",  "10 x 8 x 15"};
  static const std::vector<std::string> b732{"1.5 x 6 x 15", "1.5 x 8 x 17", "1.5 x 10 x 19", "1.5 x 13 x 24",
                                             "2 x 6 x 17",   "2 x 8 x 20",   "2 x 10 x 20",   "2 x 13 x 24",
                                             "3 x 8 x 22",   "3 x 10 x 25",  "3 x 13 x 28",   "4 x 10 x 28",
                                             "4 x 13 x 30"};
  static const std::vector<std::string> axialSplit{"2 inch", "3 inch", "4 inch", "6 inch", "8 inch", "10 inch"};
  static const std::vector<std::string> verticalTurbine{
      "2 inch",  "3 inch",  "4 inch",  "6 inch",  "8 inch",  "10 inch", "12 inch", "14 inch",
      "16 inch", "18 inch", "20 inch", "22 inch", "24 inch", "30 inch", "36 inch"};
  switch (category) {
    case 1: return b732;
    case 4: return axialSplit;
    case 5: return verticalTurbine;
    default: return endSuction;
  }
}

const std::vector<std::string>& PumpBoltSizeNames() {
  static const std::vector<std::string> names{"0.625in", "0.750in", "0.875in", "1.00in"};
  return names;
}

const std::vector<std::string>& PumpMountingNames() {
  static const std::vector<std::string> names{"Fully grouted metal baseplate", "Stilt-mounted metal baseplate",
                                              "Ungrouted metal baseplate", "Grouted nonmetal baseplate",
                                              "Ungrouted nonmetal baseplate"};
  return names;
}

const std::vector<std::string>& PumpMaterialNames() {
  static const std::vector<std::string> names{
      "0.0 - ASTM A351/A351M - Grade CF8M", "1.0 - Ductile Iron - A395",   "1.1 - Carbon Steel - A216",
      "2.1 - Type 304 - A744",              "2.2 - Type 316 - A744",       "2.3 - Type 304L - A744",
      "2.3 - Type 316L - A744",             "2.4 - Type 321",              "2.8 - CD-4MCu-A744",
      "2.8 - CD-4MCu-A890",                 "3.1 - Alloy 20 - A744",       "3.2 - Nickel - A494",
      "3.4 - Monel - A744",                 "3.5 - Inconel 600 - A744",    "3.5 - Inconel 625 - A744",
      "3.5 - Inconel 825 - A744",           "3.7 - Hastealloy B - A494",   "3.8 - Hastealloy C - A494"};
  return names;
}

const std::vector<std::string>& PumpMaterialShortNames() {
  static const std::vector<std::string> names{
      "A351 Gr.CF8M",    "A395",           "A216",           "A744-304",      "A744-316",      "A744-304L",
      "A744-316L",       "Type 321",       "CD-4MCu-A744",   "CD-4MCu-A890",  "Alloy20-A744",  "Nickel-A494",
      "Monel A744",      "Inconel600-A744", "Inconel625-A744", "Inconel825-A744", "H.alloyB-A494", "H.alloyC-A494"};
  return names;
}

std::string PumpLocationWord(int location) {
  switch (location) {
    case kNozzleTop: return "Top ";
    case kNozzleSide: return "Side";
    case kNozzleEnd: return "End ";
    default: return {};
  }
}

std::string PumpLocationReportWord(int location) {
  switch (location) {
    case kNozzleTop: return "(Top)";
    case kNozzleSide: return "(Side)";
    case kNozzleEnd: return "(End)";
    default: return {};
  }
}

std::string PumpListEntry(const std::vector<std::string>& list, int index) {
  return index >= 0 && index < static_cast<int>(list.size()) ? list[static_cast<std::size_t>(index)] : std::string();
}

std::string PumpBoltOrMountingText(const Pump& pump) {
  if (EffectivePumpStandard(pump) != kPumpAnsiHi962) return {};
  if (pump.category == 3) return PumpListEntry(PumpMountingNames(), pump.boltOrMounting);
  if (pump.category == 4) return PumpListEntry(PumpBoltSizeNames(), pump.boltOrMounting);
  return {};
}

bool PumpIsVerticalKind(const Pump& pump) {
  if (pump.vertical != 0 || EffectivePumpStandard(pump) == kPumpVerticalInlineApi610) return true;
  return EffectivePumpStandard(pump) == kPumpAnsiHi962 && (pump.category == 1 || pump.category == 5);
}

std::string PumpShaftAxisFault(const Pump& pump, bool zVertical) {
  if (PumpIsVerticalKind(pump)) return {};
  const std::array<float, 3>& a = pump.shaftAxis;
  const double length = std::sqrt(static_cast<double>(a[0]) * a[0] + static_cast<double>(a[1]) * a[1] +
                                  static_cast<double>(a[2]) * a[2]);
  // A rounding trace of a rotated axis is level; a typed slope is not.
  const double rise = std::fabs(static_cast<double>(a[zVertical ? 2 : 1]));
  if (rise <= 1.0e-5 * length) return {};
  return "Pump " + pump.name + ": the shaft axis of a horizontal pump must be level";
}
