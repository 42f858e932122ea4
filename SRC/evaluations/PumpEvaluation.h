// Pump nozzle loads and allowable loads. For every pump and each load case
// of the rotating-equipment report (up to 10 slots, slot s for case s + 1)
// the loads the piping puts on the suction and discharge nozzles are taken
// from the anchors at the nozzle nodes and expressed in the pump's own
// frame, and the allowable loads of the pump's standard are set up: API
// 610 (11th edition) for horizontal and vertical inline pumps, ANSI/HI
// 9.6.2 for its six pump categories.
//
// The pump frame (X, Y, Z) has Z along the model's vertical axis. A
// horizontal pump takes X along its shaft and Y = Z x X; a vertical pump
// (API 610 vertical inline, ANSI/HI B73.2 or vertical turbine) takes Y as
// the horizontal direction from its suction node to its discharge node and
// X = Y x Z. Forces are in pound, moments in inch-pound.
//
// Only the rows of the ANSI/HI tables this program has are set up: a pump
// whose category, size or bolt size needs a row it has not gets no
// allowables, and its report says they are not available; it never checks
// against a value made up for it. The evaluation lives beside the model's
// pump table and is never stored in files.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "records/Pump.h"

constexpr int kRotatingSlots = 10;
using Load6 = std::array<float, 6>;
using Vec3f = std::array<float, 3>;

// What the model says about a nozzle node: whether the node exists, its
// position, whether an anchor sits at it and the nominal size (inch) of the
// smallest pipe that meets it (0: none).
struct NozzleAttachment {
  std::int32_t node = 0;  // 0: the pump names none
  bool defined = false;
  Vec3f position{};
  bool anchored = false;
  float nominalSize = 0.0f;
};

struct PumpNozzleBlock {
  NozzleAttachment at;
  // API 610 and applied: [slot] FX, FY, FZ, FR / MX, MY, MZ, MR.
  std::array<std::array<float, 4>, kRotatingSlots> force{}, allowedForce{}, moment{}, allowedMoment{};
  Vec3f offset{};  // dx, dy, dz from the pump centre, pump frame
};

struct PumpFrame {
  Vec3f x{}, y{}, z{};
};

struct PumpEvaluation {
  PumpNozzleBlock nozzles[2];  // suction, discharge
  PumpFrame frame;
  // The local Y of a vertical pump (its "Y axis"), or the shaft axis of a
  // horizontal one, as the report shows it.
  Vec3f axis{};
  // ANSI/HI: the single set (categories 1, 4, 5) and T1..T4 of each nozzle
  // (categories 0, 2, 3), per slot.
  std::array<Load6, kRotatingSlots> single{};
  std::array<std::array<std::array<Load6, 4>, 2>, kRotatingSlots> sets{};
  // ANSI/HI: the line that stands for the checks when a table row is
  // missing ("ANSI/HI 9.6.2 allowable loads for ..."); empty otherwise.
  std::string notAvailable;
  // A frame that cannot be built: its message; the pump has no checks.
  std::string frameError;
};

// Size class of a nominal size for the API 610 and Schedule 40 tables:
// 2, 3, 4, 6, 8, 10, 12, 14 or 16.
int Api610SizeClass(float nominalSize);
// FX, FY, FZ, FR (pound) and MX, MY, MZ, MR (inch-pound) allowed at a
// nozzle of `location` (0 top, 1 side, 2 end); a vertical inline pump takes
// twice the side forces and twice the moments.
std::array<float, 8> Api610Allowables(float nominalSize, int location, bool verticalInline);
// Metal area (in^2) and section modulus (in^3) of Schedule 40 pipe.
std::array<float, 2> Schedule40Properties(float nominalSize);

// The ANSI/HI temperature factor of a material group at `temperature`
// (degrees F): straight lines between the table's points; at or below
// 100 F the 100 F value; above 700 F the last line extended.
double AnsiHiTemperatureFactor(int materialGroup, double temperature);

// The ANSI/HI allowables of a pump (moments in inch-pound): the single
// set, or T1..T4 of suction and discharge; nullopt with the
// not-available line in `missing` when a needed table row is not in the
// program.
struct AnsiHiAllowables {
  Load6 single{};
  std::array<std::array<Load6, 4>, 2> sets{};
};
std::optional<AnsiHiAllowables> AnsiHiAllowablesOf(const Pump& pump, std::string& missing);

// The pump's frame; throws "Invalid shaft axis for pump: %s" or "Unable to
// find z axis for vertical inline pump: %s". A vertical pump's axis is
// taken from its nozzle positions (`axis` receives the unit local Y); the
// pump record itself is never changed.
PumpFrame PumpAxes(const Pump& pump, const PumpEvaluation& evaluation, bool zVertical, Vec3f& axis);

// Once per pump: the attachments, frame and offsets (a frame error is kept
// in the evaluation).
void ResolvePumpNozzles(const Pump& pump, const NozzleAttachment& suction, const NozzleAttachment& discharge,
                        bool zVertical, PumpEvaluation& evaluation);
// Once per pump and slot: the nozzle loads in the pump frame (the anchors'
// global force and moment, 6 values each) and the allowables.
void SetUpPumpEvaluation(const Pump& pump, int slot, const Load6& suctionLoads, const Load6& dischargeLoads,
                         PumpEvaluation& evaluation);
