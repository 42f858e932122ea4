// Compressor and turbine nozzle load checks. A compressor or turbine names
// up to four nozzle nodes (inlet, exhaust, extraction 1 and 2); the anchor
// at a nozzle node carries the loads the piping puts on the machine. Each
// nozzle's loads are resolved into the machine's axes (x along the shaft,
// y and z the usual local frame with the model's vertical axis) and summed
// at one reference point: the exhaust of a turbine, the largest nozzle of
// a compressor. The limits are those of NEMA SM 23 for steam turbines and
// 1.85 times them for compressors (API 617); the report applies the
// per-nozzle criterion 3F + M and the combined 2F + M and component checks.
// Forces in pound, moments in inch-pound.
#pragma once

#include <array>
#include <string>

#include "evaluations/PumpEvaluation.h"
#include "records/Compressor.h"

enum RotatingEquipmentKind : int { kCompressorKind = 1, kTurbineKind = 2 };

struct MachineNozzle {
  NozzleAttachment at;
  std::array<Load6, kRotatingSlots> local{};
};

struct MachineEvaluation {
  MachineNozzle nozzles[4];  // inlet, exhaust, extraction 1, extraction 2
  std::array<Load6, kRotatingSlots> combined{};
  // Fx, Fy, Fz, Mx, My, Mz (pound, inch-pound) and 2F + M (foot-pound).
  std::array<float, 7> limits{};
  double dc = 0.0;  // the combined nominal size, factor included
  Vec3f x{}, y{}, z{};
  // "Invalid shaft axis for compressor: %s" (turbine): no frame, no sums.
  std::string frameError;
};

// Once per machine after the results were read: attachments, sizes, the
// combined size and the limits.
void ResolveRotatingEquipmentNozzles(const RotatingEquipment& machine, int kind, const NozzleAttachment attachments[4],
                                     bool zVertical, MachineEvaluation& evaluation);
// Once per machine and slot: each anchored nozzle's loads (6 global values
// of its anchor) into the machine's axes, stored and summed about the
// reference nozzle.
void ComputeNozzleResultantLoads(int kind, int slot, const Load6 globalLoads[4], MachineEvaluation& evaluation);
// The nozzle (0..3) the compressor sums about: the largest; the exhaust
// wins a tie with the inlet; -1 when no nozzle has a node.
int FindLargestConnection(const MachineEvaluation& evaluation);

// The per-nozzle criterion: F (pound), M (foot-pound), 3F + M, the
// allowable 500 De (times 1.85 for a compressor) and the ratio.
struct NozzleCriterion {
  double f = 0.0, m = 0.0, value = 0.0, allowable = 0.0, ratio = 0.0;
};
NozzleCriterion NozzleCriterionOf(int kind, float nominalSize, const Load6& local);
